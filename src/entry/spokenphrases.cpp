#include "spokenphrases.h"

#include "store/qsorecord.h"

#include <QComboBox>
#include <QStringList>

namespace {
QString station(const QString &call, const QString &number)
{
    QStringList given{call.trimmed(), number.trimmed()};
    given.removeAll(QString());
    return given.join(QLatin1Char(' '));
}
} // namespace

QString recordedPhrase(const QsoRecord &q, bool repeat)
{
    QStringList parts{station(q.call1, q.nr1), station(q.call2, q.nr2)};
    parts.removeAll(QString());
    if (repeat)
        parts << QStringLiteral("повтор");
    return QStringLiteral("Записано: ") + parts.join(QStringLiteral(", "));
}

QString selectorPhrase(const QString &name, const QComboBox *selector)
{
    const QString value = selector->currentText();
    QString phrase = name + QLatin1Char(' ') + (value.isEmpty() ? QStringLiteral("пусто") : value);
    if (selector->findText(value, Qt::MatchExactly) < 0)
        phrase += QStringLiteral(", нет в списке");
    return phrase;
}
