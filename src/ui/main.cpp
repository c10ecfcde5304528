#include <QApplication>

#include "ui/form1.h"

int main(int argc, char** argv) {
    // On X11 the scene goes to the server as a plain image: it is a few kilobytes, and
    // shared memory would cost a round trip to the server, so one more wake-up of the
    // GUI thread, for every picture the pet shows.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    auto* form1 = new gribo::ui::Form1();
    form1->setAttribute(Qt::WA_DeleteOnClose);  // its timers end with it
    form1->show();
    return app.exec();
}
