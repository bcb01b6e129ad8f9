#include "partialfeature.h"

#include "partialcalls.h"
#include "partialfollower.h"
#include "partiallistmodel.h"
#include "partialwindow.h"

#include "entry/entryedit.h"
#include "form/mainform.h"
#include "log/logmodel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace PartialFeature {

void attach(const MainForm &form, LogModel &log, PartialCalls &calls, PartialListModel &list, PartialWindow &window,
            const QString &knownCallsFile, QObject *owner)
{
    new PartialFollower(form.heardCall, form.workedCall, form.swl, list, window, owner);
    QObject::connect(&calls, &PartialCalls::changed, &list, &PartialListModel::refresh);
    QObject::connect(&calls, &PartialCalls::fileFailed, form.statusPanel, &QLabel::setText);
    QObject::connect(&log, &LogModel::callsChanged, &calls, &PartialCalls::logChanged);
    QObject::connect(&log, &LogModel::modelReset, &calls, &PartialCalls::reloadLog);
    QObject::connect(form.band, &QComboBox::currentTextChanged, &list, &PartialListModel::contextChanged);
    QObject::connect(form.mode, &QComboBox::currentTextChanged, &list, &PartialListModel::contextChanged);
    QObject::connect(form.tourNumber, &QLineEdit::textChanged, &list, &PartialListModel::contextChanged);
    list.setColoured(window.isVisible());
    QObject::connect(&window, &PartialWindow::seen, &list, &PartialListModel::setColoured);
    calls.load(knownCallsFile);
}

} // namespace PartialFeature
