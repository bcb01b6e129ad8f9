#pragma once

#include <QColor>
#include <QString>

/// What the entry panel is busy with. The three can combine: a row can be
/// edited while COPY is ticked, and COPY can be clicked while the station
/// panel covers the grid.
struct ScreenState {
    bool manual = false;      ///< COPY ticked: QSOs typed in with their own date and time
    bool editing = false;     ///< a stored row is in the entry fields
    bool stationOpen = false; ///< the station panel covers the grid
    bool ham = false;         ///< SWL unticked: the heard station is the own call sign
};

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
