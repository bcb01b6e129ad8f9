#include "mainfixture.h"

#include "entry/entryedit.h"
#include "form/loggrid.h"
#include "setup/stationpanel.h"
#include "setup/tcontest.h"
#include "setup/tcontestup.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

/// What a screen reader finds in the windows, asked in process as it would ask.
class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void gridReadsAsATable_data();
    void gridReadsAsATable();
    void gridRowChosenByTheReaderBecomesCurrent();
    void statusPanelsAreAStatusBar();
    void altKeysReachTheSelectors_data();
    void altKeysReachTheSelectors();
};

namespace {
/// The name a screen reader speaks: a label that names the control first
/// (Orca does so), else the control's own name.
QString spokenName(QObject *control)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(control);
    const auto labels = i->relations(QAccessible::Label);
    return labels.isEmpty() ? i->text(QAccessible::Name) : labels.first().first->text(QAccessible::Name);
}

QWidget *mainControl(const MainForm &f, const QString &key)
{
    const QHash<QString, QWidget *> controls = {
        {"heardCall", f.heardCall},
        {"heardReport", f.heardReport},
        {"heardNumber", f.heardNumber},
        {"workedCall", f.workedCall},
        {"workedReport", f.workedReport},
        {"workedNumber", f.workedNumber},
        {"tourNumber", f.tourNumber},
        {"band", f.band},
        {"mode", f.mode},
        {"swap", f.swap},
        {"clear", f.clear},
        {"dateField", f.dateField},
        {"timeField", f.timeField},
        {"grid", f.grid},
    };
    return controls.value(key);
}
} // namespace

void AccessibilityTest::everyControlIsNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    struct Row {
        const char *window, *control, *name;
    };
    const Row rows[] = {
        {"main", "heardCall", "Позывной первой станции"},
        {"main", "heardReport", "Рапорт первой станции"},
        {"main", "heardNumber", "Номер первой станции"},
        {"main", "workedCall", "Позывной второй станции"},
        {"main", "workedReport", "Рапорт второй станции"},
        {"main", "workedNumber", "Номер второй станции"},
        {"main", "tourNumber", "Номер тура"},
        {"main", "band", "Диапазон"},
        {"main", "mode", "Вид работы"},
        {"main", "swap", "Поменять станции местами"},
        {"main", "clear", "Очистить все поля"},
        {"main", "dateField", "Дата связи"},
        {"main", "timeField", "Время связи"},
        {"main", "grid", "Журнал связей"},
        {"station", "CALL", "Позывной:"},
        {"station", "OTCH", "Отчество:"},
        {"station", "KAT", "Категория станции:"},
        {"station", "EMAIL", "E-mail:"},
        {"station", "FAME", "Фамилия (для Cabrillo)"},
        {"station", "ADDRESS2E", "Город, обл. (для Cabrillo)"},
        {"contest", "CATEGORY-ASSISTED", "CATEGORY-ASSISTED:"},
        {"contest", "CATEGORY-OVERLAY", "CATEGORY-OVERLAY:"},
        {"contest", "LOCATION", "LOCATION:"},
        {"contest", "CLAIMED-SCORE", "CLAIMED-SCORE:"},
        {"contest", "SOAPBOX", "SOAPBOX:"},
        {"contest", "OFFTIME1B", "OFFTIME1 начало"},
        {"contest", "OFFTIME3E", "OFFTIME3 окончание"},
        {"contest", "TUR1B", "Тур-1 начало"},
        {"contest", "TUR4E", "Тур-4 окончание"},
        {"addContest", "contesten", "Название (ENG):"},
        {"addContest", "contestru", "Расшифровка (RUS):"},
    };
    for (const Row &r : rows)
        QTest::newRow(r.control) << r.window << r.control << QString::fromUtf8(r.name);
}

void AccessibilityTest::everyControlIsNamed()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    MainFixture f;
    f.open();
    TContest contest(f.store, f.prompts);
    TContestUp addContest(f.store, f.prompts);
    QWidget *w = window == "main"      ? mainControl(f.form(), control)
                 : window == "station" ? static_cast<QWidget *>(f.main->stationPanel().field(control))
                 : window == "contest" ? contest.findChild<QWidget *>(control)
                                       : addContest.findChild<QWidget *>(control);
    QVERIFY(w);
    QCOMPARE(spokenName(w), name);
}

void AccessibilityTest::gridReadsAsATable_data()
{
    QTest::addColumn<int>("row"); // -1: the column titles
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    struct Row {
        int row, column;
        const char *text;
    };
    const Row rows[] = {{-1, 0, "FREQ"}, {-1, 4, "CALL-1"}, {-1, 9, "NR-2"}, {0, 0, "14000"},
                        {0, 4, "UA1A"},  {1, 7, "RA3B"},    {2, 6, "003"},   {2, 9, ""}};
    for (const Row &r : rows)
        QTest::addRow("%d,%d", r.row, r.column) << r.row << r.column << QString::fromLatin1(r.text);
}

void AccessibilityTest::gridReadsAsATable()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    MainFixture f;
    f.store.addQso(makeQso("UA1A", "001"));
    f.store.addQso(TestQso().heard("UA1B", "002").worked("RA3B", "015"));
    f.store.addQso(makeQso("UA1C", "003"));
    f.open();
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(f.form().grid);
    QCOMPARE(grid->role(), QAccessible::Table);
    QAccessibleTableInterface *table = grid->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->columnCount(), 10);
    // A reader walks the children in order: the titles first, then row by row.
    QAccessibleInterface *cell = grid->child((row + 1) * 10 + column);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), text);
    QCOMPARE(grid->indexOfChild(cell), (row + 1) * 10 + column);
    QCOMPARE(cell->parent(), grid);
    if (row < 0) {
        QCOMPARE(cell->role(), QAccessible::ColumnHeader);
        return;
    }
    QCOMPARE(table->cellAt(row, column), cell);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QAccessibleTableCellInterface *c = cell->tableCellInterface();
    QCOMPARE(c->rowIndex(), row);
    QCOMPARE(c->columnHeaderCells().first(), grid->child(column));
    QCOMPARE(c->isSelected(), row == 2); // the newest QSO is current
}

void AccessibilityTest::gridRowChosenByTheReaderBecomesCurrent()
{
    MainFixture f;
    for (int i = 0; i < 200; ++i)
        f.store.addQso(makeQso(QString("UA%1").arg(i)));
    f.open();
    QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(f.form().grid)->tableInterface();
    QVERIFY(table->selectRow(5));
    QCOMPARE(f.form().grid->currentIndex().row(), 5);
    QCOMPARE(f.form().grid->topRow(), 5);
    QCOMPARE(table->selectedRows(), QList<int>{5});
    QVERIFY(!table->cellAt(5, 4)->state().offscreen);
    QVERIFY(table->cellAt(199, 4)->state().offscreen);
    QCOMPARE(table->cellAt(199, 4)->text(QAccessible::Name), QString("UA199"));

    // A reader walking the whole log leaves only the cells near the view behind.
    const QAccessible::Id near = QAccessible::uniqueId(table->cellAt(6, 0));
    const QAccessible::Id far = QAccessible::uniqueId(table->cellAt(150, 0));
    for (int row = 0; row < 200; ++row)
        for (int column = 0; column < 10; ++column)
            QVERIFY(table->cellAt(row, column));
    QVERIFY(QAccessible::accessibleInterface(near));
    QVERIFY(!QAccessible::accessibleInterface(far));
}

void AccessibilityTest::statusPanelsAreAStatusBar()
{
    MainFixture f;
    f.store.addQso(TestQso().heard("UA1A").worked("RA3B", "015"));
    f.open();
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(f.form().qsoPanel)->parent();
    QCOMPARE(bar->role(), QAccessible::StatusBar);
    QStringList texts;
    for (int i = 0; i < bar->childCount(); ++i)
        texts << bar->child(i)->text(QAccessible::Name);
    QVERIFY2(texts.contains("QSO: 1") && texts.contains("Points: 3"), qPrintable(texts.join('|')));
}

void AccessibilityTest::altKeysReachTheSelectors_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("selector");
    QTest::newRow("Alt+B: band") << int(Qt::Key_B) << "band";
    QTest::newRow("Alt+M: mode") << int(Qt::Key_M) << "mode";
}

void AccessibilityTest::altKeysReachTheSelectors()
{
    QFETCH(int, key);
    QFETCH(QString, selector);
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    QTest::keyClicks(f.form().heardCall, "UA");
    QTest::keyClick(f.focused(), Qt::Key(key), Qt::AltModifier);
    auto *box = static_cast<QComboBox *>(mainControl(f.form(), selector));
    QCOMPARE(f.focused(), box);
    QCOMPARE(f.form().heardCall->text(), QString("UA")); // the key typed nothing
    // The next item is chosen with the arrow; the focus goes back to the call.
    const QString before = box->currentText();
    QTest::keyClick(box, Qt::Key_Down);
    QVERIFY(box->currentText() != before);
    QCOMPARE(f.focused(), f.form().heardCall);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
