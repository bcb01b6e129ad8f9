#include "pdfbook.h"

#include "tablerows.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <memory>

namespace {

constexpr int kDpi = 300;
constexpr double kDotsPerMm = kDpi / 25.4;
// Lengths in text formats (margins, padding, borders, image sizes) count in
// pixels of 96 per inch; the layout scales them to the printer itself.
constexpr double kLayoutMm = 96 / 25.4;
// One screenshot pixel as one pixel of a 96 ppi screen: the windows print at
// their size on a screen, and their bitmap font stays sharp.
constexpr double kMmPerImagePixel = 25.4 / 96;

const QString kSans = QStringLiteral("DejaVu Sans");
const QString kMono = QStringLiteral("DejaVu Sans Mono");
const QColor kHeadingColour(20, 50, 110);

struct Heading {
    int level;
    QString text;
    QTextBlock block;
};

/// Every face the book uses, or the name of the one that is missing: a
/// fallback face might lack Cyrillic and print empty boxes.
QString loadFaces()
{
    const QString folder = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
    for (const char *file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
                             "DejaVuSans-BoldOblique.ttf", "DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf"})
        QFontDatabase::addApplicationFont(folder + QString::fromLatin1(file));
    for (const QString &family : {kSans, kMono})
        if (QFontInfo(QFont(family)).family() != family)
            return family + QStringLiteral(" (Debian package fonts-dejavu-core)");
    return {};
}

QFont face(const QString &family, double points, bool bold = false)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void setBlockFont(QTextDocument &doc, const QTextBlock &block, const QFont &font, const QColor &colour)
{
    // Fragment by fragment, without the Markdown reader's size step: where
    // that step is set at all, even to naught, it overrides the point size.
    QVector<QTextFragment> fragments;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        fragments << it.fragment();
    for (const QTextFragment &frag : fragments) {
        QTextCharFormat f = frag.charFormat();
        f.clearProperty(QTextFormat::FontSizeAdjustment);
        f.setFont(font, QTextCharFormat::FontPropertiesAll);
        f.setForeground(colour);
        QTextCursor c(&doc);
        c.setPosition(frag.position());
        c.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
        c.setCharFormat(f);
    }
}

/// Headings, code, tables and images in the book's faces and sizes; the
/// headings in reading order.
QVector<Heading> style(QTextDocument &doc, const QString &imageFolder, double bodyWidth, QStringList &missing)
{
    QVector<Heading> headings;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat bf = b.blockFormat();
        QTextCursor c(b);
        const int level = bf.headingLevel();
        if (level > 0) {
            const double sizes[] = {0, 20, 14, 11.5, 10.5};
            setBlockFont(doc, b, face(kSans, sizes[qMin(level, 4)], true), kHeadingColour);
            bf.setTopMargin(level == 1 ? 0 : 14 * kLayoutMm / 3);
            bf.setBottomMargin(level == 1 ? 6 * kLayoutMm : 2 * kLayoutMm);
            if (level == 1)
                bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            c.setBlockFormat(bf);
            headings.append({level, b.text().trimmed(), b});
            continue;
        }
        const bool code = bf.hasProperty(QTextFormat::BlockCodeFence) || bf.nonBreakableLines();
        if (code) {
            bf.setBackground(QColor(242, 242, 238));
            bf.setLeftMargin(2 * kLayoutMm);
            bf.setNonBreakableLines(false);
            c.setBlockFormat(bf);
            setBlockFont(doc, b, face(kMono, 7.6), Qt::black);
            continue;
        }
        bf.setLineHeight(112, QTextBlockFormat::ProportionalHeight);
        if (!b.textList() && !c.currentTable())
            bf.setBottomMargin(qMax(bf.bottomMargin(), 1.6 * kLayoutMm));
        c.setBlockFormat(bf);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            QTextCharFormat cf = frag.charFormat();
            QTextCursor fc(&doc);
            fc.setPosition(frag.position());
            fc.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
            if (cf.isImageFormat()) {
                QTextImageFormat image = cf.toImageFormat();
                const QImage picture(QDir(imageFolder).filePath(image.name()));
                if (picture.isNull()) {
                    missing << image.name();
                    continue;
                }
                doc.addResource(QTextDocument::ImageResource, QUrl(image.name()), picture);
                const double scale = qMin(kMmPerImagePixel * kLayoutMm, bodyWidth * 96 / kDpi / picture.width());
                image.setWidth(picture.width() * scale);
                image.setHeight(picture.height() * scale);
                fc.setCharFormat(image);
                QTextBlockFormat centred = bf;
                centred.setAlignment(Qt::AlignHCenter);
                centred.setTopMargin(2 * kLayoutMm);
                // Single height: in a taller line a picture moved to the next
                // page would still show its top edge at the foot of the last.
                centred.setLineHeight(0, QTextBlockFormat::SingleHeight);
                c.setBlockFormat(centred);
            } else if (cf.fontFixedPitch() || cf.fontFamilies().toStringList().contains(kMono) ||
                       QFontInfo(cf.font()).fixedPitch()) {
                QTextCharFormat mono;
                mono.setFont(face(kMono, 9), QTextCharFormat::FontPropertiesAll);
                mono.setForeground(QColor(120, 20, 20));
                fc.mergeCharFormat(mono);
            }
        }
    }
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        QTextTableFormat tf = table->format();
        tf.setBorder(0.25 * kLayoutMm);
        tf.setBorderBrush(QColor(150, 150, 150));
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorderCollapse(true);
        tf.setCellSpacing(0);
        tf.setCellPadding(1.2 * kLayoutMm);
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tf.setTopMargin(1.5 * kLayoutMm);
        tf.setBottomMargin(3 * kLayoutMm);
        tf.setHeaderRowCount(1);
        table->setFormat(tf);
        for (int col = 0; col < table->columns(); ++col) {
            QTextTableCell cell = table->cellAt(0, col);
            QTextCharFormat cf = cell.format();
            cf.setBackground(QColor(225, 232, 243));
            cell.setFormat(cf);
        }
    }
    return headings;
}

/// The contents: a row per chapter and section, the page numbers in the second column.
struct Contents {
    QTextTable *table = nullptr;
    QVector<QTextTableCell> numbers;
    QVector<int> chapterRows;
};

/// The title page and the contents, whose page numbers are filled in once
/// the book is laid out.
Contents frontMatter(QTextDocument &doc, const Book &book, const QVector<Heading> &headings)
{
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::Start);
    c.insertBlock();
    c.movePosition(QTextCursor::Start);

    auto line = [&c](const QString &text, const QFont &font, const QColor &colour, double top) {
        QTextBlockFormat bf;
        bf.setAlignment(Qt::AlignHCenter);
        bf.setTopMargin(top * kLayoutMm);
        c.setBlockFormat(bf);
        QTextCharFormat cf;
        cf.setFont(font, QTextCharFormat::FontPropertiesAll);
        cf.setForeground(colour);
        c.setCharFormat(cf);
        c.insertText(text, cf);
        c.insertBlock();
    };
    line(book.title, face(kSans, 40, true), kHeadingColour, 70);
    line(book.subtitle, face(kSans, 22), kHeadingColour, 8);
    line(QStringLiteral("Версия ") + book.version, face(kSans, 12), Qt::darkGray, 8);
    line(QStringLiteral("Журнал радионаблюдателя для соревнований на КВ и УКВ"), face(kSans, 12), Qt::darkGray, 100);

    QTextBlockFormat contentsHead;
    contentsHead.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    contentsHead.setBottomMargin(6 * kLayoutMm);
    c.setBlockFormat(contentsHead);
    QTextCharFormat head;
    head.setFont(face(kSans, 20, true), QTextCharFormat::FontPropertiesAll);
    head.setForeground(kHeadingColour);
    c.insertText(QStringLiteral("Содержание"), head);

    int rows = 0;
    for (const Heading &h : headings)
        rows += h.level <= 2;
    QTextTableFormat tf;
    tf.setBorder(0);
    tf.setCellPadding(0.6 * kLayoutMm);
    tf.setCellSpacing(0);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tf.setColumnWidthConstraints(
        {QTextLength(QTextLength::PercentageLength, 92), QTextLength(QTextLength::PercentageLength, 8)});
    Contents contents;
    QTextTable *table = c.insertTable(rows, 2, tf);
    contents.table = table;
    int row = 0;
    for (const Heading &h : headings) {
        if (h.level > 2)
            continue;
        QTextCharFormat cf;
        cf.setFont(face(kSans, h.level == 1 ? 10.5 : 9.5, h.level == 1), QTextCharFormat::FontPropertiesAll);
        QTextCursor title = table->cellAt(row, 0).firstCursorPosition();
        QTextBlockFormat indent;
        indent.setLeftMargin(h.level == 1 ? 0 : 6 * kLayoutMm);
        indent.setTopMargin(h.level == 1 ? 1.5 * kLayoutMm : 0);
        title.setBlockFormat(indent);
        title.insertText(h.text, cf);
        QTextCursor number = table->cellAt(row, 1).firstCursorPosition();
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        right.setTopMargin(indent.topMargin());
        number.setBlockFormat(right);
        number.insertText(QStringLiteral("000"), cf);
        contents.numbers << table->cellAt(row, 1);
        if (h.level == 1)
            contents.chapterRows << row;
        ++row;
    }
    return contents;
}

/// Rows of the contents on each of its pages.
QVector<int> rowsByPage(QTextDocument &doc, const Contents &contents);

/// Draws the contents' rows closer together, step by step, while its last
/// page would hold only a few of them.
void keepContentsTogether(QTextDocument &doc, const Contents &contents)
{
    constexpr int kFewest = 6;
    for (const double closer : {0.8, 0.6, 0.4, 0.2, 0.0}) {
        const QVector<int> rows = rowsByPage(doc, contents);
        if (rows.size() < 2 || rows.last() >= kFewest)
            return;
        QTextTableFormat tf = contents.table->format();
        tf.setCellPadding(0.6 * closer * kLayoutMm);
        contents.table->setFormat(tf);
        for (const int row : contents.chapterRows)
            for (int column = 0; column < 2; ++column) {
                QTextCursor c = contents.table->cellAt(row, column).firstCursorPosition();
                QTextBlockFormat bf = c.blockFormat();
                bf.setTopMargin(1.5 * closer * kLayoutMm);
                c.setBlockFormat(bf);
            }
    }
}

int pageOf(QTextDocument &doc, const QTextBlock &block)
{
    // Its middle: a block moved to a new page may start a hair above it.
    const double middle = doc.documentLayout()->blockBoundingRect(block).center().y();
    return int(middle / doc.pageSize().height()) + 1;
}

QVector<int> rowsByPage(QTextDocument &doc, const Contents &contents)
{
    doc.pageCount();
    QMap<int, int> rows;
    for (const QTextTableCell &cell : contents.numbers)
        ++rows[pageOf(doc, cell.firstCursorPosition().block())];
    return rows.values().toVector();
}

} // namespace

QStringList imagesNamedIn(const QString &markdown)
{
    static const QRegularExpression image(QStringLiteral(R"(!\[[^\]]*\]\(([^)\s]+)\))"));
    QStringList names;
    for (auto it = image.globalMatch(markdown); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

int printBook(const Book &book, const QString &pdfPath, QString &why)
{
    if (const QString lacking = loadFaces(); !lacking.isEmpty()) {
        why = QStringLiteral("the face ") + lacking + QStringLiteral(" is not installed");
        return 0;
    }
    QPdfWriter writer(pdfPath);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setTitle(book.title + QStringLiteral(" — ") + book.subtitle);
    writer.setCreator(QStringLiteral("vireok-manual"));

    const QRectF paper(0, 0, writer.width(), writer.height());
    // Wide enough for the widest window at one pixel per pixel of a 96 ppi screen.
    const QRectF body = paper.adjusted(20 * kDotsPerMm, 22 * kDotsPerMm, -16 * kDotsPerMm, -22 * kDotsPerMm);

    // Laid out without the front matter, whose end is a page break as every
    // chapter's start is: a table row that a page break would cut in two
    // starts a new page instead, under the table's header again.
    QString markdown = book.markdown;
    std::unique_ptr<QTextDocument> laidOut;
    QVector<Heading> headings;
    for (int breaks = 0;; ++breaks) {
        laidOut = std::make_unique<QTextDocument>();
        laidOut->documentLayout()->setPaintDevice(&writer);
        laidOut->setDefaultFont(face(kSans, 10));
        laidOut->setDocumentMargin(0);
        laidOut->setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
        breakPagesAtMarks(*laidOut);
        QStringList missing;
        headings = style(*laidOut, book.imageFolder, body.width(), missing);
        if (!missing.isEmpty()) {
            why = QStringLiteral("images not made: ") + missing.join(QLatin1String(", "));
            return 0;
        }
        laidOut->setPageSize(body.size());
        laidOut->pageCount(); // lays the whole book out
        const auto across = firstRowAcrossPages(*laidOut);
        const QString picture = across ? QString() : firstPictureAcrossPages(*laidOut);
        if (!across && picture.isEmpty())
            break;
        if (breaks == 100) {
            why = QStringLiteral("a table row or a picture taller than a page");
            return 0;
        }
        markdown = across ? withPageBreakBefore(markdown, *across) : withPageBreakBeforePicture(markdown, picture);
    }
    QTextDocument &doc = *laidOut;
    const Contents contents = frontMatter(doc, book, headings);
    keepContentsTogether(doc, contents);
    // Inserting the front matter split the first heading's block: find the
    // headings again.
    QVector<QTextBlock> headingBlocks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() > 0)
            headingBlocks << b;
    if (headingBlocks.size() != headings.size()) {
        why = QStringLiteral("the contents lost a heading");
        return 0;
    }

    // Laid out again with every format in place: the numbers have the width
    // of their placeholders, so filling them in moves nothing.
    doc.pageCount();
    splitParagraphsAtPageBreaks(doc);
    doc.pageCount();
    QVector<int> pages;
    for (const QTextBlock &b : headingBlocks)
        pages << pageOf(doc, b);
    int n = 0;
    for (int i = 0; i < headings.size(); ++i) {
        if (headings[i].level > 2)
            continue;
        QTextCursor c = contents.numbers[n++].firstCursorPosition();
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.insertText(QString::number(pages[i]));
    }

    const int pageCount = doc.pageCount();
    const double pageHeight = doc.pageSize().height();
    QPainter painter(&writer);
    // JPEG would blur the screenshots' bitmap font.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const QFont small = face(kSans, 8);
    for (int page = 1; page <= pageCount; ++page) {
        if (page > 1)
            writer.newPage();
        painter.save();
        painter.translate(body.left(), body.top() - (page - 1) * pageHeight);
        QAbstractTextDocumentLayout::PaintContext context;
        const QRectF onPage(0, (page - 1) * pageHeight, body.width(), pageHeight);
        painter.setClipRect(onPage);
        // The layout draws a line that only touches the page's edge too,
        // unseen but in the text layer: a reader would find it twice.
        context.clip = onPage.adjusted(0, 1, 0, -1);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        if (page == 1)
            continue;

        QString chapter;
        for (int i = 0; i < headings.size(); ++i)
            if (headings[i].level == 1 && pages[i] <= page)
                chapter = headings[i].text;
        painter.setFont(small);
        painter.setPen(Qt::darkGray);
        const QRectF head(body.left(), 10 * kDotsPerMm, body.width(), 6 * kDotsPerMm);
        painter.drawText(head, Qt::AlignLeft | Qt::AlignBottom, book.title + QStringLiteral(". ") + book.subtitle);
        painter.drawText(head, Qt::AlignRight | Qt::AlignBottom, chapter);
        painter.setPen(QPen(QColor(170, 170, 170), 0.2 * kDotsPerMm));
        painter.drawLine(QPointF(body.left(), head.bottom() + kDotsPerMm),
                         QPointF(body.right(), head.bottom() + kDotsPerMm));
        painter.setPen(Qt::darkGray);
        const QRectF foot(body.left(), paper.bottom() - 16 * kDotsPerMm, body.width(), 6 * kDotsPerMm);
        painter.drawText(foot, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("%1 из %2").arg(page).arg(pageCount));
    }
    painter.end();
    return pageCount;
}
