#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <csignal>
#include <cstdlib>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

/// While it lives, a disk that takes only the first bytes of any file, as a
/// full one does: the process's file size limit, with the signal that would
/// end the process ignored, so that a write past it fails as on a full disk.
class SmallDisk {
public:
    explicit SmallDisk(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_was);
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_was;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SmallDisk() { ::setrlimit(RLIMIT_FSIZE, &m_was); }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

private:
    rlimit m_was{};
};

/// A file system of its own of a given size, mounted over a fresh folder,
/// that fills up as a real disk does (the engine then says "full", where a
/// file size limit makes it say "I/O error"). Mounting needs the right to
/// (root has it); mounted() tells.
class SmallFileSystem {
public:
    explicit SmallFileSystem(qint64 bytes)
    {
        QByteArray folder = QDir::tempPath().toLocal8Bit() + "/vireok-small-XXXXXX";
        if (::mkdtemp(folder.data()))
            m_folder = QString::fromLocal8Bit(folder);
        m_mounted = !m_folder.isEmpty() && resize(bytes, 0);
    }
    /// Holding store as vireok.mdb, with room for one whole copy of it
    /// beside it and not for a second.
    explicit SmallFileSystem(const QByteArray &store) : SmallFileSystem(2 * store.size() + store.size() / 2)
    {
        QFile file(this->file(QStringLiteral("vireok.mdb")));
        m_mounted = m_mounted && file.open(QIODevice::WriteOnly) && file.write(store) == store.size();
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            ::umount2(m_folder.toLocal8Bit().constData(), MNT_DETACH);
        if (!m_folder.isEmpty())
            ::rmdir(m_folder.toLocal8Bit().constData());
    }
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    bool mounted() const { return m_mounted; }
    QString file(const QString &name) const { return m_folder + QLatin1Char('/') + name; }
    /// Its size, files kept.
    bool resize(qint64 bytes) { return resize(bytes, MS_REMOUNT); }

private:
    bool resize(qint64 bytes, unsigned long flags)
    {
        const QByteArray size = "size=" + QByteArray::number(bytes);
        return ::mount("tmpfs", m_folder.toLocal8Bit().constData(), "tmpfs", flags, size.constData()) == 0;
    }

    QString m_folder;
    bool m_mounted = false;
};
