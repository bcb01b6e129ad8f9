#include "systemcodepage.h"

#include <windows.h>

std::optional<QString> systemCp1251(unsigned char code)
{
    const char in = char(code);
    wchar_t out = 0;
    // Strict: a byte the code page leaves empty is an error, not a guess.
    if (MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &in, 1, &out, 1) != 1)
        return std::nullopt;
    return QString(QChar(char16_t(out)));
}
