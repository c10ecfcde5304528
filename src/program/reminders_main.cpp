// The reminder service's program: no window, no picture; the store, the clock and the
// desktop's notifications, handed to the service.

#include <QCoreApplication>
#include <QMetaObject>

#include "platform/desktop_notifications.h"
#include "platform/system_ports.h"
#include "reminders/command_line.h"
#include "reminders/reminder_service.h"
#include "store/settings_store.h"

int main(int argc, char** argv) {
    using namespace gribo;
    const reminders::Parsed parsed = reminders::handleCommandLine(argc, argv);
    if (parsed.exitStatus) return *parsed.exitStatus;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gribo-reminders"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GRIBO_VERSION));

    platform::SystemClock clock;
    platform::DesktopNotifications notifications;
    reminders::ReminderService service({store::StoreFile::playerFile(), parsed.arguments.afterGame}, notifications,
                                       clock);
    // Ended from the event loop, so a last word to the desktop goes out first.
    QObject::connect(&service, &reminders::ReminderService::finished, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    if (const std::optional<int> status = service.start()) return *status;
    return app.exec();
}
