#pragma once

// What the running game tells the player itself when none of its windows is active:
// the baby starts crying, falls sick, or gets a death notice. One notification of the
// desktop's (the same kind as the reminders', clicking it brings the main window
// forward) and the urgency hint on the main window, so the taskbar shows it. Nothing
// while a window of the game is active; the notice goes once one is.

#include <QObject>
#include <QPointer>
#include <optional>
#include <string>
#include <string_view>

#include "foresight/reminder_texts.h"
#include "platform/desktop_notifications.h"

class QWidget;

namespace gribo::windows {

// The news of one life-clock tick, from the stage before and after it and the death
// notice it showed (empty: none); `deathBefore` says the last tick showed one too, as
// the starvation notice comes back at every tick.
std::optional<foresight::Tell> newsOfTick(std::string_view stadeBefore, std::string_view stadeAfter,
                                          std::string_view deathNotice, bool deathBefore);

class GameAlerts : public QObject {
    Q_OBJECT
public:
    // `notifications` may be null: then only the urgency hint.
    GameAlerts(QWidget& mainWindow, platform::DesktopNotifications* notifications);

    // After each life-clock tick: tells `news`, if any, unless a window of the game is active.
    void tell(std::optional<foresight::Tell> news);

private:
    QWidget& main_;
    QPointer<platform::DesktopNotifications> notifications_;
};

}  // namespace gribo::windows
