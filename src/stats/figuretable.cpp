#include "figuretable.h"

#include "statstablemodel.h"

#include <QFocusEvent>
#include <QHeaderView>

#include <algorithm>
#include <utility>

FigureTable::FigureTable(StatsTableModel *model, const QString &name, QWidget *parent) : QTableView(parent)
{
    setModel(model);
    setAccessibleName(name);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    verticalHeader()->setDefaultSectionSize(18);
    // Four tours and "Всего" fit the window's opening width; the widths are
    // set here, only when a text grew or shrank (see fitColumns).
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setMinimumHeight(60);
    // As tall as its rows, no taller: the chart below takes the rest.
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    // A new QSO changes several cells: the columns are fitted once for all.
    connect(model, &QAbstractItemModel::modelReset, this, [this] { m_changed = true; });
    connect(model, &QAbstractItemModel::dataChanged, this, [this] { m_changed = true; });
}

int FigureTable::wholeWidth()
{
    if (std::exchange(m_changed, false))
        fitColumns();
    return m_wholeWidth;
}

void FigureTable::fitColumns()
{
    const QAbstractItemModel *m = model();
    QVector<int> lengths;
    for (int row = 0; row < m->rowCount(); ++row)
        lengths << int(m->headerData(row, Qt::Vertical, Qt::DisplayRole).toString().size());
    for (int column = 0; column < m->columnCount(); ++column) {
        int longest = int(m->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().size());
        for (int row = 0; row < m->rowCount(); ++row)
            longest = std::max(longest, int(m->index(row, column).data().toString().size()));
        lengths << -longest; // apart from the row titles' lengths
    }
    if (lengths == m_lengths)
        return;
    m_lengths = lengths;
    int width = 2 * frameWidth() + verticalHeader()->sizeHint().width();
    for (int column = 0; column < m->columnCount(); ++column) {
        const int fitting = std::max(horizontalHeader()->sectionSizeHint(column), sizeHintForColumn(column));
        setColumnWidth(column, fitting);
        width += fitting;
    }
    m_wholeWidth = width;
}

void FigureTable::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    // Other faces measure the same texts otherwise.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_lengths.clear();
        m_changed = true;
    }
}

void FigureTable::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason: break;
    default: setCurrentIndex({});
    }
}

void FigureTable::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    setCurrentIndex({});
}
