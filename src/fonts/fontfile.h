#pragma once

#include <QByteArray>

#include <vector>

/// TrueType files rewritten in memory, for the bold faces Qt cannot draw from
/// the files as they are: bitmap strikes copied, overstruck or added.
namespace FontFile {

/// One glyph of a bitmap strike: its small metrics in pixels and its ink.
struct Glyph {
    bool present = false;
    int height = 0, width = 0, bearingX = 0, bearingY = 0, advance = 0;
    std::vector<bool> ink; ///< row by row
};

/// Windows draws a bold raster font by overstriking each glyph one pixel
/// to the right: one pixel wider and one pixel further to the next glyph.
void overstrike(Glyph &g);

/// Whether the data is a TrueType font with every table inside it.
bool isFont(const QByteArray &font);
/// The bitmap strikes the font lists; 0 for an outline font.
int strikeCount(const QByteArray &font);
/// A copy of the font whose strike number `strike` is listed first. Qt
/// registers only the first strike of a file.
QByteArray withFirstStrike(const QByteArray &font, int strike);
/// The bold face of a bitmap font: every strike overstruck, named and
/// flagged bold; empty for a layout this does not read.
QByteArray overstruckFace(const QByteArray &font);
/// A copy of an outline font whose bitmap strikes are replaced by one of
/// ppem pixels, glyphs[i] being glyph i, and ascender and descender its
/// pixels above and below the baseline; glyphs not present keep their
/// outlines. Empty when no glyph is present.
QByteArray withStrike(const QByteArray &font, int ppem, const std::vector<Glyph> &glyphs, int ascender, int descender);

} // namespace FontFile
