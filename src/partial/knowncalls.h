#pragma once

#include <QString>
#include <QStringList>

#include <atomic>

/// A known-calls file (MASTER.SCP): one call a line, '#' starts a comment
/// line, blank lines are ignored, CR LF, LF or CR. A file without a single
/// call, or of more than kKnownCallsMaxLines lines, is refused with a word.
/// Each line is taken as the call fields take typed text; a line that would
/// lose a character there, or is longer than a call field holds, is skipped.
struct KnownCalls {
    QStringList calls; ///< sorted, each once
    QString error;     ///< why the file was not read; empty when it was
};

constexpr qint64 kKnownCallsMaxBytes = 20 * 1024 * 1024;
/// Known-calls files hold tens of thousands of calls; a million lines is
/// far beyond any, and as calls would take hundreds of megabytes.
constexpr qsizetype kKnownCallsMaxLines = 1'000'000;

/// Only a regular file is read; a stop set meanwhile ends the reading with
/// nothing read.
KnownCalls readKnownCalls(const QString &path, const std::atomic_bool &stop);

/// The file named in settings (when not empty), else MASTER.SCP in any case
/// in the working directory, else beside the program; empty when none.
QString knownCallsPath(const QString &named, const QString &workingFolder, const QString &programFolder);
