#pragma once

#include "store/qsorecord.h"

#include <QString>

/// The default report for a station in this mode.
inline QString defaultReport(const QString &mode)
{
    return mode == QLatin1String("CW") ? QStringLiteral("599") : QStringLiteral("59");
}

enum class RepeatColour { Normal, Red, Aqua };

/// Red for a repeat as heard station only, aqua as worked station only.
inline RepeatColour repeatColour(qint64 heardCount, qint64 workedCount)
{
    if (heardCount > 0 && workedCount == 0)
        return RepeatColour::Red;
    if (workedCount > 0 && heardCount == 0)
        return RepeatColour::Aqua;
    return RepeatColour::Normal;
}

/// The colour's meaning in words, for a user who cannot see it; empty when normal.
inline QString repeatDescription(RepeatColour colour, qint64 heardCount, qint64 workedCount)
{
    switch (colour) {
    case RepeatColour::Red: return QStringLiteral("Повтор: уже записан первой станцией, Heard = %1").arg(heardCount);
    case RepeatColour::Aqua: return QStringLiteral("Повтор: уже записан второй станцией, Worked = %1").arg(workedCount);
    case RepeatColour::Normal: break;
    }
    return {};
}

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
