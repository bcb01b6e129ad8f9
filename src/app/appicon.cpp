#include "appicon.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace {
// The icon on a 32-unit square: a blue disc and a white "V" with square
// ends and a cut corner. The pictures and the scalable file are drawn from
// these alone, so they cannot come apart.
const QColor kDisc(0, 90, 170);
constexpr double kDiscCentre = 16, kDiscRadius = 15;
const QPolygonF kV({{9, 9}, {16, 24}, {23, 9}});
constexpr double kStroke = 3;
} // namespace

QImage appIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setBrush(kDisc);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(kDiscCentre, kDiscCentre), kDiscRadius, kDiscRadius);
    p.setPen(QPen(Qt::white, kStroke, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(kV);
    return image;
}

QByteArray appIconSvg()
{
    QStringList points;
    for (const QPointF &at : kV)
        points << QStringLiteral("%1,%2").arg(at.x()).arg(at.y());
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
               "  <circle cx=\"%1\" cy=\"%1\" r=\"%2\" fill=\"%3\"/>\n"
               "  <polyline points=\"%4\" fill=\"none\" stroke=\"#ffffff\" stroke-width=\"%5\" "
               "stroke-linecap=\"square\" stroke-linejoin=\"bevel\"/>\n"
               "</svg>\n")
        .arg(kDiscCentre)
        .arg(kDiscRadius)
        .arg(kDisc.name(), points.join(' '))
        .arg(kStroke)
        .toUtf8();
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    return icon;
}

QIcon themedIcon(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), QApplication::style()->standardIcon(fallback));
}
