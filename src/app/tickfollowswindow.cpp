#include "tickfollowswindow.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

TickFollowsWindow::TickFollowsWindow(QAction *item, QWidget *window) : QObject(window), m_item(item)
{
    window->installEventFilter(this);
}

bool TickFollowsWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Only a close: a window hidden with a minimised main window stays
    // open. Whether the close was taken is known once it has been handled.
    if (event->type() == QEvent::Close) {
        auto *window = static_cast<QWidget *>(watched);
        QMetaObject::invokeMethod(
            this,
            [this, window] {
                if (!window->isVisible())
                    m_item->setChecked(false);
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}
