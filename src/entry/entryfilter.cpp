#include "entryfilter.h"

#include <QString>

std::optional<QChar> filterEntryChar(QChar typed)
{
    const char16_t c = typed.unicode();
    if (c == 8 || c == 13 || c == ' ' || (c >= '%' && c <= '(') || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
        return typed;
    if (c == '.' || c == '/' || c == '\\')
        return QChar('/');
    if (c >= 'a' && c <= 'z')
        return QChar(c - 'a' + 'A');
    // Russian ЙЦУКЕН keys against the US QWERTY letters on the same keys.
    static const QString cyrillic = QStringLiteral("ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ");
    const int at = cyrillic.indexOf(typed.toUpper());
    if (at >= 0)
        return QChar('A' + at);
    return std::nullopt;
}

QString filterEntryText(const QString &pasted)
{
    QString taken;
    taken.reserve(pasted.size());
    for (const QChar c : pasted)
        if (c.unicode() >= ' ')
            if (const auto kept = filterEntryChar(c))
                taken.append(*kept);
    return taken;
}
