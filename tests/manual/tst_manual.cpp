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
};

namespace {

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
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL("pdftotext is not installed (Debian package poppler-utils)");
            QSKIP("pdftotext is not installed (Debian package poppler-utils; scripts/setup.sh installs it)");
        }
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                              QStringLiteral(VIREOK_MANUAL_PDF), QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        // Blanks and line breaks as one blank: a caption may be wrapped in
        // the PDF, and one caption has two blanks in a row.
        pdfText = QString::fromUtf8(p.readAllStandardOutput()).simplified();
        QVERIFY2(pdfText.size() > 20000, "the manual is nearly empty");
    }
    QVERIFY2(pdfText.contains(text.simplified()), qPrintable(text + QStringLiteral(" is not in manual.pdf")));
}

void ManualTest::everyImageOfTheTextIsMade_data()
{
    QTest::addColumn<QString>("file");
    static const QRegularExpression image(QStringLiteral(R"(!\[[^\]]*\]\(([^)\s]+)\))"));
    for (auto it = image.globalMatch(source()); it.hasNext();) {
        const QString file = it.next().captured(1);
        QTest::addRow("%s", qPrintable(file)) << file;
    }
}

void ManualTest::everyImageOfTheTextIsMade()
{
    QFETCH(QString, file);
    const QImage image(QDir(QStringLiteral(VIREOK_MANUAL_IMAGES)).filePath(file));
    QVERIFY2(!image.isNull(), qPrintable(file + QStringLiteral(" was not made")));
    // A window that was never laid out grabs as a blank or tiny picture.
    QVERIFY2(image.width() >= 40 && image.height() >= 20, qPrintable(file));
}

QTEST_MAIN(ManualTest)
#include "tst_manual.moc"
