#include "tempdir.h"

#include "app/playersounds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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
    void cueFoldersOfKilledRunsGoAtTheNextStart();
};

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
    QTemporaryDir bin;
    for (const QString &p : players) {
        const QString name = p.section(':', 0, 0);
        QFile script(bin.filePath(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(
            QString("#!/bin/sh\nfor a; do last=$a; done\ncp \"$last\" \"%1/%2-$(basename \"$last\")\"\nexit %3\n")
                .arg(bin.path(), name, p.section(':', 1))
                .toUtf8());
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");
    PlayerSounds sounds;
    sounds.play(Sounds::Cue::HeardRepeat);
    sounds.play(Sounds::Cue::WorkedRepeat);
    const QString heard = bin.filePath(played + "-heard.wav"), worked = bin.filePath(played + "-worked.wav");
    QTRY_VERIFY(QFile::exists(heard) && QFile::exists(worked));
    qputenv("PATH", path);
    QFile h(heard), w(worked);
    QVERIFY(h.open(QIODevice::ReadOnly) && w.open(QIODevice::ReadOnly));
    const QByteArray a = h.readAll(), b = w.readAll();
    QCOMPARE(a.mid(0, 4), QByteArray("RIFF"));
    QCOMPARE(a.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(qFromLittleEndian<quint32>(a.constData() + 40), quint32(a.size() - 44)); // data length
    QVERIFY(a != b);                                                                  // two different sounds
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
