// The plan of a date range as it leaves the program: one row per relation,
// read from the open table files, written as a spreadsheet file (CSV) or as a
// calendar (iCalendar). The screens and the command line share it.
#pragma once

#include "core/utils.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

class TTable;

enum TExportFormat { efCsv, efICalendar };

// What to export: the days AFrom to ATo, of one worker and one workplace when
// their IDs are positive.
struct TExportQuery {
    TDate From = 0;
    TDate To = 0;
    int PersonID = 0;
    int WorkplaceID = 0;
};

// One relation with what the register says of its worker and workplace; a
// deleted one carries the names the relation stored.
struct TExportRow {
    TDate Date = 0;
    int PersonID = 0;
    QString PersonName;
    QString SortingName;
    int WorkplaceID = 0;
    QString WorkplaceShortcut;
    QString WorkplaceName;
    QString Note;
    bool Absent = false;
    bool PersonDeleted = false;
    bool WorkplaceDeleted = false;
};

// The rows of AQuery ordered by date, workplace and worker, read from the
// open workers, workplaces and jobs tables; false with AError when a read
// failed.
bool ReadExportRows(TTable& AWorkers, TTable& AWorkplaces, TTable& AJobs, const TExportQuery& AQuery,
    std::vector<TExportRow>& ARows, QString& AError);

// The rows as CSV (UTF-8, CRLF, a header row); texts a spreadsheet would run
// as a formula are neutralised.
QByteArray ExportCsv(const std::vector<TExportRow>& ARows);

// The rows as one calendar named ACalendarName, an all-day event each; the
// summary names the workplace (AForWorker: a worker's calendar) or the worker.
// UIDs are built from AFolderIdentity, the date and both IDs, so a relation
// exported again keeps its UID.
QByteArray ExportICalendar(const std::vector<TExportRow>& ARows, const QString& ACalendarName, bool AForWorker,
    const QString& AFolderIdentity, const QDateTime& AStamp);

// The identity of a data folder for UIDs: the same for the same folder.
QString FolderIdentity(const QString& ADataDir);
// The same of a server's plan, from the connection string as written.
QString ServerIdentity(const QString& AConnInfo);

// A file name that says what is in it: "Plenvo 2026-12 Anna Berg.ics",
// "Plenvo 2026-12-10.csv", "Plenvo 2026-12-01 to 2027-01-31.csv" (ASubject
// empty: everyone); a whole month is named by the month.
QString ExportFileName(TExportFormat AFormat, TDate AFrom, TDate ATo, const QString& ASubject);
