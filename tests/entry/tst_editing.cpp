#include "mainfixture.h"
#include "platformfiles.h"
#include "rawdb.h"
#include "smalldisk.h"

#include "app/application.h"
#include "app/tmain.h"
#include "entry/editor.h"
#include "entry/entryedit.h"
#include "form/fieldcolours.h"
#include "form/loggrid.h"
#include "log/logmodel.h"
#include "setup/stationpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

/// Editing, deleting and clearing stored QSOs.
class EditingTest : public QObject {
    Q_OBJECT
private slots:
    void editingOnlyTheBandKeepsTourAndReturnsTheSelector();
    void rightClickActsOnTheClickedRow_data();
    void rightClickActsOnTheClickedRow();
    void typingInTheGridGoesToTheCallField_data();
    void typingInTheGridGoesToTheCallField();
    void screenModes_data();
    void screenModes();
    void editingUnderCopyChangesOnlyTheEditedRow();
    void selectorEntryFollowsItsText_data();
    void selectorEntryFollowsItsText();
    void editingModeLocksTheWindowUntilSaved();
    void shortTimeStopsTheSaveWarningsDoNot();
    void editInHamModeReturnsToTheOwnCall();
    void deletingTheThirdOfFiveLeavesTheFourthCurrent();
    void deletingTheLastRowStandsOnTheNewLast();
    void editAndDeleteOnEmptyLogDoNothing();
    void clearingAsksFirstAndNoKeepsTheLog();
    void clearingCopiesTheWholeStoreFirst_data();
    void clearingCopiesTheWholeStoreFirst();
    void clearingOnAFullDiskKeepsTheLogAndNamesTheCopy();
    void refusedWriteSaysWhatWasNotDone_data();
    void refusedWriteSaysWhatWasNotDone();
};

namespace {
void fill(Store &store, int n, const QString &tur = QStringLiteral("0"))
{
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < n; ++i)
        qsos.push_back(TestQso()
                           .heard(QStringLiteral("UA%1A").arg(i), QString::number(i))
                           .worked(QStringLiteral("RA%1B").arg(i), i % 2 ? QString() : QStringLiteral("015"))
                           .tour(tur));
    addQsos(store.path(), qsos);
}

/// Where a grid row is hit: its top, middle or bottom pixel, in the viewport.
int rowPixel(const LogGrid *grid, int row, const QString &where)
{
    const int top = row * grid->rowHeight();
    return where == "top" ? top : where == "middle" ? top + grid->rowHeight() / 2 : top + grid->rowHeight() - 1;
}

/// A click of the mouse on the main window, where the window system sends it.
void clickGrid(MainFixture &f, Qt::MouseButton button, int y)
{
    const QPoint at = f.form().grid->viewport()->mapTo(f.main, QPoint(60, y));
    QTest::mouseClick(f.main->windowHandle(), button, {}, at);
}

/// Right-clicks the grid and picks a command of its pop-up menu with the mouse.
void chooseFromGridMenu(MainFixture &f, int y, const QString &command)
{
    clickGrid(f, Qt::RightButton, y);
    auto *menu = f.main->findChild<QMenu *>("gridMenu");
    QTRY_VERIFY(menu->isVisible());
    QAction *chosen = nullptr;
    for (QAction *a : menu->actions())
        if (a->text() == command)
            chosen = a;
    QVERIFY(chosen);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    QTRY_VERIFY(!menu->isVisible());
}

QStringList heardCalls(Store &store)
{
    QStringList calls;
    for (const QsoRecord &q : store.qsosFrom(0, 100))
        calls << q.call1;
    return calls;
}
} // namespace

void EditingTest::rightClickActsOnTheClickedRow_data()
{
    QTest::addColumn<int>("row"); // -1: the empty space below the last row
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("command");
    for (const char *where : {"top", "middle", "bottom"}) {
        QTest::addRow("delete third, %s", where) << 2 << where << "Удалить запись";
        QTest::addRow("delete last, %s", where) << 4 << where << "Удалить запись";
        QTest::addRow("edit first, %s", where) << 0 << where << "Редактировать запись";
    }
    QTest::newRow("delete below the rows: the current row") << -1 << ""
                                                            << "Удалить запись";
    QTest::newRow("edit below the rows: the current row") << -1 << ""
                                                          << "Редактировать запись";
}

void EditingTest::rightClickActsOnTheClickedRow()
{
    QFETCH(int, row);
    QFETCH(QString, where);
    QFETCH(QString, command);
    MainFixture f;
    fill(f.store, 5);
    f.open();
    QVERIFY(f.showActive());
    const LogGrid *grid = f.form().grid;
    clickGrid(f, Qt::LeftButton, rowPixel(grid, 1, "middle"));
    QCOMPARE(grid->currentIndex().row(), 1);
    const int target = row < 0 ? 1 : row;
    const int y = row < 0 ? 5 * grid->rowHeight() + 10 : rowPixel(grid, row, where);
    chooseFromGridMenu(f, y, command);
    if (QTest::currentTestFailed())
        return;
    const QString targetCall = QString("UA%1A").arg(target);
    if (command == "Удалить запись") {
        QStringList left{"UA0A", "UA1A", "UA2A", "UA3A", "UA4A"};
        left.removeAll(targetCall);
        QCOMPARE(heardCalls(f.store), left);
        QCOMPARE(f.focused(), f.form().heardCall);
    } else {
        QCOMPARE(f.form().heardCall->text(), targetCall);
        QCOMPARE(heardCalls(f.store).size(), 5);
    }
}

void EditingTest::typingInTheGridGoesToTheCallField_data()
{
    struct Row {
        const char *name;
        bool ham;
        const char *typed;
        const char *field; ///< where the focus ends: heard, worked or grid
        const char *text;
    };
    const Row rows[] = {
        {"letters and digits to the heard call", false, "ua1-a", "heard", "UA1A"},
        {"HAM: to the worked call", true, "ra3/p", "worked", "RA3/P"},
        {"a blank stays in the grid", false, " ", "grid", ""},
        {"a dropped sign stays in the grid", false, "-", "grid", ""},
    };
    QTest::addColumn<bool>("ham");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.ham << r.typed << r.field << r.text;
}

void EditingTest::typingInTheGridGoesToTheCallField()
{
    QFETCH(bool, ham);
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(QString, text);
    MainFixture f;
    fill(f.store, 5);
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    f.open();
    QVERIFY(f.showActive());
    const MainForm &m = f.form();
    if (ham) {
        QTest::mouseClick(m.swl, Qt::LeftButton);
        QTRY_COMPARE(f.focused(), static_cast<QWidget *>(m.workedCall));
    }
    clickGrid(f, Qt::LeftButton, rowPixel(m.grid, 1, "middle"));
    QCOMPARE(f.focused(), m.grid);
    QTest::keyClick(f.focused(), Qt::Key_Down); // the grid's own keys still work
    QTest::keyClicks(f.focused(), typed);
    QCOMPARE(m.grid->currentIndex().row(), 2);
    EntryEdit *call = ham ? m.workedCall : m.heardCall;
    QCOMPARE(f.focused(), field == "grid" ? static_cast<QWidget *>(m.grid) : call);
    QCOMPARE(call->text(), text);
}

void EditingTest::screenModes_data()
{
    const QColor normal = FieldColours::window();
    const QColor green = FieldColours::moneyGreen;
    const QColor yellow = FieldColours::yellow;
    struct Row {
        const char *name, *steps, *shownOk;
        bool okEnabled;
        QColor colour;
        const char *menus; ///< Журнал, Установки, Соревнования, Окна, Справка
        bool heardLocked;
    };
    const Row rows[] = {
        {"normal", "", "ok", true, normal, "11111", false},
        {"manual", "copy", "manualOk", true, green, "00010", false},
        {"editing", "edit", "editOk", true, yellow, "00000", false},
        {"editing saved", "edit editOk", "ok", true, normal, "11111", false},
        {"editing under COPY", "copy edit", "editOk", true, yellow, "00000", false},
        {"editing under COPY saved", "copy edit editOk", "manualOk", true, green, "00010", false},
        {"station panel open", "station", "ok", false, normal, "01000", false},
        {"station panel saved", "station save", "ok", true, normal, "11111", false},
        {"COPY ticked while the panel is open", "station copy", "manualOk", false, green, "00000", false},
        {"COPY ticked and unticked while the panel is open", "station copy copy", "ok", false, normal, "01000", false},
        {"panel saved under COPY", "station copy save", "manualOk", true, green, "00010", false},
        {"HAM", "ham", "ok", true, normal, "11111", true},
        {"HAM editing", "ham edit", "editOk", true, yellow, "00000", false},
        {"HAM editing saved", "ham edit editOk", "ok", true, normal, "11111", true},
        {"HAM manual", "ham copy", "manualOk", true, green, "00010", true},
    };
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("shownOk");
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("menus");
    QTest::addColumn<bool>("heardLocked");
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString(r.steps).split(' ', Qt::SkipEmptyParts) << QString(r.shownOk) << r.okEnabled
                              << r.colour << QString(r.menus) << r.heardLocked;
}

void EditingTest::screenModes()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, shownOk);
    QFETCH(bool, okEnabled);
    QFETCH(QColor, colour);
    QFETCH(QString, menus);
    QFETCH(bool, heardLocked);
    MainFixture f;
    fill(f.store, 3);
    f.open();
    QVERIFY(f.showActive());
    const MainForm &m = f.form();
    for (const QString &step : steps) {
        if (step == "copy")
            QTest::mouseClick(m.copy, Qt::LeftButton);
        else if (step == "ham")
            QTest::mouseClick(m.swl, Qt::LeftButton);
        else if (step == "edit")
            chooseFromGridMenu(f, rowPixel(m.grid, 1, "middle"), "Редактировать запись");
        else if (step == "editOk")
            QTest::mouseClick(m.editOk, Qt::LeftButton);
        else if (step == "station")
            f.main->actions().station->trigger();
        else if (step == "save")
            for (QPushButton *b : (*f.program->stationPanel).findChildren<QPushButton *>())
                QTest::mouseClick(b, Qt::LeftButton);
    }
    QStringList shown;
    for (QPushButton *b : {m.ok, m.editOk, m.manualOk})
        if (!b->isHidden())
            shown << (b == m.ok ? "ok" : b == m.editOk ? "editOk" : "manualOk");
    QCOMPARE(shown, QStringList{shownOk});
    for (QPushButton *b : {m.ok, m.editOk, m.manualOk})
        if (!b->isHidden())
            QCOMPARE(b->isEnabled(), okEnabled);
    QCOMPARE(FieldColours::of(m.workedNumber), colour);
    QString enabled;
    for (QAction *menu : m.menus())
        enabled += menu->isEnabled() ? '1' : '0';
    QCOMPARE(enabled, menus);
    QCOMPARE(m.grid->isEnabled(), shownOk != "editOk");
    QCOMPARE(m.dateField->isHidden(), shownOk == "ok");
    QCOMPARE(m.heardCall->isReadOnly(), heardLocked);
    const QColor heardColour = heardLocked && shownOk == "ok" ? FieldColours::buttonFace() : colour;
    QCOMPARE(FieldColours::of(m.heardCall), heardColour);
}

void EditingTest::editingUnderCopyChangesOnlyTheEditedRow()
{
    MainFixture f;
    fill(f.store, 3);
    f.open();
    QVERIFY(f.showActive());
    const MainForm &m = f.form();
    const std::vector<QsoRecord> before = f.store.qsosFrom(0, 10);
    QTest::mouseClick(m.copy, Qt::LeftButton);
    m.dateField->setText("2026-12-05");
    m.timeField->setText("0915");
    chooseFromGridMenu(f, rowPixel(m.grid, 1, "middle"), "Редактировать запись");
    QCOMPARE(f.focused(), m.heardCall);
    QTest::keyClick(m.heardCall, Qt::Key_End);
    QTest::keyClicks(m.heardCall, "x");
    // Enter walks the fields to the one OK on screen, and Enter presses it.
    for (int i = 0; i < 6 && f.focused() != m.editOk; ++i)
        QTest::keyClick(f.focused(), Qt::Key_Return);
    QCOMPARE(f.focused(), m.editOk);
    QTest::keyClick(m.editOk, Qt::Key_Return);

    const std::vector<QsoRecord> after = f.store.qsosFrom(0, 10);
    QCOMPARE(after.size(), size_t(3));
    QCOMPARE(after[1].call1, QString("UA1AX"));
    QCOMPARE(after[1].call2, before[1].call2);
    QCOMPARE(after[1].data, before[1].data);
    QCOMPARE(after[0].call1, before[0].call1);
    QCOMPARE(after[2].call1, before[2].call1);
    QVERIFY(!m.manualOk->isHidden() && m.editOk->isHidden());
    QCOMPARE(m.dateField->text(), QString("2026-12-05"));
    QCOMPARE(m.timeField->text(), QString("0915"));
    QCOMPARE(FieldColours::of(m.heardCall), FieldColours::moneyGreen);
}

void EditingTest::selectorEntryFollowsItsText_data()
{
    QTest::addColumn<QString>("band");
    QTest::addColumn<int>("entry");
    QTest::newRow("a band of the list") << "28000" << 5;
    QTest::newRow("a typed band") << "7050" << -1;
}

void EditingTest::selectorEntryFollowsItsText()
{
    QFETCH(QString, band);
    QFETCH(int, entry);
    MainFixture f;
    f.store.addQso(TestQso().heard("UA1A").worked("RA3B", "015").band(band));
    f.open();
    QVERIFY(f.showActive());
    const MainForm &m = f.form();
    m.band->setCurrentIndex(2);
    chooseFromGridMenu(f, rowPixel(m.grid, 0, "middle"), "Редактировать запись");
    QCOMPARE(m.band->currentText(), band);
    QCOMPARE(m.band->currentIndex(), entry);
    QTest::mouseClick(m.editOk, Qt::LeftButton);
    QCOMPARE(m.band->currentText(), QString("7000"));
    QCOMPARE(m.band->currentIndex(), 2);
    m.band->setFocus();
    QTest::keyClick(m.band, Qt::Key_Up);
    QCOMPARE(m.band->currentText(), QString("3500"));
}

void EditingTest::editingOnlyTheBandKeepsTourAndReturnsTheSelector()
{
    MainFixture f;
    fill(f.store, 3, "3");
    f.open();
    const MainForm &m = f.form();
    m.grid->setCurrentIndex(f.program->log.index(1, 0));
    m.band->setCurrentText("3500");
    (*f.program->editor).editRecord();
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
    QCOMPARE(m.statusPanel->text(), QString("OK"));
    QCOMPARE(m.grid->currentIndex().row(), 1);
    QCOMPARE(m.pointsPanel->text(), QString("Points: 7"));

    m.grid->setCurrentIndex(f.program->log.index(0, 0));
    (*f.program->editor).editRecord();
    m.workedNumber->clear(); // the QSO loses its worked number: 3 points become 1
    m.editOk->click();
    QCOMPARE(m.pointsPanel->text(), QString("Points: 5"));
    QCOMPARE(f.store.workedNumberCount(), qint64(1));
    QCOMPARE(f.program->log.record(0).rst2, QString(""));
}

void EditingTest::editingModeLocksTheWindowUntilSaved()
{
    MainFixture f;
    fill(f.store, 2);
    f.open();
    const MainForm &m = f.form();
    (*f.program->editor).editRecord();
    QVERIFY(!m.grid->isEnabled());
    QVERIFY(m.ok->isHidden() && !m.editOk->isHidden() && !m.dateField->isHidden());
    QVERIFY(m.rst->isHidden() && m.swl->isHidden() && m.copy->isHidden() && m.tour->isHidden());
    QVERIFY(m.utcClock->isHidden() && m.tourNumber->isHidden());
    for (QAction *menu : m.menus())
        QVERIFY(!menu->isEnabled());
    QCOMPARE(FieldColours::of(m.workedNumber), FieldColours::yellow);
    QCOMPARE(m.statusPanel->text(), QString("Режим редактирования"));
    QTest::keyClicks(m.heardCall, "X"); // the repeat check keeps the field yellow
    QCOMPARE(FieldColours::of(m.heardCall), FieldColours::yellow);
    m.editOk->click();
    QVERIFY(m.grid->isEnabled() && !m.ok->isHidden() && m.editOk->isHidden());
    QVERIFY(!m.rst->isHidden() && !m.utcClock->isHidden() && m.dateField->isHidden());
    for (QAction *menu : m.menus())
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
    (*f.program->editor).editRecord();
    f.prompts.informed.clear();
    m.timeField->setText("930");
    m.editOk->click();
    QVERIFY(!m.editOk->isHidden()); // still editing
    QCOMPARE(f.prompts.informed.last(), QString("Неверный формат времени"));
    f.prompts.informed.clear();
    m.timeField->setText("2460");
    f.prompts.informed.clear();
    m.editOk->click();
    QCOMPARE(f.prompts.informed, QStringList({"Неверный формат часов", "Неверный формат минут"}));
    QCOMPARE(f.store.qsosFrom(0, 1).front().time, QString("2460"));
    QVERIFY(m.editOk->isHidden()); // saved: editing is over
}

void EditingTest::editInHamModeReturnsToTheOwnCall()
{
    MainFixture f;
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    fill(f.store, 1);
    f.open();
    const MainForm &m = f.form();
    m.swl->click();
    (*f.program->editor).editRecord();
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
    m.grid->setCurrentIndex(f.program->log.index(2, 0));
    (*f.program->editor).deleteRecord();
    QCOMPARE(m.qsoPanel->text(), QString("QSO: 4"));
    QCOMPARE(m.pointsPanel->text(), QString("Points: 8"));
    QCOMPARE(m.grid->currentIndex().row(), 2);
    QCOMPARE(f.program->log.record(2).call1, QString("UA3A"));
}

void EditingTest::deletingTheLastRowStandsOnTheNewLast()
{
    MainFixture f;
    fill(f.store, 2);
    f.open();
    (*f.program->editor).deleteRecord();
    QCOMPARE(f.form().grid->currentIndex().row(), 0);
    (*f.program->editor).deleteRecord();
    QCOMPARE(f.form().qsoPanel->text(), QString("QSO: 0"));
    (*f.program->editor).deleteRecord(); // nothing left: nothing happens
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

void EditingTest::editAndDeleteOnEmptyLogDoNothing()
{
    MainFixture f;
    f.open();
    (*f.program->editor).editRecord();
    QVERIFY(!f.form().ok->isHidden());
    (*f.program->editor).deleteRecord();
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

void EditingTest::clearingAsksFirstAndNoKeepsTheLog()
{
    MainFixture f;
    fill(f.store, 10);
    f.open();
    f.prompts.answer = false;
    f.main->actions().clearLog->trigger();
    QCOMPARE(f.prompts.questions.size(), 1);
    QVERIFY(f.prompts.questions.first().contains("10"));
    QCOMPARE(f.store.qsoIds().size(), size_t(10));
    f.prompts.answer = true;
    f.main->actions().clearLog->trigger();
    QCOMPARE(f.form().qsoPanel->text(), QString("QSO: 0"));
    QCOMPARE(f.form().pointsPanel->text(), QString("Points: 0"));
    QVERIFY(f.store.qsoIds().empty());
}

void EditingTest::clearingCopiesTheWholeStoreFirst_data()
{
    QTest::addColumn<QString>("before"); // what lies beside the store already
    QTest::addColumn<QString>("copy");   // the copy's name; empty: no copy can be made
    QTest::newRow("free name") << ""
                               << "vireok-2026-12-06-0915.mdb";
    QTest::newRow("name taken") << "file"
                                << "vireok-2026-12-06-0915-2.mdb";
    QTest::newRow("copy impossible") << "dangling link"
                                     << "";
}

void EditingTest::clearingCopiesTheWholeStoreFirst()
{
    QFETCH(QString, before);
    QFETCH(QString, copy);
    if (before == "dangling link" && !PlatformFiles::kSymbolicLinks)
        QSKIP("QFile::link makes a shortcut here, which the system does not follow");
    MainFixture f;
    fill(f.store, 10);
    f.store.writeLog({{"CALLSIGN", "R9AA"}});
    const QString taken = f.folder.file("vireok-2026-12-06-0915.mdb");
    if (before == "file") {
        QFile other(taken);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("somebody else's file");
    } else if (before == "dangling link") {
        QVERIFY(QFile::link(f.folder.file("no/such/folder/copy.mdb"), taken));
    }
    f.open();
    f.prompts.answer = true;
    f.main->actions().clearLog->trigger();
    QCOMPARE(f.prompts.questions.size(), 1);
    if (copy.isEmpty()) {
        QCOMPARE(f.prompts.storeErrors.size(), 1);
        QVERIFY2(f.prompts.storeErrors.first().startsWith("Лог не очищен: копию журнала не удалось сохранить в файл "
                                                          "vireok-2026-12-06-0915.mdb."),
                 qPrintable(f.prompts.storeErrors.first()));
        QCOMPARE(f.store.qsoIds().size(), size_t(10));
        QCOMPARE(f.form().qsoPanel->text(), QString("QSO: 10"));
        QVERIFY(QFileInfo(taken).isSymLink());
        return;
    }
    QVERIFY2(f.prompts.questions.first().contains("сохранён в файл " + copy + "."),
             qPrintable(f.prompts.questions.first()));
    QVERIFY(f.prompts.storeErrors.isEmpty());
    QVERIFY(f.store.qsoIds().empty());
    QCOMPARE(f.form().statusPanel->text(), "Лог очищен, копия: " + copy);
    if (before == "file") {
        QFile other(taken);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("somebody else's file"));
    }
    // The copy is a whole store: QSOs and settings.
    Store saved(f.folder.file(copy));
    QCOMPARE(saved.qsoIds().size(), size_t(10));
    QCOMPARE(saved.readLog().value("CALLSIGN"), QString("R9AA"));
}

// The copy is written, the cleared log finds no room: the log stays as it
// was, and the user learns which copy was made.
void EditingTest::clearingOnAFullDiskKeepsTheLogAndNamesTheCopy()
{
    TestFolder made;
    {
        Store store(made.storePath());
        fill(store, 2000);
    }
    const QByteArray before = readAll(made.storePath());
    SmallFileSystem disk(before);
    if (!disk.mounted())
        QSKIP("a small file system of its own needs the right to mount one (root on Linux)");
    const QString path = disk.file("vireok.mdb");
    ProgramOn program(path);
    program.prompts.answer = true;
    program.program.main.actions().clearLog->trigger();
    QCOMPARE(program.prompts.storeErrors.size(), 1);
    const QString said = program.prompts.storeErrors.first();
    QVERIFY2(said.startsWith("Лог не очищен: журнал остался как был. Копия, записанная перед очисткой, сохранена в "
                             "файле vireok-2026-12-06-0915.mdb.") &&
                 said.contains("диск заполнен (database or disk is full)"),
             qPrintable(said));
    QCOMPARE(program.store.qsoIds().size(), size_t(2000));
    QCOMPARE(program.program.main.form().qsoPanel->text(), QString("QSO: 2000"));
    QCOMPARE(Store(disk.file("vireok-2026-12-06-0915.mdb")).qsoIds().size(), size_t(2000));
}

void EditingTest::refusedWriteSaysWhatWasNotDone_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("said");
    QTest::newRow("recording") << "INSERT"
                               << "QSO не записан.";
    QTest::newRow("saving an edit") << "UPDATE"
                                    << "Запись не изменена.";
    QTest::newRow("deleting") << "DELETE"
                              << "Запись не удалена.";
}

// The engine refuses the write (a failing disk, say): the user learns what
// did not happen, in the engine's words, never Qt's word for the call that
// failed; the fields and the log stay.
void EditingTest::refusedWriteSaysWhatWasNotDone()
{
    QFETCH(QString, step);
    QFETCH(QString, said);
    MainFixture f;
    fill(f.store, 2);
    setUpApplication(); // Qt's own texts in Russian, as the program has them
    f.open();
    QVERIFY(RawDb(f.folder.storePath())
                .exec(QString("CREATE TRIGGER refuse BEFORE %1 ON qso BEGIN SELECT RAISE(ABORT, 'disk refused'); END")
                          .arg(step)));
    const MainForm &m = f.form();
    if (step == "INSERT") {
        QTest::keyClicks(m.heardCall, "UA1A");
        QTest::keyClicks(m.heardNumber, "001");
        m.ok->click();
    } else if (step == "UPDATE") {
        (*f.program->editor).editRecord();
        m.heardCall->setText("UA9Z");
        m.editOk->click();
    } else {
        (*f.program->editor).deleteRecord();
    }
    QCOMPARE(f.prompts.storeErrors.size(), 1);
    const QString text = f.prompts.storeErrors.first();
    QVERIFY2(text.startsWith(said + "\n\r" + f.folder.storePath()) && text.contains("(disk refused)"),
             qPrintable(text));
    QCOMPARE(heardCalls(f.store), QStringList({"UA0A", "UA1A"}));
    QCOMPARE(f.program->log.qsoCount(), qint64(2));
    if (step != "DELETE")
        QCOMPARE(m.heardCall->text(), QString(step == "INSERT" ? "UA1A" : "UA9Z"));
}

QTEST_MAIN(EditingTest)
#include "tst_editing.moc"
