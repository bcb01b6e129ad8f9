#pragma once

#include "qsorecord.h"

#include <QString>
#include <QTemporaryDir>

class Store;

/// A fresh folder that a test runs in; the store file lives there.
class TestFolder {
public:
    TestFolder();
    QString file(const QString &name) const;
    QString storePath() const { return file(QStringLiteral("vireok.mdb")); }

private:
    QTemporaryDir m_dir;
};

/// A QSO with the given heard call, number and worked station.
QsoRecord makeQso(const QString &call1, const QString &nr1 = QStringLiteral("001"),
                  const QString &call2 = QString(), const QString &nr2 = QString(),
                  const QString &band = QStringLiteral("14000"), const QString &mode = QStringLiteral("CW"),
                  const QString &tur = QStringLiteral("0"));
