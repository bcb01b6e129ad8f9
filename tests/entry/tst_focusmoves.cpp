#include "mainfixture.h"

#include "entry/editor.h"
#include "entry/entryedit.h"
#include "entry/entrykeys.h"
#include "entry/focusmoves.h"
#include "form/fieldcolours.h"
#include "log/logmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using F = EntryField;
Q_DECLARE_METATYPE(EntryField)

class FocusMovesTest : public QObject {
    Q_OBJECT
private slots:
    void focusMove_data();
    void focusMove();
    void enterWalksTheRows_data();
    void enterWalksTheRows();
    void aQsoIsLoggedWithoutLeavingTheKeyboard();
    void enterInWorkedNumberFocusesManualOkInManualEntry();
    void f1SwapsKeepingTheSwappedReports();
    void f2AndClearButtonInHamMode();
    void boxClickedWithTheMouseLeavesTheKeyboardInTheEntry_data();
    void boxClickedWithTheMouseLeavesTheKeyboardInTheEntry();
    void selectorChangeSendsFocusToHeardCall();
    void arrowsOnTheOkButtonWalkTheTabOrder();
    void workedReportKeepsTheModeColour();
};

void FocusMovesTest::focusMove_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<EntryField>("from");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("rst");
    QTest::addColumn<EntryField>("to");
    QTest::newRow("h: enter heard call, rst") << int(Qt::Key_Return) << F::HeardCall << false << true << F::HeardNumber;
    QTest::newRow("h: enter heard call, no rst")
        << int(Qt::Key_Return) << F::HeardCall << false << false << F::HeardReport;
    QTest::newRow("h: down heard call") << int(Qt::Key_Down) << F::HeardCall << false << true << F::WorkedCall;
    QTest::newRow("h: up heard call") << int(Qt::Key_Up) << F::HeardCall << false << true << F::None;
    QTest::newRow("h: esc heard number") << int(Qt::Key_Escape) << F::HeardNumber << false << true << F::HeardCall;
    QTest::newRow("h: up worked report") << int(Qt::Key_Up) << F::WorkedReport << false << true << F::HeardReport;
    QTest::newRow("h: esc worked number") << int(Qt::Key_Escape) << F::WorkedNumber << false << true << F::WorkedCall;
    QTest::newRow("h: enter worked number") << int(Qt::Key_Enter) << F::WorkedNumber << false << true << F::Button;
    QTest::newRow("v: enter heard call") << int(Qt::Key_Return) << F::HeardCall << true << true << F::WorkedCall;
    QTest::newRow("v: down heard call, no rst") << int(Qt::Key_Down) << F::HeardCall << true << false << F::HeardReport;
    QTest::newRow("v: enter worked call") << int(Qt::Key_Return) << F::WorkedCall << true << true << F::HeardNumber;
    QTest::newRow("v: esc heard number") << int(Qt::Key_Escape) << F::HeardNumber << true << true << F::WorkedNumber;
    QTest::newRow("v: up worked number") << int(Qt::Key_Up) << F::WorkedNumber << true << true << F::WorkedCall;
    QTest::newRow("v: esc worked number") << int(Qt::Key_Escape) << F::WorkedNumber << true << true << F::HeardNumber;
    QTest::newRow("other key") << int(Qt::Key_Left) << F::HeardCall << false << true << F::None;
}

void FocusMovesTest::focusMove()
{
    QFETCH(int, key);
    QFETCH(EntryField, from);
    QFETCH(bool, vertical);
    QFETCH(bool, rst);
    QFETCH(EntryField, to);
    QCOMPARE(::focusMove(key, from, vertical, rst), to);
}

void FocusMovesTest::enterWalksTheRows_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("rst");
    QTest::addColumn<QStringList>("visits");
    QTest::newRow("horizontal, rst") << false << true << QStringList{"hn", "wc", "wn", "ok"};
    QTest::newRow("horizontal, no rst") << false << false << QStringList{"hr", "hn", "wc", "wr", "wn", "ok"};
    QTest::newRow("vertical, rst") << true << true << QStringList{"wc", "hn", "wn", "ok"};
    QTest::newRow("vertical, no rst") << true << false << QStringList{"wc", "hr", "hn", "wr", "wn", "ok"};
}

void FocusMovesTest::enterWalksTheRows()
{
    QFETCH(bool, vertical);
    QFETCH(bool, rst);
    QFETCH(QStringList, visits);
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    if (vertical)
        f.main->toggleLayout();
    f.form().rst->setChecked(rst);
    const QMap<QWidget *, QString> names = {
        {f.form().heardCall, "hc"},  {f.form().heardReport, "hr"},  {f.form().heardNumber, "hn"},
        {f.form().workedCall, "wc"}, {f.form().workedReport, "wr"}, {f.form().workedNumber, "wn"},
        {f.form().ok, "ok"}};
    f.form().heardCall->setFocus();
    QStringList seen;
    for (int i = 0; i < visits.size(); ++i) {
        QTest::keyClick(f.focused(), Qt::Key_Return);
        seen << names.value(f.focused(), "?");
    }
    QCOMPARE(seen, visits);
}

void FocusMovesTest::aQsoIsLoggedWithoutLeavingTheKeyboard()
{
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    f.form().heardCall->setFocus();
    for (const char *typed : {"ua1a", "001", "ra3b", "015"}) {
        QTest::keyClicks(f.focused(), typed);
        QTest::keyClick(f.focused(), Qt::Key_Return);
    }
    QCOMPARE(f.focused(), f.form().ok);
    QTest::keyClick(f.focused(), Qt::Key_Return);
    QCOMPARE(f.program->log.qsoCount(), qint64(1));
    const QsoRecord q = f.program->log.record(0);
    QCOMPARE(QStringList({q.call1, q.rst1, q.nr1, q.call2, q.rst2, q.nr2}),
             QStringList({"UA1A", "599", "001", "RA3B", "599", "015"}));
    QCOMPARE(f.focused(), f.form().heardCall);
}

void FocusMovesTest::enterInWorkedNumberFocusesManualOkInManualEntry()
{
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    f.form().copy->click();
    f.form().heardCall->setText("UA1A");
    f.form().heardNumber->setText("001");
    f.form().workedNumber->setFocus();
    QTest::keyClick(f.form().workedNumber, Qt::Key_Return);
    QCOMPARE(f.focused(), f.form().manualOk);
    QTest::keyClick(f.form().manualOk, Qt::Key_Return);
    QCOMPARE(f.program->log.qsoCount(), qint64(1));
}

void FocusMovesTest::f1SwapsKeepingTheSwappedReports()
{
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    const MainForm &m = f.form();
    m.heardCall->setText("UA1A");
    m.heardReport->setText("599");
    m.heardNumber->setText("001");
    m.workedCall->setText("RA3B");
    m.workedReport->setText("579");
    m.workedNumber->setText("015");
    m.workedNumber->setFocus();
    QTest::keyClick(m.workedNumber, Qt::Key_F1);
    QCOMPARE(QStringList({m.heardCall->text(), m.heardReport->text(), m.heardNumber->text()}),
             QStringList({"RA3B", "579", "015"}));
    QCOMPARE(QStringList({m.workedCall->text(), m.workedReport->text(), m.workedNumber->text()}),
             QStringList({"UA1A", "599", "001"}));
    QCOMPARE(f.focused(), m.heardCall);
}

void FocusMovesTest::f2AndClearButtonInHamMode()
{
    MainFixture f;
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    f.open();
    QVERIFY(f.showActive());
    const MainForm &m = f.form();
    m.swl->click(); // HAM mode: the own call, read-only
    QCOMPARE(m.heardCall->text(), QString("R9AA"));
    m.workedCall->setText("RA3B");
    m.clear->click();
    QCOMPARE(m.heardCall->text(), QString("R9AA"));
    QCOMPARE(m.workedCall->text(), QString("RA3B"));
    m.workedCall->setFocus();
    QTest::keyClick(m.workedCall, Qt::Key_F2);
    // The own call stays: without it no later QSO would be recorded.
    for (EntryEdit *field : m.entryFields())
        QCOMPARE(field->text(), QString(field == m.heardCall ? "R9AA" : ""));
    QCOMPARE(f.focused(), m.workedCall);
    QTest::keyClicks(m.workedCall, "RA3B");
    m.heardNumber->setText("001");
    m.ok->click();
    QCOMPARE(f.program->log.qsoCount(), qint64(1));
    QCOMPARE(f.program->log.record(0).call1, QString("R9AA"));
}

void FocusMovesTest::boxClickedWithTheMouseLeavesTheKeyboardInTheEntry_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("byMouse");
    QTest::addColumn<QString>("focus"); // where the letters typed next go
    QTest::newRow("TOUR") << "TOUR" << true << "heardCall";
    QTest::newRow("RST") << "RST" << true << "heardCall";
    QTest::newRow("SWL off: HAM locks the heard call") << "SWL" << true << "workedCall";
    QTest::newRow("COPY: manual entry starts at the time") << "COPY" << true << "timeField";
    QTest::newRow("RST by Space keeps its focus") << "RST" << false << "RST";
}

void FocusMovesTest::boxClickedWithTheMouseLeavesTheKeyboardInTheEntry()
{
    QFETCH(QString, box);
    QFETCH(bool, byMouse);
    QFETCH(QString, focus);
    MainFixture f;
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    f.open();
    QVERIFY(f.showActive());
    const MainForm &m = f.form();
    QCheckBox *clicked = box == "TOUR" ? m.tour : box == "RST" ? m.rst : box == "SWL" ? m.swl : m.copy;
    const bool was = clicked->isChecked();
    if (byMouse) {
        m.heardCall->setFocus();
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(6, clicked->height() / 2));
    } else {
        clicked->setFocus(Qt::TabFocusReason);
        QTest::keyClick(clicked, Qt::Key_Space);
    }
    QCOMPARE(clicked->isChecked(), !was);
    QWidget *expected = focus == "heardCall"    ? static_cast<QWidget *>(m.heardCall)
                        : focus == "workedCall" ? static_cast<QWidget *>(m.workedCall)
                        : focus == "timeField"  ? static_cast<QWidget *>(m.timeField)
                                                : clicked;
    QTRY_COMPARE(f.focused(), expected);
    QTest::qWait(20); // nothing queued moves it later
    QCOMPARE(f.focused(), expected);
}

void FocusMovesTest::selectorChangeSendsFocusToHeardCall()
{
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    f.form().heardCall->setText("UA1A");
    f.form().workedNumber->setFocus();
    f.form().mode->setCurrentIndex(1);
    QCOMPARE(f.focused(), f.form().heardCall);
    QCOMPARE(f.form().heardReport->text(), QString("599")); // no check runs
}

void FocusMovesTest::arrowsOnTheOkButtonWalkTheTabOrder()
{
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    f.form().ok->setFocus();
    QTest::keyClick(f.form().ok, Qt::Key_Up);
    QCOMPARE(f.focused(), f.form().workedNumber);
    f.form().ok->setFocus();
    QTest::keyClick(f.form().ok, Qt::Key_Left);
    QCOMPARE(f.focused(), f.form().workedNumber);
}

void FocusMovesTest::workedReportKeepsTheModeColour()
{
    MainFixture f;
    f.store.addQso(makeQso("UA1A", "001"));
    f.open();
    f.form().copy->click();
    f.form().workedReport->setText("5");
    QCOMPARE(FieldColours::of(f.form().workedReport), FieldColours::moneyGreen);
    (*f.program->editor).editRecord();
    f.form().workedReport->setText("57");
    QCOMPARE(FieldColours::of(f.form().workedReport), FieldColours::yellow);
}

QTEST_MAIN(FocusMovesTest)
#include "tst_focusmoves.moc"
