#include "form/quietscrollbar.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

/// A bar that draws from kept pictures must never show an old one.
class QuietScrollBarTest : public QObject {
    Q_OBJECT
private slots:
    void looksAsAPlainBarThroughAListsChanges();
};

void QuietScrollBarTest::looksAsAPlainBarThroughAListsChanges()
{
    QStandardItemModel model(0, 7);
    QTableView plain, quiet;
    QuietScrollBar::putInto(quiet);
    for (QTableView *view : {&plain, &quiet}) {
        view->setModel(&model);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view->resize(384, 272);
        view->show();
    }
    // One step at a time, each look left and come back to.
    struct Step {
        const char *what;
        int rows, scrolledTo;
        bool enabled;
    };
    const Step steps[] = {
        {"empty", 0, 0, true},          {"filled", 64, 0, true},    {"scrolled", 64, 20, true},
        {"scrolled back", 64, 0, true}, {"shorter", 30, 0, true},   {"emptied", 0, 0, true},
        {"filled again", 64, 0, true},  {"disabled", 64, 0, false}, {"enabled again", 64, 0, true},
    };
    for (const Step &s : steps) {
        model.setRowCount(s.rows);
        QCoreApplication::processEvents(); // the views lay out the rows
        for (QTableView *view : {&plain, &quiet}) {
            view->setEnabled(s.enabled);
            view->verticalScrollBar()->setValue(s.scrolledTo);
        }
        QCoreApplication::processEvents();
        QVERIFY2(quiet.grab().toImage() == plain.grab().toImage(), s.what);
    }
}

QTEST_MAIN(QuietScrollBarTest)
#include "tst_quietscrollbar.moc"
