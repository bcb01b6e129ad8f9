#include "hourchart.h"

#include "statstally.h"

#include <QDateTime>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Told apart in colour and in brightness, for a grey printout too.
const QColor kColours[] = {QColor(31, 119, 180),  QColor(255, 127, 14), QColor(44, 160, 44),   QColor(214, 39, 40),
                           QColor(148, 103, 189), QColor(140, 86, 75),  QColor(227, 119, 194), QColor(23, 190, 207),
                           QColor(188, 189, 34),  QColor(127, 127, 127)};

QDateTime hourStart(qint64 hour)
{
    return QDateTime::fromSecsSinceEpoch(hour * 3600, Qt::UTC);
}

} // namespace

HourChart::HourChart(const StatsTally &tally, QWidget *parent) : QWidget(parent), m_tally(tally)
{
    setAccessibleName(QStringLiteral("Связи по часам"));
    setMinimumSize(280, 80);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HourChart::describe()
{
    const auto last = m_tally.lastHour();
    if (!last) {
        setAccessibleDescription(m_tally.isEmpty() ? QStringLiteral("Нет связей")
                                                   : QStringLiteral("Нет связей с датой и временем"));
        return;
    }
    qint64 sum = 0;
    for (qint64 h = *last - kHours + 1; h <= *last; ++h)
        for (const auto &[band, n] : m_tally.hour(h))
            sum += n;
    setAccessibleDescription(QStringLiteral("За %1 часов до %2 UTC: %3 QSO")
                                 .arg(kHours)
                                 .arg(hourStart(*last + 1).toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                                 .arg(sum));
}

void HourChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().text().color());
    const auto last = m_tally.lastHour();
    if (!last) {
        p.drawText(rect(), Qt::AlignCenter,
                   m_tally.isEmpty() ? QStringLiteral("Нет связей") : QStringLiteral("Нет связей с датой и временем"));
        return;
    }
    const Hours hours = countHours(*last - kHours + 1);
    const int line = p.fontMetrics().height();
    const int legend = drawLegend(p, hours);
    const QRect plot(40, 8 + legend * line, width() - 48, height() - 16 - (2 + legend) * line);
    if (plot.width() < kHours || plot.height() < 10)
        return;
    drawBars(p, plot, hours, drawScale(p, plot, hours.highest));
}

HourChart::Hours HourChart::countHours(qint64 first) const
{
    Hours h;
    h.first = first;
    h.bands = m_tally.bands(m_order);
    h.stacks.assign(kHours, std::vector<qint64>(size_t(h.bands.size()), 0));
    h.shown.assign(size_t(h.bands.size()), false);
    for (int hour = 0; hour < kHours; ++hour) {
        qint64 sum = 0;
        for (const auto &[band, n] : m_tally.hour(first + hour)) {
            const auto at = size_t(h.bands.indexOf(band));
            h.stacks[size_t(hour)][at] = n;
            h.shown[at] = true;
            sum += n;
        }
        h.highest = std::max(h.highest, sum);
    }
    return h;
}

int HourChart::drawLegend(QPainter &p, const Hours &hours) const
{
    // Above the bars, in the band order; a band that would pass the right
    // edge starts a line of its own.
    const QFontMetrics fm = p.fontMetrics();
    int x = 40, lines = 1;
    for (int b = 0; b < hours.bands.size(); ++b) {
        if (!hours.shown[size_t(b)])
            continue;
        const int entry = 14 + fm.horizontalAdvance(hours.bands[b]);
        if (x > 40 && x + entry > width()) {
            x = 40;
            ++lines;
        }
        const int top = 4 + (lines - 1) * fm.height();
        p.fillRect(QRect(x, top + (fm.height() - 10) / 2, 10, 10), kColours[std::min<int>(b, 9)]);
        p.drawText(x + 14, top + fm.ascent(), hours.bands[b]);
        x += entry + 12;
    }
    return lines;
}

double HourChart::drawScale(QPainter &p, const QRect &plot, qint64 highest) const
{
    // Round steps, about four lines high, fewer where their figures would
    // run into each other. The bars stand on the base line, which stays
    // clear of them, as do the hour ticks under it.
    const int line = p.fontMetrics().height();
    const qint64 fit = std::max(1, plot.height() / line);
    qint64 step = 1;
    for (int k = 0; highest / step > 4 || (highest + step - 1) / step > fit; ++k)
        step = k % 3 == 1 ? step / 2 * 5 : step * 2; // 1, 2, 5, 10, 20, 50...
    const double perQso = double(plot.height() - 1) / double(((highest + step - 1) / step) * step);
    const auto rise = [perQso](qint64 qsos) { return int(std::lround(double(qsos) * perQso)); };
    p.setPen(palette().mid().color());
    for (qint64 v = 0; rise(v) <= plot.height() - 1; v += step) {
        const int y = plot.bottom() - rise(v);
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(palette().text().color());
        p.drawText(QRect(0, y - line / 2, 36, line), Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
        p.setPen(palette().mid().color());
    }
    return perQso;
}

void HourChart::drawBars(QPainter &p, const QRect &plot, const Hours &hours, double perQso) const
{
    const QFontMetrics fm = p.fontMetrics();
    const auto rise = [perQso](qint64 qsos) { return int(std::lround(double(qsos) * perQso)); };
    const double slot = double(plot.width()) / kHours;
    const int barWidth = std::max(1, int(slot * 0.8));
    // A label centred under its tick, but never past the chart's edges.
    const auto label = [&](const QString &text, int centre, int top) {
        const int w = fm.horizontalAdvance(text);
        p.drawText(std::clamp(centre - w / 2, 0, std::max(0, width() - w)), top + fm.ascent(), text);
    };
    for (int h = 0; h < kHours; ++h) {
        const int left = plot.left() + int(h * slot + (slot - barWidth) / 2);
        // Each band's part is rounded to the nearest pixel, and any QSO shows.
        qint64 base = 0;
        int risen = 0;
        for (int b = 0; b < hours.bands.size(); ++b) {
            const qint64 n = hours.stacks[size_t(h)][size_t(b)];
            if (n == 0)
                continue;
            base += n;
            const int top = std::max(rise(base), risen + 1);
            p.fillRect(QRect(left, plot.bottom() - top, barWidth, top - risen), kColours[std::min(b, 9)]);
            risen = top;
        }
        // The hour under every sixth bar; the date under the day's first.
        const QDateTime at = hourStart(hours.first + h);
        if (at.time().hour() % 6 == 0) {
            p.setPen(palette().text().color());
            const int centre = plot.left() + int(h * slot + slot / 2);
            p.drawLine(centre, plot.bottom() + 1, centre, plot.bottom() + 3);
            label(at.toString(QStringLiteral("HH")), centre, plot.bottom() + 4);
            if (at.time().hour() == 0)
                label(at.toString(QStringLiteral("yyyy-MM-dd")), centre, plot.bottom() + 4 + fm.height());
        }
    }
}
