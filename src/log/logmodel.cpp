#include "logmodel.h"

#include "fonts/fonts.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QFont>

namespace {

constexpr int kPageSize = 64;
constexpr int kMaxPages = 32;

const char *const kTitles[] = {"FREQ", "MD", "DATE", "TIME", "CALL-1", "RST-1", "NR-1", "CALL-2", "RST-2", "NR-2"};

QFont cellFont(int column)
{
    return Fonts::courier(column < 4 ? 11 : 12);
}

} // namespace

LogModel::LogModel(Store &store, QObject *parent) : QAbstractTableModel(parent), m_store(store) {}

void LogModel::reload()
{
    beginResetModel();
    forgetPages();
    try {
        // A log that was only added to holds every id from its lowest to its
        // highest: its rows are known from three quick answers. Only a log
        // with gaps has its ids read one by one.
        const qint64 count = m_store.qsoCount();
        const auto [first, last] = m_store.qsoIdRange();
        if (count > 0 && last - first + 1 == count)
            m_ids.assignRun(first, count);
        else
            m_ids.assign(count > 0 ? m_store.qsoIds() : std::vector<qint64>{});
        m_workedNumbers = m_store.workedNumberCount();
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void LogModel::append(const QsoRecord &qso)
{
    const qint64 id = m_store.addQso(qso);
    const int row = int(m_ids.size());
    beginInsertRows({}, row, row);
    m_ids.append(id);
    if (qso.hasWorkedNumber())
        ++m_workedNumbers;
    m_pages.remove(row / kPageSize);
    endInsertRows();
    QsoRecord added = qso;
    added.id = id;
    emit qsoAdded(added);
    emit callsChanged({qso.call1, qso.call2}, {});
}

// An edit or a deletion touches one row: the ids and the count of worked
// numbers follow it, so that a log of a million QSOs is not read again.
void LogModel::change(int row, const QsoRecord &qso)
{
    if (row < 0 || row >= rowCount())
        return;
    const QsoRecord before = record(row);
    m_store.updateQso(m_ids.at(row), qso);
    m_workedNumbers += int(qso.hasWorkedNumber()) - int(before.hasWorkedNumber());
    m_pages.remove(row / kPageSize);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    QsoRecord after = qso;
    after.id = before.id;
    after.tur = before.tur;
    emit qsoChanged(before, after);
    // A call the edit kept is neither new nor gone.
    const QStringList now{qso.call1, qso.call2}, was{before.call1, before.call2};
    QStringList added, dropped;
    for (const QString &call : now)
        if (!was.contains(call))
            added << call;
    for (const QString &call : was)
        if (!now.contains(call))
            dropped << call;
    emit callsChanged(added, dropped);
}

void LogModel::remove(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const QsoRecord removed = record(row);
    m_store.deleteQso(m_ids.at(row));
    beginRemoveRows({}, row, row);
    m_ids.erase(row);
    if (removed.hasWorkedNumber())
        --m_workedNumbers;
    // Every later row moved up by one: the pages from here on are stale.
    for (auto it = m_pages.begin(); it != m_pages.end();)
        it = it.key() >= row / kPageSize ? m_pages.erase(it) : std::next(it);
    endRemoveRows();
    emit qsoRemoved(removed);
    emit callsChanged({}, {removed.call1, removed.call2});
}

void LogModel::clear()
{
    m_store.clearQsos();
    // Cleared now: a failure to read the log again is a failed read, said
    // as one. Figures over the log read its rows when told, so the cleared
    // log is read first.
    try {
        reload();
    } catch (const StoreError &e) {
        emit readFailed(e.text());
    }
    emit qsosCleared();
}

QsoRecord LogModel::record(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const auto &rows = page(row / kPageSize);
    const size_t at = size_t(row % kPageSize);
    return at < rows.size() ? rows[at] : QsoRecord{};
}

int LogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
}

int LogModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 10;
}

QString LogModel::fieldText(const QsoRecord &q, int column)
{
    switch (column) {
    case 0: return q.band;
    case 1: return q.mode;
    case 2: return q.data;
    case 3: return q.time;
    case 4: return q.call1;
    case 5: return q.rst1;
    case 6: return q.nr1;
    case 7: return q.call2;
    case 8: return q.rst2;
    case 9: return q.nr2;
    }
    return {};
}

QVariant LogModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole: return fieldText(record(index.row()), index.column());
    case Qt::FontRole: return cellFont(index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == 0)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() < 4)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant LogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= 10)
        return {};
    switch (role) {
    case Qt::DisplayRole: return QString::fromLatin1(kTitles[section]);
    case Qt::FontRole: {
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(9);
        return f;
    }
    case Qt::TextAlignmentRole: return int((section < 4 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return {};
}

const std::vector<QsoRecord> &LogModel::page(int pageIndex) const
{
    auto it = m_pages.find(pageIndex);
    if (it != m_pages.end())
        return *it;
    if (m_pages.size() >= kMaxPages)
        m_pages.clear();
    std::vector<QsoRecord> rows;
    try {
        rows = m_store.qsosFrom(m_ids.at(qint64(pageIndex) * kPageSize), kPageSize);
    } catch (const StoreError &e) {
        emit readFailed(e.text());
    }
    return *m_pages.insert(pageIndex, std::move(rows));
}

void LogModel::forgetPages()
{
    m_pages.clear();
}
