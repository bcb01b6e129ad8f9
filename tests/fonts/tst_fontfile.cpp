#include "tempdir.h"

#include "fonts/fontfile.h"

#include <QtTest>

/// The faces the program makes, read back byte by byte as a font reader
/// that checks them would: a font with a wrong checksum or directory is
/// refused by some readers and silently mis-drawn by others.
class FontFileTest : public QObject {
    Q_OBJECT
private slots:
    void facesAreWholeTrueTypeFiles_data();
    void facesAreWholeTrueTypeFiles();
    void addedStrikeHoldsTheGlyphsBits();
};

namespace {

quint32 u32(const QByteArray &b, qsizetype at)
{
    return quint32(quint8(b[at])) << 24 | quint32(quint8(b[at + 1])) << 16 | quint32(quint8(b[at + 2])) << 8 |
           quint8(b[at + 3]);
}
quint16 u16(const QByteArray &b, qsizetype at)
{
    return quint16(quint8(b[at]) << 8 | quint8(b[at + 1]));
}

quint32 checksum(QByteArray bytes)
{
    bytes.append((4 - bytes.size() % 4) % 4, '\0');
    quint32 sum = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 4)
        sum += u32(bytes, i);
    return sum;
}

QByteArray wineFont(const char *name)
{
    return readAll(QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(name));
}

/// The table tagged tag; empty when the font has none.
QByteArray table(const QByteArray &font, const char *tag)
{
    for (int i = 0; i < u16(font, 4); ++i)
        if (font.mid(12 + 16 * i, 4) == tag)
            return font.mid(u32(font, 12 + 16 * i + 8), u32(font, 12 + 16 * i + 12));
    return {};
}

/// What is wrong with the font's table directory and checksums; empty when nothing.
QString faultIn(const QByteArray &font)
{
    const int count = u16(font, 4);
    int power = 1;
    while (power * 2 <= count)
        power *= 2;
    if (u16(font, 6) != 16 * power || u16(font, 10) != 16 * (count - power) || 1 << u16(font, 8) != power)
        return "search fields";
    QByteArray previous;
    for (int i = 0; i < count; ++i) {
        const int record = 12 + 16 * i;
        const QByteArray tag = font.mid(record, 4);
        const quint32 offset = u32(font, record + 8), length = u32(font, record + 12);
        if (tag <= previous)
            return "tags out of order at " + tag;
        if (offset % 4 || offset + quint64(length) > quint64(font.size()))
            return "table outside the file: " + tag;
        QByteArray bytes = font.mid(offset, length);
        if (tag == "head")
            bytes.replace(8, 4, QByteArray(4, '\0'));
        if (checksum(bytes) != u32(font, record + 4))
            return "checksum of " + tag;
        previous = tag;
    }
    if (checksum(font) != 0xB1B0AFBA)
        return "the whole file's checksum";
    return {};
}

/// The pixels a line of each strike is, in the order the strikes are listed.
QList<int> strikePixels(const QByteArray &font)
{
    const QByteArray eblc = table(font, "EBLC");
    QList<int> ppems;
    for (int s = 0; s < FontFile::strikeCount(font); ++s)
        ppems << quint8(eblc[8 + 48 * s + 45]);
    return ppems;
}

} // namespace

void FontFileTest::facesAreWholeTrueTypeFiles_data()
{
    const QByteArray sans = wineFont("ms_sans_serif.ttf");
    QVERIFY2(FontFile::isFont(sans), "fonts-wine is not installed");
    const QList<int> p = strikePixels(sans);
    QCOMPARE(p.size(), 3);
    const QByteArray bold = FontFile::overstruckFace(sans);
    FontFile::Glyph dot;
    dot.present = true;
    dot.height = dot.width = dot.advance = 1;
    dot.ink = {true};
    const std::vector<FontFile::Glyph> oneDot(40, dot);

    const QByteArray tahoma = FontFile::withStrike(wineFont("tahomabd.ttf"), 13, oneDot, 11, 3);
    struct Row {
        const char *name;
        QByteArray face;
        QList<int> pixels; ///< of the strikes, in the order listed
        bool bold;
    };
    const Row rows[] = {
        {"MS Sans Serif, second strike first", FontFile::withFirstStrike(sans, 1), {p[1], p[0], p[2]}, false},
        {"MS Sans Serif, third strike first", FontFile::withFirstStrike(sans, 2), {p[2], p[1], p[0]}, false},
        {"overstruck bold", bold, p, true},
        {"overstruck bold, second strike first", FontFile::withFirstStrike(bold, 1), {p[1], p[0], p[2]}, true},
        {"Tahoma Bold with a strike of its own", tahoma, {13}, true},
    };
    QTest::addColumn<QByteArray>("face");
    QTest::addColumn<QList<int>>("pixels");
    QTest::addColumn<bool>("bold");
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.face << r.pixels << r.bold;
}

void FontFileTest::facesAreWholeTrueTypeFiles()
{
    QFETCH(QByteArray, face);
    QFETCH(QList<int>, pixels);
    QFETCH(bool, bold);
    QVERIFY(FontFile::isFont(face));
    QCOMPARE(faultIn(face), QString());
    QCOMPARE(strikePixels(face), pixels);
    const QByteArray head = table(face, "head"), os2 = table(face, "OS/2");
    QCOMPARE(u32(head, 12), 0x5F0F3CF5u); // the magic number
    QCOMPARE(bool(u16(head, 44) & 1), bold);
    QCOMPARE(u16(os2, 4) >= 700, bold);
    QCOMPARE(bool(u16(os2, 62) & 0x20), bold);
}

void FontFileTest::addedStrikeHoldsTheGlyphsBits()
{
    // Glyph 5 alone: three pixels wide, two high, "X.X" over ".XX".
    FontFile::Glyph g;
    g.present = true;
    g.height = 2, g.width = 3, g.bearingX = -1, g.bearingY = 9, g.advance = 4;
    g.ink = {true, false, true, false, true, true};
    std::vector<FontFile::Glyph> glyphs(6);
    glyphs[5] = g;
    const QByteArray face = FontFile::withStrike(wineFont("tahomabd.ttf"), 13, glyphs, 11, 3);
    QCOMPARE(faultIn(face), QString());
    // Version 2, then the small metrics and the rows packed bit by bit.
    QCOMPARE(table(face, "EBDT"), QByteArray("\x00\x02\x00\x00\x02\x03\xff\x09\x04\xac", 10));
    const QByteArray eblc = table(face, "EBLC");
    QCOMPARE(u16(eblc, 8 + 40), 5); // the strike's first and last glyph
    QCOMPARE(u16(eblc, 8 + 42), 5);
    QCOMPARE(quint8(eblc[8 + 16]), 11); // ascender, descender, widest glyph
    QCOMPARE(qint8(eblc[8 + 17]), -3);
    QCOMPARE(quint8(eblc[8 + 18]), 3);
    QVERIFY(table(face, "BDF ").isEmpty());
}

QTEST_GUILESS_MAIN(FontFileTest)
#include "tst_fontfile.moc"
