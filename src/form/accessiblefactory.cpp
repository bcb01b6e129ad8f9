#include "accessiblefactory.h"

#include "loggrid.h"
#include "loggridaccessible.h"
#include "statuspanels.h"

#include <QAccessibleWidget>

namespace {
const char kWindow[] = "vireokWindow";

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (object->isWidgetType() && object->property(kWindow).toBool())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String(LogGrid::staticMetaObject.className()))
        return LogGridAccessibility::create(static_cast<LogGrid *>(object));
    if (className == QLatin1String(StatusPanels::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<StatusPanels *>(object), QAccessible::StatusBar);
    return nullptr;
}
} // namespace

void readAsWindow(QWidget *window)
{
    window->setProperty(kWindow, true);
}

void installAccessibleFactory()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
}
