#include "trptqso.h"

#include "repeatlistmodel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {
/// Draws a line under every row and none between the columns.
class RowLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
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
