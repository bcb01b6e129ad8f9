#include "typing.h"

#include "entry/entryedit.h"
#include "entry/entryfilter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QtTest>

class EntryFilterTest : public QObject {
    Q_OBJECT
private slots:
    void typedTextComesOutFiltered_data();
    void typedTextComesOutFiltered();
    void everyCyrillicKeyGivesItsLatinLetter();
    void pastedTextComesOutFilteredOnce_data();
    void pastedTextComesOutFilteredOnce();
    void programTextIsNotFiltered();
    void noInputMethodWritesIntoTheField_data();
    void noInputMethodWritesIntoTheField();
};

void EntryFilterTest::typedTextComesOutFiltered_data()
{
    struct Row {
        const char *name, *typed, *field;
    };
    const Row rows[] = {
        {"latin small", "ua3/p", "UA3/P"},
        {"russian layout", "гф3.з", "UA3/P"},
        {"russian capitals", "ГФ3.З", "UA3/P"},
        {"backslash", "ua3\\p", "UA3/P"},
        {"dot", "ua3.p", "UA3/P"},
        {"dropped signs", "\",-Жж", ""},
        {"dropped keys of [ ] ; ' ` ,", "хъэбюё", ""},
        {"kept signs", "%&'(", "%&'("},
        {"blank kept", "59 9", "59 9"},
        {"other non-ascii dropped", "é€ß№", ""},
        {"other punctuation dropped", "!?*+=:;<>@#$)[]{}_|~^`", ""},
    };
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString(r.typed) << QString(r.field);
}

void EntryFilterTest::typedTextComesOutFiltered()
{
    QFETCH(QString, typed);
    QFETCH(QString, field);
    EntryEdit edit(EntryField::HeardCall, nullptr);
    typeText(&edit, typed);
    QCOMPARE(edit.text(), field);
}

void EntryFilterTest::everyCyrillicKeyGivesItsLatinLetter()
{
    // ЙЦУКЕН on the keys of QWERTY.
    const QString russian = QStringLiteral("йцукенгшщзфывапролдячсмить");
    const QString latin = QStringLiteral("QWERTYUIOPASDFGHJKLZXCVBNM");
    for (int i = 0; i < russian.size(); ++i) {
        QCOMPARE(filterEntryChar(russian[i]), std::optional<QChar>(latin[i]));
        QCOMPARE(filterEntryChar(russian[i].toUpper()), std::optional<QChar>(latin[i]));
    }
}

void EntryFilterTest::pastedTextComesOutFilteredOnce_data()
{
    struct Row {
        const char *route;
        const char *field; ///< after "R" and the pasted "ua1-"x\nyz"
        int changes;
    };
    const Row rows[] = {
        {"Ctrl+V", "R", 0},
        {"Ctrl+C, Ctrl+X", "R", 0},
        {"Shift+Insert", "RUA1XYZ", 1},
        {"context menu", "RUA1XYZ", 1},
        {"middle button", "RUA1XYZ", 1},
        {"drop", "RUA1XYZ", 1},
    };
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("changes");
    for (const Row &r : rows)
        QTest::newRow(r.route) << r.field << r.changes;
}

void EntryFilterTest::pastedTextComesOutFilteredOnce()
{
    QFETCH(QString, field);
    QFETCH(int, changes);
    const QString route = QTest::currentDataTag();
    const QString pasted = QStringLiteral("ua1-\"x\nyz");
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(pasted);
    if (route == "middle button") {
        if (!clipboard->supportsSelection())
            QSKIP("this platform has no selection to paste");
        clipboard->setText(pasted, QClipboard::Selection);
    }
    EntryEdit edit(EntryField::WorkedCall, nullptr);
    edit.setText("R");
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    const QPoint end(edit.width() - 4, edit.height() / 2); // after the text
    if (route == "Ctrl+V") {
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    } else if (route == "Ctrl+C, Ctrl+X") {
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
        edit.end(false);
    } else if (route == "Shift+Insert") {
        QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (route == "context menu") {
        QContextMenuEvent event(QContextMenuEvent::Mouse, end, edit.mapToGlobal(end));
        QApplication::sendEvent(&edit, &event);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QAction *paste = nullptr;
        for (QAction *item : menu->actions()) {
            // The keys that do nothing in these fields are not offered.
            for (const char *refused : {"\tCtrl+C", "\tCtrl+X", "\tCtrl+V"})
                QVERIFY2(!item->text().endsWith(refused), qPrintable(item->text()));
            if (item->text().endsWith("\tShift+Ins"))
                paste = item;
        }
        QVERIFY(paste);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
    } else if (route == "middle button") {
        QTest::mouseClick(&edit, Qt::MiddleButton, {}, end);
    } else {
        QMimeData data;
        data.setText(pasted);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&edit, &enter);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&edit, &drop);
    }
    QCOMPARE(edit.text(), field);
    QCOMPARE(changed.size(), changes);
}

void EntryFilterTest::programTextIsNotFiltered()
{
    EntryEdit edit(EntryField::HeardCall, nullptr);
    edit.setText("r9aa-\"");
    QCOMPARE(edit.text(), QString("r9aa-\""));
    edit.setReadOnly(true);
    QTest::keyClicks(&edit, "X");
    QCOMPARE(edit.text(), QString("r9aa-\""));
}

void EntryFilterTest::noInputMethodWritesIntoTheField_data()
{
    QTest::addColumn<QString>("preedit");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<bool>("wasReadOnly"); // HAM mode and back makes the field writable again
    QTest::newRow("dead key, then e") << "'" << QStringLiteral("é") << false;
    QTest::newRow("dead key, then space") << "\""
                                          << "\"" << false;
    QTest::newRow("after read-only") << "" << QStringLiteral("é") << true;
    QTest::newRow("a plain letter") << ""
                                    << "a" << false;
}

void EntryFilterTest::noInputMethodWritesIntoTheField()
{
    QFETCH(QString, preedit);
    QFETCH(QString, commit);
    QFETCH(bool, wasReadOnly);
    EntryEdit edit(EntryField::WorkedCall, nullptr);
    edit.setText("R");
    if (wasReadOnly) {
        edit.setReadOnly(true);
        edit.setReadOnly(false);
    }
    QVERIFY(!edit.testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(!edit.inputMethodQuery(Qt::ImEnabled).toBool());
    QInputMethodEvent composing(preedit, {});
    QApplication::sendEvent(&edit, &composing);
    QInputMethodEvent committed;
    committed.setCommitString(commit);
    QApplication::sendEvent(&edit, &committed);
    QCOMPARE(edit.text(), QString("R"));
}

QTEST_MAIN(EntryFilterTest)
#include "tst_entryfilter.moc"
