#include "mainfixture.h"

#include "entry/editor.h"
#include "entry/entryedit.h"
#include "form/fieldcolours.h"
#include "repeats/repeatcheck.h"
#include "repeats/repeatlistmodel.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

/// The repeat check as the user types a call into the main window.
class RepeatCheckTest : public QObject {
    Q_OBJECT
private slots:
    void emptyLogGivesZeroCountsAndNormalColour();
    void colourFollowsTheTwoCounts_data();
    void colourFollowsTheTwoCounts();
    void defaultReportFollowsTheModeAndEmptiesWithTheCall();
    void swlUntickedSkipsOnlyTheHeardCount();
    void changingBandOrModeRunsNoCheck();
    void pastedQuoteIsLookedUpSafely();
    void copyAndEditPaintTheFieldYellowWinning();
    void turningRedOrAquaSoundsOnceWhereSoundIsOn_data();
    void turningRedOrAquaSoundsOnceWhereSoundIsOn();
};

namespace {
/// What a screen reader hears after the field's name.
QString description(QWidget *field)
{
    return QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description);
}
} // namespace

void RepeatCheckTest::emptyLogGivesZeroCountsAndNormalColour()
{
    MainFixture f;
    f.open();
    QTest::keyClicks(f.form().heardCall, "UA1A");
    QCOMPARE(f.program->repeatCheck->heardCount(), qint64(0));
    QCOMPARE(f.repeats->heardText(), QString("Повторы: Heard = 0"));
    QCOMPARE(f.repeats->workedText(), QString("Повторы: Worked = 0"));
    QCOMPARE(FieldColours::of(f.form().heardCall), FieldColours::window());
    QCOMPARE(f.program->repeatList.rowCount(), 0);
}

void RepeatCheckTest::colourFollowsTheTwoCounts_data()
{
    const char *red = "Повтор: уже записан первой станцией, Heard = 1";
    const char *aqua = "Повтор: уже записан второй станцией, Worked = 1";
    const QColor normal = FieldColours::window();
    struct Row {
        const char *name, *band, *tour, *call;
        int heard, worked;
        QColor colour;
        const char *description;
    };
    const Row rows[] = {
        {"heard only: red", "14000", "1", "UA1A", 1, 0, FieldColours::red, red},
        {"other band: normal", "7000", "1", "UA1A", 0, 0, normal, ""},
        {"tour 0 is not tour 1", "14000", "0", "UA1A", 0, 0, normal, ""},
        {"worked only: aqua", "14000", "1", "RA3B", 0, 1, FieldColours::aqua, aqua},
        {"both: normal", "14000", "1", "UA9X", 1, 1, normal, ""},
        // A QSO logged without a worked station must not make every empty field a repeat.
        {"empty: never a repeat", "14000", "1", "", 0, 0, normal, ""},
    };
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("tour");
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("heard");
    QTest::addColumn<int>("worked");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("description");
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString(r.band) << QString(r.tour) << QString(r.call) << r.heard << r.worked
                              << r.colour << QString(r.description);
}

void RepeatCheckTest::colourFollowsTheTwoCounts()
{
    QFETCH(QString, band);
    QFETCH(QString, tour);
    QFETCH(QString, call);
    QFETCH(int, heard);
    QFETCH(int, worked);
    QFETCH(QColor, colour);
    QFETCH(QString, description);
    MainFixture f;
    f.store.addQso(TestQso().heard("UA1A").worked("RA3B", "015").tour("1"));
    f.store.addQso(TestQso().heard("UA9X", "002").tour("1"));
    f.store.addQso(TestQso().heard("R1AA", "003").worked("UA9X", "016").tour("1"));
    f.open();
    f.form().band->setCurrentText(band);
    f.form().tourNumber->setText(tour);
    // The worked call field runs the same check with the SWL box either way.
    for (EntryEdit *field : {f.form().heardCall, f.form().workedCall}) {
        QTest::keyClicks(field, call + "X");
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(f.program->repeatCheck->heardCount(), qint64(heard));
        QCOMPARE(f.program->repeatCheck->workedCount(), qint64(worked));
        QCOMPARE(FieldColours::of(field), colour);
        QCOMPARE(::description(field), description);
        QCOMPARE(f.repeats->heardText(), QString("Повторы: Heard = %1").arg(heard));
        QCOMPARE(f.repeats->workedText(), QString("Повторы: Worked = %1").arg(worked));
    }
    QCOMPARE(f.program->repeatList.rowCount() > 0, !call.isEmpty()); // any band, mode and tour
}

void RepeatCheckTest::defaultReportFollowsTheModeAndEmptiesWithTheCall()
{
    MainFixture f;
    f.open();
    QTest::keyClicks(f.form().heardCall, "U");
    QCOMPARE(f.form().heardReport->text(), QString("599"));
    f.form().mode->setCurrentText("PH");
    QCOMPARE(f.form().heardReport->text(), QString("599")); // only a call change fills it
    QTest::keyClicks(f.form().workedCall, "R");
    QCOMPARE(f.form().workedReport->text(), QString("59"));
    f.form().heardReport->setText("57");
    QTest::keyClicks(f.form().heardCall, "A");
    QCOMPARE(f.form().heardReport->text(), QString("59"));
    f.form().heardCall->clear();
    QCOMPARE(f.form().heardReport->text(), QString());
    f.form().rst->setChecked(false);
    f.form().heardReport->setText("57");
    QTest::keyClicks(f.form().heardCall, "U");
    QCOMPARE(f.form().heardReport->text(), QString("57"));
}

void RepeatCheckTest::swlUntickedSkipsOnlyTheHeardCount()
{
    MainFixture f;
    f.store.addQso(TestQso().heard("UA1A").worked("RA3B", "015"));
    f.store.writeLog({{"CALLSIGN", "UA1A"}});
    f.open();
    f.form().swl->click(); // HAM: the own call, logged once, comes into the heard call field
    QCOMPARE(f.form().heardCall->text(), QString("UA1A"));
    QCOMPARE(f.repeats->heardText(), QString());
    QCOMPARE(FieldColours::of(f.form().heardCall), FieldColours::buttonFace());
    QTest::keyClicks(f.form().workedCall, "RA3B");
    QCOMPARE(f.repeats->workedText(), QString("Повторы: Worked = 1"));
    QCOMPARE(FieldColours::of(f.form().workedCall), FieldColours::aqua);
}

void RepeatCheckTest::changingBandOrModeRunsNoCheck()
{
    MainFixture f;
    f.store.addQso(TestQso().heard("UA1A"));
    f.open();
    QTest::keyClicks(f.form().heardCall, "UA1A");
    QCOMPARE(FieldColours::of(f.form().heardCall), FieldColours::red);
    f.form().band->setCurrentText("7000");
    f.form().mode->setCurrentText("PH");
    QCOMPARE(FieldColours::of(f.form().heardCall), FieldColours::red);
    QCOMPARE(f.program->repeatCheck->heardCount(), qint64(1));
}

void RepeatCheckTest::pastedQuoteIsLookedUpSafely()
{
    MainFixture f;
    f.store.addQso(TestQso().heard("UA\"1"));
    f.open();
    f.form().heardCall->setText("UA\"1"); // as pasted: the filter does not see it
    QCOMPARE(f.program->repeatCheck->heardCount(), qint64(1));
    QVERIFY(f.prompts.storeErrors.isEmpty());
}

void RepeatCheckTest::copyAndEditPaintTheFieldYellowWinning()
{
    MainFixture f;
    f.store.addQso(makeQso("UA1A", "001"));
    f.open();
    f.form().copy->click();
    f.form().heardCall->setText("U");
    QCOMPARE(FieldColours::of(f.form().heardCall), FieldColours::moneyGreen);
    (*f.program->editor).editRecord();
    f.form().heardCall->setText("UA");
    QCOMPARE(FieldColours::of(f.form().heardCall), FieldColours::yellow);
}

void RepeatCheckTest::turningRedOrAquaSoundsOnceWhereSoundIsOn_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("sounds");
    const QByteArray on("[Access]\r\nSound=1\r\n");
    // Without a screen reader the program stays silent unless told otherwise.
    QTest::newRow("no setting") << QByteArray() << "normal" << false;
    QTest::newRow("Sound=1") << on << "normal" << true;
    QTest::newRow("Sound=0") << QByteArray("[Access]\r\nSound=0\r\n") << "normal" << false;
    // Green and yellow fields show no repeat: nothing says one either.
    QTest::newRow("Sound=1, COPY") << on << "copy" << false;
    QTest::newRow("Sound=1, editing") << on << "editing" << false;
}

void RepeatCheckTest::turningRedOrAquaSoundsOnceWhereSoundIsOn()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, screen);
    QFETCH(bool, sounds);
    MainFixture f;
    f.store.addQso(TestQso().heard("UA1A").worked("RA3B", "015"));
    writeIni(f.folder, ini);
    f.open();
    if (screen == "copy")
        f.form().copy->click();
    if (screen == "editing")
        (*f.program->editor).editRecord();
    f.form().heardCall->clear();
    f.form().workedCall->clear();
    using Cue = Sounds::Cue;
    QTest::keyClicks(f.form().heardCall, "UA1A");
    QTest::keyClicks(f.form().workedCall, "RA3B");
    QTest::keyClick(f.form().heardCall, Qt::Key_Backspace);
    QTest::keyClicks(f.form().heardCall, "A");
    QCOMPARE(description(f.form().heardCall),
             sounds || screen == "normal" ? QString("Повтор: уже записан первой станцией, Heard = 1") : QString());
    QCOMPARE(f.sounds.played,
             sounds ? QList<Cue>({Cue::HeardRepeat, Cue::WorkedRepeat, Cue::HeardRepeat}) : QList<Cue>());
}

QTEST_MAIN(RepeatCheckTest)
#include "tst_repeatcheck.moc"
