#pragma once

#include <QStringList>

class QSqlDatabase;

/// The four tables of vireok.mdb and their fields, in the order of creation.
namespace Schema {

const QStringList &qsoFields(); ///< without id, which comes first
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

/// Creates the four tables, the repeat indexes and the starter contest list
/// in an empty database. Throws StoreError.
void create(QSqlDatabase &db);

/// Adds the indexes the repeat check needs to a store made elsewhere.
void ensureIndexes(QSqlDatabase &db);

/// Empty text when db holds our four tables with all their fields,
/// otherwise what is missing, in words for the user.
QString whatIsMissing(QSqlDatabase &db);

/// Empty text when every field of our four tables keeps text as text and
/// qso.id is the row's own number (INTEGER PRIMARY KEY); otherwise the first
/// field that does not, and why, in words for the user.
QString whatIsUnusable(QSqlDatabase &db);

} // namespace Schema
