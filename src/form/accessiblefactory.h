#pragma once

/// Makes the hand-made controls readable by assistive technology: the log
/// grid as a table, the status panels as a status bar. Safe to call again.
void installAccessibleFactory();

class QWidget;
/// A top-level window of the program's own that is no dialog: read as a
/// window (Qt reads a plain widget as a filler). Call before it is shown.
void readAsWindow(QWidget *window);
