#pragma once

#include "rigsettings.h"

#include <QObject>

class ClockTicker;
class QComboBox;
class RigClient;
class ScreenMode;
struct MainForm;

/// Puts the receiver's band and mode into the main window's selectors as
/// rigctld reports them, and says in the status text when the receiver is
/// lost and found again.
class RigFollower : public QObject {
    Q_OBJECT
public:
    /// With following switched on, a follower polled on every clock tick,
    /// owned by parent; otherwise nothing, and no socket is opened.
    static RigFollower *start(const RigSettings &settings, const MainForm &form, const ScreenMode &screen,
                              ClockTicker &clock, QObject *parent);

    /// Takes the client over as its child.
    RigFollower(RigClient *client, const MainForm &form, const ScreenMode &screen, QObject *parent = nullptr);

    void poll();
    RigClient &client() { return *m_client; }

private:
    bool inNormalEntry() const;
    void follow(QComboBox *selector, const QString &text);
    void linkChanged(bool up);
    void showNews();

    RigClient *m_client;
    const MainForm &m_form;
    const ScreenMode &m_screen;
    QString m_lostText;
    QString m_news; ///< status text not shown yet
};
