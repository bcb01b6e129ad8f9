#pragma once

#include <QString>

/// A store file of n QSOs, made once per run and kept in a temporary folder.
/// A skewed log has one call (the busiest) in about 0.7% of all rows as heard
/// or worked station; other calls are nearly unique.
QString storeWithQsos(int n, bool skewed = false);

/// The busiest call of a skewed log.
inline QString busiestCall() { return QStringLiteral("UA1BUSY"); }

/// Bytes of peak resident memory of this process so far.
long peakResidentBytes();
