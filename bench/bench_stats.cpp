// The statistics window: opened from its menu item until painted with every
// figure, and what one recorded QSO adds while it is shown.
#include "fixtures.h"
#include "stubs.h"

#include "app/program.h"
#include "app/tmain.h"
#include "app/toolwindows.h"
#include "entry/entryedit.h"
#include "log/logmodel.h"
#include "stats/hourchart.h"
#include "stats/statsfeature.h"
#include "stats/statswindow.h"
#include "store/store.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QWindow>

#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

QString iniPath()
{
    const QString path = QDir::temp().filePath(QStringLiteral("vireok-bench/stats.ini"));
    QFile::remove(path);
    return path;
}

/// The program and a statistics window of the bench's own on one store
/// (the program's own stays hidden, counting nothing). Handlers of a
/// recorded QSO note the time before the window's own and after it.
struct StatsWindows {
    Store store;
    StubPrompts prompts;
    StubDesktop desktop;
    StubClock clock;
    StubZone zone;
    StubClockSetter clockSetter;
    Program program;
    TMain &main = program.main;
    Clock::time_point recorded, counted;
    QMetaObject::Connection before;
    StatsWindow stats;
    QMetaObject::Connection after;

    explicit StatsWindows(const QString &path)
        : store(path), program({store, prompts, desktop, clock, zone, clockSetter, iniPath()}),
          before(QObject::connect(&program.log, &LogModel::qsoAdded, [this] { recorded = Clock::now(); })),
          stats(store, program.log, clock, prompts, &main),
          after(QObject::connect(&program.log, &LogModel::qsoAdded, [this] { counted = Clock::now(); }))
    {
        main.toolWindows().add(ToolRows::stats, &stats);
        StatsFeature::attach(main.form(), stats, *program.clockTicker, {QString(), store.path(), iniPath()});
    }

    /// The menu item, and every event until the window is on the screen and painted.
    void toggle()
    {
        main.actions().statsWindow->trigger();
        while (stats.isVisible() && (!stats.windowHandle() || !stats.windowHandle()->isExposed()))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        settle();
    }
};

QString copyOf(const QString &source)
{
    const QString path = QDir::temp().filePath(QStringLiteral("vireok-bench/stats-record.mdb"));
    QFile::remove(path);
    QFile::copy(source, path);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    ::fsync(fd);
    ::close(fd);
    return path;
}

void statsOpen(benchmark::State &state)
{
    const QString path = storeWithQsos(int(state.range(0)));
    double againMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<StatsWindows>(path);
        settle();
        state.ResumeTiming();
        w->toggle();
        state.PauseTiming();
        if (!w->prompts.storeErrors.isEmpty()) {
            state.SkipWithError(qPrintable(w->prompts.storeErrors.first()));
            return;
        }
        w->toggle(); // hidden
        const auto start = Clock::now();
        w->toggle();
        againMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        w.reset();
        state.ResumeTiming();
    }
    state.counters["again_ms"] = againMs / double(state.iterations());
}

// The window's own work: its handler of the new QSO, and its paints (the
// main window is not shown, so every paint is the statistics window's).
void statsRecord(benchmark::State &state)
{
    StatsWindows w(copyOf(storeWithQsos(int(state.range(0)))));
    w.toggle();
    const MainForm &form = w.main.form();
    int i = 0;
    double handlerUs = 0, paintUs = 0;
    for (auto _ : state) {
        form.heardCall->setText(QStringLiteral("UA%1X").arg(i));
        form.heardNumber->setText(QString::number(i));
        form.workedCall->setText(QStringLiteral("RA%1Y").arg(i));
        form.workedNumber->setText(QString::number(++i));
        const qint64 paintBefore = EventMeter::paintNs;
        form.ok->click();
        settle();
        const double handler = std::chrono::duration<double>(w.counted - w.recorded).count();
        const double paint = double(EventMeter::paintNs - paintBefore) / 1e9;
        state.SetIterationTime(handler + paint);
        handlerUs += handler * 1e6;
        paintUs += paint * 1e6;
    }
    state.counters["qsos"] = double(w.program.log.qsoCount());
    state.counters["handler_us"] = handlerUs / double(state.iterations());
    state.counters["paint_us"] = paintUs / double(state.iterations());
}

// The chart's redraw at a clock tick after the log changed: 48 bars of the
// fixture's five bands, painted at the window's design size.
void statsChart(benchmark::State &state)
{
    StatsWindows w(storeWithQsos(int(state.range(0))));
    w.toggle();
    HourChart *chart = w.stats.findChild<HourChart *>();
    for (auto _ : state)
        chart->repaint();
}

} // namespace

BENCHMARK(statsChart)->Name("Stats/Chart")->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(statsOpen)
    ->Name("Stats/Open")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(statsRecord)
    ->Name("Stats/Record")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
