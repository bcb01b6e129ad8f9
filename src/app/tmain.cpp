#include "tmain.h"

#include "appicon.h"
#include "mainformbuilder.h"
#include "toolwindows.h"

#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "entry/entrystate.h"
#include "fonts/fonts.h"
#include "log/logmodel.h"
#include "settings/inifile.h"
#include "settings/placement.h"
#include "settings/settingskeys.h"

namespace {
constexpr int kDesignTop = 110;
} // namespace

TMain::TMain(IniFile &settings, LogModel &log, const EntryState &entry, QWidget *parent)
    : QMainWindow(parent), m_settings(settings), m_entry(entry)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Kalvex Vireok v.1.4"));
    setWindowIcon(appIcon());
    setFont(Fonts::sansSerif(11));
    m_form = buildMainForm(this, &log);
    createActions();
    // Creation steps: layout 0, then placement and layout from settings.ini.
    m_layout = 0;
    restorePlacement();
    m_actions.entryLayout->setChecked(m_layout != 0);
    applyLayout();
    // A single fixed border: the window manager can neither resize nor maximise.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(sizeHint());
}

void TMain::restorePlacement()
{
    adjustSize();
    const MainPlacement placement = mainPlacement(m_settings, primaryScreenSize(), frameGeometry().size(), kDesignTop);
    move(placement.topLeft);
    m_layout = placement.layout;
}

void TMain::applyLayout()
{
    placeEntryFields(m_form, m_layout);
    m_actions.entryLayout->setText(m_layout == 0 ? QStringLiteral("Установить окна ввода горизонтально")
                                                 : QStringLiteral("Установить окна ввода вертикально"));
}

void TMain::toggleLayout()
{
    // The menu item's own check mark has already flipped; decide on the
    // layout value so a click always alternates.
    m_layout = m_layout != 0 ? 0 : 1;
    applyLayout();
    m_actions.entryLayout->setChecked(m_layout != 0);
}

void TMain::keepPlaces()
{
    m_settings.write(Settings::mainLeft, x());
    m_settings.write(Settings::mainTop, y());
    m_settings.write(Settings::mainLayout.key, m_layout);
    m_tools->save(m_settings);
}
