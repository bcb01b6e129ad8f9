#include "smalldisk.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdlib>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

SmallDisk::SmallDisk(qint64 bytes)
{
    rlimit was{};
    ::getrlimit(RLIMIT_FSIZE, &was);
    m_was[0] = was.rlim_cur;
    m_was[1] = was.rlim_max;
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = was;
    small.rlim_cur = rlim_t(bytes);
    ::setrlimit(RLIMIT_FSIZE, &small);
}

SmallDisk::~SmallDisk()
{
    const rlimit was{rlim_t(m_was[0]), rlim_t(m_was[1])};
    ::setrlimit(RLIMIT_FSIZE, &was);
}

SmallFileSystem::SmallFileSystem(qint64 bytes)
{
    QByteArray folder = QDir::tempPath().toLocal8Bit() + "/vireok-small-XXXXXX";
    if (::mkdtemp(folder.data()))
        m_folder = QString::fromLocal8Bit(folder);
    m_mounted = !m_folder.isEmpty() && mount(bytes, 0);
}

SmallFileSystem::SmallFileSystem(const QByteArray &store) : SmallFileSystem(2 * store.size() + store.size() / 2)
{
    QFile file(this->file(QStringLiteral("vireok.mdb")));
    m_mounted = m_mounted && file.open(QIODevice::WriteOnly) && file.write(store) == store.size();
}

SmallFileSystem::~SmallFileSystem()
{
    if (m_mounted)
        ::umount2(m_folder.toLocal8Bit().constData(), MNT_DETACH);
    if (!m_folder.isEmpty())
        ::rmdir(m_folder.toLocal8Bit().constData());
}

bool SmallFileSystem::resize(qint64 bytes)
{
    return mount(bytes, MS_REMOUNT);
}

bool SmallFileSystem::mount(qint64 bytes, unsigned long flags)
{
    const QByteArray size = "size=" + QByteArray::number(bytes);
    return ::mount("tmpfs", m_folder.toLocal8Bit().constData(), "tmpfs", flags, size.constData()) == 0;
}
