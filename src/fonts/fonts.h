#pragma once

#include <QFont>

/// The faces the windows are drawn in: on Windows the faces themselves, on
/// Linux Debian's free look-alikes.
namespace Fonts {
/// The family at an em of `pixels`, letters drawn one by one as typed.
QFont face(const QString &family, int pixels, bool bold);
/// Makes the bundled Tahoma and MS Sans Serif faces known to Qt, with every
/// strike of MS Sans Serif and a bold made from them, and Tahoma Bold with a
/// 13-pixel strike of 2-pixel stems.
void load();
/// MS Sans Serif with an em of `pixels` (a Windows font height of -pixels):
/// 11 is its 13-pixel strike, 13 its 16-pixel one, 16 its 20-pixel one.
/// Bold is the regular strike overstruck one pixel to the right.
QFont sansSerif(int pixels, bool bold = false);
/// Bold at 13 pixels is drawn from its strike, without smoothing.
QFont tahoma(int pixels, bool bold = false);
QFont verdana(int pixels, bool bold = false); ///< DejaVu Sans on Linux
QFont courier(int pixels);                    ///< Liberation Mono on Linux
} // namespace Fonts
