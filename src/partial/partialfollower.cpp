#include "partialfollower.h"

#include "partiallistmodel.h"
#include "partialwindow.h"

#include "entry/entryfilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

PartialFollower::PartialFollower(EntryState &entry, QLineEdit *heardCall, QLineEdit *workedCall, PartialListModel &list,
                                 PartialWindow &window, QObject *parent)
    : QObject(parent), m_entry(entry), m_heard(heardCall), m_worked(workedCall), m_list(list), m_window(window),
      m_last(heardCall)
{
    for (QLineEdit *field : {m_heard, m_worked})
        field->installEventFilter(this);
    connect(&entry, &EntryState::textChanged, this, [this](EntryState::Field changed) {
        for (QLineEdit *field : {m_heard, m_worked})
            if (changed == fieldOf(field) && (field == m_last || field->hasFocus()))
                follow(field);
    });
    connect(&window, &PartialWindow::taken, this, &PartialFollower::take);
    connect(&window, &PartialWindow::left, this, [this] {
        m_last->window()->activateWindow();
        m_last->setFocus();
    });
    connect(&window, &PartialWindow::typed, this, [this](QKeyEvent *key) {
        // As if typed at the end of the field.
        m_last->window()->activateWindow();
        m_last->setFocus();
        m_last->deselect();
        m_last->end(false);
        QKeyEvent again(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(m_last, &again);
    });
}

EntryState::Field PartialFollower::fieldOf(QLineEdit *field) const
{
    return field == m_heard ? EntryState::Field::HeardCall : EntryState::Field::WorkedCall;
}

bool PartialFollower::feeds(QLineEdit *field) const
{
    // The heard call is the own call sign in HAM mode: nothing to look up.
    return field != m_heard || !m_entry.screen().ham;
}

void PartialFollower::follow(QLineEdit *field)
{
    m_last = field;
    m_list.show(feeds(field) ? m_entry.text(fieldOf(field)) : QString());
}

void PartialFollower::take(const QString &call)
{
    QLineEdit *field = m_last;
    field->window()->activateWindow();
    field->setFocus();
    m_entry.setText(fieldOf(field), filterEntryText(call).left(field->maxLength()));
    field->setCursorPosition(int(field->text().size()));
}

bool PartialFollower::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    // Followed once the step that moved the focus is done: recording a QSO
    // moves the focus before it clears the field, and the old call would be
    // looked up for nothing.
    if (event->type() == QEvent::FocusIn)
        QMetaObject::invokeMethod(
            this,
            [this, field] {
                if (field->hasFocus() && field != m_last && feeds(field))
                    follow(field);
            },
            Qt::QueuedConnection);
    if (event->type() != QEvent::KeyPress || field->isReadOnly())
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_F3:
        m_last = field;
        if (m_list.fragment() == m_entry.text(fieldOf(field)) && m_list.rowCount() > 0)
            take(m_list.call(0));
        return true;
    case Qt::Key_PageDown:
        m_last = field;
        if (m_window.isVisible())
            m_window.enterList();
        return true;
    }
    return false;
}
