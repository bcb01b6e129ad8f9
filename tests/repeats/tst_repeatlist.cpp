#include "tempdir.h"

#include "repeats/repeatlistmodel.h"
#include "store/store.h"

#include <QAbstractItemModelTester>
#include <QtTest>

/// The repeat list as the window reads it, without the window.
class RepeatListTest : public QObject {
    Q_OBJECT
private slots:
    void keepsQtsModelRules();
};

// Filled, scrolled to its end and emptied as the window does it.
void RepeatListTest::keepsQtsModelRules()
{
    TestFolder folder;
    Store store(folder.storePath());
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < 150; ++i)
        qsos.push_back(TestQso().heard(QStringLiteral("UA%1A").arg(i), QString::number(i)).worked("RA3B", "015"));
    addQsos(store.path(), qsos);
    RepeatListModel list(store, [] { return RepeatContext{"UA1A", "RA3B", "14000", "CW", "0"}; });
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.show("RA3B");
    while (list.canFetchMore({}))
        list.fetchMore({});
    QCOMPARE(list.rowCount(), 150);
    list.show("UA1A");
    list.show(QString());
}

QTEST_GUILESS_MAIN(RepeatListTest)
#include "tst_repeatlist.moc"
