#pragma once

#include "entry/repeatverdict.h"
#include "store/qsorecord.h"

#include <QString>

/// What the repeat window compares its rows with, read from the main window.
struct RepeatContext {
    QString heardCall, workedCall, band, mode, tour;
};

enum class CallMark { None, BoldRed, BoldBlue };

/// call1 cells equal to either call are bold red; call2 cells bold blue.
inline CallMark callMark(const QString &value, bool workedColumn, const RepeatContext &c)
{
    if (value != c.heardCall && value != c.workedCall)
        return CallMark::None;
    return workedColumn ? CallMark::BoldBlue : CallMark::BoldRed;
}

/// A row on this band, mode and tour in which either call stands.
inline bool isRepeatRow(const RepeatRow &r, const RepeatContext &c)
{
    return r.mode == c.mode && r.tur == c.tour && r.band == c.band &&
           (r.call1 == c.heardCall || r.call2 == c.heardCall || r.call1 == c.workedCall || r.call2 == c.workedCall);
}
