#include <QApplication>

#include "ui/command_line.h"
#include "ui/form1.h"
#include "ui/identity.h"

int main(int argc, char** argv) {
    if (const std::optional<int> status = gribo::ui::handleCommandLine(argc, argv)) return *status;
    QApplication app(argc, argv);
    gribo::ui::setApplicationIdentity();
    auto* form1 = new gribo::ui::Form1();
    form1->setAttribute(Qt::WA_DeleteOnClose);  // its timers end with it
    form1->show();
    return app.exec();
}
