#include "fonts.h"

namespace Fonts {

QFont face(const QString &family, int pixels, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    // Letters as typed, as Windows draws them: Wine's MS Sans Serif joins T
    // and M into one "™", which turned the call UA1TM into "UA1™".
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

} // namespace Fonts
