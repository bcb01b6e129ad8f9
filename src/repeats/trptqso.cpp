#include "trptqso.h"

#include "repeatlistmodel.h"

#include "form/accessiblefactory.h"
#include "form/celltexts.h"
#include "form/quietscrollbar.h"
#include "form/statuspanels.h"

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
/// text out in full, once to measure it and once to draw it, and makes a
/// font of its own for every bold cell: at each keystroke that was most of
/// the time the window took. Here the marks are read once a cell, and the
/// bold face is made once.
class RowLineDelegate : public QStyledItemDelegate {
public:
    RowLineDelegate(const RepeatListModel &list, QObject *parent) : QStyledItemDelegate(parent), m_list(list) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(option.state & QStyle::State_Active))
            group = QPalette::Inactive;
        const QWidget *view = option.widget;
        if (m_margin < 0)
            m_margin = (view ? view->style() : QApplication::style())
                           ->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) +
                       1;
        const QRect textRect = option.rect.adjusted(m_margin, 0, -m_margin, 0);

        painter->save();
        // One read of the main window's fields serves the whole cell.
        const RepeatListModel::CellLook look = m_list.look(index);
        const QColor background = look.background();
        if (background.isValid())
            painter->fillRect(option.rect, background);
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.isEmpty()) {
            const bool bold = look.mark != CallMark::None;
            if (bold) {
                if (!m_boldMade || m_boldOf != option.font) {
                    m_boldMade = true;
                    m_boldOf = option.font;
                    m_bold = option.font;
                    m_bold.setBold(true);
                }
                painter->setFont(m_bold);
            } else {
                painter->setFont(option.font);
            }
            const QColor colour = look.text(index.column());
            painter->setPen(colour.isValid() ? colour : option.palette.color(group, QPalette::Text));
            m_texts.draw(painter, textRect, index.data(Qt::TextAlignmentRole).toInt(), text, bold);
        }
        // A one-pixel fill, not a line: the filled rectangle takes the
        // painter's fast way, the pen's stroke does not.
        const QRect &r = option.rect;
        painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), option.palette.color(QPalette::Mid));
        if (option.state & QStyle::State_Selected) {
            painter->setPen(QPen(option.palette.color(group, QPalette::Text), 1, Qt::DotLine));
            painter->drawLine(r.topLeft(), r.topRight());
            painter->drawLine(r.bottomLeft(), r.bottomRight());
            if (index.column() == 0)
                painter->drawLine(r.topLeft(), r.bottomLeft());
            if (index.column() == index.model()->columnCount() - 1)
                painter->drawLine(r.topRight(), r.bottomRight());
        }
        painter->restore();
    }

private:
    const RepeatListModel &m_list;
    mutable CellTexts m_texts;
    mutable bool m_boldMade = false;
    mutable QFont m_boldOf, m_bold; ///< the bold face and the font it was made from
    mutable int m_margin = -1;
};
} // namespace

TRptQso::TRptQso(RepeatListModel &list, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("RptQso"));
    readAsWindow(this);
    setWindowTitle(QStringLiteral("Повторные связи"));
    resize(384, 292);

    m_grid = new QTableView(this);
    m_grid->setModel(&list);
    m_grid->setAccessibleName(QStringLiteral("Связи набранного позывного"));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setHighlightSections(false); // titles keep their weight
    m_grid->verticalHeader()->setDefaultSectionSize(17);
    m_grid->setShowGrid(false); // it would add column lines too
    m_grid->setItemDelegate(new RowLineDelegate(list, m_grid));
    m_grid->setWordWrap(false);
    QuietScrollBar::putInto(*m_grid);
    // Always there, so that a list that fills or empties at a key does not
    // move the viewport's edge and lay the grid out twice.
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int widths[7] = {20, 64, 30, 70, 40, 75, 75};
    for (int c = 0; c < 7; ++c)
        m_grid->setColumnWidth(c, widths[c]);

    // The panels keep their widths without holding the window open: a
    // narrower window clips the second one.
    auto *status = new StatusPanels(this);
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
