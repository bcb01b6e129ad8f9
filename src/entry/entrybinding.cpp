#include "entrybinding.h"

#include "entrycontext.h"
#include "entryedit.h"

#include "form/fieldcolours.h"
#include "form/screenlook.h"

#include <QCheckBox>
#include <QComboBox>

using Field = EntryState::Field;

EntryBinding::EntryBinding(EntryState &state, const MainForm &form, QObject *parent)
    : QObject(parent), m_state(state), m_form(form)
{
    for (int i = 0; i < EntryState::kFields; ++i) {
        const auto field = Field(i);
        if (QLineEdit *e = edit(field)) {
            m_state.setText(field, e->text());
            connect(e, &QLineEdit::textChanged, this,
                    [this, field](const QString &text) { m_state.setText(field, text); });
        }
    }
    for (const auto &[selector, field] : {std::pair(form.band, Field::Band), std::pair(form.mode, Field::Mode)}) {
        m_state.setText(field, selector->currentText());
        connect(selector, &QComboBox::currentTextChanged, this,
                [this, field = field](const QString &text) { m_state.setText(field, text); });
    }
    m_state.setRst(form.rst->isChecked());
    connect(form.rst, &QCheckBox::toggled, &m_state, &EntryState::setRst);
    connect(&m_state, &EntryState::rstChanged, form.rst, &QCheckBox::setChecked);
    connect(&m_state, &EntryState::textChanged, this, &EntryBinding::show);
    connect(&m_state, &EntryState::verdictChanged, this, &EntryBinding::paint);
}

QLineEdit *EntryBinding::edit(Field field) const
{
    const MainForm &f = m_form;
    switch (field) {
    case Field::HeardCall: return f.heardCall;
    case Field::HeardReport: return f.heardReport;
    case Field::HeardNumber: return f.heardNumber;
    case Field::WorkedCall: return f.workedCall;
    case Field::WorkedReport: return f.workedReport;
    case Field::WorkedNumber: return f.workedNumber;
    case Field::Tour: return f.tourNumber;
    case Field::Date: return f.dateField;
    case Field::Time: return f.timeField;
    case Field::ClockDate: return f.utcDate;
    case Field::ClockTime: return f.utcTime;
    case Field::Band:
    case Field::Mode: break;
    }
    return nullptr;
}

void EntryBinding::show(Field field)
{
    // A copy: the widget's own change signals write into the state while
    // the text is shown (a selector empties itself before it takes a typed
    // band).
    const QString text = m_state.text(field);
    if (QLineEdit *e = edit(field)) {
        if (e->text() != text)
            e->setText(text);
        return;
    }
    QComboBox *selector = field == Field::Band ? m_form.band : m_form.mode;
    if (selector->currentText() != text)
        setSelectorText(selector, text);
}

void EntryBinding::paint(Field call)
{
    QLineEdit *field = edit(call);
    const CallVerdict &v = m_state.verdict(call);
    // Editing and manual entry paint the fields their own colour; the own
    // call sign keeps its locked look.
    const ScreenLook look = screenLook(m_state.screen());
    if (call == Field::HeardCall && look.heardCallLocked && look.repeatColours)
        return;
    switch (v.colour) {
    case RepeatColour::Red: FieldColours::paint(field, FieldColours::red); break;
    case RepeatColour::Aqua: FieldColours::paint(field, FieldColours::aqua); break;
    case RepeatColour::Normal:
        FieldColours::paint(field, look.repeatColours ? FieldColours::window() : look.fieldColour);
        break;
    }
    const QString meaning = repeatDescription(v.colour, v.asHeard, v.asWorked);
    if (field->accessibleDescription() != meaning)
        field->setAccessibleDescription(meaning);
}
