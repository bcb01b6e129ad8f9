#pragma once

#include <QRect>
#include <QString>
#include <QVector>

#include <optional>

class IniFile;

/// Where a window stands at start, from settings.ini.
struct MainPlacement {
    QPoint topLeft;
    int layout = 0; ///< entry layout: 0 horizontal, anything else vertical
};

/// The size of the screen a window is placed on at start: the primary one
/// (a desktop without one is taken as 1024 x 768).
QSize primaryScreenSize();

/// Half of the free room, truncated towards zero (it may be negative).
int centredEdge(int screenExtent, int windowExtent);

/// Section Main: Left -1 (or missing) centres the window and keeps the
/// horizontal layout; otherwise Left, Top (default designTop) and Position.
/// Left and Top are bounded by Qt's largest widget size, either way.
MainPlacement mainPlacement(const IniFile &ini, const QSize &screen, const QSize &outer, int designTop);

/// A tool window's saved place in its section (RptQso, Partial, Stats):
/// nothing when Left is -1 or missing; otherwise Left, Top, Width, Height,
/// each defaulting to design. Width and Height are bounded by the screen;
/// below 1 they are the design's. Left and Top are bounded as the main
/// window's.
std::optional<QRect> savedToolWindowPlace(const IniFile &ini, const QString &section, const QSize &screen,
                                          const QRect &design);

/// The repeat window: its saved place, else centred at its design size.
QRect repeatWindowPlacement(const IniFile &ini, const QSize &screen, const QRect &design);

/// What a tool window without a saved place is placed around, in screen
/// coordinates, frames included.
struct ToolWindowRoom {
    QRect screen;        ///< the part of the main window's screen that windows may take
    QRect main;          ///< the main window
    QRect grid;          ///< the part of the main window that may be covered: the log grid
    QVector<QRect> open; ///< the tool windows already open
};

/// Where a tool window opens (its frame, at most design and at least
/// minimum): beside the main window and clear of the open tool windows,
/// right of it, else below, else left, at its design size where a side has
/// room for it, else as large as the roomiest side allows. Where no side
/// holds the minimum, over the grid's rows and as little of the grid as
/// may be; clear of the open windows where there is room, over them where
/// there is not. The rest of the main window (its menu, entry panel and
/// status bar) is never covered while the screen has room for the minimum.
QRect besideMain(const ToolWindowRoom &room, const QSize &design, const QSize &minimum);
