#include "adif.h"

#include "files/cp1251.h"

std::optional<QString> adifFrequency(const QString &band)
{
    bool ok = false;
    const qint64 n = band.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    // The two VHF/UHF bands of the band selector are named in MHz.
    if (n == 144 || n == 432)
        return QString::number(n);
    // The magnitude in unsigned arithmetic: the lowest whole number has no
    // positive counterpart.
    const quint64 magnitude = n < 0 ? quint64(0) - quint64(n) : quint64(n);
    const quint64 part = magnitude % 1000;
    QString text = (n < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 1000);
    if (part == 0)
        return text;
    QString fraction = QStringLiteral("%1").arg(qulonglong(part), 3, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return text + QLatin1Char('.') + fraction;
}

QByteArray adifHeader(const QString &webAddress, const QString &created)
{
    QByteArray out;
    appendCp1251(out, QStringLiteral("#Vireok v.1.3 ") + webAddress);
    out += "\r\n";
    appendCp1251(out, QStringLiteral("#  Created: ") + created);
    out += "\r\n#\r\n<PROGRAMID:13>Kalvex Vireok\r\n<PROGRAMVERSION:3>1.3\r\n<ADIF_VER:3>2.0\r\n<EOH>\r\n";
    return out;
}

namespace {

// The length counts the characters written, one byte each in the code page:
// a character outside the first plane is two code units but one "?". A
// record is one line, so a control character is written as a blank.
void appendField(QByteArray &out, const char *tag, QStringView value)
{
    qsizetype characters = value.size();
    for (qsizetype i = 0; i + 1 < value.size(); ++i)
        if (value[i].isHighSurrogate() && value[i + 1].isLowSurrogate())
            --characters;
    char field[48];
    char *p = field;
    *p++ = '<';
    for (const char *t = tag; *t; ++t)
        *p++ = *t;
    *p++ = ':';
    char digits[20];
    int n = 0;
    do {
        digits[n++] = char('0' + characters % 10);
        characters /= 10;
    } while (characters);
    while (n)
        *p++ = digits[--n];
    *p++ = '>';
    out.append(field, p - field);
    appendCp1251Line(out, value);
}

void appendRecord(QByteArray &out, const QString &op, const QString &call, const QString &date, const QsoRecord &q,
                  const QString &frequency, const QString &mode, const QString &rst, const QString &nr)
{
    appendField(out, "OPERATOR", op);
    appendField(out, "CALL", call);
    appendField(out, "QSO_DATE", date);
    appendField(out, "TIME_ON", q.time);
    appendField(out, "FREQ", frequency);
    appendField(out, "MODE", mode);
    appendField(out, "RST_RCVD", rst);
    appendField(out, "SRX", nr);
    out += "<EOR>\r\n";
}

} // namespace

void appendAdifRecords(QByteArray &out, const QString &op, const QsoRecord &q, const QString &frequency)
{
    QString date = q.data;
    date.remove(QLatin1Char('-')).remove(QLatin1Char(':')).remove(QLatin1Char('.'));
    const QString mode = q.mode == QLatin1String("PH") ? QStringLiteral("SSB") : q.mode;
    appendRecord(out, op, q.call1, date, q, frequency, mode, q.rst1, q.nr1);
    if (!q.call2.isEmpty() && !q.nr2.isEmpty())
        appendRecord(out, op, q.call2, date, q, frequency, mode, q.rst2, q.nr2);
}
