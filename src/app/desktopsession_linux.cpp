#include "desktopsession.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_wakeUp[2] = {-1, -1};

// Only async-signal-safe work here: the event loop does the rest.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_wakeUp[1], &byte, 1);
}
} // namespace

namespace DesktopSession {

QString noDisplay(const QString &program)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return {};
    return QStringLiteral("vireok: no X display (DISPLAY is not set); to try it without a desktop run: xvfb-run -a %1")
        .arg(program);
}

void prepare() {}

QString unreachable(const QString &program)
{
    return QStringLiteral("vireok: cannot reach the X display \"%1\" (DISPLAY); to try it without a desktop run: "
                          "xvfb-run -a %2")
        .arg(qEnvironmentVariable("DISPLAY"), program);
}

// The signal quits the event loop; what follows it in main keeps the settings.
void endWithTheSession(const std::function<void()> &)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_wakeUp) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_wakeUp[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(g_wakeUp[0], &byte, 1);
        QApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace DesktopSession
