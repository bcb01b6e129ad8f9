#include "mainfixture.h"
#include "rawdb.h"

#include "app/application.h"
#include "clock/clockticker.h"
#include "entry/entryedit.h"
#include "form/loggrid.h"
#include "log/logmodel.h"
#include "stats/hourchart.h"
#include "stats/statstally.h"
#include "stats/statswindow.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

namespace {

struct StatsFixture : MainFixture {
    StatsWindow &openStats()
    {
        open();
        return program->stats;
    }
};

const QString kTotal = QStringLiteral("Всего");

/// The text a table of the window shows for a band and a tour ("Всего" for either sum).
QString shown(StatsWindow &stats, const QString &table, const QString &band, const QString &tour)
{
    for (QTableView *view : stats.findChildren<QTableView *>()) {
        if (view->accessibleName() != table)
            continue;
        const QAbstractItemModel *m = view->model();
        int row = -1, column = -1;
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->headerData(r, Qt::Vertical).toString() == (band.isEmpty() ? kTotal : band))
                row = r;
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->headerData(c, Qt::Horizontal).toString() == (tour.isEmpty() ? kTotal : "Тур " + tour))
                column = c;
        return row < 0 || column < 0 ? QStringLiteral("none") : m->index(row, column).data().toString();
    }
    return QStringLiteral("no table");
}

QString qsoTable(StatsWindow &s, const QString &band = {}, const QString &tour = {})
{
    return shown(s, QStringLiteral("QSO по диапазонам и турам"), band, tour);
}

QString pointsTable(StatsWindow &s, const QString &band = {}, const QString &tour = {})
{
    return shown(s, QStringLiteral("Очки по диапазонам и турам"), band, tour);
}

QStringList labelTexts(const QWidget &w)
{
    QStringList texts;
    for (const QLabel *l : w.findChildren<QLabel *>())
        texts << l->text();
    return texts;
}

qint64 sqlCount(const QString &path, const QString &sql, const QVariantList &values = {})
{
    const QVariant n = RawDb(path).value(sql, values);
    return n.isValid() ? n.toLongLong() : -1;
}

// A QSO's time as the test reads it: date and time that SQLite accepts
// unchanged, within a day.
const QString kValid =
    QStringLiteral("data GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' AND date(data) = data AND "
                   "time GLOB '[0-2][0-9][0-5][0-9]' AND time < '2400'");
const QString kStamp = QStringLiteral("(data || ' ' || substr(time, 1, 2) || ':' || substr(time, 3, 2))");

QsoRecord generated(int i)
{
    static const char *bands[] = {"3500", "7000", "14000", "21000", "28000", "144", "10100"};
    const QDateTime at = QDateTime(QDate(2026, 12, 6), QTime(20, 0), Qt::UTC).addSecs(i * 180);
    QsoRecord q =
        makeQso(QStringLiteral("UA%1A").arg(i), QString::number(i), i % 5 ? QStringLiteral("RA%1B").arg(i) : QString(),
                i % 4 ? QString::number(i) : QString(), bands[i % 7], "CW", QString::number(i % 3));
    q.data = i % 23 == 5 ? QStringLiteral("2026-02-30") : at.toString("yyyy-MM-dd");
    q.time = i % 17 == 3 ? QStringLiteral("2460") : i % 19 == 4 ? QStringLiteral("12:3") : at.toString("HHmm");
    return q;
}

} // namespace

/// The statistics window on a real store, its figures against plain SQL.
class StatsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void figuresAgreeWithPlainSql_data();
    void figuresAgreeWithPlainSql();
    void clearedLogStartsEveryFigureAfresh();
    void figuresFollowRecordEditDeleteAndClear();
    void pictureDecodesAtTheWindowsSize();
    void tablesShowEveryColumnAndFrameNoCellUnasked();
    void chartBarsRiseByTheirQsosAndItsLabelsAreWhole();
    void geometryAndMarkGoThroughSettingsIni();
    void cleanupTestCase() { m_f.reset(); }

private:
    std::unique_ptr<StatsFixture> m_f;
};

// Half of the log is in the store before the window first counts; the
// other half is recorded while it is shown, so both roads are checked.
void StatsTest::initTestCase()
{
    // The program's own fonts: with them a window once grew to twice its width.
    setUpApplication();
    m_f = std::make_unique<StatsFixture>();
    StatsFixture &f = *m_f;
    std::vector<QsoRecord> first;
    for (int i = 0; i < 200; ++i)
        first.push_back(generated(i));
    addQsos(f.store.path(), first);
    StatsWindow &stats = f.openStats();
    f.clock.now = QDateTime(QDate(2026, 12, 7), QTime(15, 59, 30), Qt::UTC);
    f.main->actions().statsWindow->trigger();
    QVERIFY(stats.isVisible());
    for (int i = 200; i < 400; ++i)
        f.program->log.append(generated(i));
    (*f.program->clockTicker).tick();
}

void StatsTest::figuresAgreeWithPlainSql_data()
{
    struct Row {
        const char *name, *what, *band, *tour;
    };
    const Row rows[] = {
        {"QSOs on a band in a tour", "qsos", "14000", "1"},
        {"QSOs on a typed band", "qsos", "10100", "0"},
        {"QSOs on a band in all tours", "qsos", "144", ""},
        {"QSOs in a tour on all bands", "qsos", "", "2"},
        {"QSOs in all", "qsos", "", ""},
        {"points on a band in a tour", "points", "7000", "2"},
        {"points in a tour", "points", "", "0"},
        {"points in all, as the status bar", "points", "", ""},
        {"hour before midnight", "hour", "14000", "2026-12-06 23"},
        {"hour after midnight", "hour", "3500", "2026-12-07 00"},
        {"last hour of the log", "hour", "28000", "2026-12-07 15"},
        {"last 10 minutes", "minutes", "", "10"},
        {"last 60 minutes", "minutes", "", "60"},
        {"pace of the last ten", "pace", "", ""},
    };
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("tour");
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.what << r.band << r.tour;
}

void StatsTest::figuresAgreeWithPlainSql()
{
    QFETCH(QString, what);
    QFETCH(QString, band);
    QFETCH(QString, tour);
    StatsFixture &f = *m_f;
    StatsWindow &stats = f.program->stats;
    const QString path = f.store.path();
    const QString where = QStringLiteral(" WHERE (band = ? OR ? = '') AND (tur = ? OR ? = '')");
    const QVariantList keys{band, band, tour, tour};
    if (what == "qsos") {
        QCOMPARE(qsoTable(stats, band, tour),
                 QString::number(sqlCount(path, "SELECT count(*) FROM qso" + where, keys)));
    } else if (what == "points") {
        const qint64 points = sqlCount(path, "SELECT count(*) + 2 * count(nullif(nr2, '')) FROM qso" + where, keys);
        QCOMPARE(pointsTable(stats, band, tour), QString::number(points));
        if (band.isEmpty() && tour.isEmpty())
            QCOMPARE(f.program->log.points(), points);
    } else if (what == "hour") {
        const QDateTime start = QDateTime::fromString(tour + ":00", "yyyy-MM-dd HH:mm");
        qint64 inChart = 0;
        for (const auto &[b, n] : stats.tally().hour(start.toSecsSinceEpoch() / 3600))
            if (b == band)
                inChart = n;
        QCOMPARE(inChart, sqlCount(path,
                                   "SELECT count(*) FROM qso WHERE " + kValid +
                                       " AND band = ? AND data = ? AND "
                                       "substr(time, 1, 2) = ?",
                                   {band, tour.left(10), tour.mid(11)}));
    } else if (what == "minutes") {
        const QString from = f.clock.now.addSecs(-60 * (tour.toInt() - 1)).toString("yyyy-MM-dd HH:mm");
        const qint64 n =
            sqlCount(path, "SELECT count(*) FROM qso WHERE " + kValid + " AND " + kStamp + " BETWEEN ? AND ?",
                     {from, f.clock.now.toString("yyyy-MM-dd HH:mm")});
        QVERIFY(n > 0);
        QVERIFY2(labelTexts(stats).contains(QString("За %1 минут: %2 QSO").arg(tour).arg(n)),
                 qPrintable(labelTexts(stats).join('|')));
    } else {
        const qint64 first = sqlCount(path, "SELECT strftime('%s', " + kStamp +
                                                ") / 60 FROM qso ORDER BY id DESC "
                                                "LIMIT 1 OFFSET 9");
        const qint64 last = sqlCount(path, "SELECT strftime('%s', " + kStamp +
                                               ") / 60 FROM qso ORDER BY id DESC "
                                               "LIMIT 1");
        QVERIFY(last > first);
        QVERIFY2(labelTexts(stats).contains(
                     QString("Темп последних 10 QSO: %1 в час").arg(qRound(540.0 / double(last - first)))),
                 qPrintable(labelTexts(stats).join('|')));
    }
}

// The shared log is cleared here, after the figures were checked against it.
void StatsTest::clearedLogStartsEveryFigureAfresh()
{
    StatsFixture &f = *m_f;
    StatsWindow &stats = f.program->stats;
    QVERIFY(labelTexts(stats).filter("Темп последних 10 QSO: ").first().endsWith(" в час"));
    QVERIFY(f.showActive());
    f.form().grid->scrollTo(f.program->log.index(f.program->log.rowCount() - 1, 0)); // the last rows in sight
    f.form().grid->viewport()->repaint();
    f.prompts.answer = true;
    f.main->actions().clearLog->trigger();
    QVERIFY(labelTexts(stats).contains("Темп последних 10 QSO: —"));
    // One QSO after the clear, recorded with the keys at 15:59 UTC.
    const MainForm &m = f.form();
    QTest::keyClicks(m.heardCall, "UA9XYZ");
    QTest::keyClicks(m.heardNumber, "7");
    QTest::keyClicks(m.workedCall, "RA9Q");
    QTest::mouseClick(m.ok, Qt::LeftButton);
    QCOMPARE(f.program->log.rowCount(), 1);
    QCOMPARE(qsoTable(stats), "1");
    const QStringList texts = labelTexts(stats);
    QVERIFY2(texts.contains("Темп последних 10 QSO: —") && texts.contains("За 10 минут: 1 QSO") &&
                 texts.contains("За 60 минут: 1 QSO"),
             qPrintable(texts.join('|')));
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

namespace {
/// Right-clicks a grid row and picks a command of its pop-up menu with the mouse.
void chooseFromGridMenu(MainFixture &f, int row, const QString &command)
{
    const LogGrid *grid = f.form().grid;
    const QPoint at = grid->viewport()->mapTo(f.main, QPoint(60, row * grid->rowHeight() + 3));
    QTest::mouseClick(f.main->windowHandle(), Qt::RightButton, {}, at);
    auto *menu = f.main->findChild<QMenu *>("gridMenu");
    QTRY_VERIFY(menu->isVisible());
    for (QAction *a : menu->actions())
        if (a->text() == command)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
    QTRY_VERIFY(!menu->isVisible());
}
} // namespace

void StatsTest::figuresFollowRecordEditDeleteAndClear()
{
    StatsFixture f;
    f.store.addQso(makeQso("UA1A", "1", "RA1B", "5", "7000", "CW", "1"));
    f.store.addQso(makeQso("UA2A", "2", "", "", "1800", "CW", "1"));
    StatsWindow &stats = f.openStats();
    QVERIFY(f.showActive());
    (*f.program->clockTicker).tick();
    f.main->actions().statsWindow->trigger();
    QVERIFY(stats.isVisible());
    QCOMPARE(stats.findChildren<QTableView *>().first()->model()->headerData(0, Qt::Vertical).toString(), "1800");
    QCOMPARE(qsoTable(stats), "2");
    const HourChart *chart = stats.findChild<HourChart *>();
    QCOMPARE(chart->accessibleDescription(), "За 48 часов до 2026-12-06 10:00 UTC: 2 QSO");

    // Recorded with the keys at 09:15 UTC, tour 0.
    const MainForm &m = f.form();
    QTest::keyClicks(m.heardCall, "UA9XYZ");
    QTest::keyClicks(m.heardNumber, "7");
    QTest::keyClicks(m.workedCall, "RA9Q");
    QTest::keyClicks(m.workedNumber, "8");
    QTest::mouseClick(m.ok, Qt::LeftButton);
    QCOMPARE(qsoTable(stats), "3");
    QCOMPARE(qsoTable(stats, "14000", "0"), "1");
    QCOMPARE(pointsTable(stats), "7");
    QVERIFY(labelTexts(stats).contains("За 10 минут: 3 QSO"));
    // The chart follows at the next tick, not at the key.
    QCOMPARE(chart->accessibleDescription(), "За 48 часов до 2026-12-06 10:00 UTC: 2 QSO");
    (*f.program->clockTicker).tick();
    QCOMPARE(chart->accessibleDescription(), "За 48 часов до 2026-12-06 10:00 UTC: 3 QSO");

    // The edit takes the worked number away: 2 points less.
    chooseFromGridMenu(f, 2, "Редактировать запись");
    m.workedNumber->setFocus();
    QTest::keyClick(m.workedNumber, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m.workedNumber, Qt::Key_Backspace);
    QTest::mouseClick(m.editOk, Qt::LeftButton);
    QCOMPARE(pointsTable(stats), "5");
    QCOMPARE(pointsTable(stats, "14000", "0"), "1");

    chooseFromGridMenu(f, 0, "Удалить запись");
    QCOMPARE(qsoTable(stats), "2");
    QCOMPARE(qsoTable(stats, "7000"), "none");
    QCOMPARE(pointsTable(stats), QString::number(f.program->log.points()));

    f.prompts.answer = true;
    f.main->actions().clearLog->trigger();
    QCOMPARE(qsoTable(stats), "0");
    QCOMPARE(qsoTable(stats, "14000"), "none");
    (*f.program->clockTicker).tick();
    QVERIFY(labelTexts(stats).contains("За 10 минут: 0 QSO"));
    QCOMPARE(chart->accessibleDescription(), "Нет связей");
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

void StatsTest::pictureDecodesAtTheWindowsSize()
{
    StatsFixture f;
    f.store.addQso(makeQso("UA1A"));
    StatsWindow &stats = f.openStats();
    stats.show();
    QVERIFY(QTest::qWaitForWindowExposed(&stats));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20), stats.mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(&stats, &click);
    QTRY_VERIFY(stats.contextMenu()->isVisible());
    QAction *save = stats.contextMenu()->actions().first();
    QCOMPARE(save->text(), "Сохранить как изображение…");
    f.prompts.chosenFile = f.folder.file("chart");
    QTest::mouseClick(stats.contextMenu(), Qt::LeftButton, {}, stats.contextMenu()->actionGeometry(save).center());
    QCOMPARE(f.prompts.dialogFilters, QStringList("Изображения PNG (*.png)"));
    QCOMPARE(f.prompts.proposedName, "Статистика.png");
    QVERIFY(f.prompts.errors.isEmpty());
    const QImage picture(f.folder.file("chart.png"), "PNG");
    QCOMPARE(picture.size(), stats.size());
}

namespace {
/// The tables that must scroll to show all their columns and rows.
QStringList tablesCut(StatsWindow &stats)
{
    QStringList cut;
    for (QTableView *view : stats.findChildren<QTableView *>())
        if (view->horizontalScrollBar()->maximum() > 0 || view->verticalScrollBar()->maximum() > 0)
            cut << view->accessibleName();
    return cut;
}
} // namespace

void StatsTest::tablesShowEveryColumnAndFrameNoCellUnasked()
{
    StatsFixture f;
    // A contest on every short-wave band, four tours and QSOs between them.
    for (const char *band : {"1800", "3500", "7000", "14000", "21000", "28000"})
        for (const char *tour : {"0", "1", "2", "3", "4"})
            for (int i = 0; i < 3; ++i)
                f.store.addQso(makeQso("UA1A", "1", "RA1B", "5", band, "CW", tour));
    StatsWindow &stats = f.openStats();
    QVERIFY(f.showActive());
    f.main->actions().statsWindow->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&stats));
    QCOMPARE(pointsTable(stats, "28000", "4"), "9");
    // Where the screen has room; beside a centred main window on 1280×1024;
    // as narrow as it goes. The picture is the window as it stands.
    for (int width : {600, 338, stats.minimumWidth()}) {
        stats.resize(width, 560);
        QTRY_VERIFY2(tablesCut(stats).isEmpty(), qPrintable(QString::number(width)));
    }
    // At its smallest the tables scroll, but nothing is drawn over anything.
    stats.resize(stats.minimumSize());
    QApplication::processEvents();
    const QList<QWidget *> parts = stats.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (const QWidget *a : parts)
        for (const QWidget *b : parts)
            QVERIFY2(
                a == b || !a->isVisible() || !b->isVisible() || !a->geometry().intersects(b->geometry()),
                qPrintable(a->objectName() + a->metaObject()->className() + " over " + b->metaObject()->className()));

    // Opened, the window takes the focus as a window manager gives it: no cell is framed.
    stats.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&stats));
    for (QTableView *view : stats.findChildren<QTableView *>())
        QVERIFY2(!view->currentIndex().isValid(), qPrintable(view->accessibleName()));
}

namespace {
/// The columns of a picture that hold a colour, grouped into runs no more
/// than gap apart: each run's first and last column and its tallest column's count.
struct Run {
    int first, last, tallest;
};
QVector<Run> runsOf(const QImage &picture, const QColor &colour, int rowsFrom, int rowsTo, int gap)
{
    QVector<Run> runs;
    for (int x = 0; x < picture.width(); ++x) {
        int count = 0;
        for (int y = rowsFrom; y <= rowsTo; ++y)
            count += picture.pixelColor(x, y) == colour;
        if (count == 0)
            continue;
        if (runs.isEmpty() || x - runs.last().last > gap)
            runs << Run{x, x, count};
        runs.last().last = x;
        runs.last().tallest = std::max(runs.last().tallest, count);
    }
    return runs;
}
} // namespace

// Hours of 1, 2 and 300 QSOs: at under a pixel a QSO, 1 and 2 must still
// differ, and the tick under the 12 o'clock bar must not eat it. The day
// that starts in the last hour has its date at the chart's right edge.
void StatsTest::chartBarsRiseByTheirQsosAndItsLabelsAreWhole()
{
    StatsTally tally;
    const auto add = [&](int qsos, const char *data, const char *time) {
        QsoRecord q = makeQso("UA1A", "1", "RA1B", "", "14000");
        q.data = data;
        q.time = time;
        for (int i = 0; i < qsos; ++i)
            tally.add(q, 1);
    };
    add(1, "2026-12-06", "1205");
    add(2, "2026-12-06", "1310");
    add(300, "2026-12-06", "2030");
    add(1, "2026-12-07", "0010");
    HourChart chart(tally);
    chart.setBandOrder({"14000"});
    chart.resize(600, 300);
    const QImage picture = chart.grab().toImage();
    const QColor bar(31, 119, 180); // the first band's colour

    const QVector<Run> bars = runsOf(picture, bar, 0, picture.height() - 1, 1);
    QCOMPARE(bars.size(), 5); // the legend's square, then the hours in order
    const int tallest = bars[3].tallest;
    QCOMPARE(bars[1].tallest, std::max(1, qRound(tallest / 300.0)));
    QCOMPARE(bars[2].tallest, qRound(2 * tallest / 300.0));
    QVERIFY(bars[2].tallest > bars[1].tallest);

    // The lowest line of text: the dates.
    const QColor text = chart.palette().text().color();
    int bottom = picture.height() - 1;
    while (bottom > 0 && runsOf(picture, text, bottom, bottom, 0).isEmpty())
        --bottom;
    const int line = chart.fontMetrics().height();
    const QVector<Run> dates = runsOf(picture, text, bottom - line + 2, bottom, 8);
    QVERIFY(!dates.isEmpty());
    const int drawn = dates.last().last - dates.last().first + 1;
    QVERIFY2(drawn >= chart.fontMetrics().horizontalAdvance("2026-12-07") - 2,
             qPrintable(QString("%1 px of the last date drawn").arg(drawn)));

    // Every short-wave band in a chart as narrow as the narrowest window's:
    // the legend takes a second line rather than losing the last band.
    const QStringList bands{"1800", "3500", "7000", "14000", "21000", "28000"};
    for (const QString &band : bands) {
        QsoRecord q = makeQso("UA1A", "1", "RA1B", "", band);
        q.data = "2026-12-07";
        q.time = "0020";
        tally.add(q, 1);
    }
    chart.setBandOrder(bands);
    chart.resize(300, 200);
    const QImage narrow = chart.grab().toImage();
    const QColor sixth(140, 86, 75); // the sixth colour of the tab10 palette
    const QVector<Run> squares = runsOf(narrow, sixth, 0, 3 * line, 1);
    QCOMPARE(squares.size(), 1);
    QCOMPARE(squares[0].last - squares[0].first + 1, 10);
    QCOMPARE(squares[0].tallest, 10);

    // A chart as low as a small window leaves it: the scale's figures
    // stand apart, each no taller than a line of text.
    chart.resize(600, 80);
    const QImage low = chart.grab().toImage();
    QVector<int> written; // the rows of the scale's column with text in them
    for (int y = 0; y < low.height(); ++y)
        for (int x = 0; x < 36; ++x)
            if (low.pixelColor(x, y) == text) {
                written << y;
                break;
            }
    QVERIFY(!written.isEmpty());
    int from = written.first();
    for (int i = 1; i <= written.size(); ++i) {
        if (i < written.size() && written[i] == written[i - 1] + 1)
            continue;
        QVERIFY2(written[i - 1] - from + 1 <= line,
                 qPrintable(QString("figures run together in rows %1-%2").arg(from).arg(written[i - 1])));
        if (i < written.size())
            from = written[i];
    }
}

void StatsTest::geometryAndMarkGoThroughSettingsIni()
{
    StatsFixture f;
    writeIni(f.folder, "[Stats]\r\nLeft=30\r\nTop=40\r\nHeight=450\r\nWidth=500\r\n");
    StatsWindow &stats = f.openStats();
    QCOMPARE(QRect(stats.pos(), stats.size()), QRect(30, 40, 500, 450));
    QVERIFY(!stats.isVisible());
    QAction *item = f.main->actions().statsWindow;
    QVERIFY(!item->isChecked());
    for (bool shown : {true, false}) {
        item->trigger();
        QCOMPARE(item->isChecked(), shown);
        QCOMPARE(stats.isVisible(), shown);
    }
    stats.move(70, 80);
    stats.resize(510, 460);

    f.program->saveSettings();
    QFile ini(f.folder.file("settings.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY2(ini.peek(1000).contains("[Stats]\r\nLeft=70\r\nTop=80\r\nHeight=460\r\nWidth=510\r\n"),
             ini.peek(1000).constData());

    // Its own close button takes the tick away as the menu item does.
    item->trigger();
    stats.close();
    QTRY_VERIFY(!item->isChecked());
    QVERIFY(!stats.isVisible());
}

QTEST_MAIN(StatsTest)
#include "tst_stats.moc"
