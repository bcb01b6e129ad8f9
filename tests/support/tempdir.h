#pragma once

#include "testqso.h"

#include "store/qsorecord.h"

#include <QString>
#include <QTemporaryDir>

#include <vector>

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

/// A QSO with the given heard call, number and worked station; TestQso names
/// the fields it sets.
QsoRecord makeQso(const QString &call1, const QString &nr1 = QStringLiteral("001"), const QString &call2 = QString(),
                  const QString &nr2 = QString(), const QString &band = QStringLiteral("14000"),
                  const QString &mode = QStringLiteral("CW"), const QString &tur = QStringLiteral("0"));

/// The whole of the file at path; empty when it cannot be read.
QByteArray readAll(const QString &path);
/// Puts bytes into the file at path in place of what it held.
bool writeAll(const QString &path, const QByteArray &bytes);

/// Puts text into settings.ini in folder; its path.
QString writeIni(const TestFolder &folder, const QByteArray &text);

/// Damages the page of the store file at path that holds marker, as a bad
/// disk sector would; false when the marker is not in the file.
bool damagePageHolding(const QString &path, const QByteArray &marker);
/// Damages the first leaf page of the index (or table) named index.
bool damageLeafOf(const QString &path, const QString &index);

/// Adds qsos to the store at path (made first where it is missing) in one
/// transaction, as no window does: a fixture of thousands of QSOs recorded
/// one by one costs a sync of the disk each.
void addQsos(const QString &path, const std::vector<QsoRecord> &qsos);

/// A store at path with count QSOs of heard call UA1AAA, whose numbers are
/// N00000-MARK upwards.
void storeWithMarkedQsos(const QString &path, int count);
