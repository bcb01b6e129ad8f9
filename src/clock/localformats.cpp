#include "localformats.h"

#include <QLocale>
#include <QRegularExpression>

namespace LocalFormats {

QString shortDate(const QDate &date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

namespace {
QString longFormat()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}
} // namespace

QString longTime(const QTime &time)
{
    return QLocale::system().toString(time, longFormat());
}

QString timeLeft(const QTime &span)
{
    QString format = longFormat();
    format.remove(QRegularExpression(QStringLiteral("[Aa][Pp]?")));
    format.replace(QLatin1Char('h'), QLatin1Char('H'));
    return QLocale::system().toString(span, format.trimmed());
}

} // namespace LocalFormats
