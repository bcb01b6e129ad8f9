#include "entryedit.h"

#include "entryfilter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

EntryEdit::EntryEdit(EntryField role, QWidget *parent) : QLineEdit(parent), m_role(role)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

QVariant EntryEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void EntryEdit::inputMethodEvent(QInputMethodEvent *event)
{
    event->ignore();
}

void EntryEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    // QLineEdit switches the input method back on when it becomes writable.
    if (event->type() == QEvent::ReadOnlyChange)
        setAttribute(Qt::WA_InputMethodEnabled, false);
}

void EntryEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Escape:
    case Qt::Key_F1:
    case Qt::Key_F2:
        emit entryKey(this, key);
        QLineEdit::keyPressEvent(event);
        return;
    }
    if ((event->modifiers() & Qt::ControlModifier) && (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && !(event->modifiers() & Qt::ControlModifier) && key != Qt::Key_Backspace &&
        key != Qt::Key_Delete && key != Qt::Key_Tab && key != Qt::Key_Backtab) {
        const auto taken = filterEntryChar(text.at(0));
        if (taken && !isReadOnly())
            insert(QString(*taken));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
