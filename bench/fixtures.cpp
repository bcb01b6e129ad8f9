#include "fixtures.h"

#include "store/schema.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <fcntl.h>
#include <unistd.h>

QString storeWithQsos(int n, bool skewed)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("vireok-bench"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("%1-%2.mdb").arg(skewed ? "skewed" : "plain").arg(n));
    if (QFile::exists(path)) {
        // A log made before stores had a version is brought up to date once
        // (not in every copy a benchmark takes); its kept old file goes.
        try {
            Store store(path);
            store.open();
            if (!store.upgradeBackup().isEmpty())
                QFile::remove(store.upgradeBackup());
        } catch (const StoreError &) {
            // In use by another run: it is used as it is.
        }
        return path;
    }
    {
        Store store(path);
        store.open();
    }
    const QString connection = QStringLiteral("bench-fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery q(db);
        const QStringList &fields = Schema::qsoFields();
        q.prepare(QStringLiteral("INSERT INTO qso (%1) VALUES (?%2)")
                      .arg(fields.join(QLatin1String(", ")), QStringLiteral(", ?").repeated(int(fields.size()) - 1)));
        const char *bands[] = {"3500", "7000", "14000", "21000", "28000"};
        for (int i = 0; i < n; ++i) {
            const bool busy = skewed && i % 143 == 0; // about 0.7% of rows
            QsoRecord qso;
            qso.band = QString::fromLatin1(bands[i % 5]);
            qso.mode = i % 3 ? QStringLiteral("CW") : QStringLiteral("PH");
            qso.data = QStringLiteral("2026-12-06");
            qso.time = QStringLiteral("%1").arg(i % 2400, 4, 10, QLatin1Char('0'));
            qso.call1 = busy && i % 2 ? busiestCall() : QStringLiteral("UA%1A").arg(i);
            qso.rst1 = QStringLiteral("599");
            qso.nr1 = QString::number(i % 1000);
            qso.call2 = busy && !(i % 2) ? busiestCall() : QStringLiteral("RA%1B").arg(i);
            qso.rst2 = QStringLiteral("599");
            qso.nr2 = i % 4 ? QString::number(i % 700) : QStringLiteral("");
            qso.tur = QString::number(i % 3);
            for (const Schema::QsoColumn &c : Schema::qsoColumns())
                q.addBindValue(qso.*c.member);
            q.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return path;
}

QString knownCallsFile(int n)
{
    const QString path = QDir::temp().filePath(QStringLiteral("vireok-bench/known-%1.scp").arg(n));
    if (QFile::exists(path))
        return path;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    const char *prefixes[] = {"K", "W", "DL", "G", "F", "JA", "VK", "UA", "RA", "SP"};
    QByteArray text = "# calls heard in contests\n";
    for (int i = 0; i < n; ++i) {
        const int tail = i / 10;
        text += QByteArray(prefixes[i % 10]) + QByteArray::number(tail % 10) + char('A' + tail / 10 % 26) +
                char('A' + tail / 260 % 26) + char('A' + tail / 6760 % 26) + "\r\n";
    }
    f.write(text);
    return path;
}

long peakResidentBytes()
{
    // Not getrusage: its figure survives exec, so a child would report the
    // peak of the process that started it.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong() * 1024L;
    return 0;
}

long residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * ::sysconf(_SC_PAGESIZE) : 0;
}

void evictFromCache(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return;
    ::fdatasync(fd); // dirty pages cannot be dropped
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

quint64 EventMeter::delivered = 0;
qint64 EventMeter::paintNs = 0;

void settle()
{
    for (;;) {
        const quint64 before = EventMeter::delivered;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (EventMeter::delivered == before)
            return;
    }
}
