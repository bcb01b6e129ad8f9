#include "editor.h"
#include "entryedit.h"
#include "fieldcolours.h"
#include "logmodel.h"
#include "mainfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include "loggrid.h"
#include <QtTest>

/// Editing, deleting and clearing stored QSOs.
class EditingTest : public QObject {
    Q_OBJECT
private slots:
    void editingOnlyTheBandKeepsTourAndReturnsTheSelector();
    void editingModeLocksTheWindowUntilSaved();
    void shortTimeStopsTheSaveWarningsDoNot();
    void editInHamModeReturnsToTheOwnCall();
    void deletingTheThirdOfFiveLeavesTheFourthCurrent();
    void deletingTheLastRowStandsOnTheNewLast();
    void editAndDeleteOnEmptyLogDoNothing();
    void clearingAsksFirstAndNoKeepsTheLog();
};

namespace {
void fill(Store &store, int n, const QString &tur = QStringLiteral("0"))
{
    for (int i = 0; i < n; ++i)
        store.addQso(makeQso(QStringLiteral("UA%1A").arg(i), QString::number(i), QStringLiteral("RA%1B").arg(i),
                             i % 2 ? QString() : QStringLiteral("015"), "14000", "CW", tur));
}
} // namespace

void EditingTest::editingOnlyTheBandKeepsTourAndReturnsTheSelector()
{
    MainFixture f;
    fill(f.store, 3, "3");
    f.open();
    const MainForm &m = f.form();
    m.grid->setCurrentIndex(f.main->logModel().index(1, 0));
    m.band->setCurrentText("3500");
    f.main->editor().editRecord();
    QCOMPARE(m.band->currentText(), QString("14000"));
    QCOMPARE(m.heardCall->text(), QString("UA1A"));
    QCOMPARE(m.timeField->text(), QString("0915"));
    m.band->setCurrentText("7000");
    m.editOk->click();
    const QsoRecord q = f.store.qsosFrom(0, 10)[1];
    QCOMPARE(q.band, QString("7000"));
    QCOMPARE(q.tur, QString("3"));
    QCOMPARE(q.call1, QString("UA1A"));
    QCOMPARE(m.band->currentText(), QString("3500"));
    QCOMPARE(m.panel[4]->text(), QString("OK"));
    QCOMPARE(m.grid->currentIndex().row(), 1);
    QCOMPARE(m.panel[3]->text(), QString("Points: 7"));

    m.grid->setCurrentIndex(f.main->logModel().index(0, 0));
    f.main->editor().editRecord();
    m.workedNumber->clear(); // the QSO loses its worked number: 3 points become 1
    m.editOk->click();
    QCOMPARE(m.panel[3]->text(), QString("Points: 5"));
    QCOMPARE(f.store.workedNumberCount(), qint64(1));
    QCOMPARE(f.main->logModel().record(0).rst2, QString(""));
}

void EditingTest::editingModeLocksTheWindowUntilSaved()
{
    MainFixture f;
    fill(f.store, 2);
    f.open();
    const MainForm &m = f.form();
    f.main->editor().editRecord();
    QVERIFY(!m.grid->isEnabled());
    QVERIFY(m.edit->isChecked());
    QVERIFY(m.ok->isHidden() && !m.editOk->isHidden() && !m.dateField->isHidden());
    QVERIFY(m.rst->isHidden() && m.swl->isHidden() && m.copy->isHidden() && m.tour->isHidden());
    QVERIFY(m.utcClock->isHidden() && m.tourNumber->isHidden());
    for (QAction *menu : m.menus)
        QVERIFY(!menu->isEnabled());
    QCOMPARE(FieldColours::of(m.workedNumber), FieldColours::yellow);
    QCOMPARE(m.panel[4]->text(), QString("Режим редактирования"));
    QTest::keyClicks(m.heardCall, "X"); // the repeat check keeps the field yellow
    QCOMPARE(FieldColours::of(m.heardCall), FieldColours::yellow);
    m.editOk->click();
    QVERIFY(m.grid->isEnabled() && !m.edit->isChecked() && !m.ok->isHidden() && m.editOk->isHidden());
    QVERIFY(!m.rst->isHidden() && !m.utcClock->isHidden() && m.dateField->isHidden());
    for (QAction *menu : m.menus)
        QVERIFY(menu->isEnabled());
    QCOMPARE(FieldColours::of(m.workedNumber), FieldColours::window());
    QCOMPARE(f.store.qsosFrom(0, 10).back().call1, QString("UA1AX"));
}

void EditingTest::shortTimeStopsTheSaveWarningsDoNot()
{
    MainFixture f;
    fill(f.store, 1);
    f.open();
    const MainForm &m = f.form();
    f.main->editor().editRecord();
    f.prompts.informed.clear();
    m.timeField->setText("930");
    m.editOk->click();
    QVERIFY(m.edit->isChecked());
    QCOMPARE(f.prompts.informed.last(), QString("Неверный формат времени"));
    f.prompts.informed.clear();
    m.timeField->setText("2460");
    f.prompts.informed.clear();
    m.editOk->click();
    QCOMPARE(f.prompts.informed, QStringList({"Неверный формат часов", "Неверный формат минут"}));
    QCOMPARE(f.store.qsosFrom(0, 1).front().time, QString("2460"));
    QVERIFY(!m.edit->isChecked());
}

void EditingTest::editInHamModeReturnsToTheOwnCall()
{
    MainFixture f;
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    fill(f.store, 1);
    f.open();
    const MainForm &m = f.form();
    m.swl->click();
    f.main->editor().editRecord();
    QCOMPARE(m.heardCall->text(), QString("UA0A"));
    QVERIFY(!m.heardCall->isReadOnly());
    m.editOk->click();
    QCOMPARE(m.heardCall->text(), QString("R9AA"));
    QVERIFY(m.heardCall->isReadOnly());
    QCOMPARE(FieldColours::of(m.heardCall), FieldColours::buttonFace());
}

void EditingTest::deletingTheThirdOfFiveLeavesTheFourthCurrent()
{
    MainFixture f;
    fill(f.store, 5);
    f.open();
    const MainForm &m = f.form();
    m.grid->setCurrentIndex(f.main->logModel().index(2, 0));
    f.main->editor().deleteRecord();
    QCOMPARE(m.panel[2]->text(), QString("QSO: 4"));
    QCOMPARE(m.panel[3]->text(), QString("Points: 8"));
    QCOMPARE(m.grid->currentIndex().row(), 2);
    QCOMPARE(f.main->logModel().record(2).call1, QString("UA3A"));
}

void EditingTest::deletingTheLastRowStandsOnTheNewLast()
{
    MainFixture f;
    fill(f.store, 2);
    f.open();
    f.main->editor().deleteRecord();
    QCOMPARE(f.form().grid->currentIndex().row(), 0);
    f.main->editor().deleteRecord();
    QCOMPARE(f.form().panel[2]->text(), QString("QSO: 0"));
    f.main->editor().deleteRecord(); // nothing left: nothing happens
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

void EditingTest::editAndDeleteOnEmptyLogDoNothing()
{
    MainFixture f;
    f.open();
    f.main->editor().editRecord();
    QVERIFY(!f.form().edit->isChecked());
    QVERIFY(!f.form().ok->isHidden());
    f.main->editor().deleteRecord();
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

void EditingTest::clearingAsksFirstAndNoKeepsTheLog()
{
    MainFixture f;
    fill(f.store, 10);
    f.open();
    f.prompts.answer = false;
    f.main->action("Очистить лог")->trigger();
    QCOMPARE(f.prompts.questions.size(), 1);
    QVERIFY(f.prompts.questions.first().contains("10"));
    QCOMPARE(f.store.qsoIds().size(), size_t(10));
    f.prompts.answer = true;
    f.main->action("Очистить лог")->trigger();
    QCOMPARE(f.form().panel[2]->text(), QString("QSO: 0"));
    QCOMPARE(f.form().panel[3]->text(), QString("Points: 0"));
    QVERIFY(f.store.qsoIds().empty());
}

QTEST_MAIN(EditingTest)
#include "tst_editing.moc"
