#include "processlock.h"
#include "schema.h"
#include "store.h"
#include "storeerror.h"
#include "storefiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

// The work on the store file as a whole: making it, copying it, and
// replacing it by a changed copy. The name vireok.mdb only ever stands for
// a complete file.

namespace {

/// The names a copy kept before an upgrade from version may have beside
/// path: name-vN.mdb, then -2, -3...; the names taken, then the first free one.
QStringList upgradeBackupNames(const QString &path, int version)
{
    const QFileInfo info(path);
    const QString stem =
        info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-v%1").arg(version);
    QStringList names{stem + QStringLiteral(".mdb")};
    for (int n = 2; QFileInfo::exists(names.last()) || QFileInfo(names.last()).isSymLink(); ++n)
        names << stem + QStringLiteral("-%1.mdb").arg(n);
    return names;
}

/// The store's words without the file's name in front.
QString reasonOnly(const QString &text, const QString &path)
{
    const QString named = path + QStringLiteral(": ");
    return text.startsWith(named) ? text.mid(named.size()) : text;
}

} // namespace

// The work on a file beside the store, on a connection of its own that is
// gone when this returns. Returns the error's text, empty when all went well.
QString Store::onSideFile(const QString &path, const QString &name, const QString &cannotOpen,
                          const std::function<void(QSqlDatabase &)> &work)
{
    QString error;
    const QString connection = m_connection + name;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = explainedSqlError(db.lastError(), cannotOpen);
        } else {
            try {
                useRollbackJournal(db);
                work(db);
            } catch (const StoreError &e) {
                error = e.text();
            }
            db.close();
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection);
    }
    return error;
}

// The old file is kept whole under its own name before the new shape is
// put in its place, so that a step that goes wrong loses nothing. A copy
// that an earlier, failed attempt kept serves again while it holds what the
// store holds: a start after each failure must not fill the disk with copies.
void Store::upgradeFrom(int version)
{
    const QString failed = QStringLiteral("журнал не удалось обновить для этой версии Vireok: %1; файл журнала не "
                                          "изменён");
    const QStringList names = upgradeBackupNames(m_path, version);
    QString backup;
    for (const QString &name : names.mid(0, names.size() - 1))
        if (backup.isEmpty() && keptCopyServes(name, version))
            backup = name;
    if (backup.isEmpty()) {
        backup = names.last();
        try {
            copyFile(backup);
        } catch (const StoreError &e) {
            fail(failed.arg(reasonOnly(e.text(), m_path)));
        }
    }
    try {
        rebuild([version](QSqlDatabase &db) { Schema::upgrade(db, version); }, false);
    } catch (const StoreError &e) {
        fail(failed.arg(reasonOnly(e.text(), m_path)) + QStringLiteral(", его копия сохранена: ") +
             QFileInfo(backup).fileName());
    }
    m_upgradeBackup = backup;
}

// Whole (the engine's quick check), of that version, and every row of every
// table the same as the store's, compared by the engine on this connection.
bool Store::keptCopyServes(const QString &copy, int version)
{
    if (!QFileInfo(copy).isFile())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS kept"));
    q.addBindValue(copy);
    if (!q.exec())
        return false;
    bool same =
        q.exec(QStringLiteral("PRAGMA kept.quick_check")) && q.next() && q.value(0).toString() == QLatin1String("ok");
    q.finish();
    same = same && q.exec(QStringLiteral("PRAGMA kept.user_version")) && q.next() && q.value(0).toInt() == version;
    q.finish();
    for (const QString &table : Schema::tableNames()) {
        if (!same)
            break;
        const QString t = Schema::quoted(table);
        same = q.exec(QStringLiteral("SELECT (SELECT count(*) FROM main.%1) = (SELECT count(*) FROM kept.%1) AND "
                                     "NOT EXISTS (SELECT rowid, * FROM main.%1 EXCEPT SELECT rowid, * FROM kept.%1)")
                          .arg(t)) &&
               q.next() && q.value(0).toInt() == 1;
        q.finish();
    }
    q.exec(QStringLiteral("DETACH DATABASE kept"));
    return same;
}

// A new store appears whole or not at all: it is built under a temporary
// name beside the final one, made durable, and given its name by a hard link,
// which never replaces a store that another process made meanwhile.
void Store::createFile()
{
    QString error;
    const QString tempPath = StoreFiles::makeTemporary(m_path, m_path, StoreFiles::kNew, error);
    if (tempPath.isEmpty())
        fail(QStringLiteral("новую базу данных нельзя создать: ") + error);
    error = onSideFile(tempPath, QStringLiteral("-create"), QStringLiteral("новую базу данных нельзя создать"),
                       [](QSqlDatabase &db) { Schema::create(db); });
    if (error.isEmpty() && !StoreFiles::sync(tempPath))
        error = QStringLiteral("новую базу данных нельзя записать на диск");
    // Another process may have made the store meanwhile: that one is used.
    if (error.isEmpty() && !StoreFiles::giveName(tempPath, m_path, error) && QFileInfo::exists(m_path))
        error.clear();
    StoreFiles::removeTemporary(tempPath);
    if (!error.isEmpty())
        fail(error);
}

void Store::vacuumInto(const QString &path)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(path);
    if (!q.exec())
        fail(q.lastError(), QStringLiteral("копию журнала не удалось записать"));
    q.finish();
}

void Store::rebuild(const std::function<void(QSqlDatabase &)> &change, bool compact)
{
    const QString real = StoreFiles::realFile(m_path);
    const int names = StoreFiles::linkCount(real);
    if (names == 0)
        fail(QStringLiteral("файл журнала не найден"));
    QSqlDatabase main = QSqlDatabase::database(m_connection, false);
    if (names > 1) {
        // A rename would leave the other names on the old log.
        try {
            change(main);
        } catch (const StoreError &e) {
            fail(e.text());
        }
        return;
    }
    QString error;
    const QString temp = StoreFiles::makeTemporary(real, real, StoreFiles::kRebuild, error);
    if (temp.isEmpty())
        fail(QStringLiteral("рядом с журналом нельзя создать рабочий файл: ") + error);
    try {
        vacuumInto(temp);
        StoreFiles::copyAccessRights(real, temp);
        error = onSideFile(
            temp, QStringLiteral("-rebuild"), QStringLiteral("рабочий файл не удалось открыть"), [&](QSqlDatabase &db) {
                change(db);
                QSqlQuery q(db);
                if (compact && !q.exec(QStringLiteral("VACUUM")))
                    throw StoreError(explainedSqlError(q.lastError(), QStringLiteral("рабочий файл не удалось сжать")));
            });
        if (!error.isEmpty())
            fail(error);
        if (!StoreFiles::sync(temp))
            fail(QStringLiteral("рабочий файл не удалось записать на диск"));
        // Held before the file takes the store's name, so that no second
        // program can open it in between.
        ProcessLock lock;
        if (lock.take(temp) != ProcessLock::Result::Held)
            fail(QStringLiteral("рабочий файл нельзя закрыть от других программ: ") + lock.error());
        disconnect();
        // Where an open file cannot be replaced, the old one's lock goes
        // first: a program that opens the old file meanwhile then makes the
        // replacement fail, and nothing it writes is lost.
        if (!StoreFiles::kReplacesOpenFiles)
            m_lock.release();
        if (!StoreFiles::replace(temp, real, error)) {
            m_lock.take(m_path); // the old file's, still or again
            connect();
            fail(QStringLiteral("рабочий файл не удалось поставить на место журнала: ") + error);
        }
        m_lock.take(m_path);
        connect();
        useRollbackJournal(main);
    } catch (const StoreError &) {
        StoreFiles::removeTemporary(temp);
        throw;
    }
}

void Store::clearQsos()
{
    if (!m_open)
        open();
    rebuild(
        [this](QSqlDatabase &db) {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("DELETE FROM qso")))
                throw StoreError(explainedSqlError(q.lastError(), QStringLiteral("записи журнала не удалось удалить")));
        },
        true);
}

void Store::copyTo(const QString &path)
{
    if (!m_open)
        open();
    copyFile(path);
}

void Store::copyFile(const QString &path)
{
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        fail(QStringLiteral("файл %1 уже есть").arg(path));
    // The copy is what the user keeps of the log: it takes its name only
    // once it is whole and on the disk, so a half-written file never looks
    // like a backup.
    QString error;
    const QString temp = StoreFiles::makeTemporary(path, m_path, StoreFiles::kCopy, error);
    if (temp.isEmpty())
        fail(QStringLiteral("копию %1 нельзя создать: ").arg(path) + error);
    try {
        vacuumInto(temp);
        // Readable by whoever may read the log itself.
        StoreFiles::copyAccessRights(StoreFiles::realFile(m_path), temp);
        if (!StoreFiles::sync(temp))
            fail(QStringLiteral("копию %1 не удалось записать на диск").arg(path));
        if (!StoreFiles::giveName(temp, path, error))
            fail(QStringLiteral("копию нельзя назвать %1: ").arg(path) + error);
    } catch (const StoreError &) {
        StoreFiles::removeTemporary(temp);
        throw;
    }
}
