#include "appicon.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

QIcon appIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 30, 30);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(9, 9, 16, 24);
    p.drawLine(16, 24, 23, 9);
    return QIcon(pixmap);
}

QIcon themedIcon(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), QApplication::style()->standardIcon(fallback));
}
