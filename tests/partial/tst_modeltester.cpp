#include "tempdir.h"
#include "testqso.h"

#include "entry/logmodel.h"
#include "partial/partialcalls.h"
#include "partial/partiallistmodel.h"
#include "repeats/repeatlistmodel.h"
#include "stats/statstablemodel.h"
#include "stats/statstally.h"
#include "store/store.h"

#include <QAbstractItemModelTester>
#include <QtTest>

/// Every model a view of the program shows keeps Qt's model rules through
/// what the program does to it: filled, scrolled on, changed and emptied.
class ModelTesterTest : public QObject {
    Q_OBJECT
private slots:
    void logModel();
    void repeatList();
    void partialList();
    void statsTable();
};

namespace {
using Tester = QAbstractItemModelTester;
constexpr auto kReport = QAbstractItemModelTester::FailureReportingMode::QtTest;

/// A store of n QSOs heard from UA<i>A, worked RA3B on 14000 CW, tour 0.
void fill(Store &store, int n)
{
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < n; ++i)
        qsos.push_back(TestQso().heard(QStringLiteral("UA%1A").arg(i), QString::number(i)).worked("RA3B", "015"));
    addQsos(store.path(), qsos);
}
} // namespace

void ModelTesterTest::logModel()
{
    TestFolder folder;
    Store store(folder.storePath());
    fill(store, 3);
    LogModel log(store);
    Tester tester(&log, kReport);
    log.reload();
    log.append(TestQso().heard("UA9X", "7").worked("RN3C", "016"));
    log.remove(1);
    log.clear();
    QCOMPARE(log.rowCount(), 0);
}

void ModelTesterTest::repeatList()
{
    TestFolder folder;
    Store store(folder.storePath());
    fill(store, 150);
    RepeatListModel list(store, [] { return RepeatContext{"UA1A", "RA3B", "14000", "CW", "0"}; });
    Tester tester(&list, kReport);
    list.show("RA3B");
    while (list.canFetchMore({}))
        list.fetchMore({});
    QCOMPARE(list.rowCount(), 150);
    list.show("UA1A");
    list.show(QString());
}

void ModelTesterTest::partialList()
{
    TestFolder folder;
    Store store(folder.storePath());
    fill(store, 300);
    PartialCalls calls(store);
    calls.reloadLog();
    QTRY_VERIFY(calls.logReady());
    PartialListModel list(calls, store, [] { return RepeatContext{"", "", "14000", "CW", "0"}; });
    Tester tester(&list, kReport);
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

void ModelTesterTest::statsTable()
{
    StatsTally tally;
    StatsTableModel table(tally, StatsTableModel::Figure::Points);
    Tester tester(&table, kReport);
    table.refresh({"14000"});
    tally.add(QsoTally{"14000", "1", "2026-12-08", "1200", 3, 2});
    tally.add(QsoTally{"3500", "2", "2026-12-08", "1201", 1, 0});
    table.refresh({"14000", "3500"});
    tally.clear();
    table.refresh({});
}

QTEST_MAIN(ModelTesterTest)
#include "tst_modeltester.moc"
