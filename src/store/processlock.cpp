#include "processlock.h"

#include <QFile>
#include <QHash>
#include <QPair>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Held {
    int fd = -1;
    int users = 0;
};

// By device and inode: a relative name, a symbolic link and a hard link to
// one store are one store.
using Key = QPair<quint64, quint64>;

QHash<Key, Held> &held()
{
    static QHash<Key, Held> table;
    return table;
}

} // namespace

ProcessLock::~ProcessLock()
{
    release();
}

ProcessLock::Result ProcessLock::take(const QString &path)
{
    release();
    const QByteArray name = QFile::encodeName(path);
    // Looked up by stat, not by opening: closing a second descriptor of the
    // file would drop the record locks SQLite holds on it in this process.
    struct stat st;
    if (::stat(name.constData(), &st) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return Result::Failed;
    }
    const Key key(quint64(st.st_dev), quint64(st.st_ino));
    auto it = held().find(key);
    if (it == held().end()) {
        const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return Result::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int why = errno;
            ::close(fd);
            if (why == EWOULDBLOCK)
                return Result::HeldByOther;
            m_error = QString::fromLocal8Bit(std::strerror(why));
            return Result::Failed;
        }
        it = held().insert(key, Held{fd, 0});
    }
    ++it->users;
    m_key[0] = key.first;
    m_key[1] = key.second;
    m_held = true;
    return Result::Held;
}

void ProcessLock::release()
{
    if (!m_held)
        return;
    m_held = false;
    auto it = held().find(Key(m_key[0], m_key[1]));
    if (it != held().end() && --it->users == 0) {
        ::close(it->fd); // closing the last descriptor drops the flock
        held().erase(it);
    }
}
