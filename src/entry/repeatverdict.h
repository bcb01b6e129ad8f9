#pragma once

#include <QString>

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

/// What the repeat check found for the call in one call field, and the
/// colour the field shows: a value the rules read, never a palette.
struct CallVerdict {
    qint64 asHeard = 0;  ///< QSOs with the call as heard station on this band, mode and tour
    qint64 asWorked = 0; ///< ... as worked station
    RepeatColour colour = RepeatColour::Normal;
    friend bool operator==(const CallVerdict &a, const CallVerdict &b)
    {
        return a.asHeard == b.asHeard && a.asWorked == b.asWorked && a.colour == b.colour;
    }
    friend bool operator!=(const CallVerdict &a, const CallVerdict &b) { return !(a == b); }
};
