#pragma once

#include "store/qsorecord.h"

#include <QByteArray>
#include <QString>

#include <optional>

/// FREQ in MHz from the band text: kHz divided by 1000 in the shortest
/// decimal form with a point ("3500" gives "3.5"); "144" and "432" are MHz
/// already. Nothing when the band is not a whole number.
std::optional<QString> adifFrequency(const QString &band);

/// The seven header lines; created is the local date and time of writing.
QByteArray adifHeader(const QString &webAddress, const QString &created);

/// One record for the heard station, and one for the worked station when
/// its call and number are both given. frequency comes from adifFrequency.
void appendAdifRecords(QByteArray &out, const QString &operatorCall, const QsoRecord &qso, const QString &frequency);
