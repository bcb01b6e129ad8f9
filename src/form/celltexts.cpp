#include "celltexts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace {
constexpr int kMostTexts = 4096; // a long scroll must not keep every text
} // namespace

void CellTexts::draw(QPainter *painter, const QRect &rect, int alignment, const QString &text, bool bold)
{
    QHash<QString, QStaticText> &texts = m_texts[bold ? 1 : 0];
    // Keyed by the width too: a column made narrower cuts the text anew.
    const QString key = text + QChar(0x1f) + QString::number(rect.width());
    auto it = texts.find(key);
    if (it == texts.end()) {
        if (texts.size() >= kMostTexts)
            texts.clear();
        const QFontMetrics metrics = painter->fontMetrics();
        QStaticText laid(metrics.horizontalAdvance(text) > rect.width()
                             ? metrics.elidedText(text, Qt::ElideRight, rect.width())
                             : text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), painter->font());
        it = texts.insert(key, laid);
    }
    const QSizeF size = it->size();
    qreal x = rect.left();
    if (alignment & Qt::AlignRight)
        x = rect.right() + 1 - size.width();
    else if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - size.width()) / 2;
    const qreal y = rect.top() + (rect.height() - size.height()) / 2;
    painter->drawStaticText(QPointF(x, y), *it);
}
