#include "entrykeys.h"

#include "entryedit.h"
#include "entryfilter.h"
#include "focusmoves.h"
#include "screenmode.h"
#include "spokenphrases.h"

#include "form/fieldcolours.h"
#include "form/loggrid.h"
#include "seams/speech.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

EntryKeys::EntryKeys(const EntryContext &context, QObject *parent) : QObject(parent), m_c(context)
{
    const MainForm &f = m_c.form;
    for (EntryEdit *field : f.entryFields())
        connect(field, &EntryEdit::entryKey, this, &EntryKeys::entryKey);
    connect(f.swap, &QPushButton::clicked, this, [this] {
        if (!m_c.screen.state().ham)
            swapStations();
    });
    connect(f.clear, &QPushButton::clicked, this, [this] {
        if (!m_c.screen.state().ham)
            clearEntry();
    });
    for (const auto &[selector, name] : {std::pair(f.band, kBandName), std::pair(f.mode, kModeName)})
        connect(selector, &QComboBox::currentTextChanged, this,
                [this, selector = selector, name = name] { selectorChanged(selector, name); });
    connect(f.workedReport, &QLineEdit::textChanged, this, &EntryKeys::workedReportChanged);
    for (QPushButton *b : {f.ok, f.editOk, f.manualOk})
        b->installEventFilter(this);
    f.grid->installEventFilter(this);
    // A box ticked with the mouse keeps no focus: the letters typed next go
    // where the entry starts (in manual entry, the time field), not lost on
    // the box. Ticked by Space, the box keeps the focus it has. Queued: the
    // mode the box switches (HAM locks the heard call) comes first.
    for (QCheckBox *box : {f.swl, f.copy, f.tour, f.rst})
        connect(
            box, &QCheckBox::clicked, this,
            [this, box] {
                if (!box->hasFocus())
                    (m_c.screen.state().manual ? static_cast<QWidget *>(m_c.form.timeField) : entryCallField(m_c.form))
                        ->setFocus();
            },
            Qt::QueuedConnection);
}

void EntryKeys::selectorChanged(QComboBox *selector, const QString &name)
{
    // The receiver changes the selectors too, while the user types elsewhere:
    // only a change the user made (the selector has the focus, its list open
    // or not) is told.
    const bool byUser = selector->hasFocus();
    m_c.form.heardCall->setFocus();
    if (byUser)
        m_c.speech.say(m_c.form.heardCall, selectorPhrase(name, selector));
}

void EntryKeys::swapStations()
{
    using Field = EntryState::Field;
    EntryState &e = m_c.entry;
    const QString heard[3] = {e.text(Field::HeardCall), e.text(Field::HeardReport), e.text(Field::HeardNumber)};
    const QString worked[3] = {e.text(Field::WorkedCall), e.text(Field::WorkedReport), e.text(Field::WorkedNumber)};
    // Each report right after its call, so the repeat check's default report
    // is overwritten by the swapped one.
    e.setText(Field::HeardCall, worked[0]);
    e.setText(Field::HeardReport, worked[1]);
    e.setText(Field::HeardNumber, worked[2]);
    e.setText(Field::WorkedCall, heard[0]);
    e.setText(Field::WorkedReport, heard[1]);
    e.setText(Field::WorkedNumber, heard[2]);
    m_c.form.heardCall->setFocus();
}

void EntryKeys::clearEntry()
{
    using Field = EntryState::Field;
    // In HAM mode the heard call is the own call: without it no later QSO
    // would be recorded.
    entryCallField(m_c.form)->setFocus(); // before the text, for a screen reader
    for (Field field : {Field::HeardCall, Field::HeardReport, Field::HeardNumber, Field::WorkedCall,
                        Field::WorkedReport, Field::WorkedNumber})
        if (!(m_c.entry.screen().ham && field == Field::HeardCall))
            m_c.entry.setText(field, QString());
}

QWidget *EntryKeys::fieldFor(EntryField role) const
{
    const MainForm &f = m_c.form;
    switch (role) {
    case EntryField::HeardCall: return f.heardCall;
    case EntryField::HeardReport: return f.heardReport;
    case EntryField::HeardNumber: return f.heardNumber;
    case EntryField::WorkedCall: return f.workedCall;
    case EntryField::WorkedReport: return f.workedReport;
    case EntryField::WorkedNumber: return f.workedNumber;
    case EntryField::Button: return shownButton();
    case EntryField::None: break;
    }
    return nullptr;
}

QPushButton *EntryKeys::shownButton() const
{
    const MainForm &f = m_c.form;
    // The screen shows exactly one of them.
    for (QPushButton *b : {f.editOk, f.manualOk, f.ok})
        if (!b->isHidden())
            return b;
    return nullptr;
}

void EntryKeys::entryKey(EntryEdit *field, int key)
{
    if (key == Qt::Key_F1) {
        swapStations();
        return;
    }
    if (key == Qt::Key_F2) {
        clearEntry();
        return;
    }
    const EntryField target = focusMove(key, field->role(), m_c.entryLayout() != 0, m_c.entry.rst());
    // A disabled button (the station panel is open) cannot take the focus:
    // it stays in the worked number field.
    if (QWidget *w = fieldFor(target); w && w->isEnabled())
        w->setFocus();
}

bool EntryKeys::typedIntoGrid(QKeyEvent *event)
{
    // A call typed after a look at the log belongs to the next QSO; the
    // grid keeps its own keys (arrows, pages, the menu key) and the blank.
    const QString text = event->text();
    if (text.size() != 1 || text.at(0).unicode() <= ' ' ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) || !filterEntryChar(text.at(0)))
        return false;
    EntryEdit *field = entryCallField(m_c.form);
    field->setFocus();
    QCoreApplication::sendEvent(field, event);
    return true;
}

bool EntryKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    if (watched == m_c.form.grid)
        return typedIntoGrid(static_cast<QKeyEvent *>(event));
    auto *button = static_cast<QWidget *>(watched);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool back = key == Qt::Key_Left || key == Qt::Key_Up;
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
    if (!back && !forward)
        return false;
    // Along the tab order, counting the selectors that take no tab.
    QWidget *w = button;
    do {
        w = back ? w->previousInFocusChain() : w->nextInFocusChain();
    } while (w != button && (w->focusPolicy() == Qt::NoFocus || !w->isEnabled() || w->isHidden() ||
                             !w->isVisibleTo(button->window()) || w == button->window()));
    w->setFocus();
    return true;
}

void EntryKeys::workedReportChanged()
{
    if (const ScreenLook look = screenLook(m_c.screen.state()); !look.repeatColours)
        FieldColours::paint(m_c.form.workedReport, look.fieldColour);
}
