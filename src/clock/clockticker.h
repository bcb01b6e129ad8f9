#pragma once

#include "tours.h"

#include <QObject>

#include <functional>
#include <optional>

class ClockSource;
class Prompts;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTimer;

/// The controls the clock tick writes.
struct ClockWidgets {
    QLineEdit *utcDate, *utcTime; ///< texts that new QSOs receive
    QLabel *utcClock, *tourTime;
    QLineEdit *tourNumber;
    QCheckBox *tour;
    QLabel *localDate, *localTime; ///< first and second status panels
    QLabel *lastPanel;             ///< gives up the width the others need
};

/// Once a second: the UTC texts, the local date and time, and with TOUR
/// ticked the current tour and the time left in it.
class ClockTicker : public QObject {
    Q_OBJECT
public:
    /// readTourTimes gives TUR1B..TUR4E of log, or nothing when they could
    /// not be read (the reader has told the user why).
    ClockTicker(const ClockWidgets &widgets, const ClockSource &clock, Prompts &prompts,
                std::function<std::optional<QStringList>()> readTourTimes, QObject *parent = nullptr);

    void start();
    void tick();
    /// The TOUR check box was clicked.
    void tourToggled(bool ticked);

signals:
    /// Every tick, once the UTC texts are current.
    void ticked();

private:
    ClockWidgets m_w;
    const ClockSource &m_clock;
    Prompts &m_prompts;
    std::function<std::optional<QStringList>()> m_readTourTimes;
    TourTimes m_times;
    QTimer *m_timer;
    bool m_formatMessageOpen = false;
};
