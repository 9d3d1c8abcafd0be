// Compact rows of the jobs file read by one indexed query straight from the
// SQLite statement (on a server by one query of data/pg), for the jobs
// manager, which hands them to the schedules.
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

// The columns a walk selects besides Date, PersonID, WorkplaceID and the ID,
// which it always reads: every index holds them.
enum TJobRowColumn { jrcKeysOnly = 0, jrcNames = 2, jrcNote = 4, jrcAll = 6 };

// Which rows of a read of relations carry their stored names and note: all,
// or those of one worker or one workplace only (the others their keys and
// date), as a period schedule shows the names of its own one's relations.
struct TJobRowTexts {
    bool All = true;
    int PersonID = 0;
    int WorkplaceID = 0;
    static TJobRowTexts Of(int APersonID, int AWorkplaceID) { return {false, APersonID, AWorkplaceID}; }
};

// The texts the rows repeat (a worker's stored name on each of his rows):
// one QString for each text and ID, kept from one read to the next, so a
// refresh shares the strings of the one before instead of making them anew.
class TJobTexts {
public:
    TJobTexts();
    ~TJobTexts();
    TJobTexts(const TJobTexts&) = delete;
    TJobTexts& operator=(const TJobTexts&) = delete;

    struct TState;
    TState& State() { return *FState; }

private:
    std::unique_ptr<TState> FState;
};

// A forward walk over the rows whose Date lies in [AFrom, ATo] (whole days),
// of worker APersonID and of workplace AWorkplaceID when those are positive,
// each reached by a seek on its index, in date order, passing over rows whose
// worker or workplace ID is not usable. The texts are decoded only when asked
// for, and only for the rows ATextsOf names: the indexes do not hold them, and
// a row's texts cost a look-up of the row. Rows that store the same text for
// the same ID share one QString (of ATexts when given).
class TJobRowReader {
public:
    TJobRowReader(const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID, int AColumns = jrcAll,
        const TJobRowTexts& ATextsOf = {}, TJobTexts* ATexts = nullptr);
    ~TJobRowReader();
    TJobRowReader(const TJobRowReader&) = delete;
    TJobRowReader& operator=(const TJobRowReader&) = delete;

    // The next row; false at the end and when the table cannot be read.
    bool Next();
    // The current row's fields; the texts stay valid until the next row, and
    // texts not read are empty.
    int ID() const { return FID; }
    TDate Date() const { return FDate; }
    int PersonID() const { return FPersonID; }
    int WorkplaceID() const { return FWorkplaceID; }
    // Whether the current row comes with its texts.
    bool HasTexts() const;
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
bool ReadJobRows(const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID,
    std::vector<TJobRow>& ARows, TJobTexts* ATexts = nullptr);

// Whether the file holds the relation (a seek on the date index): 1 or 0;
// -1 when the table cannot be asked.
int JobRowExists(const TTable& ATable, TDate ADate, int APersonID, int AWorkplaceID);
// Deletes every row of the relation inside the table's open write
// transaction; how many, or -1 (the reason in AError) when that failed.
int DeleteJobRows(const TTable& ATable, TDate ADate, int APersonID, int AWorkplaceID, QString& AError);

// Appends the rows (their IDs are the file's to give) inside the table's open
// write transaction, with one statement prepared on the SQLite connection:
// the texts go in as given, a null text as NULL. False when a row could not
// be written, with the reason in AError; the rows written before it stay in
// the transaction for the caller to roll back. On a server the relation's key
// decides: a relation stored already leaves ARows, the others take their IDs.
bool AppendJobRows(const TTable& ATable, std::vector<TJobRow>& ARows, QString& AError);

// The latest date with a row on or before ANotAfter (whole days), 0 when there
// is none; -1 when the table cannot be read.
TDate LatestJobDate(const TTable& ATable, TDate ANotAfter);

// The state of the table's file as its connection sees it: it changes with
// every change committed by another connection (of this program or another)
// and with every change made on the table's own, committed or not (on a
// server only the former: the jobs' generation counts the latter). Invalid
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
