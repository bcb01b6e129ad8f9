#include "clockticker.h"

#include "localformats.h"
#include "utctexts.h"

#include "form/statuspanels.h"
#include "seams/clocksource.h"
#include "seams/prompts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {
// Rewriting a field with its own text is an edit to a screen reader: four of
// them a second would drown what the user is typing.
void setIfChanged(QLineEdit *field, const QString &text)
{
    if (field->text() != text)
        field->setText(text);
}
} // namespace

ClockTicker::ClockTicker(const ClockWidgets &widgets, const ClockSource &clock, Prompts &prompts,
                         std::function<std::optional<QStringList>()> readTourTimes, QObject *parent)
    : QObject(parent), m_w(widgets), m_clock(clock), m_prompts(prompts), m_readTourTimes(std::move(readTourTimes)),
      m_timer(new QTimer(this))
{
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ClockTicker::tick);
}

void ClockTicker::start()
{
    // The UTC texts must be valid before the first QSO can be recorded.
    tick();
    m_timer->start();
}

void ClockTicker::tick()
{
    const QDateTime utc = m_clock.nowUtc().toUTC();
    const QDateTime local = utc.toLocalTime();
    setIfChanged(m_w.utcDate, UtcTexts::date(utc));
    setPanelText(m_w.localDate, m_w.lastPanel, LocalFormats::shortDate(local.date()));
    setIfChanged(m_w.utcTime, UtcTexts::time(utc));
    m_w.utcClock->setText(UtcTexts::clock(utc));
    setPanelText(m_w.localTime, m_w.lastPanel, QStringLiteral("LOC: ") + LocalFormats::longTime(local.time()));
    emit ticked();
    if (!m_w.tour->isChecked())
        return;

    const auto state = currentTour(m_times, utc.time());
    if (!state) {
        // The clock must keep running under the box, so it does not wait
        // for it; one box at a time is enough.
        if (m_formatMessageOpen)
            return;
        m_formatMessageOpen = true;
        m_prompts.notify(m_w.tour->window(),
                         QStringLiteral("Ошибка формата времени!\n\rПроверьте правильность заполнения туров."),
                         [alive = QPointer<ClockTicker>(this)] {
                             if (alive)
                                 alive->m_formatMessageOpen = false;
                         });
        return;
    }
    if (state->tour > 0)
        m_w.tourTime->setText(LocalFormats::timeLeft(state->timeLeft));
    setIfChanged(m_w.tourNumber, QString::number(state->tour));
}

void ClockTicker::tourToggled(bool ticked)
{
    if (ticked) {
        if (const auto times = m_readTourTimes())
            m_times.texts = *times;
        return;
    }
    m_w.tourTime->setText(QStringLiteral("00:00:00"));
    m_w.tourNumber->setText(QStringLiteral("0"));
}
