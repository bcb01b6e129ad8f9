#include "markplaces.h"

#include <QHash>

#include <climits>

namespace {

/// The pixels of the circle (with a little room round the mark) that differ from the colour most of them have:
/// nothing over a plain surface, much over text or a border.
int hidden(const QImage &image, QPoint centre, int radius)
{
    QHash<QRgb, int> count;
    QVector<QRgb> pixels;
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x)
            if (x * x + y * y <= radius * radius) {
                const QRgb c = image.pixel(centre.x() + x, centre.y() + y);
                pixels << c;
                ++count[c];
            }
    int most = 0;
    QRgb plain = 0;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            plain = it.key();
        }
    int differing = 0;
    for (QRgb c : pixels)
        differing += qAbs(qGray(c) - qGray(plain)) > 24 || qAbs(qRed(c) - qRed(plain)) > 24 ||
                     qAbs(qBlue(c) - qBlue(plain)) > 24;
    return differing;
}

/// The centres along a rectangle's edge, every two pixels.
QVector<QPoint> along(const QRect &r)
{
    QVector<QPoint> points;
    if (r.width() < 0 || r.height() < 0)
        return points;
    for (int x = r.left(); x <= r.right(); x += 2)
        points << QPoint(x, r.top()) << QPoint(x, r.bottom());
    for (int y = r.top(); y <= r.bottom(); y += 2)
        points << QPoint(r.left(), y) << QPoint(r.right(), y);
    return points;
}

} // namespace

QVector<QPoint> markPlaces(const QImage &image, const QVector<QRect> &targets, int radius)
{
    const QRect inside = image.rect().adjusted(radius + 2, radius + 2, -radius - 2, -radius - 2);
    const int gap = radius + 3;
    QVector<QPoint> places;
    for (const QRect &target : targets) {
        QPoint best = target.topLeft();
        long bestScore = LONG_MAX;
        for (bool outside : {true, false}) {
            const QRect ring = outside ? target.adjusted(-gap, -gap, gap, gap) : target.adjusted(gap, gap, -gap, -gap);
            for (const QPoint &p : along(ring)) {
                if (!inside.contains(p))
                    continue;
                bool clear = true;
                for (const QPoint &other : places)
                    clear = clear && (p - other).manhattanLength() > 3 * radius;
                if (!clear)
                    continue;
                // Text hidden counts most; then a place inside the control
                // rather than beside it; then the distance from its top left.
                const long score =
                    hidden(image, p, radius) * 10000L + (outside ? 0 : 5000) + (p - target.topLeft()).manhattanLength();
                if (score < bestScore) {
                    bestScore = score;
                    best = p;
                }
            }
        }
        places << best;
    }
    return places;
}
