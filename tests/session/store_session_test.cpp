// The session on the player's own file: a disk full for a while, a file changed or made
// unreadable while the game runs. The player is told once, and the pet is never lost.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <cstdint>

#include "care/commands.h"
#include "life/life_clock.h"
#include "rules/startup.h"
#include "session/game_session.h"
#include "state/hour_stamp.h"
#include "store/settings_file.h"
#include "support/fakes.h"
#include "support/faulty_files.h"
#include "support/player_files.h"

namespace gribo::session {
namespace {

using test::bytesOf;
using test::Home;
using test::put;

const QByteArray kOldPet = "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=300\n";

// A session on `store`, with every notice it gives written down.
struct Session {
    test::Rig fakes;
    GameSession session;
    QStringList told;
    explicit Session(store::SyncedStore& store)
        : session(store, fakes.clock, fakes.random, fakes.pictures, fakes.windows, fakes.sound) {
        session.onStoreNotices({[this](const QString& file, const QString& reason) { told << file + ": " + reason; },
                                [this](const QString& file) { told << "saved again: " + file; }});
    }
};

TEST(StoreSession, ADiskFullForAWhileIsToldOnceAndLosesNothingOnceThereIsRoom) {
    Home home;
    put(home.store(), kOldPet);
    test::FaultyFiles files;
    store::SettingsFile store(home.store(), files);
    ASSERT_TRUE(store.load().readable);
    Session s(store);
    GameSession& session = s.session;
    session.run(startUp);
    EXPECT_EQ(session.pet().stade, "nourrisson");

    files.full = true;
    session.run(lait);  // cacafait "Non"
    session.run([](Game& g) { g.store.set(Key::Faim, "-100"); });
    session.saveUnsaved();  // a life-clock tick
    session.saveUnsaved();  // the window closes
    EXPECT_EQ(s.told, QStringList{home.store() + ": " + qt_error_string(ENOSPC)});
    EXPECT_EQ(bytesOf(home.store()), kOldPet);
    EXPECT_TRUE(session.saveFailing());

    const int tries = files.calls.count("open new file");
    session.run([](Game&) {});  // a handler that changes nothing does not try again
    EXPECT_EQ(files.calls.count("open new file"), tries);
    EXPECT_EQ(s.told.size(), 1);

    files.full = false;  // room is made
    session.saveUnsaved();
    EXPECT_EQ(s.told.size(), 2);
    EXPECT_EQ(s.told.value(1), "saved again: " + home.store());
    EXPECT_EQ(bytesOf(home.store()), "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Non\nfaim=-100\n");

    files.full = true;  // a second episode is told again
    session.run([](Game& g) { g.store.set(Key::Caca, "1"); });
    EXPECT_EQ(s.told.size(), 3);
}

// A store's last meal at the fake clock's hour (7 March 2006, 9:05), or an hour before.
QByteArray fedHoursAgo(int hours) {
    const int32_t stamp = hourStamp(test::FakeClock().now()) - hours;
    return "[datestats]\ndatenourrit=" + QByteArray::number(stamp) + "\n\n";
}
const QByteArray kThisHour = fedHoursAgo(0);
const QByteArray kHourBefore = fedHoursAgo(1);

TEST(StoreSession, TheHungerStepCountsFromTheHungerOnDiskAndWhatThePlayerAddedIsKept) {
    Home home;
    put(home.store(), kHourBefore + kOldPet);
    store::SettingsFile store(home.store());
    ASSERT_TRUE(store.load().readable);
    Session s(store);
    s.session.run(startUp);
    EXPECT_EQ(s.session.pet().faim, 300);

    // By hand, while the game runs: another hunger, a section and a key of the player's.
    put(home.store(), kHourBefore +
                          "[perso]\nnote=bonjour\n\n[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\n"
                          "faim=42\nhumeur=gaie\n");
    s.session.run(lifeClockTick);  // an hour has passed since the meal
    EXPECT_EQ(s.session.pet().faim, 142);
    EXPECT_EQ(bytesOf(home.store()), kThisHour +
                                         "[perso]\nnote=bonjour\n\n[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\n"
                                         "cacafait=Oui\nfaim=142\nhumeur=gaie\n");
    EXPECT_TRUE(s.told.isEmpty());
}

TEST(StoreSession, AFileThatCanNoLongerBeReadIsToldOnceAndTheGamePlaysOnFromMemory) {
    Home home;
    put(home.store(), kThisHour + kOldPet);
    store::SettingsFile store(home.store());
    ASSERT_TRUE(store.load().readable);
    Session s(store);
    s.session.run(startUp);

    ASSERT_TRUE(QFile::remove(home.store()) && QDir().mkdir(home.store()));  // a folder in its place
    s.session.run(lifeClockTick);                                            // reads, writes nothing
    ASSERT_EQ(s.told.size(), 1);
    EXPECT_EQ(s.told[0], home.store() + ": " + store.unreadable());
    s.session.run(lait);      // writes cacafait "Non": refused, not told again
    s.session.saveUnsaved();  // the next tick
    s.session.run(stats);
    s.session.saveUnsaved();  // the window closes
    EXPECT_EQ(s.told.size(), 1);
    EXPECT_EQ(s.session.pet().cacafait, "Non");  // the game played on
    EXPECT_TRUE(QFileInfo(home.store()).isDir());

    ASSERT_TRUE(QDir().rmdir(home.store()));
    put(home.store(), kThisHour + kOldPet + "humeur=gaie\n");
    s.session.saveUnsaved();  // tried again at the next tick: it lands
    EXPECT_EQ(s.told.value(1), "saved again: " + home.store());
    EXPECT_EQ(bytesOf(home.store()), kThisHour +
                                         "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Non\nfaim=300\n"
                                         "humeur=gaie\n");

    // Unreadable again with nothing to save, then readable again: told, and told back.
    ASSERT_TRUE(QFile::remove(home.store()) && QDir().mkdir(home.store()));
    s.session.run(lifeClockTick);
    ASSERT_TRUE(QDir().rmdir(home.store()));
    put(home.store(), kThisHour + kOldPet);
    s.session.run(lifeClockTick);
    EXPECT_EQ(s.told.size(), 4);
    EXPECT_EQ(s.told.value(3), "saved again: " + home.store());
}

}  // namespace
}  // namespace gribo::session
