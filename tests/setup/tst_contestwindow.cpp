#include "stubs.h"
#include "tempdir.h"

#include "app/application.h"
#include "setup/tcontest.h"
#include "setup/tcontestup.h"
#include "store/store.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

/// The contest settings window and the add-contest window on a real store.
class ContestWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listShowsPaddedNamesAndTheCount();
    void saveRightAfterStartWritesTheInitialValues();
    void chosenContestComesBackAsSaved();
    void shortNamesOfTwentyAndMoreCharacters();
    void deleteRemovesEveryContestOfThatNameQuoteIncluded();
    void addedContestShowsZeroToursAndKeepsPositions();
    void cancelStoresNothingAndKeepsTheEdits();
    void saveWithEmptyListWritesNothing();
    void labelsFitAndTheListDropsFifteen();
};

struct Fixture {
    TestFolder folder;
    Store store{folder.storePath()};
    StubPrompts prompts;
    std::unique_ptr<TContest> contest;
    std::unique_ptr<TContestUp> add;
    TContest &open()
    {
        contest = std::make_unique<TContest>(store, prompts);
        add = std::make_unique<TContestUp>(store, prompts, contest.get());
        contest->setAddWindow(add.get());
        return *contest;
    }
    void addContest(const QString &shortName, const QString &russian)
    {
        add->shortName()->setText(shortName);
        add->russianName()->setText(russian);
        add->add();
        contest->fillList();
    }
    void choose(int n)
    {
        contest->list()->setCurrentIndex(n - 1);
        contest->choose(n);
    }
};

void ContestWindowTest::listShowsPaddedNamesAndTheCount()
{
    Fixture f;
    TContest &c = f.open();
    const int n = int(f.store.contests().size());
    QCOMPARE(c.countLabel()->text(), QString("В списке %1 наименований:").arg(n));
    QCOMPARE(c.list()->count(), n);
    QCOMPARE(c.list()->itemText(0), QString("CQ-WW-CW            CQ World Wide DX Contest, телеграф"));
    QCOMPARE(c.list()->currentIndex(), 0);
    QCOMPARE(c.category(1)->count(), 24);
    QCOMPARE(c.category(1)->itemText(0), QString("ALL "));
    QCOMPARE(c.category(7)->itemText(5), QString("JR18"));
    QCOMPARE(c.category(7)->itemText(6), QString("JR18"));
    QCOMPARE(c.category(6)->currentText(), QString("SWL"));
    QCOMPARE(c.soapbox()->text(), QString("TNX,  73!"));
    QCOMPARE(c.tourField(7)->displayText(), QString("00:00:00"));
}

void ContestWindowTest::saveRightAfterStartWritesTheInitialValues()
{
    Fixture f;
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    TContest &c = f.open();
    c.offTime(0)->setText("2013-03-02 1500");
    c.offTime(1)->setText("2013-03-02 1600");
    c.save();
    const Record log = f.store.readLog();
    QCOMPARE(log.value("CONTEST"), QString("CQ-WW-CW"));
    QCOMPARE(log.value("CATEGORY-BAND"), QString("ALL "));
    QCOMPARE(log.value("CATEGORY-ASSISTED"), QString(" "));
    QCOMPARE(log.value("CATEGORY-TRANSMITTER"), QString("SWL"));
    QCOMPARE(log.value("OFFTIME1"), QString("2013-03-02 1500 2013-03-02 1600"));
    QCOMPARE(log.value("OFFTIME2"), QString(" "));
    QCOMPARE(log.value("SOAPBOX"), QString("TNX,  73!"));
    QCOMPARE(log.value("TUR1B"), QString("00:00:00"));
    QCOMPARE(log.value("ALIGN"), QString("R"));
    QCOMPARE(log.value("POSNR10"), QString("4"));
    QCOMPARE(log.value("POSNR11"), QString("7"));
    QCOMPARE(log.value("CALLSIGN"), QString("R9AA")); // station fields survive
    const Record first = f.store.contests().front();
    QCOMPARE(first.value("OFFTIME11"), QString("2013-03-02 1500"));
    QCOMPARE(first.value("POSNR21"), QString("7"));
    QCOMPARE(first.value("contestru"), QString("CQ World Wide DX Contest, телеграф"));
}

void ContestWindowTest::chosenContestComesBackAsSaved()
{
    Fixture f;
    TContest &c = f.open();
    f.choose(2);
    c.category(1)->setCurrentText("20M ");
    c.leftAlign()->setChecked(true);
    c.position(2)->setChecked(true);
    c.tourField(0)->setText("10:00:00");
    c.tourField(3)->setText("1");
    c.save();
    QCOMPARE(f.store.readLog().value("CATEGORY-BAND"), QString("20M "));
    QCOMPARE(f.store.readLog().value("POSNR21"), QString("17"));
    QCOMPARE(f.store.readLog().value("TUR2E"), QString("1_:__:__"));
    f.choose(1); // never saved: empty texts
    QCOMPARE(c.category(1)->currentIndex(), -1);
    QVERIFY(!c.leftAlign()->isChecked());
    QVERIFY(c.position(2)->isChecked()); // an empty POSNR11 leaves them
    f.choose(2);
    QCOMPARE(c.category(1)->currentText(), QString("20M "));
    QVERIFY(c.leftAlign()->isChecked());
    QCOMPARE(c.tourField(0)->displayText(), QString("10:00:00"));
}

void ContestWindowTest::shortNamesOfTwentyAndMoreCharacters()
{
    Fixture f;
    TContest &c = f.open();
    f.addContest("ABCDEFGHIJKLMNOPQRST", "Двадцать");
    f.addContest("ZYXWVUTSRQPONMLKJIHGFEDCB", "Длинное");
    const int twenty = c.list()->count() - 2;
    QCOMPARE(c.list()->itemText(twenty), QString("ABCDEFGHIJKLMNOPQRSTДвадцать"));
    f.choose(twenty + 2);
    c.save();
    QCOMPARE(f.store.readLog().value("CONTEST"), QString("ZYXWVUTSRQPONMLKJIHG"));
    const int before = c.list()->count();
    c.deleteChosen(); // deletes by the first 20 characters: nothing matches
    QCOMPARE(c.list()->count(), before);
    c.list()->setCurrentIndex(twenty);
    c.deleteChosen();
    QCOMPARE(c.list()->count(), before - 1);
}

void ContestWindowTest::deleteRemovesEveryContestOfThatNameQuoteIncluded()
{
    Fixture f;
    TContest &c = f.open();
    const int start = c.list()->count();
    f.addContest("TWIN", "1");
    f.addContest("TWIN", "2");
    f.addContest("O'NEIL", "");
    c.list()->setCurrentIndex(start);
    c.deleteChosen();
    QCOMPARE(c.list()->count(), start + 1);
    QCOMPARE(c.list()->currentIndex(), 0);
    c.list()->setCurrentIndex(start);
    c.deleteChosen();
    QCOMPARE(c.list()->count(), start);
    QCOMPARE(c.countLabel()->text(), QString("В списке %1 наименований:").arg(start));
}

void ContestWindowTest::addedContestShowsZeroToursAndKeepsPositions()
{
    Fixture f;
    TContest &c = f.open();
    c.position(1)->setChecked(true);
    c.tourField(4)->setText("12:00:00");
    f.addContest("", "");
    QCOMPARE(c.list()->itemText(c.list()->count() - 1), QString(20, ' '));
    f.choose(c.list()->count());
    QCOMPARE(c.tourField(4)->displayText(), QString("00:00:00"));
    QVERIFY(c.position(1)->isChecked());
    QCOMPARE(f.add->shortName()->text(), QString());
}

void ContestWindowTest::cancelStoresNothingAndKeepsTheEdits()
{
    Fixture f;
    TContest &c = f.open();
    c.location()->setText("Moscow");
    c.reject();
    QCOMPARE(f.store.readLog().value("LOCATION"), QString(""));
    QCOMPARE(c.location()->text(), QString("Moscow"));
    f.add->shortName()->setText("TYPED");
    f.add->reject();
    QCOMPARE(f.add->shortName()->text(), QString("TYPED"));
}

void ContestWindowTest::saveWithEmptyListWritesNothing()
{
    Fixture f;
    for (const Record &r : f.store.contests())
        f.store.deleteContest(r.value("contesten"));
    TContest &c = f.open();
    QCOMPARE(c.list()->count(), 0);
    c.save();
    QCOMPARE(f.prompts.storeErrors.size(), 1);
    QCOMPARE(f.store.readLog().value("CONTEST"), QString(""));
    QCOMPARE(f.store.readLog().value("ALIGN"), QString(""));
}

void ContestWindowTest::labelsFitAndTheListDropsFifteen()
{
    setUpApplication(); // the program's own faces decide what fits
    Fixture f;
    TContest &c = f.open();
    while (c.list()->count() < 18)
        f.addContest(QString("TEST-%1").arg(c.list()->count()), "Проверка");
    for (const QLabel *label : c.findChildren<QLabel *>())
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                 qPrintable(label->text()));
    c.show();
    c.list()->showPopup();
    const QAbstractItemView *view = c.list()->view();
    QTRY_VERIFY(view->isVisible());
    QCOMPARE(view->viewport()->height() / view->sizeHintForRow(0), 15);
    c.list()->hidePopup();
}

QTEST_MAIN(ContestWindowTest)
#include "tst_contestwindow.moc"
