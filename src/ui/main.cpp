#include <QApplication>
#include <QPointer>
#include <memory>
#include <optional>

#include "assets/catalogue.h"
#include "ui/asset_folder.h"
#include "ui/command_line.h"
#include "ui/form1.h"
#include "ui/identity.h"
#include "ui/platform_env.h"
#include "ui/qt_ports.h"
#include "ui/secondary_windows.h"
#include "ui/settings_store.h"
#include "ui/single_instance.h"
#include "ui/store_notice.h"

int main(int argc, char** argv) {
    if (const std::optional<int> status = gribo::ui::handleCommandLine(argc, argv)) return *status;
    gribo::ui::prepareEnvironment();
    QApplication app(argc, argv);
    gribo::ui::setApplicationIdentity();

    // One game per store: a second start brings the first one forward and leaves.
    // Not a QSettings: the store is read first, and only, by the game that plays on it.
    const QString file = gribo::ui::StoreFile::playerFile();
    gribo::ui::SingleInstance instance(file);
    if (!instance.primary()) {
        if (!instance.bringPrimaryForward(1500)) qInfo("Gribo is already running for %s.", qPrintable(file));
        return 0;
    }

    // A store that is there but cannot be read holds a pet: the game tells the player
    // and stops, rather than start a new egg that would be saved over it.
    gribo::ui::StoreFile store(file);
    if (const gribo::ui::StoreFile::Loaded loaded = store.load(); !loaded.readable) {
        gribo::ui::showStoreUnreadable(file, loaded.reason);
        return 1;
    }

    // The game's services, which outlive its main window.
    gribo::ui::QtClock clock;
    gribo::ui::QtRandom random;
    gribo::ui::SecondaryWindows windows;
    const std::unique_ptr<gribo::Sound> sound = gribo::ui::makeCrySound(gribo::ui::assetFile(gribo::asset::kPleureWav));
    QPointer<gribo::ui::Form1> form1 =
        new gribo::ui::Form1({.store = store,
                              .clock = clock,
                              .random = random,
                              .windows = windows,
                              .sound = *sound,
                              .storeNotices = {gribo::ui::showStoreFailure, gribo::ui::showStoreSavedAgain}});
    form1->setAttribute(Qt::WA_DeleteOnClose);  // its timers end with it
    QObject::connect(&instance, &gribo::ui::SingleInstance::comeForward, form1, [form1] {
        form1->showNormal();
        form1->raise();
        form1->activateWindow();
    });
    // Once the main window is closed the pet no longer runs here: a new start may play.
    QObject::connect(form1, &QObject::destroyed, &instance, &gribo::ui::SingleInstance::release);
    form1->show();
    const int status = app.exec();
    delete form1;  // if its deletion was still pending: before the services it runs on
    return status;
}
