#include "stationnames.h"

namespace {
QString initial(const QString &piece)
{
    return piece.left(1);
}
} // namespace

QString surnameFirst(const NameParts &n, bool initials)
{
    if (initials)
        return n.surname + ' ' + initial(n.given) + QStringLiteral(". ") + initial(n.patronymic) + '.';
    return n.surname + ' ' + n.given + ' ' + n.patronymic;
}

QString surnameLast(const NameParts &n, bool initials)
{
    if (initials)
        return initial(n.given) + QStringLiteral(". ") + initial(n.patronymic) + QStringLiteral(". ") + n.surname;
    return n.given + ' ' + n.patronymic + ' ' + n.surname;
}
