#include "repeatfeature.h"

#include "trptqso.h"

#include "entry/entryedit.h"
#include "form/mainform.h"

#include <QComboBox>
#include <QLineEdit>

namespace RepeatFeature {

RepeatCheck *attach(const MainForm &form, const ScreenState &screen, Store &store, RepeatListModel &list,
                    TRptQso &window, const std::function<void(RepeatColour)> &cue, QObject *owner)
{
    auto *check = new RepeatCheck({form.heardCall, form.heardReport, form.workedCall, form.workedReport, form.band,
                                   form.mode, form.tourNumber, form.rst, &screen},
                                  store, list, window, owner);
    QObject::connect(form.heardCall, &QLineEdit::textChanged, check, &RepeatCheck::heardCallChanged);
    QObject::connect(form.workedCall, &QLineEdit::textChanged, check, &RepeatCheck::workedCallChanged);
    QObject::connect(check, &RepeatCheck::becameRepeat, owner, cue);
    QObject::connect(form.band, &QComboBox::currentTextChanged, &window, &TRptQso::repaintMarks);
    QObject::connect(form.mode, &QComboBox::currentTextChanged, &window, &TRptQso::repaintMarks);
    QObject::connect(form.tourNumber, &QLineEdit::textChanged, &window, &TRptQso::repaintMarks);
    return check;
}

} // namespace RepeatFeature
