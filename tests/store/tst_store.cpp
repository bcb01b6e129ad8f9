#include "platformfiles.h"
#include "rawdb.h"
#include "tempdir.h"

#include "store/store.h"
#include "store/storeerror.h"

#include <QDir>
#include <QSqlQuery>
#include <QtTest>

class StoreTest : public QObject {
    Q_OBJECT
private slots:
    void missingFileIsCreatedWithTheFourTablesAndStarterContests();
    void qsosComeBackUnchangedInTheOrderOfAdding();
    void editKeepsIdAndTour();
    void deleteRemovesOnlyTheRowWithThatId();
    void pointsCountLeavesOutEmptyAndValuelessNr2();
    void singleRowIsCreatedOnceAndChangedInPlace();
    void onlyTheFirstOfTwoLogRowsIsReadAndChanged();
    void contestKeepsItsPositionAfterChangesAndAdditions();
    void contestDeletionMatchesTheWholeNameQuotesIncluded();
    void repeatCountsCompareBandModeCallAndTourAsText();
    void repeatListHoldsHeardAndNonEmptyWorkedMatches();
    void secondStoreOnTheSameFileSeesChanges();
    void readOnlyStoreReportsTheErrorAndKeepsTheData();
    void missingTableIsReportedWithTheStoresText();
    void clearingKeepsEverythingButTheQsosWhereverTheNameLeads_data();
    void clearingKeepsEverythingButTheQsosWhereverTheNameLeads();
    void olderStoreIsUpgradedOnACopyAndTheOldFileKept();
    void leftoversOfAKilledProgramAreRemovedAtStart();
    void copyOfTheStoreFileAloneHoldsEveryConfirmedChange_data();
    void copyOfTheStoreFileAloneHoldsEveryConfirmedChange();
    void damagedPageIsAnErrorNotTheEndOfTheLog_data();
    void damagedPageIsAnErrorNotTheEndOfTheLog();
};

void StoreTest::missingFileIsCreatedWithTheFourTablesAndStarterContests()
{
    TestFolder folder;
    {
        Store store(folder.storePath());
        store.open();
        QVERIFY(QFile::exists(folder.storePath()));
        const auto contests = store.contests();
        QVERIFY(contests.size() >= 12);
        QCOMPARE(contests.front().value("contesten"), QString("CQ-WW-CW"));
        QCOMPARE(contests.front().value("TUR4E"), QString("00:00:00"));
        // Each with the mode its rules name, as a listener enters it.
        const QStringList modes{"CQ-WW-CW CW", "CQ-WW-SSB SSB",  "CQ-WPX-CW CW",  "CQ-WPX-SSB SSB",
                                "RDXC MIXED",  "RDAC MIXED",     "RAEM CW",       "IARU-HF MIXED",
                                "EU-HF MIXED", "OK-OM-DX MIXED", "ARRL-DX-CW CW", "ARRL-DX-SSB SSB"};
        QStringList stored;
        for (const Record &c : contests) {
            stored << c.value("contesten") + ' ' + c.value("CATEGORY-MODE");
            QCOMPARE(c.value("CATEGORY-TRANSMITTER"), QString("SWL"));
            QCOMPARE(c.value("CATEGORY-BAND"), QString("ALL "));
        }
        QCOMPARE(stored, modes);
        QCOMPARE(store.readLog().value("CALLSIGN"), QString(""));
    }
    {
        RawDb raw(folder.storePath());
        QCOMPARE(raw.db().tables(), QStringList({"qso", "log", "contest", "operator"}));
        QCOMPARE(raw.value("SELECT name FROM pragma_table_info('qso')").toString(), QString("id"));
        // The counts of the repeat check must use an index, not scan the table.
        QSqlQuery q(raw.db());
        QVERIFY(q.exec("EXPLAIN QUERY PLAN SELECT count(*) FROM qso WHERE call2='A' AND band='B' AND mode='C' AND "
                       "tur='D'") &&
                q.next());
        QVERIFY2(q.value(3).toString().contains("INDEX"), qPrintable(q.value(3).toString()));
    }

    // An existing store is never given rows it did not have.
    Store again(folder.storePath());
    again.deleteContest("CQ-WW-CW");
    Store third(folder.storePath());
    third.open();
    QCOMPARE(third.contests().front().value("contesten"), QString("CQ-WW-SSB"));
}

void StoreTest::qsosComeBackUnchangedInTheOrderOfAdding()
{
    TestFolder folder;
    Store store(folder.storePath());
    QsoRecord first = TestQso().heard("UA1AAA", "001 ").worked("RA3BBB", "015");
    first.call2 = QStringLiteral("РА3БББ"); // Cyrillic text survives
    const qint64 a = store.addQso(first);
    const qint64 b = store.addQso(makeQso("UA9A", "002"));
    QVERIFY(b > a);

    const auto ids = store.qsoIds();
    QCOMPARE(ids, (std::vector<qint64>{a, b}));
    const auto rows = store.qsosFrom(a, 10);
    QCOMPARE(rows.size(), size_t(2));
    QCOMPARE(rows[0].nr1, QString("001 "));
    QCOMPARE(rows[0].call2, QString("РА3БББ"));
    QCOMPARE(rows[1].call2, QString(""));
    QVERIFY(!rows[1].call2.isNull());
    QCOMPARE(rows[1].tur, QString("0"));
}

void StoreTest::editKeepsIdAndTour()
{
    TestFolder folder;
    Store store(folder.storePath());
    const qint64 id = store.addQso(TestQso().heard("UA1A").tour("2"));
    QsoRecord changed = TestQso().heard("UA1A").band("7000").tour("4");
    store.updateQso(id, changed);
    const auto rows = store.qsosFrom(id, 1);
    QCOMPARE(rows[0].band, QString("7000"));
    QCOMPARE(rows[0].tur, QString("2"));
    QCOMPARE(rows[0].id, id);
}

void StoreTest::deleteRemovesOnlyTheRowWithThatId()
{
    TestFolder folder;
    Store store(folder.storePath());
    const qint64 a = store.addQso(makeQso("UA1A"));
    const qint64 b = store.addQso(makeQso("UA1A"));
    store.deleteQso(a);
    QCOMPARE(store.qsoIds(), std::vector<qint64>{b});
    // A row that is no longer in the file is an error, never a quiet success.
    QVERIFY_THROWS_EXCEPTION(StoreError, store.deleteQso(a));
    QVERIFY_THROWS_EXCEPTION(StoreError, store.updateQso(a, makeQso("UA1B")));
    QCOMPARE(store.qsoIds(), std::vector<qint64>{b});
    store.clearQsos();
    QVERIFY(store.qsoIds().empty());
}

void StoreTest::pointsCountLeavesOutEmptyAndValuelessNr2()
{
    TestFolder folder;
    Store store(folder.storePath());
    store.addQso(TestQso().heard("UA1A").worked("RA3B", "15"));
    store.addQso(TestQso().heard("UA1B", "002").worked("RA3C"));
    store.addQso(TestQso().heard("UA1C", "003").worked("RA3C", " "));
    QVERIFY(RawDb(folder.storePath()).exec("INSERT INTO qso (band, call1, nr1) VALUES ('14000', 'UA1D', '004')"));
    // A blank is a value: only empty text and no value at all are left out.
    QCOMPARE(store.workedNumberCount(), qint64(2));
    QCOMPARE(store.qsosFrom(0, 10).back().nr2, QString(""));
}

void StoreTest::singleRowIsCreatedOnceAndChangedInPlace()
{
    TestFolder folder;
    Store store(folder.storePath());
    QCOMPARE(store.readOperator().value("CALL"), QString(""));
    store.writeOperator({{"CALL", " R9AA "}, {"FAM", "Иванов"}});
    store.writeOperator({{"CALL", "R9AB"}});
    QCOMPARE(store.readOperator().value("call"), QString("R9AB"));
    QCOMPARE(store.readOperator().value("FAM"), QString("Иванов"));

    store.writeLog({{"CALLSIGN", " R9AA "}});
    store.writeLog({{"CONTEST", "RDXC"}});
    const Record log = store.readLog();
    QCOMPARE(log.value("CALLSIGN"), QString(" R9AA "));
    QCOMPARE(log.value("CONTEST"), QString("RDXC"));
    QCOMPARE(log.value("TUR1B"), QString("")); // never written: the empty text
}

void StoreTest::onlyTheFirstOfTwoLogRowsIsReadAndChanged()
{
    TestFolder folder;
    {
        Store store(folder.storePath());
        store.open();
    }
    QVERIFY(RawDb(folder.storePath()).exec("INSERT INTO log (CALLSIGN) VALUES ('FIRST'), ('SECOND')"));
    Store store(folder.storePath());
    QCOMPARE(store.readLog().value("CALLSIGN"), QString("FIRST"));
    store.writeLog({{"CALLSIGN", "CHANGED"}});
    QCOMPARE(store.readLog().value("CALLSIGN"), QString("CHANGED"));
    QCOMPARE(RawDb(folder.storePath()).value("SELECT CALLSIGN FROM log ORDER BY rowid LIMIT 1 OFFSET 1").toString(),
             QString("SECOND"));
}

void StoreTest::contestKeepsItsPositionAfterChangesAndAdditions()
{
    TestFolder folder;
    Store store(folder.storePath());
    const auto before = store.contests();
    store.changeContest(2, {{"SOAPBOX", "changed"}, {"CATEGORY-BAND", "20M "}});
    store.addContest({{"contesten", "NEW"}, {"contestru", "Новый"}});
    const auto after = store.contests();
    QCOMPARE(after.size(), before.size() + 1);
    QCOMPARE(after[1].value("contesten"), before[1].value("contesten"));
    QCOMPARE(after[1].value("CATEGORY-BAND"), QString("20M "));
    QCOMPARE(after.back().value("contestru"), QString("Новый"));
    QCOMPARE(after.back().value("SOAPBOX"), QString(""));
    QVERIFY_THROWS_EXCEPTION(StoreError, store.changeContest(int(after.size()) + 1, {{"SOAPBOX", "x"}}));
}

void StoreTest::contestDeletionMatchesTheWholeNameQuotesIncluded()
{
    TestFolder folder;
    Store store(folder.storePath());
    const size_t start = store.contests().size();
    store.addContest({{"contesten", "O'BRIEN"}, {"contestru", ""}});
    store.addContest({{"contesten", "TWIN"}, {"contestru", "1"}});
    store.addContest({{"contesten", "TWIN"}, {"contestru", "2"}});
    QCOMPARE(store.deleteContest("O'BRIEN"), 1);
    QCOMPARE(store.deleteContest("TWIN"), 2);
    QCOMPARE(store.deleteContest("TWI"), 0);
    QCOMPARE(store.contests().size(), start);
}

void StoreTest::repeatCountsCompareBandModeCallAndTourAsText()
{
    TestFolder folder;
    Store store(folder.storePath());
    store.addQso(TestQso().heard("UA1A").worked("RA3B", "015").tour("1"));
    store.addQso(TestQso().heard("RA3B", "002").worked("UA1A", "016").tour("1"));
    store.addQso(TestQso().heard("UA1A", "003"));
    store.addQso(TestQso().heard("UA\"1", "004").tour("1")); // pasted text, bound safely

    QCOMPARE(store.heardRepeatCount("14000", "CW", "UA1A", "1"), qint64(1));
    QCOMPARE(store.workedRepeatCount("14000", "CW", "UA1A", "1"), qint64(1));
    QCOMPARE(store.heardRepeatCount("14000", "CW", "UA1A", "0"), qint64(1));
    QCOMPARE(store.heardRepeatCount("7000", "CW", "UA1A", "1"), qint64(0));
    QCOMPARE(store.heardRepeatCount("14000", "PH", "UA1A", "1"), qint64(0));
    QCOMPARE(store.heardRepeatCount("14000", "CW", "ua1a", "1"), qint64(0));
    QCOMPARE(store.heardRepeatCount("14000", "CW", "UA\"1", "1"), qint64(1));
    // Logged in tour 1, typed again in tour 2: a new QSO, not a repeat.
    QCOMPARE(store.heardRepeatCount("14000", "CW", "UA1A", "2"), qint64(0));
    QCOMPARE(store.workedRepeatCount("14000", "CW", "UA1A", "2"), qint64(0));
    using Counts = std::vector<std::pair<qint64, qint64>>;
    for (const char *call : {"UA1A", "RA3B"}) {
        QCOMPARE(store.repeatCounts("14000", "CW", "2", {call}), (Counts{{0, 0}}));
        QCOMPARE(store.repeatCounts("14000", "CW", "1", {call}), (Counts{{1, 1}}));
    }
    QCOMPARE(store.repeatCounts("14000", "CW", "1", {"UA1A", "RA3B"}), (Counts{{1, 1}, {1, 1}}));
}

void StoreTest::repeatListHoldsHeardAndNonEmptyWorkedMatches()
{
    TestFolder folder;
    Store store(folder.storePath());
    store.addQso(TestQso().heard("UA1A").tour("1"));
    store.addQso(TestQso().heard("RA3B", "002").worked("UA1A", "016").band("7000").mode("PH").tour("2"));
    store.addQso(makeQso("RA3C", "003"));
    QCOMPARE(store.repeatList("UA1A", 0, 100).size(), size_t(2));
    QCOMPARE(store.repeatList("UA1A", 1, 100).size(), size_t(1));
    QCOMPARE(store.repeatList("UA1A", 0, 1).size(), size_t(1));
    // The empty call matches heard calls that are empty, never empty worked calls.
    QCOMPARE(store.repeatList("", 0, 100).size(), size_t(0));
}

void StoreTest::secondStoreOnTheSameFileSeesChanges()
{
    TestFolder folder;
    Store first(folder.storePath());
    Store second(folder.storePath());
    first.open();
    second.open();
    first.writeLog({{"TUR1B", "10:00:00"}});
    first.addQso(makeQso("UA1A"));
    QCOMPARE(second.readLog().value("TUR1B"), QString("10:00:00"));
    QCOMPARE(second.qsoIds().size(), size_t(1));
}

void StoreTest::readOnlyStoreReportsTheErrorAndKeepsTheData()
{
    if (PlatformFiles::ignoresReadOnly())
        QSKIP("this user writes to read-only files (root, or Wine run as root)");
    TestFolder folder;
    {
        Store store(folder.storePath());
        store.addQso(makeQso("UA1A"));
    }
    QFile::setPermissions(folder.storePath(), QFile::ReadOwner);
    Store store(folder.storePath());
    try {
        store.addQso(makeQso("UA1B"));
        QFAIL("no error");
    } catch (const StoreError &e) {
        QVERIFY(e.text().contains("vireok.mdb"));
    }
}

void StoreTest::missingTableIsReportedWithTheStoresText()
{
    TestFolder folder;
    Store store(folder.storePath());
    store.addQso(makeQso("UA1A"));
    QVERIFY(RawDb(folder.storePath()).exec("DROP TABLE operator"));
    try {
        store.writeOperator({{"CALL", "R9AA"}});
        QFAIL("no error");
    } catch (const StoreError &e) {
        QVERIFY2(e.text().contains("operator"), qPrintable(e.text()));
        QVERIFY2(e.text().contains("vireok.mdb: журнал не удалось прочитать ("), qPrintable(e.text()));
    }
    QCOMPARE(store.qsoIds().size(), size_t(1));
}

namespace {

/// One value read from the file at path by its own connection.
QVariant valueIn(const QString &path, const QString &sql)
{
    return RawDb(path).value(sql);
}

} // namespace

void StoreTest::clearingKeepsEverythingButTheQsosWhereverTheNameLeads_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("the file itself") << "file";
    QTest::newRow("a symbolic link: the file it points to is cleared") << "symlink";
    QTest::newRow("a second hard link: cleared in place, both names see it") << "hardlink";
    QTest::newRow("a folder named in Cyrillic") << "cyrillic";
}

void StoreTest::clearingKeepsEverythingButTheQsosWhereverTheNameLeads()
{
    QFETCH(QString, name);
    if (name == "symlink" && !PlatformFiles::kSymbolicLinks)
        QSKIP("QFile::link makes a shortcut here, which the system does not follow");
    TestFolder folder;
    QVERIFY(QDir(folder.file("")).mkdir("Журнал соревнований"));
    const QString real = name == "symlink"    ? folder.file("real.mdb")
                         : name == "cyrillic" ? folder.file("Журнал соревнований/vireok.mdb")
                                              : folder.storePath();
    const QString opened = name == "cyrillic" ? real : folder.storePath();
    {
        Store store(real);
        store.addQso(makeQso("UA1AAA"));
        store.writeLog({{"CALLSIGN", "R9AA"}});
    }
    QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    if (name == "symlink")
        QVERIFY(QFile::link(real, folder.storePath()));
    if (name == "hardlink")
        QVERIFY(PlatformFiles::hardLink(real, folder.file("other.mdb")));
    Store store(opened);
    QCOMPARE(store.qsoCount(), 1);
    const QString backup = QFileInfo(opened).dir().filePath("backup.mdb");
    store.copyTo(backup);
    QCOMPARE(QFile::permissions(backup), QFile::permissions(real));
    store.clearQsos();
    QCOMPARE(store.qsoCount(), 0);
    store.addQso(makeQso("UB2BBB"));
    QCOMPARE(store.readLog().value("CALLSIGN"), QString("R9AA"));
    QCOMPARE(QFileInfo(opened).isSymLink(), name == "symlink");
    // No working file is left, and the store's own name is not hidden.
    const QDir place(QFileInfo(opened).path());
    QCOMPARE(place.entryList(QDir::Files | QDir::Hidden), place.entryList(QDir::Files));
    QVERIFY(place.entryList(QDir::Files).contains(QFileInfo(opened).fileName()));
    QCOMPARE(valueIn(real, "SELECT group_concat(call1) FROM qso").toString(), QString("UB2BBB"));
    QCOMPARE(valueIn(real, "PRAGMA user_version").toInt(), 2);
    if (PlatformFiles::kPermissionBits)
        QCOMPARE(QFile::permissions(real),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
    if (name == "hardlink")
        QCOMPARE(valueIn(folder.file("other.mdb"), "SELECT count(*) FROM qso").toInt(), 1);
}

void StoreTest::olderStoreIsUpgradedOnACopyAndTheOldFileKept()
{
    TestFolder folder;
    {
        Store store(folder.storePath());
        store.addQso(makeQso("UA1AAA"));
    }
    {
        // As the program before the version wrote it: no indexes, no version.
        RawDb raw(folder.storePath());
        for (const char *sql : {"DROP INDEX qso_heard", "DROP INDEX qso_worked", "DROP INDEX qso_worked_numbers",
                                "DROP INDEX qso_stats", "PRAGMA user_version = 0"})
            QVERIFY(raw.exec(sql));
    }

    Store store(folder.storePath());
    QCOMPARE(store.qsoCount(), 1);
    QCOMPARE(store.upgradeBackup(), folder.file("vireok-v0.mdb"));
    QCOMPARE(valueIn(folder.storePath(), "PRAGMA user_version").toInt(), 2);
    QCOMPARE(valueIn(folder.storePath(), "SELECT count(*) FROM sqlite_master WHERE type = 'index'").toInt(), 4);
    QCOMPARE(valueIn(store.upgradeBackup(), "PRAGMA user_version").toInt(), 0);
    QCOMPARE(valueIn(store.upgradeBackup(), "SELECT call1 FROM qso").toString(), QString("UA1AAA"));
    Store again(folder.storePath());
    again.open();
    QCOMPARE(again.upgradeBackup(), QString());
}

// Hidden files of our own that a killed program left half made go, as does
// the store's journal of a commit killed before it held anything (a
// journal that completes the log after a crash is the engine's to use);
// finished backups and other names stay.
void StoreTest::leftoversOfAKilledProgramAreRemovedAtStart()
{
    TestFolder folder;
    Store(folder.storePath()).open();
    const QStringList ours{".vireok.mdb-new-a1B2c3", ".vireok.mdb-new-a1B2c3-journal", ".vireok.mdb-copy-xYz123",
                           ".vireok.mdb-rebuild-Q9w8e7", ".vireok.mdb-rebuild-Q9w8e7-journal"};
    const QStringList kept{"vireok-2026-12-07-1500.mdb", ".vireok.mdb-new-toolong7", ".other.mdb-new-a1B2c3",
                           "vireok-v0.mdb", "notes.txt"};
    for (const QString &name : ours + kept) {
        QFile f(folder.file(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    QFile journal(folder.file("vireok.mdb-journal"));
    QVERIFY(journal.open(QIODevice::WriteOnly));
    journal.write(QByteArray(512, '\0')); // made, its header not yet written
    journal.close();
    Store store(folder.storePath());
    store.open();
    QStringList expected = kept + QStringList{"vireok.mdb"};
    expected.sort();
    QStringList left = QDir(folder.file("")).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    QCOMPARE(left, expected);
}

void StoreTest::copyOfTheStoreFileAloneHoldsEveryConfirmedChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("record") << "record";
    QTest::newRow("edit") << "edit";
    QTest::newRow("delete") << "delete";
    QTest::newRow("clear") << "clear";
    QTest::newRow("contest settings") << "log";
    QTest::newRow("station") << "operator";
    QTest::newRow("contest list") << "contest";
    QTest::newRow("store made before, by an older version in WAL mode") << "wal";
}

// Users copy vireok.mdb alone, during or after a contest, to back it up or
// hand it in; the copy is what they have.
void StoreTest::copyOfTheStoreFileAloneHoldsEveryConfirmedChange()
{
    QFETCH(QString, change);
    TestFolder folder;
    TestFolder elsewhere;
    const QString copy = elsewhere.storePath();
    if (change == "wal") {
        {
            Store store(folder.storePath());
            store.open();
        }
        {
            RawDb raw(folder.storePath());
            QVERIFY(raw.exec("PRAGMA journal_mode=WAL"));
            QVERIFY(raw.exec("PRAGMA wal_autocheckpoint=0"));
            QVERIFY(raw.exec("INSERT INTO qso (band, call1) VALUES ('14000', 'OLD1')"));
            // The old program was killed: its WAL was never folded back.
            QVERIFY(QFile::copy(folder.storePath() + "-wal", elsewhere.file("saved-wal")));
        }
        QVERIFY(QFile::copy(elsewhere.file("saved-wal"), folder.storePath() + "-wal"));
    }
    {
        Store store(folder.storePath());
        const qint64 a = store.addQso(makeQso("UA1AAA", "001"));
        const qint64 b = store.addQso(makeQso("UA2BBB", "002"));
        QFile::remove(copy);
        QVERIFY(QFile::copy(folder.storePath(), copy));
        QVERIFY(store.qsoIds().size() >= 2);
        if (change == "edit")
            store.updateQso(a, TestQso().heard("UA1AAA").worked("RA3CCC", "015"));
        else if (change == "delete")
            store.deleteQso(b);
        else if (change == "clear")
            store.clearQsos();
        else if (change == "log")
            store.writeLog({{"CALLSIGN", "R9AA"}});
        else if (change == "operator")
            store.writeOperator({{"FAM", "Иванов"}});
        else if (change == "contest")
            store.addContest({{"contesten", "NEW"}, {"contestru", "Новый"}});
        QFile::remove(copy);
        QVERIFY(QFile::copy(folder.storePath(), copy));

        try {
            Store copied(copy);
            const auto rows = copied.qsosFrom(0, 10);
            QStringList calls;
            for (const QsoRecord &r : rows)
                calls << r.call1 + '/' + r.call2;
            const QStringList expected = change == "delete"  ? QStringList{"UA1AAA/"}
                                         : change == "clear" ? QStringList{}
                                         : change == "edit"  ? QStringList{"UA1AAA/RA3CCC", "UA2BBB/"}
                                         : change == "wal"   ? QStringList{"OLD1/", "UA1AAA/", "UA2BBB/"}
                                                             : QStringList{"UA1AAA/", "UA2BBB/"};
            QCOMPARE(calls, expected);
            if (change == "log")
                QCOMPARE(copied.readLog().value("CALLSIGN"), QString("R9AA"));
            if (change == "operator")
                QCOMPARE(copied.readOperator().value("FAM"), QString("Иванов"));
            if (change == "contest")
                QCOMPARE(copied.contests().back().value("contesten"), QString("NEW"));
        } catch (const StoreError &e) {
            QFAIL(qPrintable(e.text()));
        }
    }
    // A clean end leaves the one file and nothing beside it.
    QCOMPARE(QDir(folder.file("")).entryList(QDir::Files | QDir::Hidden), QStringList{"vireok.mdb"});
}

void StoreTest::damagedPageIsAnErrorNotTheEndOfTheLog_data()
{
    QTest::addColumn<QString>("read");
    QTest::newRow("the grid's ids") << "ids";
    QTest::newRow("a page of rows") << "rows";
    QTest::newRow("the points count") << "points";
    QTest::newRow("the repeat list") << "repeats";
}

void StoreTest::damagedPageIsAnErrorNotTheEndOfTheLog()
{
    QFETCH(QString, read);
    TestFolder folder;
    storeWithMarkedQsos(folder.storePath(), 1083);
    // The points count reads the index of worked numbers, not the rows: a
    // bad sector there.
    if (read == "points")
        QVERIFY(damageLeafOf(folder.storePath(), "qso_worked_numbers"));
    else
        QVERIFY(damagePageHolding(folder.storePath(), "N00500-MARK"));
    Store store(folder.storePath());
    try {
        size_t seen = 0;
        if (read == "ids")
            seen = store.qsoIds().size();
        else if (read == "rows")
            seen = store.qsosFrom(0, 5000).size();
        else if (read == "points")
            seen = size_t(store.workedNumberCount());
        else
            seen = store.repeatList("UA1AAA", 0, 5000).size();
        QFAIL(qPrintable(QString("read %1 of 1083 rows and no error").arg(seen)));
    } catch (const StoreError &e) {
        QVERIFY2(e.text().contains("vireok.mdb"), qPrintable(e.text()));
    }
}

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
