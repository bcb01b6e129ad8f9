#include "markplaces.h"

#include <QHash>

#include <algorithm>
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

/// How far a point lies from a rectangle: naught on it or inside it.
int distance(const QRect &r, QPoint p)
{
    const int dx = std::max({r.left() - p.x(), 0, p.x() - r.right()});
    const int dy = std::max({r.top() - p.y(), 0, p.y() - r.bottom()});
    return std::max(dx, dy);
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
    const int gap = radius + 3, out = radius / 2;
    QVector<QPoint> places;
    for (const QRect &target : targets) {
        QPoint best = target.center();
        long bestScore = LONG_MAX;
        // On the edge, a little outside it (the circle still on the control),
        // or inside; touching no other target where it can.
        for (int pass = 0; pass < 6 && !(pass == 3 && bestScore < LONG_MAX); ++pass) {
            const bool apart = pass < 3;
            const int ring = pass % 3;
            const QRect r = ring == 0   ? target
                            : ring == 1 ? target.adjusted(-out, -out, out, out)
                                        : target.adjusted(gap, gap, -gap, -gap);
            for (const QPoint &p : along(r)) {
                if (!inside.contains(p))
                    continue;
                // Nearer to any other target, the reader would have to guess
                // which control the mark names.
                bool clear = true;
                for (const QRect &other : targets)
                    clear = clear &&
                            (other == target || distance(other, p) > (apart ? radius + 2 : distance(target, p) + out));
                for (const QPoint &other : places)
                    clear = clear && (p - other).manhattanLength() > 3 * radius;
                if (!clear)
                    continue;
                // Text hidden counts most; then a place on the edge rather
                // than beside or inside; then the distance from the middle.
                const long score = hidden(image, p, radius) * 10000L + (ring == 0 ? 0 : 5000) +
                                   (p - target.center()).manhattanLength();
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
