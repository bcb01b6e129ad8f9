#include "cuewave.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

void append32(QByteArray &b, quint32 v)
{
    v = qToLittleEndian(v);
    b.append(reinterpret_cast<const char *>(&v), 4);
}
void append16(QByteArray &b, quint16 v)
{
    v = qToLittleEndian(v);
    b.append(reinterpret_cast<const char *>(&v), 2);
}

/// Samples of a tone with soft edges, so that it starts and stops without a click.
void tone(QByteArray &samples, double hertz, int ms)
{
    const int count = kRate * ms / 1000;
    const int edge = kRate * 5 / 1000;
    for (int i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, double(i) / edge, double(count - i) / edge});
        const double value = 0.4 * envelope * std::sin(2 * kPi * hertz * i / kRate);
        append16(samples, quint16(qint16(value * 32767)));
    }
}
} // namespace

QByteArray cueWave(Sounds::Cue cue)
{
    QByteArray samples;
    if (cue == Sounds::Cue::HeardRepeat) {
        tone(samples, 1200, 70);
        tone(samples, 0, 50);
        tone(samples, 1200, 70);
    } else {
        tone(samples, 600, 160);
    }
    QByteArray wav("RIFF");
    append32(wav, quint32(36 + samples.size()));
    wav.append("WAVEfmt ");
    append32(wav, 16);
    append16(wav, 1); // PCM
    append16(wav, 1); // mono
    append32(wav, kRate);
    append32(wav, kRate * 2);
    append16(wav, 2);
    append16(wav, 16);
    wav.append("data");
    append32(wav, quint32(samples.size()));
    return wav + samples;
}
