#pragma once

#include "mainactions.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <deque>
#include <functional>

class IniFile;
class QMainWindow;
class QAction;
class QMenu;
class QWidget;
struct MainForm;

/// The windows of the "Окна" menu, each added with one row: its section of
/// settings.ini, menu item and key, place and size when settings.ini has
/// none, and what its tick means. Each is reached by its key from any window
/// of the program, left for the entry by F4, and keeps its place in
/// settings.ini.
class ToolWindows : public QObject {
    Q_OBJECT
public:
    struct Row {
        const char *section, *title;
        Qt::Key key;
        QRect design;
        /// The tick shows while the window is open; else the tick decides,
        /// a closed window keeps it, and the window first opens centred
        /// rather than beside the main window.
        bool tickFollowsWindow;
        QAction *MainActions::*item; ///< where the menu item is kept by name
    };

    /// afterCommand runs after each menu item's own work.
    ToolWindows(QMainWindow &main, const MainForm &form, const IniFile &settings, QMenu *menu, MainActions &actions,
                std::function<void()> afterCommand);

    /// A window made after the main window, at the end of the menu: it goes
    /// to its saved place, or is placed when first opened.
    void add(const Row &row, QWidget *window);
    /// Each window's place and size, in its own section.
    void save(IniFile &settings) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Tool {
        QString section;
        QRect design;
        bool tickFollowsWindow;
        QAction *item;
        QWidget *window;
        bool unplaced = false; ///< no saved place, not yet opened
    };
    void toggle(Tool &tool);
    void reach(Tool &tool);
    void placeBesideMain(QWidget *window);

    QMainWindow &m_main;
    const MainForm &m_form;
    const IniFile &m_settings;
    QMenu *m_menu;
    MainActions &m_actions;
    std::function<void()> m_afterCommand;
    std::deque<Tool> m_tools; ///< kept in place: the menu's handlers hold them
};
