#include "loggridaccessible.h"

#include "loggrid.h"

#include <QAbstractItemModel>
#include <QAccessibleWidget>
#include <QHeaderView>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

namespace {

class GridTable;

/// One field of one QSO, or a column title where row is -1.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCell(LogGrid *grid, int row, int column) : m_grid(grid), m_row(row), m_column(column) {}

    bool isValid() const override
    {
        return m_grid && m_grid->model() && m_row < m_grid->model()->rowCount() &&
               m_column < m_grid->model()->columnCount();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_grid); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        if (m_row < 0)
            return m_grid->model()->headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString();
        return m_grid->model()->index(m_row, m_column).data(Qt::DisplayRole).toString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        QHeaderView *header = m_grid->header();
        const int left = header->sectionViewportPosition(m_column);
        const int width = header->sectionSize(m_column);
        if (m_row < 0)
            return QRect(header->mapToGlobal(QPoint(left, 0)), QSize(width, header->height()));
        const QPoint top =
            m_grid->viewport()->mapToGlobal(QPoint(left, (m_row - m_grid->topRow()) * m_grid->rowHeight()));
        return QRect(top, QSize(width, m_grid->rowHeight()));
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        if (m_row >= 0) {
            s.selectable = true;
            s.focusable = true;
            s.selected = isSelected();
            s.focused = s.selected && m_grid->hasFocus();
            const QRect area(m_grid->viewport()->mapToGlobal(QPoint(0, 0)), m_grid->viewport()->size());
            s.invisible = s.offscreen = !area.intersects(rect());
        }
        s.readOnly = true;
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    bool isSelected() const override { return m_row >= 0 && m_grid && m_grid->currentIndex().row() == m_row; }
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    QPointer<LogGrid> m_grid;
    int m_row, m_column;
};

/// The grid itself. Its children are the column titles, then every field of
/// every row, counted row by row as an item view counts them.
class GridTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridTable(LogGrid *grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridTable() override { forgetCells(); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return (rowCount() + 1) * columnCount(); }
    QAccessibleInterface *child(int index) const override
    {
        const int columns = columnCount();
        if (index < 0 || columns == 0 || index >= childCount())
            return nullptr;
        return cell(index / columns - 1, index % columns);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        // Our cells are the only children, and each knows its place.
        auto *c = const_cast<QAccessibleInterface *>(child)->tableCellInterface();
        return c ? (c->rowIndex() + 1) * columnCount() + c->columnIndex() : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint inViewport = grid()->viewport()->mapFromGlobal(QPoint(x, y));
        const int column = grid()->header()->logicalIndexAt(inViewport.x());
        if (column < 0 || inViewport.y() < 0)
            return nullptr;
        const int row = grid()->topRow() + inViewport.y() / grid()->rowHeight();
        return row < rowCount() ? cell(row, column) : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        const int row = grid()->currentIndex().row();
        return grid()->hasFocus() && row >= 0 ? cell(row, 0) : nullptr;
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return cell(row, column);
    }
    int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> cells;
        for (int row : selectedRows())
            for (int c = 0; c < columnCount(); ++c)
                cells << cell(row, c);
        return cells;
    }
    QString columnDescription(int column) const override
    {
        return model() ? model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return grid()->currentIndex().isValid() ? 1 : 0; }
    int columnCount() const override { return model() ? model()->columnCount() : 0; }
    int rowCount() const override { return model() ? model()->rowCount() : 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        const int row = grid()->currentIndex().row();
        return row >= 0 ? QList<int>{row} : QList<int>{};
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return row >= 0 && grid()->currentIndex().row() == row; }
    bool selectRow(int row) override
    {
        if (row < 0 || row >= rowCount())
            return false;
        const QModelIndex index = model()->index(row, 0);
        grid()->setCurrentIndex(index);
        grid()->scrollTo(index);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    /// Rows moved under the kept cells: they are made again when asked for.
    void modelChange(QAccessibleTableModelChangeEvent *) override { forgetCells(); }

    /// The cell's interface, made once and kept while its row is near the viewport.
    QAccessibleInterface *cell(int row, int column) const
    {
        const int index = (row + 1) * columnCount() + column;
        if (const auto kept = m_cells.constFind(index); kept != m_cells.cend())
            return QAccessible::accessibleInterface(*kept);
        if (m_cells.size() >= keptCellLimit())
            forgetFarCells();
        auto *made = new GridCell(grid(), row, column);
        m_cells.insert(index, QAccessible::registerAccessibleInterface(made));
        return made;
    }

private:
    LogGrid *grid() const { return static_cast<LogGrid *>(widget()); }
    QAbstractItemModel *model() const { return grid()->model(); }
    int pageRows() const { return qMax(1, grid()->viewport()->height() / grid()->rowHeight()); }
    int keptCellLimit() const { return 4 * (pageRows() + 1) * qMax(1, columnCount()); }

    void forgetFarCells() const
    {
        const int top = grid()->topRow();
        const int current = grid()->currentIndex().row();
        const int columns = qMax(1, columnCount());
        for (auto it = m_cells.begin(); it != m_cells.end();) {
            const int row = it.key() / columns - 1;
            const bool near = row < 0 || row == current || (row >= top - pageRows() && row <= top + 2 * pageRows());
            if (near) {
                ++it;
                continue;
            }
            QAccessible::deleteAccessibleInterface(it.value());
            it = m_cells.erase(it);
        }
    }
    void forgetCells()
    {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    mutable QHash<int, QAccessible::Id> m_cells;
};

QList<QAccessibleInterface *> GridCell::columnHeaderCells() const
{
    // Another factory may have made the grid's interface: only ours has cells.
    auto *table = dynamic_cast<GridTable *>(parent());
    return table ? QList<QAccessibleInterface *>{table->cell(-1, m_column)} : QList<QAccessibleInterface *>{};
}

void tell(LogGrid *grid, QAccessibleTableModelChangeEvent::ModelChangeType type, int first, int last)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(grid, type);
    event.setFirstRow(first);
    event.setLastRow(last);
    QAccessible::updateAccessibility(&event);
}

} // namespace

namespace LogGridAccessibility {

QAccessibleInterface *create(LogGrid *grid)
{
    return new GridTable(grid);
}

void currentRowChanged(LogGrid *grid)
{
    const int row = grid->currentIndex().row();
    if (!QAccessible::isActive() || !grid->hasFocus() || row < 0)
        return;
    auto *table = dynamic_cast<GridTable *>(QAccessible::queryAccessibleInterface(grid));
    if (!table)
        return;
    QAccessibleEvent event(grid, QAccessible::Focus);
    event.setChild(table->indexOfChild(table->cell(row, 0)));
    QAccessible::updateAccessibility(&event);
}

void focused(LogGrid *grid)
{
    // The window system names the grid itself as focused once this event is
    // over; the row has to be named after that to be the last word.
    if (QAccessible::isActive())
        QTimer::singleShot(0, grid, [grid] { currentRowChanged(grid); });
}

void watch(LogGrid *grid, QAbstractItemModel *model)
{
    using Change = QAccessibleTableModelChangeEvent;
    QObject::connect(model, &QAbstractItemModel::modelReset, grid, [grid] { tell(grid, Change::ModelReset, -1, -1); });
    QObject::connect(model, &QAbstractItemModel::rowsInserted, grid, [grid](const QModelIndex &, int first, int last) {
        tell(grid, Change::RowsInserted, first, last);
    });
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, grid, [grid](const QModelIndex &, int first, int last) {
        tell(grid, Change::RowsRemoved, first, last);
    });
    QObject::connect(model, &QAbstractItemModel::dataChanged, grid,
                     [grid](const QModelIndex &from, const QModelIndex &to) {
                         tell(grid, Change::DataChanged, from.row(), to.row());
                     });
}

} // namespace LogGridAccessibility
