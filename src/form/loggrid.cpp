#include "loggrid.h"

#include "loggridaccessible.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

LogGrid::LogGrid(QWidget *parent) : QAbstractScrollArea(parent), m_header(new QHeaderView(Qt::Horizontal, this))
{
    m_header->setSectionsClickable(false);
    m_header->setHighlightSections(false);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_header->setStretchLastSection(false);
    connect(m_header, &QHeaderView::sectionResized, this, [this] {
        updateScrollBars();
        viewport()->update();
    });
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void LogGrid::setModel(QAbstractItemModel *model)
{
    m_model = model;
    m_header->setModel(model);
    auto refresh = [this] {
        if (m_current >= m_model->rowCount())
            m_current = m_model->rowCount() - 1;
        updateScrollBars();
        viewport()->update();
    };
    connect(model, &QAbstractItemModel::modelReset, this, [this, refresh] {
        m_current = -1;
        refresh();
    });
    connect(model, &QAbstractItemModel::rowsInserted, this, refresh);
    connect(model, &QAbstractItemModel::rowsRemoved, this, refresh);
    connect(model, &QAbstractItemModel::dataChanged, viewport(), qOverload<>(&QWidget::update));
    LogGridAccessibility::watch(this, model);
    setViewportMargins(0, m_header->sizeHint().height(), 0, 0);
    updateScrollBars();
}

void LogGrid::setColumnWidth(int column, int width)
{
    m_header->resizeSection(column, width);
}

QModelIndex LogGrid::currentIndex() const
{
    return m_model && m_current >= 0 ? m_model->index(m_current, 0) : QModelIndex();
}

void LogGrid::setCurrentIndex(const QModelIndex &index)
{
    setCurrentRow(index.isValid() ? index.row() : -1);
}

void LogGrid::setCurrentRow(int row)
{
    const int before = m_current;
    m_current = m_model && row >= 0 && row < m_model->rowCount() ? row : -1;
    viewport()->update();
    if (m_current != before)
        LogGridAccessibility::currentRowChanged(this);
}

void LogGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    LogGridAccessibility::focused(this);
}

void LogGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

int LogGrid::topRow() const
{
    return verticalScrollBar()->value();
}

void LogGrid::scrollTo(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const int row = index.row();
    QScrollBar *bar = verticalScrollBar();
    if (row < bar->value())
        bar->setValue(row);
    else if (row >= bar->value() + visibleRows())
        bar->setValue(row - visibleRows() + 1);
}

int LogGrid::visibleRows() const
{
    return qMax(1, viewport()->height() / m_rowHeight);
}

int LogGrid::rowAt(int y) const
{
    if (y < 0)
        return -1;
    const int row = topRow() + y / m_rowHeight;
    return m_model && row < m_model->rowCount() ? row : -1;
}

void LogGrid::updateScrollBars()
{
    const int rows = m_model ? m_model->rowCount() : 0;
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, qMax(0, rows - visibleRows()));
    v->setPageStep(visibleRows());
    v->setSingleStep(1);
    QScrollBar *h = horizontalScrollBar();
    h->setRange(0, qMax(0, m_header->length() - viewport()->width()));
    h->setPageStep(viewport()->width());
}

void LogGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - m_header->sizeHint().height(), area.width(),
                          m_header->sizeHint().height());
    updateScrollBars();
}

void LogGrid::scrollContentsBy(int, int)
{
    m_header->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

void LogGrid::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const QPalette &pal = palette();
    p.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    if (!m_model)
        return;
    const int first = topRow();
    const int last = qMin(m_model->rowCount() - 1, first + visibleRows());
    const int columns = m_model->columnCount();
    const int offset = horizontalScrollBar()->value();
    const QColor lineColour = pal.color(QPalette::Mid);
    for (int row = first; row <= last; ++row) {
        const int top = (row - first) * m_rowHeight;
        const bool current = row == m_current;
        // The current row stays marked without the focus, in the colours of
        // an inactive selection; with the focus it has a dotted frame too.
        const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
        if (current)
            p.fillRect(0, top, viewport()->width(), m_rowHeight, pal.color(group, QPalette::Highlight));
        for (int c = 0; c < columns; ++c) {
            if (m_header->isSectionHidden(c))
                continue;
            const QRect cell(m_header->sectionPosition(c) - offset, top, m_header->sectionSize(c), m_rowHeight);
            if (cell.right() < 0 || cell.left() > viewport()->width())
                continue;
            const QModelIndex index = m_model->index(row, c);
            const QVariant font = index.data(Qt::FontRole);
            p.setFont(font.isValid() ? font.value<QFont>() : this->font());
            p.setPen(current ? pal.color(group, QPalette::HighlightedText)
                             : pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
            const QVariant align = index.data(Qt::TextAlignmentRole);
            p.drawText(cell.adjusted(2, 0, -2, 0),
                       align.isValid() ? align.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter),
                       index.data(Qt::DisplayRole).toString());
        }
        p.setPen(lineColour);
        p.drawLine(0, top + m_rowHeight - 1, viewport()->width(), top + m_rowHeight - 1);
        if (current && hasFocus()) {
            p.setPen(QPen(pal.color(group, QPalette::HighlightedText), 1, Qt::DotLine));
            p.drawRect(0, top, viewport()->width() - 1, m_rowHeight - 2);
        }
    }
}

void LogGrid::mousePressEvent(QMouseEvent *event)
{
    const int row = rowAt(int(event->position().y()));
    if (row >= 0)
        setCurrentRow(row);
    QAbstractScrollArea::mousePressEvent(event);
}

void LogGrid::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        // The event reaches us from the viewport or from the header, each
        // with its own origin; the screen position means the same for both.
        const int row = rowAt(viewport()->mapFromGlobal(event->globalPos()).y());
        if (row >= 0)
            setCurrentRow(row);
    }
    emit contextMenuRequested(event->globalPos());
}

void LogGrid::keyPressEvent(QKeyEvent *event)
{
    // The menu key's other name; the window system turns only the menu key
    // itself into a menu request.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        const int top = m_current >= topRow() ? (m_current - topRow()) * m_rowHeight : 0;
        emit contextMenuRequested(viewport()->mapToGlobal(QPoint(m_rowHeight, top + m_rowHeight / 2)));
        return;
    }
    if (!m_model || m_model->rowCount() == 0)
        return QAbstractScrollArea::keyPressEvent(event);
    const int last = m_model->rowCount() - 1;
    int row = m_current;
    switch (event->key()) {
    case Qt::Key_Up: row = qMax(0, row - 1); break;
    case Qt::Key_Down: row = qMin(last, row + 1); break;
    case Qt::Key_PageUp: row = qMax(0, row - visibleRows()); break;
    case Qt::Key_PageDown: row = qMin(last, row + visibleRows()); break;
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_End: row = last; break;
    default: return QAbstractScrollArea::keyPressEvent(event);
    }
    setCurrentRow(row);
    scrollTo(m_model->index(row, 0));
}
