#include "statsfeature.h"

#include "tstats.h"

#include "clock/clockticker.h"
#include "form/mainform.h"

#include <QComboBox>

namespace StatsFeature {

void attach(const MainForm &form, TStats &window, ClockTicker &clock, const PictureTarget &picture)
{
    QStringList bands;
    for (int i = 0; i < form.band->count(); ++i)
        bands << form.band->itemText(i);
    window.setBandOrder(bands);
    window.setPictureTarget(picture);
    QObject::connect(&clock, &ClockTicker::ticked, &window, &TStats::tick);
}

} // namespace StatsFeature
