#include "store.h"
#include "storeerror.h"
#include "tempdir.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

/// A vireok.mdb that is not our store is reported and never written.
class ForeignFilesTest : public QObject {
    Q_OBJECT
private slots:
    void foreignFileIsReportedAndLeftByteIdentical_data();
    void foreignFileIsReportedAndLeftByteIdentical();
};

void ForeignFilesTest::foreignFileIsReportedAndLeftByteIdentical_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("access file") << "access";
    QTest::newRow("random bytes") << "random";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("sqlite without our tables") << "sqlite";
    QTest::newRow("sqlite with a field missing") << "partial";
}

void ForeignFilesTest::foreignFileIsReportedAndLeftByteIdentical()
{
    QFETCH(QString, kind);
    TestFolder folder;
    const QString path = folder.storePath();
    if (kind == "access") {
        QByteArray jet(4096, '\0');
        jet.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
        writeAll(path, jet);
    } else if (kind == "random") {
        QByteArray bytes(8192, '\0');
        for (char &c : bytes)
            c = char(QRandomGenerator::global()->bounded(256));
        writeAll(path, bytes);
    } else if (kind == "empty") {
        writeAll(path, {});
    } else {
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            if (kind == "sqlite")
                QVERIFY(q.exec("CREATE TABLE notes (body TEXT)"));
            else {
                QVERIFY(q.exec("CREATE TABLE qso (id INTEGER PRIMARY KEY, band TEXT)"));
                QVERIFY(q.exec("CREATE TABLE log (CALLSIGN TEXT)"));
                QVERIFY(q.exec("CREATE TABLE contest (contesten TEXT)"));
                QVERIFY(q.exec("CREATE TABLE operator (CALL TEXT)"));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase("foreign");
    }
    const QByteArray before = readAll(path);

    Store store(path);
    try {
        store.open();
        QFAIL("a foreign file was opened");
    } catch (const StoreError &e) {
        QVERIFY2(e.text().contains("vireok.mdb"), qPrintable(e.text()));
        QVERIFY2(e.text().contains("не является базой данных Vireok"), qPrintable(e.text()));
    }
    QVERIFY_THROWS_EXCEPTION(StoreError, store.addQso(makeQso("UA1A")));
    QCOMPARE(readAll(path), before);
    QVERIFY(!QFile::exists(path + "-wal"));
}

QTEST_GUILESS_MAIN(ForeignFilesTest)
#include "tst_foreignfiles.moc"
