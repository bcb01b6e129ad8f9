#include "trptqso.h"

#include "repeatlistmodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {
/// Draws a cell as the item view's style draws it here (background, the
/// text in the cell's font, colour and alignment, elided on the right),
/// then a line under the row and none between the columns. A selected row
/// keeps its marks, the light red and the coloured calls, and shows as a
/// dotted frame around the row. The style's own item drawing lays every
/// text out in full, once to measure it and once to draw it: at each
/// keystroke that was most of the time the window took.
class RowLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QWidget *view = o.widget;
        QStyle *style = view ? view->style() : QApplication::style();
        QPalette::ColorGroup group = o.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(o.state & QStyle::State_Active))
            group = QPalette::Inactive;
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        const QRect textRect = o.rect.adjusted(margin, 0, -margin, 0);

        painter->save();
        if (o.backgroundBrush.style() != Qt::NoBrush) {
            painter->setBrushOrigin(o.rect.topLeft());
            painter->fillRect(o.rect, o.backgroundBrush);
        }
        if (!o.text.isEmpty()) {
            painter->setFont(o.font);
            painter->setPen(o.palette.color(group, QPalette::Text));
            const QString text = o.fontMetrics.horizontalAdvance(o.text) > textRect.width()
                                     ? o.fontMetrics.elidedText(o.text, o.textElideMode, textRect.width())
                                     : o.text;
            painter->drawText(textRect, int(o.displayAlignment) | Qt::TextSingleLine, text);
        }
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        if (o.state & QStyle::State_Selected) {
            const QRect r = o.rect;
            painter->setPen(QPen(o.palette.color(group, QPalette::Text), 1, Qt::DotLine));
            painter->drawLine(r.topLeft(), r.topRight());
            painter->drawLine(r.bottomLeft(), r.bottomRight());
            if (index.column() == 0)
                painter->drawLine(r.topLeft(), r.bottomLeft());
            if (index.column() == index.model()->columnCount() - 1)
                painter->drawLine(r.topRight(), r.bottomRight());
        }
        painter->restore();
    }
};
} // namespace

TRptQso::TRptQso(RepeatListModel &list, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("RptQso"));
    setWindowTitle(QStringLiteral("Повторные связи"));
    resize(384, 292);

    m_grid = new QTableView(this);
    m_grid->setModel(&list);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setHighlightSections(false); // titles keep their weight
    m_grid->verticalHeader()->setDefaultSectionSize(17);
    m_grid->setShowGrid(false); // it would add column lines too
    m_grid->setItemDelegate(new RowLineDelegate(m_grid));
    m_grid->setWordWrap(false);
    const int widths[7] = {20, 64, 30, 70, 40, 75, 75};
    for (int c = 0; c < 7; ++c)
        m_grid->setColumnWidth(c, widths[c]);

    // The panels keep their widths without holding the window open: a
    // narrower window clips the second one.
    auto *status = new QWidget(this);
    status->setFixedHeight(19);
    m_heard = new QLabel(status);
    m_worked = new QLabel(status);
    m_heard->setGeometry(0, 0, 190, 19);
    m_worked->setGeometry(190, 0, 200, 19);
    for (QLabel *panel : {m_heard, m_worked})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_grid);
    layout->addWidget(status);
}

void TRptQso::setCounts(qint64 heard, qint64 worked)
{
    m_heard->setText(QStringLiteral("Повторы: Heard = %1").arg(heard));
    m_worked->setText(QStringLiteral("Повторы: Worked = %1").arg(worked));
}

QString TRptQso::heardText() const
{
    return m_heard->text();
}

QString TRptQso::workedText() const
{
    return m_worked->text();
}

void TRptQso::repaintMarks()
{
    m_grid->viewport()->update();
}
