#pragma once

#include "form/mainform.h"

class QAbstractItemModel;
class QMainWindow;

/// The main window's controls at their places, the log grid showing log.
/// The menus are made by the window itself.
MainForm buildMainForm(QMainWindow *window, QAbstractItemModel *log);

/// Puts the six entry fields in one row per station (layout 0) or one
/// column per station (any other layout).
void placeEntryFields(const MainForm &form, int layout);
