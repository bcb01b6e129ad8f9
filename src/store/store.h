#pragma once

#include "processlock.h"
#include "qsorecord.h"
#include "record.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QFileInfo;
class QSqlDatabase;
class QSqlError;
class QSqlQuery;

/// The store file vireok.mdb: every statement the program runs. Every call
/// is durable when it returns and throws StoreError when the store refuses;
/// values always travel as bound parameters.
class Store {
public:
    explicit Store(const QString &path = QStringLiteral("vireok.mdb"));
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    /// Opens the file, creating a new store when it is missing. A file that
    /// is not our store is left untouched and reported, and so is a store
    /// that another process has open, and one of a newer version. An older
    /// store is upgraded on a copy put in place whole, after a complete
    /// copy of it is kept (upgradeBackup()). A failed open is final: every
    /// later call throws notOpen(). Every later commit is complete in the
    /// one file; no side file outlives a commit. Throws StoreError.
    void open();
    bool isOpen() const { return m_open; }
    /// True once open() has failed: the store stays closed for the run.
    bool hasFailed() const { return !m_failure.isEmpty(); }
    /// True once open() has found the store in use by another copy of Vireok.
    bool heldByOther() const { return m_heldByOther; }
    /// What every later call says once open() has failed, and what to do.
    QString notOpen() const;
    const QString &path() const { return m_path; }
    /// How long a statement waits for another program's lock; before open().
    void setBusyTimeout(int milliseconds) { m_busyTimeout = milliseconds; }
    /// Where open() kept the store as it was before an upgrade; empty when
    /// there was none.
    const QString &upgradeBackup() const { return m_upgradeBackup; }

    // Table qso. Rows come in the order they were added (ascending id).
    qint64 addQso(const QsoRecord &qso);
    /// Changes band, mode, data, time and the six station fields; id and tur
    /// stay. Throws StoreError when the file has no row with that id.
    void updateQso(qint64 id, const QsoRecord &qso);
    /// Throws StoreError when the file has no row with that id.
    void deleteQso(qint64 id);
    /// Empties table qso. The file alone is at every moment either the old
    /// log or the cleared one: the cleared store is made beside it and put
    /// in its place by a rename (in place only where the file has several
    /// hard links, which a rename would split).
    void clearQsos();
    /// A complete copy of the store, which opens as a store, in a new file
    /// at path; the name appears only once the copy is whole and on the
    /// disk, and nothing is written when path exists. Throws StoreError.
    void copyTo(const QString &path);
    std::vector<qint64> qsoIds();
    /// The number of QSOs, and the lowest and highest id (0 when empty):
    /// read without visiting every row.
    qint64 qsoCount();
    std::pair<qint64, qint64> qsoIdRange();
    /// Up to limit rows with id >= firstId, in id order.
    std::vector<QsoRecord> qsosFrom(qint64 firstId, int limit);
    /// QSOs whose nr2 is neither empty nor without value.
    qint64 workedNumberCount();
    /// The whole log counted by band, tour, date and time, read from an
    /// index without visiting the rows.
    std::vector<QsoTally> qsoTallies();

    // The repeat check: exact text comparison on band, mode, call and tour.
    qint64 heardRepeatCount(const QString &band, const QString &mode, const QString &call, const QString &tour);
    qint64 workedRepeatCount(const QString &band, const QString &mode, const QString &call, const QString &tour);
    /// QSOs where call is the heard station, or the (non-empty) worked station.
    std::vector<RepeatRow> repeatList(const QString &call, int offset, int limit);
    /// For each call, in order: how often it stands as heard and as worked
    /// station on this band, mode and tour; one statement for them all.
    std::vector<std::pair<qint64, qint64>> repeatCounts(const QString &band, const QString &mode, const QString &tour,
                                                        const QStringList &calls);
    /// Whether any QSO has call as heard or (non-empty) worked station.
    bool hasCall(const QString &call);

    // Single rows: the first row is read and changed; it is added when missing.
    Record readLog();
    void writeLog(const FieldValues &values);
    Record readOperator();
    void writeOperator(const FieldValues &values);

    // The contest list, addressed by position (1-based) in the order of adding.
    std::vector<Record> contests();
    void changeContest(int position, const FieldValues &values);
    void addContest(const FieldValues &values);
    /// Deletes every contest whose short name is exactly name; returns how many.
    int deleteContest(const QString &name);

private:
    /// The statement for sql, prepared once per connection and reused.
    void openFile();
    void checkWhatIsThere(const QFileInfo &info);
    void createFile();
    void connect();
    void disconnect();
    void useRollbackJournal(QSqlDatabase &db);
    void dropIdleJournal(QSqlDatabase &db, int version);
    void upgradeFrom(int version);
    bool keptCopyServes(const QString &copy, int version);
    /// Runs change on a copy of the store and puts the copy in its place.
    void rebuild(const std::function<void(QSqlDatabase &)> &change, bool compact);
    QString onSideFile(const QString &path, const QString &name, const QString &cannotOpen,
                       const std::function<void(QSqlDatabase &)> &work);
    void vacuumInto(const QString &path);
    void copyFile(const QString &path);
    QSqlQuery &prepared(const QString &sql);
    void run(QSqlQuery &q);
    void requireOneRow(QSqlQuery &q, qint64 id);
    void endOfRead(QSqlQuery &q);
    Record readFirst(const QString &table);
    void writeFirst(const QString &table, const FieldValues &values);
    void changeRow(const QString &table, qint64 rowid, const FieldValues &values);
    void insertRow(const QString &table, const FieldValues &values);
    qint64 scalar(QSqlQuery &q);
    [[noreturn]] void fail(const QString &what) const;
    [[noreturn]] void fail(const QSqlError &error, const QString &action = QString()) const;

    QString m_path;
    QString m_connection;
    bool m_open = false;
    QString m_failure; ///< why opening failed; the store stays failed for the run
    bool m_heldByOther = false;
    int m_busyTimeout = 5000;
    QString m_upgradeBackup;
    ProcessLock m_lock; ///< held while this store is open: no second program on the file
    QHash<QString, std::shared_ptr<QSqlQuery>> m_statements;
};
