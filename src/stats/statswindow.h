#pragma once

#include "statstally.h"

#include "export/picturesave.h"

#include <QWidget>

class ClockSource;
class FigureTable;
class HourChart;
class LogModel;
class Prompts;
class QGridLayout;
class QLabel;
class QMenu;
class QTableView;
class StatsTableModel;
class Store;

/// "Статистика": the rate, QSOs and points by band and tour, and QSOs per
/// hour. The log is counted once, when the window is first shown; from then
/// on the figures follow every record, edit, deletion and clearing by what
/// changed. Its close button only hides it.
class StatsWindow : public QWidget {
    Q_OBJECT
public:
    StatsWindow(Store &store, LogModel &log, const ClockSource &clock, Prompts &prompts, QWidget *parent = nullptr);

    void setBandOrder(const QStringList &order);
    void setPictureTarget(const PictureTarget &target) { m_target = target; }
    /// The clock tick: the rate of the last 10 and 60 minutes, and the chart
    /// when the log changed since the last tick. Runs no store statement.
    void tick();
    /// "Сохранить как изображение…": the window as it stands, as a PNG.
    void savePicture();

    const StatsTally &tally() const { return m_tally; }
    QMenu *contextMenu() const { return m_menu; }

protected:
    void showEvent(QShowEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrangeTables(bool stacked);
    void fitTables();
    void count();
    void changed();
    void showFigures();
    void showRate();

    Store &m_store;
    LogModel &m_log;
    const ClockSource &m_clock;
    Prompts &m_prompts;
    PictureTarget m_target;
    StatsTally m_tally;
    bool m_counted = false;
    bool m_chartStale = false;
    /// The minutes of the last ten QSOs by id, kept as QSOs are recorded;
    /// nothing after an edit, a deletion or a clearing, until read again.
    std::optional<std::vector<std::optional<qint64>>> m_lastMinutes;
    QStringList m_bandOrder;
    QLabel *m_last10, *m_last60, *m_pace;
    StatsTableModel *m_qsos, *m_points;
    HourChart *m_chart;
    QMenu *m_menu;
    FigureTable *m_tables[2];
    QLabel *m_titles[2];
    QGridLayout *m_grid;
    bool m_stacked = false;
};
