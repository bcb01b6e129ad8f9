#pragma once

#include "qsorecord.h"

#include <QStringList>

#include <vector>

class QSqlDatabase;

/// The four tables of vireok.mdb and their fields, in the order of creation.
namespace Schema {

/// A field of table qso and the member of QsoRecord that carries it.
struct QsoColumn {
    QString name;
    QString QsoRecord::*member;
    bool editable; ///< an edit changes it; tur stays as recorded
};

/// Every field of qso but id, in the order of creation; the statements on
/// qso are built from it.
const std::vector<QsoColumn> &qsoColumns();
const QStringList &qsoFields(); ///< the names of qsoColumns(), without id
const QStringList &logFields();
const QStringList &contestFields();
const QStringList &operatorFields();
/// TUR1B, TUR1E, ..., TUR4E: begin and end of the four tours in log.
const QStringList &tourFields();

/// The tables and their fields by table name.
QStringList tableNames();
const QStringList &fieldsOf(const QString &table);

/// Quotes a field or table name as an SQL identifier (hyphens, keywords).
QString quoted(const QString &identifier);

/// The shape of the store this program writes, kept in PRAGMA user_version:
/// 1 is the four tables with the indexes qso_heard, qso_worked and
/// qso_worked_numbers; 2 adds qso_stats. A store without a version is 0.
inline constexpr int kVersion = 2;

/// Creates the four tables, the indexes and the starter contest list
/// in an empty database, at kVersion. Throws StoreError.
void create(QSqlDatabase &db);

/// The store's version; -1 when it cannot be read.
int version(QSqlDatabase &db);

/// Brings a store of version from up to kVersion, one numbered step after
/// the other, in one transaction. Throws StoreError.
void upgrade(QSqlDatabase &db, int from);

/// Empty text when db holds our four tables with all their fields,
/// otherwise what is missing, in words for the user.
QString whatIsMissing(QSqlDatabase &db);

/// Empty text when every field of our four tables keeps text as text,
/// qso.id is the row's own number (as SQLite treats the declaration, tried
/// on a copy of it in memory) and no trigger acts on our tables; otherwise
/// the first thing that is not so, in words for the user.
QString whatIsUnusable(QSqlDatabase &db);

} // namespace Schema
