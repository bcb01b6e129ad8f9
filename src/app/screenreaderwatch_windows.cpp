#include "screenreaderwatch.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <windows.h>

namespace {

bool screenReaderFlag()
{
    BOOL on = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &on, 0) && on;
}

/// The system tells every top-level window when a screen reader sets or
/// clears its flag.
class SettingListener : public QObject, public QAbstractNativeEventFilter {
public:
    SettingListener(bool &running, QObject *parent) : QObject(parent), m_running(running)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~SettingListener() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message == WM_SETTINGCHANGE && msg->wParam == SPI_SETSCREENREADER)
            m_running = screenReaderFlag();
        return false;
    }

private:
    bool &m_running;
};

} // namespace

ScreenReaderWatch::ScreenReaderWatch(QObject *parent) : QObject(parent), m_running(screenReaderFlag())
{
    new SettingListener(m_running, this);
}
