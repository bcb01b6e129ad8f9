#include "appicon.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

QImage appIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 32-unit square, as the scalable icon of the package is.
    p.scale(size / 32.0, size / 32.0);
    p.setBrush(QColor(0, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(1, 1, 30, 30));
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{9, 9}, {16, 24}, {23, 9}}));
    return image;
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
