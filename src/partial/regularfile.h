#pragma once

#include <QString>

class QFile;

/// Opens path for reading when it is a regular file (links followed), and
/// never waits: a named pipe, a device or a folder is refused without being
/// opened, and a name that turns into one while it is opened is refused too.
/// False with why set (a reason in the system's words, or empty for "not a
/// regular file") when it is not opened.
bool openRegularFile(QFile &file, const QString &path, QString &why);
