// The plan's tables in a PostgreSQL database: schema "plenvo" with its version
// row and the workers, workplaces, jobs and templates tables, created on first
// use and upgraded in one transaction.
#pragma once

#include <QSqlDatabase>
#include <QString>

// The schema version this program writes and reads.
constexpr int PgSchemaVersion = 2;

// The column of a table field: SortingName -> sorting_name, PersonID -> person_id.
QString PgColumnName(const QString& AFieldName);
// The table of a table file's name ("Jobs.cds" -> jobs, letter case aside);
// empty for a name that is none of the four.
QString PgTableName(const QString& AFileName);
// The channel on which every commit that changed the table tells which rows
// ("<table>:<ids>", "<table>:*" for too many to name).
QString PgChangeChannel(const QString& ATable);

// Creates the schema on a database without one, or brings an older one up to
// this version; leaves a current one untouched. A database written by a newer
// version is refused with nothing written. Empty on success, else why not.
// AUpTo stops at an older version, for the tests of an upgrade.
QString EnsurePgSchema(QSqlDatabase& ADatabase, int AUpTo = PgSchemaVersion);
// The version the database holds: 0 without our schema, -1 when unreadable.
int PgStoredSchemaVersion(const QSqlDatabase& ADatabase, QString* AError = nullptr);
