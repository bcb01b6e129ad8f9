#include "desktopsession.h"

#include <QGuiApplication>

#include <windows.h>

namespace DesktopSession {

QString noDisplay(const QString &)
{
    return {}; // the desktop is always there
}

// Under Wine, its GDI draws no text in the edit fields through Qt's usual
// font engine (the calls typed were invisible), and its save dialog gives
// back no file for the program's folder, so reports were never written:
// there Qt's FreeType engine and Qt's own dialogs take their place. Windows
// itself keeps its usual engine, which draws its bitmap faces, and its own
// dialogs. A platform chosen on the command line still wins.
void prepare()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version"))
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
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
