#pragma once

#include "repeatrules.h"

#include "entry/entrystate.h"

#include <QObject>

class RepeatListModel;
class Store;
class TRptQso;

/// Runs at every change of a call in the entry: the default report, the two
/// repeat counts on this band, mode and tour, the verdict the call field
/// shows, the repeat window.
class RepeatCheck : public QObject {
    Q_OBJECT
public:
    RepeatCheck(EntryState &entry, Store &store, RepeatListModel &list, TRptQso &window, QObject *parent = nullptr);

    qint64 heardCount() const { return m_heard; }
    qint64 workedCount() const { return m_worked; }

signals:
    /// A call field has just turned red or aqua (not at each keystroke while it stays so).
    void becameRepeat(RepeatColour colour);
    /// The counts could not be read: said once, until a count succeeds.
    void readFailed(const QString &storeText);

private:
    void callChanged(EntryState::Field call);
    void count(EntryState::Field call);

    EntryState &m_entry;
    Store &m_store;
    RepeatListModel &m_list;
    TRptQso &m_window;
    bool m_failing = false; ///< the last count failed, and that was said
    qint64 m_heard = 0;
    qint64 m_worked = 0;
};
