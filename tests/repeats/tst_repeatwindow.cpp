#include "mainfixture.h"

#include "entry/entryedit.h"
#include "repeats/repeatlistmodel.h"
#include "settings/inifile.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QTableView>
#include <QtTest>

/// The marks of the repeat window, its menu item and its geometry.
class RepeatWindowTest : public QObject {
    Q_OBJECT
private slots:
    void repeatRowsAreLightRedAndCallsBold();
    void marksAreReadAsDescriptions();
    void marksFollowTheBandWithoutANewCheck();
    void longListIsReadAsTheWindowScrolls();
    void menuItemShowsAndHidesAndFollowsItsMark();
    void geometryIsRestoredAndWrittenBack();
    void extremePlacesAreWrittenBackAsTheWindowsHaveThem();
};

namespace {
const QColor kLightRed(255, 204, 204);
QVariant cell(const RepeatListModel &m, int row, int column, int role)
{
    return m.data(m.index(row, column), role);
}
} // namespace

void RepeatWindowTest::repeatRowsAreLightRedAndCallsBold()
{
    MainFixture f;
    f.store.addQso(makeQso("UA1A", "001", "", "", "14000", "CW", "1"));
    f.store.addQso(makeQso("UA1A", "002", "", "", "14000", "CW", "2"));
    f.store.addQso(makeQso("RA3B", "003", "UA1A", "004", "14000", "CW", "2"));
    f.open();
    f.form().tourNumber->setText("2");
    QTest::keyClicks(f.form().heardCall, "UA1A");
    const RepeatListModel &m = f.program->repeatList;
    QCOMPARE(m.rowCount(), 3);
    // Tour 1: only the call is marked.
    QVERIFY(!cell(m, 0, 3, Qt::BackgroundRole).isValid());
    QCOMPARE(cell(m, 0, 5, Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    QVERIFY(cell(m, 0, 5, Qt::FontRole).value<QFont>().bold());
    // Tour 2: light red across every column.
    for (int c = 0; c < 7; ++c)
        QCOMPARE(cell(m, 1, c, Qt::BackgroundRole).value<QBrush>().color(), kLightRed);
    // As worked station: call2 bold blue, the heard call not marked.
    QCOMPARE(cell(m, 2, 6, Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255));
    QVERIFY(!cell(m, 2, 5, Qt::FontRole).isValid());
    QCOMPARE(cell(m, 2, 0, Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255)); // tour in blue

    // A line under each row, none between the columns.
    f.repeats->show();
    auto *grid = f.repeats->findChild<QTableView *>();
    const QImage shot = grid->viewport()->grab().toImage();
    const QColor line = grid->palette().color(QPalette::Mid);
    const int rowBottom = grid->rowViewportPosition(0) + grid->rowHeight(0) - 1;
    const int columnEdge = grid->columnViewportPosition(1) - 1;
    QCOMPARE(shot.pixelColor(columnEdge - 5, rowBottom).rgb(), line.rgb());
    QVERIFY(shot.pixelColor(columnEdge, rowBottom - 5).rgb() != line.rgb());

    // A clicked repeat row keeps its light red and its red call; the titles keep their weight.
    const QImage titles = grid->horizontalHeader()->grab().toImage();
    const QRect callCell(grid->columnViewportPosition(5), grid->rowViewportPosition(1), grid->columnWidth(5),
                         grid->rowHeight(1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, callCell.center());
    QVERIFY(grid->selectionModel()->isRowSelected(1, {}));
    const QImage selected = grid->viewport()->grab().toImage();
    QCOMPARE(selected.pixelColor(callCell.right() - 2, callCell.center().y()), kLightRed);
    int redPixels = 0;
    for (int x = callCell.left(); x <= callCell.right(); ++x)
        for (int y = callCell.top(); y <= callCell.bottom(); ++y)
            redPixels += selected.pixelColor(x, y) == QColor(255, 0, 0);
    QVERIFY(redPixels > 10);
    QCOMPARE(grid->horizontalHeader()->grab().toImage(), titles);
}

void RepeatWindowTest::marksAreReadAsDescriptions()
{
    MainFixture f;
    f.store.addQso(makeQso("UA1A", "001", "", "", "14000", "CW", "1"));
    f.store.addQso(makeQso("UA1A", "002", "", "", "14000", "CW", "2"));
    f.store.addQso(makeQso("RA3B", "003", "UA1A", "004", "14000", "CW", "2"));
    f.open();
    f.form().tourNumber->setText("2");
    QTest::keyClicks(f.form().heardCall, "UA1A");
    QTest::keyClicks(f.form().workedCall, "RA3B");
    f.repeats->show();
    QAccessibleTableInterface *table =
        QAccessible::queryAccessibleInterface(f.repeats->findChild<QTableView *>())->tableInterface();
    // The worked call's list: RA3B heard in tour 2, with UA1A as its worked station.
    QCOMPARE(table->rowCount(), 1);
    struct Cell {
        int column;
        const char *description;
    };
    const Cell cells[] = {{0, "повтор"}, {5, "повтор, совпадает worked"}, {6, "повтор, совпадает heard"}};
    for (const Cell &c : cells)
        QCOMPARE(table->cellAt(0, c.column)->text(QAccessible::Description), QString::fromUtf8(c.description));
    f.form().tourNumber->setText("1");
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Description), QString());
    QCOMPARE(table->cellAt(0, 5)->text(QAccessible::Description), QString("совпадает worked"));
}

void RepeatWindowTest::marksFollowTheBandWithoutANewCheck()
{
    MainFixture f;
    f.store.addQso(makeQso("UA1A", "001", "", "", "7000", "CW", "0"));
    f.open();
    QTest::keyClicks(f.form().heardCall, "UA1A");
    const RepeatListModel &m = f.program->repeatList;
    QVERIFY(!cell(m, 0, 0, Qt::BackgroundRole).isValid());
    f.form().band->setCurrentText("7000");
    QCOMPARE(cell(m, 0, 0, Qt::BackgroundRole).value<QBrush>().color(), kLightRed);
}

void RepeatWindowTest::longListIsReadAsTheWindowScrolls()
{
    MainFixture f;
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < 150; ++i)
        qsos.push_back(makeQso("UA1A", QString::number(i)));
    addQsos(f.store.path(), qsos);
    f.open();
    f.form().heardCall->setText("UA1A");
    RepeatListModel &m = f.program->repeatList;
    QVERIFY(m.rowCount() < 150);
    // The wheel turned over the list until it stops at the end.
    f.repeats->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.repeats));
    QWidget *rows = f.repeats->findChild<QTableView *>()->viewport();
    for (int turns = 0; turns < 100 && m.rowCount() < 150; ++turns) {
        QWheelEvent wheel(QPointF(rows->rect().center()), QPointF(rows->mapToGlobal(rows->rect().center())), {},
                          QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(rows, &wheel);
        QCoreApplication::processEvents();
    }
    QCOMPARE(m.rowCount(), 150);
    QCOMPARE(f.repeats->heardText(), QString("Повторы: Heard = 150"));
}

void RepeatWindowTest::menuItemShowsAndHidesAndFollowsItsMark()
{
    MainFixture f;
    f.open();
    QAction *item = f.main->actions().repeatWindow;
    QVERIFY(!item->isChecked());
    QVERIFY(!f.repeats->isVisible());
    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(f.repeats->isVisible());
    f.repeats->close(); // its own close button only hides it
    QVERIFY(item->isChecked());
    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(!f.repeats->isVisible());
    item->trigger();
    QVERIFY(f.repeats->isVisible());
}

void RepeatWindowTest::geometryIsRestoredAndWrittenBack()
{
    MainFixture f;
    writeIni(f.folder, "[RptQso]\r\nLeft=30\r\nTop=40\r\nWidth=300\r\nHeight=200\r\n");
    f.open();
    f.repeats->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.repeats));
    QCOMPARE(f.repeats->pos(), QPoint(30, 40));
    QCOMPARE(f.repeats->size(), QSize(300, 200));
    f.repeats->move(50, 60);
    f.program->saveSettings();
    const QByteArray text = readAll(f.folder.file("settings.ini"));
    QVERIFY2(text.contains("[RptQso]\r\nLeft=50\r\nTop=60\r\nWidth=300\r\nHeight=200\r\n"), text.constData());
    QVERIFY(text.contains("[Main]\r\nLeft="));
}

// Far places are kept, and what is written back is where the windows are.
void RepeatWindowTest::extremePlacesAreWrittenBackAsTheWindowsHaveThem()
{
    MainFixture f;
    writeIni(f.folder,
             "[Main]\r\nLeft=2147483647\r\nTop=-2147483648\r\n[RptQso]\r\nLeft=-2147483648\r\nTop=2147483647\r\n");
    f.open();
    f.program->saveSettings();
    IniFile ini(f.folder.file("settings.ini"));
    ini.load();
    QCOMPARE(QPoint(*ini.readInt("Main", "Left"), *ini.readInt("Main", "Top")), f.main->pos());
    QCOMPARE(QPoint(*ini.readInt("RptQso", "Left"), *ini.readInt("RptQso", "Top")), f.repeats->pos());
    QVERIFY(f.main->x() > 0 && f.main->y() < 0 && f.repeats->x() < 0 && f.repeats->y() > 0);
}

QTEST_MAIN(RepeatWindowTest)
#include "tst_repeatwindow.moc"
