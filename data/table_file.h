// File-level work on table files: the empty file, rebuild to a new field list,
// compression, safe copies and setting a damaged file aside. A file is only
// ever replaced by a complete new one renamed into place.
#pragma once

#include "data/table.h"

#include <QSqlDatabase>
#include <QString>

// The SQLite header is there and the file is not shorter than it says.
bool LooksLikeSQLiteFile(const QString& AFileName);
// Field list, data table and, for a dated table, its date index.
bool CreateTableSchema(QSqlDatabase& ADatabase, const TFieldDefs& ADefs);
// Gives a file written by an earlier version the date index of the current
// schema; false when that could not be written (the file still reads).
bool UpgradeDateIndex(QSqlDatabase& ADatabase, const TFieldDefs& ADefs);
// Writes a complete empty table file with the field list.
bool WriteEmptyTableFile(const QString& AFileName, const TFieldDefs& ADefs);
// Rewrites a closed file to ANewDefs, keeping every record, every ID and the
// auto-increment counter; the old content goes to "<file>.bak" first. On
// failure the file stays as it was and AError, when given, says why.
bool RebuildTableFile(const QString& AFileName, const TFieldDefs& AOldDefs, const TFieldDefs& ANewDefs,
                      QString* AError = nullptr);
// Rewrites a closed file without its free pages, keeping IDs and counter;
// refused when the copy would not hold every row the file holds.
bool CompressTableFile(const QString& AFileName);
// Copies ASource over ATarget through a temporary file renamed into place.
bool SafeCopyFile(const QString& ASource, const QString& ATarget);
// Renames a damaged file (and its journal) to "<file>.<4 hex digits>" in its
// own folder, overwriting nothing; returns the new name or empty on failure.
QString SetFileAside(const QString& AFileName);
// Removes the write-ahead log, its index and the rollback journal that
// SQLite may keep beside a file; false when one of them stays.
bool RemoveSidecarFiles(const QString& AFileName);
// Removes a file together with those.
bool RemoveTableFile(const QString& AFileName);
// Flushes a file or a folder to the disk.
bool SyncPath(const QString& APath);
