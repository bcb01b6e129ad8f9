#include "desktopsession.h"

#include <QGuiApplication>

#include <windows.h>

namespace DesktopSession {

QString noDisplay(const QString &)
{
    return {}; // the desktop is always there
}

// Wine's GDI draws no text in the edit fields through Qt's usual font
// engine (the calls typed were invisible); its FreeType engine draws them.
// Windows itself keeps the usual engine, which draws its bitmap faces.
// A platform chosen on the command line still wins.
void prepareDrawing()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version");
    if (wine && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
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
