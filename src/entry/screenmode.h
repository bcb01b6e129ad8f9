#pragma once

#include "form/mainform.h"
#include "form/screenlook.h"

/// Keeps the screen's state and shows it: every change of state goes
/// through here, so no two handlers can leave the screen half in one mode.
class ScreenMode {
public:
    explicit ScreenMode(const MainForm &form) : m_form(form) {}

    const ScreenState &state() const { return m_state; }
    void setManual(bool on);
    void setEditing(bool on);
    void setStationOpen(bool on);
    void setHam(bool on);

private:
    void change(bool ScreenState::*part, bool on);
    void apply(const ScreenState &next);

    const MainForm &m_form;
    ScreenState m_state;
};
