#include "tempdir.h"

#include "entry/logmodel.h"
#include "entry/rowids.h"
#include "store/store.h"

#include <QRandomGenerator>
#include <QtTest>

class RowIdsTest : public QObject {
    Q_OBJECT
private slots:
    void runsFollowEveryDeletionAndAddition();
    void logWithGapsOpensWithEachRowOnItsQso();
};

// Deletions anywhere (first, last, inside a run, a run of one) and
// additions after them, checked against the plain list of ids.
void RowIdsTest::runsFollowEveryDeletionAndAddition()
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

void RowIdsTest::logWithGapsOpensWithEachRowOnItsQso()
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

QTEST_GUILESS_MAIN(RowIdsTest)
#include "tst_rowids.moc"
