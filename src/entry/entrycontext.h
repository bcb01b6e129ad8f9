#pragma once

#include "entrystate.h"

#include "form/mainform.h"
#include "store/qsorecord.h"

#include <functional>

class EntryEdit;
class LogModel;
class Prompts;
class QComboBox;
class ScreenMode;
class Speech;
class Store;

/// What the entry logic works with: the entry state it reads and writes,
/// the main window's controls where the focus goes, the log grid's result,
/// the store, the message boxes and what a screen reader says.
struct EntryContext {
    EntryState &entry;
    const MainForm &form;
    LogModel &log;
    Store &store;
    Prompts &prompts;
    ScreenMode &screen;
    std::function<int()> entryLayout;
    Speech &speech;
};

/// "QSO: " and "Points: " in the third and fourth status panels.
void writeCounters(const MainForm &form, const LogModel &log);
inline void writeCounters(const EntryContext &c)
{
    writeCounters(c.form, c.log);
}
/// Selects row (clamped to the log) in the grid and scrolls it into view.
void selectRow(const MainForm &form, const LogModel &log, int row);
inline void selectRow(const EntryContext &c, int row)
{
    selectRow(c.form, c.log, row);
}
/// Puts a band or mode into its selector: the matching entry becomes current,
/// so the drop-down and the arrow keys start from it; a text that matches no
/// entry is kept as typed text with no entry current.
void setSelectorText(QComboBox *selector, const QString &text);
/// The call field that typing starts in: the heard call, or the worked call
/// while the own call sign holds the heard call read-only.
EntryEdit *entryCallField(const MainForm &form);
/// The own call sign of the station details, trimmed. Throws StoreError.
QString ownCall(const EntryContext &c);
/// HAM mode: the own call sign into the heard call field. Returns it.
/// Throws StoreError.
QString putOwnCall(const EntryContext &c);
