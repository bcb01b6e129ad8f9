#pragma once

#include <QAccessible>
#include <QString>

/// A stretch of a text: [start, end).
struct TextSpan {
    int start = 0, end = 0;
    bool operator==(const TextSpan &o) const { return start == o.start && end == o.end; }
};

/// The pieces a screen reader reads a one-line text by, as Qt names them:
/// characters, words (and the blanks between them), sentences; a line,
/// paragraph or no boundary is the whole text. Each answer is bounded by
/// the text's length and comes at once, at every offset from 0 to the end:
/// at the end, a character is the empty span there and any larger piece is
/// the last one.
TextSpan spanAt(const QString &text, int offset, QAccessible::TextBoundaryType boundary);
/// The piece before, or after, the one at offset; an empty span at the
/// start, or the end, when there is none.
TextSpan spanBefore(const QString &text, int offset, QAccessible::TextBoundaryType boundary);
TextSpan spanAfter(const QString &text, int offset, QAccessible::TextBoundaryType boundary);
