#pragma once

#include <QStringList>
#include <QWidget>

class StatsTally;

/// QSOs per UTC hour over the last 48 hours of the log, a bar per hour
/// stacked by band, with a legend in the band order. Drawn from the tally
/// whenever it paints; the owner decides when it repaints.
class HourChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHours = 48;

    HourChart(const StatsTally &tally, QWidget *parent = nullptr);
    void setBandOrder(const QStringList &order) { m_order = order; }
    /// Says in words what the bars show, for screen readers.
    void describe();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const StatsTally &m_tally;
    QStringList m_order;
};
