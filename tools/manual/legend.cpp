#include "legend.h"

#include "app/tmain.h"
#include "entry/entryedit.h"
#include "form/loggrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {
QRect spanOf(TMain &main, const QVector<QWidget *> &controls)
{
    QRect span;
    for (QWidget *w : controls)
        span |= QRect(w->mapTo(&main, QPoint(0, 0)), w->size());
    return span;
}
} // namespace

QVector<QRect> mainWindowLegend(TMain &main)
{
    const MainForm &f = main.form();
    return {spanOf(main, {main.menuBar()}),
            // As far as it shows: the entry panel hides its foot.
            spanOf(main, {f.grid}) & QRect(0, 0, main.width(), f.entryPanel->mapTo(&main, QPoint(0, 0)).y()),
            spanOf(main, {f.tour, f.swl, f.rst, f.copy}), spanOf(main, {f.band, f.mode}),
            spanOf(main, {f.tourCaption, f.tourTime, f.utcCaption, f.utcClock}),
            spanOf(main, {f.heardCall, f.heardReport, f.heardNumber}),
            spanOf(main, {f.workedCall, f.workedReport, f.workedNumber}), spanOf(main, {f.ok}),
            spanOf(main, {f.swap, f.clear}), spanOf(main, {f.localDatePanel, f.localTimePanel}),
            spanOf(main, {f.qsoPanel, f.pointsPanel}), spanOf(main, {f.statusPanel})};
}
