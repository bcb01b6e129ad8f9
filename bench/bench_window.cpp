// What the user feels: the real windows, one key event through the event
// system, timed until every event it caused has been processed, paints and
// their flush included.
#include "benchwindow.h"
#include "fixtures.h"
#include "stubs.h"

#include "app/program.h"
#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "form/loggrid.h"
#include "log/logmodel.h"
#include "partial/partialcalls.h"
#include "partial/partiallistmodel.h"
#include "partial/partialwindow.h"
#include "repeats/repeatlistmodel.h"
#include "store/store.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// No settings.ini but what is given: the windows take their design places.
QString iniPath(const QByteArray &content)
{
    const QString path = QDir::temp().filePath(QStringLiteral("vireok-bench/window.ini"));
    QFile::remove(path);
    QFile f(path);
    if (!content.isEmpty() && f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}

// The known-calls file a partial search also looks through.
QByteArray knownCallsIni()
{
    return "[Partial]\r\nFile=" + QFile::encodeName(knownCallsFile(60000)) + "\r\n";
}

// The band, mode and tour on which the busiest call has repeats.
const QString kBand = QStringLiteral("14000");
const QString kMode = QStringLiteral("CW");
const QString kTour = QStringLiteral("1");
// The rows the repeat list reads at a check before the window scrolls.
constexpr int kListBatch = 64;

/// The program's windows on one store, made as the program makes them.
struct Windows {
    Store store;
    StubPrompts prompts;
    StubDesktop desktop;
    StubClock clock;
    StubZone zone;
    StubClockSetter clockSetter;
    Program windows;
    TMain &main = windows.main;
    TRptQso &repeats = windows.repeats;
    PartialWindow &partial = windows.partial;

    explicit Windows(const QString &path, const QByteArray &ini = {})
        : store(path), windows({store, prompts, desktop, clock, zone, clockSetter, iniPath(ini)})
    {}

    /// Shows the main window as the program does, and processes its first
    /// paint.
    void showMain()
    {
        main.show();
        main.activateWindow();
        while (!main.windowHandle()->isExposed() || QGuiApplication::focusWindow() != main.windowHandle())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        settle();
    }

    /// The entry state of a contest under way, and the repeat window opened
    /// from its menu item as the user opens it.
    void prepareEntry()
    {
        const MainForm &f = main.form();
        setSelectorText(f.band, kBand);
        setSelectorText(f.mode, kMode);
        f.tourNumber->setText(kTour);
        main.actions().repeatWindow->trigger();
        main.activateWindow();
        while (QGuiApplication::focusWindow() != main.windowHandle() || !repeats.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        f.heardCall->setFocus();
        settle();
    }

    /// Waits until the log's calls are read for the partial-call window.
    void waitForCalls()
    {
        // Asleep until the reading thread's answer comes: a busy wait here
        // would take the time the reading runs in.
        while (!windows.partialCalls.logReady())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        settle();
    }

    bool lastRowShown() const
    {
        const int rows = windows.log.rowCount();
        return rows == 0 || main.form().grid->currentIndex().row() == rows - 1;
    }
};

void typeKey(QWindow *window, QChar c)
{
    QTest::keyClick(window, c.toLatin1());
}

/// Types text but its last character, then times that character once per
/// iteration, until every event it caused is processed; Backspace takes it
/// back untimed. Returns the iterations, or 0 after reporting that reached()
/// found the key gone nowhere. paintNs gets the painting among the times.
qint64 timeLastKey(benchmark::State &state, QWindow *window, const QString &text, const std::function<bool()> &reached,
                   qint64 &paintNs)
{
    for (const QChar c : text.chopped(1))
        typeKey(window, c);
    settle();
    qint64 iterations = 0;
    for (auto _ : state) {
        const qint64 paintBefore = EventMeter::paintNs;
        const auto start = Clock::now();
        typeKey(window, text.back());
        settle();
        state.SetIterationTime(secondsSince(start));
        paintNs += EventMeter::paintNs - paintBefore;
        ++iterations;
        if (!reached()) {
            state.SkipWithError("the key went nowhere");
            return 0;
        }
        QTest::keyClick(window, Qt::Key_Backspace);
        settle();
    }
    // Leave the window showing the text, to report what it shows.
    typeKey(window, text.back());
    settle();
    return iterations;
}

/// The real window's keystroke: the last letter of call typed into the heard
/// call field, which already holds the letters before it.
void windowKeystroke(benchmark::State &state, bool busiest)
{
    const int n = int(state.range(0));
    Windows w(storeWithQsos(n, true));
    w.showMain();
    w.prepareEntry();
    // The log's calls are read for the partial-call window once, in the
    // first seconds, on a thread of their own: what is timed is typing after
    // that (Keystroke/First times a key while it runs).
    w.waitForCalls();
    const MainForm &f = w.main.form();
    QWindow *window = w.main.windowHandle();
    const QString call = busiest ? busiestCall() : QStringLiteral("ZZ9ZZZ");
    qint64 paintNs = 0;
    const qint64 iterations = timeLastKey(
        state, window, call, [&] { return f.heardCall->text() == call; }, paintNs);
    if (iterations == 0)
        return;
    if (!w.prompts.storeErrors.isEmpty()) {
        state.SkipWithError(qPrintable(w.prompts.storeErrors.first()));
        return;
    }

    // The store-level case of the same call, on the same connection and file.
    const auto start = Clock::now();
    for (qint64 i = 0; i < iterations; ++i) {
        benchmark::DoNotOptimize(w.store.heardRepeatCount(kBand, kMode, call, kTour));
        benchmark::DoNotOptimize(w.store.workedRepeatCount(kBand, kMode, call, kTour));
        benchmark::DoNotOptimize(w.store.repeatList(call, 0, kListBatch));
    }
    const double storeUs = secondsSince(start) * 1e6 / double(iterations);
    const double paintUs = double(paintNs) / 1e3 / double(iterations);
    state.counters["store_us"] = storeUs;
    state.counters["paint_us"] = paintUs;
    state.counters["list_rows"] = w.windows.repeatList.rowCount();
    state.counters["heard"] = double(w.store.heardRepeatCount(kBand, kMode, call, kTour));
}

/// One key in the heard call field with the repeat and the partial-call
/// windows shown: the last character of fragment, on the plain log (all its
/// calls distinct) and a 60,000-call file.
void windowPartial(benchmark::State &state, const QString &fragment)
{
    Windows w(storeWithQsos(int(state.range(0))), knownCallsIni());
    w.showMain();
    w.prepareEntry();
    w.main.actions().partialWindow->trigger();
    while (!w.partial.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    w.main.activateWindow();
    w.main.form().heardCall->setFocus();
    w.waitForCalls();
    QWindow *window = w.main.windowHandle();
    qint64 paintNs = 0;
    const qint64 iterations = timeLastKey(
        state, window, fragment, [&] { return w.windows.partialList.fragment() == fragment; }, paintNs);
    if (iterations == 0)
        return;
    state.counters["paint_us"] = double(paintNs) / 1e3 / double(iterations);
    state.counters["rows"] = w.windows.partialList.rowCount();
    state.counters["matches"] = w.partial.statusText().section(' ', 1, 1).toDouble();
}

void windowPartialTwo(benchmark::State &state)
{
    windowPartial(state, QStringLiteral("UA"));
}
void windowPartialThree(benchmark::State &state)
{
    windowPartial(state, QStringLiteral("A1B"));
}
void windowPartialSix(benchmark::State &state)
{
    windowPartial(state, QStringLiteral("A12345"));
}

void windowNewCall(benchmark::State &state)
{
    windowKeystroke(state, false);
}
void windowBusiestCall(benchmark::State &state)
{
    windowKeystroke(state, true);
}

/// Runs one case of the fresh-program benchmarks in a process of its own, so
/// that nothing a previous iteration loaded (fonts, glyphs, the store's
/// pages in the engine) is warm. Returns milliseconds and peak megabytes.
bool runChild(benchmark::State &state, const QString &what, const QString &path, double &ms, double &peakMb)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--window-child"), what, path});
    if (!child.waitForFinished(120000) || child.exitCode() != 0) {
        state.SkipWithError(qPrintable(what + QStringLiteral(" child failed")));
        return false;
    }
    const QList<QByteArray> out = child.readAllStandardOutput().trimmed().split(' ');
    if (out.size() != 2) {
        state.SkipWithError("child gave no figures");
        return false;
    }
    ms = out[0].toDouble();
    peakMb = out[1].toDouble();
    return true;
}

void freshProgram(benchmark::State &state, const QString &what, bool skewed, bool coldFile)
{
    const QString path = storeWithQsos(int(state.range(0)), skewed);
    std::vector<double> times;
    double peak = 0;
    for (auto _ : state) {
        if (coldFile)
            evictFromCache(path);
        double ms = 0;
        double peakMb = 0;
        if (!runChild(state, what, path, ms, peakMb))
            return;
        state.SetIterationTime(ms / 1e3);
        times.push_back(ms);
        peak = std::max(peak, peakMb);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["peak_MB"] = peak;
}

void firstKeystroke(benchmark::State &state)
{
    freshProgram(state, QStringLiteral("first"), true, false);
}
void firstKeystrokeColdFile(benchmark::State &state)
{
    freshProgram(state, QStringLiteral("first"), true, true);
}
void startupWindow(benchmark::State &state)
{
    freshProgram(state, QStringLiteral("startup"), false, false);
}
void startupWindowColdFile(benchmark::State &state)
{
    freshProgram(state, QStringLiteral("startup"), false, true);
}
void partialCallsRead(benchmark::State &state)
{
    freshProgram(state, QStringLiteral("calls"), false, false);
}

} // namespace

int runWindowChild(const QString &what, const QString &path)
{
    Clock::time_point start;
    double seconds = 0;
    std::unique_ptr<Windows> w;
    if (what == QLatin1String("startup")) {
        // From constructing the windows to the main window painted with its
        // last row current and the counters shown.
        start = Clock::now();
        w = std::make_unique<Windows>(path);
        w->showMain();
        seconds = secondsSince(start);
        const LogModel &log = w->windows.log;
        const QString counted = QStringLiteral("QSO: %1").arg(log.qsoCount());
        if (!w->lastRowShown() || w->main.form().qsoPanel->text() != counted) {
            std::fprintf(stderr, "the window does not show the last row and the counters\n");
            return 1;
        }
    } else if (what == QLatin1String("calls")) {
        // From constructing the windows to every call of the log read, with
        // the known-calls file: the peak is that of a program holding both.
        start = Clock::now();
        w = std::make_unique<Windows>(path, knownCallsIni());
        w->showMain();
        w->waitForCalls();
        seconds = secondsSince(start);
        if (w->windows.partialCalls.log().size() == 0 && w->windows.log.qsoCount() > 0) {
            std::fprintf(stderr, "the log's calls were not read\n");
            return 1;
        }
    } else {
        // The start is setup. The field then holds the busiest call but its
        // last letter, put there without a check, so that the timed key runs
        // the program's first repeat check.
        w = std::make_unique<Windows>(path);
        w->showMain();
        w->prepareEntry();
        const MainForm &f = w->main.form();
        const QString call = busiestCall();
        {
            const QSignalBlocker quiet(f.heardCall);
            f.heardCall->setText(call.chopped(1));
        }
        settle();
        start = Clock::now();
        typeKey(w->main.windowHandle(), call.back());
        settle();
        seconds = secondsSince(start);
        if (f.heardCall->text() != call || w->windows.repeatList.rowCount() == 0) {
            std::fprintf(stderr, "the first keystroke did not show the busiest call's repeats\n");
            return 1;
        }
    }
    if (!w->prompts.storeErrors.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(w->prompts.storeErrors.first()));
        return 1;
    }
    std::printf("%.3f %.1f\n", seconds * 1e3, double(peakResidentBytes()) / 1e6);
    return 0;
}

BENCHMARK(windowNewCall)
    ->Name("Keystroke/Window/NewCall")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(windowBusiestCall)
    ->Name("Keystroke/Window/BusiestCall")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(windowPartialTwo)
    ->Name("Keystroke/Window/Partial/UA")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(windowPartialThree)
    ->Name("Keystroke/Window/Partial/A1B")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(windowPartialSix)
    ->Name("Keystroke/Window/Partial/A12345")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
// Each iteration is a fresh program in its own process: few are enough.
BENCHMARK(firstKeystroke)
    ->Name("Keystroke/First")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(firstKeystrokeColdFile)
    ->Name("Keystroke/FirstColdFile")
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(startupWindow)
    ->Name("Startup/Window")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(partialCallsRead)
    ->Name("Memory/PartialCalls")
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(startupWindowColdFile)
    ->Name("Startup/WindowColdFile")
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
