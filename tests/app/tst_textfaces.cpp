#include "mainfixture.h"

#include "app/application.h"
#include "app/taboutbox.h"
#include "entry/entryedit.h"
#include "form/loggrid.h"
#include "partial/partialwindow.h"

#include <QComboBox>
#include <QGlyphRun>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTextLayout>
#include <QtTest>

/// Bold and 13-pixel text as the windows draw it.
class TextFacesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void textHasItsSizeAndWeight_data();
    void textHasItsSizeAndWeight();
    void tourLineStandsOnOneBaseline();
    void callsKeepTheirLetters();
    void aboutBoxShowsNoAddress();

private:
    MainFixture m_main;
    std::unique_ptr<TAboutBox> m_about;
};

namespace {
struct Ink {
    int capHeight = 0; ///< of the first glyph of the first line
    int stem = 0;      ///< the narrowest horizontal run of ink
};

Ink measure(const QImage &image, QRgb colour)
{
    auto inked = [&](int x, int y) { return image.pixel(x, y) == colour; };
    auto rowInked = [&](int y, int from, int to) {
        for (int x = from; x < to; ++x)
            if (inked(x, y))
                return true;
        return false;
    };
    Ink ink;
    ink.stem = image.width();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, run = 0; x <= image.width(); ++x) {
            if (x < image.width() && inked(x, y))
                ++run;
            else if (run)
                ink.stem = qMin(ink.stem, run), run = 0;
        }
    int top = 0;
    while (top < image.height() && !rowInked(top, 0, image.width()))
        ++top;
    int bottom = top;
    while (bottom < image.height() && rowInked(bottom, 0, image.width()))
        ++bottom;
    auto columnInked = [&](int x) {
        for (int y = top; y < bottom; ++y)
            if (inked(x, y))
                return true;
        return false;
    };
    int left = 0;
    while (left < image.width() && !columnInked(left))
        ++left;
    int right = left;
    while (right < image.width() && columnInked(right))
        ++right;
    int glyphTop = top, glyphBottom = bottom;
    while (glyphTop < bottom && !rowInked(glyphTop, left, right))
        ++glyphTop;
    while (glyphBottom > glyphTop && !rowInked(glyphBottom - 1, left, right))
        --glyphBottom;
    ink.capHeight = glyphBottom - glyphTop;
    return ink;
}

QLabel *labelStarting(QWidget &window, const QString &text)
{
    for (QLabel *l : window.findChildren<QLabel *>())
        if (l->text().startsWith(text))
            return l;
    return nullptr;
}
} // namespace

void TextFacesTest::initTestCase()
{
    setUpApplication();
    m_main.store.addQso(TestQso().heard("UA1A").worked("RA3B", "002"));
    m_main.store.addQso(TestQso().heard("RA3B", "003").worked("UA1A", "004"));
    m_main.open();
    QTest::keyClicks(m_main.form().heardCall, "UA1A");
    m_main.repeats->show();
    m_about = std::make_unique<TAboutBox>();
}

void TextFacesTest::textHasItsSizeAndWeight_data()
{
    QTest::addColumn<QImage>("shot");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("capHeight");
    QTest::addColumn<bool>("bold");

    const MainForm &form = m_main.form();
    const QColor green(0, 128, 0), blue(0, 0, 255), red(255, 0, 0), black(0, 0, 0);
    auto shot = [](QWidget *w) { return w->grab().toImage(); };
    QTest::newRow("tour number") << shot(form.tourNumber) << green << 10 << true;
    QTest::newRow("tour time") << shot(form.tourTime) << green << 10 << true;
    QTest::newRow("UTC clock") << shot(form.utcClock) << blue << 10 << true;
    QTest::newRow("OK") << shot(form.ok) << black << 9 << true;
    QTest::newRow("edit OK") << shot(form.editOk) << black << 9 << true;
    QTest::newRow("manual OK") << shot(form.manualOk) << black << 9 << true;
    QTest::newRow("tour caption") << shot(form.tourCaption) << green << 9 << false;
    QTest::newRow("band selector") << shot(form.band->lineEdit()) << black << 9 << true;
    QTest::newRow("mode selector") << shot(form.mode->lineEdit()) << black << 9 << true;

    auto *grid = m_main.repeats->findChild<QTableView *>();
    const QImage rows = grid->viewport()->grab().toImage();
    auto cell = [&](int row, int column) { return rows.copy(grid->visualRect(grid->model()->index(row, column))); };
    QTest::newRow("repeat call as heard") << cell(0, 5) << red << 9 << true;
    QTest::newRow("repeat call as worked") << cell(1, 6) << blue << 9 << true;

    QTest::newRow("about version") << shot(labelStarting(*m_about, "Version:")) << black << 10 << false;
    QTest::newRow("about purpose") << shot(labelStarting(*m_about, "Программа")) << black << 10 << false;
    QTest::newRow("about author") << shot(labelStarting(*m_about, "Автор:")) << black << 9 << false;
}

void TextFacesTest::textHasItsSizeAndWeight()
{
    QFETCH(QImage, shot);
    QFETCH(QColor, colour);
    QFETCH(int, capHeight);
    QFETCH(bool, bold);
    // MS Sans Serif's 11-pixel em (13-pixel cell) has 9-pixel capitals, its
    // 13-pixel em (16-pixel cell) 10-pixel ones, 13-pixel Tahoma 9-pixel
    // ones; bold doubles every stem.
    const Ink ink = measure(shot.convertToFormat(QImage::Format_RGB32), colour.rgb());
    QCOMPARE(ink.capHeight, capHeight);
    QCOMPARE(ink.stem, bold ? 2 : 1);
}

void TextFacesTest::tourLineStandsOnOneBaseline()
{
    const MainForm &form = m_main.form();
    const QImage window = m_main.main->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The lowest row of ink of each text, in the window.
    auto baseline = [&](const QWidget *w) {
        const QRect r(w->mapTo(m_main.main, QPoint(0, 0)), w->size());
        for (int y = r.bottom(); y >= r.top(); --y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (window.pixel(x, y) == QColor(0, 128, 0).rgb())
                    return y;
        return -1;
    };
    const int caption = baseline(form.tourCaption);
    QVERIFY(caption > 0);
    QCOMPARE(baseline(form.tourNumber), caption);
    QCOMPARE(baseline(form.tourTime), caption);
}

void TextFacesTest::callsKeepTheirLetters()
{
    // A face may join letters (T and M into "™"); a call must show as typed.
    const QString calls = QStringLiteral("UA1TM DL1TM RA1FI");
    struct List {
        const char *what;
        QWidget *view;
    };
    const List lists[] = {{"log", m_main.form().grid},
                          {"repeats", m_main.repeats->findChild<QTableView *>()},
                          {"partial calls", m_main.partial->list()}};
    for (const List &l : lists)
        for (const bool bold : {false, true}) {
            QFont font = l.view->font();
            font.setBold(bold);
            QTextLayout layout(calls, font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            qsizetype glyphs = 0;
            for (const QGlyphRun &run : layout.glyphRuns())
                glyphs += run.glyphIndexes().size();
            QVERIFY2(glyphs == calls.size(), l.what);
        }
}

void TextFacesTest::aboutBoxShowsNoAddress()
{
    for (const QLabel *l : m_about->findChildren<QLabel *>())
        QVERIFY2(!l->text().contains("://") && !l->text().contains('@') && !l->text().contains("example"),
                 qPrintable(l->text()));
}

QTEST_MAIN(TextFacesTest)
#include "tst_textfaces.moc"
