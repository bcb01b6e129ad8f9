#pragma once

#include <QLabel>

class QString;

/// The frame that holds the main window's status panels; a screen reader's
/// read-status-bar command finds it by its role.
class StatusPanels : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
};

/// One panel. Its width is fixed by the window's design: a text too long
/// for it ends in "…" and is shown whole where the mouse rests on it (a
/// screen reader reads it whole anyway).
class StatusPanel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRoom() const;
    bool cut() const;
};

/// Puts a text into its status panel. A cut number or time would be a wrong
/// one (a regional format may be longer than the panel was made for): a
/// panel too narrow for its text grows, and the panels after it
/// move right, the width coming out of the last panel.
void setPanelText(QLabel *panel, QLabel *last, const QString &text);
