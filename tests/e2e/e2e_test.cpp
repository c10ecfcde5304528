// The real program, started offscreen with a store of its own in a temporary folder.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "state/hour_stamp.h"
#include "support/fakes.h"
#include "support/store_file.h"

namespace {

// Whether `process` ends within `ms` on the monotonic clock. (A wait of Qt's own may
// end early where the wall clock is faked to run fast: this one goes on to its end.)
bool finishesWithin(QProcess& process, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (process.state() == QProcess::NotRunning || process.waitForFinished(int(deadline.remainingTime()))) {
            return true;
        }
    }
    return process.state() == QProcess::NotRunning;
}

// A player's folders: the one that holds the store, and the session's runtime one.
struct Home {
    QTemporaryDir config, runtime;
    QString conf() const { return gribo::test::storeFileUnder(config.path()); }
    // Lays out a store as an earlier run (or a damaged disk) left it.
    void holds(const QByteArray& bytes) const {
        QDir().mkpath(config.path() + "/Gribo");
        QFile f(conf());
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    QByteArray store() const {
        QFile f(conf());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

struct GameRun {
    explicit GameRun(const Home& h) : home(h) {}
    const Home& home;
    QProcess process;
    QString conf() const { return home.conf(); }

    void start(const QString& exe = GRIBO_EXE, const QString& logging = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", home.config.path());
        env.insert("XDG_RUNTIME_DIR", home.runtime.path());
        if (!logging.isEmpty()) env.insert("QT_LOGGING_RULES", logging);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(exe, {});
        ASSERT_TRUE(process.waitForStarted(60000));
    }
    // Waits until `done` holds while the program runs; a deadline (20 s unless told)
    // only ends a test that fails.
    template <typename Done>
    bool waitFor(Done done, qint64 deadlineMs = 20000) {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > deadlineMs || process.state() != QProcess::Running) return false;
            process.waitForReadyRead(50);
            seen += process.readAll().toStdString();
        }
        return true;
    }
    std::string seen;
    // Lets the program run (its animation ticks) for `ms`, then kills it hard.
    void runFor(int ms) {
        if (ms > 0) {
            EXPECT_FALSE(finishesWithin(process, ms)) << "the program ended by itself: " << output();
        }
        process.kill();
        process.waitForFinished(60000);
    }
    std::string output() { return seen + process.readAll().toStdString(); }
};

TEST(EndToEnd, AFirstRunLeavesANewEggInTheStoreEvenWhenKilled) {
    Home home;
    GameRun run(home);
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
    Home home;
    GameRun run(home);
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

TEST(EndToEnd, TheSleepingGameWakesForEachStepOfAHatchingAndSavesTheBaby) {
    Home home;
    home.holds("[stade]\nstade=Eclosion\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=0\n");
    ASSERT_FALSE(home.store().isEmpty());
    GameRun run(home);
    run.start();
    // The eleven frames, then the baby stored at the hatching's last tick.
    EXPECT_TRUE(run.waitFor([&home] { return home.store().contains("stade=nourrisson"); })) << run.output();
    run.runFor(0);
}

TEST(EndToEnd, OneGamePerStoreASecondStartBringsTheFirstForwardAndLeaves) {
    Home home;
    GameRun first(home);
    first.start(GRIBO_EXE, "gribo.instance.debug=true");
    ASSERT_TRUE(first.waitFor([&home] { return home.store().contains("cacafait=Oui"); }));
    const QByteArray store = home.store();
    for (int again = 0; again < 2; ++again) {
        GameRun second(home);
        second.start();
        ASSERT_TRUE(finishesWithin(second.process, 60000)) << "a second game is playing";
        EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit) << second.output();
        EXPECT_EQ(second.process.exitCode(), 0);
    }
    const auto askedTwice = [&first] {
        const std::string asked = "asked this game to come forward";
        const auto once = first.seen.find(asked);
        return once != std::string::npos && first.seen.find(asked, once + 1) != std::string::npos;
    };
    EXPECT_TRUE(first.waitFor(askedTwice)) << first.output();
    EXPECT_EQ(home.store(), store);

    first.runFor(0);  // killed outright: its lock is left behind
    GameRun next(home);
    next.start();
    // It plays instead of looking for the dead game: the lock is its own.
    const auto holdsTheLock = [&home, &next] {
        const QFileInfoList locks = QDir(home.runtime.path()).entryInfoList({"gribo-*.lock"});
        QFile lock(locks.isEmpty() ? QString() : locks.first().filePath());
        return lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed().toLongLong() == next.process.processId();
    };
    EXPECT_TRUE(next.waitFor(holdsTheLock)) << next.output();
    next.runFor(0);
}

TEST(EndToEnd, ADamagedStoreIsMendedAtStartUpAndKeptAsideOnlyOnce) {
    Home home;
    home.holds("[stade]\nstade=nourrisson\n\n[stats\nfaim=100\ncaca=0\ncacafait=Oui\n");
    ASSERT_FALSE(home.store().isEmpty());
    for (int start = 0; start < 2; ++start) {
        GameRun run(home);
        run.start();
        ASSERT_TRUE(run.waitFor([&home] { return home.store().contains("[stats]\n"); })) << run.output();
        run.runFor(300);
        EXPECT_EQ(run.output().find("could not save"), std::string::npos) << run.output();
    }
    EXPECT_EQ(QDir(home.config.path() + "/Gribo").entryList({"Gribo.conf.corrompu-*"}).size(), 1);
    EXPECT_TRUE(home.store().contains("stade=nourrisson\n"));
}

TEST(EndToEnd, AStoreThatCannotBeReadIsToldAndNeverReplacedByAnEgg) {
    Home home;
    // A store that is there but cannot be read, even by root: a folder in its place
    // (its open succeeds, its read fails).
    ASSERT_TRUE(QDir().mkpath(home.conf()));
    GameRun run(home);
    run.start();
    EXPECT_TRUE(run.waitFor([&run] { return run.seen.find("cannot be read") != std::string::npos; })) << run.output();
    run.runFor(1500);  // the notice waits for the player; nothing is written meanwhile
    EXPECT_TRUE(QFileInfo(home.conf()).isDir());
    EXPECT_EQ(QDir(home.config.path() + "/Gribo").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"Gribo.conf"});
}

// The hour stamp of now, on the machine's clock, as the game counts it.
int32_t stampNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return gribo::hourStamp(
        {now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute()});
}

QByteArray babyFedAt(int32_t stamp, int faim, const QByteArray& more = {}) {
    return "[datestats]\ndatenourrit=" + QByteArray::number(stamp) + "\n\n" + more +
           "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=" + QByteArray::number(faim) + "\n";
}

// A store kept in a folder of the player's own through a link (as a dotfiles manager
// makes it), and changed by hand while the game runs: the first life-clock tick (20 s
// in) counts the hunger from the stored value, keeps the player's section, and writes
// through the link.
TEST(EndToEnd, ALinkedStoreChangedByHandWhileTheGameRunsIsTheBaseOfTheNextTickAndStaysLinked) {
    Home home;
    QTemporaryDir own;
    const QString pet = own.path() + "/gribo.conf";
    const int32_t fed = stampNow() - 1;  // an hour ago: the first tick counts it
    {
        QFile f(pet);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(babyFedAt(fed, 300));
    }
    QDir().mkpath(home.config.path() + "/Gribo");
    ASSERT_TRUE(QFile::link(pet, home.conf()));
    GameRun run(home);
    run.start(GRIBO_EXE, "gribo.store.debug=true");
    ASSERT_TRUE(run.waitFor([&run] { return run.seen.find("gribo.store: read") != std::string::npos; }))
        << run.output();
    {
        QFile f(pet);  // edited in place, as a text editor may
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(babyFedAt(fed, 42, "[perso]\nnote=bonjour\n\n"));
    }
    const auto ticked = [&pet, fed] {
        const auto disk = gribo::test::storeOnDisk(pet);
        const auto it = disk.find("datestats/datenourrit");
        return it != disk.end() && it->second != std::to_string(fed);
    };
    ASSERT_TRUE(run.waitFor(ticked, 60000)) << run.output();
    run.runFor(0);
    const auto disk = gribo::test::storeOnDisk(pet);
    const int32_t hours = std::stoi(disk.at("datestats/datenourrit")) - fed;  // 1, or 2 across an hour
    EXPECT_EQ(disk.at("stats/faim"), std::to_string(42 + 100 * hours));
    EXPECT_EQ(disk.at("perso/note"), "bonjour");
    EXPECT_TRUE(QFileInfo(home.conf()).isSymLink());
    EXPECT_EQ(QFileInfo(home.conf()).symLinkTarget(), QFileInfo(pet).absoluteFilePath());
    EXPECT_EQ(QDir(home.config.path() + "/Gribo").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList{"Gribo.conf"});
    EXPECT_EQ(QDir(own.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"gribo.conf"});
}

}  // namespace
