// The real program's command line, run where there is no display at all: the
// answers come before any window would need one, and the game never starts.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <string>

#include "support/store_file.h"

namespace {

TEST(CommandLine, AnswersAndEndsWithTheUsualStatus) {
    struct Case {
        QStringList arguments;
        int status;
        QString out;  // what stdout starts with
        QString err;  // what stderr starts with
    };
    const QString usage = "Usage: gribo [-h|--help] [-v|--version]\n";
    const QString version = "gribo " GRIBO_VERSION "\n";
    const Case cases[] = {
        {{"--help"}, 0, "Usage: gribo [OPTION]\n", ""},
        {{"-h"}, 0, "Usage: gribo [OPTION]\n", ""},
        {{"--version"}, 0, version, ""},
        {{"-v"}, 0, version, ""},
        {{"-platform", "xcb", "-style", "fusion", "--version"}, 0, version, ""},  // Qt's own options pass
        {{"--hatch-now"}, 2, "", "gribo: Unknown option 'hatch-now'.\n" + usage},
        {{"-x"}, 2, "", "gribo: Unknown option 'x'.\n" + usage},
        {{"-platform"}, 2, "", "gribo: Missing value after '-platform'.\n" + usage},
        {{"Gribo.conf"}, 2, "", "gribo: Unexpected argument 'Gribo.conf'.\n" + usage},
    };
    for (const Case& c : cases) {
        QTemporaryDir config;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_CONFIG_HOME", config.path());
        QProcess gribo;
        gribo.setProcessEnvironment(env);
        gribo.start(GRIBO_EXE, c.arguments);
        const QString what = c.arguments.join(' ');
        ASSERT_TRUE(gribo.waitForFinished(60000)) << what.toStdString();
        EXPECT_EQ(gribo.exitStatus(), QProcess::NormalExit) << what.toStdString();
        EXPECT_EQ(gribo.exitCode(), c.status) << what.toStdString();
        const QString out = QString::fromLocal8Bit(gribo.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(gribo.readAllStandardError());
        EXPECT_TRUE(c.out.isEmpty() ? out.isEmpty() : out.startsWith(c.out))
            << what.toStdString() << ": " << out.toStdString();
        EXPECT_EQ(err, c.err) << what.toStdString();
        EXPECT_FALSE(QFile::exists(gribo::test::storeFileUnder(config.path())))
            << what.toStdString() << ": the game started";
    }
}

}  // namespace
