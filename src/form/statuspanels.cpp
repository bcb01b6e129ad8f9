#include "statuspanels.h"

#include <QLabel>

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
