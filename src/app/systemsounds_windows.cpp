#include "cuewave.h"
#include "systemsounds.h"

#include <windows.h>

namespace {

/// Plays from memory without waiting; a cue that comes while another plays
/// is dropped, as the colour tells the same.
class WindowsSounds : public Sounds {
public:
    void play(Cue cue) override
    {
        // The system reads the sound while it plays: it stays ours till the end.
        const QByteArray &wave = cue == Cue::HeardRepeat ? m_heard : m_worked;
        PlaySoundW(reinterpret_cast<LPCWSTR>(wave.constData()), nullptr,
                   SND_MEMORY | SND_ASYNC | SND_NOSTOP | SND_NODEFAULT);
    }
    ~WindowsSounds() override { PlaySoundW(nullptr, nullptr, 0); }

private:
    const QByteArray m_heard = cueWave(Cue::HeardRepeat);
    const QByteArray m_worked = cueWave(Cue::WorkedRepeat);
};

} // namespace

std::unique_ptr<Sounds> systemSounds()
{
    return std::make_unique<WindowsSounds>();
}
