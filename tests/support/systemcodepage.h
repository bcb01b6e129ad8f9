#pragma once

#include <QString>

#include <optional>

/// The character the operating system's own converter reads from one byte
/// of Windows-1251 (glibc's iconv on Linux, the system's code page 1251 on
/// Windows): a converter independent of the program's table. None where the
/// code page leaves the byte empty.
std::optional<QString> systemCp1251(unsigned char code);
