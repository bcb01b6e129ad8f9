#include "partiallistmodel.h"

#include "partialcalls.h"

#include "form/fieldcolours.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QBrush>

#include <utility>

namespace {
constexpr int kBatch = 64; // more than a window of rows
} // namespace

PartialListModel::PartialListModel(PartialCalls &calls, Store &store, std::function<RepeatContext()> context,
                                   QObject *parent)
    : PartialRows(parent), m_calls(calls), m_store(store), m_context(std::move(context))
{
    m_bold.setBold(true);
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, [this] { show(m_fragment); });
}

void PartialListModel::show(const QString &fragment)
{
    m_refresh.stop();
    const bool searched = fragment.size() >= 2;
    ++m_generation;
    m_fragment = fragment;
    m_logCursor = m_calls.logReady() && searched ? m_calls.log().find(fragment) : CallIndex::Cursor();
    m_fileCursor = searched ? m_calls.file().find(fragment) : CallIndex::Cursor();
    std::vector<PartialRow> first;
    const bool complete = !searched || fill(first, kBatch);
    markRepeats(first);
    replaceRows(std::move(first), complete);

    if (!searched) {
        if (!m_status.isEmpty()) {
            m_status.clear();
            emit statusChanged(m_status);
        }
        return;
    }
    const qint64 inLog = m_calls.logReady() ? m_calls.log().count(fragment) : 0;
    if (inLog >= 0 && m_calls.file().count(fragment) >= 0) {
        setStatus(inLog, m_calls.file().count(fragment));
        return;
    }
    // Four characters or more are counted by walking every match: the
    // first rows are shown before that.
    if (complete) {
        qint64 fromLog = 0;
        for (const PartialRow &r : rows())
            fromLog += r.inLog;
        setStatus(fromLog, qint64(rows().size()) - fromLog);
        return;
    }
    m_status = QStringLiteral("Найдено: считается…");
    emit statusChanged(m_status);
    QTimer::singleShot(0, this, [this, generation = m_generation] { countAll(generation); });
}

void PartialListModel::countAll(int generation)
{
    if (generation != m_generation)
        return;
    qint64 fromLog = 0, fromFile = 0;
    uint32_t entry = 0;
    for (const PartialRow &r : rows())
        (r.inLog ? fromLog : fromFile) += 1;
    CallIndex::Cursor log = m_logCursor, file = m_fileCursor;
    while (m_calls.log().next(log, entry))
        ++fromLog;
    while (m_calls.file().next(file, entry))
        ++fromFile;
    setStatus(fromLog, fromFile);
}

void PartialListModel::setStatus(qint64 inLog, qint64 inFile)
{
    m_status = QStringLiteral("Найдено: %1 (журнал: %2, файл: %3)").arg(inLog + inFile).arg(inLog).arg(inFile);
    if (!m_calls.logReady())
        m_status += QStringLiteral("\nЖурнал ещё читается");
    emit statusChanged(m_status);
}

bool PartialListModel::fill(std::vector<PartialRow> &rows, int wanted)
{
    uint32_t entry = 0;
    for (int taken = 0; taken < wanted; ++taken) {
        if (m_calls.logReady() && m_calls.log().next(m_logCursor, entry))
            rows.push_back({m_calls.log().call(entry), true});
        else if (m_calls.file().next(m_fileCursor, entry))
            rows.push_back({m_calls.file().call(entry), false});
        else
            return true;
    }
    return false;
}

void PartialListModel::setColoured(bool on)
{
    if (on == m_coloured)
        return;
    m_coloured = on;
    contextChanged();
}

void PartialListModel::contextChanged()
{
    markRepeats(rowsInPlace());
    if (!rows().empty())
        emit dataChanged(index(0), index(int(rows().size()) - 1), {Qt::BackgroundRole});
}

QString PartialListModel::call(int row) const
{
    return row >= 0 && row < int(rows().size()) ? rows()[size_t(row)].call : QString();
}

void PartialListModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    std::vector<PartialRow> more;
    const bool complete = fill(more, kBatch);
    markRepeats(more);
    appendRows(std::move(more), complete);
}

void PartialListModel::markRepeats(std::vector<PartialRow> &rows)
{
    // Only a call in the log can be a repeat; the counts come in one query
    // for the rows a view is about to show.
    QStringList calls;
    for (PartialRow &r : rows) {
        r.colour = RepeatColour::Normal;
        if (r.inLog)
            calls << r.call;
    }
    if (calls.isEmpty() || m_store.hasFailed() || !m_coloured)
        return;
    const RepeatContext c = m_context();
    std::vector<std::pair<qint64, qint64>> counts;
    try {
        counts = m_store.repeatCounts(c.band, c.mode, c.tour, calls);
        m_failing = false;
    } catch (const StoreError &e) {
        // Once, not at every key while the store stays unreadable.
        if (!std::exchange(m_failing, true))
            emit readFailed(e.text());
        return;
    }
    for (size_t i = 0, at = 0; i < rows.size() && at < counts.size(); ++i)
        if (rows[i].inLog) {
            rows[i].colour = repeatColour(counts[at].first, counts[at].second);
            ++at;
        }
}

QVariant PartialListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows().size()))
        return {};
    const PartialRow &r = rows()[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole: return r.call;
    case Qt::FontRole: return r.inLog ? QVariant(m_bold) : QVariant();
    case Qt::BackgroundRole: // as the call fields show a repeat
        switch (r.colour) {
        case RepeatColour::Red: return QBrush(FieldColours::red);
        case RepeatColour::Aqua: return QBrush(FieldColours::aqua);
        case RepeatColour::Normal: break;
        }
        return {};
    case Qt::AccessibleDescriptionRole: {
        // The marks in words, for a user who cannot see bold or colour.
        QStringList marks;
        if (r.inLog)
            marks << QStringLiteral("в журнале");
        switch (r.colour) {
        case RepeatColour::Red: marks << QStringLiteral("повтор первой станцией"); break;
        case RepeatColour::Aqua: marks << QStringLiteral("повтор второй станцией"); break;
        case RepeatColour::Normal: break;
        }
        return marks.isEmpty() ? QVariant() : marks.join(QStringLiteral(", "));
    }
    }
    return {};
}
