#pragma once

#include <QPixmap>
#include <QScrollBar>

class QAbstractItemView;

/// A scroll bar that repaints only when what it shows changes, and then
/// from the pictures of its last few looks. An item view sets both its bars'
/// steps and raises both bars at every layout, which repaints them each time
/// even when nothing about them changed, and a list filled anew at every key
/// goes back and forth between a few looks (empty, one call's rows). Drawn
/// each time, the bars were a fifth of the key's time.
class QuietScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

    /// Gives view quiet bars in place of its own, with the connections the
    /// view made to its own bars: without them a list read in parts stops
    /// at the first part when scrolled.
    static void putInto(QAbstractItemView &view);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;

private:
    /// What the picture shows.
    struct Look {
        QSize size;
        int state = 0, minimum = 0, maximum = 0, position = 0, pageStep = 0;
        qint64 palette = 0;
        qreal ratio = 0;
        bool operator==(const Look &o) const
        {
            return size == o.size && state == o.state && minimum == o.minimum && maximum == o.maximum &&
                   position == o.position && pageStep == o.pageStep && palette == o.palette && ratio == o.ratio;
        }
    };
    int m_singleStep = -1, m_pageStep = -1; ///< the steps last shown
    struct Picture {
        Look look;
        QPixmap pixmap;
    };
    Picture m_pictures[4];
    int m_oldest = 0; ///< the picture the next new look replaces
};
