#include "fontfile.h"

#include <QMap>

namespace FontFile {

namespace {

quint32 u32(const QByteArray &b, int at)
{
    return quint32(quint8(b[at])) << 24 | quint32(quint8(b[at + 1])) << 16 | quint32(quint8(b[at + 2])) << 8 |
           quint8(b[at + 3]);
}
quint16 u16(const QByteArray &b, int at)
{
    return quint16(quint8(b[at]) << 8 | quint8(b[at + 1]));
}
void put32(QByteArray &b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char(v >> (24 - 8 * i));
}
void put16(QByteArray &b, int at, quint16 v)
{
    b[at] = char(v >> 8);
    b[at + 1] = char(v);
}
void add32(QByteArray &b, quint32 v)
{
    b.append(4, '\0');
    put32(b, int(b.size()) - 4, v);
}

constexpr int kStrikeRecord = 48; // bitmapSizeTable in EBLC

/// The font's tables by tag; empty when the file is not a TrueType font.
QMap<QByteArray, QByteArray> tables(const QByteArray &font)
{
    QMap<QByteArray, QByteArray> out;
    if (font.size() < 12)
        return out;
    const int count = u16(font, 4);
    for (int i = 0; i < count; ++i) {
        const int record = 12 + 16 * i;
        if (record + 16 > font.size())
            return {};
        const quint32 offset = u32(font, record + 8), length = u32(font, record + 12);
        if (offset + quint64(length) > quint64(font.size()))
            return {};
        out.insert(font.mid(record, 4), font.mid(int(offset), int(length)));
    }
    return out;
}

quint32 checksum(const QByteArray &table)
{
    QByteArray padded = table;
    padded.append((4 - padded.size() % 4) % 4, '\0');
    quint32 sum = 0;
    for (int i = 0; i < padded.size(); i += 4)
        sum += u32(padded, i);
    return sum;
}

QByteArray assemble(QMap<QByteArray, QByteArray> parts)
{
    const int count = int(parts.size());
    int power = 1, log = 0;
    while (power * 2 <= count)
        power *= 2, ++log;
    QByteArray out;
    add32(out, 0x00010000);
    out.append(8, '\0');
    put16(out, 4, quint16(count));
    put16(out, 6, quint16(power * 16));
    put16(out, 8, quint16(log));
    put16(out, 10, quint16(count * 16 - power * 16));
    parts[QByteArrayLiteral("head")].replace(8, 4, QByteArray(4, '\0'));
    int offset = 12 + 16 * count;
    QByteArray body;
    int head = 0;
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        if (it.key() == "head")
            head = offset + int(body.size());
        out.append(it.key());
        add32(out, checksum(it.value()));
        add32(out, quint32(offset + body.size()));
        add32(out, quint32(it.value().size()));
        body.append(it.value());
        body.append((4 - body.size() % 4) % 4, '\0');
    }
    out.append(body);
    put32(out, head + 8, 0xB1B0AFBA - checksum(out));
    return out;
}

/// A glyph's small metrics: height, width, bearings and advance, five bytes.
void readMetrics(const QByteArray &data, qint64 at, Glyph &g)
{
    g.present = true;
    g.height = quint8(data[at]);
    g.width = quint8(data[at + 1]);
    g.bearingX = qint8(data[at + 2]);
    g.bearingY = qint8(data[at + 3]);
    g.advance = quint8(data[at + 4]);
}

std::vector<bool> bits(const QByteArray &data, int at, int count)
{
    std::vector<bool> out(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        out[size_t(i)] = (quint8(data[at + i / 8]) >> (7 - i % 8)) & 1;
    return out;
}

/// Small metrics and bit-aligned rows (EBDT image format 2).
QByteArray imageFormat2(const Glyph &g)
{
    QByteArray out;
    out.append(char(g.height)).append(char(g.width)).append(char(g.bearingX)).append(char(g.bearingY));
    out.append(char(g.advance));
    QByteArray packed((int(g.ink.size()) + 7) / 8, '\0');
    for (size_t i = 0; i < g.ink.size(); ++i)
        if (g.ink[i])
            packed[int(i / 8)] = char(packed[int(i / 8)] | (0x80 >> (i % 8)));
    return out + packed;
}

/// Reads the glyphs of one index subtable; false for a layout this file
/// does not use (then no bold face is made).
bool readRange(const QByteArray &eblc, const QByteArray &ebdt, int subtable, int count, std::vector<Glyph> &out)
{
    if (subtable < 0 || subtable + 20 > eblc.size())
        return false;
    const int indexFormat = u16(eblc, subtable), imageFormat = u16(eblc, subtable + 2);
    const qint64 images = u32(eblc, subtable + 4);
    auto fits = [&](qint64 at, const Glyph &g) { return at + 5 + (g.width * g.height + 7) / 8 <= ebdt.size(); };
    if (indexFormat == 1 && imageFormat == 2) {
        if (subtable + 12 + 4 * count > eblc.size())
            return false;
        for (int i = 0; i < count; ++i) {
            Glyph g;
            const qint64 at = images + u32(eblc, subtable + 8 + 4 * i);
            const qint64 end = images + u32(eblc, subtable + 12 + 4 * i);
            if (end > at) {
                if (at + 5 > ebdt.size())
                    return false;
                readMetrics(ebdt, at, g);
                if (!fits(at, g))
                    return false;
                g.ink = bits(ebdt, int(at) + 5, g.width * g.height);
            }
            out.push_back(std::move(g));
        }
        return true;
    }
    if (indexFormat == 2 && imageFormat == 5) {
        const qint64 size = u32(eblc, subtable + 8);
        const int metrics = subtable + 12;
        for (int i = 0; i < count; ++i) {
            Glyph g;
            readMetrics(eblc, metrics, g);
            const qint64 at = images + size * i;
            if (size * 8 < g.width * g.height || !fits(at - 5, g))
                return false;
            g.ink = bits(ebdt, int(at), g.width * g.height);
            out.push_back(std::move(g));
        }
        return true;
    }
    return false;
}

/// Offsets (index format 1) to glyphs with their own small metrics (image
/// format 2), the images appended to ebdt.
QByteArray indexSubtable(const std::vector<Glyph> &glyphs, QByteArray &ebdt)
{
    QByteArray subtable(4, '\0');
    put16(subtable, 0, 1);
    put16(subtable, 2, 2);
    add32(subtable, quint32(ebdt.size()));
    QByteArray images;
    for (const Glyph &g : glyphs) {
        add32(subtable, quint32(images.size()));
        if (g.present)
            images.append(imageFormat2(g));
    }
    add32(subtable, quint32(images.size()));
    ebdt.append(images);
    return subtable;
}

} // namespace

void overstrike(Glyph &g)
{
    g.advance += 1;
    if (g.width == 0)
        return;
    std::vector<bool> wide(size_t((g.width + 1) * g.height));
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x <= g.width; ++x) {
            const bool here = x < g.width && g.ink[size_t(y * g.width + x)];
            const bool left = x > 0 && g.ink[size_t(y * g.width + x - 1)];
            wide[size_t(y * (g.width + 1) + x)] = here || left;
        }
    g.width += 1;
    g.ink = std::move(wide);
}

bool isFont(const QByteArray &font)
{
    return !tables(font).isEmpty();
}

int strikeCount(const QByteArray &font)
{
    const QByteArray eblc = tables(font).value("EBLC");
    const qint64 listed = eblc.size() >= 8 ? u32(eblc, 4) : 0;
    return 8 + kStrikeRecord * listed <= eblc.size() ? int(listed) : 0;
}

/// A copy of the font whose strike number `strike` is listed first. The
/// index records point into EBLC by absolute offsets, so they can be swapped.
QByteArray withFirstStrike(const QByteArray &font, int strike)
{
    QByteArray out = font;
    const int count = u16(font, 4);
    for (int i = 0; i < count; ++i) {
        const int record = 12 + 16 * i;
        if (font.mid(record, 4) != "EBLC")
            continue;
        const int first = int(u32(font, record + 8)) + 8;
        const int other = first + kStrikeRecord * strike;
        out.replace(first, kStrikeRecord, font.mid(other, kStrikeRecord));
        out.replace(other, kStrikeRecord, font.mid(first, kStrikeRecord));
    }
    return out;
}

QByteArray overstruckFace(const QByteArray &font)
{
    QMap<QByteArray, QByteArray> parts = tables(font);
    const QByteArray eblc = parts.value("EBLC"), ebdt = parts.value("EBDT");
    if (eblc.size() < 8 || ebdt.size() < 4 || parts.value("OS/2").size() < 64 || parts.value("head").size() < 54 ||
        parts.value("name").size() < 6)
        return {};
    const int strikes = int(u32(eblc, 4));
    if (strikes < 1 || 8 + kStrikeRecord * qint64(strikes) > eblc.size())
        return {};
    QByteArray newEblc = eblc.left(8 + kStrikeRecord * strikes);
    QByteArray newEbdt = ebdt.left(4);
    for (int s = 0; s < strikes; ++s) {
        const int record = 8 + kStrikeRecord * s;
        const int array = int(u32(eblc, record));
        const int ranges = int(u32(eblc, record + 8));
        if (array < 0 || ranges < 0 || array + 8 * qint64(ranges) > eblc.size())
            return {};
        const int newArray = int(newEblc.size());
        QByteArray subtables;
        QByteArray entries;
        for (int r = 0; r < ranges; ++r) {
            const int entry = array + 8 * r;
            const int first = u16(eblc, entry), last = u16(eblc, entry + 2);
            const qint64 source = array + qint64(u32(eblc, entry + 4));
            std::vector<Glyph> glyphs;
            if (last < first || source > eblc.size() || !readRange(eblc, ebdt, int(source), last - first + 1, glyphs))
                return {};
            entries.append(eblc.mid(entry, 4));
            add32(entries, quint32(8 * ranges + subtables.size()));
            for (Glyph &g : glyphs)
                if (g.present)
                    overstrike(g);
            subtables.append(indexSubtable(glyphs, newEbdt));
        }
        put32(newEblc, record, quint32(newArray));
        put32(newEblc, record + 4, quint32(entries.size() + subtables.size()));
        newEblc[record + 18] = char(quint8(newEblc[record + 18]) + 1); // widest glyph
        newEblc.append(entries).append(subtables);
    }
    parts["EBLC"] = newEblc;
    parts["EBDT"] = newEbdt;

    QByteArray &os2 = parts["OS/2"];
    put16(os2, 4, 700);                                     // weight class
    put16(os2, 62, quint16((u16(os2, 62) & ~0x40) | 0x20)); // bold, not regular
    QByteArray &head = parts["head"];
    put16(head, 44, quint16(u16(head, 44) | 1)); // macStyle bold

    // The style name ("Medium") becomes "Bold" in place: a shorter string
    // at the same offset.
    QByteArray &name = parts["name"];
    const int storage = u16(name, 4);
    for (int i = 0, n = u16(name, 2); i < n; ++i) {
        const int rec = 6 + 12 * i;
        if (rec + 12 > name.size() || u16(name, rec + 6) != 2)
            continue;
        const bool wide = u16(name, rec) == 0 || u16(name, rec) == 3;
        const QByteArray bold = wide ? QByteArray("\0B\0o\0l\0d", 8) : QByteArray("Bold");
        if (u16(name, rec + 8) < bold.size() || storage + u16(name, rec + 10) + bold.size() > name.size())
            continue;
        name.replace(storage + u16(name, rec + 10), int(bold.size()), bold);
        put16(name, rec + 8, quint16(bold.size()));
    }
    return assemble(parts);
}

QByteArray withStrike(const QByteArray &font, int ppem, const std::vector<Glyph> &glyphs, int ascender, int descender)
{
    QMap<QByteArray, QByteArray> parts = tables(font);
    size_t first = 0, last = glyphs.size();
    while (first < glyphs.size() && !glyphs[first].present)
        ++first;
    while (last > first && !glyphs[last - 1].present)
        --last;
    if (parts.isEmpty() || first == last || last > 0xFFFF)
        return {};
    const std::vector<Glyph> range(glyphs.begin() + qsizetype(first), glyphs.begin() + qsizetype(last));
    int widest = 0;
    for (const Glyph &g : range)
        widest = qMax(widest, g.width);

    QByteArray eblc;
    add32(eblc, 0x00020000);
    add32(eblc, 1);
    QByteArray strike(kStrikeRecord, '\0');
    put32(strike, 0, quint32(8 + kStrikeRecord)); // the index array follows the one strike
    put32(strike, 8, 1);                          // one range
    // The same line metrics across and down: ascender, descender, widest
    // glyph, an upright caret.
    for (const int lines : {16, 28}) {
        strike[lines] = char(ascender);
        strike[lines + 1] = char(-descender);
        strike[lines + 2] = char(widest);
        strike[lines + 3] = 1;
    }
    put16(strike, 40, quint16(first));
    put16(strike, 42, quint16(last - 1));
    strike[44] = strike[45] = char(ppem);
    strike[46] = 1; // bits a pixel
    strike[47] = 1; // horizontal metrics
    QByteArray ebdt;
    add32(ebdt, 0x00020000);
    QByteArray array(4, '\0');
    put16(array, 0, quint16(first));
    put16(array, 2, quint16(last - 1));
    add32(array, 8); // the subtable right after this one entry
    array.append(indexSubtable(range, ebdt));
    put32(strike, 4, quint32(array.size()));
    parts["EBLC"] = eblc + strike + array;
    parts["EBDT"] = ebdt;
    parts.remove("BDF "); // the properties of the strikes replaced
    return assemble(parts);
}

} // namespace FontFile
