#include "testqso.h"

#include "store/schema.h"

TestQso::TestQso()
{
    band(QStringLiteral("14000")).mode(QStringLiteral("CW")).heard(QStringLiteral("UA1AAA")).tour(QStringLiteral("0"));
    set(QStringLiteral("data"), QStringLiteral("2026-12-06")).time(QStringLiteral("0915"));
}

TestQso &TestQso::heard(const QString &call, const QString &nr)
{
    return set(QStringLiteral("call1"), call).set(QStringLiteral("nr1"), nr);
}

TestQso &TestQso::worked(const QString &call, const QString &nr)
{
    return set(QStringLiteral("call2"), call).set(QStringLiteral("nr2"), nr);
}

TestQso &TestQso::set(const QString &field, const QString &value)
{
    for (const Schema::QsoColumn &c : Schema::qsoColumns())
        if (c.name == field) {
            m_q.*c.member = value;
            return *this;
        }
    qFatal("table qso has no field %s", qPrintable(field));
}

TestQso::operator QsoRecord() const
{
    QsoRecord q = m_q;
    if (q.rst1.isNull())
        q.rst1 = q.mode == QLatin1String("CW") ? QStringLiteral("599") : QStringLiteral("59");
    if (q.rst2.isNull() && !q.call2.isEmpty())
        q.rst2 = q.rst1;
    return q;
}
