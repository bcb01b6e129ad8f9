#include "screenlook.h"

#include "fieldcolours.h"

ScreenLook screenLook(const ScreenState &s)
{
    ScreenLook look{};
    // Editing wins over manual entry: its OK writes the edited row, and a
    // second OK beside it would record a new QSO instead.
    look.shownOk = s.editing ? ScreenLook::Edit : s.manual ? ScreenLook::Manual : ScreenLook::Record;
    look.okEnabled = !s.stationOpen;
    look.dateTimeShown = s.manual || s.editing;
    look.rstShown = look.copyShown = !s.editing;
    look.tourShown = look.swlShown = !s.editing && !s.manual;
    look.clockShown = !s.editing && !s.manual;
    look.gridShown = !s.stationOpen;
    look.gridEnabled = !s.editing;
    // Each state locks its own menus; together they keep both locks.
    look.windowsMenu = !s.editing && !s.stationOpen;
    look.settingsMenu = !s.editing && !s.manual;
    look.logMenu = look.contestsMenu = look.helpMenu = !s.editing && !s.manual && !s.stationOpen;
    look.fieldColour = s.editing ? FieldColours::yellow : s.manual ? FieldColours::moneyGreen : FieldColours::window();
    look.repeatColours = !s.editing && !s.manual;
    look.heardCallLocked = s.ham && !s.editing;
    look.heardCallColour = look.heardCallLocked && !s.manual ? FieldColours::buttonFace() : look.fieldColour;
    look.swlCaption = s.ham ? QStringLiteral("HAM") : QStringLiteral("SWL");
    return look;
}
