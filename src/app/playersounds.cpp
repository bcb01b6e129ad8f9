#include "playersounds.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kRate = 22050;

void append32(QByteArray &b, quint32 v)
{
    v = qToLittleEndian(v);
    b.append(reinterpret_cast<const char *>(&v), 4);
}
void append16(QByteArray &b, quint16 v)
{
    v = qToLittleEndian(v);
    b.append(reinterpret_cast<const char *>(&v), 2);
}

/// Samples of a tone with soft edges, so that it starts and stops without a click.
void tone(QByteArray &samples, double hertz, int ms)
{
    const int count = kRate * ms / 1000;
    const int edge = kRate * 5 / 1000;
    for (int i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, double(i) / edge, double(count - i) / edge});
        const double value = 0.4 * envelope * std::sin(2 * M_PI * hertz * i / kRate);
        append16(samples, quint16(qint16(value * 32767)));
    }
}
/// The cue as a WAV file: high and double for a repeat as heard station,
/// low and single for a repeat as worked station.
QByteArray wave(Sounds::Cue cue)
{
    QByteArray samples;
    if (cue == Sounds::Cue::HeardRepeat) {
        tone(samples, 1200, 70);
        tone(samples, 0, 50);
        tone(samples, 1200, 70);
    } else {
        tone(samples, 600, 160);
    }
    QByteArray wav("RIFF");
    append32(wav, quint32(36 + samples.size()));
    wav.append("WAVEfmt ");
    append32(wav, 16);
    append16(wav, 1); // PCM
    append16(wav, 1); // mono
    append32(wav, kRate);
    append32(wav, kRate * 2);
    append16(wav, 2);
    append16(wav, 16);
    wav.append("data");
    append32(wav, quint32(samples.size()));
    return wav + samples;
}
} // namespace

namespace {
const QString kFolderPrefix = QStringLiteral("vireok-sounds-");

/// Removes the cue folders of runs that have ended (killed: a run that ends
/// removes its own), and names the folder of this one.
QString folderOfThisRun()
{
    const QDir temp(QDir::tempPath());
    for (const QString &name : temp.entryList({kFolderPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isNumber = false;
        const pid_t pid = pid_t(name.mid(kFolderPrefix.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&isNumber));
        // Ended: no such process (one that runs as another user answers EPERM).
        const bool ended = isNumber && pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
        if (!ended)
            continue;
        QDir folder(temp.filePath(name));
        // Only what a run of ours puts there.
        const QStringList files = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        if (std::all_of(files.begin(), files.end(), [](const QString &f) {
                return f == QLatin1String("heard.wav") || f == QLatin1String("worked.wav");
            }))
            folder.removeRecursively();
    }
    return temp.filePath(kFolderPrefix + QString::number(::getpid()) + QStringLiteral("-XXXXXX"));
}
} // namespace

PlayerSounds::PlayerSounds() : m_folder(folderOfThisRun()) {}

QString PlayerSounds::file(Cue cue)
{
    const QString path =
        m_folder.filePath(cue == Cue::HeardRepeat ? QStringLiteral("heard.wav") : QStringLiteral("worked.wav"));
    if (!QFile::exists(path)) {
        QFile out(path);
        if (out.open(QIODevice::WriteOnly))
            out.write(wave(cue));
    }
    return path;
}

void PlayerSounds::play(Cue cue)
{
    if (!m_folder.isValid())
        return;
    // Starting a process took 9 to 12 ms on a busy machine, which the
    // keystroke must not wait for: a thread of its own starts the player and
    // waits for it. No player, no sound: the colour and the description
    // still tell.
    std::thread([path = QFile::encodeName(file(cue))]() mutable {
        const char *const players[][3] = {{"paplay", path.data(), nullptr}, {"aplay", "-q", path.data()}};
        for (const auto &player : players) {
            char *argv[] = {const_cast<char *>(player[0]), const_cast<char *>(player[1]), const_cast<char *>(player[2]),
                            nullptr};
            pid_t pid = 0;
            int status = 0;
            if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) == 0 && waitpid(pid, &status, 0) == pid &&
                WIFEXITED(status) && WEXITSTATUS(status) == 0)
                return;
        }
    }).detach();
}
