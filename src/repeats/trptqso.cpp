#include "trptqso.h"

#include "repeatlistmodel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

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
    m_grid->setShowGrid(false);
    m_grid->setWordWrap(false);
    const int widths[7] = {20, 64, 30, 70, 40, 75, 75};
    for (int c = 0; c < 7; ++c)
        m_grid->setColumnWidth(c, widths[c]);

    auto *status = new QWidget(this);
    auto *row = new QHBoxLayout(status);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_heard = new QLabel(status);
    m_worked = new QLabel(status);
    for (QLabel *panel : {m_heard, m_worked}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        row->addWidget(panel);
    }
    m_heard->setFixedWidth(190);
    m_worked->setFixedWidth(200);
    row->addStretch();
    status->setFixedHeight(19);

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
