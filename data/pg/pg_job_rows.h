// The relations on the server (plenvo.jobs), read and written by one
// statement each: what the job reads and writes that go straight to SQLite on
// a table file do on a server's connection.
#pragma once

#include "data/job_rows.h"

#include <QSqlDatabase>
#include <QString>

#include <vector>

// The relations of the days AFrom to ATo (stored whole days), of worker
// APersonID and workplace AWorkplaceID when positive, in date order, with
// their texts when ATexts. One query on the (date, worker, workplace) key.
// False (the reason in AError) when the read failed.
bool PgReadJobRows(const QSqlDatabase& ADatabase, qint64 AFrom, qint64 ATo, int APersonID, int AWorkplaceID,
    bool ATexts, std::vector<TJobRow>& ARows, QString& AError);
// 1 when the relation is stored, 0 when not, -1 when it cannot be asked.
int PgJobRowExists(const QSqlDatabase& ADatabase, qint64 ADate, int APersonID, int AWorkplaceID);
// Deletes the relation; how many rows, or -1 with the reason in AError.
int PgDeleteJobRows(const QSqlDatabase& ADatabase, qint64 ADate, int APersonID, int AWorkplaceID, QString& AError);
// Appends the rows in one statement. A relation stored already (by another
// copy meanwhile) is not stored again and leaves ARows; the rows stored take
// their IDs. False with the reason in AError when the write failed.
bool PgAppendJobRows(const QSqlDatabase& ADatabase, std::vector<TJobRow>& ARows, QString& AError);
// For each worker (AByWorkplace: workplace) with relations on the days AFrom
// to ATo (at most 64), those days as bits (bit 0 for AFrom), in ID order:
// the server folds them, one row per ID leaves it. False when the read failed.
bool PgReadDayBits(const QSqlDatabase& ADatabase, qint64 AFrom, qint64 ATo, bool AByWorkplace,
    std::vector<std::pair<int, quint64>>& ABits);
// The latest date with a relation on or before ANotAfter, 0 for none, -1
// when it cannot be read.
TDate PgLatestJobDate(const QSqlDatabase& ADatabase, qint64 ANotAfter);
