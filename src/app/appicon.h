#pragma once

#include <QIcon>
#include <QStyle>

/// The program icon, drawn rather than shipped as a file.
QIcon appIcon();

/// The desktop theme's icon of that name, or the style's own where the
/// theme has none.
QIcon themedIcon(const char *name, QStyle::StandardPixmap fallback);
