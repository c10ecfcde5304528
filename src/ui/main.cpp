#include <QApplication>
#include <QPointer>
#include <optional>

#include "ui/command_line.h"
#include "ui/form1.h"
#include "ui/identity.h"
#include "ui/settings_store.h"
#include "ui/single_instance.h"
#include "ui/store_notice.h"

int main(int argc, char** argv) {
    if (const std::optional<int> status = gribo::ui::handleCommandLine(argc, argv)) return *status;
    // On X11 the scene goes to the server as a plain image: it is a few kilobytes, and
    // shared memory would cost a round trip to the server, so one more wake-up of the
    // GUI thread, for every picture the pet shows.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    gribo::ui::setApplicationIdentity();

    // One game per store: a second start brings the first one forward and leaves.
    // Not a QSettings: the store is read first, and only, by the game that plays on it.
    const QString store = gribo::ui::StoreFile::playerFile();
    gribo::ui::SingleInstance instance(store);
    if (!instance.primary()) {
        if (!instance.bringPrimaryForward(1500)) qInfo("Gribo is already running for %s.", qPrintable(store));
        return 0;
    }

    // A store that is there but cannot be read holds a pet: the game tells the player
    // and stops, rather than start a new egg that would be saved over it.
    auto pet = std::make_unique<gribo::ui::StoreFile>(store);
    if (const gribo::ui::StoreFile::Loaded loaded = pet->load(); !loaded.readable) {
        gribo::ui::showStoreUnreadable(store, loaded.reason);
        return 1;
    }
    QPointer<gribo::ui::Form1> form1 = new gribo::ui::Form1(std::move(pet));
    form1->setAttribute(Qt::WA_DeleteOnClose);  // its timers end with it
    QObject::connect(&instance, &gribo::ui::SingleInstance::comeForward, form1, [form1] {
        form1->showNormal();
        form1->raise();
        form1->activateWindow();
    });
    // Once the main window is closed the pet no longer runs here: a new start may play.
    QObject::connect(form1, &QObject::destroyed, &instance, &gribo::ui::SingleInstance::release);
    form1->show();
    return app.exec();
}
