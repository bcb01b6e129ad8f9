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
    // By the class the object is, not only the name it gives.
    if (auto *grid = qobject_cast<LogGrid *>(object);
        grid && className == QLatin1String(grid->metaObject()->className()))
        return LogGridAccessibility::create(grid);
    if (auto *panels = qobject_cast<StatusPanels *>(object);
        panels && className == QLatin1String(panels->metaObject()->className()))
        return new QAccessibleWidget(panels, QAccessible::StatusBar);
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
