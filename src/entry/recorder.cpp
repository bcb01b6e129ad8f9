#include "recorder.h"

#include "entryedit.h"
#include "recordingrules.h"
#include "screenmode.h"
#include "spokenphrases.h"
#include "timecheck.h"

#include "form/fieldcolours.h"
#include "log/logmodel.h"
#include "seams/prompts.h"
#include "seams/speech.h"
#include "store/storeguard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
const QString kNotRecorded = QStringLiteral("QSO не записан");
const QString kNoOwnCall =
    QStringLiteral("Неизвестен ваш позывной!\n\rЗаполните раздел \"Сведения о станции\".\n\rМеню -> \"Установки\"");
} // namespace

Recorder::Recorder(const EntryContext &context, QObject *parent) : QObject(parent), m_c(context)
{
    const MainForm &f = m_c.form;
    connect(f.ok, &QPushButton::clicked, this, &Recorder::recordQso);
    connect(f.manualOk, &QPushButton::clicked, this, &Recorder::recordManualQso);
    connect(f.swl, &QCheckBox::clicked, this, &Recorder::swlClicked);
    connect(f.copy, &QCheckBox::clicked, this, &Recorder::copyClicked);
    connect(&m_c.entry, &EntryState::textChanged, this, [this](EntryState::Field field) {
        if (field == EntryState::Field::Time)
            timeChanged();
    });
    f.timeField->installEventFilter(this);
}

void Recorder::recordQso()
{
    const MainForm &f = m_c.form;
    using Field = EntryState::Field;
    // Without the worked number the QSO keeps no worked report, nor does the entry.
    if (m_c.entry.text(Field::WorkedNumber).isEmpty() && RecordingRules::qso(m_c.entry))
        m_c.entry.setText(Field::WorkedReport, QString());
    const auto q = RecordingRules::qso(m_c.entry);
    if (!q)
        return;
    const bool repeat = RecordingRules::shownAsRepeat(m_c.entry);
    if (!guarded(
            m_c.prompts, f.window, [&] { m_c.log.append(*q); }, kNotRecorded))
        return;
    guarded(m_c.prompts, f.window, [&] {
        selectRow(m_c, m_c.log.rowCount() - 1);
        // The focus before the text: a screen reader (Orca) that hears of a
        // change in a field which has the focus by the time it asks takes
        // that for the focus, and then announces nothing.
        EntryEdit *next = entryCallField(f);
        next->setFocus();
        RecordingRules::clearAfterRecording(m_c.entry, m_c.entry.screen().ham ? ownCall(m_c) : QString());
        writeCounters(m_c);
        // Last: clearing the call runs the repeat check, which describes the field anew.
        m_c.speech.say(next, recordedPhrase(*q, repeat));
    });
}

void Recorder::recordManualQso()
{
    const MainForm &f = m_c.form;
    const auto q = RecordingRules::qso(m_c.entry);
    if (!q)
        return;
    if (!guarded(
            m_c.prompts, f.window, [&] { m_c.log.append(*q); }, kNotRecorded))
        return;
    selectRow(m_c, m_c.log.rowCount() - 1);
    f.timeField->setFocus(); // before the text, as above
    // The heard call is locked in HAM mode: left empty, no QSO could be
    // recorded until SWL was clicked twice.
    QString own;
    if (m_c.screen.state().ham)
        guarded(m_c.prompts, f.window, [&] { own = ownCall(m_c); });
    RecordingRules::clearAfterRecording(m_c.entry, own);
    writeCounters(m_c);
    FieldColours::paint(f.heardCall, FieldColours::moneyGreen);
    FieldColours::paint(f.workedCall, FieldColours::moneyGreen);
    m_c.speech.say(f.timeField, recordedPhrase(*q, false));
}

void Recorder::swlClicked(bool ticked)
{
    const MainForm &f = m_c.form;
    m_c.screen.setHam(!ticked);
    if (ticked) {
        m_c.entry.setText(EntryState::Field::HeardCall, QString());
        return;
    }
    guarded(m_c.prompts, f.window, [&] {
        if (putOwnCall(m_c).isEmpty())
            m_c.prompts.inform(f.window, kNoOwnCall);
    });
}

void Recorder::copyClicked(bool ticked)
{
    const MainForm &f = m_c.form;
    m_c.screen.setManual(ticked);
    if (ticked) {
        m_c.entry.setText(EntryState::Field::Date, QStringLiteral("2013-01-01"));
        m_c.entry.setText(EntryState::Field::Time, QStringLiteral("1200"));
        f.timeField->setFocus();
        // The preset is a hint: the first digit typed replaces it.
        f.timeField->selectAll();
        f.statusPanel->setText(QStringLiteral("Режим ввода QSO вручную"));
        return;
    }
    f.heardCall->setFocus();
    f.statusPanel->setText(QStringLiteral("Режим - наблюдений и записи QSO!"));
}

void Recorder::showTimeMessages(const QVector<TimeMessage> &messages)
{
    for (const TimeMessage &m : messages) {
        if (m.conversionError)
            m_c.prompts.error(m_c.form.window, kApplicationTitle, m.text);
        else
            m_c.prompts.inform(m_c.form.window, m.text);
    }
}

void Recorder::timeChanged()
{
    showTimeMessages(checkTypedTime(m_c.entry.text(EntryState::Field::Time)));
}

bool Recorder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_c.form.timeField || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (m_c.entry.text(EntryState::Field::Time).size() <= 3)
        m_c.prompts.inform(m_c.form.window, kWrongTime);
    else if (m_c.screen.state().manual)
        m_c.form.heardCall->setFocus();
    return false;
}
