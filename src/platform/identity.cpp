#include "platform/identity.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>

namespace gribo::platform {

void setApplicationIdentity() {
    QGuiApplication::setApplicationName("Gribo");
    QGuiApplication::setApplicationVersion(GRIBO_VERSION);
    QGuiApplication::setDesktopFileName(GRIBO_APP_ID);
}

void setWindowIcons() {
    // Every size of the icon theme, so that no window system has to scale the art.
    QIcon icon;
    for (const QFileInfo& file : QDir(":/gribo/icons").entryInfoList(QDir::Files)) icon.addFile(file.filePath());
    QGuiApplication::setWindowIcon(icon);
}

}  // namespace gribo::platform
