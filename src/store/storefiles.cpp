#include "storefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace StoreFiles {

namespace {

QString systemWords(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString prefix(const QString &nameOf)
{
    return QStringLiteral(".") + QFileInfo(nameOf).fileName() + QLatin1Char('-');
}

} // namespace

QString makeTemporary(const QString &beside, const QString &nameOf, const char *kind, QString &error)
{
    QTemporaryFile temp(QFileInfo(beside).absolutePath() + QLatin1Char('/') + prefix(nameOf) + QLatin1String(kind) +
                        QStringLiteral("-XXXXXX"));
    temp.setAutoRemove(false);
    if (!temp.open()) {
        error = temp.errorString();
        return {};
    }
    temp.close();
    return temp.fileName();
}

void removeTemporary(const QString &path)
{
    QFile::remove(path + QStringLiteral("-journal"));
    QFile::remove(path);
}

void removeLeftovers(const QString &store)
{
    const QDir folder = QFileInfo(store).absoluteDir();
    QStringList patterns;
    for (const char *kind : {kNew, kCopy, kRebuild})
        for (const char *tail : {"", "-journal"})
            patterns << prefix(store) + QLatin1String(kind) + QStringLiteral("-??????") + QLatin1String(tail);
    for (const QString &name : folder.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(folder.filePath(name));
}

bool sync(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool giveName(const QString &temporary, const QString &path, QString &error)
{
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(path);
    // A hard link never replaces a file that appeared meanwhile; folders
    // without hard links (some removable disks) get a rename.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
    } else if (errno == EEXIST) {
        error = systemWords(EEXIST);
        return false;
    } else if (::rename(from.constData(), to.constData()) != 0) {
        error = systemWords(errno);
        return false;
    }
    sync(QFileInfo(path).absolutePath());
    return true;
}

QString realFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.canonicalFilePath() : info.absoluteFilePath();
}

} // namespace StoreFiles
