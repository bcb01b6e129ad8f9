#include "record.h"

void Record::set(const QString &field, const QString &value)
{
    m_values.insert(field.toUpper(), value);
}

QString Record::value(const QString &field) const
{
    return m_values.value(field.toUpper(), QStringLiteral(""));
}
