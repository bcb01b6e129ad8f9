#pragma once

#include "repeatcheck.h"

#include <functional>

class EntryState;
class RepeatListModel;
class Store;
class TRptQso;

/// The repeat check on the entry: every change of a call is checked, the
/// repeat window's marks follow the band, mode and tour, and a call that
/// has just become a repeat is handed to cue.
namespace RepeatFeature {
RepeatCheck *attach(EntryState &entry, Store &store, RepeatListModel &list, TRptQso &window,
                    const std::function<void(RepeatColour)> &cue, QObject *owner);
} // namespace RepeatFeature
