#include "cp1251.h"

#include <array>

namespace {

// The upper half of Windows-1251, as Microsoft's table gives it; 0x98 has no
// character. The program's own: a Windows Qt has no ICU, and its converter
// would turn every Cyrillic letter into "?".
constexpr char16_t kUpper[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C,
    0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A,
    0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9,
    0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    // 0xC0 to 0xFF: А to я
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B,
    0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439,
    0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

// For every UTF-16 code unit: its Windows-1251 byte, or 0 when it has none.
const std::array<unsigned char, 65536> &table()
{
    static const std::array<unsigned char, 65536> t = [] {
        std::array<unsigned char, 65536> map{};
        for (int c = 1; c < 0x80; ++c)
            map[size_t(c)] = static_cast<unsigned char>(c);
        for (int b = 0x80; b <= 0xFF; ++b)
            if (const char16_t c = kUpper[b - 0x80])
                map[c] = static_cast<unsigned char>(b);
        return map;
    }();
    return t;
}

} // namespace

void appendCp1251(QByteArray &out, QStringView text)
{
    const auto &map = table();
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *p = out.data() + start;
    const QChar *s = text.data();
    const QChar *end = s + text.size();
    while (s < end) {
        const char16_t c = s->unicode();
        if (c == 0) {
            *p++ = '\0';
        } else if (QChar::isHighSurrogate(c) && s + 1 < end && QChar::isLowSurrogate(s[1].unicode())) {
            *p++ = '?'; // one character outside the code page, two code units
            ++s;
        } else {
            const unsigned char b = map[c];
            *p++ = b ? static_cast<char>(b) : '?';
        }
        ++s;
    }
    out.resize(p - out.data());
}

void appendCp1251Line(QByteArray &out, QStringView text)
{
    // Only the first 32 code points and DEL map to bytes below the blank or
    // to DEL: the rest of the code page lies above it, and "?" too.
    const qsizetype start = out.size();
    appendCp1251(out, text);
    for (char *p = out.data() + start, *end = out.data() + out.size(); p < end; ++p)
        if (quint8(*p) < 0x20 || *p == 0x7f)
            *p = ' ';
}

QString fromCp1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *p = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        const char16_t c = b < 0x80 ? char16_t(b) : kUpper[b - 0x80];
        *p++ = c || !b ? QChar(c) : QChar(QChar::ReplacementCharacter);
    }
    return text;
}
