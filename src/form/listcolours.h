#pragma once

#include <QColor>

/// The colours of the repeat window's list.
namespace ListColours {
inline const QColor repeatRow{255, 204, 204}; ///< a QSO that repeats the one being entered
inline const QColor heardCall{255, 0, 0};     ///< the call repeated as the heard station
inline const QColor workedCall{0, 0, 255};    ///< the call repeated as the worked station, and the tour
} // namespace ListColours
