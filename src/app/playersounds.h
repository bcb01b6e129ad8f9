#pragma once

#include "seams/sounds.h"

#include <QTemporaryDir>

/// Plays the cues with the desktop's sound player (PulseAudio's or
/// PipeWire's paplay, else ALSA's aplay) as a process of its own, so that
/// the keystroke that turned a field red never waits for the sound. The
/// sounds are made by the program, written once into a temporary folder.
class PlayerSounds : public Sounds {
public:
    void play(Cue cue) override;

    /// The cue as a WAV file: a short tone, high and double for a repeat as
    /// heard station, low and single for a repeat as worked station.
    static QByteArray wave(Cue cue);

private:
    QString file(Cue cue);

    QTemporaryDir m_folder;
};
