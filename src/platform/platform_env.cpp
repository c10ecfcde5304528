#include "platform/platform_env.h"

#include <QByteArray>
#include <QtGlobal>

namespace gribo::platform {

void prepareEnvironment() {
#if defined(Q_OS_LINUX)
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");

    static const QByteArray ours = "application.name='Gribo' application.icon_name='" GRIBO_APP_ID "'";
    const QByteArray theirs = qgetenv("PULSE_PROP_OVERRIDE");
    if (theirs.startsWith(ours)) return;  // named already
    qputenv("PULSE_PROP_OVERRIDE", theirs.isEmpty() ? ours : ours + ' ' + theirs);
#endif
}

}  // namespace gribo::platform
