#include "figuretable.h"

#include "statstablemodel.h"

#include <QFocusEvent>
#include <QHeaderView>

#include <algorithm>

FigureTable::FigureTable(StatsTableModel *model, const QString &name, QWidget *parent) : QTableView(parent)
{
    setModel(model);
    setAccessibleName(name);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    verticalHeader()->setDefaultSectionSize(18);
    // Four tours and "Всего" fit the window's opening width.
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setMinimumHeight(60);
}

int FigureTable::hiddenWidth() const
{
    // From the sizes, not the scroll bar, whose range follows only later.
    return std::max(0, horizontalHeader()->length() - viewport()->width());
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
