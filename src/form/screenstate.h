#pragma once

/// What the entry panel is busy with. The three can combine: a row can be
/// edited while COPY is ticked, and COPY can be clicked while the station
/// panel covers the grid.
struct ScreenState {
    bool manual = false;      ///< COPY ticked: QSOs typed in with their own date and time
    bool editing = false;     ///< a stored row is in the entry fields
    bool stationOpen = false; ///< the station panel covers the grid
    bool ham = false;         ///< SWL unticked: the heard station is the own call sign
};
