// The program: builds the game's services from the rooms and hands them to the main
// window. This is the one place that names the concrete adapters.

#include <QApplication>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>
#include <optional>

#include "assets/catalogue.h"
#include "platform/asset_folder.h"
#include "platform/command_line.h"
#include "platform/companions.h"
#include "platform/desktop_notifications.h"
#include "platform/identity.h"
#include "platform/platform_env.h"
#include "platform/single_instance.h"
#include "platform/start_up.h"
#include "platform/system_ports.h"
#include "sound/pulse_cry.h"
#include "store/player_store.h"
#include "store/settings_file.h"
#include "windows/form1.h"
#include "windows/secondary_windows.h"
#include "windows/store_notice.h"

int main(int argc, char** argv) {
    using namespace gribo;
    if (const std::optional<int> status = platform::handleCommandLine(argc, argv)) return *status;
    platform::prepareEnvironment();
    platform::FontsAhead fonts;  // read while the application connects to the display
    QApplication app(argc, argv);
    // On every way out the reader ends before the application: the application's end
    // tears down what fontconfig may still be loading.
    const auto fontsRead = qScopeGuard([&fonts] { fonts.ready(); });
    platform::setApplicationIdentity();

    // One game per store: a second start brings the first one forward and leaves.
    // Not a QSettings: the store is read first, and only, by the game that plays on it.
    const QString file = store::playerStoreFile();
    platform::SingleInstance instance(file);
    if (!instance.primary()) {
        if (!instance.bringPrimaryForward(1500)) qInfo("Gribo is already running for %s.", qPrintable(file));
        return 0;
    }

    // A store that is there but cannot be read holds a pet: the game tells the player
    // and stops, rather than start a new egg that would be saved over it.
    store::SettingsFile saved(file);
    if (const store::SettingsFile::Loaded loaded = saved.load(); !loaded.readable) {
        windows::showStoreUnreadable(file, loaded.reason);
        return 1;
    }

    // The game's services, which outlive its main window.
    platform::SystemClock clock;
    platform::SystemRandom random;
    windows::SecondaryWindows shown;
    sound::PulseCry cry(platform::assetFile(asset::kPleureWav));
    fonts.ready();
    platform::DesktopNotifications notifications;
    QPointer<windows::Form1> form1 =
        new windows::Form1({.store = saved,
                            .clock = clock,
                            .random = random,
                            .windows = shown,
                            .sound = cry,
                            .storeNotices = {windows::showStoreFailure, windows::showStoreSavedAgain},
                            .notifications = &notifications});
    form1->setAttribute(Qt::WA_DeleteOnClose);  // its timers end with it
    QObject::connect(&instance, &platform::SingleInstance::comeForward, form1, [form1] {
        form1->showNormal();
        form1->raise();
        form1->activateWindow();
    });
    // Once the main window is closed the pet no longer runs here: a new start may play.
    QObject::connect(form1, &QObject::destroyed, &instance, &platform::SingleInstance::release);
    // While the main window lives the game's name is on the session bus, so the
    // reminder service keeps quiet; once it is gone the service looks after the pet.
    QObject::connect(form1, &QObject::destroyed, [] {
        platform::withdrawGame();
        platform::startRemindersUnlessRunning();
    });
    form1->show();
    platform::afterFirstPicture(*form1->windowHandle(), platform::setWindowIcons);
    QTimer::singleShot(0, [] { platform::announceGame(); });  // after the first paint is on its way
    const int status = app.exec();
    delete form1;  // if its deletion was still pending: before the services it runs on
    return status;
}
