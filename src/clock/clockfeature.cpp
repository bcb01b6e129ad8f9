#include "clockfeature.h"

#include "clockticker.h"

#include "form/mainform.h"
#include "store/schema.h"
#include "store/store.h"
#include "store/storeguard.h"

#include <QCheckBox>

namespace ClockFeature {

ClockTicker *attach(const MainForm &form, const ClockSource &clock, Store &store, Prompts &prompts, QWidget *owner)
{
    const ClockWidgets widgets{form.utcDate, form.utcTime,        form.utcClock,       form.tourTime,   form.tourNumber,
                               form.tour,    form.localDatePanel, form.localTimePanel, form.statusPanel};
    auto *ticker = new ClockTicker(
        widgets, clock, prompts,
        [&store, &prompts, owner]() -> std::optional<QStringList> {
            QStringList times;
            const bool read = guarded(prompts, owner, [&] {
                const Record log = store.readLog();
                for (const QString &field : Schema::tourFields())
                    times << log.value(field);
            });
            return read ? std::optional(times) : std::nullopt;
        },
        owner);
    QObject::connect(form.tour, &QCheckBox::clicked, ticker, &ClockTicker::tourToggled);
    ticker->start();
    return ticker;
}

} // namespace ClockFeature
