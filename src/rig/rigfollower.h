#pragma once

#include "rigsettings.h"

#include "entry/entrystate.h"

#include <QObject>

class ClockTicker;
class RigClient;
struct MainForm;

/// Puts the receiver's band and mode into the entry as rigctld reports
/// them, and says in the status text when the receiver is lost and found
/// again.
class RigFollower : public QObject {
    Q_OBJECT
public:
    /// With following switched on, a follower polled on every clock tick,
    /// owned by parent; otherwise nothing, and no socket is opened.
    static RigFollower *start(const RigSettings &settings, EntryState &entry, const MainForm &form, ClockTicker &clock,
                              QObject *parent);

    /// Takes the client over as its child. The form is where the user types
    /// on while the selectors change.
    RigFollower(RigClient *client, EntryState &entry, const MainForm &form, QObject *parent = nullptr);

    void poll();
    RigClient &client() { return *m_client; }

private:
    bool inNormalEntry() const;
    void follow(EntryState::Field selector, const QString &text);
    void linkChanged(bool up);
    void showNews();

    RigClient *m_client;
    EntryState &m_entry;
    const MainForm &m_form;
    QString m_lostText;
    QString m_news; ///< status text not shown yet
};
