#pragma once

#include "mainactions.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <vector>

class IniFile;
class QMainWindow;
class QAction;
class QMenu;
class QWidget;
struct MainForm;

/// The windows of the "Окна" menu, from one table: each one's section of
/// settings.ini, menu item and key, place and size when settings.ini has
/// none, and what its tick means. Each is reached by its key from any window
/// of the program, left for the entry by F4, and keeps its place in
/// settings.ini.
class ToolWindows : public QObject {
    Q_OBJECT
public:
    /// Makes the menu items into menu and actions.
    ToolWindows(QMainWindow &main, const MainForm &form, const IniFile &settings, QMenu *menu, MainActions &actions);

    /// The window of the row with this section, made after the main window;
    /// it goes to its saved place, or is placed beside the main window when
    /// first opened.
    void attach(const QString &section, QWidget *window);
    /// Each window's place and size, in its own section.
    void save(IniFile &settings) const;

private:
    struct Tool {
        QString section;
        QRect design;
        bool tickFollowsWindow; ///< else the tick decides, and a closed window keeps it
        QAction *item;
        QWidget *window = nullptr;
        bool unplaced = false; ///< no saved place, not yet opened
    };
    void toggle(Tool &tool);
    void reach(Tool &tool);
    void placeBesideMain(QWidget *window);

    QMainWindow &m_main;
    const MainForm &m_form;
    const IniFile &m_settings;
    std::vector<Tool> m_tools;
};
