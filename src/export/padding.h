#pragma once

#include <QString>

/// Pads with blanks up to width; a longer text is never cut.
inline QString padRight(const QString &text, int width)
{
    return text.size() >= width ? text : text + QString(width - text.size(), QLatin1Char(' '));
}
