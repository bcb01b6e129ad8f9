#include "fonts.h"

#include <QDir>
#include <QFontDatabase>

namespace Fonts {

namespace {
QFont face(const QString &family, int pixels, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}
} // namespace

void load()
{
    // fonts-wine keeps its faces outside fontconfig's folders.
    const QDir wine(QStringLiteral("/usr/share/wine/fonts"));
    for (const QString &name : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf"),
                                QStringLiteral("ms_sans_serif.ttf")})
        if (wine.exists(name))
            QFontDatabase::addApplicationFont(wine.filePath(name));
}

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
    return face(QStringLiteral("DejaVu Sans"), pixels, bold);
}

QFont courier(int pixels)
{
    QFont f = face(QStringLiteral("Liberation Mono"), pixels, false);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

} // namespace Fonts
