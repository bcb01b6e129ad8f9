#pragma once

#include <QString>
#include <QVector>

/// A box the time field's check shows: a plain message, or the conversion
/// error of a part that is not a whole number (shown as an error).
struct TimeMessage {
    bool conversionError = false;
    QString text;
    bool operator==(const TimeMessage &o) const { return conversionError == o.conversionError && text == o.text; }
};

/// The check run at every change of the manual time field: more than four
/// characters is a wrong format; exactly four are read as hours and minutes.
QVector<TimeMessage> checkTypedTime(const QString &text);

/// The check of Save edit: not exactly four characters stops the save;
/// the hour and minute warnings do not; a part that is not a number does.
struct EditTimeCheck {
    bool mayStore = true;
    QVector<TimeMessage> messages;
};
EditTimeCheck checkEditedTime(const QString &text);

inline const QString kWrongTime = QStringLiteral("Неверный формат времени");
