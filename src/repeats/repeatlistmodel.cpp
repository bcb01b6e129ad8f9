#include "repeatlistmodel.h"

#include "form/listcolours.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QBrush>
#include <QFont>

namespace {
constexpr int kBatch = 64;
const char *const kTitles[] = {"TR", "FREQ", "MD", "DATA", "TIME", "CALL 1", "CALL 2"};
} // namespace

RepeatListModel::RepeatListModel(Store &store, std::function<RepeatContext()> context, QObject *parent)
    : RepeatRows(parent), m_store(store), m_context(std::move(context))
{}

void RepeatListModel::show(const QString &call)
{
    std::vector<RepeatRow> first;
    if (!call.trimmed().isEmpty())
        first = m_store.repeatList(call, 0, kBatch);
    m_call = call;
    const bool complete = first.size() < size_t(kBatch);
    replaceRows(std::move(first), complete);
}

void RepeatListModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    std::vector<RepeatRow> more;
    try {
        more = m_store.repeatList(m_call, rowCount(), kBatch);
    } catch (const StoreError &e) {
        stopFetching();
        emit readFailed(e.text());
        return;
    }
    const bool complete = more.size() < size_t(kBatch);
    appendRows(std::move(more), complete);
}

int RepeatListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 7;
}

QVariant RepeatListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const RepeatRow &r = rows()[size_t(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: {
        const QString *fields[] = {&r.tur, &r.band, &r.mode, &r.data, &r.time, &r.call1, &r.call2};
        return *fields[column];
    }
    case Qt::TextAlignmentRole:
        if (column == 1)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (column >= 2 && column <= 4)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole: {
        const QColor colour = look(index).text(column);
        return colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
    }
    case Qt::FontRole: {
        if (look(index).mark == CallMark::None)
            return {};
        static const QFont bold = [] {
            QFont f;
            f.setBold(true);
            return f;
        }();
        return bold;
    }
    case Qt::BackgroundRole: {
        const QColor colour = look(index).background();
        return colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
    }
    case Qt::AccessibleDescriptionRole: {
        // The marks in words, for a user who cannot see the colours.
        const RepeatContext c = m_context();
        QStringList marks;
        if (isRepeatRow(r, c))
            marks << QStringLiteral("повтор");
        if (column >= 5) {
            const QString &call = column == 5 ? r.call1 : r.call2;
            if (callMark(call, column == 6, c) != CallMark::None)
                marks << (call == c.heardCall ? QStringLiteral("совпадает heard") : QStringLiteral("совпадает worked"));
        }
        return marks.isEmpty() ? QVariant() : marks.join(QStringLiteral(", "));
    }
    }
    return {};
}

RepeatListModel::CellLook RepeatListModel::look(const QModelIndex &index) const
{
    const RepeatRow &r = rows()[size_t(index.row())];
    const RepeatContext c = m_context();
    CellLook look;
    look.repeatRow = isRepeatRow(r, c);
    if (index.column() >= 5)
        look.mark = callMark(index.column() == 5 ? r.call1 : r.call2, index.column() == 6, c);
    return look;
}

QColor RepeatListModel::CellLook::background() const
{
    return repeatRow ? ListColours::repeatRow : QColor();
}

QColor RepeatListModel::CellLook::text(int column) const
{
    if (mark == CallMark::BoldRed)
        return ListColours::heardCall;
    if (mark == CallMark::BoldBlue || column == 0)
        return ListColours::workedCall;
    return {};
}

QVariant RepeatListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= 7)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kTitles[section]);
    if (role == Qt::TextAlignmentRole)
        return int((section == 1 || (section >= 2 && section <= 4) ? Qt::AlignHCenter : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    return {};
}
