#pragma once

#include <QObject>

class QAction;
class QWidget;

/// The tick of a window's menu item shows while the window is open: the
/// window's own close button takes it away, as the menu item would.
class TickFollowsWindow : public QObject {
    Q_OBJECT
public:
    /// Lives as long as the window does.
    TickFollowsWindow(QAction *item, QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *m_item;
};
