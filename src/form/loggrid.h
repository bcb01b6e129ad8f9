#pragma once

#include <QAbstractScrollArea>
#include <QModelIndex>

class QAbstractItemModel;
class QHeaderView;

/// The log grid: one line per QSO with a current row, drawn straight from
/// the model. Unlike a table view it keeps no per-row geometry, so adding a
/// QSO to a log of a million costs the same as to an empty one.
class LogGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LogGrid(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model);
    QAbstractItemModel *model() const { return m_model; }
    QHeaderView *header() const { return m_header; }
    void setColumnWidth(int column, int width);
    int rowHeight() const { return m_rowHeight; }

    QModelIndex currentIndex() const;
    /// Makes the row of index current; an invalid index leaves no current row.
    void setCurrentIndex(const QModelIndex &index);
    void scrollTo(const QModelIndex &index);
    /// The first row drawn at the top.
    int topRow() const;

signals:
    /// Right click: the clicked row is current first.
    void contextMenuRequested(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int visibleRows() const;
    int rowAt(int y) const;
    void updateScrollBars();
    void setCurrentRow(int row);

    QAbstractItemModel *m_model = nullptr;
    QHeaderView *m_header;
    int m_rowHeight = 16;
    int m_current = -1;
};
