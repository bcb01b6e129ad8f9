#pragma once

#include <QFrame>

class QLabel;
class QString;

/// The frame that holds the main window's status panels; a screen reader's
/// read-status-bar command finds it by its role.
class StatusPanels : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
};

/// Puts a counter into its status panel. A cut number would be a wrong
/// figure: a panel too narrow for its text grows, and the panels after it
/// move right, the width coming out of the last panel.
void setCounterText(QLabel *panel, QLabel *last, const QString &text);
