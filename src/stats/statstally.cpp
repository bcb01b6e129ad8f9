#include "statstally.h"

#include <QDate>

#include <algorithm>
#include <set>

std::optional<qint64> qsoMinute(const QString &data, const QString &time)
{
    const bool digits = time.size() == 4 && std::all_of(time.begin(), time.end(), [](QChar c) {
                            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                        });
    const QDate date = data.size() == 10 ? QDate::fromString(data, QStringLiteral("yyyy-MM-dd")) : QDate();
    if (!digits || !date.isValid() || date.year() < 1970)
        return std::nullopt;
    const int hour = time.left(2).toInt(), minute = time.mid(2).toInt();
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * 1440 + hour * 60 + minute;
}

std::optional<qint64> tenQsoRate(const std::vector<std::optional<qint64>> &minutes)
{
    if (minutes.size() < 10)
        return std::nullopt;
    const auto &first = minutes[minutes.size() - 10];
    const auto &last = minutes.back();
    if (!first || !last || *last - *first <= 0)
        return std::nullopt;
    const qint64 span = *last - *first;
    return (9 * 60 + span / 2) / span; // rounded to the nearest whole QSO
}

void StatsTally::clear()
{
    m_cells.clear();
    m_minutes.clear();
    m_hours.clear();
}

namespace {
// A count that falls to nothing leaves no entry, so a band or tour that is
// no longer in the log leaves the tables.
template <typename Map, typename Key, typename Change>
void change(Map &map, const Key &key, Change apply)
{
    auto &value = map[key];
    apply(value);
    if (value == typename Map::mapped_type{})
        map.erase(key);
}
} // namespace

void StatsTally::add(const QsoTally &t)
{
    auto &cell = m_cells[{t.band, t.tur}];
    cell.qsos += t.qsos;
    cell.workedNumbers += t.workedNumbers;
    if (cell.qsos == 0)
        m_cells.erase({t.band, t.tur});
    if (const auto minute = qsoMinute(t.data, t.time)) {
        change(m_minutes, *minute, [&](qint64 &n) { n += t.qsos; });
        change(m_hours, std::make_pair(*minute / 60, t.band), [&](qint64 &n) { n += t.qsos; });
    }
}

void StatsTally::add(const QsoRecord &q, int sign)
{
    add(QsoTally{q.band, q.tur, q.data, q.time, sign, q.hasWorkedNumber() ? sign : 0});
}

QStringList StatsTally::bands(const QStringList &order) const
{
    std::set<QString> present;
    for (const auto &entry : m_cells)
        present.insert(entry.first.first);
    QStringList out;
    for (const QString &band : order)
        if (present.erase(band))
            out << band;
    for (const QString &band : present)
        out << band;
    return out;
}

QStringList StatsTally::tours() const
{
    std::set<QString> present;
    for (const auto &entry : m_cells)
        present.insert(entry.first.second);
    return QStringList(present.begin(), present.end());
}

StatsTally::Cell StatsTally::cell(const std::optional<QString> &band, const std::optional<QString> &tour) const
{
    Cell sum;
    for (const auto &[key, cell] : m_cells)
        if ((!band || key.first == *band) && (!tour || key.second == *tour)) {
            sum.qsos += cell.qsos;
            sum.workedNumbers += cell.workedNumbers;
        }
    return sum;
}

qint64 StatsTally::qsosBetween(qint64 first, qint64 last) const
{
    qint64 sum = 0;
    for (auto it = m_minutes.lower_bound(first); it != m_minutes.end() && it->first <= last; ++it)
        sum += it->second;
    return sum;
}

std::optional<qint64> StatsTally::lastHour() const
{
    if (m_minutes.empty())
        return std::nullopt;
    return m_minutes.rbegin()->first / 60;
}

std::vector<std::pair<QString, qint64>> StatsTally::hour(qint64 hour) const
{
    std::vector<std::pair<QString, qint64>> out;
    for (auto it = m_hours.lower_bound({hour, QString()}); it != m_hours.end() && it->first.first == hour; ++it)
        out.emplace_back(it->first.second, it->second);
    return out;
}
