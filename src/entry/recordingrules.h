#pragma once

#include "entrystate.h"

#include "store/qsorecord.h"

#include <optional>

/// What recording takes from the entry and leaves in it, in normal entry
/// (the clock's date and time) and manual entry (the typed ones), in SWL
/// and HAM mode alike: in HAM the heard call holds the own call sign.
namespace RecordingRules {

/// The QSO that OK records, or nothing while the heard station is not given
/// (its call or number empty or blank). Without the worked number the QSO
/// keeps no worked report, but in manual entry, which copies a paper log as
/// it stands. The tour is the entry's tour number.
std::optional<QsoRecord> qso(const EntryState &entry);

/// An edited QSO as the entry shows it, with the typed date and time and
/// no worked report without the worked number; the stored tour stays (an
/// edit changes every field but the tour).
QsoRecord edited(const EntryState &entry);

/// Whether the QSO was shown as a repeat: the verdict of the call field it
/// is recorded for (the worked call in HAM mode).
bool shownAsRepeat(const EntryState &entry);

/// The default report for a station in this mode.
QString defaultReport(const QString &mode);

/// With RST ticked a call's report follows it: the mode's default while
/// the call holds text, else empty. Without RST the report is left alone.
void reportFollows(EntryState &entry, EntryState::Field call);

/// What the entry shows once the QSO is recorded: the six fields empty
/// (manual entry empties the time too, and keeps the date); in HAM mode the
/// own call sign stands in the heard call again, its report following it.
void clearAfterRecording(EntryState &entry, const QString &ownCall);

/// The colour a call field shows for the counts: none while editing or in
/// manual entry, which paint the fields their own colour.
RepeatColour shownColour(qint64 heard, qint64 worked, const ScreenState &screen);

} // namespace RecordingRules
