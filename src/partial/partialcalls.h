#pragma once

#include "callindex.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;
class Store;

/// The calls a fragment is looked up in: every call of the log, newest QSO
/// first, and the calls of the known-calls file that the log does not hold.
/// The log's calls are read on a thread of its own, in chunks, and then
/// follow each QSO recorded, changed or deleted.
class PartialCalls : public QObject {
    Q_OBJECT
public:
    PartialCalls(Store &store, QObject *parent = nullptr);
    ~PartialCalls() override;

    /// Reads the known-calls file (empty: none) and the log afresh; until
    /// the log is read the last index read stays in use.
    void load(const QString &knownCallsFile);
    /// Reads the log afresh (after it was cleared or read again).
    void reloadLog();
    /// A QSO brought calls in or took them away.
    void logChanged(const QStringList &added, const QStringList &dropped);

    bool logReady() const { return m_logReady; }
    const CallIndex &log() const { return m_log; }
    const CallIndex &file() const { return m_file; }

signals:
    /// The calls changed: a list on show is out of date.
    void changed();
    /// The named known-calls file could not be used; the text says why.
    void fileFailed(const QString &text);
    /// Whether a call is still in the log could not be read; it stays listed.
    void readFailed(const QString &storeText);

private:
    void startReading(bool withFile);
    void stopReading();
    void apply(const QStringList &added, const QStringList &dropped);
    void hideLogCallsInFile();

    Store &m_store;
    QString m_fileName;
    CallIndex m_log;
    CallIndex m_file;
    bool m_logReady = false;
    bool m_logOnItsWay = false; ///< a reading of the log has started and its result is not yet taken in
    int m_generation = 0;
    QThread *m_reader = nullptr; ///< a child, so that one can wait for it
    std::shared_ptr<std::atomic_bool> m_stop;
    /// Changes made while the log was being read, applied once it is.
    QStringList m_pendingAdded, m_pendingDropped;
};
