#include "platformfiles.h"
#include "rawdb.h"
#include "tempdir.h"

#include "store/store.h"
#include "store/storeerror.h"
#include "store/storefiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <optional>

namespace {

/// The probe is built beside this test.
QString probeProgram()
{
    const QFileInfo self(QCoreApplication::applicationFilePath());
    return self.path() + QStringLiteral("/storeprobe") + (self.suffix().isEmpty() ? "" : "." + self.suffix());
}

/// storeprobe in its own process; it stays until killed or released.
struct Probe {
    QProcess process;

    bool start(const QStringList &args)
    {
        process.start(probeProgram(), args);
        return process.waitForStarted(10000);
    }
    /// The line the probe printed once it did its work.
    QString answer()
    {
        while (!process.canReadLine() && process.state() == QProcess::Running)
            process.waitForReadyRead(10000);
        return QString::fromUtf8(process.readLine()).trimmed();
    }
    void kill()
    {
        process.kill(); // SIGKILL, or TerminateProcess: no chance to tidy up
        process.waitForFinished(10000);
    }
    ~Probe()
    {
        if (process.state() != QProcess::NotRunning)
            kill();
    }
};

} // namespace

/// The store as other processes meet it: killed ones and running ones.
class StoreProcessesTest : public QObject {
    Q_OBJECT
private slots:
    void killedProcessLeavesEveryConfirmedQsoInTheFileAlone();
    void killedFirstStartLeavesAWholeStoreOrNone();
    void killedClearLeavesTheOldLogOrTheClearedOneAndABackupWholeOrNone();
    void secondProgramIsRefusedWhileTheFirstRuns();
    void clearWaitsForAProgramThatHoldsTheLogForAMoment_data();
    void clearWaitsForAProgramThatHoldsTheLogForAMoment();
    void troubleWithAStoreIsNamedNeverCalledForeign_data();
    void troubleWithAStoreIsNamedNeverCalledForeign();
};

void StoreProcessesTest::killedProcessLeavesEveryConfirmedQsoInTheFileAlone()
{
    TestFolder folder;
    {
        Store store(folder.storePath());
        store.addQso(makeQso("UA1AAA"));
    }
    Probe probe;
    QVERIFY(probe.start({"record", folder.storePath(), "UB2BBB"}));
    QVERIFY(probe.answer().startsWith("recorded"));
    probe.kill();
    // What a user copies from the folder after the crash: the one file.
    TestFolder elsewhere;
    QVERIFY(QFile::copy(folder.storePath(), elsewhere.storePath()));
    Store copy(elsewhere.storePath());
    QStringList calls;
    for (const QsoRecord &q : copy.qsosFrom(0, 10))
        calls << q.call1;
    QCOMPARE(calls, QStringList({"UA1AAA", "UB2BBB"}));
}

void StoreProcessesTest::killedFirstStartLeavesAWholeStoreOrNone()
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        TestFolder folder;
        Probe probe;
        QVERIFY(probe.start({"open", folder.storePath()}));
        // Killed the moment the store's name appears.
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(folder.storePath()) && waited.elapsed() < 10000 &&
               probe.process.state() == QProcess::Running) {
        }
        probe.kill();
        if (!QFile::exists(folder.storePath()))
            continue;
        Store store(folder.storePath());
        try {
            QVERIFY(store.contests().size() >= 12);
        } catch (const StoreError &e) {
            QFAIL(qPrintable(QString("attempt %1: %2").arg(attempt).arg(e.text())));
        }
    }
}

namespace {

/// The QSOs in the file at path alone, as a user's copy of it holds them;
/// -1 when that file is not whole.
int qsosInTheFileAlone(const QString &path)
{
    TestFolder elsewhere;
    if (!QFile::copy(path, elsewhere.storePath()))
        return -1;
    RawDb db(elsewhere.storePath());
    return db.value("PRAGMA integrity_check").toString() == "ok" ? db.value("SELECT count(*) FROM qso").toInt() : -1;
}

} // namespace

// Killed at any moment of "Очистить лог", the file alone is the old log or
// the cleared one, and the backup is whole or not there.
void StoreProcessesTest::killedClearLeavesTheOldLogOrTheClearedOneAndABackupWholeOrNone()
{
    TestFolder original;
    const int qsos = 100000;
    storeWithMarkedQsos(original.storePath(), qsos);
    QElapsedTimer clearing;
    {
        TestFolder folder;
        QVERIFY(QFile::copy(original.storePath(), folder.storePath()));
        Probe whole;
        QVERIFY(whole.start({"clear", folder.storePath(), folder.file("backup.mdb")}));
        QCOMPARE(whole.answer(), QString("clearing"));
        clearing.start();
        QCOMPARE(whole.answer(), QString("cleared"));
    }
    const qint64 span = clearing.elapsed();
    for (int attempt = 0; attempt < 8; ++attempt) {
        TestFolder folder;
        QVERIFY(QFile::copy(original.storePath(), folder.storePath()));
        Probe probe;
        QVERIFY(probe.start({"clear", folder.storePath(), folder.file("backup.mdb")}));
        QCOMPARE(probe.answer(), QString("clearing"));
        // Some kills land after the end, on the cleared store.
        QTest::qSleep(int(QRandomGenerator::global()->bounded(span * 3 / 2 + 1)));
        probe.kill();
        const QString at = QString("attempt %1").arg(attempt);
        const int left = qsosInTheFileAlone(folder.storePath());
        QVERIFY2(left == qsos || left == 0, qPrintable(at + QString(": %1 QSOs").arg(left)));
        if (QFile::exists(folder.file("backup.mdb")))
            QVERIFY2(qsosInTheFileAlone(folder.file("backup.mdb")) == qsos, qPrintable(at));
        // The next start clears away what the killed one left half made.
        Store store(folder.storePath());
        store.open();
        const QStringList hidden = QDir(folder.file("")).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(hidden.size() <= 2, qPrintable(at + ": " + hidden.join(' ')));
    }
}

void StoreProcessesTest::clearWaitsForAProgramThatHoldsTheLogForAMoment_data()
{
    QTest::addColumn<int>("heldMs");
    QTest::newRow("held 0.6 s") << 600;
    QTest::newRow("held 6 s") << 6000;
}

// Windows cannot replace a file another program holds open; an antivirus
// or a backup tool lets go within a moment.
void StoreProcessesTest::clearWaitsForAProgramThatHoldsTheLogForAMoment()
{
    QFETCH(int, heldMs);
    TestFolder folder;
    Store store(folder.storePath());
    store.addQso(makeQso("UA1AAA"));
    Probe holder;
    QVERIFY(holder.start({"hold", folder.storePath(), QString::number(heldMs)}));
    QCOMPARE(holder.answer(), QString("held"));
    const bool waitedFor = heldMs < 2000 || StoreFiles::kReplacesOpenFiles;
    QElapsedTimer took;
    took.start();
    try {
        store.clearQsos();
        QVERIFY(waitedFor);
    } catch (const StoreError &e) {
        QVERIFY2(!waitedFor, qPrintable(e.text()));
        QVERIFY(took.elapsed() >= 1900 && took.elapsed() < heldMs);
    }
    QCOMPARE(int(store.qsosFrom(0, 10).size()), waitedFor ? 0 : 1);
}

void StoreProcessesTest::secondProgramIsRefusedWhileTheFirstRuns()
{
    TestFolder folder;
    {
        Store store(folder.storePath());
        store.addQso(makeQso("UA1AAA"));
    }
    Probe first;
    QVERIFY(first.start({"open", folder.storePath()}));
    QCOMPARE(first.answer(), QString("open"));
    {
        Store second(folder.storePath());
        try {
            second.addQso(makeQso("UB2BBB"));
            QFAIL("a second program wrote to the store");
        } catch (const StoreError &e) {
            QVERIFY2(e.text().contains("открыт другой копией программы Vireok"), qPrintable(e.text()));
        }
    }
    // The system drops the lock with the process, however it ends.
    first.kill();
    Store store(folder.storePath());
    {
        Store sameProcess(folder.storePath());
        store.addQso(makeQso("UB2BBB"));
        QCOMPARE(sameProcess.qsoIds().size(), size_t(2));
    }
    // A cleared log is a new file put in the old one's place: held all the same.
    store.clearQsos();
    store.addQso(makeQso("UB2BBB"));

    Probe late;
    QVERIFY(late.start({"record", folder.storePath(), "UC3CCC"}));
    const QString answer = late.answer();
    QVERIFY2(answer.startsWith("error ") && answer.contains("открыт другой копией программы Vireok"),
             qPrintable(answer));
    QCOMPARE(store.qsoIds().size(), size_t(1));
}

void StoreProcessesTest::troubleWithAStoreIsNamedNeverCalledForeign_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<QString>("expected");
    QTest::newRow("read-only folder") << "folder"
                                      << "доступна только для чтения";
    QTest::newRow("read-only file") << "file"
                                    << "файл доступен только для чтения";
    QTest::newRow("held by another program") << "locked"
                                             << "файл занят другой программой";
    QTest::newRow("damaged") << "damaged"
                             << "файл базы данных повреждён";
}

// A user told "not a Vireok store" may delete a real log.
void StoreProcessesTest::troubleWithAStoreIsNamedNeverCalledForeign()
{
    QFETCH(QString, trouble);
    QFETCH(QString, expected);
    TestFolder folder;
    storeWithMarkedQsos(folder.storePath(), 1000);
    std::optional<RawDb> other;
    if (trouble == "damaged") {
        QFile f(folder.storePath());
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(100); // the table of tables starts here, after the file header
        f.write(QByteArray(8, '\xff'));
    } else if (trouble == "locked") {
        other.emplace(folder.storePath());
        QVERIFY(other->exec("BEGIN EXCLUSIVE"));
    }
    const auto bytes = [&] {
        QFile f(folder.storePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    QString text;
    if (trouble == "folder" || trouble == "file") {
        if (trouble == "folder" && !PlatformFiles::kPermissionBits)
            QSKIP("a folder's access list keeps files out of it here, which this test cannot change");
        if (!PlatformFiles::kPermissionBits && PlatformFiles::ignoresReadOnly())
            QSKIP("this user writes to read-only files (Wine run as root)");
        // The probe must be reachable for the ordinary user, wherever the build is.
        TestFolder bin;
        const QString probeCopy = bin.file(QFileInfo(probeProgram()).fileName());
        QVERIFY(QFile::copy(probeProgram(), probeCopy));
        QFile::setPermissions(bin.file(""), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(probeCopy, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        const auto readOnly = QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup;
        const auto folderRights = readOnly | QFile::ExeOwner | QFile::ExeOther | QFile::ExeGroup;
        QFile::setPermissions(folder.storePath(), trouble == "file" ? readOnly : readOnly | QFile::WriteOwner);
        QFile::setPermissions(folder.file(""), trouble == "folder" ? folderRights : folderRights | QFile::WriteOwner);
        Probe probe;
        PlatformFiles::startAsOrdinaryUser(probe.process, probeCopy, {"record", folder.storePath(), "UB2BBB"},
                                           {folder.file(""), folder.storePath()});
        QVERIFY(probe.process.waitForStarted(10000));
        text = probe.answer();
        QVERIFY2(text.startsWith("error "), qPrintable(text));
        QFile::setPermissions(folder.file(""), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else {
        Store store(folder.storePath());
        store.setBusyTimeout(100);
        try {
            store.addQso(makeQso("UB2BBB"));
            QFAIL("the QSO was recorded");
        } catch (const StoreError &e) {
            text = e.text();
        }
        // Once the trouble is over the store stays failed for this run:
        // the window shows no log that is not the file's.
        other.reset();
        QVERIFY_THROWS_EXCEPTION(StoreError, store.addQso(makeQso("UB2BBB")));
    }
    QVERIFY2(text.contains(expected), qPrintable(text));
    QVERIFY2(!text.contains("не является"), qPrintable(text));
    QVERIFY2(text.contains("vireok.mdb"), qPrintable(text));
    QCOMPARE(bytes(), before);
}

QTEST_GUILESS_MAIN(StoreProcessesTest)
#include "tst_storeprocesses.moc"
