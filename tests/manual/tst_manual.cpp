#include "legend.h"
#include "mainfixture.h"
#include "markplaces.h"
#include "tablerows.h"

#include "app/application.h"

#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocument>
#include <QtTest>

/// The manual.pdf that the build made, read as a user's PDF reader sees it.
class ManualTest : public QObject {
    Q_OBJECT
private slots:
    void pdfNamesEveryChapterAndMenuItem_data();
    void pdfNamesEveryChapterAndMenuItem();
    void everyImageOfTheTextIsMade_data();
    void everyImageOfTheTextIsMade();
    void everyImageIsPlacedPixelForPixel();
    void tableRowsStartPagesWhole();
    void marksHideNoText();
    void textLiesOnlyWhereItsPageShowsIt();
    void contentsPagesHoldMoreThanAFewLines();
    void toolWindowPicturesAtTheSizesTheyOpen_data();
    void toolWindowPicturesAtTheSizesTheyOpen();
    void mainWindowMarksSitOnTheirControls();
};

namespace {

const QString kPdf = QStringLiteral(VIREOK_MANUAL_PDF);

QString source()
{
    QFile f(QStringLiteral(VIREOK_MANUAL_SOURCE));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

/// Every caption of the main window's menus and the grid's pop-up menu, as
/// the program builds them, both texts of the layout item included.
QStringList menuCaptions()
{
    MainFixture f;
    TMain &main = f.open();
    QStringList captions;
    const std::function<void(const QList<QAction *> &)> walk = [&](const QList<QAction *> &actions) {
        for (QAction *a : actions) {
            if (a->isSeparator())
                continue;
            captions << a->text();
            if (a->menu())
                walk(a->menu()->actions());
        }
    };
    walk(main.menuBar()->actions());
    walk(main.actions().gridMenu->actions());
    main.actions().entryLayout->trigger();
    captions << main.actions().entryLayout->text();
    return captions;
}

/// What a poppler-utils tool prints about manual.pdf; a null text, after a
/// warning, where the tool is missing outside CI.
QString popplerOutput(const QString &tool, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            qFatal("%s is not installed (Debian package poppler-utils)", qPrintable(tool));
        qWarning("%s is not installed (Debian package poppler-utils; scripts/setup.sh installs it)", qPrintable(tool));
        return {};
    }
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qFatal("%s failed on manual.pdf", qPrintable(tool));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList imagesNamed()
{
    static const QRegularExpression image(QStringLiteral(R"(!\[[^\]]*\]\(([^)\s]+)\))"));
    QStringList files;
    for (auto it = image.globalMatch(source()); it.hasNext();)
        files << it.next().captured(1);
    return files;
}

} // namespace

void ManualTest::pdfNamesEveryChapterAndMenuItem_data()
{
    QTest::addColumn<QString>("text");
    static const QRegularExpression chapter(QStringLiteral("^# (.+)$"), QRegularExpression::MultilineOption);
    for (auto it = chapter.globalMatch(source()); it.hasNext();) {
        const QString heading = it.next().captured(1).trimmed();
        QTest::addRow("chapter %s", qPrintable(heading)) << heading;
    }
    for (const QString &caption : menuCaptions())
        QTest::addRow("menu %s", qPrintable(caption)) << caption;
}

void ManualTest::pdfNamesEveryChapterAndMenuItem()
{
    QFETCH(QString, text);
    static QString pdfText;
    if (pdfText.isEmpty()) {
        const QString printed = popplerOutput(
            QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), kPdf, QStringLiteral("-")});
        if (printed.isNull())
            QSKIP("pdftotext is missing");
        // Blanks and line breaks as one blank: a caption may be wrapped in
        // the PDF, and one caption has two blanks in a row.
        pdfText = printed.simplified();
        QVERIFY2(pdfText.size() > 20000, "the manual is nearly empty");
    }
    QVERIFY2(pdfText.contains(text.simplified()), qPrintable(text + QStringLiteral(" is not in manual.pdf")));
}

void ManualTest::everyImageOfTheTextIsMade_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &file : imagesNamed())
        QTest::addRow("%s", qPrintable(file)) << file;
}

void ManualTest::everyImageOfTheTextIsMade()
{
    QFETCH(QString, file);
    const QImage image(QDir(QStringLiteral(VIREOK_MANUAL_IMAGES)).filePath(file));
    QVERIFY2(!image.isNull(), qPrintable(file + QStringLiteral(" was not made")));
    // A window that was never laid out grabs as a blank or tiny picture.
    QVERIFY2(image.width() >= 40 && image.height() >= 20, qPrintable(file));
}

void ManualTest::everyImageIsPlacedPixelForPixel()
{
    const QString list = popplerOutput(QStringLiteral("pdfimages"), {QStringLiteral("-list"), kPdf});
    if (list.isNull())
        QSKIP("pdfimages is missing");
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio; an image
    // drawn across a page break is listed on both pages, as one object.
    QMap<QString, QString> pageOf;
    for (const QString &line : list.split(QLatin1Char('\n')).mid(2)) {
        const QStringList c = line.simplified().split(QLatin1Char(' '));
        if (c.size() < 14 || c[2] != QLatin1String("image"))
            continue;
        QVERIFY2(pageOf.value(c[10], c[0]) == c[0], qPrintable(QStringLiteral("cut by a page break: ") + line));
        pageOf.insert(c[10], c[0]);
        // A window's bitmap font stays sharp only unblurred and unscaled.
        QVERIFY2(c[8] != QLatin1String("jpeg"), qPrintable(line));
        QVERIFY2(qAbs(c[12].toInt() - 96) <= 1 && qAbs(c[13].toInt() - 96) <= 1, qPrintable(line));
    }
    QCOMPARE(pageOf.size(), imagesNamed().size());
}

void ManualTest::tableRowsStartPagesWhole()
{
    // Rows that wrap to several lines on small pages: some are cut.
    QString markdown = QStringLiteral("| Name | Text |\n|---|---|\n");
    for (int i = 1; i <= 8; ++i)
        markdown += QStringLiteral("| row%1 | one two three four five six seven eight |\n").arg(i);
    int splits = 0;
    for (;;) {
        QTextDocument doc;
        doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
        breakPagesAtMarks(doc);
        doc.setPageSize(QSizeF(160, 150));
        doc.pageCount();
        const auto across = firstRowAcrossPages(doc);
        if (!across)
            break;
        QVERIFY2(++splits < 10, qPrintable(markdown));
        markdown = withPageBreakBefore(markdown, *across);
    }
    QVERIFY(splits > 0);
    QCOMPARE(markdown.count(QStringLiteral("| Name | Text |")), splits + 1);
    for (int i = 1; i <= 8; ++i)
        QCOMPARE(markdown.count(QStringLiteral("| row%1 |").arg(i)), 1);
}

void ManualTest::marksHideNoText()
{
    QImage image(240, 100, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const QVector<QRect> controls = {{60, 40, 80, 20}, {150, 40, 60, 20}, {8, 70, 40, 20}};
    QPainter p(&image);
    p.fillRect(62, 43, 40, 12, Qt::black);  // the first control's text at its top left
    p.fillRect(20, 35, 30, 30, Qt::black);  // a neighbour's on its left
    p.fillRect(152, 20, 80, 12, Qt::black); // and above the second
    p.end();
    const int r = 8;
    const QVector<QPoint> marks = markPlaces(image, controls, r);
    QCOMPARE(marks.size(), controls.size());
    for (int i = 0; i < marks.size(); ++i) {
        // On its control: the centre no more than half a radius off it.
        QVERIFY2(controls[i].adjusted(-r / 2, -r / 2, r / 2, r / 2).contains(marks[i]), qPrintable(QString::number(i)));
        for (int y = -r; y <= r; ++y)
            for (int x = -r; x <= r; ++x)
                QVERIFY2(x * x + y * y > r * r || qGray(image.pixel(marks[i] + QPoint(x, y))) > 128,
                         qPrintable(QString::number(i)));
        for (int j = 0; j < i; ++j)
            QVERIFY((marks[i] - marks[j]).manhattanLength() > 2 * r);
    }
}

namespace {
/// The page number and the box (in points) of every word of manual.pdf.
struct Word {
    int page;
    double top, bottom;
    QString text;
};
QVector<Word> wordsOfThePdf()
{
    QVector<Word> words;
    const QString boxes =
        popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), kPdf, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral(R"re(<page |<word [^>]*yMin="([0-9.]+)"[^>]*yMax="([0-9.]+)">([^<]*)<)re"));
    int page = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == QLatin1String("<page "))
            ++page;
        else
            words << Word{page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)};
    }
    return words;
}
} // namespace

// An A4 page (842 pt high) has its text between 22 mm from the top and 22 mm
// from the foot, its running head above and its number below. A line drawn
// where the page cuts it off would still be found by a search, twice.
void ManualTest::textLiesOnlyWhereItsPageShowsIt()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is missing");
    const double mm = 72 / 25.4, bodyTop = 22 * mm, bodyBottom = 842 - 22 * mm;
    const QVector<Word> words = wordsOfThePdf();
    QVERIFY(words.size() > 3000);
    for (const Word &w : words) {
        const bool inBody = w.top >= bodyTop - 1 && w.bottom <= bodyBottom + 1;
        const bool inHead = w.bottom <= 16 * mm + 1;
        const bool inFoot = w.top >= 842 - 16 * mm - 1;
        QVERIFY2(inBody || inHead || inFoot, qPrintable(QStringLiteral("page %1: \"%2\" at %3..%4 pt")
                                                            .arg(w.page)
                                                            .arg(w.text)
                                                            .arg(w.top, 0, 'f', 1)
                                                            .arg(w.bottom, 0, 'f', 1)));
    }
}

void ManualTest::contentsPagesHoldMoreThanAFewLines()
{
    const QString contents =
        popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"),
                                                    QStringLiteral("2"), kPdf, QStringLiteral("-")});
    if (contents.isNull())
        QSKIP("pdftotext is missing");
    // The contents run from page 2 to the page before the first chapter.
    static const QRegularExpression entry(QStringLiteral(R"(^\s*(\S.*\S)\s+(\d+)$)"));
    const QStringList pages = contents.split(QLatin1Char('\f'));
    int firstChapter = 0;
    for (const QString &line : pages[0].split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = entry.match(line);
        if (m.hasMatch() && m.captured(1) == QStringLiteral("О программе"))
            firstChapter = m.captured(2).toInt();
    }
    QVERIFY(firstChapter > 2);
    for (int page = 2; page < firstChapter; ++page) {
        int entries = 0;
        for (const QString &line : pages[page - 2].split(QLatin1Char('\n')))
            entries += entry.match(line).hasMatch();
        QVERIFY2(entries >= 6,
                 qPrintable(QStringLiteral("page %1 holds %2 lines of the contents").arg(page).arg(entries)));
    }
}

void ManualTest::toolWindowPicturesAtTheSizesTheyOpen_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("repeats") << "repeats.png" << QSize(384, 292);
    QTest::newRow("partial calls") << "partial.png" << QSize(200, 292);
    QTest::newRow("statistics") << "stats.png" << QSize(600, 560);
}

void ManualTest::toolWindowPicturesAtTheSizesTheyOpen()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QCOMPARE(QImage(QDir(QStringLiteral(VIREOK_MANUAL_IMAGES)).filePath(file)).size(), size);
}

// The numbered red circles found by their colour, against the rectangles of
// the controls the legend names, taken from the window the test opens itself.
void ManualTest::mainWindowMarksSitOnTheirControls()
{
    setUpApplication(); // the faces the picture was made with
    const QImage picture(QDir(QStringLiteral(VIREOK_MANUAL_IMAGES)).filePath(QStringLiteral("main.png")));
    QVERIFY(!picture.isNull());
    const QColor mark(200, 0, 0);
    QVector<QPoint> centres;
    QVector<bool> seen(picture.width() * picture.height(), false);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            if (seen[y * picture.width() + x] || picture.pixelColor(x, y) != mark)
                continue;
            // One circle: every pixel of its colour within reach.
            QPoint sum;
            int count = 0;
            QVector<QPoint> todo{{x, y}};
            seen[y * picture.width() + x] = true;
            while (!todo.isEmpty()) {
                const QPoint p = todo.takeLast();
                sum += p;
                ++count;
                for (int dy = -3; dy <= 3; ++dy)
                    for (int dx = -3; dx <= 3; ++dx) {
                        const QPoint q = p + QPoint(dx, dy);
                        if (picture.rect().contains(q) && !seen[q.y() * picture.width() + q.x()] &&
                            picture.pixelColor(q) == mark) {
                            seen[q.y() * picture.width() + q.x()] = true;
                            todo << q;
                        }
                    }
            }
            if (count > 40)
                centres << sum / count;
        }
    MainFixture f;
    TMain &main = f.open();
    QVERIFY(f.showActive());
    const QVector<QRect> controls = mainWindowLegend(main);
    QCOMPARE(centres.size(), controls.size());
    const int margin = (picture.width() - main.width()) / 2; // the white border round the window
    for (int i = 0; i < controls.size(); ++i) {
        const QRect on = controls[i].translated(margin, margin).adjusted(-4, -4, 4, 4);
        int marks = 0;
        for (const QPoint &c : centres)
            marks += on.contains(c);
        QVERIFY2(marks == 1, qPrintable(QStringLiteral("legend item %1 has %2 marks on it").arg(i + 1).arg(marks)));
    }
}

QTEST_MAIN(ManualTest)
#include "tst_manual.moc"
