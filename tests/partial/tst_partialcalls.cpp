#include "tempdir.h"

#include "partial/callindex.h"
#include "partial/knowncalls.h"
#include "partial/partialcalls.h"
#include "partial/partiallistmodel.h"
#include "store/store.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QtTest>

/// The known-calls file and the index that finds calls by a fragment.
class PartialCallsTest : public QObject {
    Q_OBJECT
private slots:
    void listKeepsQtsModelRules();
    void knownCallsFile_data();
    void knownCallsFile();
    void knownCallsFileIsFoundInAnyCase();
    void indexFindsWhatAPlainScanFinds();
    void qsoRecordedWhileTheLogsCallsAreOnTheirWayIsKept();
};

void PartialCallsTest::knownCallsFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("calls");
    QTest::addColumn<QString>("error");
    struct Row {
        const char *name;
        QByteArray content;
        const char *calls, *error;
    };
    const Row rows[] = {
        {"lf", "UA1A\nRA3B\n", "RA3B UA1A", ""},
        {"cr lf, no last line end", "UA1A\r\nRA3B", "RA3B UA1A", ""},
        {"comments and blanks", "# calls\n\n  \nUA1A\n#RA3B\n", "UA1A", ""},
        {"twice, small letters", "ua1a\nUA1A\nk1abc/p\n", "K1ABC/P UA1A", ""},
        {"dropped character or too long", "UA1A!\nUA_1\nUA1ABCDEFGHIJKLMNOPQR\nUA1ABCDEFGHIJKLMNOPQ\n",
         "UA1ABCDEFGHIJKLMNOPQ", ""},
        {"not Latin",
         "\xd0\xa3\xd0\x90"
         "1A\nRA3B\n",
         "RA3B", ""},
        {"cr only, as old Macs wrote", "UA1A\rRA3B\r", "RA3B UA1A", ""},
        {"binary", QByteArray("UA1A\n\0\x01\x02RA3B\n", 14), "", "не текстовый"},
        {"25 MB", QByteArray(25 * 1024 * 1024, 'A'), "", "больше 20 МБ"},
        {"one 10 MB line", QByteArray(10 * 1024 * 1024, 'A'), "", "нет ни одного позывного"},
        {"comments only", "# nothing yet\n", "", "нет ни одного позывного"},
        {"a million lines and one", QByteArray("A1\r\n").repeated(1'000'000) + "A2", "", "длиннее 1 000 000 строк"},
        {"a million lines, CR only", QByteArray("A1\r").repeated(1'000'001), "", "длиннее 1 000 000 строк"},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.content << QString::fromLatin1(r.calls) << QString::fromUtf8(r.error);
}

void PartialCallsTest::knownCallsFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, calls);
    QFETCH(QString, error);
    TestFolder folder;
    const QString file = folder.file("MASTER.SCP");
    QVERIFY(writeAll(file, content));
    const std::atomic_bool go(false);
    const KnownCalls known = readKnownCalls(file, go);
    if (content.size() < 1000)
        QCOMPARE(known.calls.join(' '), calls);
    else
        QVERIFY(known.calls.isEmpty());
    QCOMPARE(known.error.isEmpty(), error.isEmpty());
    QVERIFY(known.error.contains(error));
    if (!error.isEmpty())
        QVERIFY(known.error.contains(QDir::toNativeSeparators(file)));
    QVERIFY(
        readKnownCalls(folder.file("none.scp"), go).error.contains(QDir::toNativeSeparators(folder.file("none.scp"))));
}

void PartialCallsTest::knownCallsFileIsFoundInAnyCase()
{
    TestFolder work, program;
    QCOMPARE(knownCallsPath({}, work.file({}), program.file({})), QString());
    QFile(program.file("master.scp")).open(QIODevice::WriteOnly);
    QCOMPARE(knownCallsPath({}, work.file({}), program.file({})), program.file("master.scp"));
    QFile(work.file("Master.Scp")).open(QIODevice::WriteOnly);
    QCOMPARE(knownCallsPath({}, work.file({}), program.file({})), work.file("Master.Scp"));
    QCOMPARE(knownCallsPath("my.scp", work.file({}), program.file({})), QStringLiteral("my.scp"));
}

// Thousands of calls span many blocks of the index; later additions, calls
// taken out and put back must come out exactly as a plain scan finds them.
void PartialCallsTest::indexFindsWhatAPlainScanFinds()
{
    CallIndex index;
    QStringList newestFirst;
    for (int i = 0; i < 3000; ++i) {
        const QString call = QStringLiteral("%1A%2%3").arg(i % 3 ? "U" : "R").arg(i % 97).arg(QChar('A' + i % 26));
        index.add(call);
        if (!newestFirst.contains(call))
            newestFirst << call;
        if (i == 1500)
            index.add(QString(300, 'A')); // no call is that long: left out, the rest unmoved
    }
    index.freeze();
    for (const QString &call : {QStringLiteral("UA5B"), QStringLiteral("UA50B"), QStringLiteral("RA9/P")}) {
        index.touch(call);
        newestFirst.removeAll(call);
        newestFirst.prepend(call);
    }
    index.remove(QStringLiteral("UA1B"));
    newestFirst.removeAll(QStringLiteral("UA1B"));
    index.setListed(QStringLiteral("RA3D"), false);
    index.setListed(QStringLiteral("RA3D"), true);
    for (const QString fragment : {"A5", "A50", "UA1", "A1B", "9/P", "A96Z", "QQ", "RA3D", "AA"}) {
        QStringList found;
        CallIndex::Cursor c = index.find(fragment);
        for (uint32_t entry = 0; index.next(c, entry);)
            found << index.call(entry);
        const QStringList expected = newestFirst.filter(fragment);
        QCOMPARE(found, expected);
        if (fragment.size() <= 3)
            QCOMPARE(index.count(fragment), expected.size());
    }
    QCOMPARE(index.size(), newestFirst.size());

    // Only calls added after the last freeze, down to the very first entry.
    CallIndex late;
    late.touch(QStringLiteral("RA1B/P"));
    late.touch(QStringLiteral("UA1B"));
    QStringList found;
    CallIndex::Cursor c = late.find(QStringLiteral("1B"));
    for (uint32_t entry = 0; late.next(c, entry) && found.size() < 5;)
        found << late.call(entry);
    QCOMPARE(found, QStringList({"UA1B", "RA1B/P"}));
}

// The reader has finished, but its index waits in this thread's queue: a
// QSO recorded then is not in that index and must be added to it.
void PartialCallsTest::qsoRecordedWhileTheLogsCallsAreOnTheirWayIsKept()
{
    TestFolder folder;
    Store store(folder.storePath());
    store.addQso(makeQso("UA1BCD"));
    PartialCalls calls(store);
    calls.reloadLog();
    QThread *reader = calls.findChild<QThread *>();
    QVERIFY(reader && reader->wait(10000));
    QVERIFY(!calls.logReady());
    store.addQso(makeQso("RA9XYZ"));
    calls.logChanged({"RA9XYZ", ""}, {});
    QTRY_VERIFY(calls.logReady());
    for (const QString call : {"UA1BCD", "RA9XYZ"})
        QVERIFY2(calls.log().contains(call), qPrintable(call));
}

// Filled, scrolled on, coloured and emptied as the window does it.
void PartialCallsTest::listKeepsQtsModelRules()
{
    TestFolder folder;
    Store store(folder.storePath());
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < 300; ++i)
        qsos.push_back(TestQso().heard(QStringLiteral("UA%1A").arg(i), QString::number(i)).worked("RA3B", "015"));
    addQsos(store.path(), qsos);
    PartialCalls calls(store);
    calls.reloadLog();
    QTRY_VERIFY(calls.logReady());
    PartialListModel list(calls, store, [] { return RepeatContext{"", "", "14000", "CW", "0"}; });
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (const QString fragment : {"UA", "U", "A1", "UA1", "UA12A", "ZZ"}) {
        list.show(fragment);
        while (list.canFetchMore({}))
            list.fetchMore({});
        for (int row = 0; row < list.rowCount(); ++row)
            list.data(list.index(row), Qt::BackgroundRole);
        list.contextChanged();
    }
    list.show("A");
    QCOMPARE(list.rowCount(), 0);
}

QTEST_GUILESS_MAIN(PartialCallsTest)
#include "tst_partialcalls.moc"
