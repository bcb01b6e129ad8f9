#include "tempdir.h"

#include "store/store.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

TestFolder::TestFolder() = default;

QString TestFolder::file(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

QsoRecord makeQso(const QString &call1, const QString &nr1, const QString &call2, const QString &nr2,
                  const QString &band, const QString &mode, const QString &tur)
{
    QsoRecord q;
    q.band = band;
    q.mode = mode;
    q.data = QStringLiteral("2026-12-06");
    q.time = QStringLiteral("0915");
    q.call1 = call1;
    q.rst1 = mode == QLatin1String("CW") ? QStringLiteral("599") : QStringLiteral("59");
    q.nr1 = nr1;
    q.call2 = call2;
    q.rst2 = call2.isEmpty() ? QString() : q.rst1;
    q.nr2 = nr2;
    q.tur = tur;
    return q;
}

bool damagePageHolding(const QString &path, const QByteArray &marker)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    const QByteArray bytes = f.readAll();
    const qsizetype at = bytes.indexOf(marker);
    if (at < 0)
        return false;
    const qint64 pageSize = 4096;
    // The page's header goes: it no longer says what kind of page it is.
    f.seek(at / pageSize * pageSize);
    f.write(QByteArray(16, '\xff'));
    return f.flush();
}

void storeWithMarkedQsos(const QString &path, int count)
{
    {
        Store store(path);
        store.open();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("marked"));
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO qso (band, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, tur) "
                                 "VALUES ('14000', 'CW', '2026-12-06', '0915', 'UA1AAA', '599', ?, 'RA3B', '599', "
                                 "'1', '0')"));
        for (int i = 0; i < count; ++i) {
            q.addBindValue(QStringLiteral("N%1-MARK").arg(i, 5, 10, QLatin1Char('0')));
            q.exec();
        }
        q.finish();
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("marked"));
}
