#include "app/playersounds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

/// The cues as the desktop's player receives them: real child processes,
/// fake players on the PATH that keep what they were given.
class PlayerSoundsTest : public QObject {
    Q_OBJECT
private slots:
    void cueReachesTheFirstPlayerThatPlays_data();
    void cueReachesTheFirstPlayerThatPlays();
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

QTEST_GUILESS_MAIN(PlayerSoundsTest)
#include "tst_playersounds.moc"
