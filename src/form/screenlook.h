#pragma once

#include "screenstate.h"

#include <QColor>
#include <QString>

/// What one state shows, enables and paints.
struct ScreenLook {
    enum Ok { Record, Manual, Edit };
    Ok shownOk;
    bool okEnabled;
    bool dateTimeShown;
    bool rstShown, tourShown, swlShown, copyShown;
    bool clockShown; ///< tour and UTC captions, their times and the tour number
    bool gridShown, gridEnabled;
    bool logMenu, settingsMenu, contestsMenu, windowsMenu, helpMenu; ///< enabled
    QColor fieldColour;                                              ///< the entry fields, date and time, band and mode
    bool repeatColours; ///< the call fields show the repeat check's colours, not fieldColour
    QColor heardCallColour;
    bool heardCallLocked; ///< the own call sign stands there, read-only
    QString swlCaption;
};

/// The one table of the screen's states.
ScreenLook screenLook(const ScreenState &state);
