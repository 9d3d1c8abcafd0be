// File-level work on table files: the empty file, rebuild to a new field list,
// compression, safe copies and setting a damaged file aside. A file is only
// ever replaced by a complete new one renamed into place.
#pragma once

#include "core/utils.h"
#include "data/table_schema.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

// The SQLite header is there and the file is not shorter than it says.
bool LooksLikeSQLiteFile(const QString& AFileName);
// The file's header says it is in write-ahead logging.
bool IsLoggedFile(const QString& AFileName);
// The folder of AFileName lies on a network file system (NFS, SMB/CIFS, AFS,
// 9P, Coda): write-ahead logging needs memory shared on one computer, so
// files there use a rollback journal.
bool OnNetworkFileSystem(const QString& AFileName);
// Whether a file system type (statfs's f_type) is a network one.
bool IsNetworkFileSystemType(long AType);
// Tests answer the question for every path (an empty function: the system
// answers again).
void SetNetworkFileSystemProbe(std::function<bool(const QString&)> AProbe);
// The journal mode table files use in AFileName's folder: "wal" or "delete".
QString JournalModeFor(const QString& AFileName);
// Writes a complete empty table file with the field list.
bool WriteEmptyTableFile(const QString& AFileName, const TFieldDefs& ADefs);
// Rewrites a closed file to ANewDefs, keeping every record, every ID and the
// auto-increment counter; the old content goes to "<file>.bak" first. On
// failure the file stays as it was and AError, when given, says why.
bool RebuildTableFile(
    const QString& AFileName, const TFieldDefs& AOldDefs, const TFieldDefs& ANewDefs, QString* AError = nullptr);
// Writes a copy of a closed file without its free pages (IDs and counter
// kept) beside it; its name, or empty on failure. ARows takes the number of
// rows the file holds.
QString WriteCompactCopy(const QString& AFileName, qint64& ARows);
// Writes a complete copy of the file open on ADatabase (its log included)
// to ATarget, replacing one there; false when it could not be written.
bool WriteBackupCopy(const QSqlDatabase& ADatabase, const QString& ATarget);
// Puts a complete copy in the file's place; on failure the copy is removed
// and the file stays as it was.
bool ReplaceWithCopy(const QString& ACopy, const QString& AFileName);
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
