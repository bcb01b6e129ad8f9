#include "entrystate.h"

void EntryState::setText(Field field, const QString &text)
{
    QString &held = m_texts[size_t(field)];
    if (held == text)
        return;
    held = text;
    emit textChanged(field);
}

void EntryState::setRst(bool on)
{
    if (m_rst == on)
        return;
    m_rst = on;
    emit rstChanged(on);
}

void EntryState::setScreen(const ScreenState &screen)
{
    m_screen = screen;
    emit screenChanged();
}

const CallVerdict &EntryState::verdict(Field call) const
{
    return call == Field::WorkedCall ? m_workedVerdict : m_heardVerdict;
}

void EntryState::setVerdict(Field call, const CallVerdict &verdict)
{
    CallVerdict &held = call == Field::WorkedCall ? m_workedVerdict : m_heardVerdict;
    if (held == verdict)
        return;
    held = verdict;
    emit verdictChanged(call);
}

EntryState::Field EntryState::entryCall() const
{
    return m_screen.ham && !m_screen.editing ? Field::WorkedCall : Field::HeardCall;
}
