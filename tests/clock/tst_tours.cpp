#include "clock/tours.h"
#include "clock/utctexts.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::optional<TourState>)

class ToursTest : public QObject {
    Q_OBJECT
private slots:
    void currentTour_data();
    void currentTour();
    void utcTextsAcrossNewYear();
};

void ToursTest::currentTour_data()
{
    QTest::addColumn<QStringList>("times");
    QTest::addColumn<QTime>("now");
    QTest::addColumn<int>("tour"); // -1: format error
    QTest::addColumn<QTime>("left");
    const QString z = "00:00:00";
    const QStringList tour1 = {"10:00:00", "12:00:00", z, z, z, z, z, z};
    QTest::newRow("begin belongs") << tour1 << QTime(10, 0) << 1 << QTime(2, 0);
    QTest::newRow("end belongs") << tour1 << QTime(12, 0) << 1 << QTime(0, 0);
    QTest::newRow("after end") << tour1 << QTime(12, 0, 1) << 0 << QTime();
    QTest::newRow("before begin") << tour1 << QTime(9, 59, 59) << 0 << QTime();
    QTest::newRow("across midnight never current")
        << QStringList{z, z, "23:00:00", "01:00:00", z, z, z, z} << QTime(23, 30) << 0 << QTime();
    QTest::newRow("overlap: lower wins") << QStringList{"10:00:00", "12:00:00", "11:00:00", "13:00:00", z, z, z, z}
                                         << QTime(11, 30) << 1 << QTime(0, 30);
    QTest::newRow("second of two") << QStringList{"10:00:00", "11:00:00", "11:00:01", "13:00:00", z, z, z, z}
                                   << QTime(11, 30) << 2 << QTime(1, 30);
    QTest::newRow("all zero: no tour all day") << QStringList(8, z) << QTime(0, 0) << 0 << QTime();
    QTest::newRow("blank end is an error even inside tour 1")
        << QStringList{"10:00:00", "12:00:00", z, z, z, z, z, "  :  :  "} << QTime(11, 0) << -1 << QTime();
    QTest::newRow("masked underscores") << QStringList{"1_:00:00", "12:00:00", z, z, z, z, z, z} << QTime(11, 0) << -1
                                        << QTime();
    QTest::newRow("hour 24") << QStringList{"24:00:00", "12:00:00", z, z, z, z, z, z} << QTime(11, 0) << -1 << QTime();
    QTest::newRow("empty text") << QStringList{"", "12:00:00", z, z, z, z, z, z} << QTime(11, 0) << -1 << QTime();
    QTest::newRow("milliseconds do not count") << tour1 << QTime(12, 0, 0, 999) << 1 << QTime(0, 0);
}

void ToursTest::currentTour()
{
    QFETCH(QStringList, times);
    QFETCH(QTime, now);
    QFETCH(int, tour);
    QFETCH(QTime, left);
    const auto state = ::currentTour(TourTimes{times}, now);
    if (tour < 0) {
        QVERIFY(!state);
        return;
    }
    QVERIFY(state);
    QCOMPARE(state->tour, tour);
    if (tour > 0)
        QCOMPARE(state->timeLeft, left);
}

void ToursTest::utcTextsAcrossNewYear()
{
    const QDateTime before(QDate(2026, 12, 31), QTime(23, 59, 59), Qt::UTC);
    const QDateTime after = before.addSecs(1);
    QCOMPARE(UtcTexts::date(before), QString("2026-12-31"));
    QCOMPARE(UtcTexts::date(after), QString("2027-01-01"));
    QCOMPARE(UtcTexts::time(after), QString("0000"));
    QCOMPARE(UtcTexts::clock(before), QString("23:59:59"));
    QCOMPARE(UtcTexts::date(QDateTime(QDate(987, 3, 4), QTime(1, 2), Qt::UTC)), QString("987-03-04"));
}

QTEST_GUILESS_MAIN(ToursTest)
#include "tst_tours.moc"
