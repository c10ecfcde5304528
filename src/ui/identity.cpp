#include "ui/identity.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

namespace gribo::ui {

void setApplicationIdentity() {
    QApplication::setApplicationName("Gribo");
    QApplication::setApplicationVersion(GRIBO_VERSION);
    QApplication::setDesktopFileName(GRIBO_APP_ID);
    // Every size of the icon theme, so that no window system has to scale the art.
    QIcon icon;
    for (const QFileInfo& file : QDir(":/gribo/icons").entryInfoList(QDir::Files)) icon.addFile(file.filePath());
    QApplication::setWindowIcon(icon);
}

}  // namespace gribo::ui
