#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

/// Appends text in Windows-1251, one byte per character; a character the
/// code page cannot hold becomes "?".
void appendCp1251(QByteArray &out, QStringView text);

/// The same with every control character (CR, LF, NUL, DEL...) written as a
/// blank, so that a stored value cannot end the line it stands in.
void appendCp1251Line(QByteArray &out, QStringView text);

inline QByteArray toCp1251(QStringView text)
{
    QByteArray out;
    appendCp1251(out, text);
    return out;
}

/// Text read from Windows-1251; a byte the code page leaves empty becomes U+FFFD.
QString fromCp1251(QByteArrayView bytes);
