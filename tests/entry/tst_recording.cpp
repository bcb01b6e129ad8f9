#include "mainfixture.h"
#include "rawdb.h"

#include "clock/clockticker.h"
#include "entry/entryedit.h"
#include "entry/recorder.h"
#include "form/fieldcolours.h"
#include "form/loggrid.h"
#include "log/logmodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

/// Recording QSOs through the main window in SWL, HAM and manual entry.
class RecordingTest : public QObject {
    Q_OBJECT
private slots:
    void recordingStoresTheFieldsUntrimmedAndCountsPoints();
    void hamModePutsTheOwnCallBackAfterEachQso();
    void hamModeWithoutOwnCallWarns();
    void hamModeKeepsTheOwnCallThroughManualQsos();
    void typingAfterTickingCopyReplacesThePresetTime();
    void copyResetsDateAndTimeEveryTimeAndLocksMenus();
    void manualQsoKeepsDateEmptiesTimeAndTakesTheClocksTour();
    void timeFieldChecks_data();
    void timeFieldChecks();
    void enterInTimeFieldWithShortTimeWarnsAndKeepsFocus();
};

namespace {
void typeStation(const MainForm &m, const QString &c1, const QString &n1, const QString &c2 = {},
                 const QString &n2 = {})
{
    m.heardCall->setText(c1);
    m.heardNumber->setText(n1);
    m.workedCall->setText(c2);
    m.workedNumber->setText(n2);
}
} // namespace

void RecordingTest::recordingStoresTheFieldsUntrimmedAndCountsPoints()
{
    MainFixture f;
    f.open();
    (*f.program->clockTicker).tick();
    f.form().tourNumber->setText("2");
    typeStation(f.form(), "UA1A", "001 ");
    f.form().ok->click();
    QCOMPARE(f.form().pointsPanel->text(), QString("Points: 1"));
    typeStation(f.form(), "UA1B", "002", "RA3B", "015");
    f.form().ok->click();
    QCOMPARE(f.form().qsoPanel->text(), QString("QSO: 2"));
    QCOMPARE(f.form().pointsPanel->text(), QString("Points: 4"));
    const auto rows = f.store.qsosFrom(0, 10); // on disk when the click returns
    QCOMPARE(rows.size(), size_t(2));
    QCOMPARE(rows[0].nr1, QString("001 "));
    QCOMPARE(rows[0].data, QString("2026-12-06"));
    QCOMPARE(rows[0].time, QString("0915"));
    QCOMPARE(rows[0].tur, QString("2"));
    QCOMPARE(rows[0].call2, QString(""));
    QCOMPARE(rows[1].rst2, QString("599"));
    QCOMPARE(f.form().grid->currentIndex().row(), 1);
}

void RecordingTest::hamModePutsTheOwnCallBackAfterEachQso()
{
    MainFixture f;
    f.store.writeLog({{"CALLSIGN", " R9AA "}});
    f.open();
    const MainForm &m = f.form();
    m.swl->click();
    QCOMPARE(m.swl->text(), QString("HAM"));
    QCOMPARE(m.heardCall->text(), QString("R9AA"));
    QVERIFY(m.heardCall->isReadOnly());
    QCOMPARE(FieldColours::of(m.heardCall), FieldColours::buttonFace());
    QCOMPARE(m.heardReport->text(), QString("599"));
    m.heardNumber->setText("001");
    QTest::keyClicks(m.workedCall, "RA3B");
    m.workedNumber->setText("015");
    m.ok->click();
    QCOMPARE(m.heardCall->text(), QString("R9AA"));
    QCOMPARE(m.heardReport->text(), QString("599"));
    QCOMPARE(f.store.qsosFrom(0, 1).front().call1, QString("R9AA"));
    m.swl->click();
    QCOMPARE(m.swl->text(), QString("SWL"));
    QCOMPARE(m.heardCall->text(), QString());
    QVERIFY(!m.heardCall->isReadOnly());
}

void RecordingTest::hamModeWithoutOwnCallWarns()
{
    MainFixture f;
    f.open();
    f.form().swl->click();
    QCOMPARE(f.prompts.informed,
             QStringList("Неизвестен ваш позывной!\n\rЗаполните раздел \"Сведения о станции\".\n\rМеню -> "
                         "\"Установки\""));
    QVERIFY(!f.form().swl->isChecked());
    QVERIFY(f.form().heardCall->isReadOnly());
}

void RecordingTest::hamModeKeepsTheOwnCallThroughManualQsos()
{
    MainFixture f;
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    f.open();
    QVERIFY(f.showActive());
    const MainForm &m = f.form();
    QTest::mouseClick(m.swl, Qt::LeftButton);
    QTest::mouseClick(m.copy, Qt::LeftButton);
    for (const char *worked : {"RA3B", "RA3C"}) {
        QTest::keyClicks(m.timeField, "0930");
        m.heardNumber->setText("001");
        QTest::keyClicks(m.workedCall, worked);
        QTest::mouseClick(m.manualOk, Qt::LeftButton);
        QCOMPARE(m.heardCall->text(), QString("R9AA"));
    }
    QTest::mouseClick(m.copy, Qt::LeftButton);
    QVERIFY(m.heardCall->isReadOnly());
    m.heardNumber->setText("002");
    QTest::keyClicks(m.workedCall, "RA3D");
    QTest::mouseClick(m.ok, Qt::LeftButton);
    QCOMPARE(f.program->log.qsoCount(), qint64(3));
    QCOMPARE(f.store.qsosFrom(2, 1).front().call1, QString("R9AA"));
    QVERIFY(f.prompts.informed.isEmpty());
}

void RecordingTest::typingAfterTickingCopyReplacesThePresetTime()
{
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    QTest::mouseClick(f.form().copy, Qt::LeftButton);
    QTest::keyClicks(f.focused(), "1305");
    QCOMPARE(f.form().timeField->text(), QString("1305"));
    QVERIFY(f.prompts.informed.isEmpty());
}

void RecordingTest::copyResetsDateAndTimeEveryTimeAndLocksMenus()
{
    MainFixture f;
    f.open();
    const MainForm &m = f.form();
    m.copy->click();
    QVERIFY(!m.manualOk->isHidden());
    QVERIFY(m.ok->isHidden());
    QVERIFY(m.swl->isHidden() && m.tour->isHidden() && m.utcClock->isHidden() && m.tourNumber->isHidden());
    QVERIFY(!m.rst->isHidden() && !m.copy->isHidden());
    QCOMPARE(m.statusPanel->text(), QString("Режим ввода QSO вручную"));
    QCOMPARE(m.windowsMenu->isEnabled(), true);
    for (int i : {0, 1, 2, 4})
        QVERIFY(!m.menus()[i]->isEnabled());
    QCOMPARE(FieldColours::of(m.band), FieldColours::moneyGreen);
    QCOMPARE(FieldColours::of(m.dateField), FieldColours::moneyGreen);
    QVERIFY(m.dateField->styleSheet().isEmpty()); // a style sheet would hide the palette's colour
    m.dateField->setText("2020-02-02");
    m.timeField->setText("0930");
    m.copy->click();
    QCOMPARE(m.statusPanel->text(), QString("Режим - наблюдений и записи QSO!"));
    QVERIFY(m.dateField->isHidden() && m.manualOk->isHidden() && !m.ok->isHidden());
    for (QAction *menu : m.menus())
        QVERIFY(menu->isEnabled());
    m.copy->click();
    QCOMPARE(m.dateField->text(), QString("2013-01-01"));
    QCOMPARE(m.timeField->text(), QString("1200"));
}

void RecordingTest::manualQsoKeepsDateEmptiesTimeAndTakesTheClocksTour()
{
    MainFixture f;
    f.open();
    const MainForm &m = f.form();
    m.tourNumber->setText("2");
    m.copy->click();
    m.dateField->setText("2012-05-05");
    m.timeField->setText("0100");
    typeStation(m, "UA1A", "001");
    m.manualOk->click();
    const QsoRecord q = f.store.qsosFrom(0, 1).front();
    QCOMPARE(q.data, QString("2012-05-05"));
    QCOMPARE(q.time, QString("0100"));
    QCOMPARE(q.tur, QString("2"));
    QCOMPARE(m.dateField->text(), QString("2012-05-05"));
    QCOMPARE(m.timeField->text(), QString());
    QCOMPARE(FieldColours::of(m.heardCall), FieldColours::moneyGreen);
}

void RecordingTest::timeFieldChecks_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QStringList>("informed");
    QTest::addColumn<int>("errors");
    QTest::newRow("2460") << "2460" << QStringList{"Неверный формат часов", "Неверный формат минут"} << 0;
    QTest::newRow("2400") << "2400" << QStringList{"Неверный формат часов"} << 0;
    QTest::newRow("12345") << "12345" << QStringList{"Неверный формат времени"} << 0;
    QTest::newRow("0930") << "0930" << QStringList{} << 0;
    QTest::newRow("930 not checked") << "930" << QStringList{} << 0;
    QTest::newRow("12:3 conversion") << "12:3" << QStringList{} << 1;
    QTest::newRow("ab30 conversion stops") << "ab60" << QStringList{} << 1;
}

void RecordingTest::timeFieldChecks()
{
    QFETCH(QString, time);
    QFETCH(QStringList, informed);
    QFETCH(int, errors);
    MainFixture f;
    f.open();
    f.form().copy->click();
    f.prompts.informed.clear();
    f.form().timeField->setText(time);
    QCOMPARE(f.prompts.informed, informed);
    QCOMPARE(f.prompts.errors.size(), errors);
}

void RecordingTest::enterInTimeFieldWithShortTimeWarnsAndKeepsFocus()
{
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    f.form().copy->click();
    f.form().timeField->setText("930");
    f.form().timeField->setFocus();
    QTest::keyClick(f.form().timeField, Qt::Key_Return);
    QCOMPARE(f.prompts.informed, QStringList("Неверный формат времени"));
    QCOMPARE(f.focused(), f.form().timeField);
    f.form().timeField->setText("0930");
    QTest::keyClick(f.form().timeField, Qt::Key_Return);
    QCOMPARE(f.focused(), f.form().heardCall);
}

QTEST_MAIN(RecordingTest)
#include "tst_recording.moc"
