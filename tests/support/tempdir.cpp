#include "tempdir.h"

#include "rawdb.h"

#include "store/schema.h"
#include "store/store.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

namespace {
const qint64 kPageSize = 4096;
}

TestFolder::TestFolder() = default;

QString TestFolder::file(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

QsoRecord makeQso(const QString &call1, const QString &nr1, const QString &call2, const QString &nr2,
                  const QString &band, const QString &mode, const QString &tur)
{
    return TestQso().heard(call1, nr1).worked(call2, nr2).band(band).mode(mode).tour(tur);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

QString writeIni(const TestFolder &folder, const QByteArray &text)
{
    const QString path = folder.file(QStringLiteral("settings.ini"));
    return writeAll(path, text) ? path : QString();
}

namespace {
/// The page's header goes: it no longer says what kind of page it is.
bool damagePage(const QString &path, qint64 page)
{
    QFile f(path);
    if (page < 0 || !f.open(QIODevice::ReadWrite))
        return false;
    f.seek(page * kPageSize);
    f.write(QByteArray(16, '\xff'));
    return f.flush();
}
} // namespace

bool damagePageHolding(const QString &path, const QByteArray &marker)
{
    const qsizetype at = readAll(path).indexOf(marker);
    return at >= 0 && damagePage(path, at / kPageSize);
}

bool damageLeafOf(const QString &path, const QString &index)
{
    qint64 page = 0;
    {
        RawDb db(path);
        page = db.value(QStringLiteral("SELECT pageno FROM dbstat WHERE name = '%1' AND pagetype = 'leaf' "
                                       "ORDER BY pageno LIMIT 1")
                            .arg(index))
                   .toLongLong();
    }
    return page > 0 && damagePage(path, page - 1);
}

void storeWithMarkedQsos(const QString &path, int count)
{
    {
        Store store(path);
        store.open();
    }
    RawDb raw(path);
    raw.db().transaction();
    QSqlQuery q(raw.db());
    q.prepare(QStringLiteral("INSERT INTO qso (%1) VALUES (?%2)")
                  .arg(Schema::qsoFields().join(QLatin1String(", ")),
                       QStringLiteral(", ?").repeated(int(Schema::qsoFields().size()) - 1)));
    for (int i = 0; i < count; ++i) {
        const QsoRecord qso =
            TestQso()
                .heard(QStringLiteral("UA1AAA"), QStringLiteral("N%1-MARK").arg(i, 5, 10, QLatin1Char('0')))
                .worked(QStringLiteral("RA3B"), QStringLiteral("1"));
        for (const Schema::QsoColumn &c : Schema::qsoColumns())
            q.addBindValue(qso.*c.member);
        q.exec();
    }
    q.finish();
    raw.db().commit();
}
