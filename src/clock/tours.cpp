#include "tours.h"

#include <QRegularExpression>

std::optional<QTime> parseTourTime(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2}):(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!t.isValid())
        return std::nullopt;
    return t;
}

std::optional<TourState> currentTour(const TourTimes &times, const QTime &now)
{
    QTime parsed[8];
    for (int i = 0; i < 8; ++i) {
        const auto t = parseTourTime(i < times.texts.size() ? times.texts[i] : QString());
        if (!t)
            return std::nullopt;
        parsed[i] = *t;
    }
    const QTime at(now.hour(), now.minute(), now.second());
    for (int n = 0; n < 4; ++n) {
        const QTime &begin = parsed[2 * n];
        const QTime &end = parsed[2 * n + 1];
        if (begin == end)
            continue;
        if (begin <= at && at <= end)
            return TourState{n + 1, QTime(0, 0).addSecs(at.secsTo(end))};
    }
    return TourState{};
}
