// Compact rows of the jobs file read by one indexed query straight from the
// SQLite statement, for the jobs manager and the schedules' stores.
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

// A forward walk over the rows whose Date lies in [AFrom, ATo] (whole days),
// of worker APersonID and of workplace AWorkplaceID when those are positive,
// in the index's date order. The names repeat on nearly every row: rows that
// store the same text for the same ID share one QString.
class TJobRowReader {
public:
    TJobRowReader(const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID,
                  bool AWithNote = true);
    ~TJobRowReader();
    TJobRowReader(const TJobRowReader&) = delete;
    TJobRowReader& operator=(const TJobRowReader&) = delete;

    // The next row; false at the end and when the table cannot be read.
    bool Next();
    // The current row's fields; the texts stay valid until the next row.
    int ID() const { return FID; }
    TDate Date() const { return FDate; }
    int PersonID() const { return FPersonID; }
    int WorkplaceID() const { return FWorkplaceID; }
    const QString& PersonName() const { return *FPersonName; }
    const QString& WorkplaceShortcut() const { return *FWorkplaceShortcut; }
    const QString& WorkplaceName() const { return *FWorkplaceName; }
    // Empty unless asked for.
    const QString& Note() const { return FNote; }
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
    const QString* FPersonName = nullptr;
    const QString* FWorkplaceShortcut = nullptr;
    const QString* FWorkplaceName = nullptr;
    QString FNote;
    bool FFailed = false;
};

// All those rows in ID order. False (and no rows) when the table is closed or
// cannot be read.
bool ReadJobRows(const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID,
                 std::vector<TJobRow>& ARows);

// Grows with every change of the jobs the manager makes (writes, opening,
// closing), so a copy of rows can tell it is out of date.
quint64 JobsGeneration();
void NoteJobsChanged();
