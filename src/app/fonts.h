#pragma once

#include <QFont>

/// The faces the windows are drawn in, mapped to Debian's free look-alikes.
namespace Fonts {
/// Makes the bundled Tahoma and MS Sans Serif faces known to Qt.
void load();
QFont sansSerif(int pixels, bool bold = false); ///< MS Sans Serif
QFont tahoma(int pixels, bool bold = false);
QFont verdana(int pixels, bool bold = false);   ///< DejaVu Sans
QFont courier(int pixels);                      ///< Liberation Mono
} // namespace Fonts
