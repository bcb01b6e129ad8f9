#include "textspans.h"

#include <QTextBoundaryFinder>
#include <QVector>

#include <algorithm>

namespace {

/// Where the pieces meet, from 0 to the length, both included.
QVector<int> edges(const QString &text, QAccessible::TextBoundaryType boundary)
{
    QVector<int> at{0};
    const int length = int(text.size());
    QTextBoundaryFinder::BoundaryType finderType = QTextBoundaryFinder::Grapheme;
    switch (boundary) {
    case QAccessible::CharBoundary: finderType = QTextBoundaryFinder::Grapheme; break;
    case QAccessible::WordBoundary: finderType = QTextBoundaryFinder::Word; break;
    case QAccessible::SentenceBoundary: finderType = QTextBoundaryFinder::Sentence; break;
    default: // a line, a paragraph, no boundary: one line holds it all
        if (length > 0)
            at << length;
        return at;
    }
    QTextBoundaryFinder finder(finderType, text);
    // Each step moves on by at least one character: the walk ends.
    for (qsizetype next = finder.toNextBoundary(); next > at.last() && next <= length; next = finder.toNextBoundary())
        at << int(next);
    if (at.last() != length)
        at << length;
    return at;
}

/// The piece holding offset: its index among the pieces, or the number of
/// pieces for the empty character at the end.
int pieceAt(const QVector<int> &at, int offset, QAccessible::TextBoundaryType boundary)
{
    const int pieces = int(at.size()) - 1;
    if (pieces <= 0)
        return 0;
    if (offset >= at.last())
        return boundary == QAccessible::CharBoundary ? pieces : pieces - 1;
    return int(std::upper_bound(at.begin(), at.end(), std::max(offset, 0)) - at.begin()) - 1;
}

TextSpan piece(const QVector<int> &at, int index)
{
    const int last = at.last();
    if (index < 0)
        return {0, 0};
    if (index >= int(at.size()) - 1)
        return {last, last};
    return {at[index], at[index + 1]};
}

} // namespace

TextSpan spanAt(const QString &text, int offset, QAccessible::TextBoundaryType boundary)
{
    const QVector<int> at = edges(text, boundary);
    return piece(at, pieceAt(at, offset, boundary));
}

TextSpan spanBefore(const QString &text, int offset, QAccessible::TextBoundaryType boundary)
{
    const QVector<int> at = edges(text, boundary);
    return piece(at, pieceAt(at, offset, boundary) - 1);
}

TextSpan spanAfter(const QString &text, int offset, QAccessible::TextBoundaryType boundary)
{
    const QVector<int> at = edges(text, boundary);
    const int index = pieceAt(at, offset, boundary) + 1;
    return piece(at, index);
}
