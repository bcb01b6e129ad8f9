#include "fakesntpserver.h"
#include "mainfixture.h"

#include "timesync/tidsntp.h"

#include <QLabel>
#include <QtEndian>
#include <QtTest>

namespace {

const quint32 kNoonSeconds = 0xEEBFCCC0u; // 2026-12-06 12:00:00 UTC

struct Client {
    StubClock clock;
    StubZone zone;
    StubClockSetter setter;
    TIdSNTP sntp{clock, zone, setter};
    explicit Client(quint16 port)
    {
        clock.now = QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
        sntp.Host = QStringLiteral("127.0.0.1");
        sntp.Port = port;
        sntp.ReceiveTimeout = 400;
    }
};

FakeSntpServer::Answer replyWith(std::function<void(QByteArray &)> change)
{
    return [change](const QByteArray &request) {
        QByteArray reply = goodReply(request, kNoonSeconds + 10, kNoonSeconds + 11);
        change(reply);
        return reply;
    };
}

} // namespace

class SntpClientTest : public QObject {
    Q_OBJECT
private slots:
    void goodReplySetsTheEstimatedTime_data();
    void goodReplySetsTheEstimatedTime();
    void zoneEastSetsTheSameInstant();
    void unusableRepliesLeaveTheClock_data();
    void unusableRepliesLeaveTheClock();
    void longReplyIsAnError();
    void replyFromAnotherPortIsNotTaken();
    void silentServerFailsAfterTheBoundedWait();
    void localhostInAnyCaseIsLoopback();
    void menuCommandReportsBothOutcomes();
    void menuCommandAsksBeforeALargeStep_data();
    void menuCommandAsksBeforeALargeStep();
};

void SntpClientTest::goodReplySetsTheEstimatedTime_data()
{
    QTest::addColumn<int>("held"); // seconds between the server's receive and transmit times
    QTest::addColumn<QTime>("set");
    QTest::newRow("answered at once") << 0 << QTime(12, 0, 10);
    QTest::newRow("held 1 s") << 1 << QTime(12, 0, 10, 500);
    QTest::newRow("held 2 s") << 2 << QTime(12, 0, 11);
}

void SntpClientTest::goodReplySetsTheEstimatedTime()
{
    // The time the reply arrived: T4 + θ = (T2 − T1 + T3 + T4) / 2 with
    // T1 = T4 = noon and T2 = noon + 10 s, whatever the server held it.
    QFETCH(int, held);
    QFETCH(QTime, set);
    QByteArray seen;
    {
        FakeSntpServer server([&seen, held](const QByteArray &request) {
            seen = request;
            return goodReply(request, kNoonSeconds + 10, kNoonSeconds + 10 + held);
        });
        Client c(server.port());
        QVERIFY(c.sntp.SynchroniseClock());
        QCOMPARE(c.setter.settings, QList<QDateTime>{QDateTime(QDate(2026, 12, 6), set, Qt::UTC)});
        QVERIFY(qAbs(c.sntp.RoundTripDelay * 86400 + held) < 1e-6);
        QVERIFY(qAbs(c.sntp.ClockOffset * 86400 - 10 - held / 2.0) < 1e-6);
    }
    QCOMPARE(seen.size(), 48);
    QCOMPARE(quint8(seen[0]), quint8(27));
    QCOMPARE(qFromBigEndian<quint32>(seen.constData() + 40), kNoonSeconds);
}

void SntpClientTest::zoneEastSetsTheSameInstant()
{
    FakeSntpServer server(replyWith([](QByteArray &) {}));
    Client c(server.port());
    c.zone.biasMinutes = -300;
    QVERIFY(c.sntp.SynchroniseClock());
    QCOMPARE(c.setter.settings.value(0), QDateTime(QDate(2026, 12, 6), QTime(12, 0, 10, 500), Qt::UTC));
}

void SntpClientTest::unusableRepliesLeaveTheClock_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("stratum 16") << "stratum16";
    QTest::newRow("stratum 0") << "stratum0";
    QTest::newRow("leap indicator 3") << "leap3";
    QTest::newRow("zero transmit time") << "zeroTransmit";
    QTest::newRow("47 bytes") << "short";
    QTest::newRow("wrong originate timestamp") << "originate";
    QTest::newRow("stratum 15 is used") << "stratum15";
}

void SntpClientTest::unusableRepliesLeaveTheClock()
{
    QFETCH(QString, fault);
    FakeSntpServer server(replyWith([fault](QByteArray &r) {
        if (fault == "stratum16")
            r[1] = char(16);
        else if (fault == "stratum0")
            r[1] = char(0);
        else if (fault == "stratum15")
            r[1] = char(15);
        else if (fault == "leap3")
            r[0] = char(0xDC);
        else if (fault == "zeroTransmit")
            r.replace(40, 8, QByteArray(8, '\0'));
        else if (fault == "short")
            r.chop(1);
        else if (fault == "originate")
            r[27] = char(r[27] ^ 1);
    }));
    Client c(server.port());
    const bool used = fault == "stratum15";
    QCOMPARE(c.sntp.SynchroniseClock(), used);
    QCOMPARE(c.setter.settings.size(), used ? 1 : 0);
}

void SntpClientTest::longReplyIsAnError()
{
    FakeSntpServer server(replyWith([](QByteArray &r) { r.append('\0'); }));
    Client c(server.port());
    QVERIFY_THROWS_EXCEPTION(SntpError, c.sntp.SynchroniseClock());
    QVERIFY(c.setter.settings.isEmpty());
}

void SntpClientTest::replyFromAnotherPortIsNotTaken()
{
    FakeSntpServer server(replyWith([](QByteArray &) {}), true);
    Client c(server.port());
    QVERIFY(!c.sntp.SynchroniseClock());
    QVERIFY(c.setter.settings.isEmpty());
}

void SntpClientTest::silentServerFailsAfterTheBoundedWait()
{
    FakeSntpServer server([](const QByteArray &) { return QByteArray(); });
    Client c(server.port());
    QElapsedTimer waited;
    waited.start();
    QVERIFY(!c.sntp.SynchroniseClock());
    QVERIFY(waited.elapsed() >= 350 && waited.elapsed() < 3000);
    QVERIFY(c.setter.settings.isEmpty());
}

void SntpClientTest::localhostInAnyCaseIsLoopback()
{
    FakeSntpServer server(replyWith([](QByteArray &) {}));
    Client c(server.port());
    c.sntp.Host = QStringLiteral("LocalHost");
    QVERIFY(c.sntp.RequestServerTime() != 0);
}

void SntpClientTest::menuCommandReportsBothOutcomes()
{
    FakeSntpServer server(replyWith([](QByteArray &) {}));
    MainFixture f;
    {
        QFile ini(f.folder.file("settings.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[sntp]\r\nhost=localhost\r\nPORT=%1\r\n").arg(server.port()).toLatin1());
    }
    f.clock.now = QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
    f.open();
    (*f.program->sntp).ReceiveTimeout = 400;
    f.main->actions().timeSync->trigger();
    QCOMPARE(f.prompts.informed, QStringList("Синхронизация времени с сервером времени прошла успешно!"));
    QCOMPARE(f.form().statusPanel->text(), QString("ОК"));
    QCOMPARE(f.clockSetter.settings.size(), 1);

    f.prompts.informed.clear();
    f.main->actions().timeSync->trigger(); // nobody answers now
    QCOMPARE(f.form().statusPanel->text(), QString("Ошибка соединения с сервером времени"));
    QCOMPARE(f.prompts.informed, QStringList("Ошибка при попытке синхронизации времени с сервером!\n\r"
                                             "Проверьте соединение с интернет каналом."));
    QCOMPARE(f.clockSetter.settings.size(), 1);
}

void SntpClientTest::menuCommandAsksBeforeALargeStep_data()
{
    QTest::addColumn<qint64>("ahead"); // seconds the server is ahead of the computer
    QTest::addColumn<bool>("yes");     // the answer to the question, if one comes
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("set");
    QTest::addColumn<QString>("status");
    const qint64 day = 86400;
    QTest::newRow("10 s ahead: no question") << qint64(10) << false << "" << true << "ОК";
    QTest::newRow("9 min 50 s behind: no question") << qint64(-590) << false << "" << true << "ОК";
    QTest::newRow("11 min behind, no") << qint64(-660) << false << "2026-12-06 11:49:00 UTC" << false
                                       << "Время не установлено";
    QTest::newRow("5 years ahead, no") << 1826 * day << false << "2031-12-06 12:00:00 UTC" << false
                                       << "Время не установлено";
    QTest::newRow("5 years ahead, yes") << 1826 * day << true << "2031-12-06 12:00:00 UTC" << true << "ОК";
}

void SntpClientTest::menuCommandAsksBeforeALargeStep()
{
    QFETCH(qint64, ahead);
    QFETCH(bool, yes);
    QFETCH(QString, server);
    QFETCH(bool, set);
    QFETCH(QString, status);
    FakeSntpServer fake([ahead](const QByteArray &request) {
        return goodReply(request, quint32(kNoonSeconds + ahead), quint32(kNoonSeconds + ahead));
    });
    MainFixture f;
    {
        QFile ini(f.folder.file("settings.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[sntp]\r\nhost=localhost\r\nPORT=%1\r\n").arg(fake.port()).toLatin1());
    }
    f.clock.now = QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
    f.prompts.answer = yes;
    f.open();
    (*f.program->sntp).ReceiveTimeout = 400;
    f.main->actions().timeSync->trigger();
    if (server.isEmpty()) {
        QCOMPARE(f.prompts.questions, QStringList());
    } else {
        QCOMPARE(f.prompts.questions.size(), 1);
        QVERIFY2(f.prompts.questions[0].contains("Компьютер: 2026-12-06 12:00:00 UTC\n\rСервер: " + server),
                 qPrintable(f.prompts.questions[0]));
    }
    QCOMPARE(f.clockSetter.settings.size(), set ? 1 : 0);
    QCOMPARE(f.form().statusPanel->text(), status);
    QCOMPARE(f.prompts.informed.size(), set ? 1 : 0); // «Нет» shows no box
}

QTEST_MAIN(SntpClientTest)
#include "tst_sntpclient.moc"
