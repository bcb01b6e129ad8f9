#include "typing.h"

#include "entry/entryedit.h"
#include "entry/entryfilter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QtTest>

class EntryFilterTest : public QObject {
    Q_OBJECT
private slots:
    void typedTextComesOutFiltered_data();
    void typedTextComesOutFiltered();
    void everyCyrillicKeyGivesItsLatinLetter();
    void clipboardShortcutsDoNothingButShiftInsertPastes();
    void programTextIsNotFiltered();
    void noInputMethodWritesIntoTheField_data();
    void noInputMethodWritesIntoTheField();
};

void EntryFilterTest::typedTextComesOutFiltered_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::newRow("latin small") << "ua3/p"
                                 << "UA3/P";
    QTest::newRow("russian layout") << "гф3.з"
                                    << "UA3/P";
    QTest::newRow("russian capitals") << "ГФ3.З"
                                      << "UA3/P";
    QTest::newRow("backslash") << "ua3\\p"
                               << "UA3/P";
    QTest::newRow("dot") << "ua3.p"
                         << "UA3/P";
    QTest::newRow("dropped signs") << "\",-Жж"
                                   << "";
    QTest::newRow("dropped keys of [ ] ; ' ` ,") << "хъэбюё"
                                                 << "";
    QTest::newRow("kept signs") << "%&'("
                                << "%&'(";
    QTest::newRow("blank kept") << "59 9"
                                << "59 9";
    QTest::newRow("other non-ascii dropped") << "é€ß№"
                                             << "";
    QTest::newRow("other punctuation dropped") << "!?*+=:;<>@#$)[]{}_|~^`"
                                               << "";
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

void EntryFilterTest::clipboardShortcutsDoNothingButShiftInsertPastes()
{
    QGuiApplication::clipboard()->setText("ua\"1");
    EntryEdit edit(EntryField::WorkedCall, nullptr);
    edit.setText("R");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("R"));
    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("R"));
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(edit.text(), QString("Rua\"1"));
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
