#pragma once

class ClockSource;
class ClockTicker;
class Prompts;
class QWidget;
class Store;
struct MainForm;

/// The clock on the main window: the UTC texts, the local date and time in
/// the status bar, and with TOUR ticked the current tour of the log's tour
/// times; started at once.
namespace ClockFeature {
ClockTicker *attach(const MainForm &form, const ClockSource &clock, Store &store, Prompts &prompts, QWidget *owner);
} // namespace ClockFeature
