#include "statuspanels.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

QRect StatusPanel::textRoom() const
{
    const int indent = qMax(0, this->indent());
    return contentsRect().adjusted(indent, 0, -indent, 0);
}

bool StatusPanel::cut() const
{
    return fontMetrics().horizontalAdvance(text()) > textRoom().width();
}

bool StatusPanel::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !cut())
        return QLabel::event(event);
    QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
    return true;
}

void StatusPanel::paintEvent(QPaintEvent *event)
{
    if (!cut()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    const QRect room = textRoom();
    p.drawText(room, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

void setPanelText(QLabel *panel, QLabel *last, const QString &text)
{
    panel->setText(text);
    const int margins = panel->width() - panel->contentsRect().width() + 2 * qMax(0, panel->indent());
    const int missing = panel->fontMetrics().horizontalAdvance(text) + margins - panel->width();
    if (missing <= 0)
        return;
    const int right = panel->geometry().right();
    panel->resize(panel->width() + missing, panel->height());
    for (QObject *o : panel->parent()->children()) {
        auto *next = qobject_cast<QLabel *>(o);
        if (!next || next == panel || next->x() <= right)
            continue;
        next->move(next->x() + missing, next->y());
        if (next == last)
            next->resize(next->width() - missing, next->height());
    }
}
