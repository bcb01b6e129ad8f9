#include "rigrules.h"

#include <iterator>

namespace {

struct Band {
    qint64 low, high; ///< Hz, both edges inside the band
    const char *name;
};

// The Region 1 allocations of the contest bands, 160 m widened to the
// selector's own 1800 kHz; both edges count, as a receiver tuned exactly to
// an edge still hears the band.
constexpr Band kBands[] = {
    {1'800'000, 2'000'000, "1800"},    {3'500'000, 3'800'000, "3500"},    {7'000'000, 7'200'000, "7000"},
    {14'000'000, 14'350'000, "14000"}, {21'000'000, 21'450'000, "21000"}, {28'000'000, 29'700'000, "28000"},
    {144'000'000, 146'000'000, "144"}, {430'000'000, 440'000'000, "432"},
};

} // namespace

QString bandForFrequency(qint64 hz)
{
    for (const Band &b : kBands)
        if (hz >= b.low && hz <= b.high)
            return QString::fromLatin1(b.name);
    return {};
}

QString modeForRigMode(const QString &rigMode)
{
    static const char *const telephony[] = {"USB", "LSB", "AM", "FM"};
    if (rigMode == QLatin1String("CW") || rigMode == QLatin1String("CWR"))
        return QStringLiteral("CW");
    for (const char *m : telephony)
        if (rigMode == QLatin1String(m))
            return QStringLiteral("PH");
    return {};
}
