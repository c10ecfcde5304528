#include <QApplication>

#include "ui/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto* form1 = new gribo::ui::Form1();
    form1->setAttribute(Qt::WA_DeleteOnClose);  // its timers end with it
    form1->show();
    return app.exec();
}
