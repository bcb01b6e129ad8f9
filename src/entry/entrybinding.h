#pragma once

#include "entrystate.h"

#include "form/mainform.h"

#include <QObject>

class QLineEdit;

/// The main form's entry widgets and the entry state, bound both ways: what
/// is typed or chosen goes into the state, what a rule writes into the
/// state shows in its widget; the repeat verdict paints its call field and
/// tells a screen reader what the colour means. Made before anything that
/// listens to the widgets, so that the state is current when it is read.
class EntryBinding : public QObject {
    Q_OBJECT
public:
    EntryBinding(EntryState &state, const MainForm &form, QObject *parent = nullptr);

    /// The text widget of a field, or nothing for a selector.
    QLineEdit *edit(EntryState::Field field) const;

private:
    void show(EntryState::Field field);
    void paint(EntryState::Field call);

    EntryState &m_state;
    const MainForm &m_form;
};
