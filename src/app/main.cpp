#include "application.h"
#include "inifile.h"
#include "playersounds.h"
#include "programwindows.h"
#include "qtprompts.h"
#include "terminationsignal.h"

#include "seams/clocksource.h"
#include "store/store.h"
#include "timesync/systemtime.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
const char *g_program = "vireok";

// Qt gives up on a display it cannot reach with an abort and advice to
// reinstall; a user needs to know which display failed instead.
void startupMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtFatalMsg)
        return; // the platform's own warnings would only repeat what follows
    if (text.contains(QLatin1String("platform plugin"))) {
        std::fprintf(stderr,
                     "vireok: cannot reach the X display \"%s\" (DISPLAY); to try it without a desktop run: "
                     "xvfb-run -a %s\n",
                     qgetenv("DISPLAY").constData(), g_program);
    } else {
        std::fprintf(stderr, "vireok: %s\n", qPrintable(text));
    }
    std::_Exit(1);
}
} // namespace

int main(int argc, char *argv[])
{
    g_program = argv[0];
    const bool noPlatformChosen = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (noPlatformChosen && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "vireok: no X display (DISPLAY is not set); to try it without a desktop run: "
                     "xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    const QtMessageHandler ordinary = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(ordinary);
    setUpApplication();

    Store store;
    QtPrompts prompts;
    QtDesktop desktop;
    SystemClock clock;
    const QString iniPath = IniFile::defaultPath();

    SystemZoneBias zone;
    SystemClockSetter clockSetter;
    PlayerSounds sounds;
    TMain::Services services{store, prompts, desktop, clock, zone, clockSetter, iniPath};
    services.sounds = &sounds;
    ProgramWindows windows(services);
    windows.main.show();
    quitOnTermination();
    const int result = app.exec();
    windows.main.saveSettings();
    return result;
}
