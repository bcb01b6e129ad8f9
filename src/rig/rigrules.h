#pragma once

#include <QString>

/// The band selector's text for a frequency in Hz; empty outside every band
/// the selector knows, so the selector stays as it is.
QString bandForFrequency(qint64 hz);

/// The mode selector's text ("CW" or "PH") for a mode as rigctld names it;
/// empty for a mode that is neither, so the selector stays as it is.
QString modeForRigMode(const QString &rigMode);
