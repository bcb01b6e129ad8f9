#include "rigfollower.h"

#include "rigclient.h"
#include "rigrules.h"

#include "clock/clockticker.h"
#include "form/mainform.h"

#include <QLabel>
#include <QLineEdit>

RigFollower *RigFollower::start(const RigSettings &settings, EntryState &entry, const MainForm &form,
                                ClockTicker &clock, QObject *parent)
{
    if (!settings.enabled)
        return nullptr;
    auto *follower = new RigFollower(new RigClient(settings.host, settings.port), entry, form, parent);
    connect(&clock, &ClockTicker::ticked, follower, &RigFollower::poll);
    return follower;
}

RigFollower::RigFollower(RigClient *client, EntryState &entry, const MainForm &form, QObject *parent)
    : QObject(parent), m_client(client), m_entry(entry), m_form(form),
      m_lostText(QStringLiteral("Нет связи с приёмником (%1)").arg(client->address()))
{
    client->setParent(this);
    connect(client, &RigClient::frequencyRead, this,
            [this](qint64 hz) { follow(EntryState::Field::Band, bandForFrequency(hz)); });
    connect(client, &RigClient::modeRead, this,
            [this](const QString &rigMode) { follow(EntryState::Field::Mode, modeForRigMode(rigMode)); });
    connect(client, &RigClient::linkChanged, this, &RigFollower::linkChanged);
}

void RigFollower::poll()
{
    showNews();
    m_client->poll();
}

bool RigFollower::inNormalEntry() const
{
    // Manual entry logs QSOs heard earlier, and an edited row keeps its own
    // band and mode: the receiver's present ones belong to neither.
    return !m_entry.screen().manual && !m_entry.screen().editing;
}

void RigFollower::follow(EntryState::Field selector, const QString &text)
{
    if (text.isEmpty() || !inNormalEntry() || m_entry.text(selector) == text)
        return;
    // A change by hand sends the focus to the heard call; a change by the
    // receiver must leave the user typing where they were, selection and all
    // (losing the focus drops a selection).
    QWidget *focused = m_form.window->focusWidget();
    auto *edit = qobject_cast<QLineEdit *>(focused);
    const int cursor = edit ? edit->cursorPosition() : 0;
    const int selectionStart = edit ? edit->selectionStart() : -1;
    const int selectionLength = edit ? int(edit->selectedText().size()) : 0;
    m_entry.setText(selector, text);
    if (!focused || m_form.window->focusWidget() == focused)
        return;
    focused->setFocus(Qt::OtherFocusReason);
    if (!edit)
        return;
    if (selectionStart < 0)
        edit->setCursorPosition(cursor);
    else if (cursor == selectionStart)
        edit->setSelection(selectionStart + selectionLength, -selectionLength);
    else
        edit->setSelection(selectionStart, selectionLength);
}

void RigFollower::linkChanged(bool up)
{
    if (!up)
        m_news = m_lostText;
    else if (m_news == m_lostText)
        m_news.clear(); // back before anyone was told it had gone
    else
        m_news = QStringLiteral("Связь с приёмником восстановлена");
    showNews();
}

void RigFollower::showNews()
{
    // Never over the manual-entry or editing texts: the news waits for
    // normal entry.
    if (m_news.isEmpty() || !inNormalEntry())
        return;
    m_form.statusPanel->setText(m_news);
    m_news.clear();
}
