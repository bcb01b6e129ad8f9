#include "entrycontext.h"

#include "entryedit.h"
#include "fieldcolours.h"
#include "logmodel.h"
#include "store.h"

#include <QAction>
#include <QLabel>
#include "loggrid.h"

void writeCounters(const EntryContext &c)
{
    c.form.panel[2]->setText(QStringLiteral("QSO: %1").arg(c.log.qsoCount()));
    c.form.panel[3]->setText(QStringLiteral("Points: %1").arg(c.log.points()));
}

void selectRow(const EntryContext &c, int row)
{
    const int count = c.log.rowCount();
    if (count == 0)
        return;
    const QModelIndex at = c.log.index(qBound(0, row, count - 1), 0);
    c.form.grid->setCurrentIndex(at);
    c.form.grid->scrollTo(at);
}

void enableMenus(const EntryContext &c, bool enabled)
{
    for (QAction *menu : c.form.menus)
        menu->setEnabled(enabled);
}

QString putOwnCall(const EntryContext &c)
{
    const QString own = c.store.readLog().value(QStringLiteral("CALLSIGN")).trimmed();
    c.form.heardCall->setText(own);
    c.form.heardCall->setReadOnly(true);
    FieldColours::paint(c.form.heardCall, FieldColours::buttonFace());
    return own;
}
