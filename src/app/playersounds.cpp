#include "playersounds.h"

#include "cuewave.h"
#include "systemsounds.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

/// Plays the file with the first player that can; what the players print
/// (a missing sound server fills a screen) goes to nothing.
void playFile(QByteArray path)
{
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&quiet, STDOUT_FILENO, STDERR_FILENO);
    const char *const players[][3] = {{"paplay", path.data(), nullptr}, {"aplay", "-q", path.data()}};
    for (const auto &player : players) {
        char *argv[] = {const_cast<char *>(player[0]), const_cast<char *>(player[1]), const_cast<char *>(player[2]),
                        nullptr};
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, argv[0], &quiet, nullptr, argv, environ) == 0 && waitpid(pid, &status, 0) == pid &&
            WIFEXITED(status) && WEXITSTATUS(status) == 0)
            break;
    }
    posix_spawn_file_actions_destroy(&quiet);
}
} // namespace

PlayerSounds::PlayerSounds() : m_folder(folderOfThisRun()), m_worker([this] { work(); }) {}

PlayerSounds::~PlayerSounds()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_worker.join();
}

QString PlayerSounds::file(Cue cue)
{
    const int i = cue == Cue::HeardRepeat ? 0 : 1;
    const QString path = m_folder.filePath(i == 0 ? QStringLiteral("heard.wav") : QStringLiteral("worked.wav"));
    if (m_whole[i])
        return path;
    // A disk full for a moment leaves a cut file, which a player would play
    // cut or not at all for the rest of the run: written again at the next cue.
    const QByteArray wave = cueWave(cue);
    QFile out(path);
    m_whole[i] = out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(wave) == wave.size() && out.flush();
    out.close();
    if (m_whole[i] && out.error() == QFileDevice::NoError)
        return path;
    m_whole[i] = false;
    out.remove();
    return {};
}

void PlayerSounds::play(Cue cue)
{
    if (!m_folder.isValid())
        return;
    // Starting a process took 9 to 12 ms on a busy machine, which the
    // keystroke must not wait for: the worker starts the player and waits for
    // it. No player, no sound: the colour and the description still tell.
    const QString written = file(cue);
    if (written.isEmpty())
        return;
    const QByteArray path = QFile::encodeName(written);
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_playing || !m_next.isEmpty())
            return;
        m_next = path;
    }
    m_wake.notify_one();
}

void PlayerSounds::work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_next.isEmpty(); });
        if (m_stopping)
            return;
        const QByteArray path = std::exchange(m_next, QByteArray());
        m_playing = true;
        lock.unlock();
        playFile(path);
        lock.lock();
        m_playing = false;
    }
}

std::unique_ptr<Sounds> systemSounds()
{
    return std::make_unique<PlayerSounds>();
}
