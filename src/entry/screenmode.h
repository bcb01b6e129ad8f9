#pragma once

#include "entrystate.h"

#include "form/mainform.h"
#include "form/screenlook.h"

/// Changes the screen's state, kept in the entry state, and shows it: every
/// change of state goes through here, so no two handlers can leave the
/// screen half in one mode.
class ScreenMode {
public:
    ScreenMode(const MainForm &form, EntryState &entry) : m_form(form), m_entry(entry) {}

    const ScreenState &state() const { return m_entry.screen(); }
    void setManual(bool on);
    void setEditing(bool on);
    void setStationOpen(bool on);
    void setHam(bool on);

private:
    void change(bool ScreenState::*part, bool on);
    void apply(const ScreenState &next);

    const MainForm &m_form;
    EntryState &m_entry;
};
