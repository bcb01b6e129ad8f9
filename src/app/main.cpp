#include "clocksource.h"
#include "fonts.h"
#include "inifile.h"
#include "qtprompts.h"
#include "store.h"
#include "taboutbox.h"
#include "tcontest.h"
#include "tcontestup.h"
#include "timeseams.h"
#include "tmain.h"
#include "trptqso.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    const bool noPlatformChosen = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (noPlatformChosen && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "vireok: no X display (DISPLAY is not set); to try it without a desktop run: "
                             "xvfb-run -a %s\n", argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vireok"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vireok"));
    Fonts::load();
    QApplication::setFont(Fonts::sansSerif(11));

    Store store;
    QtPrompts prompts;
    QtDesktop desktop;
    SystemClock clock;
    const QString iniPath = IniFile::defaultPath();

    SystemZoneBias zone;
    SystemClockSetter clockSetter;
    TMain main({store, prompts, desktop, clock, zone, clockSetter, iniPath});
    TContest contest(store, prompts, &main);
    main.setContestWindow(&contest);
    TRptQso repeats(main.repeatList(), &main);
    main.setRepeatWindow(&repeats);
    TContestUp addContest(store, prompts, &contest);
    contest.setAddWindow(&addContest);
    TAboutBox about(&main);
    main.setAboutBox(&about);

    main.show();
    const int result = app.exec();
    main.saveSettings();
    return result;
}
