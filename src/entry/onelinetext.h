#pragma once

#include "textspans.h"

#include <QAccessibleTextInterface>

#include <algorithm>

/// The reading half of a text interface over one line of text, which a
/// screen reader reads whole, by words and by characters: answered at every
/// offset up to the end, with one attribute run over the whole text.
class OneLineText : public QAccessibleTextInterface {
public:
    QString text(int startOffset, int endOffset) const override
    {
        const int start = bounded(startOffset);
        return lineText().mid(start, std::max(0, bounded(endOffset) - start));
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                             int *endOffset) const override
    {
        return answer(spanBefore(lineText(), offset, boundary), startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                            int *endOffset) const override
    {
        return answer(spanAfter(lineText(), offset, boundary), startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                         int *endOffset) const override
    {
        return answer(spanAt(lineText(), offset, boundary), startOffset, endOffset);
    }
    int characterCount() const override { return int(lineText().size()); }
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        // A reader reads up to a run's end: one run, or it cuts the text.
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

protected:
    /// The text as a reader should hear it.
    virtual QString lineText() const = 0;
    int bounded(int offset) const { return std::clamp(offset, 0, characterCount()); }

private:
    QString answer(TextSpan span, int *startOffset, int *endOffset) const
    {
        *startOffset = span.start;
        *endOffset = span.end;
        return lineText().mid(span.start, span.end - span.start);
    }
};
