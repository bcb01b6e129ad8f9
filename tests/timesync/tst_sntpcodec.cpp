#include "timesync/sntpcodec.h"

#include <QtTest>

using namespace Sntp;

class SntpCodecTest : public QObject {
    Q_OBJECT
private slots:
    void fromNtpTimestamp_data();
    void fromNtpTimestamp();
    void toNtpTimestampOfAKnownDay();
    void zoneFiveHoursEastGivesSevenUtc();
    void requestLayout();
    void unusableReplies_data();
    void unusableReplies();
    void dateTimeValueRoundTrip();
};

void SntpCodecTest::fromNtpTimestamp_data()
{
    QTest::addColumn<quint32>("seconds");
    QTest::addColumn<quint32>("fraction");
    QTest::addColumn<double>("bias");
    QTest::addColumn<double>("value");
    QTest::newRow("origin") << quint32(0) << quint32(0) << 0.0 << 2.0;
    QTest::newRow("half a second is 499 ms") << quint32(0) << quint32(2147483648u) << 0.0 << 2.0 + 0.499 / 86400;
    QTest::newRow("largest fraction is 999 ms") << quint32(0) << quint32(4294967295u) << 0.0 << 2.0 + 0.999 / 86400;
    QTest::newRow("top bit read unsigned") << quint32(0x80000000u) << quint32(0) << 0.0 << 2147483648.0 / 86400 + 2.0;
    QTest::newRow("bias subtracted") << quint32(86400) << quint32(0) << 0.25 << 2.75;
}

void SntpCodecTest::fromNtpTimestamp()
{
    QFETCH(quint32, seconds);
    QFETCH(quint32, fraction);
    QFETCH(double, bias);
    QFETCH(double, value);
    QCOMPARE(Sntp::fromNtpTimestamp(seconds, fraction, bias), value);
}

void SntpCodecTest::toNtpTimestampOfAKnownDay()
{
    const double value = dateTimeValue(QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC));
    QCOMPARE(value, 46362.5);
    const Timestamp t = toNtpTimestamp(value, 0);
    QCOMPARE(t.seconds, 0xEEBFCCC0u);
    QCOMPARE(t.fraction, 0u);
    QCOMPARE(toNtpTimestamp(value + 0.5 / 86400, 0).fraction, 2147483648u); // scale 2^32 + 1
}

void SntpCodecTest::zoneFiveHoursEastGivesSevenUtc()
{
    const Timestamp t = toNtpTimestamp(46362.5, -300.0 / 1440);
    QCOMPARE(t.seconds, 0xEEBFCCC0u - 5 * 3600);
}

void SntpCodecTest::requestLayout()
{
    const QByteArray r = request({0x01020304u, 0xA0B0C0D0u});
    QCOMPARE(r.size(), 48);
    QCOMPARE(quint8(r[0]), quint8(27));
    QCOMPARE(r.mid(1, 39), QByteArray(39, '\0'));
    QCOMPARE(r.mid(40), QByteArray("\x01\x02\x03\x04\xA0\xB0\xC0\xD0", 8));
    QCOMPARE(timestampAt(r, 40), (Timestamp{0x01020304u, 0xA0B0C0D0u}));
}

void SntpCodecTest::unusableReplies_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("stratum");
    QTest::addColumn<bool>("zeroTransmit");
    QTest::addColumn<bool>("unusable");
    QTest::newRow("good, stratum 15") << 0x1C << 15 << false << false;
    QTest::newRow("stratum 16") << 0x1C << 16 << false << true;
    QTest::newRow("stratum 0") << 0x1C << 0 << false << true;
    QTest::newRow("leap 3") << 0xDC << 2 << false << true;
    QTest::newRow("leap 1 is fine") << 0x5C << 2 << false << false;
    QTest::newRow("zero transmit") << 0x1C << 2 << true << true;
}

void SntpCodecTest::unusableReplies()
{
    QFETCH(int, first);
    QFETCH(int, stratum);
    QFETCH(bool, zeroTransmit);
    QFETCH(bool, unusable);
    QByteArray reply = request(zeroTransmit ? Timestamp{} : Timestamp{1, 0});
    reply[0] = char(first);
    reply[1] = char(stratum);
    QCOMPARE(isReplyUnusable(reply), unusable);
}

void SntpCodecTest::dateTimeValueRoundTrip()
{
    const QDateTime t(QDate(2026, 12, 31), QTime(23, 59, 59, 500), Qt::UTC);
    QCOMPARE(fromDateTimeValue(dateTimeValue(t)), t);
    QCOMPARE(fromDateTimeValue(2.0), QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC));
}

QTEST_GUILESS_MAIN(SntpCodecTest)
#include "tst_sntpcodec.moc"
