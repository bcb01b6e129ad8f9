#include "screenmode.h"

#include "entryedit.h"

#include "form/fieldcolours.h"
#include "form/loggrid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

void ScreenMode::setManual(bool on)
{
    change(&ScreenState::manual, on);
}

void ScreenMode::setEditing(bool on)
{
    change(&ScreenState::editing, on);
}

void ScreenMode::setStationOpen(bool on)
{
    change(&ScreenState::stationOpen, on);
}

void ScreenMode::setHam(bool on)
{
    change(&ScreenState::ham, on);
}

void ScreenMode::change(bool ScreenState::*part, bool on)
{
    ScreenState next = m_entry.screen();
    next.*part = on;
    apply(next);
}

void ScreenMode::apply(const ScreenState &next)
{
    const MainForm &f = m_form;
    const ScreenLook before = screenLook(m_entry.screen());
    const ScreenLook look = screenLook(next);
    m_entry.setScreen(next);

    const QPushButton *shown = look.shownOk == ScreenLook::Edit     ? f.editOk
                               : look.shownOk == ScreenLook::Manual ? f.manualOk
                                                                    : f.ok;
    for (QPushButton *b : {f.ok, f.editOk, f.manualOk}) {
        b->setVisible(b == shown);
        b->setEnabled(look.okEnabled);
    }
    f.dateField->setVisible(look.dateTimeShown);
    f.timeField->setVisible(look.dateTimeShown);
    f.rst->setVisible(look.rstShown);
    f.copy->setVisible(look.copyShown);
    f.tour->setVisible(look.tourShown);
    f.swl->setVisible(look.swlShown);
    for (QWidget *w : {static_cast<QWidget *>(f.tourTime), static_cast<QWidget *>(f.tourCaption),
                       static_cast<QWidget *>(f.utcCaption), static_cast<QWidget *>(f.utcClock),
                       static_cast<QWidget *>(f.tourNumber)})
        w->setVisible(look.clockShown);
    f.grid->setVisible(look.gridShown);
    f.grid->setEnabled(look.gridEnabled);
    f.logMenu->setEnabled(look.logMenu);
    f.settingsMenu->setEnabled(look.settingsMenu);
    f.contestsMenu->setEnabled(look.contestsMenu);
    f.windowsMenu->setEnabled(look.windowsMenu);
    f.helpMenu->setEnabled(look.helpMenu);
    f.swl->setText(look.swlCaption);
    f.heardCall->setReadOnly(look.heardCallLocked);

    // Repainting only on a change of colour keeps the repeat colours of a
    // call when the station panel opens or closes.
    if (look.heardCallColour != before.heardCallColour)
        FieldColours::paint(f.heardCall, look.heardCallColour);
    if (look.fieldColour == before.fieldColour)
        return;
    for (EntryEdit *field : f.entryFields())
        if (field != f.heardCall)
            FieldColours::paint(field, look.fieldColour);
    for (QWidget *w : {static_cast<QWidget *>(f.dateField), static_cast<QWidget *>(f.timeField),
                       static_cast<QWidget *>(f.mode), static_cast<QWidget *>(f.band)})
        FieldColours::paint(w, look.fieldColour);
}
