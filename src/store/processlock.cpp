#include "processlock.h"

#include "storefiles.h"

#include <QHash>
#include <QPair>

namespace {

struct Held {
    qintptr handle = 0;
    int users = 0;
};

// By the file's identity: a relative name, a symbolic link and a hard link
// to one store are one store.
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
    StoreFiles::Identity identity;
    if (!StoreFiles::identify(path, identity, m_error)) {
        release();
        return Result::Failed;
    }
    const Key key(identity.volume, identity.file);
    if (m_held && key == Key(m_key[0], m_key[1]))
        return Result::Held;
    release();
    auto it = held().find(key);
    if (it == held().end()) {
        qintptr handle = 0;
        switch (StoreFiles::lock(path, handle, m_error)) {
        case StoreFiles::Lock::Taken: break;
        case StoreFiles::Lock::HeldByOther: return Result::HeldByOther;
        case StoreFiles::Lock::Failed: return Result::Failed;
        }
        it = held().insert(key, Held{handle, 0});
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
        StoreFiles::unlock(it->handle);
        held().erase(it);
    }
}
