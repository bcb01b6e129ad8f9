#pragma once

#include <QFrame>

/// The frame that holds the main window's status panels; a screen reader's
/// read-status-bar command finds it by its role.
class StatusPanels : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
};
