// When the game wakes: the animation timer is armed once for each step, on the
// monotonic clock.

#include "session/tick_scheduler.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <QTimerEvent>
#include <functional>

#include "care/commands.h"
#include "rules/startup.h"
#include "session/game_session.h"
#include "support/fakes.h"
#include "support/synced_store.h"

namespace gribo::session {
namespace {

// Fires a timer as the event loop does when its interval has passed.
void fire(QTimer* timer) {
    QTimerEvent tick(timer->timerId());
    QCoreApplication::sendEvent(timer, &tick);
}

TEST(TickScheduler, ArmsTheAnimationTimerOnceForEachStepOnTheMonotonicClock) {
    test::Rig fakes;
    test::MemorySyncedStore store;
    GameSession session(store, fakes.clock, fakes.random, fakes.pictures, fakes.windows, fakes.sound);
    QTimer timer;
    qint64 now = 0;
    TickScheduler scheduler(timer, session, [&now] { return now; });
    QObject::connect(&timer, &QTimer::timeout, [&scheduler] { scheduler.step(); });
    const auto cry = [](Game& g) { g.pet.stade = "nourrissonpleure", g.pet.compteur = 0; };
    const struct {
        qint64 now;
        std::function<void()> act;
        int compteur;
        int interval;  // -1: the timer sleeps until another handler runs
    } script[] = {
        {0, [&] { scheduler.run(startUp); }, 0, 10},  // a new egg, shown at its first tick
        {10, [&] { fire(&timer); }, 1, 790},
        {500, [&] { scheduler.run(stats); }, 50, 300},
        {5000, [&] { scheduler.run(cry); }, 0, 500},  // long after the egg's next step: it cries from now on
        {5500, [&] { fire(&timer); }, 50, 500},
        {3606000, [&] { fire(&timer); }, 0, 500},  // an hour late: one step, and on from there
        {3606200, [&] { scheduler.run([](Game& g) { g.pet.stade = "Adulte"; }); }, 20, -1},
        {3609000, [&] { scheduler.run(stats); }, 300, -1},
    };
    for (const auto& s : script) {
        now = s.now;
        s.act();
        EXPECT_EQ(session.pet().compteur, s.compteur) << s.now;
        EXPECT_EQ(timer.isActive() ? timer.interval() : -1, s.interval) << s.now;
    }
    QStringList frames;  // after the room and the sky
    for (const auto& load : fakes.pictures.loads) frames << QString::fromStdString(load.path).section('\\', -1);
    EXPECT_EQ(frames.mid(frames.size() - 3),
              QStringList({"oeufbleuF1.gif", "nourrissonpleureF1.gif", "nourrissonpleureF2.gif"}));
    EXPECT_EQ(fakes.sound.plays.size(), 1u);
}

}  // namespace
}  // namespace gribo::session
