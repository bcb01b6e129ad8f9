#include "tempdir.h"

#include "log/logmodel.h"
#include "log/rowids.h"
#include "store/store.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QtTest>

class LogModelTest : public QObject {
    Q_OBJECT
private slots:
    void runsFollowEveryDeletionAndAddition();
    void logWithGapsOpensWithEachRowOnItsQso();
    void keepsQtsModelRules();
};

// Deletions anywhere (first, last, inside a run, a run of one) and
// additions after them, checked against the plain list of ids.
void LogModelTest::runsFollowEveryDeletionAndAddition()
{
    QRandomGenerator random(16);
    RowIds runs;
    runs.assignRun(5, 40);
    std::vector<qint64> ids;
    for (qint64 id = 5; id < 45; ++id)
        ids.push_back(id);
    qint64 next = 45;
    for (int step = 0; step < 400; ++step) {
        if (ids.empty() || random.bounded(3) == 0) {
            next += random.bounded(2); // an id may be skipped
            runs.append(next);
            ids.push_back(next++);
        } else {
            const int row = int(random.bounded(int(ids.size())));
            runs.erase(row);
            ids.erase(ids.begin() + row);
        }
        QCOMPARE(runs.size(), qint64(ids.size()));
        for (size_t row = 0; row < ids.size(); ++row)
            QCOMPARE(runs.at(qint64(row)), ids[row]);
    }
    RowIds copy;
    copy.assign(ids);
    for (size_t row = 0; row < ids.size(); ++row)
        QCOMPARE(copy.at(qint64(row)), ids[row]);
}

void LogModelTest::logWithGapsOpensWithEachRowOnItsQso()
{
    TestFolder folder;
    Store store(folder.storePath());
    std::vector<qint64> added;
    for (const char *call : {"UA1A", "UA2B", "UA3C", "UA4D", "UA5E"})
        added.push_back(store.addQso(TestQso().heard(call).worked("RA1A", "7")));
    store.deleteQso(added[1]);
    store.deleteQso(added[4]);
    LogModel log(store);
    log.reload();
    QCOMPARE(log.rowCount(), 3);
    QCOMPARE(log.record(0).call1, QString("UA1A"));
    QCOMPARE(log.record(1).call1, QString("UA3C"));
    QCOMPARE(log.record(2).call1, QString("UA4D"));
    QCOMPARE(log.points(), 9);
}

// Filled, changed and emptied as the program does it.
void LogModelTest::keepsQtsModelRules()
{
    TestFolder folder;
    Store store(folder.storePath());
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < 3; ++i)
        qsos.push_back(TestQso().heard(QStringLiteral("UA%1A").arg(i), QString::number(i)).worked("RA3B", "015"));
    addQsos(store.path(), qsos);
    LogModel log(store);
    QAbstractItemModelTester tester(&log, QAbstractItemModelTester::FailureReportingMode::QtTest);
    log.reload();
    log.append(TestQso().heard("UA9X", "7").worked("RN3C", "016"));
    log.remove(1);
    log.clear();
    QCOMPARE(log.rowCount(), 0);
}

QTEST_GUILESS_MAIN(LogModelTest)
#include "tst_logmodel.moc"
