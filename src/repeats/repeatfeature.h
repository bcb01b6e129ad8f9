#pragma once

#include "repeatcheck.h"

#include <functional>

class RepeatListModel;
class Store;
class TRptQso;
struct MainForm;
struct ScreenState;

/// The repeat check on the main window's entry: every change of a call
/// field is checked, the repeat window's marks follow the band, mode and
/// tour, and a call that has just become a repeat is handed to cue.
namespace RepeatFeature {
RepeatCheck *attach(const MainForm &form, const ScreenState &screen, Store &store, RepeatListModel &list,
                    TRptQso &window, const std::function<void(RepeatColour)> &cue, QObject *owner);
} // namespace RepeatFeature
