#include "ownfiles.h"

#include "store/storefiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

/// The path with every symbolic link of the name itself followed and the
/// folder made canonical; the file need not exist (a side file of the store
/// may appear later under the name the user chose).
QString resolvedName(const QString &path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int hops = 0; hops < 40 && info.isSymLink(); ++hops)
        info = QFileInfo(info.symLinkTarget());
    const QString folder = info.absoluteDir().canonicalPath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

bool sameFile(const QString &a, const QString &b)
{
    if (resolvedName(a) == resolvedName(b))
        return true;
    // A hard link has a name of its own: only the file's identity tells.
    StoreFiles::Identity ia, ib;
    QString unused;
    return StoreFiles::identify(a, ia, unused) && StoreFiles::identify(b, ib, unused) && ia == ib;
}

} // namespace

std::optional<OwnFile> ownFileAt(const QString &path, const QString &storePath, const QString &settingsFile)
{
    for (const char *side : {"", "-wal", "-shm", "-journal"})
        if (sameFile(path, storePath + QLatin1String(side)))
            return OwnFile{storePath + QLatin1String(side), false};
    if (!settingsFile.isEmpty() && sameFile(path, settingsFile))
        return OwnFile{settingsFile, true};
    return std::nullopt;
}
