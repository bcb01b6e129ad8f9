#include "entrycontext.h"

#include "entryedit.h"

#include "form/fieldcolours.h"
#include "form/loggrid.h"
#include "form/statuspanels.h"
#include "log/logmodel.h"
#include "store/store.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

void writeCounters(const MainForm &form, const LogModel &log)
{
    setPanelText(form.qsoPanel, form.statusPanel, QStringLiteral("QSO: %1").arg(log.qsoCount()));
    setPanelText(form.pointsPanel, form.statusPanel, QStringLiteral("Points: %1").arg(log.points()));
}

void selectRow(const MainForm &form, const LogModel &log, int row)
{
    const int count = log.rowCount();
    if (count == 0)
        return;
    const QModelIndex at = log.index(qBound(0, row, count - 1), 0);
    form.grid->setCurrentIndex(at);
    form.grid->scrollTo(at);
}

void setSelectorText(QComboBox *selector, const QString &text)
{
    const int index = selector->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    selector->setCurrentIndex(index);
    if (index < 0)
        selector->setEditText(text);
}

QString ownCall(const EntryContext &c)
{
    return c.store.readLog().value(QStringLiteral("CALLSIGN")).trimmed();
}

QString putOwnCall(const EntryContext &c)
{
    const QString own = ownCall(c);
    c.entry.setText(EntryState::Field::HeardCall, own);
    return own;
}

EntryEdit *entryCallField(const MainForm &form)
{
    return form.heardCall->isReadOnly() ? form.workedCall : form.heardCall;
}
