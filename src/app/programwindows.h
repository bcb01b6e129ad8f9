#pragma once

#include "taboutbox.h"
#include "tmain.h"
#include "toolwindows.h"

#include "partial/partialwindow.h"
#include "repeats/trptqso.h"
#include "setup/tcontest.h"
#include "setup/tcontestup.h"
#include "stats/statswindow.h"

/// The windows of the "Окна" menu, in its order.
namespace ToolRows {
inline const ToolWindows::Row repeats{"RptQso", "Повторные связи",         Qt::Key_F5, QRect(0, 557, 384, 292),
                                      false,    &MainActions::repeatWindow};
inline const ToolWindows::Row partial{"Partial", "Частичные позывные",       Qt::Key_F6, QRect(0, 557, 200, 292),
                                      true,      &MainActions::partialWindow};
inline const ToolWindows::Row stats{
    "Stats", "Статистика", Qt::Key_F7, QRect(0, 0, 600, 560), true, &MainActions::statsWindow};
} // namespace ToolRows

/// The program's windows, each made once, in the order the program
/// makes them, and shown to one another.
struct ProgramWindows {
    explicit ProgramWindows(const TMain::Services &services);

    TMain main;
    TContest contest;
    TRptQso repeats;
    TContestUp addContest;
    TAboutBox about;
    PartialWindow partial;
    StatsWindow stats;
};
