// What a table file is made of, shared by the table (data/table.h) and the
// file-level work (data/table_file.h) so neither needs the other: field
// lists, how names, types and values are written to SQLite, the connection
// set-up and the schema with its indexes.
#pragma once

#include "core/utils.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

struct sqlite3;

// The SQLite handle under a Qt connection; none when it is not one.
sqlite3* SQLiteHandle(const QSqlDatabase& ADatabase);
// Sets what every connection to a table file needs: identifiers in double
// quotes are never read as texts, so a missing column is an error.
void SetUpConnection(const QSqlDatabase& ADatabase);
void SetUpConnection(sqlite3* ADatabase);
// SQLite writes a file only where it may also write beside it (its journal).
bool CanWriteFile(const QString& AFileName);
// IDs and keys of records are whole numbers from 1 to the largest int.
inline bool IsUsableID(qint64 AValue)
{
    return AValue >= 1 && AValue <= 2147483647;
}

enum TFieldType { ftUnknown, ftAutoInc, ftString, ftDate, ftInteger };

struct TFieldDef {
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
};
using TFieldDefs = QList<TFieldDef>;

// A name in double quotes, inner quotes doubled.
QString SqlQuotedName(const QString& AName);
// The fields' names in double quotes, with commas between.
QString SqlColumnList(const TFieldDefs& ADefs);
// The column type of a field type; empty for an unknown one.
QString SqlFieldType(TFieldType AType);
// A value as the field stores it (texts cut, dates whole days).
QVariant StoredFieldValue(const TFieldDef& ADef, const QVariant& AValue);
// A text as a text field of that size stores it: cut between characters,
// so no half character is ever written.
inline QString StoredFieldText(const TFieldDef& ADef, const QString& AText)
{
    return ADef.Size > 0 ? CutText(AText, ADef.Size) : AText;
}

// The condition that a row's ID columns (SQL expressions) do not all hold a
// usable ID, read as a reader takes them: a text by its leading digits.
QString UnusableIDCondition(const QStringList& AColumns);

// Field list, data table and, for a dated table, its indexes and the count
// of its unusable rows.
bool CreateTableSchema(QSqlDatabase& ADatabase, const TFieldDefs& ADefs);
// Gives a file written by an earlier version the indexes and the kept count
// of the current schema; false when that could not be written (the file
// still reads).
bool UpgradeTableSchema(QSqlDatabase& ADatabase, const TFieldDefs& ADefs);
// A dated table files its rows whose IDs are not usable in a partial index,
// kept current by SQLite whoever writes: their number, read from it alone; -1
// when the file keeps none (an older or read-only file), which then has to be
// counted.
qint64 KeptUnusableRowCount(const QSqlDatabase& ADatabase, const TFieldDefs& ADefs);
