#include "platformfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <windows.h>

namespace PlatformFiles {

const bool kSymbolicLinks = false;
const bool kPermissionBits = false;

bool hardLink(const QString &existing, const QString &name)
{
    const auto wide = [](const QString &path) {
        return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
    };
    return CreateHardLinkW(wide(name).c_str(), wide(existing).c_str(), nullptr);
}

// Windows keeps everyone out of a read-only file; Wine run as root does not.
bool ignoresReadOnly()
{
    const QTemporaryDir folder;
    QFile probe(folder.filePath(QStringLiteral("probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.setPermissions(QFile::ReadOwner);
    const bool written = probe.open(QIODevice::WriteOnly | QIODevice::Append);
    probe.close();
    probe.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return written;
}

void startAsOrdinaryUser(QProcess &process, const QString &program, const QStringList &args, const QStringList &)
{
    process.start(program, args);
}

} // namespace PlatformFiles
