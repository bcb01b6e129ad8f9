#include "stubs.h"
#include "tempdir.h"

#include "timesync/tidsntp.h"

#include <QProcess>
#include <QUdpSocket>
#include <QtTest>

/// Our client against a real NTP server: chronyd on 127.0.0.1, started
/// with -x so that it never touches the machine's clock.
class ChronyServerTest : public QObject {
    Q_OBJECT
private slots:
    void realServerAnswersOurRequest();
};

void ChronyServerTest::realServerAnswersOurRequest()
{
    const QString chronyd = QStandardPaths::findExecutable("chronyd", {"/usr/sbin", "/sbin"});
    if (chronyd.isEmpty())
        QSKIP("chronyd is not installed (Debian package chrony; the test command installs it under CI)");
    quint16 port;
    {
        QUdpSocket probe; // an unused port, given back before chronyd takes it
        QVERIFY(probe.bind(QHostAddress::LocalHost, 0));
        port = probe.localPort();
    }
    TestFolder folder;
    QFile config(folder.file("chrony.conf"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("port %1\nbindaddress 127.0.0.1\nallow 127.0.0.1\nlocal stratum 8\ncmdport 0\n"
                                "pidfile %2\ndriftfile %3\n")
                     .arg(port)
                     .arg(folder.file("chronyd.pid"), folder.file("drift"))
                     .toLocal8Bit());
    config.close();
    QProcess server;
    server.start(chronyd, {"-d", "-x", "-u", "root", "-f", config.fileName()});
    QVERIFY2(server.waitForStarted(), qPrintable(server.errorString()));

    StubClock clock;
    clock.now = QDateTime::currentDateTimeUtc();
    StubZone zone;
    StubClockSetter setter;
    TIdSNTP sntp(clock, zone, setter);
    sntp.Host = QStringLiteral("127.0.0.1");
    sntp.Port = port;
    sntp.ReceiveTimeout = 1000;
    bool synchronised = false;
    for (int attempt = 0; attempt < 10 && !synchronised; ++attempt) // chronyd needs a moment to listen
        synchronised = sntp.SynchroniseClock();
    server.terminate();
    server.waitForFinished(3000);
    QVERIFY2(synchronised, server.readAllStandardError().constData());
    QCOMPARE(setter.settings.size(), 1);
    QVERIFY(qAbs(setter.settings.first().secsTo(QDateTime::currentDateTimeUtc())) < 60);
}

QTEST_GUILESS_MAIN(ChronyServerTest)
#include "tst_chronyserver.moc"
