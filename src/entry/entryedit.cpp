#include "entryedit.h"

#include "entryfilter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

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
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    // Alt with a letter is a command (a selector's key, a menu's), never text.
    if ((event->modifiers() & Qt::AltModifier) && !(event->modifiers() & Qt::ControlModifier) &&
        !event->text().isEmpty() && event->text().at(0).isLetterOrNumber()) {
        event->ignore();
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

void EntryEdit::pasteFiltered(const QString &text)
{
    const QString taken = filterEntryText(text);
    if (!taken.isEmpty() && !isReadOnly())
        insert(taken);
}

void EntryEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The standard menu's items are known by their shortcuts, the one part
    // of a caption that no translation changes. Ctrl+C, Ctrl+X and Ctrl+V do
    // nothing here, so the menu does not offer them: paste names the key
    // that does paste.
    const auto key = [](const QKeySequence &keys) { return '\t' + keys.toString(QKeySequence::NativeText); };
    const QString pasteKey = key(QKeySequence::Paste);
    for (QAction *item : menu->actions()) {
        const QString text = item->text();
        if (text.endsWith(pasteKey)) {
            item->disconnect(this);
            connect(item, &QAction::triggered, this, [this] { pasteFiltered(QGuiApplication::clipboard()->text()); });
            item->setText(text.section('\t', 0, 0) + key(QKeySequence(Qt::SHIFT | Qt::Key_Insert)));
        } else if (text.endsWith(key(QKeySequence::Copy)) || text.endsWith(key(QKeySequence::Cut))) {
            item->setText(text.section('\t', 0, 0));
        }
    }
    menu->popup(event->globalPos());
}

void EntryEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        deselect();
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        pasteFiltered(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void EntryEdit::dropEvent(QDropEvent *event)
{
    // A move inside the field carries text that passed the filter already.
    if (event->source() == this || !event->mimeData()->hasText())
        return QLineEdit::dropEvent(event);
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    pasteFiltered(event->mimeData()->text());
    event->acceptProposedAction();
}
