#include "mainfixture.h"
#include "testqso.h"

#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "form/loggrid.h"
#include "setup/stationpanel.h"
#include "setup/tcontest.h"
#include "setup/tcontestup.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

/// What a screen reader finds in the windows, asked in process as it would ask.
class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsNamed();
    void gridReadsAsATable_data();
    void gridReadsAsATable();
    void gridRowChosenByTheReaderBecomesCurrent();
    void gridShowsItsFocusAndOpensItsMenuByKey();
    void statusPanelsAreAStatusBar();
    void toolWindowsAreReachedAndLeftByKey();
    void altKeysReachTheSelectors_data();
    void altKeysReachTheSelectors();
    void stepsAreToldOnce_data();
    void stepsAreToldOnce();
    void fieldTextIsReadWholePieceByPiece_data();
    void fieldTextIsReadWholePieceByPiece();
    void textPutInByAReaderIsTakenAsTyped();
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

void AccessibilityTest::everyControlIsNamed()
{
    MainFixture f;
    f.open();
    Program &w = *f.program;
    // The rule: whatever the focus can reach has a name, and what shows a
    // value tells it as its value.
    QStringList unnamed, untold;
    for (QWidget *window : std::initializer_list<QWidget *>{&w.main, &w.contest, &w.addContest, &w.repeats, &w.partial,
                                                            &w.stats, &w.about})
        for (QWidget *control : window->findChildren<QWidget *>()) {
            // A field inside a box hands its focus to the box, which is named.
            if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(window) ||
                control->window() != window || control->focusProxy())
                continue;
            const QString where =
                window->objectName() + "/" + control->metaObject()->className() + "/" + control->objectName();
            if (spokenName(control).trimmed().isEmpty())
                unnamed << where;
            const QString value = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Value);
            if (auto *edit = qobject_cast<QLineEdit *>(control); edit && value != edit->text())
                untold << where;
            if (auto *box = qobject_cast<QComboBox *>(control); box && value != box->currentText())
                untold << where;
        }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    QVERIFY2(untold.isEmpty(), qPrintable(untold.join(", ")));
    // A few by name, as the manual gives them.
    QCOMPARE(spokenName(f.form().heardCall), QString("Позывной первой станции"));
    QCOMPARE(spokenName(f.form().band), QString("Диапазон"));
    QCOMPARE(spokenName(w.contest.findChild<QWidget *>("OFFTIME3E")), QString("OFFTIME3 окончание"));
    QCOMPARE(spokenName(w.contest.findChild<QWidget *>("TUR1B")), QString("Тур-1 начало"));
    QCOMPARE(spokenName((*f.program->stationPanel).field("CALL")), QString("Позывной:"));
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
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < 200; ++i)
        qsos.push_back(makeQso(QString("UA%1").arg(i)));
    addQsos(f.store.path(), qsos);
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

void AccessibilityTest::gridShowsItsFocusAndOpensItsMenuByKey()
{
    MainFixture f;
    f.store.addQso(TestQso().heard("UA1A"));
    f.open();
    QVERIFY(f.showActive());
    LogGrid *grid = f.form().grid;
    const auto currentRow = [&] {
        const QImage shot = grid->viewport()->grab().toImage();
        return shot.copy(0, 0, shot.width(), shot.height() / 4); // the one row at the top
    };
    QCOMPARE(f.focused(), f.form().heardCall);
    const QImage without = currentRow();
    grid->setFocus();
    QTRY_COMPARE(f.focused(), static_cast<QWidget *>(grid));
    QVERIFY(currentRow() != without);
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    auto *menu = f.main->findChild<QMenu *>("gridMenu");
    QTRY_VERIFY(menu->isVisible());
    menu->close();
}

void AccessibilityTest::toolWindowsAreReachedAndLeftByKey()
{
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    const struct {
        Qt::Key key;
        QWidget *window;
        QAction *item;
    } windows[] = {{Qt::Key_F5, &f.program->repeats, f.main->actions().repeatWindow},
                   {Qt::Key_F6, &f.program->partial, f.main->actions().partialWindow},
                   {Qt::Key_F7, &f.program->stats, f.main->actions().statsWindow}};
    for (const auto &w : windows) {
        QCOMPARE(QAccessible::queryAccessibleInterface(w.window)->role(), QAccessible::Window);
        QTest::keyClick(f.focused(), w.key);
        QTRY_VERIFY(w.window->isActiveWindow());
        QVERIFY(w.item->isChecked());
        QTRY_VERIFY(f.focused() && f.focused()->window() == w.window);
        QTest::keyClick(f.focused(), Qt::Key_F4);
        QTRY_COMPARE(f.focused(), static_cast<QWidget *>(f.form().heardCall));
    }
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
    QTest::addColumn<QString>("text"); // what the key gives in its layout
    QTest::addColumn<QString>("selector");
    QTest::newRow("Alt+B: band") << int(Qt::Key_B) << "b"
                                 << "band";
    QTest::newRow("Alt+M: mode") << int(Qt::Key_M) << "m"
                                 << "mode";
    // The same keys with the Russian layout: the letters И and Ь.
    QTest::newRow("Alt+И: band") << 0x0418 << "и"
                                 << "band";
    QTest::newRow("Alt+Ь: mode") << 0x042C << "ь"
                                 << "mode";
    // Alt with another letter is no text either.
    QTest::newRow("Alt+Q: nothing") << int(Qt::Key_Q) << "q"
                                    << "heardCall";
}

void AccessibilityTest::altKeysReachTheSelectors()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, selector);
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    QTest::keyClicks(f.form().heardCall, "UA");
    QTest::sendKeyEvent(QTest::Click, f.focused(), Qt::Key(key), text, Qt::AltModifier);
    if (selector == "heardCall") {
        QCOMPARE(f.form().heardCall->text(), QString("UA"));
        return;
    }
    auto *box = static_cast<QComboBox *>(mainControl(f.form(), selector));
    QCOMPARE(f.focused(), box);
    QCOMPARE(f.form().heardCall->text(), QString("UA")); // the key typed nothing
    // The next item is chosen with the arrow; the focus goes back to the call.
    const QString before = box->currentText();
    QTest::keyClick(box, Qt::Key_Down);
    QVERIFY(box->currentText() != before);
    QCOMPARE(f.focused(), f.form().heardCall);
}

void AccessibilityTest::stepsAreToldOnce_data()
{
    // Keys: letters and digits as typed, "/" Enter, "B" and "M" with Alt,
    // "↓" the arrow, "▼" Alt+↓ opening the list, "~" the receiver turning to 7000 kHz.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("told");
    QTest::newRow("a QSO by Enter") << "ua1a/001/ra3b/5//" << QStringList{"Записано: UA1A 001, RA3B 5"};
    QTest::newRow("a repeat") << "ua1a/001////ua1a/002////"
                              << QStringList{"Записано: UA1A 001", "Записано: UA1A 002, повтор"};
    QTest::newRow("a band by the arrow") << "B↓" << QStringList{"Диапазон 21000"};
    QTest::newRow("a band from the list") << "B▼↓/" << QStringList{"Диапазон 21000"};
    QTest::newRow("a mode typed") << "Mu" << QStringList{"Вид работы u, нет в списке"};
    QTest::newRow("the receiver's band") << "ua1a~" << QStringList{};
}

void AccessibilityTest::stepsAreToldOnce()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, told);
    MainFixture f;
    f.open();
    QVERIFY(f.showActive());
    for (const QChar key : keys) {
        if (key == u'~')
            setSelectorText(f.form().band, "7000");
        else if (key == '/')
            QTest::keyClick(f.focused(), Qt::Key_Return);
        else if (key == u'▼')
            QTest::keyClick(f.focused(), Qt::Key_Down, Qt::AltModifier);
        else if (key == u'↓')
            QTest::keyClick(f.focused(), Qt::Key_Down);
        else if (key.isUpper())
            QTest::keyClick(f.focused(), key.toLatin1(), Qt::AltModifier);
        else
            QTest::keyClicks(f.focused(), key);
    }
    QStringList heard;
    for (const auto &[focus, phrase] : f.speech.said) {
        QCOMPARE(focus, f.form().heardCall); // where the focus is, so that a reader speaks it there
        heard << phrase;
    }
    QCOMPARE(heard, told);
    QCOMPARE(f.focused(), f.form().heardCall);
}

void AccessibilityTest::fieldTextIsReadWholePieceByPiece_data()
{
    QTest::addColumn<QString>("field"); // an entry field or a dialog's field
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ask"); // at, before or after
    QTest::addColumn<int>("boundary");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("piece"); // and where it lies: text [start,end)
    struct Row {
        const char *name, *field, *text, *ask;
        QAccessible::TextBoundaryType boundary;
        int offset;
        const char *piece;
    };
    // What a reader asks on Ctrl+Left, Ctrl+Right, the arrows and "read line"
    // with the caret at the end of what was typed; the end hung the program.
    const Row rows[] = {
        {"word at the end", "heardCall", "RU3BB", "at", QAccessible::WordBoundary, 5, "RU3BB [0,5)"},
        {"line at the end", "heardCall", "RU3BB", "at", QAccessible::LineBoundary, 5, "RU3BB [0,5)"},
        {"character at the end", "heardCall", "RU3BB", "at", QAccessible::CharBoundary, 5, " [5,5)"},
        {"character before the end", "heardCall", "RU3BB", "before", QAccessible::CharBoundary, 5, "B [4,5)"},
        {"word before the end", "heardNumber", "599 103", "before", QAccessible::WordBoundary, 7, "  [3,4)"},
        {"word after the start", "heardNumber", "599 103", "after", QAccessible::WordBoundary, 0, "  [3,4)"},
        {"word in the middle", "heardNumber", "599 103", "at", QAccessible::WordBoundary, 5, "103 [4,7)"},
        {"nothing after the end", "heardCall", "RU3BB", "after", QAccessible::WordBoundary, 5, " [5,5)"},
        {"empty field", "heardCall", "", "at", QAccessible::WordBoundary, 0, " [0,0)"},
        {"a dialog's field", "location", "MOSCOW", "at", QAccessible::WordBoundary, 6, "MOSCOW [0,6)"},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.field << r.text << r.ask << int(r.boundary) << r.offset << r.piece;
}

void AccessibilityTest::fieldTextIsReadWholePieceByPiece()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, ask);
    QFETCH(int, boundary);
    QFETCH(int, offset);
    QFETCH(QString, piece);
    MainFixture f;
    f.open();
    TContest &contest = f.program->contest;
    QLineEdit *edit = field == "location" ? contest.findChildren<QLineEdit *>().first()
                                          : static_cast<QLineEdit *>(mainControl(f.form(), field));
    edit->setText(text);
    QAccessibleTextInterface *reader = QAccessible::queryAccessibleInterface(edit)->textInterface();
    QVERIFY(reader);
    int start = -1, end = -1;
    const auto type = QAccessible::TextBoundaryType(boundary);
    const QString got = ask == "at"       ? reader->textAtOffset(offset, type, &start, &end)
                        : ask == "before" ? reader->textBeforeOffset(offset, type, &start, &end)
                                          : reader->textAfterOffset(offset, type, &start, &end);
    QCOMPARE(QString("%1 [%2,%3)").arg(got).arg(start).arg(end), piece);
    // One run of attributes over the whole text: a reader reads up to its end.
    reader->attributes(0, &start, &end);
    QCOMPARE(qMakePair(start, end), qMakePair(0, int(text.size())));
    // Every piece at every offset up to the end comes back, inside the text.
    for (int b = QAccessible::CharBoundary; b <= QAccessible::NoBoundary; ++b)
        for (int at = 0; at <= text.size(); ++at) {
            const QString whole = reader->textAtOffset(at, QAccessible::TextBoundaryType(b), &start, &end);
            QVERIFY(0 <= start && start <= end && end <= text.size() && whole == text.mid(start, end - start));
            reader->textBeforeOffset(at, QAccessible::TextBoundaryType(b), &start, &end);
            QVERIFY(0 <= start && start <= end && end <= text.size());
            reader->textAfterOffset(at, QAccessible::TextBoundaryType(b), &start, &end);
            QVERIFY(0 <= start && start <= end && end <= text.size());
        }
}

// A braille keyboard or a dictation tool puts text in through the reader.
void AccessibilityTest::textPutInByAReaderIsTakenAsTyped()
{
    MainFixture f;
    f.open();
    QLineEdit *call = f.form().heardCall;
    QAccessibleInterface *field = QAccessible::queryAccessibleInterface(call);
    field->editableTextInterface()->replaceText(0, 0, "ua3.p-");
    QCOMPARE(call->text(), QString("UA3/P"));
    field->editableTextInterface()->deleteText(3, 5);
    QCOMPARE(call->text(), QString("UA3"));
    field->setText(QAccessible::Value, "гф9");
    QCOMPARE(call->text(), QString("UA9"));
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
