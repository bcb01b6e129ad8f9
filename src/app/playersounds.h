#pragma once

#include "seams/sounds.h"

#include <QTemporaryDir>

/// Plays the cues with the desktop's sound player: paplay (PulseAudio or
/// PipeWire), else ALSA's aplay, each a process of its own. The sounds are
/// made by the program and written once into a temporary folder named with
/// the process; the folders that killed runs left behind go at the next
/// start.
class PlayerSounds : public Sounds {
public:
    PlayerSounds();
    /// Returns at once; the sound follows.
    void play(Cue cue) override;

private:
    QString file(Cue cue);

    QTemporaryDir m_folder;
};
