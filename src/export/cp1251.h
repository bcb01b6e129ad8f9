#pragma once

#include <QByteArray>
#include <QStringView>

/// Appends text in Windows-1251, one byte per character; a character the
/// code page cannot hold becomes "?".
void appendCp1251(QByteArray &out, QStringView text);

inline QByteArray toCp1251(QStringView text)
{
    QByteArray out;
    appendCp1251(out, text);
    return out;
}
