#pragma once

class EntryState;
class LogModel;
class PartialCalls;
class PartialListModel;
class QObject;
class QString;
class PartialWindow;
struct MainForm;

/// The partial-call list on the main window's entry: the call fields feed
/// it, the log's changes and the band, mode and tour keep it current, and
/// the known-calls file is read (a refusal said in the status panel).
namespace PartialFeature {
void attach(EntryState &entry, const MainForm &form, LogModel &log, PartialCalls &calls, PartialListModel &list,
            PartialWindow &window, const QString &knownCallsFile, QObject *owner);
} // namespace PartialFeature
