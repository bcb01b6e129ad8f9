#pragma once

#include <QString>

/// The child process of the fresh-program benchmarks: "startup" or "first"
/// on the store at path; prints milliseconds and peak megabytes.
int runWindowChild(const QString &what, const QString &path);
