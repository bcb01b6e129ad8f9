#pragma once

#include "mainform.h"
#include "qsorecord.h"

#include <functional>

class LogModel;
class Prompts;
class Store;

/// What the entry logic works with: the main window's controls, the log
/// grid's result, the store and the message boxes.
struct EntryContext {
    const MainForm &form;
    LogModel &log;
    Store &store;
    Prompts &prompts;
    std::function<int()> entryLayout;
};

/// "QSO: " and "Points: " in the third and fourth status panels.
void writeCounters(const EntryContext &c);
/// Selects row (clamped to the log) in the grid and scrolls it into view.
void selectRow(const EntryContext &c, int row);
/// The QSO the entry fields describe, with the given date and time and the
/// tour of the tour number field.
QsoRecord entryRecord(const MainForm &form, const QString &data, const QString &time);
/// Enables or disables the five menus of the menu bar.
void enableMenus(const EntryContext &c, bool enabled);
/// HAM mode: the own call sign, trimmed, read-only on the button face.
/// Returns the call sign put in. Throws StoreError.
QString putOwnCall(const EntryContext &c);
