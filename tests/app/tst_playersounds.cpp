#include "smalldisk.h"
#include "tempdir.h"

#include "app/playersounds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

/// The cues as the desktop's player receives them: real child processes,
/// fake players on the PATH that keep what they were given.
class PlayerSoundsTest : public QObject {
    Q_OBJECT
private slots:
    void cueReachesTheFirstPlayerThatPlays_data();
    void cueReachesTheFirstPlayerThatPlays();
    void cueWhileOnePlaysIsDropped();
    void cueCutByAFullDiskIsWrittenWholeAtTheNext();
    void cueFoldersOfKilledRunsGoAtTheNextStart();
};

namespace {
/// Fake players in a folder put first on the PATH: each a script with body.
struct FakePlayers {
    FakePlayers() : path(qgetenv("PATH")) {}
    ~FakePlayers() { qputenv("PATH", path); }
    bool add(const QString &name, const QString &body)
    {
        QFile script(bin.filePath(name));
        if (!script.open(QIODevice::WriteOnly))
            return false;
        script.write("#!/bin/sh\n" + body.toUtf8());
        script.close();
        qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");
        return script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    QTemporaryDir bin;
    const QByteArray path;
};
} // namespace

void PlayerSoundsTest::cueReachesTheFirstPlayerThatPlays_data()
{
    QTest::addColumn<QStringList>("players"); // name:exit code
    QTest::addColumn<QString>("played");
    QTest::newRow("paplay") << QStringList{"paplay:0", "aplay:0"} << "paplay";
    QTest::newRow("no sound server: aplay") << QStringList{"paplay:1", "aplay:0"} << "aplay";
    QTest::newRow("only aplay") << QStringList{"aplay:0"} << "aplay";
}

void PlayerSoundsTest::cueReachesTheFirstPlayerThatPlays()
{
    QFETCH(QStringList, players);
    QFETCH(QString, played);
    FakePlayers fake;
    for (const QString &p : players) {
        const QString name = p.section(':', 0, 0);
        // A player that fails says so at length, as one without its sound server does.
        QVERIFY(fake.add(name, QString("for a; do last=$a; done\ncp \"$last\" \"%1/%2-$(basename \"$last\")\"\n"
                                       "echo 'ALSA lib pcm.c: Unknown PCM default' >&2\necho playing\nexit %3\n")
                                   .arg(fake.bin.path(), name, p.section(':', 1))));
    }
    // What the players print must not reach the program's own output.
    QTemporaryFile output;
    QVERIFY(output.open());
    const int ownError = ::dup(STDERR_FILENO), ownOutput = ::dup(STDOUT_FILENO);
    ::dup2(output.handle(), STDERR_FILENO);
    ::dup2(output.handle(), STDOUT_FILENO);
    const QString heard = fake.bin.filePath(played + "-heard.wav"), worked = fake.bin.filePath(played + "-worked.wav");
    {
        PlayerSounds sounds;
        sounds.play(Sounds::Cue::HeardRepeat);
        QTRY_VERIFY(QFile::exists(heard));
        QTest::qWait(100); // the worker is free again once the player has ended
        sounds.play(Sounds::Cue::WorkedRepeat);
        QTRY_VERIFY(QFile::exists(worked));
    }
    ::dup2(ownError, STDERR_FILENO);
    ::dup2(ownOutput, STDOUT_FILENO);
    ::close(ownError);
    ::close(ownOutput);
    QFile printed(output.fileName()); // the players moved the shared offset to the end
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QCOMPARE(printed.readAll(), QByteArray());
    QFile h(heard), w(worked);
    QVERIFY(h.open(QIODevice::ReadOnly) && w.open(QIODevice::ReadOnly));
    const QByteArray a = h.readAll(), b = w.readAll();
    QCOMPARE(a.mid(0, 4), QByteArray("RIFF"));
    QCOMPARE(a.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(qFromLittleEndian<quint32>(a.constData() + 40), quint32(a.size() - 44)); // data length
    QVERIFY(a != b);                                                                  // two different sounds
}

void PlayerSoundsTest::cueWhileOnePlaysIsDropped()
{
    FakePlayers fake;
    const QString log = fake.bin.filePath("played");
    QVERIFY(fake.add("paplay", QString("echo \"$1\" >> '%1'\nsleep 0.5\n").arg(log)));
    const auto played = [&] {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : 0;
    };
    PlayerSounds sounds;
    for (int i = 0; i < 3; ++i)
        sounds.play(i % 2 ? Sounds::Cue::WorkedRepeat : Sounds::Cue::HeardRepeat);
    QTRY_COMPARE(played(), 1);
    QTest::qWait(800);
    QCOMPARE(played(), 1); // the two that came while it played were dropped
    // Once the player has ended, a cue plays again (asked until the worker is free).
    const auto playOnceFree = [&] {
        sounds.play(Sounds::Cue::WorkedRepeat);
        return played() == 2;
    };
    QTRY_VERIFY(playOnceFree());
}

void PlayerSoundsTest::cueCutByAFullDiskIsWrittenWholeAtTheNext()
{
    FakePlayers fake;
    const QString copy = fake.bin.filePath("played.wav");
    QVERIFY(fake.add("paplay", QString("cp \"$1\" '%1'\n").arg(copy)));
    PlayerSounds sounds;
    {
        SmallDisk full(100);
        sounds.play(Sounds::Cue::HeardRepeat);
        QTest::qWait(300);
    }
    QVERIFY(!QFile::exists(copy) || QFileInfo(copy).size() == 0); // nothing whole to play, nothing cut played
    const auto playedWhole = [&] {
        sounds.play(Sounds::Cue::HeardRepeat); // asked until the worker is free
        const QByteArray wave = readAll(copy);
        return wave.size() > 44 && qFromLittleEndian<quint32>(wave.constData() + 40) == quint32(wave.size() - 44);
    };
    QTRY_VERIFY(playedWhole());
}

void PlayerSoundsTest::cueFoldersOfKilledRunsGoAtTheNextStart()
{
    QTemporaryDir temp;
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    // A run that was killed: its process is gone.
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const QDir dir(temp.path());
    const QString killed = QString("vireok-sounds-%1-AbCdEf").arg(gone);
    const QString running = QString("vireok-sounds-%1-GhIjKl").arg(::getppid());
    const QString notOurs = QString("vireok-sounds-%1-MnOpQr").arg(gone);
    for (const QString &folder : {killed, running, notOurs}) {
        QVERIFY(dir.mkdir(folder));
        QVERIFY(writeAll(dir.filePath(folder + "/heard.wav"), "RIFF"));
    }
    QVERIFY(writeAll(dir.filePath(notOurs + "/notes.txt"), "kept"));
    {
        PlayerSounds sounds;
        QStringList left = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(left.size(), 3);
        QVERIFY(left.contains(running) && left.contains(notOurs));
        QVERIFY(!left.contains(killed));
        QCOMPARE(left.filter(QString("vireok-sounds-%1-").arg(::getpid())).size(), 1); // this run's own
    }
    QStringList expected({running, notOurs});
    expected.sort(); // by name, as the folder lists them: the order of two pids is the machine's
    QCOMPARE(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot), expected);
    if (tmpdir.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmpdir);
}

QTEST_GUILESS_MAIN(PlayerSoundsTest)
#include "tst_playersounds.moc"
