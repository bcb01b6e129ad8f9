#include "programwindows.h"

ProgramWindows::ProgramWindows(const TMain::Services &services)
    : main(services), contest(services.store, services.prompts, &main), repeats(main.repeatList(), &main),
      addContest(services.store, services.prompts, &contest), about(&main), partial(main.partialList(), &main),
      stats(services.store, main.logModel(), services.clock, services.prompts, &main)
{
    main.setContestWindow(&contest);
    main.setRepeatWindow(&repeats);
    contest.setAddWindow(&addContest);
    main.setAboutBox(&about);
    main.setPartialWindow(&partial);
    main.setStatsWindow(&stats);
}
