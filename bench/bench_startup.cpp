#include "fixtures.h"

#include "log/logmodel.h"
#include "store/store.h"

#include <benchmark/benchmark.h>

// Opening the store until the grid has its row count and shows the last row.
static void openLog(benchmark::State &state)
{
    const QString path = storeWithQsos(int(state.range(0)));
    const long before = peakResidentBytes();
    for (auto _ : state) {
        Store store(path);
        store.open();
        LogModel log(store);
        log.reload();
        benchmark::DoNotOptimize(log.record(log.rowCount() - 1));
        benchmark::DoNotOptimize(log.points());
    }
    state.counters["peak_MB"] = double(peakResidentBytes()) / 1e6;
    state.counters["peak_growth_MB"] = double(peakResidentBytes() - before) / 1e6;
}
BENCHMARK(openLog)->Name("Startup/Open")->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The baseline the grid avoids: every row read as strings through QSqlQuery.
static void loadEveryRow(benchmark::State &state)
{
    const QString path = storeWithQsos(int(state.range(0)));
    for (auto _ : state) {
        Store store(path);
        store.open();
        std::vector<QsoRecord> rows = store.qsosFrom(0, int(state.range(0)));
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["peak_MB"] = double(peakResidentBytes()) / 1e6;
}
BENCHMARK(loadEveryRow)->Name("Startup/LoadEveryRow")->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
