#pragma once

#include <QString>

#include <functional>

/// A field of the log or station record by name; the empty text when absent.
using FieldGetter = std::function<QString(const QString &field)>;

/// Removes leading and trailing blanks and control characters.
QString trimReport(const QString &text);
