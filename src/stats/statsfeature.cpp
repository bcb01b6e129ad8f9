#include "statsfeature.h"

#include "statswindow.h"

#include "clock/clockticker.h"
#include "form/mainform.h"

#include <QComboBox>

namespace StatsFeature {

void attach(const MainForm &form, StatsWindow &window, ClockTicker &clock, const PictureTarget &picture)
{
    QStringList bands;
    for (int i = 0; i < form.band->count(); ++i)
        bands << form.band->itemText(i);
    window.setBandOrder(bands);
    window.setPictureTarget(picture);
    QObject::connect(&clock, &ClockTicker::ticked, &window, &StatsWindow::tick);
}

} // namespace StatsFeature
