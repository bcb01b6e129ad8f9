#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

class QPainter;
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
    /// The QSOs of each band in each of the chart's hours.
    struct Hours {
        qint64 first = 0; ///< the first hour shown
        QStringList bands;
        std::vector<std::vector<qint64>> stacks; ///< by hour, then band
        std::vector<bool> shown;                 ///< a band with QSOs in the hours
        qint64 highest = 1;                      ///< the tallest bar
    };
    Hours countHours(qint64 first) const;
    /// The lines it took.
    int drawLegend(QPainter &p, const Hours &hours) const;
    /// The scale's lines and figures; the height of one QSO in pixels.
    double drawScale(QPainter &p, const QRect &plot, qint64 highest) const;
    void drawBars(QPainter &p, const QRect &plot, const Hours &hours, double perQso) const;

    const StatsTally &m_tally;
    QStringList m_order;
};
