#pragma once

#include "focusmoves.h"

#include <QLineEdit>

/// One of the six entry fields: every typed character passes the entry
/// filter; the clipboard shortcuts do nothing. Text set by the program and
/// text pasted from the context menu or with Shift+Insert is taken as it is.
class EntryEdit : public QLineEdit {
    Q_OBJECT
public:
    EntryEdit(EntryField role, QWidget *parent);
    EntryField role() const { return m_role; }

signals:
    /// Enter, Up, Down, Esc, F1 or F2, before the field's own handling.
    void entryKey(EntryEdit *field, int key);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    EntryField m_role;
};
