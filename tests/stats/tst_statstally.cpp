#include "stats/statstablemodel.h"
#include "stats/statstally.h"

#include <QAbstractItemModelTester>
#include <QtTest>

/// The statistics' rules without a window: minutes of a QSO, the rate of
/// the last ten, the sums by band and tour.
class StatsTallyTest : public QObject {
    Q_OBJECT
private slots:
    void tableKeepsQtsModelRules();
    void minuteOfAQso_data();
    void minuteOfAQso();
    void rateOfTheLastTen_data();
    void rateOfTheLastTen();
    void sumsByBandAndTour();
};

void StatsTallyTest::minuteOfAQso_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("time");
    QTest::addColumn<qint64>("minute"); // -1: not usable
    // Minutes since 1970 as Python's datetime counts them.
    QTest::newRow("the epoch") << "1970-01-01"
                               << "0000" << qint64(0);
    QTest::newRow("a day and a minute") << "1970-01-02"
                                        << "0001" << qint64(1441);
    QTest::newRow("a leap day") << "2024-02-29"
                                << "1230" << qint64(28486830);
    QTest::newRow("last minute of a day") << "2026-12-08"
                                          << "2359" << qint64(29946239);
    QTest::newRow("no such day") << "2026-02-29"
                                 << "1200" << qint64(-1);
    QTest::newRow("hour 24") << "2026-12-08"
                             << "2400" << qint64(-1);
    QTest::newRow("minute 60") << "2026-12-08"
                               << "1260" << qint64(-1);
    QTest::newRow("time with a colon") << "2026-12-08"
                                       << "12:0" << qint64(-1);
    QTest::newRow("before 1970") << "1969-12-31"
                                 << "2359" << qint64(-1);
    QTest::newRow("date in another form") << "08.12.2026"
                                          << "1200" << qint64(-1);
}

void StatsTallyTest::minuteOfAQso()
{
    QFETCH(QString, data);
    QFETCH(QString, time);
    QFETCH(qint64, minute);
    QCOMPARE(qsoMinute(data, time).value_or(-1), minute);
}

void StatsTallyTest::rateOfTheLastTen_data()
{
    QTest::addColumn<QList<qint64>>("minutes"); // -1: a QSO without a usable time
    QTest::addColumn<qint64>("rate");           // -1: none shown
    const auto ten = [](qint64 span) {
        QList<qint64> m;
        for (int i = 0; i < 10; ++i)
            m << 1000 + span * i / 9;
        return m;
    };
    // 9 × 60 ÷ the span, worked by hand and rounded half up.
    QTest::newRow("nine minutes: 60") << ten(9) << qint64(60);
    QTest::newRow("seven minutes: 77.14") << ten(7) << qint64(77);
    QTest::newRow("eight minutes: 67.5") << ten(8) << qint64(68);
    QTest::newRow("eleven minutes: 49.09") << ten(11) << qint64(49);
    QTest::newRow("one minute: 540") << ten(1) << qint64(540);
    QTest::newRow("eighteen hours: 0.5") << ten(1080) << qint64(1);
    QTest::newRow("all in one minute") << ten(0) << qint64(-1);
    QTest::newRow("nine QSOs") << ten(9).mid(1) << qint64(-1);
    QTest::newRow("only the last ten count") << (QList<qint64>{0} + ten(9)) << qint64(60);
    QList<qint64> noFirst = ten(9), noTenth = ten(9);
    noFirst[0] = -1;
    noTenth[9] = -1;
    QTest::newRow("the first has no time") << noFirst << qint64(-1);
    QTest::newRow("the tenth has no time") << noTenth << qint64(-1);
}

void StatsTallyTest::rateOfTheLastTen()
{
    QFETCH(QList<qint64>, minutes);
    QFETCH(qint64, rate);
    std::vector<std::optional<qint64>> given;
    for (const qint64 m : minutes)
        given.push_back(m < 0 ? std::nullopt : std::optional(m));
    QCOMPARE(tenQsoRate(given).value_or(-1), rate);
}

void StatsTallyTest::sumsByBandAndTour()
{
    StatsTally tally;
    const auto add = [&](const char *band, const char *tour, qint64 qsos, qint64 numbers, int sign = 1) {
        tally.add(QsoTally{band, tour, "2026-12-08", "1200", sign * qsos, sign * numbers});
    };
    add("14000", "1", 3, 2);
    add("3500", "1", 1, 0);
    add("14000", "2", 4, 4);
    add("144", "2", 2, 1);
    QCOMPARE(tally.cell(QString("14000"), QString("1")).points(), qint64(3 + 2 * 2));
    QCOMPARE(tally.cell(QString("14000"), std::nullopt).qsos, qint64(7));
    QCOMPARE(tally.cell(std::nullopt, QString("2")).workedNumbers, qint64(5));
    QCOMPARE(tally.cell(std::nullopt, std::nullopt).points(), qint64(10 + 2 * 7));
    QCOMPARE(tally.bands({"3500", "14000"}), QStringList({"3500", "14000", "144"}));
    QCOMPARE(tally.tours(), QStringList({"1", "2"}));
    QCOMPARE(tally.qsosBetween(*qsoMinute("2026-12-08", "1200"), *qsoMinute("2026-12-08", "1200")), qint64(10));
    // A band whose QSOs are all taken away leaves the tables.
    add("144", "2", 2, 1, -1);
    QCOMPARE(tally.bands({}), QStringList({"14000", "3500"}));
    QCOMPARE(tally.cell(std::nullopt, QString("2")).qsos, qint64(4));
}

// Refreshed as bands and tours come and go.
void StatsTallyTest::tableKeepsQtsModelRules()
{
    StatsTally tally;
    StatsTableModel table(tally, StatsTableModel::Figure::Points);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    table.refresh({"14000"});
    tally.add(QsoTally{"14000", "1", "2026-12-08", "1200", 3, 2});
    tally.add(QsoTally{"3500", "2", "2026-12-08", "1201", 1, 0});
    table.refresh({"14000", "3500"});
    tally.clear();
    table.refresh({});
}

QTEST_GUILESS_MAIN(StatsTallyTest)
#include "tst_statstally.moc"
