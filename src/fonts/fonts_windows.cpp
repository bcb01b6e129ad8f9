#include "fonts.h"

// Windows has the faces themselves, bitmap strikes and bold included.
namespace Fonts {

void load() {}

QFont sansSerif(int pixels, bool bold)
{
    return face(QStringLiteral("MS Sans Serif"), pixels, bold);
}

QFont tahoma(int pixels, bool bold)
{
    return face(QStringLiteral("Tahoma"), pixels, bold);
}

QFont verdana(int pixels, bool bold)
{
    return face(QStringLiteral("Verdana"), pixels, bold);
}

QFont courier(int pixels)
{
    QFont f = face(QStringLiteral("Courier New"), pixels, false);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

} // namespace Fonts
