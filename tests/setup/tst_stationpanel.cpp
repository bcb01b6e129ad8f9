#include "mainfixture.h"

#include "form/loggrid.h"
#include "setup/stationnames.h"
#include "setup/stationpanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class StationPanelTest : public QObject {
    Q_OBJECT
private slots:
    void namesAreComposed_data();
    void namesAreComposed();
    void saveCreatesBothRowsThenChangesThem();
    void openingLocksTheWindowUntilSave();
};

void StationPanelTest::namesAreComposed_data()
{
    struct Row {
        const char *name, *parts; ///< last|first|patronymic
        bool initials;
        const char *first, *last;
    };
    const Row rows[] = {
        {"latin full", "Ivanov|Petr|Sergeevich", false, "Ivanov Petr Sergeevich", "Petr Sergeevich Ivanov"},
        {"latin initials", "Ivanov|Petr|Sergeevich", true, "Ivanov P. S.", "P. S. Ivanov"},
        {"cyrillic initials", "Иванов|Пётр|Сергеевич", true, "Иванов П. С.", "П. С. Иванов"},
        {"no patronymic, initials", "Иванов|Пётр|", true, "Иванов П. .", "П. . Иванов"},
        {"no patronymic", "Иванов|Пётр|", false, "Иванов Пётр ", "Пётр  Иванов"},
    };
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<bool>("initials");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString(r.parts).split('|') << r.initials << QString(r.first) << QString(r.last);
}

void StationPanelTest::namesAreComposed()
{
    QFETCH(QStringList, parts);
    QFETCH(bool, initials);
    QFETCH(QString, first);
    QFETCH(QString, last);
    const NameParts n{parts[0], parts[1], parts[2]};
    QCOMPARE(surnameFirst(n, initials), first);
    QCOMPARE(surnameLast(n, initials), last);
}

void StationPanelTest::saveCreatesBothRowsThenChangesThem()
{
    MainFixture f;
    f.store.writeLog({{"CONTEST", "RDXC"}, {"TUR1B", "10:00:00"}});
    f.open();
    StationPanel &panel = (*f.program->stationPanel);
    panel.open();
    QCOMPARE(panel.field("CALL")->text(), QString());
    panel.field("CALL")->setText(" R9AA ");
    panel.field("FAM")->setText("Иванов");
    panel.field("IMYA")->setText("Пётр");
    panel.field("FAME")->setText("Ivanov");
    panel.field("IMYAE")->setText("Petr");
    panel.field("ADDRESS3")->setText("630000");
    panel.findChild<QCheckBox *>("initials")->setChecked(true);
    panel.save();
    Record log = f.store.readLog();
    QCOMPARE(log.value("CALLSIGN"), QString(" R9AA "));
    QCOMPARE(log.value("NAMEE"), QString("Иванов П. ."));
    QCOMPARE(log.value("NAMEEE"), QString("P. . Ivanov"));
    QCOMPARE(log.value("ADDRESS3"), QString("630000"));
    QCOMPARE(log.value("CONTEST"), QString("RDXC"));
    QCOMPARE(log.value("TUR1B"), QString("10:00:00"));
    QCOMPARE(f.store.readOperator().value("CALL"), QString(" R9AA "));

    panel.open();
    QCOMPARE(panel.field("FAM")->text(), QString("Иванов"));
    panel.field("CALL")->setText("R9AB");
    panel.save();
    QCOMPARE(f.store.readLog().value("CALLSIGN"), QString("R9AB"));
    QCOMPARE(f.store.readOperator().value("FAM"), QString("Иванов"));
}

void StationPanelTest::openingLocksTheWindowUntilSave()
{
    MainFixture f;
    f.open();
    StationPanel &panel = (*f.program->stationPanel);
    panel.open();
    QVERIFY(f.form().grid->isHidden());
    QVERIFY(!panel.isHidden());
    QVERIFY(!f.form().ok->isEnabled());
    QVERIFY(!f.form().editOk->isEnabled());
    QVERIFY(f.form().settingsMenu->isEnabled());
    for (int i : {0, 2, 3, 4})
        QVERIFY(!f.form().menus()[i]->isEnabled());
    panel.save();
    QVERIFY(!f.form().grid->isHidden());
    QVERIFY(panel.isHidden());
    QVERIFY(f.form().ok->isEnabled() && f.form().editOk->isEnabled());
    for (QAction *menu : f.form().menus())
        QVERIFY(menu->isEnabled());
}

QTEST_MAIN(StationPanelTest)
#include "tst_stationpanel.moc"
