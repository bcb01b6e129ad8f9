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
    // As tall as its rows, no taller: the chart below takes the rest.
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
}

int FigureTable::wholeWidth() const
{
    int width = 2 * frameWidth() + verticalHeader()->sizeHint().width();
    for (int column = 0; column < model()->columnCount(); ++column)
        width += std::max(horizontalHeader()->sectionSizeHint(column), sizeHintForColumn(column));
    return width;
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
