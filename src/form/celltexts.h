#pragma once

#include <QHash>
#include <QStaticText>
#include <QString>

class QPainter;
class QRect;

/// Cell texts laid out once and drawn as often as the list repaints: laid
/// out at every paint, the few short texts of a window's cells cost most of
/// a keystroke's time.
class CellTexts {
public:
    /// Draws text in the painter's font inside rect, placed by alignment
    /// and cut with an ellipsis on the right when it is too wide. bold says
    /// which of the two fonts the painter holds.
    void draw(QPainter *painter, const QRect &rect, int alignment, const QString &text, bool bold);

private:
    QHash<QString, QStaticText> m_texts[2];
};
