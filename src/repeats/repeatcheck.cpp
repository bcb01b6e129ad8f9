#include "repeatcheck.h"

#include "repeatlistmodel.h"
#include "repeatrules.h"
#include "trptqso.h"

#include "form/fieldcolours.h"
#include "form/screenlook.h"
#include "store/store.h"
#include "store/storeerror.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <utility>

RepeatCheck::RepeatCheck(const RepeatCheckWidgets &widgets, Store &store, RepeatListModel &list, TRptQso &window,
                         QObject *parent)
    : QObject(parent), m_w(widgets), m_store(store), m_list(list), m_window(window)
{}

void RepeatCheck::heardCallChanged()
{
    // The heard call is the own call sign in HAM mode: nothing to look up.
    callChanged(m_w.heardCall, m_w.heardReport, !m_w.screen->ham);
}

void RepeatCheck::workedCallChanged()
{
    callChanged(m_w.workedCall, m_w.workedReport, true);
}

void RepeatCheck::callChanged(QLineEdit *call, QLineEdit *report, bool counted)
{
    if (m_w.rst->isChecked()) {
        // Set only when it differs: rewriting the same text is heard as an edit.
        const QString wanted = call->text().isEmpty() ? QString() : defaultReport(m_w.mode->currentText());
        if (report->text() != wanted)
            report->setText(wanted);
    }
    // A store that failed at start said so once; a box per keystroke would
    // only swallow the keys that follow.
    if (counted && !m_store.hasFailed()) {
        try {
            count(call);
            m_failing = false;
        } catch (const StoreError &e) {
            if (!std::exchange(m_failing, true))
                emit readFailed(e.text());
        }
    } else if (const ScreenLook look = screenLook(*m_w.screen); !look.repeatColours) {
        FieldColours::paint(call, look.fieldColour);
    }
}

void RepeatCheck::count(QLineEdit *call)
{
    const QString text = call->text();
    const QString band = m_w.band->currentText();
    const QString mode = m_w.mode->currentText();
    const QString tour = m_w.tourNumber->text();
    // An empty call would match every QSO logged without that station.
    const bool empty = text.trimmed().isEmpty();
    m_heard = empty ? 0 : m_store.heardRepeatCount(band, mode, text, tour);
    m_worked = empty ? 0 : m_store.workedRepeatCount(band, mode, text, tour);
    show(call, repeatColour(m_heard, m_worked));
    m_window.setCounts(m_heard, m_worked);
    m_list.show(text);
}

void RepeatCheck::show(QLineEdit *call, RepeatColour colour)
{
    // Editing and manual entry paint the fields their own colour: a repeat
    // is then neither shown, nor described, nor sounded.
    const ScreenLook look = screenLook(*m_w.screen);
    if (!look.repeatColours)
        colour = RepeatColour::Normal;
    switch (colour) {
    case RepeatColour::Red: FieldColours::paint(call, FieldColours::red); break;
    case RepeatColour::Aqua: FieldColours::paint(call, FieldColours::aqua); break;
    case RepeatColour::Normal:
        FieldColours::paint(call, look.repeatColours ? FieldColours::window() : look.fieldColour);
        break;
    }
    const QString meaning = repeatDescription(colour, m_heard, m_worked);
    if (call->accessibleDescription() != meaning)
        call->setAccessibleDescription(meaning);
    RepeatColour &shown = call == m_w.heardCall ? m_heardShown : m_workedShown;
    if (colour != shown && colour != RepeatColour::Normal)
        emit becameRepeat(colour);
    shown = colour;
}
