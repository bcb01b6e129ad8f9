#include "benchwindow.h"
#include "fixtures.h"

#include "app/application.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <chrono>

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
        EventMeter::paintNs += std::chrono::nanoseconds(std::chrono::steady_clock::now() - start).count();
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
