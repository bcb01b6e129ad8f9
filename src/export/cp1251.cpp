#include "cp1251.h"

#include <QStringDecoder>

#include <array>

namespace {

// For every UTF-16 code unit: its Windows-1251 byte, or 0 when it has none.
const std::array<unsigned char, 65536> &table()
{
    static const std::array<unsigned char, 65536> t = [] {
        std::array<unsigned char, 65536> map{};
        for (int c = 1; c < 0x80; ++c)
            map[size_t(c)] = static_cast<unsigned char>(c);
        QStringDecoder decode("windows-1251");
        for (int b = 0x80; b <= 0xFF; ++b) {
            const char byte = static_cast<char>(b);
            const QString s = decode(QByteArray(&byte, 1));
            if (s.size() == 1 && s.at(0) != QChar::ReplacementCharacter)
                map[s.at(0).unicode()] = static_cast<unsigned char>(b);
        }
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
