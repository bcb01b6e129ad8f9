#include "partialfeature.h"

#include "partialcalls.h"
#include "partialfollower.h"
#include "partiallistmodel.h"
#include "partialwindow.h"

#include "entry/entryedit.h"
#include "form/mainform.h"
#include "log/logmodel.h"

#include <QLabel>

namespace PartialFeature {

void attach(EntryState &entry, const MainForm &form, LogModel &log, PartialCalls &calls, PartialListModel &list,
            PartialWindow &window, const QString &knownCallsFile, QObject *owner)
{
    new PartialFollower(entry, form.heardCall, form.workedCall, list, window, owner);
    QObject::connect(&calls, &PartialCalls::changed, &list, &PartialListModel::refresh);
    QObject::connect(&calls, &PartialCalls::fileFailed, form.statusPanel, &QLabel::setText);
    QObject::connect(&log, &LogModel::callsChanged, &calls, &PartialCalls::logChanged);
    QObject::connect(&log, &LogModel::modelReset, &calls, &PartialCalls::reloadLog);
    QObject::connect(&entry, &EntryState::textChanged, &list, [&list](EntryState::Field field) {
        using Field = EntryState::Field;
        if (field == Field::Band || field == Field::Mode || field == Field::Tour)
            list.contextChanged();
    });
    list.setColoured(window.isVisible());
    QObject::connect(&window, &PartialWindow::seen, &list, &PartialListModel::setColoured);
    calls.load(knownCallsFile);
}

} // namespace PartialFeature
