#pragma once

class LogGrid;
class QAbstractItemModel;
class QAccessibleInterface;

/// The log grid as a screen reader reads it: a table whose cells are the
/// QSO's fields under the column titles. Cells are made only for the rows
/// asked about, and only those near the viewport are kept.
namespace LogGridAccessibility {
QAccessibleInterface *create(LogGrid *grid);
/// The current row changed: the screen reader hears it while the grid has the focus.
void currentRowChanged(LogGrid *grid);
/// The grid got the focus: the current row is where it lands.
void focused(LogGrid *grid);
/// Rows that come or go are told to the screen reader.
void watch(LogGrid *grid, QAbstractItemModel *model);
} // namespace LogGridAccessibility
