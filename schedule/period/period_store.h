// What the worker and workplace schedules need from the registers, the jobs
// manager and the print tables, behind one interface (the records it passes
// are in period_records.h): the data store installs its implementation, tests
// install an in-memory one.
#pragma once

#include "core/utils.h"
#include "schedule/period/period_records.h"
#include "schedule/register_store.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TPerson;
class TWorkplace;

class IPeriodStore : public IRegisterStore<TRegisterPersonRecord, TRegisterWorkplaceRecord> {
public:
    // Sets the jobs filter to a date range over every worker and workplace;
    // the loaded list is read with JobCount and JobAt (reloaded once). The
    // lists show stored names only for the chosen worker's or workplace's
    // jobs (ANamesOfPersonID, ANamesOfWorkplaceID; 0 for none): a store may
    // leave the names of the other jobs empty.
    virtual void SetJobFilter(TDate ADateFrom, TDate ADateTo, int ANamesOfPersonID, int ANamesOfWorkplaceID) = 0;
    virtual int JobCount() = 0;
    virtual const TJobRow* JobAt(int AIndex) = 0;
    // The days of the ADays (at most 64) from AFrom on which each worker
    // (AByWorkplace: each workplace) has loaded jobs. By default worked out of
    // the loaded jobs; a store may read just that.
    virtual TPeriodEntryDays EntryDays(TDate AFrom, int ADays, bool AByWorkplace);
    // The loaded jobs of worker AID (AOfWorkplace: of workplace AID), with
    // their stored names where the store keeps them. By default picked out of
    // the loaded jobs in their order; a store may read just those.
    virtual std::vector<TJobRow> JobsOf(bool AOfWorkplace, int AID);
    // The new relation; none when it exists already or could not be written.
    virtual std::optional<TJobRow> AddJob(TDate ADate, int APersonID, int AWorkplaceID) = 0;
    virtual bool JobExists(TDate ADate, int APersonID, int AWorkplaceID) = 0;
    // True for positive arguments unless the write failed.
    virtual bool DeleteJob(TDate ADate, int APersonID, int AWorkplaceID) = 0;

    virtual bool PreparePrint(const QStringList& AParams) = 0;
    virtual void AppendPrintPerson(const TPrintPersonRow& ARow) = 0;
    virtual void AppendPrintWorkplace(const TPrintWorkplaceRow& ARow) = 0;
    virtual void AppendPrintDay(const TPeriodPrintDay& ARow) = 0;
    virtual bool Print(const QString& AReportName) = 0;
};

// The store in force (none until one is installed: the program installs the
// one on its managers at start, tests their own).
IPeriodStore* PeriodStore();
// Installs a store (not owned); none removes it.
void SetPeriodStore(IPeriodStore* AStore);

// Shortcuts that work without a store (nothing found, nothing written).
std::optional<TRegisterPersonRecord> PeriodPerson(int AID);
std::optional<TRegisterWorkplaceRecord> PeriodWorkplace(int AID);
int PeriodJobCount();
const TJobRow* PeriodJobAt(int AIndex);
TPeriodEntryDays PeriodEntryDays(TDate AFrom, int ADays, bool AByWorkplace);
std::vector<TJobRow> PeriodJobsOf(bool AOfWorkplace, int AID);

// Thin calls on the store in force; without one nothing is found or written.
int PeriodPersonCount();
int PeriodPersonIDAt(int AIndex);
int PeriodPersonObjectID(const TPerson* APerson);
TPerson* PeriodPersonObject(int AID);
bool PeriodPersonIsOut(int AID, TDate ADate);
// The editors; true when saved, a change the store refused is told.
bool PeriodEditPerson(int AID);
bool PeriodDeletePerson(int AID);
int PeriodWorkplaceCount();
int PeriodWorkplaceIDAt(int AIndex);
int PeriodWorkplaceObjectID(const TWorkplace* AWorkplace);
TWorkplace* PeriodWorkplaceObject(int AID);
bool PeriodEditWorkplace(int AID);
bool PeriodDeleteWorkplace(int AID);
void PeriodSetJobFilter(TDate ADateFrom, TDate ADateTo, int ANamesOfPersonID, int ANamesOfWorkplaceID);
std::optional<TJobRow> PeriodAddJob(TDate ADate, int APersonID, int AWorkplaceID);
bool PeriodJobExists(TDate ADate, int APersonID, int AWorkplaceID);
bool PeriodDeleteJob(TDate ADate, int APersonID, int AWorkplaceID);
bool PeriodPreparePrint(const QStringList& AParams);
void PeriodAppendPrintPerson(const TPrintPersonRow& ARow);
void PeriodAppendPrintWorkplace(const TPrintWorkplaceRow& ARow);
void PeriodAppendPrintDay(const TPeriodPrintDay& ARow);
bool PeriodPrint(const QString& AReportName);
