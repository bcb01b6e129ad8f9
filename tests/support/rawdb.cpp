#include "rawdb.h"

#include <QSqlError>
#include <QSqlQuery>

RawDb::RawDb(const QString &path)
{
    static int made = 0;
    m_name = QStringLiteral("raw%1").arg(++made);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(path);
    m_db.open();
}

RawDb::~RawDb()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

bool RawDb::exec(const QString &sql)
{
    QSqlQuery q(m_db);
    if (q.exec(sql))
        return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
}

QVariant RawDb::value(const QString &sql, const QVariantList &values)
{
    QSqlQuery q(m_db);
    if (!q.prepare(sql))
        return {};
    for (const QVariant &v : values)
        q.addBindValue(v);
    return q.exec() && q.next() ? q.value(0) : QVariant();
}
