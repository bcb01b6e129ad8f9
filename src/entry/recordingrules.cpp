#include "recordingrules.h"

namespace RecordingRules {

using Field = EntryState::Field;

namespace {
/// keepWorkedReport: manual entry copies a paper log as it stands.
QsoRecord entered(const EntryState &entry, bool typedMoment, bool keepWorkedReport)
{
    const auto text = [&entry](Field f) { return entry.text(f); };
    QsoRecord q;
    q.band = text(Field::Band);
    q.mode = text(Field::Mode);
    q.data = text(typedMoment ? Field::Date : Field::ClockDate);
    q.time = text(typedMoment ? Field::Time : Field::ClockTime);
    q.call1 = text(Field::HeardCall);
    q.rst1 = text(Field::HeardReport);
    q.nr1 = text(Field::HeardNumber);
    q.call2 = text(Field::WorkedCall);
    q.nr2 = text(Field::WorkedNumber);
    q.rst2 = q.nr2.isEmpty() && !keepWorkedReport ? QString() : text(Field::WorkedReport);
    q.tur = text(Field::Tour);
    return q;
}
} // namespace

std::optional<QsoRecord> qso(const EntryState &entry)
{
    if (entry.text(Field::HeardCall).trimmed().isEmpty() || entry.text(Field::HeardNumber).trimmed().isEmpty())
        return std::nullopt;
    return entered(entry, entry.screen().manual, entry.screen().manual);
}

QsoRecord edited(const EntryState &entry)
{
    return entered(entry, true, false);
}

bool shownAsRepeat(const EntryState &entry)
{
    return entry.verdict(entry.entryCall()).colour != RepeatColour::Normal;
}

QString defaultReport(const QString &mode)
{
    return mode == QLatin1String("CW") ? QStringLiteral("599") : QStringLiteral("59");
}

void reportFollows(EntryState &entry, Field call)
{
    if (!entry.rst())
        return;
    // Set only when it differs: rewriting the same text is heard as an edit.
    entry.setText(call == Field::HeardCall ? Field::HeardReport : Field::WorkedReport,
                  entry.text(call).isEmpty() ? QString() : defaultReport(entry.text(Field::Mode)));
}

void clearAfterRecording(EntryState &entry, const QString &ownCall)
{
    for (Field f : {Field::HeardCall, Field::HeardReport, Field::HeardNumber, Field::WorkedCall, Field::WorkedReport,
                    Field::WorkedNumber})
        entry.setText(f, QString());
    if (entry.screen().manual)
        entry.setText(Field::Time, QString());
    if (!entry.screen().ham)
        return;
    entry.setText(Field::HeardCall, ownCall);
    reportFollows(entry, Field::HeardCall);
}

RepeatColour shownColour(qint64 heard, qint64 worked, const ScreenState &screen)
{
    return screen.editing || screen.manual ? RepeatColour::Normal : repeatColour(heard, worked);
}

} // namespace RecordingRules
