#include "callreader.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <limits>

namespace {
constexpr int kChunk = 20000;
} // namespace

bool readLogCalls(const QString &path, const std::atomic_bool &stop,
                  const std::function<void(qint64 total, const QStringList &calls)> &take)
{
    const QString name = QStringLiteral("calls-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool read = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        read = db.open();
        QSqlQuery q(db);
        // The reading goes once down the table: a page is never read twice,
        // so the engine's usual two megabytes of cache would hold nothing
        // of use.
        if (read)
            q.exec(QStringLiteral("PRAGMA cache_size = -64"));
        q.setForwardOnly(true);
        qint64 total = 0;
        if (read && q.exec(QStringLiteral("SELECT count(*) FROM qso")) && q.next())
            total = q.value(0).toLongLong();
        q.finish();
        q.prepare(QStringLiteral("SELECT id, call1, call2 FROM qso WHERE id < ? ORDER BY id DESC LIMIT ?"));
        qint64 below = std::numeric_limits<qint64>::max();
        while (read && !stop) {
            q.addBindValue(below);
            q.addBindValue(kChunk);
            if (!q.exec()) {
                read = false;
                break;
            }
            QStringList calls;
            int rows = 0;
            while (q.next()) {
                ++rows;
                below = q.value(0).toLongLong();
                for (int i = 1; i <= 2; ++i)
                    if (const QString call = q.value(i).toString(); !call.isEmpty())
                        calls << call;
            }
            q.finish(); // the read ends here, before the calls are taken in
            if (rows == 0)
                break;
            take(total, calls);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return read;
}
