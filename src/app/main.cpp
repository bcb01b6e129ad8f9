#include "application.h"
#include "desktopsession.h"
#include "program.h"
#include "qtprompts.h"
#include "systemsounds.h"

#include "seams/clocksource.h"
#include "settings/inifile.h"
#include "settings/programfolder.h"
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
        std::fprintf(stderr, "%s\n", qPrintable(DesktopSession::unreachable(QString::fromLocal8Bit(g_program))));
    } else {
        std::fprintf(stderr, "vireok: %s\n", qPrintable(text));
    }
    std::_Exit(1);
}
} // namespace

int main(int argc, char *argv[])
{
    g_program = argv[0];
    const QString noDisplay = DesktopSession::noDisplay(QString::fromLocal8Bit(argv[0]));
    if (!noDisplay.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
        return 1;
    }
    DesktopSession::prepare();
    // The windows are laid out to the pixel in raster faces (MS Sans Serif
    // has 13, 16 and 20 px strikes only): at a fractional scale such as 125 %
    // text and frames round apart, and the tour clock lost its top row,
    // "UTC:" its colon. Whole factors only: 125 % draws as designed, 150 %
    // and more doubles every pixel, larger as the user asked and never cut.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    const QtMessageHandler ordinary = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(ordinary);
    setUpApplication();
    leaveHiddenProgramFolder();

    Store store;
    QtPrompts prompts;
    QtDesktop desktop;
    SystemClock clock;
    const QString iniPath = IniFile::defaultPath();

    SystemZoneBias zone;
    SystemClockSetter clockSetter;
    const std::unique_ptr<Sounds> sounds = systemSounds();
    Program::Services services{store, prompts, desktop, clock, zone, clockSetter, iniPath};
    services.sounds = sounds.get();
    Program program(services);
    // Its box has said that another copy has the log open: a second main
    // window, one that records nothing, would only catch the typing meant
    // for the first. Nor does it write that copy's settings.ini over.
    if (store.heldByOther())
        return 1;
    program.main.show();
    DesktopSession::endWithTheSession([&program] { program.saveSettings(); });
    const int result = app.exec();
    program.saveSettings();
    return result;
}
