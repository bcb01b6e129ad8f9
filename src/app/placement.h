#pragma once

#include <QRect>
#include <QString>

class IniFile;

/// Where a window stands at start, from settings.ini.
struct MainPlacement {
    QPoint topLeft;
    int layout = 0; ///< entry layout: 0 horizontal, anything else vertical
};

/// Half of the free room, truncated towards zero (it may be negative).
int centredEdge(int screenExtent, int windowExtent);

/// Section Main: Left -1 (or missing) centres the window and keeps the
/// horizontal layout; otherwise Left, Top (default designTop) and Position.
/// Left and Top are bounded by Qt's largest widget size, either way.
MainPlacement mainPlacement(const IniFile &ini, const QSize &screen, const QSize &outer, int designTop);

/// A tool window's section (RptQso, Partial, Stats): Left -1 (or missing) centres the
/// window at its design size; otherwise Left, Top, Width, Height, each
/// defaulting to design. Width and Height are bounded by the screen; below 1
/// they are the design's. Left and Top are bounded as the main window's.
QRect toolWindowPlacement(const IniFile &ini, const QString &section, const QSize &screen, const QRect &design);

inline QRect repeatWindowPlacement(const IniFile &ini, const QSize &screen, const QRect &design)
{
    return toolWindowPlacement(ini, QStringLiteral("RptQso"), screen, design);
}
