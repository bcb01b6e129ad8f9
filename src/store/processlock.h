#pragma once

#include <QString>

/// Keeps other processes off a store file: an exclusive lock on the file
/// itself, taken once per process however many connections it opens, and
/// dropped by the system when the process ends, however it ends. It does
/// not touch SQLite's own byte-range locks on the file.
class ProcessLock {
public:
    enum class Result { Held, HeldByOther, Failed };

    ProcessLock() = default;
    ~ProcessLock();
    ProcessLock(const ProcessLock &) = delete;
    ProcessLock &operator=(const ProcessLock &) = delete;

    /// Takes the lock for path (or shares the one this process holds; keeps
    /// it when this lock already holds that file).
    /// On Failed, error() says why.
    Result take(const QString &path);
    const QString &error() const { return m_error; }
    void release();

private:
    quint64 m_key[2] = {0, 0};
    bool m_held = false;
    QString m_error;
};
