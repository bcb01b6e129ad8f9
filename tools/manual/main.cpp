// vireok-manual SOURCE.md OUTPUT.pdf IMAGE-FOLDER
//
// Makes the screenshots from the program's real windows on a demo log, puts
// the files its exports write into the text where it asks for them
// ("{{example cabrillo}}", "{{example ermak}}", "{{example adif}}"), and the
// tables of which field goes into which report line ("{{fields station}}",
// "{{fields contest}}"), and prints the manual.
#include "democapture.h"
#include "pdfbook.h"

#include "app/application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {

/// The head of a written report: every line up to and with the third QSO,
/// then an ellipsis and the last line, so a reader sees each kind of line.
QString excerpt(const QString &file, const QString &qsoMark)
{
    const QStringList lines = file.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList kept;
    int qsos = 0;
    for (const QString &line : lines) {
        if (line.contains(qsoMark) && ++qsos > 3) {
            kept << QStringLiteral("...");
            if (!lines.last().contains(qsoMark))
                kept << lines.last();
            break;
        }
        kept << line;
    }
    return kept.join(QLatin1Char('\n'));
}

/// ADIF lines longer than the printed line broken between fields, where a
/// reader of the file may break them too, rather than inside a field.
QString betweenFields(const QString &adif)
{
    constexpr int kWidest = 96; // characters of the example face on the page
    QStringList out;
    for (const QString &line : adif.split(QLatin1Char('\n'))) {
        QString rest = line;
        while (rest.size() > kWidest) {
            const qsizetype cut = rest.lastIndexOf(QLatin1Char('<'), kWidest);
            if (cut <= 0)
                break;
            out << rest.left(cut);
            rest = rest.mid(cut);
        }
        out << rest;
    }
    return out.join(QLatin1Char('\n'));
}

int fail(const QString &text)
{
    std::fprintf(stderr, "vireok-manual: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4)
        return fail(QStringLiteral("usage: vireok-manual SOURCE.md OUTPUT.pdf IMAGE-FOLDER"));
    setUpApplication();
    QElapsedTimer timer;
    timer.start();

    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly))
        return fail(source.fileName() + QStringLiteral(": ") + source.errorString());
    Book book;
    book.title = QStringLiteral("Vireok");
    book.subtitle = QStringLiteral("Руководство пользователя");
    book.version = QStringLiteral(VIREOK_VERSION);
    book.markdown = QString::fromUtf8(source.readAll());
    book.imageFolder = QString::fromLocal8Bit(argv[3]);

    const DemoOutput demo = makeDemo(book.imageFolder);
    const qint64 shotsTime = timer.elapsed();
    const QString marks[][2] = {{"cabrillo", "QSO:"}, {"ermak", "QSO:"}, {"adif", "<EOR>"}};
    for (const auto &m : marks) {
        QString example = excerpt(demo.examples.value(m[0]), m[1]);
        if (m[0] == QLatin1String("adif"))
            example = betweenFields(example);
        book.markdown.replace(QStringLiteral("{{example %1}}").arg(m[0]), example);
    }
    for (auto it = demo.tables.cbegin(); it != demo.tables.cend(); ++it)
        book.markdown.replace(QStringLiteral("{{fields %1}}").arg(it.key()), it.value());
    if (const qsizetype left = book.markdown.indexOf(QLatin1String("{{")); left >= 0)
        return fail(QStringLiteral("nothing to put in for ") + book.markdown.mid(left, 30));

    QString why;
    const QString pdf = QString::fromLocal8Bit(argv[2]);
    const int pages = printBook(book, pdf, why);
    if (pages == 0)
        return fail(why);
    std::printf("vireok-manual: %s, %d pages, %d images; windows %lld ms, printing %lld ms\n", qPrintable(pdf), pages,
                int(imagesNamedIn(book.markdown).size()), shotsTime, timer.elapsed() - shotsTime);
    return 0;
}
