#include "statswindow.h"

#include "figuretable.h"
#include "hourchart.h"
#include "statstablemodel.h"

#include "form/accessiblefactory.h"
#include "log/logmodel.h"
#include "seams/clocksource.h"
#include "seams/prompts.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>

StatsWindow::StatsWindow(Store &store, LogModel &log, const ClockSource &clock, Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window), m_store(store), m_log(log), m_clock(clock), m_prompts(prompts)
{
    setObjectName(QStringLiteral("Stats"));
    readAsWindow(this);
    setWindowTitle(QStringLiteral("Статистика"));
    resize(600, 560);
    // Small enough to stand beside a centred main window on a 1280×1024
    // screen, or over its grid on a smaller one.
    setMinimumSize(320, 240);

    m_last10 = new QLabel(this);
    m_last60 = new QLabel(this);
    m_pace = new QLabel(this);
    m_qsos = new StatsTableModel(m_tally, StatsTableModel::Figure::Qsos, this);
    m_points = new StatsTableModel(m_tally, StatsTableModel::Figure::Points, this);
    m_chart = new HourChart(m_tally, this);

    m_grid = new QGridLayout(this);
    m_grid->addWidget(m_last10, 0, 0);
    m_grid->addWidget(m_last60, 0, 1);
    m_grid->addWidget(m_pace, 1, 0, 1, 2);
    m_tables[0] = new FigureTable(m_qsos, QStringLiteral("QSO по диапазонам и турам"), this);
    m_tables[1] = new FigureTable(m_points, QStringLiteral("Очки по диапазонам и турам"), this);
    for (int i = 0; i < 2; ++i)
        m_titles[i] = new QLabel(m_tables[i]->accessibleName(), this);
    arrangeTables(false);

    m_menu = new QMenu(this);
    m_menu->addAction(QStringLiteral("Сохранить как изображение…"), this, &StatsWindow::savePicture);

    connect(&m_log, &LogModel::qsoAdded, this, [this](const QsoRecord &q) {
        if (m_counted) {
            m_tally.add(q, 1);
            if (m_lastMinutes) {
                m_lastMinutes->push_back(qsoMinute(q.data, q.time));
                if (m_lastMinutes->size() > 10)
                    m_lastMinutes->erase(m_lastMinutes->begin());
            }
            changed();
        }
    });
    connect(&m_log, &LogModel::qsoChanged, this, [this](const QsoRecord &before, const QsoRecord &after) {
        if (m_counted) {
            m_tally.add(before, -1);
            m_tally.add(after, 1);
            m_lastMinutes.reset();
            changed();
        }
    });
    connect(&m_log, &LogModel::qsoRemoved, this, [this](const QsoRecord &q) {
        if (m_counted) {
            m_tally.add(q, -1);
            m_lastMinutes.reset();
            changed();
        }
    });
    connect(&m_log, &LogModel::qsosCleared, this, [this] {
        m_tally.clear();
        m_lastMinutes.reset();
        changed();
    });
}

// Side by side while both show every column; one above the other in a
// window too narrow for that, as beside a centred main window on a
// 1280×1024 screen, so that no column is behind a scroll bar.
void StatsWindow::arrangeTables(bool stacked)
{
    m_stacked = stacked;
    for (QWidget *w : std::initializer_list<QWidget *>{m_titles[0], m_titles[1], m_tables[0], m_tables[1], m_chart})
        m_grid->removeWidget(w);
    const int across = stacked ? 2 : 1;
    for (int i = 0; i < 2; ++i) {
        const int row = stacked ? 2 + 2 * i : 2, column = stacked ? 0 : i;
        m_grid->addWidget(m_titles[i], row, column, 1, across);
        m_grid->addWidget(m_tables[i], row + 1, column, 1, across);
    }
    const int chartRow = stacked ? 6 : 4;
    m_grid->addWidget(m_chart, chartRow, 0, 1, 2);
    for (int row = 2; row <= 6; ++row)
        m_grid->setRowStretch(row, row == chartRow ? 1 : 0);
}

void StatsWindow::fitTables()
{
    const QMargins margins = m_grid->contentsMargins();
    const int sideBySide = margins.left() + margins.right() + m_grid->horizontalSpacing() + m_tables[0]->wholeWidth() +
                           m_tables[1]->wholeWidth();
    // Stacked, the second title and table need rows of their own; a window
    // too low for them keeps the tables side by side, scrolling.
    const int secondRows =
        m_titles[1]->minimumSizeHint().height() + m_tables[1]->minimumHeight() + 2 * m_grid->verticalSpacing();
    const int stackedHeight = m_grid->totalMinimumSize().height() + (m_stacked ? 0 : secondRows);
    const bool stacked = width() < sideBySide && height() >= stackedHeight;
    if (stacked != m_stacked)
        arrangeTables(stacked);
}

void StatsWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitTables();
}

void StatsWindow::setBandOrder(const QStringList &order)
{
    m_bandOrder = order;
    m_chart->setBandOrder(order);
}

void StatsWindow::showEvent(QShowEvent *event)
{
    if (!m_counted)
        count();
    showFigures();
    m_chart->describe();
    m_chartStale = false;
    QWidget::showEvent(event);
}

// Once per run: later changes come one QSO at a time.
void StatsWindow::count()
{
    try {
        m_tally.clear();
        for (const QsoTally &t : m_store.qsoTallies())
            m_tally.add(t);
        m_counted = true;
    } catch (const StoreError &e) {
        m_tally.clear();
        m_prompts.storeError(this, e.text());
    }
}

void StatsWindow::changed()
{
    m_chartStale = true;
    if (isVisible())
        showFigures();
}

void StatsWindow::showFigures()
{
    m_qsos->refresh(m_bandOrder);
    m_points->refresh(m_bandOrder);
    if (!m_lastMinutes) {
        m_lastMinutes.emplace();
        const int rows = m_log.rowCount();
        for (int row = std::max(0, rows - 10); row < rows; ++row) {
            const QsoRecord q = m_log.record(row);
            m_lastMinutes->push_back(qsoMinute(q.data, q.time));
        }
    }
    const auto pace = tenQsoRate(*m_lastMinutes);
    m_pace->setText(QStringLiteral("Темп последних 10 QSO: ") +
                    (pace ? QString::number(*pace) + QStringLiteral(" в час") : QStringLiteral("—")));
    showRate();
    fitTables();
}

void StatsWindow::showRate()
{
    const QDateTime now = m_clock.nowUtc();
    const auto minute =
        qsoMinute(now.date().toString(QStringLiteral("yyyy-MM-dd")), now.time().toString(QStringLiteral("HHmm")));
    const auto since = [&](int minutes) { return minute ? m_tally.qsosBetween(*minute - minutes + 1, *minute) : 0; };
    m_last10->setText(QStringLiteral("За 10 минут: %1 QSO").arg(since(10)));
    m_last60->setText(QStringLiteral("За 60 минут: %1 QSO").arg(since(60)));
}

void StatsWindow::tick()
{
    if (!isVisible())
        return;
    showRate();
    if (m_chartStale) {
        m_chartStale = false;
        m_chart->describe();
        m_chart->update();
    }
}

void StatsWindow::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
}

void StatsWindow::savePicture()
{
    ::savePicture(grab().toImage(), m_prompts, this, m_target);
}
