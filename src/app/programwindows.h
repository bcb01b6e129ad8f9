#pragma once

#include "taboutbox.h"
#include "tmain.h"

#include "partial/partialwindow.h"
#include "repeats/trptqso.h"
#include "setup/tcontest.h"
#include "setup/tcontestup.h"
#include "stats/statswindow.h"

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
