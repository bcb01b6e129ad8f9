#pragma once

class ClockTicker;
class StatsWindow;
struct MainForm;
struct PictureTarget;

/// The statistics window beside the main window's entry: its bands in the
/// band selector's order, its picture saved beside the reports, its rates
/// counted on at every tick of the clock.
namespace StatsFeature {
void attach(const MainForm &form, StatsWindow &window, ClockTicker &clock, const PictureTarget &picture);
} // namespace StatsFeature
