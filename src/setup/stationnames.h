#pragma once

#include <QString>

/// The pieces of a name as typed in the station panel.
struct NameParts {
    QString surname, given, patronymic;
};

/// Surname first: "Иванов Пётр Сергеевич", or with initials "Иванов П. С.".
/// Pieces are joined as they are, empty or not.
QString surnameFirst(const NameParts &name, bool initials);
/// Surname last: "Petr Sergeevich Ivanov", or with initials "P. S. Ivanov".
QString surnameLast(const NameParts &name, bool initials);
