// A second program on a store, for tests that need a real process: it
// opens the store, does one thing, says so on stdout and then waits until
// its stdin closes or it is killed.
//   storeprobe open PATH         open (creating a missing store)
//   storeprobe record PATH CALL  record one QSO
//   storeprobe clear PATH COPY   clear the log as the window does: copy first
//   storeprobe hold PATH MS      hold the file open, as an antivirus or a
//                                backup tool does, for MS ms, then end
#include "store/store.h"
#include "store/storeerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    if (args[1] == QLatin1String("hold")) {
        QFile held(args[2]);
        if (!held.open(QIODevice::ReadOnly))
            return 3;
        std::printf("held\n");
        std::fflush(stdout);
        QThread::msleep(args.value(3).toULong());
        return 0;
    }
    Store store(args[2]);
    try {
        store.open();
        if (args[1] == QLatin1String("record")) {
            QsoRecord q;
            q.band = QStringLiteral("14000");
            q.mode = QStringLiteral("CW");
            q.call1 = args.value(3);
            q.tur = QStringLiteral("0");
            std::printf("recorded %lld\n", static_cast<long long>(store.addQso(q)));
        } else if (args[1] == QLatin1String("clear")) {
            std::printf("clearing\n");
            std::fflush(stdout);
            store.copyTo(args.value(3));
            store.clearQsos();
            std::printf("cleared\n");
        } else {
            std::printf("open\n");
        }
    } catch (const StoreError &e) {
        std::printf("error %s\n", e.text().toUtf8().constData());
        std::fflush(stdout);
        return 3;
    }
    std::fflush(stdout);
    char buffer[64];
    while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
    }
    return 0;
}
