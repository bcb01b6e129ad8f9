#pragma once

#include "seams/sounds.h"

#include <QByteArray>

/// The cue as a WAV file in memory: high and double for a repeat as heard
/// station, low and single for a repeat as worked station.
QByteArray cueWave(Sounds::Cue cue);
