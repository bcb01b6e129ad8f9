#include "fixtures.h"

#include "repeats/repeatlistmodel.h"
#include "store/store.h"

#include <benchmark/benchmark.h>

// One keystroke in a call field: both repeat counts and the repeat list as
// far as the window shows it.
static void keystroke(benchmark::State &state, bool busiest)
{
    const int n = int(state.range(0));
    Store store(storeWithQsos(n, true));
    store.open();
    RepeatListModel list(store, [] { return RepeatContext{}; });
    const QString call = busiest ? busiestCall() : QStringLiteral("ZZ9ZZZ");
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.heardRepeatCount("14000", "CW", call, "1"));
        benchmark::DoNotOptimize(store.workedRepeatCount("14000", "CW", call, "1"));
        list.show(call);
    }
    state.counters["list_rows"] = list.rowCount();
    state.counters["heard_total"] = double(store.heardRepeatCount("14000", "CW", call, "1"));
}

static void keystrokeNewCall(benchmark::State &state)
{
    keystroke(state, false);
}
static void keystrokeBusiestCall(benchmark::State &state)
{
    keystroke(state, true);
}
BENCHMARK(keystrokeNewCall)
    ->Name("Keystroke/NewCall")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(keystrokeBusiestCall)
    ->Name("Keystroke/BusiestCall")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
