#include "placement.h"

#include "inifile.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <utility>
#include <vector>

QSize primaryScreenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

namespace {

// A place is free, on or off the screen, but Qt adds sizes to it in int: far
// enough that nobody's screens reach it, near enough that the sums cannot
// overflow, and the window has there what is written back.
int place(int value)
{
    constexpr int kFarthest = (1 << 24) - 1; // a widget's largest size in Qt
    return qBound(-kFarthest, value, kFarthest);
}

/// The stretches of area that none of the open windows reaches, each across
/// the whole area: top to bottom for a side strip (along Qt::Vertical),
/// left to right for a row (along Qt::Horizontal).
QVector<QRect> freeStretches(const QRect &area, Qt::Orientation along, const QVector<QRect> &open)
{
    const bool vertical = along == Qt::Vertical;
    std::vector<std::pair<int, int>> taken;
    for (const QRect &w : open)
        if (w.intersects(area))
            taken.push_back(vertical ? std::pair(w.top(), w.bottom()) : std::pair(w.left(), w.right()));
    std::sort(taken.begin(), taken.end());
    QVector<QRect> stretches;
    const auto add = [&](int from, int to) {
        if (from > to)
            return;
        stretches << (vertical ? QRect(QPoint(area.left(), from), QPoint(area.right(), to))
                               : QRect(QPoint(from, area.top()), QPoint(to, area.bottom())));
    };
    int next = vertical ? area.top() : area.left();
    for (const auto &[from, to] : taken) {
        add(next, from - 1);
        next = std::max(next, to + 1);
    }
    add(next, vertical ? area.bottom() : area.right());
    return stretches;
}

/// The largest size up to design that a stretch holds, if it holds the minimum.
std::optional<QSize> fitted(const QRect &stretch, const QSize &design, const QSize &minimum)
{
    const QSize size = design.boundedTo(stretch.size());
    if (size.width() < minimum.width() || size.height() < minimum.height())
        return std::nullopt;
    return size;
}

int area(const QRect &r)
{
    return r.width() * r.height();
}

enum class Side { Right, Below, Left };

/// A window in each free stretch of one side, as near the main window's
/// top (or left) edge as the stretch allows.
QVector<QRect> besideOneSide(Side side, const ToolWindowRoom &room, const QVector<QRect> &open, const QSize &design,
                             const QSize &minimum)
{
    const QRect &s = room.screen, &m = room.main;
    const QRect strip = side == Side::Right   ? QRect(QPoint(m.right() + 1, s.top()), s.bottomRight())
                        : side == Side::Below ? QRect(QPoint(s.left(), m.bottom() + 1), s.bottomRight())
                                              : QRect(s.topLeft(), QPoint(m.left() - 1, s.bottom()));
    QVector<QRect> windows;
    if (!strip.isValid())
        return windows;
    const Qt::Orientation along = side == Side::Below ? Qt::Horizontal : Qt::Vertical;
    for (const QRect &stretch : freeStretches(strip, along, open)) {
        const auto size = fitted(stretch, design, minimum);
        if (!size)
            continue;
        QRect w(QPoint(), *size);
        if (side == Side::Below) {
            w.moveTop(stretch.top());
            w.moveLeft(qBound(stretch.left(), m.left(), stretch.right() - w.width() + 1));
        } else {
            w.moveLeft(side == Side::Right ? stretch.left() : stretch.right() - w.width() + 1);
            w.moveTop(qBound(stretch.top(), m.top(), stretch.bottom() - w.height() + 1));
        }
        windows << w;
    }
    return windows;
}

/// A window over the grid's rows, at either end of each free stretch of
/// them, the one that hides less of the grid first.
QVector<QRect> overTheGrid(const ToolWindowRoom &room, const QVector<QRect> &open, const QSize &design,
                           const QSize &minimum)
{
    const QRect rows =
        QRect(QPoint(room.screen.left(), room.grid.top()), QPoint(room.screen.right(), room.grid.bottom()))
            .intersected(room.screen);
    QVector<QRect> windows;
    for (const QRect &stretch : freeStretches(rows, Qt::Horizontal, open)) {
        const auto size = fitted(stretch, design, minimum);
        if (!size)
            continue;
        const QRect atRight(QPoint(stretch.right() - size->width() + 1, stretch.top()), *size);
        const QRect atLeft(stretch.topLeft(), *size);
        const bool rightHidesLess = area(atRight & room.grid) <= area(atLeft & room.grid);
        windows << (rightHidesLess ? atRight : atLeft) << (rightHidesLess ? atLeft : atRight);
    }
    return windows;
}

std::optional<QRect> choose(const ToolWindowRoom &room, const QVector<QRect> &open, const QSize &design,
                            const QSize &minimum)
{
    QVector<QRect> beside;
    for (Side side : {Side::Right, Side::Below, Side::Left})
        beside << besideOneSide(side, room, open, design, minimum);
    for (const QRect &w : beside)
        if (w.size() == design)
            return w;
    // The first of the largest, so that a tie goes to the side named first.
    if (!beside.isEmpty())
        return *std::max_element(beside.begin(), beside.end(),
                                 [](const QRect &a, const QRect &b) { return area(a) < area(b); });
    const QVector<QRect> over = overTheGrid(room, open, design, minimum);
    if (over.isEmpty())
        return std::nullopt;
    return *std::min_element(over.begin(), over.end(), [&](const QRect &a, const QRect &b) {
        return std::pair(area(a & room.grid), -area(a)) < std::pair(area(b & room.grid), -area(b));
    });
}

} // namespace

int centredEdge(int screenExtent, int windowExtent)
{
    return (screenExtent - windowExtent) / 2;
}

MainPlacement mainPlacement(const IniFile &ini, const QSize &screen, const QSize &outer, int designTop)
{
    const int left = ini.read(Settings::mainLeft).value_or(-1);
    if (left == -1)
        return {{centredEdge(screen.width(), outer.width()), centredEdge(screen.height(), outer.height())}, 0};
    return {{place(left), place(ini.read(Settings::mainTop).value_or(designTop))}, ini.read(Settings::mainLayout)};
}

std::optional<QRect> savedToolWindowPlace(const IniFile &ini, const QString &section, const QSize &screen,
                                          const QRect &design)
{
    const int left = ini.readInt(section, QLatin1String(Settings::placeLeft)).value_or(-1);
    if (left == -1)
        return std::nullopt;
    // A size is bounded by the screen (a huge one only eats memory) and a
    // size of nothing falls back to the design; the place stays as read.
    const auto extent = [&](const char *key, int designExtent, int screenExtent) {
        const int value = ini.readInt(section, QLatin1String(key)).value_or(designExtent);
        return value < 1 ? designExtent : qMin(value, qMax(screenExtent, 1));
    };
    return QRect(place(left), place(ini.readInt(section, QLatin1String(Settings::placeTop)).value_or(design.top())),
                 extent(Settings::placeWidth, design.width(), screen.width()),
                 extent(Settings::placeHeight, design.height(), screen.height()));
}

QRect repeatWindowPlacement(const IniFile &ini, const QSize &screen, const QRect &design)
{
    return savedToolWindowPlace(ini, QStringLiteral("RptQso"), screen, design)
        .value_or(QRect(centredEdge(screen.width(), design.width()), centredEdge(screen.height(), design.height()),
                        design.width(), design.height()));
}

QRect besideMain(const ToolWindowRoom &room, const QSize &design, const QSize &minimum)
{
    const QSize largest = design.expandedTo(minimum);
    if (const auto clear = choose(room, room.open, largest, minimum))
        return *clear;
    if (const auto over = choose(room, {}, largest, minimum))
        return *over;
    // A screen smaller than the window's minimum: the grid's corner at least.
    return QRect(room.grid.topLeft(), minimum);
}
