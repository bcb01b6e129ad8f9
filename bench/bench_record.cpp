#include "fixtures.h"
#include "stubs.h"

#include "app/program.h"
#include "entry/entryedit.h"
#include "log/logmodel.h"
#include "store/store.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

// Record QSO as the OK button does it: durable insert, grid, counters, fields.
static void recordQso(benchmark::State &state)
{
    const QString source = storeWithQsos(int(state.range(0)));
    const QString path = QDir::temp().filePath(QStringLiteral("vireok-bench/record.mdb"));
    QFile::remove(path);
    QFile::remove(path + "-wal");
    QFile::remove(path + "-shm");
    QFile::copy(source, path);
    {
        // The copy's own write-back is setup, not the cost of recording:
        // without this the first commit's sync waits for the whole file.
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        ::fsync(fd);
        ::close(fd);
    }
    Store store(path);
    StubPrompts prompts;
    StubDesktop desktop;
    StubClock clock;
    StubZone zone;
    StubClockSetter clockSetter;
    Program program({store, prompts, desktop, clock, zone, clockSetter,
                     QDir::temp().filePath(QStringLiteral("vireok-bench/s.ini"))});
    const MainForm &form = program.main.form();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.heardCall->setText(QStringLiteral("UA%1X").arg(i));
        form.heardNumber->setText(QString::number(i));
        form.workedCall->setText(QStringLiteral("RA%1Y").arg(i));
        form.workedNumber->setText(QString::number(++i));
        state.ResumeTiming();
        form.ok->click();
    }
    state.counters["qsos"] = double(program.log.qsoCount());
}
BENCHMARK(recordQso)
    ->Name("Record/Qso")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The floor: one small append made durable.
static void bareFdatasync(benchmark::State &state)
{
    const QByteArray path = QDir::temp().filePath(QStringLiteral("vireok-bench/sync.bin")).toLocal8Bit();
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    const char line[64] = "14000 CW 2026-12-06 0915 UA1A 599 001 RA3B 599 015\n";
    for (auto _ : state) {
        if (::write(fd, line, sizeof line) != sizeof line || ::fdatasync(fd) != 0)
            state.SkipWithError("write failed");
    }
    ::close(fd);
    ::unlink(path.constData());
}
BENCHMARK(bareFdatasync)->Name("Record/BareFdatasync/1")->Unit(benchmark::kMillisecond)->UseRealTime();
