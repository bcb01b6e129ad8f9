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
    return windowPlacement(ini, QStringLiteral("RptQso"), screen, design);
}

QRect windowPlacement(const IniFile &ini, const QString &section, const QSize &screen, const QRect &design)
{
    const int left = ini.readInt(section, QStringLiteral("Left")).value_or(-1);
    if (left == -1)
        return {centredEdge(screen.width(), design.width()), centredEdge(screen.height(), design.height()),
                design.width(), design.height()};
    // A size is bounded by the screen (a huge one only eats memory) and a
    // size of nothing falls back to the design; the place stays as read.
    const auto extent = [&](const char *key, int designExtent, int screenExtent) {
        const int value = ini.readInt(section, QLatin1String(key)).value_or(designExtent);
        return value < 1 ? designExtent : qMin(value, qMax(screenExtent, 1));
    };
    return {left, ini.readInt(section, QStringLiteral("Top")).value_or(design.top()),
            extent("Width", design.width(), screen.width()), extent("Height", design.height(), screen.height())};
}
