#pragma once

#include <QSqlDatabase>
#include <QVariant>

/// A connection of its own to an SQLite file, as another program or an older
/// version would reach it beside the store; closed and forgotten when it goes,
/// so that no connection outlives the test that made it.
class RawDb {
public:
    explicit RawDb(const QString &path);
    ~RawDb();
    RawDb(const RawDb &) = delete;
    RawDb &operator=(const RawDb &) = delete;

    bool isOpen() const { return m_db.isOpen(); }
    QSqlDatabase &db() { return m_db; }
    /// Runs sql; false, with SQLite's reason on the console, when it fails.
    bool exec(const QString &sql);
    /// The first column of the first row sql gives, with values bound to
    /// its placeholders; invalid when none.
    QVariant value(const QString &sql, const QVariantList &values = {});

private:
    QString m_name;
    QSqlDatabase m_db;
};
