// Compact rows of the jobs file read by one indexed query straight from the
// SQLite statement, for the jobs manager, which hands them to the schedules.
#pragma once

#include "core/utils.h"

#include <QString>

#include <memory>
#include <vector>

class TTable;

struct TJobRow {
    TDate Date = 0;
    int ID = 0;
    int PersonID = 0;
    int WorkplaceID = 0;
    QString PersonName;
    QString WorkplaceShortcut;
    QString WorkplaceName;
    QString Note;
};

// The columns a walk selects besides Date, PersonID and WorkplaceID, which it
// always reads.
enum TJobRowColumn { jrcKeysOnly = 0, jrcID = 1, jrcNames = 2, jrcNote = 4, jrcAll = 7 };

// A forward walk over the rows whose Date lies in [AFrom, ATo] (whole days),
// of worker APersonID and of workplace AWorkplaceID when those are positive,
// in the date index's order, passing over rows whose worker or workplace ID
// is not usable. The texts are decoded only when asked for, and rows that
// store the same text for the same ID share one QString: the names repeat on
// nearly every row.
class TJobRowReader {
public:
    TJobRowReader(const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID, int AColumns = jrcAll);
    ~TJobRowReader();
    TJobRowReader(const TJobRowReader&) = delete;
    TJobRowReader& operator=(const TJobRowReader&) = delete;

    // The next row; false at the end and when the table cannot be read.
    bool Next();
    // The current row's fields; the texts stay valid until the next row, and
    // columns not selected read 0 or empty.
    int ID() const { return FID; }
    TDate Date() const { return FDate; }
    int PersonID() const { return FPersonID; }
    int WorkplaceID() const { return FWorkplaceID; }
    const QString& PersonName() const;
    const QString& WorkplaceShortcut() const;
    const QString& WorkplaceName() const;
    QString Note() const;
    // True when the query could not run or stopped with an error.
    bool Failed() const { return FFailed; }

private:
    // Ends the statement and lets go of the connection.
    void Finish();

    struct TState;
    std::unique_ptr<TState> FState;
    int FID = 0;
    TDate FDate = 0;
    int FPersonID = 0;
    int FWorkplaceID = 0;
    bool FFailed = false;
};

// All those rows in ID order. False (and no rows) when the table is closed or
// cannot be read.
bool ReadJobRows(
    const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID, std::vector<TJobRow>& ARows);

// Appends the rows (their IDs are the file's to give) inside the table's open
// write transaction, with one statement prepared on the SQLite connection:
// the texts go in as given, a null text as NULL. False when a row could not
// be written, with the reason in AError; the rows written before it stay in
// the transaction for the caller to roll back.
bool AppendJobRows(const TTable& ATable, const std::vector<TJobRow>& ARows, QString& AError);

// The latest date with a row on or before ANotAfter (whole days), 0 when there
// is none; -1 when the table cannot be read.
TDate LatestJobDate(const TTable& ATable, TDate ANotAfter);

// The state of the table's file as its connection sees it: it changes with
// every change committed by another connection (of this program or another)
// and with every change made on the table's own, committed or not. Invalid
// when the table cannot be asked.
struct TJobsFileState {
    qint64 Version = -1;
    qint64 Changes = -1;
    bool IsValid() const { return Version >= 0; }
    bool operator==(const TJobsFileState&) const = default;
};
TJobsFileState JobsFileState(const TTable& ATable);

// Grows with every change of the jobs the manager makes (writes, opening,
// closing), so a copy of rows can tell it is out of date.
quint64 JobsGeneration();
void NoteJobsChanged();
