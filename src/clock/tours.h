#pragma once

#include <QStringList>
#include <QTime>

#include <optional>

/// The contest's four tours as loaded from log: begin and end of tours 1..4.
struct TourTimes {
    QStringList texts; ///< TUR1B, TUR1E, ..., TUR4E; eight HH:MM:SS texts
};

struct TourState {
    int tour = 0;   ///< 1..4, or 0 when no tour is current
    QTime timeLeft; ///< end of the current tour minus now; valid only when tour > 0
};

/// Parses "HH:MM:SS" as a time of day; nothing for blanks, letters or
/// values out of range.
std::optional<QTime> parseTourTime(const QString &text);

/// The current tour at now (UTC time of day), or nothing when any of the
/// eight times is not a valid time of day. Both ends belong to a tour; a tour
/// whose end equals or precedes its begin is never current; the lower
/// number wins when tours overlap.
std::optional<TourState> currentTour(const TourTimes &times, const QTime &now);
