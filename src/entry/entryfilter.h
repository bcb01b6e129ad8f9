#pragma once

#include <QChar>
#include <QString>

#include <optional>

/// The character a typed character becomes in the six entry fields, or
/// nothing when it is dropped. Cyrillic letters become the Latin letters of
/// the same keys, so a call typed with the Russian layout on comes out right.
std::optional<QChar> filterEntryChar(QChar typed);
/// Pasted text as the entry fields take it: each character as if typed,
/// and no control character (a line break or a tab is no key of a call).
QString filterEntryText(const QString &pasted);
