#include "store.h"
#include "storeerror.h"
#include "tempdir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>
#include <csignal>

namespace {

/// storeprobe in its own process; it stays until killed or released.
struct Probe {
    QProcess process;

    bool start(const QStringList &args)
    {
        process.start(QStringLiteral(STOREPROBE), args);
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
        ::kill(pid_t(process.processId()), SIGKILL);
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
    void secondProgramIsRefusedWhileTheFirstRuns();
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
        while (!QFile::exists(folder.storePath()) && waited.elapsed() < 10000
               && probe.process.state() == QProcess::Running) {
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
    Store sameProcess(folder.storePath());
    store.addQso(makeQso("UB2BBB"));
    QCOMPARE(sameProcess.qsoIds().size(), size_t(2));

    Probe late;
    QVERIFY(late.start({"record", folder.storePath(), "UC3CCC"}));
    const QString answer = late.answer();
    QVERIFY2(answer.startsWith("error ") && answer.contains("открыт другой копией программы Vireok"),
             qPrintable(answer));
    QCOMPARE(store.qsoIds().size(), size_t(2));
}

QTEST_GUILESS_MAIN(StoreProcessesTest)
#include "tst_storeprocesses.moc"
