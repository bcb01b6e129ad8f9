#include "entry/entrystate.h"
#include "entry/recordingrules.h"

#include <QtTest>

/// What is recorded in each mode, and what the entry shows after, from the
/// entry state alone: no window, no store.
class RecordingRulesTest : public QObject {
    Q_OBJECT
private slots:
    void recordedAndLeft_data();
    void recordedAndLeft();
    void repeatVerdict_data();
    void repeatVerdict();
};

namespace {
using Field = EntryState::Field;

/// "call/report/number|call/report/number" into the six fields, or out of them.
void setStations(EntryState &e, const QString &stations)
{
    const QStringList parts = stations.split(QRegularExpression("[/|]"));
    const Field order[] = {Field::HeardCall,  Field::HeardReport,  Field::HeardNumber,
                           Field::WorkedCall, Field::WorkedReport, Field::WorkedNumber};
    for (int i = 0; i < 6; ++i)
        e.setText(order[i], parts.value(i));
}
QString stations(const EntryState &e)
{
    return e.text(Field::HeardCall) + '/' + e.text(Field::HeardReport) + '/' + e.text(Field::HeardNumber) + '|' +
           e.text(Field::WorkedCall) + '/' + e.text(Field::WorkedReport) + '/' + e.text(Field::WorkedNumber);
}
ScreenState screenOf(const QString &mode)
{
    ScreenState s;
    s.ham = mode.contains("ham");
    s.manual = mode.contains("manual");
    s.editing = mode.contains("editing");
    return s;
}
} // namespace

void RecordingRulesTest::recordedAndLeft_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("rst");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("recorded"); // call1 rst1 nr1 call2 rst2 nr2 date time tour, or nothing
    QTest::addColumn<QString>("left");     // the six fields after, then the time field
    // The clock says 2026-12-06 0915 in tour 3; the typed moment is 2013-01-01 1200.
    QTest::newRow("SWL, both stations") << "swl" << true << "UA1A/599/001|RA3B/579/015"
                                        << "UA1A 599 001 RA3B 579 015 2026-12-06 0915 3"
                                        << "//|// 1200";
    QTest::newRow("SWL, no worked number: no worked report") << "swl" << true << "UA1A/599/001|RA3B/579/"
                                                             << "UA1A 599 001 RA3B   2026-12-06 0915 3"
                                                             << "//|// 1200";
    QTest::newRow("RST unticked") << "swl" << false << "UA1A/57/001|RA3B/58/015"
                                  << "UA1A 57 001 RA3B 58 015 2026-12-06 0915 3"
                                  << "//|// 1200";
    QTest::newRow("no heard number: nothing") << "swl" << true << "UA1A/599/|RA3B/579/015"
                                              << ""
                                              << "UA1A/599/|RA3B/579/015 1200";
    QTest::newRow("a blank heard call: nothing") << "swl" << true << " /599/001|RA3B/579/015"
                                                 << ""
                                                 << " /599/001|RA3B/579/015 1200";
    QTest::newRow("HAM: the own call again, its report following it") << "ham" << true << "R9AA/599/005|RA3B/579/015"
                                                                      << "R9AA 599 005 RA3B 579 015 2026-12-06 0915 3"
                                                                      << "R9AA/599/|// 1200";
    QTest::newRow("HAM, RST unticked: no report") << "ham" << false << "R9AA/57/005|RA3B/58/015"
                                                  << "R9AA 57 005 RA3B 58 015 2026-12-06 0915 3"
                                                  << "R9AA//|// 1200";
    QTest::newRow("manual: the typed moment, the worked report kept") << "manual" << true << "UA1A/599/001|RA3B/579/"
                                                                      << "UA1A 599 001 RA3B 579  2013-01-01 1200 3"
                                                                      << "//|// ";
    QTest::newRow("manual HAM: the own call again") << "manual ham" << true << "R9AA/599/005|RA3B/579/015"
                                                    << "R9AA 599 005 RA3B 579 015 2013-01-01 1200 3"
                                                    << "R9AA/599/|// ";
}

void RecordingRulesTest::recordedAndLeft()
{
    QFETCH(QString, mode);
    QFETCH(bool, rst);
    QFETCH(QString, typed);
    QFETCH(QString, recorded);
    QFETCH(QString, left);
    EntryState e;
    e.setScreen(screenOf(mode));
    e.setRst(rst);
    e.setText(Field::Band, "14000");
    e.setText(Field::Mode, "CW");
    e.setText(Field::Tour, "3");
    e.setText(Field::ClockDate, "2026-12-06");
    e.setText(Field::ClockTime, "0915");
    e.setText(Field::Date, "2013-01-01");
    e.setText(Field::Time, "1200");
    setStations(e, typed);
    const auto q = RecordingRules::qso(e);
    QCOMPARE(bool(q), !recorded.isEmpty());
    if (q) {
        QCOMPARE(
            QStringList({q->call1, q->rst1, q->nr1, q->call2, q->rst2, q->nr2, q->data, q->time, q->tur}).join(' '),
            recorded);
        QCOMPARE(q->band + ' ' + q->mode, QString("14000 CW"));
        RecordingRules::clearAfterRecording(e, e.screen().ham ? "R9AA" : "");
    }
    QCOMPARE(stations(e) + ' ' + e.text(Field::Time), left);
    QCOMPARE(e.text(Field::Date), QString("2013-01-01")); // a paper log's day goes on
}

void RecordingRulesTest::repeatVerdict_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("asHeard");
    QTest::addColumn<int>("asWorked");
    QTest::addColumn<int>("colour"); // RepeatColour
    QTest::addColumn<bool>("heardShownAsRepeat");
    QTest::addColumn<bool>("workedShownAsRepeat");
    const int normal = int(RepeatColour::Normal), red = int(RepeatColour::Red), aqua = int(RepeatColour::Aqua);
    QTest::newRow("heard before only: red") << "swl" << 2 << 0 << red << true << false;
    QTest::newRow("worked before only: aqua") << "swl" << 0 << 3 << aqua << true << false;
    QTest::newRow("both: no colour") << "swl" << 1 << 1 << normal << false << false;
    QTest::newRow("never") << "swl" << 0 << 0 << normal << false << false;
    QTest::newRow("editing shows none") << "editing" << 1 << 0 << normal << false << false;
    QTest::newRow("manual entry shows none") << "manual" << 0 << 1 << normal << false << false;
    // In HAM mode a QSO is recorded for its worked call.
    QTest::newRow("HAM: the worked call decides") << "ham" << 1 << 0 << red << false << true;
}

void RecordingRulesTest::repeatVerdict()
{
    QFETCH(QString, mode);
    QFETCH(int, asHeard);
    QFETCH(int, asWorked);
    QFETCH(int, colour);
    QFETCH(bool, heardShownAsRepeat);
    QFETCH(bool, workedShownAsRepeat);
    const ScreenState screen = screenOf(mode);
    const RepeatColour shown = RecordingRules::shownColour(asHeard, asWorked, screen);
    QCOMPARE(int(shown), colour);
    for (Field call : {Field::HeardCall, Field::WorkedCall}) {
        EntryState e;
        e.setScreen(screen);
        e.setVerdict(call, {asHeard, asWorked, shown});
        QCOMPARE(RecordingRules::shownAsRepeat(e), call == Field::HeardCall ? heardShownAsRepeat : workedShownAsRepeat);
    }
}

QTEST_GUILESS_MAIN(RecordingRulesTest)
#include "tst_recordingrules.moc"
