#include "screenreaderwatch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace {
const QString kService = QStringLiteral("org.a11y.Bus");
const QString kPath = QStringLiteral("/org/a11y/bus");
const QString kStatus = QStringLiteral("org.a11y.Status");
const QString kProperty = QStringLiteral("ScreenReaderEnabled");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

/// Receives the AT-SPI bus's property changes; Qt's D-Bus connects only to named slots.
class StatusListener : public QObject {
    Q_OBJECT
public:
    StatusListener(bool &running, QObject *parent) : QObject(parent), m_running(running) {}

public slots:
    void changed(const QString &interface, const QVariantMap &values, const QStringList &)
    {
        if (interface == kStatus && values.contains(kProperty))
            m_running = values.value(kProperty).toBool();
    }

private:
    bool &m_running;
};
} // namespace

ScreenReaderWatch::ScreenReaderWatch(QObject *parent) : QObject(parent)
{
    // Without a session bus libdbus would start one of its own: no bus, no reader.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto *listener = new StatusListener(m_running, this);
    bus.connect(kService, kPath, kProperties, QStringLiteral("PropertiesChanged"), listener,
                SLOT(changed(QString, QVariantMap, QStringList)));
    QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kProperties, QStringLiteral("Get"));
    ask << kStatus << kProperty;
    auto *reply = new QDBusPendingCallWatcher(bus.asyncCall(ask), this);
    connect(reply, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        const QDBusPendingReply<QDBusVariant> answer = *call;
        if (answer.isValid())
            m_running = answer.value().variant().toBool();
        call->deleteLater();
    });
}

#include "screenreaderwatch_linux.moc"
