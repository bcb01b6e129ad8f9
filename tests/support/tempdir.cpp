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
        page = db.value(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = '%1'").arg(index)).toLongLong();
    }
    // Down the tree by each page's first child, as the file format lays
    // pages out: not every SQLite can list its pages (dbstat).
    const QByteArray file = readAll(path);
    const auto byte = [&](qint64 at) { return at < file.size() ? quint8(file[at]) : quint8(0); };
    for (int depth = 0; depth < 10 && page > 0; ++depth) {
        const qint64 start = (page - 1) * kPageSize;
        const qint64 header = start + (page == 1 ? 100 : 0);
        const quint8 kind = byte(header);
        if (kind == 0x0a || kind == 0x0d)
            return damagePage(path, page - 1);
        if (kind != 0x02 && kind != 0x05)
            return false;
        const qint64 cell = start + (byte(header + 12) << 8 | byte(header + 13));
        page = qint64(byte(cell)) << 24 | byte(cell + 1) << 16 | byte(cell + 2) << 8 | byte(cell + 3);
    }
    return false;
}

void addQsos(const QString &path, const std::vector<QsoRecord> &qsos)
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
    for (const QsoRecord &qso : qsos) {
        for (const Schema::QsoColumn &c : Schema::qsoColumns())
            q.addBindValue(qso.*c.member);
        q.exec();
    }
    q.finish();
    raw.db().commit();
}

void storeWithMarkedQsos(const QString &path, int count)
{
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < count; ++i)
        qsos.push_back(TestQso()
                           .heard(QStringLiteral("UA1AAA"), QStringLiteral("N%1-MARK").arg(i, 5, 10, QLatin1Char('0')))
                           .worked(QStringLiteral("RA3B"), QStringLiteral("1")));
    addQsos(path, qsos);
}
