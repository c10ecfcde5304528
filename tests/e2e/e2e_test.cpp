// The real program, started offscreen with a store of its own in a temporary folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "support/fakes.h"
#include "support/store_file.h"

namespace {

struct GameRun {
    QTemporaryDir config;
    QProcess process;
    QString conf() const { return config.path() + "/Gribo/Gribo.conf"; }

    void start(const QString& exe = GRIBO_EXE) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", config.path());
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(exe, {});
        ASSERT_TRUE(process.waitForStarted(10000));
    }
    // Waits (up to 20 s) until `done` holds while the program runs.
    template <typename Done>
    bool waitFor(Done done) {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > 20000 || process.state() != QProcess::Running) return false;
            process.waitForReadyRead(50);
            seen += process.readAll().toStdString();
        }
        return true;
    }
    std::string seen;
    // Lets the program run (its animation ticks) for `ms`, then kills it hard.
    void runFor(int ms) {
        if (ms > 0) {
            EXPECT_FALSE(process.waitForFinished(ms)) << "the program ended by itself: " << output();
        }
        process.kill();
        process.waitForFinished(5000);
    }
    std::string output() { return seen + process.readAll().toStdString(); }
};

TEST(EndToEnd, AFirstRunLeavesANewEggInTheStoreEvenWhenKilled) {
    GameRun run;
    run.start();
    // Killed as soon as the new egg is on disk: nothing may be missing then.
    ASSERT_TRUE(run.waitFor(
        [&run] { return QSettings(run.conf(), QSettings::IniFormat).value("stats/cacafait").toString() == "Oui"; }));
    run.runFor(0);
    // The values themselves are checked in the shell's tests; here, that all ten made it.
    const auto disk = gribo::test::storeOnDisk(run.conf());
    EXPECT_EQ(disk.size(), 10u);
    for (const auto& w : gribo::test::firstRunWrites({})) EXPECT_TRUE(disk.count(w.section + "/" + w.key)) << w.key;
    EXPECT_EQ(disk.at("stade/stade"), "Oeuf1");
}

TEST(EndToEnd, MissingPicturesAreReportedOnceAndTheGameRunsOn) {
    QTemporaryDir bare;
    const QString exe = bare.path() + "/gribo";
    ASSERT_TRUE(QFile::copy(GRIBO_EXE, exe));
    GameRun run;
    run.start(exe);
    ASSERT_TRUE(run.waitFor([&run] { return run.seen.find("oeufbleuF1.gif") != std::string::npos; }));
    run.runFor(2000);  // about 200 more animation ticks without a single picture file
    const std::string out = run.output();
    const auto count = [&out](const std::string& needle) {
        std::size_t n = 0;
        for (std::size_t p = out.find(needle); p != std::string::npos; p = out.find(needle, p + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("oeufbleuF1.gif"), 1u) << out;
    EXPECT_EQ(count("fond.bmp"), 1u) << out;
    QSettings s(run.conf(), QSettings::IniFormat);
    EXPECT_EQ(s.value("stade/stade").toString(), "Oeuf1");
}

}  // namespace
