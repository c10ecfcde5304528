// The real program, started offscreen with a store of its own in a temporary folder.

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

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
    const QDate before = QDate::currentDate();
    run.start();
    // Killed as soon as the new egg is on disk: nothing may be missing then.
    ASSERT_TRUE(run.waitFor(
        [&run] { return QSettings(run.conf(), QSettings::IniFormat).value("stats/cacafait").toString() == "Oui"; }));
    run.runFor(0);
    QSettings s(run.conf(), QSettings::IniFormat);
    EXPECT_EQ(s.value("stade/stade").toString(), "Oeuf1");
    EXPECT_EQ(s.value("stats/faim").toString(), "0");
    EXPECT_EQ(s.value("stats/caca").toString(), "0");
    EXPECT_EQ(s.value("stats/cacafait").toString(), "Oui");
    const QDate after = QDate::currentDate();
    const QString jour = s.value("datecreation/jour").toString();
    EXPECT_TRUE(jour == QString::number(before.day()) || jour == QString::number(after.day())) << jour.toStdString();
    EXPECT_EQ(s.value(QString::fromUtf8("datecreation/ann\xc3\xa9"
                                        "e"))
                  .toString(),
              QString::number(after.year()));
    const int mois = s.value("datecreation/mois").toInt();
    const int heure = s.value("datecreation/heure").toInt();
    const int year = s.value(QString::fromUtf8("datecreation/ann\xc3\xa9"
                                               "e"))
                         .toInt();
    const int stamp = (year - 1) * 8640 + (mois - 1) * 720 + (jour.toInt() - 1) * 24 + heure;
    EXPECT_EQ(s.value("datestats/datenourrit").toString(), QString::number(stamp));
    EXPECT_TRUE(s.contains("datecreation/min"));
    EXPECT_EQ(s.allKeys().size(), 10);
}

TEST(EndToEnd, AReloadedPetIsNotWrittenBack) {
    GameRun run;
    QDir().mkpath(run.config.path() + "/Gribo");
    {
        QSettings s(run.conf(), QSettings::IniFormat);
        s.setValue("stade/stade", "nourrisson");
        s.setValue("stats/faim", "120");
        s.setValue("stats/caca", "2");
        s.setValue("stats/cacafait", "Non");
        s.setValue("datestats/datenourrit", "17000000");
        s.sync();
    }
    QFile f(run.conf());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    const QDateTime modified = QFileInfo(run.conf()).lastModified();
    run.start();
    run.runFor(1500);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
    EXPECT_EQ(QFileInfo(run.conf()).lastModified(), modified);
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
