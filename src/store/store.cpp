#include "store.h"

#include "processlock.h"
#include "schema.h"
#include "storeerror.h"
#include "storefiles.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QAtomicInt connectionCounter;

// The SQLite driver stores a null QString as NULL; the program always means
// the empty text.
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

QString textOf(const QVariant &v)
{
    return v.isNull() ? QStringLiteral("") : v.toString();
}

bool looksLikeSqlite(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return true; // let the engine report why it cannot be read
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

// What a statement was for, in the user's words, for errors that have no
// explanation of their own.
QString actionOf(const QString &sql)
{
    return sql.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)
               ? QStringLiteral("журнал не удалось прочитать")
               : QStringLiteral("изменение не удалось записать в журнал");
}

} // namespace

Store::Store(const QString &path)
    : m_path(path), m_connection(QStringLiteral("vireok-store-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{}

Store::~Store()
{
    disconnect();
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

void Store::fail(const QString &what) const
{
    // Work on a second connection passes on errors that already name the file.
    const QString named = m_path + QStringLiteral(": ");
    throw StoreError(what.startsWith(named) ? what : named + what);
}

void Store::fail(const QSqlError &error, const QString &action) const
{
    fail(explainedSqlError(error, action));
}

QString Store::notOpen() const
{
    // Restarting alone would meet the same full disk.
    return m_failure.contains(kDiskFull)
               ? QStringLiteral("Журнал не открыт — освободите место на диске и перезапустите "
                                "Vireok")
               : kNotOpen;
}

void Store::open()
{
    if (m_open)
        return;
    // A store that failed at start stays failed for the run: reopening it
    // later would put new QSOs into a log the window never showed.
    if (!m_failure.isEmpty())
        throw StoreError(notOpen());
    try {
        openFile();
    } catch (const StoreError &e) {
        m_failure = e.text();
        disconnect();
        throw;
    }
    m_open = true;
}

namespace {
QString withCause(const QString &refused, const QString &folder)
{
    const QString cause = StoreFiles::writeRefusalCause(folder);
    return cause.isEmpty() ? refused : refused + QStringLiteral(".\n\r") + cause;
}
} // namespace

// Checked before the engine is asked: it would blame the file for a
// read-only place or a missing link target, and report a folder as a
// right it lacks.
void Store::checkWhatIsThere(const QFileInfo &info)
{
    const QString folder = info.absolutePath();
    if (!StoreFiles::canWriteIn(folder))
        fail(withCause(QStringLiteral("папка %1 доступна только для чтения: Vireok не может вести в ней журнал. "
                                      "Скопируйте %2 в папку, где разрешена запись, и запустите программу там; файл "
                                      "не изменён")
                           .arg(QDir::toNativeSeparators(folder), info.fileName()),
                       folder));
    if (info.isSymLink() && !info.exists())
        fail(QStringLiteral("это символическая ссылка на %1, а такого файла нет. Восстановите файл или удалите "
                            "ссылку; ничего не изменено")
                 .arg(QDir::toNativeSeparators(info.symLinkTarget())));
    if (info.isDir())
        fail(QStringLiteral("это папка, а не файл журнала. Переименуйте папку или запустите программу в другой "
                            "папке; ничего не изменено"));
}

void Store::openFile()
{
    QFileInfo info(m_path);
    checkWhatIsThere(info);
    if (!info.exists())
        createFile();
    info.refresh();
    if (!StoreFiles::canRead(m_path))
        fail(QStringLiteral("нет права читать файл; файл не изменён"));
    if (!StoreFiles::canWrite(m_path))
        fail(withCause(QStringLiteral("файл доступен только для чтения: Vireok не может записывать в журнал. Снимите "
                                      "с файла запрет записи; файл не изменён"),
                       info.absolutePath()));
    if (info.size() == 0 || !looksLikeSqlite(m_path))
        fail(QStringLiteral("файл не является базой данных Vireok (не файл SQLite); файл не изменён"));

    // Two programs on one store act on rows the other one moved; the
    // second is sent away before it reads anything.
    switch (m_lock.take(m_path)) {
    case ProcessLock::Result::Held: break;
    case ProcessLock::Result::HeldByOther:
        m_heldByOther = true;
        fail(QStringLiteral("файл уже открыт другой копией программы Vireok. Две копии на одном журнале "
                            "путают записи: закройте другую копию и запустите программу снова"));
    case ProcessLock::Result::Failed: fail(QStringLiteral("файл нельзя открыть: ") + m_lock.error());
    }
    // Only the holder of the lock may tell a dead program's half-made file
    // from one being made.
    StoreFiles::removeLeftovers(m_path);
    if (StoreFiles::realFile(m_path) != info.absoluteFilePath())
        StoreFiles::removeLeftovers(StoreFiles::realFile(m_path));

    connect();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    {
        // Only a file that could be read may be called foreign: a locked or
        // damaged store fails here, with its own reason.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            fail(probe.lastError());
        while (probe.next()) {
        }
        if (probe.lastError().isValid())
            fail(probe.lastError());
    }
    const int version = Schema::version(db);
    // The version picks the upgrade steps: one the program never wrote
    // would pick them from outside the table.
    if (version < 0)
        fail(QStringLiteral("журнал помечен версией %1, какой у Vireok не бывает (эта программа знает версии от 0 "
                            "до %2). Файл повреждён или записан не Vireok; файл не изменён")
                 .arg(version)
                 .arg(Schema::kVersion));
    if (version > Schema::kVersion)
        fail(QStringLiteral("журнал записан более новой версией Vireok (версия журнала %1, эта программа знает "
                            "версии до %2). Откройте его той версией программы, которая его записала, или "
                            "обновите Vireok; файл не изменён")
                 .arg(version)
                 .arg(Schema::kVersion));
    const QString missing = Schema::whatIsMissing(db);
    if (!missing.isEmpty())
        fail(QStringLiteral("файл не является базой данных Vireok: ") + missing + QStringLiteral("; файл не изменён"));
    const QString unusable = Schema::whatIsUnusable(db);
    if (!unusable.isEmpty())
        fail(QStringLiteral("база данных Vireok не годится для работы: ") + unusable +
             QStringLiteral("; файл не изменён"));
    useRollbackJournal(db);
    if (version < Schema::kVersion)
        upgradeFrom(version);
    else if (QFile::exists(m_path + QStringLiteral("-journal")))
        dropIdleJournal(db, version);
}

// A program killed as a commit began can leave a journal with nothing in
// it yet. The engine reads past it, but would leave it beside the store
// until the next change; a commit of the version as it stands lets the
// engine remove it as after any commit. A journal that held a commit was
// used and removed by the first read above. Where even that commit finds
// no room, the idle journal harms nothing and the log opens all the same.
void Store::dropIdleJournal(QSqlDatabase &db, int version)
{
    QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
}

void Store::connect()
{
    QSqlDatabase db = QSqlDatabase::contains(m_connection) ? QSqlDatabase::database(m_connection, false)
                                                           : QSqlDatabase::addDatabase("QSQLITE", m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeout));
    if (!db.open())
        fail(db.lastError(), QStringLiteral("файл не удалось открыть"));
}

void Store::disconnect()
{
    m_statements.clear();
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::database(m_connection, false).close();
}

void Store::useRollbackJournal(QSqlDatabase &db)
{
    // Users copy vireok.mdb alone to back up or hand in a log: every commit
    // must be complete in that one file, which WAL does not give. The journal
    // lives only during a commit. EXTRA syncs the folder after the journal is
    // deleted, so a power cut cannot bring it back and roll a confirmed QSO
    // back out; FULL would save one sync but not that.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) || !q.next())
        fail(q.lastError(), QStringLiteral("режим записи журнала не удалось установить"));
    if (q.value(0).toString().compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        fail(QStringLiteral("журнал WAL не удалось перевести в один файл (файл открыт другим соединением)"));
    q.finish();
    if (!q.exec(QStringLiteral("PRAGMA synchronous=EXTRA")))
        fail(q.lastError(), QStringLiteral("режим записи журнала не удалось установить"));
}

QSqlQuery &Store::prepared(const QString &sql)
{
    if (!m_open)
        open();
    auto &slot = m_statements[sql];
    if (slot) {
        slot->finish();
        return *slot;
    }
    auto q = std::make_shared<QSqlQuery>(QSqlDatabase::database(m_connection, false));
    q->setForwardOnly(true);
    if (!q->prepare(sql)) {
        const QSqlError error = q->lastError();
        m_statements.remove(sql);
        fail(error, actionOf(sql));
    }
    slot = q;
    return *slot;
}

void Store::run(QSqlQuery &q)
{
    if (!q.exec())
        fail(q.lastError(), actionOf(q.lastQuery()));
}

qint64 Store::scalar(QSqlQuery &q)
{
    run(q);
    const qint64 value = q.next() ? q.value(0).toLongLong() : 0;
    endOfRead(q); // an unfinished read would pin this connection to an old snapshot
    return value;
}

qint64 Store::addQso(const QsoRecord &r)
{
    static const QString sql = [] {
        const QStringList names = Schema::qsoFields();
        return QStringLiteral("INSERT INTO qso (%1) VALUES (%2)")
            .arg(names.join(", "), QStringList(names.size(), QStringLiteral("?")).join(","));
    }();
    QSqlQuery &q = prepared(sql);
    for (const Schema::QsoColumn &c : Schema::qsoColumns())
        q.addBindValue(text(r.*c.member));
    run(q);
    const qint64 id = q.lastInsertId().toLongLong();
    q.finish();
    return id;
}

void Store::updateQso(qint64 id, const QsoRecord &r)
{
    static const QString sql = [] {
        QStringList sets;
        for (const Schema::QsoColumn &c : Schema::qsoColumns())
            if (c.editable)
                sets << c.name + QStringLiteral("=?");
        return QStringLiteral("UPDATE qso SET %1 WHERE id=?").arg(sets.join(", "));
    }();
    QSqlQuery &q = prepared(sql);
    for (const Schema::QsoColumn &c : Schema::qsoColumns())
        if (c.editable)
            q.addBindValue(text(r.*c.member));
    q.addBindValue(id);
    run(q);
    requireOneRow(q, id);
}

void Store::deleteQso(qint64 id)
{
    QSqlQuery &q = prepared(QStringLiteral("DELETE FROM qso WHERE id=?"));
    q.addBindValue(id);
    run(q);
    requireOneRow(q, id);
}

// A read that fails part way looks like the end of the result: only the
// error tells them apart, and a log cut short must never pass for the log.
void Store::endOfRead(QSqlQuery &q)
{
    const QSqlError error = q.lastError();
    q.finish();
    if (error.type() == QSqlError::NoError)
        return;
    // The driver drops a statement that failed; prepare them all afresh. The
    // statement's text is taken first: q is one of them, and goes with them.
    const QString action = actionOf(q.lastQuery());
    m_statements.clear();
    fail(error, action);
}

// The grid names a row by the id it read; a row that is no longer in the
// file must not end in "OK" while the file kept or lost something else.
void Store::requireOneRow(QSqlQuery &q, qint64 id)
{
    const int changed = q.numRowsAffected();
    q.finish();
    if (changed != 1)
        fail(QStringLiteral("записи с номером %1 нет в файле (её изменили или удалили вне этой программы); "
                            "в файле ничего не изменено")
                 .arg(id));
}

std::vector<qint64> Store::qsoIds()
{
    QSqlQuery &q = prepared(QStringLiteral("SELECT id FROM qso ORDER BY id"));
    run(q);
    std::vector<qint64> ids;
    while (q.next())
        ids.push_back(q.value(0).toLongLong());
    endOfRead(q);
    return ids;
}

qint64 Store::qsoCount()
{
    QSqlQuery &q = prepared(QStringLiteral("SELECT count(*) FROM qso"));
    return scalar(q);
}

std::pair<qint64, qint64> Store::qsoIdRange()
{
    // Each bound alone is one step down the table; asked together they
    // would make the engine read every row.
    QSqlQuery &q = prepared(QStringLiteral("SELECT (SELECT min(id) FROM qso), (SELECT max(id) FROM qso)"));
    run(q);
    std::pair<qint64, qint64> range{0, 0};
    if (q.next())
        range = {q.value(0).toLongLong(), q.value(1).toLongLong()};
    endOfRead(q);
    return range;
}

std::vector<QsoRecord> Store::qsosFrom(qint64 firstId, int limit)
{
    static const QString sql =
        QStringLiteral("SELECT id, %1 FROM qso WHERE id >= ? ORDER BY id LIMIT ?").arg(Schema::qsoFields().join(", "));
    QSqlQuery &q = prepared(sql);
    q.addBindValue(firstId);
    q.addBindValue(limit);
    run(q);
    const std::vector<Schema::QsoColumn> &columns = Schema::qsoColumns();
    std::vector<QsoRecord> rows;
    while (q.next()) {
        QsoRecord r;
        r.id = q.value(0).toLongLong();
        for (size_t i = 0; i < columns.size(); ++i)
            r.*columns[i].member = textOf(q.value(int(i) + 1));
        rows.push_back(std::move(r));
    }
    endOfRead(q);
    return rows;
}

qint64 Store::workedNumberCount()
{
    QSqlQuery &q = prepared(QStringLiteral("SELECT count(*) FROM qso WHERE nr2 <> ''"));
    return scalar(q);
}

std::vector<QsoTally> Store::qsoTallies()
{
    // Grouped in the order of qso_stats, so the engine walks the index once
    // and sorts nothing.
    QSqlQuery &q = prepared(QStringLiteral("SELECT band, tur, data, time, count(*), sum(nr2 <> '') FROM qso "
                                           "GROUP BY band, tur, data, time"));
    run(q);
    std::vector<QsoTally> tallies;
    while (q.next())
        tallies.push_back({textOf(q.value(0)), textOf(q.value(1)), textOf(q.value(2)), textOf(q.value(3)),
                           q.value(4).toLongLong(), q.value(5).toLongLong()});
    endOfRead(q);
    return tallies;
}

qint64 Store::heardRepeatCount(const QString &band, const QString &mode, const QString &call, const QString &tour)
{
    QSqlQuery &q = prepared(QStringLiteral("SELECT count(*) FROM qso WHERE call1=? AND band=? AND mode=? AND tur=?"));
    for (const QString *v : {&call, &band, &mode, &tour})
        q.addBindValue(text(*v));
    return scalar(q);
}

qint64 Store::workedRepeatCount(const QString &band, const QString &mode, const QString &call, const QString &tour)
{
    QSqlQuery &q = prepared(QStringLiteral("SELECT count(*) FROM qso WHERE call2=? AND band=? AND mode=? AND tur=?"));
    for (const QString *v : {&call, &band, &mode, &tour})
        q.addBindValue(text(*v));
    return scalar(q);
}

std::vector<std::pair<qint64, qint64>> Store::repeatCounts(const QString &band, const QString &mode,
                                                           const QString &tour, const QStringList &calls)
{
    std::vector<std::pair<qint64, qint64>> counts(size_t(calls.size()));
    if (calls.isEmpty())
        return counts;
    QString marks = QStringLiteral("?");
    for (qsizetype i = 1; i < calls.size(); ++i)
        marks += QStringLiteral(",?");
    // Two halves, each on its call's index: as one OR, SQLite's planner
    // chose the statistics index on band and tour, and read a whole band's
    // tour (75 ms at a million QSOs). A row found by its heard call is not
    // read again by its worked call.
    QSqlQuery &q = prepared(QStringLiteral("SELECT call1, call2 FROM qso WHERE call1 IN (%1) AND band=? AND mode=? AND "
                                           "tur=? UNION ALL SELECT call1, call2 FROM qso WHERE call2 IN (%1) AND "
                                           "band=? AND mode=? AND tur=? AND call1 NOT IN (%1)")
                                .arg(marks));
    const auto bindCalls = [&] {
        for (const QString &call : calls)
            q.addBindValue(text(call));
    };
    const auto bindContext = [&] {
        q.addBindValue(text(band));
        q.addBindValue(text(mode));
        q.addBindValue(text(tour));
    };
    bindCalls();
    bindContext();
    bindCalls();
    bindContext();
    bindCalls();
    run(q);
    while (q.next()) {
        const qsizetype heard = calls.indexOf(textOf(q.value(0)));
        const qsizetype worked = calls.indexOf(textOf(q.value(1)));
        if (heard >= 0)
            ++counts[size_t(heard)].first;
        if (worked >= 0)
            ++counts[size_t(worked)].second;
    }
    endOfRead(q);
    return counts;
}

bool Store::hasCall(const QString &call)
{
    QSqlQuery &q = prepared(QStringLiteral("SELECT 1 FROM qso WHERE call1=? OR (call2=? AND call2<>'') LIMIT 1"));
    q.addBindValue(text(call));
    q.addBindValue(text(call));
    run(q);
    const bool found = q.next();
    endOfRead(q);
    return found;
}

std::vector<RepeatRow> Store::repeatList(const QString &call, int offset, int limit)
{
    QSqlQuery &q = prepared(QStringLiteral("SELECT tur, band, mode, data, time, call1, call2 FROM qso "
                                           "WHERE call1=? OR (call2=? AND call2<>'') LIMIT ? OFFSET ?"));
    q.addBindValue(text(call));
    q.addBindValue(text(call));
    q.addBindValue(limit);
    q.addBindValue(offset);
    run(q);
    std::vector<RepeatRow> rows;
    while (q.next())
        rows.push_back({textOf(q.value(0)), textOf(q.value(1)), textOf(q.value(2)), textOf(q.value(3)),
                        textOf(q.value(4)), textOf(q.value(5)), textOf(q.value(6))});
    endOfRead(q);
    return rows;
}

Record Store::readFirst(const QString &table)
{
    const QStringList &fields = Schema::fieldsOf(table);
    QStringList columns;
    for (const QString &f : fields)
        columns << Schema::quoted(f);
    QSqlQuery &q = prepared(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid LIMIT 1").arg(columns.join(", "), Schema::quoted(table)));
    run(q);
    Record r;
    if (q.next())
        for (int i = 0; i < fields.size(); ++i)
            r.set(fields[i], textOf(q.value(i)));
    endOfRead(q);
    return r;
}

void Store::changeRow(const QString &table, qint64 rowid, const FieldValues &values)
{
    QStringList sets;
    for (const auto &fv : values)
        sets << Schema::quoted(fv.first) + QStringLiteral("=?");
    QSqlQuery &q =
        prepared(QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(Schema::quoted(table), sets.join(", ")));
    for (const auto &fv : values)
        q.addBindValue(text(fv.second));
    q.addBindValue(rowid);
    run(q);
}

void Store::insertRow(const QString &table, const FieldValues &values)
{
    QStringList names;
    for (const auto &fv : values)
        names << Schema::quoted(fv.first);
    QSqlQuery &q = prepared(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(Schema::quoted(table), names.join(", "), QStringList(names.size(), QStringLiteral("?")).join(",")));
    for (const auto &fv : values)
        q.addBindValue(text(fv.second));
    run(q);
}

void Store::writeFirst(const QString &table, const FieldValues &values)
{
    QSqlQuery &q = prepared(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid LIMIT 1").arg(Schema::quoted(table)));
    run(q);
    const bool found = q.next();
    const qint64 rowid = found ? q.value(0).toLongLong() : 0;
    endOfRead(q);
    if (found)
        changeRow(table, rowid, values);
    else
        insertRow(table, values);
}

Record Store::readLog()
{
    return readFirst(QStringLiteral("log"));
}

void Store::writeLog(const FieldValues &values)
{
    writeFirst(QStringLiteral("log"), values);
}

Record Store::readOperator()
{
    return readFirst(QStringLiteral("operator"));
}

void Store::writeOperator(const FieldValues &values)
{
    writeFirst(QStringLiteral("operator"), values);
}

std::vector<Record> Store::contests()
{
    const QStringList &fields = Schema::contestFields();
    QStringList columns;
    for (const QString &f : fields)
        columns << Schema::quoted(f);
    QSqlQuery &q = prepared(QStringLiteral("SELECT %1 FROM contest ORDER BY rowid").arg(columns.join(", ")));
    run(q);
    std::vector<Record> rows;
    while (q.next()) {
        Record r;
        for (int i = 0; i < fields.size(); ++i)
            r.set(fields[i], textOf(q.value(i)));
        rows.push_back(r);
    }
    endOfRead(q);
    return rows;
}

void Store::changeContest(int position, const FieldValues &values)
{
    QSqlQuery &q = prepared(QStringLiteral("SELECT rowid FROM contest ORDER BY rowid LIMIT 1 OFFSET ?"));
    q.addBindValue(position - 1);
    run(q);
    const bool found = position >= 1 && q.next();
    const qint64 rowid = found ? q.value(0).toLongLong() : 0;
    endOfRead(q);
    if (!found)
        fail(QStringLiteral("в таблице contest нет записи номер %1").arg(position));
    changeRow(QStringLiteral("contest"), rowid, values);
}

void Store::addContest(const FieldValues &values)
{
    insertRow(QStringLiteral("contest"), values);
}

int Store::deleteContest(const QString &name)
{
    QSqlQuery &q = prepared(QStringLiteral("DELETE FROM contest WHERE contesten = ?"));
    q.addBindValue(text(name));
    run(q);
    const int deleted = q.numRowsAffected();
    q.finish();
    return deleted;
}
