#pragma once

#include <QString>

#include <functional>
#include <optional>

class QIODevice;

/// Why a file was not written, and the system's words for it.
struct WriteFailure {
    enum Step { Open, Write, Replace } step;
    QString reason;
};

/// Writes the file at path whole or not at all: write puts the content into
/// the device it is given (false when it could not); the old file of that
/// name stays unless all of the new content reached the disk. A full disk is
/// reported as a failed write, never as success.
std::optional<WriteFailure> writeWholeFile(const QString &path, const std::function<bool(QIODevice &)> &write);
