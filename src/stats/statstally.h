#pragma once

#include "store/qsorecord.h"

#include <QStringList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

/// Minutes since 1970-01-01 00:00 UTC of a QSO's date (YYYY-MM-DD) and time
/// (HHMM); nothing when either is not a real date (1970 or later) or time of
/// day.
std::optional<qint64> qsoMinute(const QString &data, const QString &time);

/// QSOs per hour at the pace of the last ten: 9 × 60 ÷ the minutes from the
/// first of them to the tenth, rounded, given the minutes of the last QSOs
/// in the order of adding. Nothing when there are fewer than ten, the first
/// or the tenth has no usable date and time, or no minute passed between.
std::optional<qint64> tenQsoRate(const std::vector<std::optional<qint64>> &minutes);

/// The log counted by band and tour (QSOs and worked numbers), by minute and
/// by hour and band, changed by what changes. QSOs whose date or time is not
/// usable count by band and tour only.
class StatsTally {
public:
    struct Cell {
        qint64 qsos = 0, workedNumbers = 0;
        /// As the status bar counts: 3 with the worked station's number, 1 without.
        qint64 points() const { return qsos + 2 * workedNumbers; }
    };

    void clear();
    /// Adds the counts (negative to take them away).
    void add(const QsoTally &tally);
    void add(const QsoRecord &qso, int sign);

    /// Bands with QSOs, those of order first in its order, the others after
    /// them by their text.
    QStringList bands(const QStringList &order) const;
    /// Tours with QSOs, by their text.
    QStringList tours() const;
    /// No band or no tour adds up over all of them.
    Cell cell(const std::optional<QString> &band, const std::optional<QString> &tour) const;
    bool isEmpty() const { return m_cells.empty(); }

    /// QSOs from minute first up to minute last, both included.
    qint64 qsosBetween(qint64 first, qint64 last) const;
    /// The hour (minute ÷ 60) of the latest QSO with a usable date and time.
    std::optional<qint64> lastHour() const;
    /// QSOs per band in one hour.
    std::vector<std::pair<QString, qint64>> hour(qint64 hour) const;

private:
    std::map<std::pair<QString, QString>, Cell> m_cells; ///< by band and tour
    std::map<qint64, qint64> m_minutes;
    std::map<std::pair<qint64, QString>, qint64> m_hours; ///< by hour and band
};
