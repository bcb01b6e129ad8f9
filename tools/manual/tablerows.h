#pragma once

#include <QString>

#include <optional>

class QTextDocument;

/// A paragraph of its own that the book prints as nothing but a page break.
inline const QString kPageBreakMark = QStringLiteral("{{page break}}");

/// Turns every page break mark of the document into an empty paragraph that
/// starts a new page.
void breakPagesAtMarks(QTextDocument &doc);

/// A row of a table that a page break cuts in two: the table's place among
/// the document's tables and the row's place in it, both from 0, the header
/// row being row 0.
struct RowAcrossPages {
    int table = 0;
    int row = 0;
};

/// The first body row of a laid out document whose lines lie on two pages.
std::optional<RowAcrossPages> firstRowAcrossPages(QTextDocument &doc);

/// The Markdown text with that table ended before that row and continued,
/// header first, after a page break mark.
QString withPageBreakBefore(const QString &markdown, RowAcrossPages at);

/// The file name of the first picture of a laid out document whose paragraph
/// lies on two pages; empty when none does.
QString firstPictureAcrossPages(QTextDocument &doc);

/// The Markdown text with a page break mark before the picture of that name.
QString withPageBreakBeforePicture(const QString &markdown, const QString &picture);

/// Splits every paragraph outside tables whose lines lie on two pages into
/// two paragraphs at the page break, laid out as before: the first line of
/// the new page starts a paragraph of its own that continues the text (no
/// second list mark, no indent of its own). Qt draws a paragraph's last
/// line above a page again on the next page, unseen but in the text layer.
/// The number of paragraphs split.
int splitParagraphsAtPageBreaks(QTextDocument &doc);
