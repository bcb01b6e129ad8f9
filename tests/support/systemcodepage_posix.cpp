#include "systemcodepage.h"

#include <iconv.h>

std::optional<QString> systemCp1251(unsigned char code)
{
    iconv_t toUtf32 = iconv_open("UTF-32LE", "CP1251");
    if (toUtf32 == iconv_t(-1))
        return std::nullopt;
    char in = char(code);
    char32_t out = 0;
    char *inp = &in, *outp = reinterpret_cast<char *>(&out);
    size_t inLeft = 1, outLeft = sizeof out;
    const bool known = iconv(toUtf32, &inp, &inLeft, &outp, &outLeft) != size_t(-1) && outLeft == 0;
    iconv_close(toUtf32);
    return known ? std::optional(QString::fromUcs4(&out, 1)) : std::nullopt;
}
