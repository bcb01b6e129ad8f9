#include "desktopsession.h"

#include <QGuiApplication>

namespace DesktopSession {

QString noDisplay(const QString &)
{
    return {}; // the desktop is always there
}

QString unreachable(const QString &)
{
    return QStringLiteral("vireok: the Windows desktop cannot be reached");
}

// Windows may end the process as soon as the session manager has asked:
// what must be kept is written then, not after the event loop.
void endWithTheSession(const std::function<void()> &keep)
{
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp, [keep](QSessionManager &) { keep(); });
}

} // namespace DesktopSession
