#include "platform/asset_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <string>
#include <string_view>

#include "assets/catalogue.h"

namespace gribo::platform {
namespace {

bool holdsDatas(const QString& folder) { return QFileInfo(QDir(folder).filePath("datas")).isDir(); }

}  // namespace

QString findAssetRoot(const QString& exeDir, const QString& installedFromExe) {
    if (holdsDatas(exeDir)) return exeDir;
    const QString installed = QDir::cleanPath(QDir(exeDir).filePath(installedFromExe));
    if (holdsDatas(installed)) return installed;
    return exeDir;
}

QString assetFileIn(const QString& root, std::string_view path) {
    const std::string relative = asset::toRelativeFile(path);
    return QDir(root).filePath(QString::fromUtf8(relative.data(), static_cast<qsizetype>(relative.size())));
}

QString assetFile(std::string_view path) {
    // The executable does not move while it runs: one look is enough.
    static const QString root = findAssetRoot(QCoreApplication::applicationDirPath(), GRIBO_DATADIR_FROM_BINDIR);
    return assetFileIn(root, path);
}

}  // namespace gribo::platform
