#include "timecheck.h"

#include <QRegularExpression>

#include <optional>

namespace {

std::optional<int> wholeNumber(const QString &part)
{
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
    if (!digits.match(part).hasMatch())
        return std::nullopt;
    return part.toInt();
}

TimeMessage notANumber(const QString &part)
{
    return {true, QStringLiteral("«%1» не является целым числом").arg(part)};
}

/// Hours then minutes; stops at the first part that is not a number.
bool checkParts(const QString &four, QVector<TimeMessage> &messages)
{
    const auto hours = wholeNumber(four.left(2));
    if (!hours) {
        messages << notANumber(four.left(2));
        return false;
    }
    if (*hours > 23)
        messages << TimeMessage{false, QStringLiteral("Неверный формат часов")};
    const auto minutes = wholeNumber(four.mid(2, 2));
    if (!minutes) {
        messages << notANumber(four.mid(2, 2));
        return false;
    }
    if (*minutes > 59)
        messages << TimeMessage{false, QStringLiteral("Неверный формат минут")};
    return true;
}

} // namespace

QVector<TimeMessage> checkTypedTime(const QString &text)
{
    const QString t = text.trimmed();
    QVector<TimeMessage> messages;
    if (t.size() > 4)
        messages << TimeMessage{false, kWrongTime};
    if (t.size() == 4)
        checkParts(t, messages);
    return messages;
}

EditTimeCheck checkEditedTime(const QString &text)
{
    const QString t = text.trimmed();
    EditTimeCheck check;
    if (t.size() != 4) {
        check.mayStore = false;
        check.messages << TimeMessage{false, kWrongTime};
        return check;
    }
    check.mayStore = checkParts(t, check.messages);
    return check;
}
