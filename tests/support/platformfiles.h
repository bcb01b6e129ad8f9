#pragma once

#include <QString>

class QProcess;

/// What the tests do to files and processes that each system does its own way.
namespace PlatformFiles {

/// Whether QFile::link makes a symbolic link (Windows makes a shortcut).
extern const bool kSymbolicLinks;
/// Whether a file's access is set by owner, group and other bits.
extern const bool kPermissionBits;

/// A second name of the file existing; false when none can be made.
bool hardLink(const QString &existing, const QString &name);

/// Whether this process writes to read-only files anyway (root).
bool ignoresReadOnly();

/// Starts program as an ordinary user when this process would not feel the
/// refused rights (root): paths are given to that user first.
void startAsOrdinaryUser(QProcess &process, const QString &program, const QStringList &args, const QStringList &paths);

} // namespace PlatformFiles
