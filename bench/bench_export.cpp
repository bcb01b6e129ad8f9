#include "fixtures.h"
#include "stubs.h"

#include "export/reportexport.h"
#include "store/store.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

enum class Format { Cabrillo, Ermak, Adif };

void exportLog(benchmark::State &state, Format format)
{
    Store store(storeWithQsos(int(state.range(0))));
    store.writeLog({{"CALLSIGN", "R9AA"}, {"POSNR10", "4"}, {"POSNR11", "7"}, {"POSNR20", "4"}, {"POSNR21", "7"}});
    StubPrompts prompts;
    StubClock clock;
    prompts.chosenFile = QDir::temp().filePath(QStringLiteral("vireok-bench/report.out"));
    ReportExport exporter(store, prompts, clock, nullptr,
                          {[] { return QDir::tempPath(); }, [](bool) {}, QStringLiteral("https://x"), QString()});
    for (auto _ : state) {
        switch (format) {
        case Format::Cabrillo: exporter.cabrillo(); break;
        case Format::Ermak: exporter.ermak(); break;
        case Format::Adif: exporter.adif(); break;
        }
    }
    if (prompts.informed.isEmpty() || !prompts.errors.isEmpty())
        state.SkipWithError("the export did not succeed");
    state.counters["MB"] = double(QFileInfo(prompts.chosenFile).size()) / 1e6;
}

} // namespace

// The baseline: reading the same rows from the store, a page at a time.
static void readRows(benchmark::State &state)
{
    Store store(storeWithQsos(int(state.range(0))));
    for (auto _ : state) {
        qint64 next = 0, rows = 0;
        for (;;) {
            const auto page = store.qsosFrom(next, 4096);
            rows += qint64(page.size());
            if (page.size() < 4096)
                break;
            next = page.back().id + 1;
        }
        benchmark::DoNotOptimize(rows);
    }
}

static void cabrillo(benchmark::State &s)
{
    exportLog(s, Format::Cabrillo);
}
static void ermak(benchmark::State &s)
{
    exportLog(s, Format::Ermak);
}
static void adif(benchmark::State &s)
{
    exportLog(s, Format::Adif);
}

BENCHMARK(readRows)->Name("Export/ReadRows")->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(cabrillo)->Name("Export/Cabrillo")->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(ermak)->Name("Export/Ermak")->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(adif)->Name("Export/Adif")->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
