#pragma once

#include <QString>
#include <QStringList>

/// A Markdown text printed as an A4 book: a title page, a table of contents
/// with page numbers, every top-level heading on a new page, a running head
/// and page numbers, and the images the text names.
struct Book {
    QString title, subtitle, version;
    QString markdown;
    QString imageFolder; ///< where the images named in the text are
};

/// Writes the PDF; the number of pages, or 0 with why set when it cannot.
int printBook(const Book &book, const QString &pdfPath, QString &why);

/// The image files the Markdown text names, in order.
QStringList imagesNamedIn(const QString &markdown);
