#pragma once

#include "focusmoves.h"

#include <QLineEdit>

/// One of the six entry fields: every typed character passes the entry
/// filter, and so does pasted text, whichever way it comes (Shift+Insert,
/// the context menu, the middle button, a drop); Ctrl+C, Ctrl+X and Ctrl+V
/// do nothing. Text set by the program is taken as it is.
/// No input method serves these fields: a dead key or a composing input
/// method would hand over text that never passed the filter.
class EntryEdit : public QLineEdit {
    Q_OBJECT
public:
    EntryEdit(EntryField role, QWidget *parent);
    EntryField role() const { return m_role; }
    /// Puts text in place of the selection (at the cursor without one) as
    /// if typed: through the filter, as one change; nothing in a read-only field.
    void insertAsTyped(const QString &text) { pasteFiltered(text); }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    /// Enter, Up, Down, Esc, F1 or F2, before the field's own handling.
    void entryKey(EntryEdit *field, int key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    /// One insertion, so the field reacts once to the whole paste.
    void pasteFiltered(const QString &text);

    EntryField m_role;
};
