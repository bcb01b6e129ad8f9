#include "repeatcheck.h"

#include "repeatlistmodel.h"
#include "trptqso.h"

#include "entry/recordingrules.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <utility>

using Field = EntryState::Field;

RepeatCheck::RepeatCheck(EntryState &entry, Store &store, RepeatListModel &list, TRptQso &window, QObject *parent)
    : QObject(parent), m_entry(entry), m_store(store), m_list(list), m_window(window)
{
    connect(&entry, &EntryState::textChanged, this, [this](Field field) {
        if (field == Field::HeardCall || field == Field::WorkedCall)
            callChanged(field);
    });
}

void RepeatCheck::callChanged(Field call)
{
    RecordingRules::reportFollows(m_entry, call);
    // The heard call is the own call sign in HAM mode: nothing to look up. A
    // store that failed at start said so once; a box per keystroke would
    // only swallow the keys that follow.
    const bool counted = call == Field::WorkedCall || !m_entry.screen().ham;
    if (!counted || m_store.hasFailed()) {
        m_entry.setVerdict(call, {});
        return;
    }
    try {
        count(call);
        m_failing = false;
    } catch (const StoreError &e) {
        if (!std::exchange(m_failing, true))
            emit readFailed(e.text());
    }
}

void RepeatCheck::count(Field call)
{
    const QString text = m_entry.text(call);
    const QString &band = m_entry.text(Field::Band), &mode = m_entry.text(Field::Mode);
    const QString &tour = m_entry.text(Field::Tour);
    // An empty call would match every QSO logged without that station.
    const bool empty = text.trimmed().isEmpty();
    m_heard = empty ? 0 : m_store.heardRepeatCount(band, mode, text, tour);
    m_worked = empty ? 0 : m_store.workedRepeatCount(band, mode, text, tour);
    // Editing and manual entry paint the fields their own colour: a repeat
    // is then neither shown, nor described, nor sounded.
    const RepeatColour colour = RecordingRules::shownColour(m_heard, m_worked, m_entry.screen());
    const RepeatColour before = m_entry.verdict(call).colour;
    m_entry.setVerdict(call, {m_heard, m_worked, colour});
    if (colour != before && colour != RepeatColour::Normal)
        emit becameRepeat(colour);
    m_window.setCounts(m_heard, m_worked);
    m_list.show(text);
}
