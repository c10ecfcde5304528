// Where the game looks for its pictures: beside itself first, then in the installed
// folder named relative to itself.

#include "platform/asset_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace gribo::platform {
namespace {

TEST(AssetFolder, BesideTheProgramFirstThenTheInstalledFolder) {
    struct Case {
        const char* what;
        QStringList withDatas;  // folders under the prefix that hold a `datas` folder
        QString expected;       // the asset root of a program in bin/
    };
    const Case cases[] = {
        {"the build tree, or a copy carried elsewhere", {"bin"}, "bin"},
        {"an installation", {"share/gribo"}, "share/gribo"},
        {"a copy beside the program wins over an installation", {"bin", "share/gribo"}, "bin"},
        {"nothing anywhere: the missing pictures are named beside the program", {}, "bin"},
        {"a datas folder elsewhere in the prefix is not looked at", {"share/games/gribo", "share"}, "bin"},
    };
    for (const Case& c : cases) {
        QTemporaryDir prefix;
        QDir(prefix.path()).mkpath("bin");
        for (const QString& folder : c.withDatas) QDir(prefix.path()).mkpath(folder + "/datas");
        EXPECT_EQ(findAssetRoot(prefix.filePath("bin"), "../share/gribo"), prefix.filePath(c.expected)) << c.what;
    }
}

}  // namespace
}  // namespace gribo::platform
