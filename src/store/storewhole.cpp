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

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

// The work on the store file as a whole: making it, copying it, and
// replacing it by a changed copy. The name vireok.mdb only ever stands for
// a complete file.

namespace {

QString systemWords()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

/// name-vN.mdb beside path, with -2, -3... when taken.
QString upgradeBackupName(const QString &path, int version)
{
    const QFileInfo info(path);
    const QString stem =
        info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-v%1").arg(version);
    QString name = stem + QStringLiteral(".mdb");
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = stem + QStringLiteral("-%1.mdb").arg(n);
    return name;
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
            error = explained(db.lastError(), cannotOpen);
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
// put in its place, so that a step that goes wrong loses nothing.
void Store::upgradeFrom(int version)
{
    const QString backup = upgradeBackupName(m_path, version);
    copyFile(backup);
    rebuild([version](QSqlDatabase &db) { Schema::upgrade(db, version); }, false);
    m_upgradeBackup = backup;
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
    struct stat st;
    if (::stat(QFile::encodeName(real).constData(), &st) != 0)
        fail(QStringLiteral("файл журнала не найден: ") + systemWords());
    QSqlDatabase main = QSqlDatabase::database(m_connection, false);
    if (st.st_nlink > 1) {
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
        ::chmod(QFile::encodeName(temp).constData(), st.st_mode & 07777);
        error = onSideFile(
            temp, QStringLiteral("-rebuild"), QStringLiteral("рабочий файл не удалось открыть"), [&](QSqlDatabase &db) {
                change(db);
                QSqlQuery q(db);
                if (compact && !q.exec(QStringLiteral("VACUUM")))
                    throw StoreError(explained(q.lastError(), QStringLiteral("рабочий файл не удалось сжать")));
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
        if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(real).constData()) != 0) {
            error = systemWords();
            connect();
            fail(QStringLiteral("рабочий файл не удалось поставить на место журнала: ") + error);
        }
        StoreFiles::sync(QFileInfo(real).absolutePath());
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
                throw StoreError(explained(q.lastError(), QStringLiteral("записи журнала не удалось удалить")));
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
        struct stat st;
        if (::stat(QFile::encodeName(StoreFiles::realFile(m_path)).constData(), &st) == 0)
            ::chmod(QFile::encodeName(temp).constData(), st.st_mode & 07777);
        if (!StoreFiles::sync(temp))
            fail(QStringLiteral("копию %1 не удалось записать на диск").arg(path));
        if (!StoreFiles::giveName(temp, path, error))
            fail(QStringLiteral("копию нельзя назвать %1: ").arg(path) + error);
    } catch (const StoreError &) {
        StoreFiles::removeTemporary(temp);
        throw;
    }
}
