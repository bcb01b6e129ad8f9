#include "clockticker.h"
#include "mainfixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

/// The tick as the main window runs it, driven by a clock that stands still.
class ClockTickTest : public QObject {
    Q_OBJECT
private slots:
    void tickWritesTheUtcTextsAndLocalPanels();
    void tourTrackingFindsTheTourAndCountsDown();
    void untickingResetsTourAndLabel();
    void badTourTimeShowsOneMessagePerTickAndKeepsTheTour();
    void tourTimesAreReadOnlyWhenTicked();
    void ticksUnderAnOpenMessageOpenNoFurtherMessage();
};

struct Fixture : MainFixture {
    Fixture() { clock.now = QDateTime(QDate(2026, 12, 6), QTime(10, 0), Qt::UTC); }
    void tours(const QStringList &t)
    {
        FieldValues v;
        const char *names[] = {"TUR1B", "TUR1E", "TUR2B", "TUR2E", "TUR3B", "TUR3E", "TUR4B", "TUR4E"};
        for (int i = 0; i < 8; ++i)
            v.append({names[i], t.value(i, "00:00:00")});
        store.writeLog(v);
    }
    TMain &window() { return main ? *main : open(); }
    void tickTour(bool on)
    {
        window().form().tour->click();
        QCOMPARE(window().form().tour->isChecked(), on);
    }
};

void ClockTickTest::tickWritesTheUtcTextsAndLocalPanels()
{
    Fixture f;
    f.clock.now = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59), Qt::UTC);
    TMain &main = f.window();
    main.clockTicker().tick();
    QCOMPARE(main.form().utcDate->text(), QString("2026-12-31"));
    QCOMPARE(main.form().utcTime->text(), QString("2359"));
    QCOMPARE(main.form().utcClock->text(), QString("23:59:59"));
    QVERIFY(main.form().panel[1]->text().startsWith("LOC: "));
    QVERIFY(!main.form().panel[0]->text().isEmpty());
    f.clock.now = f.clock.now.addSecs(1);
    main.clockTicker().tick();
    QCOMPARE(main.form().utcDate->text(), QString("2027-01-01"));
    QCOMPARE(main.form().utcClock->text(), QString("00:00:00"));
    QCOMPARE(main.form().tourNumber->text(), QString("0")); // TOUR unticked: no tour
}

void ClockTickTest::tourTrackingFindsTheTourAndCountsDown()
{
    Fixture f;
    f.tours({"10:00:00", "12:00:00"});
    f.tickTour(true);
    TMain &main = f.window();
    main.clockTicker().tick();
    QCOMPARE(main.form().tourNumber->text(), QString("1"));
    QVERIFY2(main.form().tourTime->text().contains("2:00:00"), qPrintable(main.form().tourTime->text()));
    f.clock.now = QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
    main.clockTicker().tick();
    const QString zeroLeft = main.form().tourTime->text();
    QVERIFY2(zeroLeft.contains("0:00:00"), qPrintable(zeroLeft));
    f.clock.now = f.clock.now.addSecs(1);
    main.clockTicker().tick();
    QCOMPARE(main.form().tourNumber->text(), QString("0"));
    QCOMPARE(main.form().tourTime->text(), zeroLeft);
}

void ClockTickTest::untickingResetsTourAndLabel()
{
    Fixture f;
    f.tours({"10:00:00", "12:00:00"});
    f.tickTour(true);
    f.window().clockTicker().tick();
    QCOMPARE(f.window().form().tourNumber->text(), QString("1"));
    f.tickTour(false);
    QCOMPARE(f.window().form().tourNumber->text(), QString("0"));
    QCOMPARE(f.window().form().tourTime->text(), QString("00:00:00"));
    f.window().clockTicker().tick();
    QCOMPARE(f.window().form().tourNumber->text(), QString("0"));
}

void ClockTickTest::badTourTimeShowsOneMessagePerTickAndKeepsTheTour()
{
    Fixture f;
    f.tours({"10:00:00", "12:00:00"});
    f.tickTour(true);
    f.window().clockTicker().tick();
    f.tours({"10:00:00", "12:00:00", "", "", "", "", "", "  :  :  "});
    f.tickTour(false);
    f.window().form().tourNumber->setText("3");
    f.tickTour(true);
    f.window().clockTicker().tick();
    f.window().clockTicker().tick();
    const QString message = "Ошибка формата времени!\n\rПроверьте правильность заполнения туров.";
    QCOMPARE(f.prompts.informed, QStringList({message, message}));
    QCOMPARE(f.window().form().tourNumber->text(), QString("3"));
    QCOMPARE(f.window().form().utcClock->text(), QString("10:00:00"));
}

void ClockTickTest::tourTimesAreReadOnlyWhenTicked()
{
    Fixture f;
    f.tours({"10:00:00", "12:00:00"});
    f.tickTour(true);
    f.tours({"08:00:00", "09:00:00", "10:00:00", "11:00:00"});
    f.window().clockTicker().tick();
    QCOMPARE(f.window().form().tourNumber->text(), QString("1"));
    f.tickTour(false);
    f.tickTour(true);
    f.window().clockTicker().tick();
    QCOMPARE(f.window().form().tourNumber->text(), QString("2"));
}

void ClockTickTest::ticksUnderAnOpenMessageOpenNoFurtherMessage()
{
    Fixture f;
    f.tours({"1O:00:00"});
    f.tickTour(true);
    int nested = 0;
    f.prompts.whileInforming = [&] {
        if (nested++ < 3) {
            f.clock.now = f.clock.now.addSecs(1);
            f.window().clockTicker().tick();
        }
    };
    f.window().clockTicker().tick();
    QCOMPARE(f.prompts.informed.size(), 1);
    QCOMPARE(f.window().form().utcClock->text(), QString("10:00:01"));
    f.window().clockTicker().tick(); // the fault remains: the next tick tells again
    QCOMPARE(f.prompts.informed.size(), 2);
}

QTEST_MAIN(ClockTickTest)
#include "tst_clocktick.moc"
