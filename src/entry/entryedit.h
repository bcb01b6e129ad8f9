#pragma once

#include "focusmoves.h"

#include <QLineEdit>

/// One of the six entry fields: every typed character passes the entry
/// filter; the clipboard shortcuts do nothing. Text set by the program and
/// text pasted from the context menu or with Shift+Insert is taken as it is.
/// No input method serves these fields: a dead key or a composing input
/// method would hand over text that never passed the filter.
class EntryEdit : public QLineEdit {
    Q_OBJECT
public:
    EntryEdit(EntryField role, QWidget *parent);
    EntryField role() const { return m_role; }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    /// Enter, Up, Down, Esc, F1 or F2, before the field's own handling.
    void entryKey(EntryEdit *field, int key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    EntryField m_role;
};
