#pragma once

#include "seams/sounds.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <condition_variable>
#include <mutex>
#include <thread>

/// Plays the cues with the desktop's sound player: paplay (PulseAudio or
/// PipeWire), else ALSA's aplay, each a process of its own. The sounds are
/// made by the program and written once into a temporary folder named with
/// the process (again at the next cue where a full disk cut one); the
/// folders that killed runs left behind go at the next start. One worker plays them, one at a time: a cue that comes
/// while another plays is dropped, as the colour tells the same.
class PlayerSounds : public Sounds {
public:
    PlayerSounds();
    ~PlayerSounds() override;
    /// Returns at once; the sound follows.
    void play(Cue cue) override;

private:
    QString file(Cue cue);
    void work();

    QTemporaryDir m_folder;
    bool m_whole[2] = {false, false}; ///< the heard and worked cue files written whole
    std::mutex m_mutex;
    std::condition_variable m_wake;
    QByteArray m_next; ///< the file to play next; empty, none
    bool m_playing = false;
    bool m_stopping = false;
    std::thread m_worker;
};
