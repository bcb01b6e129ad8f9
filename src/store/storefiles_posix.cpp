#include "storefiles.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace StoreFiles {

namespace {

QString systemWords(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray name(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

const bool kReplacesOpenFiles = true;

bool identify(const QString &path, Identity &identity, QString &error)
{
    struct stat st;
    if (::stat(name(path).constData(), &st) != 0) {
        error = systemWords(errno);
        return false;
    }
    identity = Identity{quint64(st.st_dev), quint64(st.st_ino)};
    return true;
}

int linkCount(const QString &path)
{
    struct stat st;
    return ::stat(name(path).constData(), &st) == 0 ? int(st.st_nlink) : 0;
}

void copyAccessRights(const QString &from, const QString &to)
{
    struct stat st;
    if (::stat(name(from).constData(), &st) == 0)
        ::chmod(name(to).constData(), st.st_mode & 07777);
}

bool canWriteIn(const QString &folder)
{
    return ::access(name(folder).constData(), W_OK) == 0;
}

bool canRead(const QString &path)
{
    return ::access(name(path).constData(), R_OK) == 0;
}

bool canWrite(const QString &path)
{
    return ::access(name(path).constData(), W_OK) == 0;
}

QString writeRefusalCause(const QString &)
{
    return {};
}

void hide(const QString &)
{
    // the dot in front of the name hides it
}

bool sync(const QString &path)
{
    const int fd = ::open(name(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool giveName(const QString &temporary, const QString &path, QString &error)
{
    const QByteArray from = name(temporary);
    const QByteArray to = name(path);
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

bool replace(const QString &temporary, const QString &path, QString &error)
{
    if (::rename(name(temporary).constData(), name(path).constData()) != 0) {
        error = systemWords(errno);
        return false;
    }
    sync(QFileInfo(path).absolutePath());
    return true;
}

// flock on a descriptor of its own: closing a second descriptor of the
// file would drop the record locks SQLite holds on it in this process, so
// only unlock() ever closes this one, once SQLite is done with the file.
Lock lock(const QString &path, qintptr &handle, QString &error)
{
    const int fd = ::open(name(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = systemWords(errno);
        return Lock::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        ::close(fd);
        if (why == EWOULDBLOCK)
            return Lock::HeldByOther;
        error = systemWords(why);
        return Lock::Failed;
    }
    handle = fd;
    return Lock::Taken;
}

void unlock(qintptr handle)
{
    ::close(int(handle)); // closing the last descriptor drops the flock
}

} // namespace StoreFiles
