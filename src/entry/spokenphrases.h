#pragma once

#include <QString>

struct QsoRecord;
class QComboBox;

/// The selectors' names, as a screen reader calls them.
inline const QString kBandName = QStringLiteral("Диапазон");
inline const QString kModeName = QStringLiteral("Вид работы");

/// What a listener hears once a QSO is recorded: both stations' calls and
/// numbers, and whether the call was a repeat.
QString recordedPhrase(const QsoRecord &q, bool repeat);
/// What a listener hears once a selector has changed: its new value, and
/// whether the value is one of its list.
QString selectorPhrase(const QString &name, const QComboBox *selector);
