#include "stubs.h"
#include "tempdir.h"

#include "app/application.h"
#include "setup/tcontest.h"
#include "setup/tcontestup.h"
#include "store/contestfields.h"
#include "store/schema.h"
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

namespace {
/// The window's controls, found as a user's eye finds them: by what they are.
template <typename T>
T *control(const QWidget &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}
QComboBox *list(const TContest &c)
{
    return control<QComboBox>(c, "contests");
}
QLabel *countLabel(const TContest &c)
{
    return control<QLabel>(c, "count");
}
QComboBox *category(const TContest &c, int i)
{
    return control<QComboBox>(c, ContestFields::categories()[i]);
}
QLineEdit *location(const TContest &c)
{
    return control<QLineEdit>(c, "LOCATION");
}
/// 0..5: begin and end of off-time 1, 2, 3.
QLineEdit *offTime(const TContest &c, int i)
{
    return control<QLineEdit>(c, QString("OFFTIME%1%2").arg(i / 2 + 1).arg(i % 2 ? 'E' : 'B'));
}
QLineEdit *soapbox(const TContest &c)
{
    return control<QLineEdit>(c, "SOAPBOX");
}
QLineEdit *tourField(const TContest &c, int i)
{
    return control<QLineEdit>(c, Schema::tourFields()[i]);
}
QCheckBox *leftAlign(const TContest &c)
{
    return control<QCheckBox>(c, "ALIGN");
}
QRadioButton *position(const TContest &c, int i)
{
    return control<QRadioButton>(c, QString("position%1").arg(i));
}
QLineEdit *shortName(const TContestUp &add)
{
    return control<QLineEdit>(add, "contesten");
}
QLineEdit *russianName(const TContestUp &add)
{
    return control<QLineEdit>(add, "contestru");
}
} // namespace

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
    void addContest(const QString &name, const QString &russian)
    {
        shortName(*add)->setText(name);
        russianName(*add)->setText(russian);
        add->add();
        contest->fillList();
    }
    void choose(int n)
    {
        list(*contest)->setCurrentIndex(n - 1);
        contest->choose(n);
    }
};

void ContestWindowTest::listShowsPaddedNamesAndTheCount()
{
    Fixture f;
    TContest &c = f.open();
    const int n = int(f.store.contests().size());
    QCOMPARE(countLabel(c)->text(), QString("В списке %1 наименований:").arg(n));
    QCOMPARE(list(c)->count(), n);
    QCOMPARE(list(c)->itemText(0), QString("CQ-WW-CW            CQ World Wide DX Contest, телеграф"));
    QCOMPARE(list(c)->currentIndex(), 0);
    QCOMPARE(category(c, 1)->count(), 24);
    QCOMPARE(category(c, 1)->itemText(0), QString("ALL "));
    QCOMPARE(category(c, 7)->itemText(5), QString("JR18"));
    QCOMPARE(category(c, 7)->itemText(6), QString("JR18"));
    QCOMPARE(category(c, 6)->currentText(), QString("SWL"));
    QCOMPARE(soapbox(c)->text(), QString("TNX,  73!"));
    QCOMPARE(tourField(c, 7)->displayText(), QString("00:00:00"));
}

void ContestWindowTest::saveRightAfterStartWritesTheInitialValues()
{
    Fixture f;
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    TContest &c = f.open();
    offTime(c, 0)->setText("2013-03-02 1500");
    offTime(c, 1)->setText("2013-03-02 1600");
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
    category(c, 1)->setCurrentText("20M ");
    leftAlign(c)->setChecked(true);
    position(c, 2)->setChecked(true);
    tourField(c, 0)->setText("10:00:00");
    tourField(c, 3)->setText("1");
    c.save();
    QCOMPARE(f.store.readLog().value("CATEGORY-BAND"), QString("20M "));
    QCOMPARE(f.store.readLog().value("POSNR21"), QString("17"));
    QCOMPARE(f.store.readLog().value("TUR2E"), QString("1_:__:__"));
    f.addContest("NEW", "Новое");
    const int added = list(c)->count();
    f.choose(added); // never saved: empty texts
    QCOMPARE(category(c, 1)->currentIndex(), -1);
    QVERIFY(!leftAlign(c)->isChecked());
    QVERIFY(position(c, 2)->isChecked()); // an empty POSNR11 leaves them
    // A well-known contest of a new store comes with a listener's categories.
    f.choose(7);
    QCOMPARE(list(c)->currentText().left(20).trimmed(), QString("RAEM"));
    QCOMPARE(category(c, 2)->currentText(), QString("CW"));
    QCOMPARE(category(c, 6)->currentText(), QString("SWL"));
    QVERIFY(position(c, 0)->isChecked());
    c.save();
    QCOMPARE(f.store.readLog().value("CATEGORY-MODE"), QString("CW"));
    QCOMPARE(f.store.readLog().value("CONTEST"), QString("RAEM"));
    f.choose(2);
    QCOMPARE(category(c, 1)->currentText(), QString("20M "));
    QVERIFY(leftAlign(c)->isChecked());
    QCOMPARE(tourField(c, 0)->displayText(), QString("10:00:00"));
}

void ContestWindowTest::shortNamesOfTwentyAndMoreCharacters()
{
    Fixture f;
    TContest &c = f.open();
    f.addContest("ABCDEFGHIJKLMNOPQRST", "Двадцать");
    f.addContest("ZYXWVUTSRQPONMLKJIHGFEDCB", "Длинное");
    const int twenty = list(c)->count() - 2;
    QCOMPARE(list(c)->itemText(twenty), QString("ABCDEFGHIJKLMNOPQRSTДвадцать"));
    f.choose(twenty + 2);
    c.save();
    QCOMPARE(f.store.readLog().value("CONTEST"), QString("ZYXWVUTSRQPONMLKJIHG"));
    const int before = list(c)->count();
    c.deleteChosen(); // deletes by the first 20 characters: nothing matches
    QCOMPARE(list(c)->count(), before);
    list(c)->setCurrentIndex(twenty);
    c.deleteChosen();
    QCOMPARE(list(c)->count(), before - 1);
}

void ContestWindowTest::deleteRemovesEveryContestOfThatNameQuoteIncluded()
{
    Fixture f;
    TContest &c = f.open();
    const int start = list(c)->count();
    f.addContest("TWIN", "1");
    f.addContest("TWIN", "2");
    f.addContest("O'NEIL", "");
    list(c)->setCurrentIndex(start);
    c.deleteChosen();
    QCOMPARE(list(c)->count(), start + 1);
    QCOMPARE(list(c)->currentIndex(), 0);
    list(c)->setCurrentIndex(start);
    c.deleteChosen();
    QCOMPARE(list(c)->count(), start);
    QCOMPARE(countLabel(c)->text(), QString("В списке %1 наименований:").arg(start));
}

void ContestWindowTest::addedContestShowsZeroToursAndKeepsPositions()
{
    Fixture f;
    TContest &c = f.open();
    position(c, 1)->setChecked(true);
    tourField(c, 4)->setText("12:00:00");
    f.addContest("", "");
    QCOMPARE(list(c)->itemText(list(c)->count() - 1), QString(20, ' '));
    f.choose(list(c)->count());
    QCOMPARE(tourField(c, 4)->displayText(), QString("00:00:00"));
    QVERIFY(position(c, 1)->isChecked());
    QCOMPARE(shortName(*f.add)->text(), QString());
}

void ContestWindowTest::cancelStoresNothingAndKeepsTheEdits()
{
    Fixture f;
    TContest &c = f.open();
    location(c)->setText("Moscow");
    c.reject();
    QCOMPARE(f.store.readLog().value("LOCATION"), QString(""));
    QCOMPARE(location(c)->text(), QString("Moscow"));
    shortName(*f.add)->setText("TYPED");
    f.add->reject();
    QCOMPARE(shortName(*f.add)->text(), QString("TYPED"));
}

void ContestWindowTest::saveWithEmptyListWritesNothing()
{
    Fixture f;
    for (const Record &r : f.store.contests())
        f.store.deleteContest(r.value("contesten"));
    TContest &c = f.open();
    QCOMPARE(list(c)->count(), 0);
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
    while (list(c)->count() < 18)
        f.addContest(QString("TEST-%1").arg(list(c)->count()), "Проверка");
    const auto labels = c.findChildren<QLabel *>();
    for (const QLabel *label : labels) {
        if (label->isHidden()) // names for screen readers only
            continue;
        const QFontMetrics m = label->fontMetrics();
        QVERIFY2(m.horizontalAdvance(label->text()) <= label->contentsRect().width(), qPrintable(label->text()));
        // Two captions on one line keep at least a blank between them.
        for (const QLabel *next : labels)
            if (!next->isHidden() && next->y() == label->y() && next->x() > label->x())
                QVERIFY2(label->x() + m.horizontalAdvance(label->text()) + m.horizontalAdvance(' ') <= next->x(),
                         qPrintable(label->text() + " | " + next->text()));
    }
    c.show();
    list(c)->showPopup();
    const QAbstractItemView *view = list(c)->view();
    QTRY_VERIFY(view->isVisible());
    QCOMPARE(view->viewport()->height() / view->sizeHintForRow(0), 15);
    list(c)->hidePopup();
}

QTEST_MAIN(ContestWindowTest)
#include "tst_contestwindow.moc"
