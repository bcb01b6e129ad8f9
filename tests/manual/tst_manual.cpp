#include "mainfixture.h"
#include "markplaces.h"
#include "tablerows.h"

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
        QVERIFY2(controls[i].adjusted(-2 * r, -2 * r, 2 * r, 2 * r).contains(marks[i]), qPrintable(QString::number(i)));
        for (int y = -r; y <= r; ++y)
            for (int x = -r; x <= r; ++x)
                QVERIFY2(x * x + y * y > r * r || qGray(image.pixel(marks[i] + QPoint(x, y))) > 128,
                         qPrintable(QString::number(i)));
        for (int j = 0; j < i; ++j)
            QVERIFY((marks[i] - marks[j]).manhattanLength() > 2 * r);
    }
}

QTEST_MAIN(ManualTest)
#include "tst_manual.moc"
