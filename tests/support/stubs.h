#pragma once

#include "seams/clocksource.h"
#include "seams/desktop.h"
#include "seams/prompts.h"
#include "seams/sounds.h"
#include "seams/timeseams.h"

#include <QStringList>

#include <functional>

/// Records every box instead of showing it; answers as told.
class StubPrompts : public Prompts {
public:
    void inform(QWidget *, const QString &text) override { informed << text; }
    /// Closed at once, as if the user pressed OK.
    void notify(QWidget *, const QString &text, std::function<void()> closed) override
    {
        informed << text;
        closed();
    }
    void error(QWidget *, const QString &title, const QString &text) override { errors << title + '|' + text; }
    void storeError(QWidget *, const QString &text) override { storeErrors << text; }
    bool confirm(QWidget *, const QString &text) override
    {
        questions << text;
        return answer;
    }
    QString saveFileName(QWidget *, const QString &folder, const QString &proposed, const QStringList &filters) override
    {
        dialogFolder = folder;
        proposedName = proposed;
        dialogFilters = filters;
        return chosenFile;
    }

    QStringList informed, errors, storeErrors, questions;
    bool answer = false;

    QString chosenFile, dialogFolder, proposedName;
    QStringList dialogFilters;
};

/// Records the cues that would have sounded.
class StubSounds : public Sounds {
public:
    void play(Cue cue) override { played << cue; }
    QList<Cue> played;
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
