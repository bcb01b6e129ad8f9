#pragma once

/// Short sounds that say what a field's colour shows, for a user who cannot
/// see it. Playing never waits for the sound.
class Sounds {
public:
    enum class Cue { HeardRepeat, WorkedRepeat };
    virtual ~Sounds() = default;
    virtual void play(Cue cue) = 0;
};
