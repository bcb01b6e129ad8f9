#include "programwindows.h"

#include "partial/partialfeature.h"
#include "stats/statsfeature.h"

ProgramWindows::ProgramWindows(const TMain::Services &services)
    : main(services), contest(services.store, services.prompts, &main), repeats(main.repeatList(), &main),
      addContest(services.store, services.prompts, &contest), about(&main), partial(main.partialList(), &main),
      stats(services.store, main.logModel(), services.clock, services.prompts, &main)
{
    main.setContestWindow(&contest);
    contest.setAddWindow(&addContest);
    main.setAboutBox(&about);

    // Each tool window takes its row of the "Окна" menu, then its feature.
    ToolWindows &tools = main.toolWindows();
    tools.add(ToolRows::repeats, &repeats);
    main.checkRepeats(repeats);
    tools.add(ToolRows::partial, &partial);
    PartialFeature::attach(main.entry(), main.form(), main.logModel(), main.partialCalls(), main.partialList(), partial,
                           main.knownCallsFile(), &main);
    tools.add(ToolRows::stats, &stats);
    StatsFeature::attach(main.form(), stats, main.clockTicker(), main.pictureTarget());
}
