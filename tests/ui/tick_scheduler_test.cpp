#include "ui/tick_scheduler.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <QTimerEvent>

#include "care/commands.h"
#include "state/startup.h"
#include "support/fakes.h"

namespace gribo::ui {
namespace {

TEST(TickScheduler, ArmsTheAnimationTimerOnceForEachStepOnTheMonotonicClock) {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo").clear();
    test::Rig fakes;
    GameSession session(fakes.clock, fakes.random, fakes.pictures, fakes.windows, fakes.sound);
    QTimer timer;
    qint64 now = 0;
    TickScheduler scheduler(timer, session, [&now] { return now; });
    QObject::connect(&timer, &QTimer::timeout, [&scheduler] { scheduler.step(); });
    const auto fire = [&timer] {
        QTimerEvent due(timer.timerId());
        QCoreApplication::sendEvent(&timer, &due);
    };
    const auto adulte = [](Game& g) { g.pet.stade = "Adulte"; };

    const struct {
        qint64 now;
        std::function<void()> act;
        int compteur;
        int interval;  // -1: the timer sleeps until another handler runs
    } script[] = {
        {0, [&] { scheduler.run(startUp); }, 0, 10},  // a new egg, shown at its first tick
        {10, fire, 1, 790},
        {500, [&] { scheduler.run(stats); }, 50, 300},
        {5000, [&] { scheduler.run(stats); }, 79, 0},  // long after the next step: counted up to it
        {5004, fire, 80, 806},
        {5500, [&] { scheduler.run(adulte); }, 130, -1},
        {9000, [&] { scheduler.run(stats); }, 480, -1},
    };
    for (const auto& s : script) {
        now = s.now;
        s.act();
        EXPECT_EQ(session.pet().compteur, s.compteur) << s.now;
        EXPECT_EQ(timer.isActive() ? timer.interval() : -1, s.interval) << s.now;
    }
    EXPECT_TRUE(timer.isSingleShot());
    EXPECT_EQ(timer.timerType(), Qt::PreciseTimer);
    // After the room and the sky, the egg's two frames.
    const auto& loads = fakes.pictures.loads;
    ASSERT_GE(loads.size(), 2u);
    EXPECT_EQ(loads[loads.size() - 2].path, "\\datas\\gribo\\oeufbleuF1.gif");
    EXPECT_EQ(loads.back().path, "\\datas\\gribo\\oeufbleuF2.gif");
}

}  // namespace
}  // namespace gribo::ui
