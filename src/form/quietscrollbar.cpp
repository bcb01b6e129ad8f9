#include "quietscrollbar.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QPainter>
#include <QStyleOptionSlider>

#include <algorithm>
#include <iterator>

void QuietScrollBar::putInto(QAbstractItemView &view)
{
    auto *across = new QuietScrollBar(Qt::Horizontal, &view);
    auto *down = new QuietScrollBar(Qt::Vertical, &view);
    view.setHorizontalScrollBar(across);
    view.setVerticalScrollBar(down);
    // The view's slots are protected: only the names reach them, and a name
    // Qt no longer has would leave the bar dead without a word.
    const bool joined =
        QObject::connect(across, SIGNAL(actionTriggered(int)), &view, SLOT(horizontalScrollbarAction(int))) &&
        QObject::connect(across, SIGNAL(valueChanged(int)), &view, SLOT(horizontalScrollbarValueChanged(int))) &&
        QObject::connect(down, SIGNAL(actionTriggered(int)), &view, SLOT(verticalScrollbarAction(int))) &&
        QObject::connect(down, SIGNAL(valueChanged(int)), &view, SLOT(verticalScrollbarValueChanged(int)));
    if (!joined)
        qFatal("QuietScrollBar: the view's scroll bar slots could not be reached");
}

void QuietScrollBar::sliderChange(SliderChange change)
{
    if (change == SliderStepsChange) {
        if (singleStep() == m_singleStep && pageStep() == m_pageStep)
            return;
        m_singleStep = singleStep();
        m_pageStep = pageStep();
    }
    QScrollBar::sliderChange(change);
}

void QuietScrollBar::paintEvent(QPaintEvent *event)
{
    // Under the mouse the bar shows which part is hovered or pressed, and
    // only the bar itself knows that.
    if (underMouse() || isSliderDown() || QGuiApplication::mouseButtons() != Qt::NoButton) {
        QScrollBar::paintEvent(event);
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    const Look look{
        option.rect.size(), int(option.state),         option.minimum,     option.maximum, option.sliderPosition,
        option.pageStep,    option.palette.cacheKey(), devicePixelRatioF()};
    const Picture *shown = std::find_if(std::begin(m_pictures), std::end(m_pictures),
                                        [&](const Picture &p) { return !p.pixmap.isNull() && p.look == look; });
    if (shown == std::end(m_pictures)) {
        Picture &drawn = m_pictures[m_oldest];
        m_oldest = (m_oldest + 1) % int(std::size(m_pictures));
        drawn.look = look;
        drawn.pixmap = QPixmap(size() * look.ratio);
        drawn.pixmap.setDevicePixelRatio(look.ratio);
        drawn.pixmap.fill(palette().color(backgroundRole()));
        QPainter painter(&drawn.pixmap);
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
        shown = &drawn;
    }
    QPainter(this).drawPixmap(0, 0, shown->pixmap);
}
