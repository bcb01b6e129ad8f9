#include "tempdir.h"

#include <QDir>

TestFolder::TestFolder() = default;

QString TestFolder::file(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

QsoRecord makeQso(const QString &call1, const QString &nr1, const QString &call2, const QString &nr2,
                  const QString &band, const QString &mode, const QString &tur)
{
    QsoRecord q;
    q.band = band;
    q.mode = mode;
    q.data = QStringLiteral("2026-12-06");
    q.time = QStringLiteral("0915");
    q.call1 = call1;
    q.rst1 = mode == QLatin1String("CW") ? QStringLiteral("599") : QStringLiteral("59");
    q.nr1 = nr1;
    q.call2 = call2;
    q.rst2 = call2.isEmpty() ? QString() : q.rst1;
    q.nr2 = nr2;
    q.tur = tur;
    return q;
}
