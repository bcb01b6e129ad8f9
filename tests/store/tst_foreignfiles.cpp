#include "platformfiles.h"
#include "rawdb.h"
#include "tempdir.h"

#include "store/schema.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QRandomGenerator>
#include <QtTest>

/// A vireok.mdb that is not our store is reported and never written.
class ForeignFilesTest : public QObject {
    Q_OBJECT
private slots:
    void foreignFileIsReportedAndLeftByteIdentical_data();
    void foreignFileIsReportedAndLeftByteIdentical();
    void whatStandsUnderTheStoresNameIsNamed_data();
    void whatStandsUnderTheStoresNameIsNamed();
};

void ForeignFilesTest::foreignFileIsReportedAndLeftByteIdentical_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("expected");
    const QStringList foreign{"не является базой данных Vireok"};
    QTest::newRow("access file") << "access" << foreign;
    QTest::newRow("random bytes") << "random" << foreign;
    QTest::newRow("empty file") << "empty" << foreign;
    QTest::newRow("sqlite without our tables") << "sqlite" << foreign;
    QTest::newRow("sqlite with a field missing") << "partial" << foreign;
    // Our tables with a declared type that would change what is stored.
    const QStringList unusable{"не годится"};
    QTest::newRow("id INTEGER, not the row number")
        << "qso.id=INTEGER" << unusable + QStringList{"поле id", "INTEGER PRIMARY KEY"};
    QTest::newRow("id TEXT") << "qso.id=TEXT PRIMARY KEY" << unusable + QStringList{"поле id", "\"TEXT PRIMARY KEY\""};
    QTest::newRow("nr1 INTEGER") << "qso.nr1=INTEGER" << unusable + QStringList{"qso поле nr1 имеет тип INTEGER"};
    QTest::newRow("time INT") << "qso.time=INT" << unusable + QStringList{"поле time имеет тип INT"};
    QTest::newRow("rst1 REAL") << "qso.rst1=REAL" << unusable + QStringList{"поле rst1 имеет тип REAL"};
    QTest::newRow("log width NUMERIC") << "log.POSNR11=NUMERIC" << unusable + QStringList{"log поле POSNR11"};
    QTest::newRow("station year DECIMAL") << "operator.GODR=DECIMAL(4)" << unusable + QStringList{"DECIMAL(4)"};
    QTest::newRow("contest FLOAT") << "contest.TUR1B=FLOAT" << unusable + QStringList{"contest поле TUR1B"};
    QTest::newRow("id DESC, not the row number")
        << "qso.id=INTEGER PRIMARY KEY DESC" << unusable + QStringList{"поле id", "не делает его номером записи"};
    // Said as what is there: no row numbers at all; a field that is there but computed.
    QTest::newRow("a table without row numbers")
        << "qso.id=INTEGER PRIMARY KEY|WITHOUT ROWID" << unusable + QStringList{"поле id", "WITHOUT ROWID"};
    QTest::newRow("a generated field") << "qso.call1=TEXT GENERATED ALWAYS AS (band)"
                                       << unusable + QStringList{"поле call1 вычисляется"};
    // Our own store, with something added: its statement follows the colon.
    QTest::newRow("trigger deletes what was recorded")
        << "store:CREATE TRIGGER eat AFTER INSERT ON qso BEGIN DELETE FROM qso WHERE id = new.id; END"
        << unusable + QStringList{"триггеры", "eat (таблица qso)"};
    QTest::newRow("trigger on the station table")
        << "store:CREATE TRIGGER upper_call AFTER UPDATE ON operator BEGIN SELECT 1; END"
        << unusable + QStringList{"upper_call (таблица operator)"};
    QTest::newRow("newer version") << "store:PRAGMA user_version = 99"
                                   << QStringList{"более новой версией Vireok", "версия журнала 99"};
    QTest::newRow("largest version") << "store:PRAGMA user_version = 2147483647"
                                     << QStringList{"более новой версией Vireok", "версия журнала 2147483647"};
    QTest::newRow("negative version") << "store:PRAGMA user_version = -1"
                                      << QStringList{"версией -1, какой у Vireok не бывает"};
    QTest::newRow("smallest version") << "store:PRAGMA user_version = -2147483648"
                                      << QStringList{"версией -2147483648, какой у Vireok не бывает"};
}

void ForeignFilesTest::foreignFileIsReportedAndLeftByteIdentical()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, expected);
    TestFolder folder;
    const QString path = folder.storePath();
    if (kind == "access") {
        QByteArray jet(4096, '\0');
        jet.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
        QVERIFY(writeAll(path, jet));
    } else if (kind == "random") {
        QByteArray bytes(8192, '\0');
        for (char &c : bytes)
            c = char(QRandomGenerator::global()->bounded(256));
        QVERIFY(writeAll(path, bytes));
    } else if (kind == "empty") {
        QVERIFY(writeAll(path, {}));
    } else if (kind.startsWith("store:")) {
        Store(path).open();
        QVERIFY(RawDb(path).exec(kind.mid(6)));
    } else if (kind.contains('=')) {
        // table.field=declared type, and after a | the table's options
        const QString table = kind.section('.', 0, 0);
        const QString field = kind.section('.', 1).section('=', 0, 0);
        const QString type = kind.section('=', 1).section('|', 0, 0);
        const QString options = kind.section('|', 1);
        RawDb raw(path);
        for (const QString &t : Schema::tableNames()) {
            QStringList columns;
            if (t == "qso")
                columns << (table == t && field == "id" ? "id " + type : "id INTEGER PRIMARY KEY");
            for (const QString &f : Schema::fieldsOf(t))
                columns << Schema::quoted(f) + ' ' + (t == table && f == field ? type : "TEXT");
            QVERIFY(raw.exec("CREATE TABLE " + Schema::quoted(t) + " (" + columns.join(", ") + ") " +
                             (t == table ? options : QString())));
        }
    } else {
        RawDb raw(path);
        if (kind == "sqlite")
            QVERIFY(raw.exec("CREATE TABLE notes (body TEXT)"));
        else
            for (const char *sql :
                 {"CREATE TABLE qso (id INTEGER PRIMARY KEY, band TEXT)", "CREATE TABLE log (CALLSIGN TEXT)",
                  "CREATE TABLE contest (contesten TEXT)", "CREATE TABLE operator (CALL TEXT)"})
                QVERIFY(raw.exec(sql));
    }
    const QByteArray before = readAll(path);

    Store store(path);
    try {
        store.open();
        QFAIL("a foreign file was opened");
    } catch (const StoreError &e) {
        QVERIFY2(e.text().contains("vireok.mdb"), qPrintable(e.text()));
        for (const QString &part : expected)
            QVERIFY2(e.text().contains(part), qPrintable(e.text()));
        QVERIFY2(e.text().endsWith("файл не изменён"), qPrintable(e.text()));
    }
    QVERIFY_THROWS_EXCEPTION(StoreError, store.addQso(makeQso("UA1A")));
    QCOMPARE(readAll(path), before);
    QVERIFY(!QFile::exists(path + "-wal"));
    QCOMPARE(QDir(folder.file("")).entryList(QDir::Files | QDir::Hidden), QStringList{"vireok.mdb"});
}

void ForeignFilesTest::whatStandsUnderTheStoresNameIsNamed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("link to a missing file") << "dangling"
                                            << "символическая ссылка на";
    QTest::newRow("folder") << "folder"
                            << "это папка";
    QTest::newRow("our tables, id placed last: opens") << "id last"
                                                       << "";
}

void ForeignFilesTest::whatStandsUnderTheStoresNameIsNamed()
{
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    TestFolder folder;
    const QString path = folder.storePath();
    if (kind == "dangling") {
        if (!PlatformFiles::kSymbolicLinks)
            QSKIP("QFile::link makes a shortcut here, which the system does not follow");
        QVERIFY(QFile::link(folder.file("gone.mdb"), path));
    } else if (kind == "folder") {
        QVERIFY(QDir().mkdir(path));
    } else {
        RawDb raw(path);
        for (const QString &t : Schema::tableNames()) {
            QStringList columns;
            for (const QString &f : Schema::fieldsOf(t))
                columns << Schema::quoted(f) + " TEXT";
            if (t == "qso")
                columns << "id INTEGER PRIMARY KEY";
            QVERIFY(raw.exec("CREATE TABLE " + t + " (" + columns.join(", ") + ")"));
        }
    }
    Store store(path);
    try {
        store.addQso(makeQso("UA1A"));
        QCOMPARE(store.qsosFrom(0, 5).at(0).call1, QString("UA1A"));
        QVERIFY2(expected.isEmpty(), "opened");
    } catch (const StoreError &e) {
        QVERIFY2(!expected.isEmpty() && e.text().contains(expected), qPrintable(e.text()));
    }
    QVERIFY(!QFile::exists(folder.file("gone.mdb")));
}

QTEST_GUILESS_MAIN(ForeignFilesTest)
#include "tst_foreignfiles.moc"
