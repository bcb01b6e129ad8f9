#pragma once

#include <QString>

/// One row of table qso. Every value is text exactly as it came from the
/// entry fields; id is the store's own and is 0 for a row not yet stored.
struct QsoRecord {
    qint64 id = 0;
    QString band, mode, data, time;
    QString call1, rst1, nr1;
    QString call2, rst2, nr2;
    QString tur;

    /// A worked station's number makes the QSO worth 3 points instead of 1.
    bool hasWorkedNumber() const { return !nr2.isEmpty(); }
};

/// One row of the repeat list: an earlier QSO of the call being typed.
struct RepeatRow {
    QString tur, band, mode, data, time, call1, call2;
};

/// QSOs of one band, tour, date and time: how many, and how many of them
/// have the worked station's number.
struct QsoTally {
    QString band, tur, data, time;
    qint64 qsos = 0, workedNumbers = 0;
};
