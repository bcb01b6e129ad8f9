#pragma once

#include <QIcon>
#include <QImage>
#include <QStyle>

/// The program icon, drawn rather than shipped as a file; the package's
/// icons are drawn by the same hand.
QIcon appIcon();
QImage appIconImage(int size);
/// The same icon as a scalable SVG file's text.
QByteArray appIconSvg();

/// The desktop theme's icon of that name, or the style's own where the
/// theme has none.
QIcon themedIcon(const char *name, QStyle::StandardPixmap fallback);
