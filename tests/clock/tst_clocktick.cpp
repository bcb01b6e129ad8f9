#include "mainfixture.h"

#include "app/qtprompts.h"
#include "clock/clockticker.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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
    void utcTextsAreValidBeforeTheFirstTimerTick();
    void clockRunsOnUnderTheOpenTourMessage();
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
    f.program->clockTicker->tick();
    QCOMPARE(main.form().utcDate->text(), QString("2026-12-31"));
    QCOMPARE(main.form().utcTime->text(), QString("2359"));
    QCOMPARE(main.form().utcClock->text(), QString("23:59:59"));
    QVERIFY(main.form().localTimePanel->text().startsWith("LOC: "));
    QVERIFY(!main.form().localDatePanel->text().isEmpty());
    f.clock.now = f.clock.now.addSecs(1);
    f.program->clockTicker->tick();
    QCOMPARE(main.form().utcDate->text(), QString("2027-01-01"));
    QCOMPARE(main.form().utcClock->text(), QString("00:00:00"));
    QCOMPARE(main.form().tourNumber->text(), QString("0")); // TOUR unticked: no tour
    // Whatever the regional formats (Windows' "10:00:00 PM" among them),
    // the local panels hold their text whole and the panels still fill the bar.
    const MainForm &m = main.form();
    for (const QLabel *p : {m.localDatePanel, m.localTimePanel})
        QVERIFY2(p->fontMetrics().horizontalAdvance(p->text()) + 2 * p->indent() <= p->contentsRect().width(),
                 qPrintable(p->text()));
    QCOMPARE(m.statusPanel->geometry().right(), m.statusPanel->parentWidget()->contentsRect().right());
}

void ClockTickTest::tourTrackingFindsTheTourAndCountsDown()
{
    Fixture f;
    f.tours({"10:00:00", "12:00:00"});
    f.tickTour(true);
    TMain &main = f.window();
    f.program->clockTicker->tick();
    QCOMPARE(main.form().tourNumber->text(), QString("1"));
    QVERIFY2(main.form().tourTime->text().contains("2:00:00"), qPrintable(main.form().tourTime->text()));
    QSignalSpy rewritten(main.form().tourNumber, &QLineEdit::textChanged);
    f.clock.now = QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
    f.program->clockTicker->tick();
    QCOMPARE(rewritten.count(), 0); // the same tour is not written again
    const QString zeroLeft = main.form().tourTime->text();
    QVERIFY2(zeroLeft.contains("0:00:00"), qPrintable(zeroLeft));
    f.clock.now = f.clock.now.addSecs(1);
    f.program->clockTicker->tick();
    QCOMPARE(main.form().tourNumber->text(), QString("0"));
    QCOMPARE(main.form().tourTime->text(), zeroLeft);
}

void ClockTickTest::untickingResetsTourAndLabel()
{
    Fixture f;
    f.tours({"10:00:00", "12:00:00"});
    f.tickTour(true);
    f.window();
    f.program->clockTicker->tick();
    QCOMPARE(f.window().form().tourNumber->text(), QString("1"));
    f.tickTour(false);
    QCOMPARE(f.window().form().tourNumber->text(), QString("0"));
    QCOMPARE(f.window().form().tourTime->text(), QString("00:00:00"));
    f.window();
    f.program->clockTicker->tick();
    QCOMPARE(f.window().form().tourNumber->text(), QString("0"));
}

void ClockTickTest::badTourTimeShowsOneMessagePerTickAndKeepsTheTour()
{
    Fixture f;
    f.tours({"10:00:00", "12:00:00"});
    f.tickTour(true);
    f.window();
    f.program->clockTicker->tick();
    f.tours({"10:00:00", "12:00:00", "", "", "", "", "", "  :  :  "});
    f.tickTour(false);
    f.window().form().tourNumber->setText("3");
    f.tickTour(true);
    f.window();
    f.program->clockTicker->tick();
    f.window();
    f.program->clockTicker->tick();
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
    f.window();
    f.program->clockTicker->tick();
    QCOMPARE(f.window().form().tourNumber->text(), QString("1"));
    f.tickTour(false);
    f.tickTour(true);
    f.window();
    f.program->clockTicker->tick();
    QCOMPARE(f.window().form().tourNumber->text(), QString("2"));
}

void ClockTickTest::utcTextsAreValidBeforeTheFirstTimerTick()
{
    Fixture f;
    TMain &main = f.window();
    QCOMPARE(main.form().utcDate->text(), QString("2026-12-06"));
    QCOMPARE(main.form().utcTime->text(), QString("1000"));
    QCOMPARE(main.form().utcClock->text(), QString("10:00:00"));
}

namespace {
/// Real time, starting from a fixed moment.
class RunningClock : public ClockSource {
public:
    RunningClock() { m_started.start(); }
    QDateTime nowUtc() const override
    {
        return QDateTime(QDate(2026, 12, 6), QTime(10, 0), Qt::UTC).addMSecs(m_started.elapsed());
    }

private:
    QElapsedTimer m_started;
};

QList<QMessageBox *> shownBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            boxes << box;
    return boxes;
}
} // namespace

void ClockTickTest::clockRunsOnUnderTheOpenTourMessage()
{
    Fixture f;
    f.tours({"1O:00:00"});
    QtPrompts prompts;
    RunningClock clock;
    Program program({f.store, prompts, f.desktop, clock, f.zone, f.clockSetter, f.folder.file("settings.ini")});
    TMain &main = program.main;
    main.show();
    // Should the box wait like a modal one, this closes every box after a
    // while, so that the test ends and tells.
    QTimer closer;
    closer.setInterval(300);
    QObject::connect(&closer, &QTimer::timeout, [] {
        for (QMessageBox *box : shownBoxes())
            box->done(0);
    });
    QTimer::singleShot(6000, &closer, qOverload<>(&QTimer::start));
    QTest::mouseClick(main.form().tour, Qt::LeftButton);
    QVERIFY(main.form().tour->isChecked());
    QTRY_COMPARE_WITH_TIMEOUT(shownBoxes().size(), 1, 2000);
    const QString underTheBox = main.form().utcClock->text();
    QTest::qWait(2200);
    QVERIFY2(main.form().utcClock->text() > underTheBox, qPrintable(main.form().utcClock->text()));
    QCOMPARE(shownBoxes().size(), 1);
    QPointer<QMessageBox> box = shownBoxes().first();
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    // The fault remains, so the next tick tells again.
    QTRY_VERIFY_WITH_TIMEOUT(box.isNull() && shownBoxes().size() == 1, 2000);
}

QTEST_MAIN(ClockTickTest)
#include "tst_clocktick.moc"
