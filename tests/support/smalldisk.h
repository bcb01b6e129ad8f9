#pragma once

#include <QByteArray>
#include <QString>

/// While it lives, a disk that takes only the first bytes of any file, as a
/// full one does: the process's file size limit, with the signal that would
/// end the process ignored, so that a write past it fails as on a full disk.
/// Linux only.
class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

private:
    quint64 m_was[2] = {0, 0}; ///< the limit before, soft and hard
};

/// A file system of its own of a given size, mounted over a fresh folder,
/// that fills up as a real disk does (the engine then says "full", where a
/// file size limit makes it say "I/O error"). Mounting needs the right to
/// (root on Linux; never here on Windows); mounted() tells.
class SmallFileSystem {
public:
    explicit SmallFileSystem(qint64 bytes);
    /// Holding store as vireok.mdb, with room for one whole copy of it
    /// beside it and not for a second.
    explicit SmallFileSystem(const QByteArray &store);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    bool mounted() const { return m_mounted; }
    QString file(const QString &name) const { return m_folder + QLatin1Char('/') + name; }
    /// Its size, files kept.
    bool resize(qint64 bytes);

private:
    bool mount(qint64 bytes, unsigned long flags);

    QString m_folder;
    bool m_mounted = false;
};
