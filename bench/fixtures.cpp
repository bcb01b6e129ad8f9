#include "fixtures.h"

#include "store/store.h"

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
    if (QFile::exists(path))
        return path;
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
        q.prepare("INSERT INTO qso (band, mode, data, time, call1, rst1, nr1, call2, rst2, nr2, tur) "
                  "VALUES (?,?,?,?,?,?,?,?,?,?,?)");
        const char *bands[] = {"3500", "7000", "14000", "21000", "28000"};
        for (int i = 0; i < n; ++i) {
            const bool busy = skewed && i % 143 == 0; // about 0.7% of rows
            q.addBindValue(QString::fromLatin1(bands[i % 5]));
            q.addBindValue(i % 3 ? QStringLiteral("CW") : QStringLiteral("PH"));
            q.addBindValue(QStringLiteral("2026-12-06"));
            q.addBindValue(QStringLiteral("%1").arg(i % 2400, 4, 10, QLatin1Char('0')));
            q.addBindValue(busy && i % 2 ? busiestCall() : QStringLiteral("UA%1A").arg(i));
            q.addBindValue(QStringLiteral("599"));
            q.addBindValue(QString::number(i % 1000));
            q.addBindValue(busy && !(i % 2) ? busiestCall() : QStringLiteral("RA%1B").arg(i));
            q.addBindValue(QStringLiteral("599"));
            q.addBindValue(i % 4 ? QString::number(i % 700) : QStringLiteral(""));
            q.addBindValue(QString::number(i % 3));
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
