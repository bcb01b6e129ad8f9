#pragma once

#include "seams/clocksource.h"
#include "seams/desktop.h"
#include "seams/quietprompts.h"
#include "seams/sounds.h"
#include "seams/speech.h"
#include "seams/timeseams.h"

#include <QStringList>

#include <functional>

using StubPrompts = QuietPrompts;

/// Records the cues that would have sounded.
class StubSounds : public Sounds {
public:
    void play(Cue cue) override { played << cue; }
    QList<Cue> played;
};

/// Records what a screen reader would have been told, and where.
class StubSpeech : public Speech {
public:
    void say(QWidget *focus, const QString &phrase) override { said << qMakePair(focus, phrase); }
    QList<QPair<QWidget *, QString>> said;
};

class StubDesktop : public Desktop {
public:
    void openDocument(const QString &path) override { opened << path; }
    QStringList opened;
};

/// A clock that stands still until a test moves it.
class StubClock : public ClockSource {
public:
    QDateTime nowUtc() const override { return now; }
    QDateTime now = QDateTime(QDate(2026, 12, 6), QTime(9, 15), Qt::UTC);
};

/// A time zone with a fixed bias (UTC minus local, minutes).
class StubZone : public ZoneBias {
public:
    double minutesAt(const QDateTime &) const override
    {
        if (unknown)
            throw SntpError("no time zone");
        return biasMinutes;
    }
    double biasMinutes = 0;
    bool unknown = false;
};

/// Records what the clock would have been set to; never touches the machine.
class StubClockSetter : public ClockSetter {
public:
    bool setClock(const QDateTime &utc) override
    {
        settings << utc;
        return succeeds;
    }
    QList<QDateTime> settings;
    bool succeeds = true;
};
