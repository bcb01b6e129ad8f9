#pragma once

#include "mainactions.h"

#include "form/mainform.h"

#include <QMainWindow>

class EntryState;
class IniFile;
class LogModel;
class ToolWindows;

/// The main window: the log grid, the entry panel, the menus and the status
/// bar, at the place and in the entry layout that settings.ini keeps. The
/// program attaches its features to the form and to the menus' commands.
class TMain : public QMainWindow {
    Q_OBJECT
public:
    /// The grid shows log; entry tells whether the station panel is open.
    TMain(IniFile &settings, LogModel &log, const EntryState &entry, QWidget *parent = nullptr);

    const MainForm &form() const { return m_form; }
    const MainActions &actions() const { return m_actions; }
    /// The windows of the "Окна" menu.
    ToolWindows &toolWindows() { return *m_tools; }
    int entryLayout() const { return m_layout; }
    void toggleLayout();

    /// After every command of the menus, typing goes on in the entry: made
    /// once the commands have their own work, so that it comes after it.
    void returnToEntryAfterCommands();
    /// Sections Main, RptQso, Partial and Stats into settings.ini.
    void keepPlaces();

private:
    void createActions();
    void restorePlacement();
    void applyLayout();
    void backToEntry();

    IniFile &m_settings;
    const EntryState &m_entry;
    MainForm m_form;
    MainActions m_actions;
    int m_layout = 0;
    ToolWindows *m_tools = nullptr;
};
