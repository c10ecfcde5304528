#pragma once

// The main window on fakes, as the shell's tests drive it: every service of the game
// faked, timers fired by hand, and stores laid out as an earlier run left them.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <QTimerEvent>
#include <map>
#include <string>

#include "state/hour_stamp.h"
#include "support/fakes.h"
#include "support/store_fixture.h"
#include "support/synced_store.h"
#include "windows/form1.h"

namespace gribo::windows {

// The main window's services, all fakes: a clock that shows a minute before the hour
// changes and stays there, scripted draws, the store in memory, the windows recorded,
// the cries counted, and the animation's milliseconds moved by hand.
struct Shell {
    test::FakeClock clock{{2026, 12, 7, 18, 59}};
    test::ScriptedRandom random;
    test::MemorySyncedStore store;
    test::WindowRecorder windows;
    test::SoundCounter sound;
    qint64 ms = 0;
    QStringList told;  // what the player was told about saving

    Form1::Services services() { return services(windows); }
    // With other windows than the recorder (the real ones).
    Form1::Services services(Windows& shown) {
        return {store,
                clock,
                random,
                shown,
                sound,
                {[this](const QString&, const QString& reason) { told << "failing: " + reason; },
                 [this](const QString&) { told << "saved again"; }},
                [this] { return ms; }};
    }
};

inline QTimer* timer(Form1& w, const char* name) {
    auto* t = w.findChild<QTimer*>(name);
    EXPECT_NE(t, nullptr) << name;
    return t;
}

inline PictureSlot* slot(Form1& w, const char* name) {
    auto* s = w.findChild<PictureSlot*>(name);
    EXPECT_NE(s, nullptr) << name;
    return s;
}

// A store left by an earlier run: "section/key" = text.
using Stored = std::map<std::string, std::string>;

// A baby at rest, fed `hoursSinceFed` hours before the shell's clock.
inline Stored babyAtRest(const Shell& shell, int faim = 0, int caca = 0, int hoursSinceFed = 0) {
    Stored stored;
    const int32_t fed = hourStamp(shell.clock.now()) - hoursSinceFed;
    for (const auto& [key, value] : test::storedValues({.faim = faim, .caca = caca, .fedStamp = fed})) {
        stored[test::pathOf(key)] = value;
    }
    return stored;
}

// Fires a timer as the event loop does when its interval has passed. Timer1 then plays
// the step it was armed for.
inline void fire(QTimer* timer, int times = 1) {
    for (int i = 0; i < times; ++i) {
        QTimerEvent tick(timer->timerId());
        QCoreApplication::sendEvent(timer, &tick);
    }
}

// Fires the window's timer `name`. The animation timer fires when it was due: the
// animation's clock moves on by its interval first. The life clock's fires at once.
inline void fire(Shell& shell, Form1& w, const char* name, int times = 1) {
    QTimer* t = timer(w, name);
    ASSERT_NE(t, nullptr);
    for (int i = 0; i < times; ++i) {
        if (t->isSingleShot()) shell.ms += t->interval();
        fire(t);
    }
}

}  // namespace gribo::windows
