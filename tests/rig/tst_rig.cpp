#include "mainfixture.h"

#include "app/rigini.h"
#include "clock/clockticker.h"
#include "entry/entrycontext.h"
#include "entry/entryedit.h"
#include "entry/screenmode.h"
#include "form/loggrid.h"
#include "log/logmodel.h"
#include "rig/rigclient.h"
#include "rig/rigfollower.h"
#include "rig/rigrules.h"
#include "settings/inifile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

/// Following the receiver through rigctld: the band and mode rules, the
/// settings, and the main window against Hamlib's real rigctld with its dummy
/// rig, against a server that talks nonsense, and with following off.
class RigTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void rulesTurnReadingsIntoSelectorTexts_data();
    void rulesTurnReadingsIntoSelectorTexts();
    void settingsRead_data();
    void settingsRead();

    void selectorsFollowTheReceiverAndTheQsoTakesThem_data();
    void selectorsFollowTheReceiverAndTheQsoTakesThem();
    void typingInProgressKeepsItsTextAndFocus_data();
    void typingInProgressKeepsItsTextAndFocus();
    void manualEntryAndEditingIgnoreTheReceiver_data();
    void manualEntryAndEditingIgnoreTheReceiver();
    void lostReceiverIsToldOnceAndFollowingResumes_data();
    void lostReceiverIsToldOnceAndFollowingResumes();
    void receiverIsUpOnlyAfterWholeAnswersInTime_data();
    void receiverIsUpOnlyAfterWholeAnswersInTime();
    void receiverAnsweringIn1500MsIsFollowed();
    void bytesNotAskedForAreNotKept();
    void followingOffOpensNoSocket_data();
    void followingOffOpensNoSocket();

private:
    quint16 m_sharedPort = 0;
};

namespace {

const QString kRestored = QStringLiteral("Связь с приёмником восстановлена");

QString lostText(quint16 port)
{
    return QStringLiteral("Нет связи с приёмником (127.0.0.1:%1)").arg(port);
}

quint16 freePort()
{
    QTcpServer probe; // given back before rigctld takes it
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QString rigctldProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("rigctld"));
}

#define REQUIRE_RIGCTLD()                                                                                              \
    do {                                                                                                               \
        if (rigctldProgram().isEmpty()) {                                                                              \
            if (qEnvironmentVariableIsSet("CI"))                                                                       \
                QFAIL("rigctld is missing although scripts/setup.sh installs libhamlib-utils");                        \
            QSKIP("rigctld is not installed (Debian package libhamlib-utils; scripts/setup.sh installs it)");          \
        }                                                                                                              \
    } while (false)

/// rigctld with Hamlib's dummy rig on a loopback port.
class Rigctld {
public:
    explicit Rigctld(quint16 port) : m_port(port) {}
    ~Rigctld() { kill(); }

    bool start()
    {
        m_process.start(rigctldProgram(), {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(m_port)});
        if (!m_process.waitForStarted(5000))
            return false;
        return QTest::qWaitFor(
            [this] {
                QTcpSocket probe;
                probe.connectToHost(QHostAddress::LocalHost, m_port);
                return probe.waitForConnected(200);
            },
            5000);
    }
    void kill()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    /// Tunes the dummy rig over a connection of its own, as a second program would.
    bool set(qint64 hz, const QString &mode) const
    {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, m_port);
        if (!s.waitForConnected(2000))
            return false;
        s.write(QStringLiteral("F %1\nM %2 0\n").arg(hz).arg(mode).toLatin1());
        QByteArray replies;
        while (replies.count("RPRT") < 2 && s.waitForReadyRead(2000))
            replies += s.readAll();
        return replies == "RPRT 0\nRPRT 0\n";
    }

private:
    quint16 m_port;
    QProcess m_process;
};

/// The main window with following on, its ticks driven by the test alone.
struct FollowingWindow : MainFixture {
    explicit FollowingWindow(quint16 port, const QString &section = QStringLiteral("[Rig]\nEnabled=1\nPort=%1\n"))
    {
        writeIni(folder, section.arg(port).toLatin1());
        open();
        program->clockTicker->findChild<QTimer *>()->stop();
    }
    RigClient &client()
    {
        auto *follower = main->findChild<RigFollower *>();
        if (!follower)
            qFatal("following is on in settings.ini, yet the window follows nothing");
        return follower->client();
    }
    /// Ticks until done() holds, at most ticks times, letting replies arrive in between.
    /// The ticks count the questions asked; the time after each is only how
    /// long a busy machine may take to answer (a run beside the sanitizer
    /// build once missed the first answer by 300 ms).
    bool tickUntil(const std::function<bool()> &done, int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            program->clockTicker->tick();
            if (QTest::qWaitFor(done, 2000))
                return true;
        }
        return done();
    }
    void tick(int times)
    {
        for (int i = 0; i < times; ++i) {
            program->clockTicker->tick();
            QTest::qWait(20);
        }
    }
    QString band() const { return form().band->currentText(); }
    QString mode() const { return form().mode->currentText(); }
    QString status() const { return form().statusPanel->text(); }
};

} // namespace

void RigTest::initTestCase()
{
    if (rigctldProgram().isEmpty())
        return;
    static Rigctld shared(m_sharedPort = freePort());
    QVERIFY(shared.start());
}

void RigTest::rulesTurnReadingsIntoSelectorTexts_data()
{
    struct Row {
        const char *name;
        qint64 hz;
        const char *rigMode, *band, *mode;
    };
    const Row rows[] = {
        {"below 160 m, CW", 1'799'999, "CW", "", "CW"},
        {"160 m low edge, CWR", 1'800'000, "CWR", "1800", "CW"},
        {"160 m high edge, LSB", 2'000'000, "LSB", "1800", "PH"},
        {"above 160 m, USB", 2'000'001, "USB", "", "PH"},
        {"80 m edges, AM", 3'500'000, "AM", "3500", "PH"},
        {"80 m high edge, FM", 3'800'000, "FM", "3500", "PH"},
        {"above 80 m, RTTY", 3'800'001, "RTTY", "", ""},
        {"40 m high edge, PKTUSB", 7'200'000, "PKTUSB", "7000", ""},
        {"broadcast above 40 m, WFM", 7'200'001, "WFM", "", ""},
        {"30 m has no selector entry", 10'120'000, "CW", "", "CW"},
        {"below 20 m, lower-case mode", 13'999'999, "cw", "", ""},
        {"20 m low edge, mode unknown", 14'000'000, "", "14000", ""},
        {"20 m high edge", 14'350'000, "USB", "14000", "PH"},
        {"above 20 m", 14'350'001, "USB", "", "PH"},
        {"15 m edges", 21'000'000, "CW", "21000", "CW"},
        {"15 m high edge", 21'450'000, "CW", "21000", "CW"},
        {"above 15 m", 21'450'001, "CW", "", "CW"},
        {"below 10 m, CB", 27'999'999, "AM", "", "PH"},
        {"10 m low edge", 28'000'000, "CW", "28000", "CW"},
        {"10 m high edge, FM repeaters", 29'700'000, "FM", "28000", "PH"},
        {"above 10 m", 29'700'001, "FM", "", "PH"},
        {"below 2 m", 143'999'999, "FM", "", "PH"},
        {"2 m edges", 144'000'000, "USB", "144", "PH"},
        {"2 m high edge", 146'000'000, "FM", "144", "PH"},
        {"above 2 m", 146'000'001, "FM", "", "PH"},
        {"below 70 cm", 429'999'999, "FM", "", "PH"},
        {"70 cm low edge", 430'000'000, "CW", "432", "CW"},
        {"70 cm high edge", 440'000'000, "FM", "432", "PH"},
        {"above 70 cm", 440'000'001, "FM", "", "PH"},
        {"nothing tuned", 0, "", "", ""},
    };
    QTest::addColumn<qint64>("hz");
    QTest::addColumn<QString>("rigMode");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("mode");
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.hz << QString(r.rigMode) << QString(r.band) << QString(r.mode);
}

void RigTest::rulesTurnReadingsIntoSelectorTexts()
{
    QFETCH(qint64, hz);
    QFETCH(QString, rigMode);
    QFETCH(QString, band);
    QFETCH(QString, mode);
    QCOMPARE(bandForFrequency(hz), band);
    QCOMPARE(modeForRigMode(rigMode), mode);
}

void RigTest::settingsRead_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("no file") << QString() << false << "127.0.0.1" << 4532;
    QTest::newRow("no Rig section") << "[Main]\nLeft=1\n" << false << "127.0.0.1" << 4532;
    QTest::newRow("switched off") << "[Rig]\nEnabled=0\nHost=10.0.0.2\n" << false << "10.0.0.2" << 4532;
    QTest::newRow("on, defaults") << "[Rig]\nEnabled=1\n" << true << "127.0.0.1" << 4532;
    QTest::newRow("names in any case") << "[rig]\nENABLED=1\nhost = shack.local \nport=4533\n[SNTP]\nPort=123\n"
                                       << true << "shack.local" << 4533;
    QTest::newRow("not a number is off") << "[Rig]\nEnabled=yes\n" << false << "127.0.0.1" << 4532;
    QTest::newRow("empty host, port out of range") << "[Rig]\nEnabled=1\nHost=\nPort=70000\n"
                                                   << true << "127.0.0.1" << 4532;
    QTest::newRow("port not a number") << "[Rig]\nEnabled=1\nPort=rig\n" << true << "127.0.0.1" << 4532;
    QTest::newRow("Rig keys in another section") << "[Main]\nEnabled=1\n[Rig]\n" << false << "127.0.0.1" << 4532;
}

void RigTest::settingsRead()
{
    QFETCH(QString, ini);
    QFETCH(bool, enabled);
    QFETCH(QString, host);
    QFETCH(int, port);
    TestFolder folder;
    if (!ini.isNull())
        writeIni(folder, ini.toLatin1());
    IniFile settings(folder.file("settings.ini"));
    settings.load();
    const RigSettings s = readRigSettings(settings);
    QCOMPARE(s.enabled, enabled);
    QCOMPARE(s.host, host);
    QCOMPARE(int(s.port), port);
}

void RigTest::selectorsFollowTheReceiverAndTheQsoTakesThem_data()
{
    struct Row {
        const char *name;
        qint64 hz;
        const char *rigMode, *band, *mode;
    };
    // The window starts on 3500 PH.
    const Row rows[] = {
        {"20 m CW", 14'025'000, "CW", "14000", "CW"},
        {"160 m LSB", 1'830'000, "LSB", "1800", "PH"},
        {"10 m high edge CWR", 29'700'000, "CWR", "28000", "CW"},
        {"70 cm FM", 432'100'000, "FM", "432", "PH"},
        {"30 m RTTY leaves both", 10'120'000, "RTTY", "3500", "PH"},
        {"band followed, data mode left", 21'074'000, "PKTUSB", "21000", "PH"},
    };
    QTest::addColumn<qint64>("hz");
    QTest::addColumn<QString>("rigMode");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("mode");
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.hz << QString(r.rigMode) << QString(r.band) << QString(r.mode);
}

void RigTest::selectorsFollowTheReceiverAndTheQsoTakesThem()
{
    REQUIRE_RIGCTLD();
    QFETCH(qint64, hz);
    QFETCH(QString, rigMode);
    QFETCH(QString, band);
    QFETCH(QString, mode);
    Rigctld rig(m_sharedPort);
    QVERIFY(rig.set(hz, rigMode));
    FollowingWindow f(m_sharedPort);
    setSelectorText(f.form().band, QStringLiteral("3500"));
    setSelectorText(f.form().mode, QStringLiteral("PH"));
    QSignalSpy marks(f.form().band, &QComboBox::currentTextChanged);
    QSignalSpy readings(&f.client(), &RigClient::modeRead);
    QVERIFY(f.tickUntil([&] { return !readings.isEmpty(); }, 2));
    QCOMPARE(f.band(), band);
    QCOMPARE(f.mode(), mode);
    // What listens to a change by hand (the repeat window's marks) hears it.
    QCOMPARE(marks.size(), band == QLatin1String("3500") ? 0 : 1);

    f.form().heardCall->setText("UA1A");
    f.form().heardNumber->setText("001");
    f.form().ok->click();
    const auto rows = f.store.qsosFrom(0, 10);
    QCOMPARE(rows.size(), size_t(1));
    QCOMPARE(rows[0].band, band);
    QCOMPARE(rows[0].mode, mode);
}

void RigTest::typingInProgressKeepsItsTextAndFocus_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("selectLeft");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("text");
    QTest::newRow("heard call") << 0 << "UA1" << 0 << "B"
                                << "UA1B";
    QTest::newRow("heard number, cursor inside") << 2 << "015" << 0 << ""
                                                 << "015";
    QTest::newRow("worked call, last letter selected") << 3 << "RA3X" << 1 << "B"
                                                       << "RA3B";
    QTest::newRow("worked number") << 5 << "02" << 0 << "7"
                                   << "027";
}

void RigTest::typingInProgressKeepsItsTextAndFocus()
{
    REQUIRE_RIGCTLD();
    QFETCH(int, field);
    QFETCH(QString, before);
    QFETCH(int, selectLeft);
    QFETCH(QString, after);
    QFETCH(QString, text);
    Rigctld rig(m_sharedPort);
    QVERIFY(rig.set(14'025'000, "CW"));
    FollowingWindow f(m_sharedPort);
    QVERIFY(f.showActive());
    QSignalSpy readings(&f.client(), &RigClient::modeRead);
    QVERIFY(f.tickUntil([&] { return !readings.isEmpty(); }, 2));

    EntryEdit *typed = f.form().entryFields()[field];
    typed->setFocus();
    QTest::keyClicks(typed, before);
    for (int i = 0; i < selectLeft; ++i)
        QTest::keyClick(typed, Qt::Key_Left, Qt::ShiftModifier);
    if (after.isEmpty())
        QTest::keyClick(typed, Qt::Key_Left); // the cursor where the user left it
    QStringList texts;
    for (EntryEdit *e : f.form().entryFields())
        texts << e->text();
    const int cursor = typed->cursorPosition();

    QVERIFY(rig.set(7'025'000, "USB"));
    QVERIFY(f.tickUntil([&] { return f.band() == "7000" && f.mode() == "PH"; }, 2));
    QCOMPARE(f.focused(), typed);
    QCOMPARE(typed->cursorPosition(), cursor);
    QCOMPARE(typed->selectedText().size(), selectLeft);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(f.form().entryFields()[i]->text(), texts[i]);
    QTest::keyClicks(typed, after);
    QCOMPARE(typed->text(), text);
}

void RigTest::manualEntryAndEditingIgnoreTheReceiver_data()
{
    QTest::addColumn<bool>("editing");
    QTest::newRow("COPY") << false;
    QTest::newRow("editing a row") << true;
}

void RigTest::manualEntryAndEditingIgnoreTheReceiver()
{
    REQUIRE_RIGCTLD();
    QFETCH(bool, editing);
    Rigctld rig(m_sharedPort);
    QVERIFY(rig.set(14'025'000, "CW"));
    FollowingWindow f(m_sharedPort);
    QSignalSpy readings(&f.client(), &RigClient::modeRead);
    QVERIFY(f.tickUntil([&] { return !readings.isEmpty(); }, 2));
    f.store.addQso(TestQso().heard("UA1A").band("21000").mode("PH"));
    f.program->log.reload();
    f.form().grid->setCurrentIndex(f.program->log.index(0, 0));
    if (editing)
        f.main->actions().editRecord->trigger();
    else
        f.form().copy->click();
    const QString band = f.band(), mode = f.mode(), status = f.status();

    QVERIFY(rig.set(7'025'000, "LSB"));
    readings.clear();
    QVERIFY(f.tickUntil([&] { return readings.size() >= 2; }, 3));
    QCOMPARE(f.band(), band);
    QCOMPARE(f.mode(), mode);
    QCOMPARE(f.status(), status);

    if (editing)
        f.form().editOk->click();
    else
        f.form().copy->click();
    QVERIFY(f.tickUntil([&] { return f.band() == "7000" && f.mode() == "PH"; }, 2));
    if (editing)
        QCOMPARE(f.store.qsosFrom(0, 10)[0].band, QString("21000"));
}

void RigTest::lostReceiverIsToldOnceAndFollowingResumes_data()
{
    QTest::addColumn<bool>("copyAtLoss");
    QTest::newRow("in normal entry") << false;
    QTest::newRow("in COPY, told on leaving it") << true;
}

void RigTest::lostReceiverIsToldOnceAndFollowingResumes()
{
    REQUIRE_RIGCTLD();
    QFETCH(bool, copyAtLoss);
    const quint16 port = freePort();
    Rigctld rig(port);
    QVERIFY(rig.start());
    QVERIFY(rig.set(14'025'000, "CW"));
    FollowingWindow f(port);
    QSignalSpy readings(&f.client(), &RigClient::modeRead);
    QVERIFY(f.tickUntil([&] { return !readings.isEmpty(); }, 2));
    if (copyAtLoss)
        f.form().copy->click();
    const QString before = f.status();

    rig.kill();
    if (copyAtLoss) {
        f.tick(4);
        QCOMPARE(f.status(), before);
        f.form().copy->click();
    }
    QVERIFY(f.tickUntil([&] { return f.status() == lostText(port); }, 2));
    // Told once: the failed attempts to connect again say nothing more, and
    // the clock goes on.
    f.form().statusPanel->setText("OK");
    f.clock.now = f.clock.now.addSecs(60);
    f.tick(7);
    QCOMPARE(f.status(), QString("OK"));
    QCOMPARE(f.form().utcClock->text(), QString("09:16:00"));

    QVERIFY(rig.start());
    QVERIFY(rig.set(7'025'000, "USB"));
    QVERIFY(f.tickUntil([&] { return f.status() == kRestored && f.band() == "7000" && f.mode() == "PH"; }, 4));
    f.form().statusPanel->setText("OK");
    f.tick(3);
    QCOMPARE(f.status(), QString("OK"));
}

namespace {
/// A rigctld stand-in on loopback that answers "f" and "m" with the bytes
/// given, each answer a while after its question, and counts the questions
/// that come while one is still unanswered on the same connection.
struct StubRig {
    QTcpServer server;
    QByteArray toF, toM; ///< nothing: that question is never answered
    int delayMs = 0;
    int asked = 0, askedTooSoon = 0;

    StubRig()
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            QTcpSocket *s = server.nextPendingConnection();
            auto unanswered = std::make_shared<int>(0);
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, unanswered] {
                while (s->canReadLine()) {
                    const QByteArray command = s->readLine().trimmed();
                    const QByteArray reply = command == "f" ? toF : command == "m" ? toM : QByteArray();
                    ++asked;
                    askedTooSoon += *unanswered > 0;
                    ++*unanswered;
                    if (reply.isEmpty())
                        continue;
                    QTimer::singleShot(delayMs, s, [s, reply, unanswered] {
                        s->write(reply);
                        --*unanswered;
                    });
                }
            });
        });
    }
    quint16 port() const { return server.serverPort(); }
};
} // namespace

void RigTest::receiverIsUpOnlyAfterWholeAnswersInTime_data()
{
    // Time runs twenty times faster than the program's: a tick every 50 ms
    // and 150 ms for each answer, for its second and three seconds.
    QTest::addColumn<QByteArray>("toF");
    QTest::addColumn<QByteArray>("toM");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<bool>("followed");
    const QByteArray f("14025000\n"), m("CW\n500\n");
    QTest::newRow("answers after 1.5 s") << f << m << 75 << true;
    QTest::newRow("answers after 5 s") << f << m << 250 << false;
    QTest::newRow("silent") << QByteArray() << QByteArray() << 0 << false;
    QTest::newRow("rigctld's error replies") << QByteArray("RPRT -5\n") << QByteArray("RPRT -5\n") << 0 << false;
    QTest::newRow("frequency only") << f << QByteArray("RPRT -11\n") << 0 << false;
    QTest::newRow("words, one line short") << QByteArray("hello\n") << QByteArray("VOICE\n") << 0 << false;
    QTest::newRow("numbers out of reach") << QByteArray("-14025000\n") << QByteArray("nan\n1e999\n") << 0 << false;
    QTest::newRow("mode without passband") << f << QByteArray("CW\n") << 0 << false;
    QTest::newRow("passband not a number") << f << QByteArray("CW\nwide\n") << 0 << false;
    QTest::newRow("more lines than asked") << QByteArray("14\n1\n2\n3\n") << QByteArray("X\n") << 0 << false;
    QTest::newRow("bytes") << QByteArray("\x00\xff\x10\r\n", 5) << QByteArray("\xfe\n\x00\n", 4) << 0 << false;
    QTest::newRow("a line without end") << QByteArray(100'000, '7') << QByteArray() << 0 << false;
}

void RigTest::receiverIsUpOnlyAfterWholeAnswersInTime()
{
    QFETCH(QByteArray, toF);
    QFETCH(QByteArray, toM);
    QFETCH(int, delayMs);
    QFETCH(bool, followed);
    StubRig stub;
    stub.toF = toF;
    stub.toM = toM;
    stub.delayMs = delayMs;
    MainFixture f;
    f.open();
    auto *client = new RigClient(QStringLiteral("127.0.0.1"), stub.port(), std::chrono::milliseconds(150));
    RigFollower follower(client, f.program->entry, f.form());
    setSelectorText(f.form().band, QStringLiteral("3500"));
    setSelectorText(f.form().mode, QStringLiteral("PH"));
    f.form().statusPanel->setText("OK");
    QSignalSpy changes(client, &RigClient::linkChanged);
    const auto tick = [&](int times) {
        for (int i = 0; i < times; ++i) {
            follower.poll();
            QTest::qWait(50);
        }
    };
    tick(12);
    QVERIFY(stub.asked >= 2);
    QCOMPARE(stub.askedTooSoon, 0);
    QCOMPARE(f.form().band->currentText(), QString(followed ? "14000" : "3500"));
    QCOMPARE(f.form().mode->currentText(), QString(followed ? "CW" : "PH"));
    // Told once, not every time the connection is made afresh.
    QCOMPARE(changes.size(), followed ? 0 : 1);
    QCOMPARE(f.form().statusPanel->text(), followed ? QString("OK") : lostText(stub.port()));
    if (followed)
        return;

    // Once the server talks sense, the client has not lost its way.
    stub.toF = "7025000\n";
    stub.toM = "LSB\n2400\n";
    stub.delayMs = 0;
    QTRY_VERIFY_WITH_TIMEOUT((tick(1), f.form().band->currentText() == "7000"), 3000);
    QCOMPARE(f.form().mode->currentText(), QString("PH"));
    QCOMPARE(f.form().statusPanel->text(), kRestored);
    QCOMPARE(changes.size(), 2);
}

void RigTest::receiverAnsweringIn1500MsIsFollowed()
{
    // In the program's own time: three seconds for each answer.
    StubRig stub;
    stub.toF = "14025000\n";
    stub.toM = "CW\n500\n";
    stub.delayMs = 1500;
    FollowingWindow f(stub.port());
    setSelectorText(f.form().band, QStringLiteral("3500"));
    setSelectorText(f.form().mode, QStringLiteral("PH"));
    f.form().statusPanel->setText("OK");
    QVERIFY(f.tickUntil([&] { return f.band() == "14000" && f.mode() == "CW"; }, 20));
    QCOMPARE(stub.askedTooSoon, 0);
    QCOMPARE(f.status(), QString("OK"));
}

namespace {
qint64 residentKiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}
} // namespace

// A server that sends what it was not asked for, between the exchanges,
// as fast as loopback carries it.
void RigTest::bytesNotAskedForAreNotKept()
{
    StubRig stub;
    stub.toF = "14025000\n";
    stub.toM = "CW\n500\n";
    FollowingWindow f(stub.port());
    setSelectorText(f.form().band, QStringLiteral("3500"));
    QVERIFY(f.tickUntil([&] { return f.band() == "14000"; }, 5));
    QTcpSocket *peer = stub.server.findChild<QTcpSocket *>();
    QVERIFY(peer);
    const qint64 before = residentKiB();
    constexpr qint64 kFlood = 200 << 20;
    const QByteArray chunk(1 << 20, '7');
    qint64 sent = 0;
    const auto more = [&] {
        if (sent < kFlood && peer->bytesToWrite() < chunk.size()) {
            peer->write(chunk);
            sent += chunk.size();
        }
    };
    QObject::connect(peer, &QTcpSocket::bytesWritten, peer, more);
    more();
    QTRY_VERIFY_WITH_TIMEOUT(sent >= kFlood && peer->bytesToWrite() == 0, 60000);
    QTest::qWait(200); // the last bytes read
#ifdef __SANITIZE_ADDRESS__
    // AddressSanitizer keeps freed blocks in quarantine: the resident size
    // then says nothing of what the client holds. The flood still ran.
    Q_UNUSED(before);
#else
    QVERIFY2(residentKiB() - before < 50 * 1024, qPrintable(QString("%1 KiB more").arg(residentKiB() - before)));
#endif
}

void RigTest::followingOffOpensNoSocket_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<bool>("connects");
    QTest::newRow("no Rig section") << "[Main]\nPosition=1\n; %1\n" << false;
    QTest::newRow("Enabled=0") << "[Rig]\nEnabled=0\nPort=%1\n" << false;
    QTest::newRow("Enabled missing") << "[Rig]\nHost=127.0.0.1\nPort=%1\n" << false;
    QTest::newRow("Enabled=1") << "[Rig]\nEnabled=1\nPort=%1\n" << true;
}

void RigTest::followingOffOpensNoSocket()
{
    QFETCH(QString, ini);
    QFETCH(bool, connects);
    QTcpServer listener;
    QVERIFY(listener.listen(QHostAddress::LocalHost, 0));
    MainFixture f;
    writeIni(f.folder, ini.arg(listener.serverPort()).toLatin1());
    f.open();
    for (int i = 0; i < 3; ++i)
        (*f.program->clockTicker).tick();
    QCOMPARE(listener.waitForNewConnection(connects ? 3000 : 300), connects);
    QCOMPARE(f.main->findChildren<QTcpSocket *>().isEmpty(), !connects);
}

QTEST_MAIN(RigTest)
#include "tst_rig.moc"
