#include "mainfixture.h"

#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
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
    // next to a page break is listed on both pages, as one object.
    QSet<QString> objects;
    for (const QString &line : list.split(QLatin1Char('\n')).mid(2)) {
        const QStringList c = line.simplified().split(QLatin1Char(' '));
        if (c.size() < 14 || c[2] != QLatin1String("image"))
            continue;
        objects << c[10];
        // A window's bitmap font stays sharp only unblurred and unscaled.
        QVERIFY2(c[8] != QLatin1String("jpeg"), qPrintable(line));
        QVERIFY2(qAbs(c[12].toInt() - 96) <= 1 && qAbs(c[13].toInt() - 96) <= 1, qPrintable(line));
    }
    QCOMPARE(objects.size(), imagesNamed().size());
}

QTEST_MAIN(ManualTest)
#include "tst_manual.moc"
