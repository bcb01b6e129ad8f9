#include "benchwindow.h"
#include "csvreporter.h"
#include "fixtures.h"

#include "app/application.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

namespace {
// Counts what it delivers, so that a benchmark can tell when the events an
// input caused are all processed, and how long painting took of them.
class MeteredApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        ++EventMeter::delivered;
        const QEvent::Type type = event->type();
        if ((type != QEvent::UpdateRequest && type != QEvent::Paint) || m_painting)
            return QApplication::notify(receiver, event);
        m_painting = true;
        const auto start = std::chrono::steady_clock::now();
        const bool done = QApplication::notify(receiver, event);
        EventMeter::paintNs += (std::chrono::steady_clock::now() - start).count();
        m_painting = false;
        return done;
    }

private:
    bool m_painting = false;
};
} // namespace

int main(int argc, char **argv)
{
    // The window benchmarks drive the real windows; no screen needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    MeteredApplication app(argc, argv);
    // The program's own faces and font: painting costs what it costs there.
    setUpApplication();
    if (argc == 4 && qstrcmp(argv[1], "--window-child") == 0)
        return runWindowChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    // CSV goes through a reporter of our own (see CsvReporter); the library
    // is left to write every other format.
    bool csvShown = false, csvFile = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--benchmark_format=csv")
            csvShown = true;
        else if (arg == "--benchmark_out_format=csv")
            csvFile = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    CsvReporter shown, file;
    benchmark::RunSpecifiedBenchmarks(csvShown ? &shown : nullptr, csvFile ? &file : nullptr);
    benchmark::Shutdown();
    return 0;
}
