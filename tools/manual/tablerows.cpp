#include "tablerows.h"

#include <QAbstractTextDocumentLayout>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

#include <climits>

void breakPagesAtMarks(QTextDocument &doc)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.text() != kPageBreakMark)
            continue;
        QTextCursor c(b);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        QTextBlockFormat f = b.blockFormat();
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        c.setBlockFormat(f);
    }
}

std::optional<RowAcrossPages> firstRowAcrossPages(QTextDocument &doc)
{
    const double pageHeight = doc.pageSize().height();
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    int index = -1;
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        ++index;
        // A Markdown table always has its header row.
        for (int r = qMax(1, table->format().headerRowCount()); r < table->rows(); ++r) {
            int first = INT_MAX;
            int last = -1;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                for (QTextBlock b = cell.firstCursorPosition().block();
                     b.isValid() && b.position() <= cell.lastCursorPosition().position(); b = b.next()) {
                    const double top = layout->blockBoundingRect(b).top();
                    for (int i = 0; i < b.layout()->lineCount(); ++i) {
                        const QTextLine line = b.layout()->lineAt(i);
                        const int page = int((top + line.y() + line.height() / 2) / pageHeight);
                        first = qMin(first, page);
                        last = qMax(last, page);
                    }
                }
            }
            if (last > first)
                return RowAcrossPages{index, r};
        }
    }
    return std::nullopt;
}

QString withPageBreakBefore(const QString &markdown, RowAcrossPages at)
{
    QStringList lines = markdown.split(QLatin1Char('\n'));
    bool code = false;
    int table = -1;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1String("```")))
            code = !code;
        const bool row = !code && lines[i].startsWith(QLatin1Char('|'));
        if (!row || (i > 0 && lines[i - 1].startsWith(QLatin1Char('|'))))
            continue;
        // The first line of a table: its header, then the line under it.
        if (++table != at.table)
            continue;
        const QStringList head = {QString(), kPageBreakMark, QString(), lines[i], lines[i + 1]};
        for (int k = head.size() - 1; k >= 0; --k)
            lines.insert(i + 1 + at.row, head[k]);
        break;
    }
    return lines.join(QLatin1Char('\n'));
}

QString firstPictureAcrossPages(QTextDocument &doc)
{
    const double pageHeight = doc.pageSize().height();
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QRectF place = layout->blockBoundingRect(b);
            if (int(place.top() / pageHeight) != int(place.bottom() / pageHeight))
                return f.toImageFormat().name();
        }
    return {};
}

QString withPageBreakBeforePicture(const QString &markdown, const QString &picture)
{
    QStringList lines = markdown.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(QLatin1String("![")) && lines[i].contains(QStringLiteral("](") + picture + ')')) {
            lines.insert(i, QString());
            lines.insert(i, kPageBreakMark);
            break;
        }
    return lines.join(QLatin1Char('\n'));
}

int splitParagraphsAtPageBreaks(QTextDocument &doc)
{
    const double pageHeight = doc.pageSize().height();
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    int split = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextCursor c(b);
        if (c.currentTable())
            continue;
        const QTextLayout *lines = b.layout();
        const double top = lines->position().y();
        // A line's page is where its middle lies: the layout may start a
        // line a hair above the page it put it on.
        const auto pageOf = [&](int i) {
            const QTextLine line = lines->lineAt(i);
            return int((top + line.y() + line.height() / 2) / pageHeight);
        };
        int at = -1;
        for (int i = 1; i < lines->lineCount() && at < 0; ++i)
            if (pageOf(i) > pageOf(0))
                at = i;
        if (at < 0)
            continue;
        QTextBlockFormat rest = b.blockFormat();
        QTextBlockFormat first = rest;
        first.setBottomMargin(0);
        c.setBlockFormat(first);
        rest.setTopMargin(0);
        rest.setTextIndent(0);
        rest.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        if (QTextList *list = b.textList())
            rest.setIndent(rest.indent() + list->format().indent());
        rest.setObjectIndex(-1); // out of the list: its mark stays with the first part
        c.setPosition(b.position() + lines->lineAt(at).textStart());
        c.insertBlock(rest);
        ++split;
        b = c.block().previous();
    }
    layout->documentSize(); // laid out again
    return split;
}
