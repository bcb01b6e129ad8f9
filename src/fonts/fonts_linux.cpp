#include "fontfile.h"
#include "fonts.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QtMath>

#include <utility>
#include <vector>

namespace Fonts {

namespace {
// MS Sans Serif is a bitmap face with three strikes and no bold. Qt
// registers only the first strike of a file and fakes bold only for
// scalable faces, so the program makes the missing pieces itself from the
// file's own bitmaps: copies that list another strike first, and a bold
// face drawn as Windows draws a bold raster font.
void addEveryStrike(const QByteArray &font)
{
    QFontDatabase::addApplicationFontFromData(font);
    for (int s = 1; s < FontFile::strikeCount(font); ++s)
        QFontDatabase::addApplicationFontFromData(FontFile::withFirstStrike(font, s));
}

void loadSansSerif(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray regular = file.readAll();
    if (!FontFile::isFont(regular))
        return;
    addEveryStrike(regular);
    const QByteArray bold = FontFile::overstruckFace(regular);
    if (!bold.isEmpty())
        addEveryStrike(bold);
}

// Tahoma Bold from fonts-wine draws 1-pixel stems at the selectors' 13
// pixels, from its outlines and from the Latin letters of its own bitmap
// strikes alike, so it looks regular there, where Windows drew 2-pixel ones.
// Its strikes give way to one of that size: each glyph drawn from its
// outline without smoothing, then overstruck as a bold raster font is. Qt
// takes a strike only for text it does not smooth.
constexpr int kBoldStrike = 13;

FontFile::Glyph unsmoothed(const QRawFont &raw, quint32 index, int ascent, int descent)
{
    FontFile::Glyph g;
    g.advance = qRound(raw.advancesForGlyphIndexes(QList<quint32>{index}).value(0).x());
    const int margin = kBoldStrike; // room for ink beyond the advance
    // Qt draws no glyphs onto a one-bit image: black on white, unsmoothed.
    QImage image(g.advance + 2 * margin, ascent + descent + 2 * margin, QImage::Format_RGB32);
    image.fill(Qt::white);
    const auto inked = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setPen(Qt::black);
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes({index});
        run.setPositions({QPointF(margin, margin + ascent)});
        painter.drawGlyphRun(QPointF(), run);
    }
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(x, y)) {
                left = qMin(left, x), right = qMax(right, x);
                top = qMin(top, y), bottom = qMax(bottom, y);
            }
    if (right < 0)
        return {}; // no ink: the outline's blank stays
    g.present = true;
    g.width = right - left + 1;
    g.height = bottom - top + 1;
    g.bearingX = left - margin;
    g.bearingY = margin + ascent - top;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            g.ink.push_back(inked(x, y));
    FontFile::overstrike(g);
    return g;
}

/// Tahoma Bold with its 13-pixel strike for the characters a Russian
/// program shows (ASCII, Latin-1, Cyrillic, "№"); the font as it is when
/// that cannot be made.
QByteArray withBoldStrike(const QByteArray &font)
{
    const QRawFont raw(font, kBoldStrike, QFont::PreferFullHinting);
    if (!raw.isValid())
        return font;
    QString text;
    for (const auto &[first, last] : {std::pair{0x21, 0x7E}, {0xA1, 0xFF}, {0x400, 0x45F}, {0x2116, 0x2116}})
        for (int c = first; c <= last; ++c)
            text += QChar(c);
    const int ascent = qCeil(raw.ascent()), descent = qCeil(raw.descent());
    std::vector<FontFile::Glyph> glyphs;
    for (const quint32 index : raw.glyphIndexesForString(text)) {
        if (index == 0)
            continue;
        if (glyphs.size() <= index)
            glyphs.resize(index + 1);
        glyphs[index] = unsmoothed(raw, index, ascent, descent);
    }
    const QByteArray withStrike = FontFile::withStrike(font, kBoldStrike, glyphs, ascent, descent);
    return withStrike.isEmpty() ? font : withStrike;
}

void loadTahomaBold(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        QFontDatabase::addApplicationFontFromData(withBoldStrike(file.readAll()));
}
} // namespace

void load()
{
    // fonts-wine keeps its faces outside fontconfig's folders.
    const QDir wine(QStringLiteral("/usr/share/wine/fonts"));
    if (wine.exists(QStringLiteral("tahoma.ttf")))
        QFontDatabase::addApplicationFont(wine.filePath(QStringLiteral("tahoma.ttf")));
    loadTahomaBold(wine.filePath(QStringLiteral("tahomabd.ttf")));
    loadSansSerif(wine.filePath(QStringLiteral("ms_sans_serif.ttf")));
}

QFont sansSerif(int pixels, bool bold)
{
    // A Windows font height of -N asks for an em of N pixels; the strikes'
    // cells are taller than their em (11 -> 13, 13 -> 16, 16 -> 20).
    struct Strike {
        int em, cell;
    };
    constexpr Strike strikes[] = {{11, 13}, {13, 16}, {16, 20}};
    const Strike *best = &strikes[0];
    for (const Strike &s : strikes)
        if (qAbs(s.em - pixels) < qAbs(best->em - pixels))
            best = &s;
    return face(QStringLiteral("MS Sans Serif"), best->cell, bold);
}

QFont tahoma(int pixels, bool bold)
{
    QFont f = face(QStringLiteral("Tahoma"), pixels, bold);
    if (bold && pixels == kBoldStrike)
        f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::NoAntialias)); // drawn from the strike
    return f;
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
