#pragma once

class QAction;
class QMenu;

/// Every command of the main window's menus and of the grid's pop-up menu,
/// kept by name from the moment it is made.
struct MainActions {
    QAction *exportCabrillo = nullptr, *exportErmak = nullptr, *exportAdif = nullptr;
    QAction *clearLog = nullptr, *exit = nullptr;
    QAction *station = nullptr, *entryLayout = nullptr, *timeSync = nullptr;
    QAction *contests = nullptr;
    QAction *repeatWindow = nullptr;
    QAction *partialWindow = nullptr;
    QAction *statsWindow = nullptr;
    QAction *manual = nullptr, *about = nullptr;
    QAction *editRecord = nullptr, *deleteRecord = nullptr;
    QMenu *gridMenu = nullptr;
};
