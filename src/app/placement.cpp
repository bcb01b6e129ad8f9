#include "placement.h"

#include "inifile.h"

int centredEdge(int screenExtent, int windowExtent)
{
    return (screenExtent - windowExtent) / 2;
}

MainPlacement mainPlacement(const IniFile &ini, const QSize &screen, const QSize &outer, int designTop)
{
    const int left = ini.readInt(QStringLiteral("Main"), QStringLiteral("Left")).value_or(-1);
    if (left == -1)
        return {{centredEdge(screen.width(), outer.width()), centredEdge(screen.height(), outer.height())}, 0};
    return {{left, ini.readInt(QStringLiteral("Main"), QStringLiteral("Top")).value_or(designTop)},
            ini.readInt(QStringLiteral("Main"), QStringLiteral("Position")).value_or(0)};
}

QRect repeatWindowPlacement(const IniFile &ini, const QSize &screen, const QRect &design)
{
    const QString section = QStringLiteral("RptQso");
    const int left = ini.readInt(section, QStringLiteral("Left")).value_or(-1);
    if (left == -1)
        return {centredEdge(screen.width(), design.width()), centredEdge(screen.height(), design.height()),
                design.width(), design.height()};
    return {left, ini.readInt(section, QStringLiteral("Top")).value_or(design.top()),
            ini.readInt(section, QStringLiteral("Width")).value_or(design.width()),
            ini.readInt(section, QStringLiteral("Height")).value_or(design.height())};
}
