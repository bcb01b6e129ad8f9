#pragma once

#include "entry/entrystate.h"

#include <QObject>

class PartialListModel;
class QLineEdit;
class PartialWindow;

/// Ties the two call fields to the partial-call window: the field typed in
/// last feeds the list, F3 takes the first call, Page Down goes into the
/// list, and a call taken there goes back into that field as if typed.
class PartialFollower : public QObject {
    Q_OBJECT
public:
    /// The two call fields are watched for the focus and the keys; their
    /// texts are the entry's.
    PartialFollower(EntryState &entry, QLineEdit *heardCall, QLineEdit *workedCall, PartialListModel &list,
                    PartialWindow &window, QObject *parent = nullptr);

    /// Puts call into the field that had the focus last.
    void take(const QString &call);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(QLineEdit *field);
    bool feeds(QLineEdit *field) const;
    EntryState::Field fieldOf(QLineEdit *field) const;

    EntryState &m_entry;
    QLineEdit *m_heard, *m_worked;
    PartialListModel &m_list;
    PartialWindow &m_window;
    QLineEdit *m_last;
};
