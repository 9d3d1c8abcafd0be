// The period schedules' store over the program's managers: the registers,
// the jobs manager and the data manager's print tables.
#pragma once

#include "data/job_rows.h"
#include "schedule/period/period_store.h"
#include "schedule/register_access.h"

#include <utility>
#include <vector>

class TPeriodDataStore final
    : public TRegisterDataStore<IPeriodStore, TRegisterPersonRecord, TRegisterWorkplaceRecord> {
public:
    void SetJobFilter(TDate ADateFrom, TDate ADateTo, int ANamesOfPersonID, int ANamesOfWorkplaceID) override;
    int JobCount() override;
    const TJobRow* JobAt(int AIndex) override;
    TPeriodEntryDays EntryDays(TDate AFrom, int ADays, bool AByWorkplace) override;
    std::vector<TJobRow> JobsOf(bool AOfWorkplace, int AID) override;
    std::optional<TJobRow> AddJob(TDate ADate, int APersonID, int AWorkplaceID) override;
    bool JobExists(TDate ADate, int APersonID, int AWorkplaceID) override;
    bool DeleteJob(TDate ADate, int APersonID, int AWorkplaceID) override;

    bool PreparePrint(const QStringList& AParams) override;
    void AppendPrintPerson(const TPrintPersonRow& ARow) override;
    void AppendPrintWorkplace(const TPrintWorkplaceRow& ARow) override;
    void AppendPrintDay(const TPeriodPrintDay& ARow) override;
    bool Print(const QString& AReportName) override;

private:
    // The period's relations from the jobs manager, again after any change it
    // made; names only for the jobs whose names are shown.
    void SyncJobs();

    // What a read gave, kept while the jobs and the file stay as they were.
    template <class TValue>
    struct TKept {
        TValue Value{};
        bool Valid = false;
        quint64 Generation = 0;
        TJobsFileState State;
        TDate From = 0;
        TDate To = 0;
        std::pair<int, int> Key;
    };
    // Whether AKept holds the read of the days AFrom to ATo for AKey; if not,
    // it is marked for that read.
    template <class TValue>
    static bool KeptFor(TKept<TValue>& AKept, TDate AFrom, TDate ATo, std::pair<int, int> AKey);

    // Everyone's jobs, with names for the Key's worker and workplace.
    TKept<std::vector<TJobRow>> FJobs;
    // Everyone's days by worker [0] and by workplace [1].
    TKept<TPeriodEntryDays> FEntryDays[2];
    // The jobs of one worker (Key.first) or one workplace (Key.second).
    TKept<std::vector<TJobRow>> FJobsOf;
    TDate FFrom = 0;
    TDate FTo = 0;
    int FNamesOfPersonID = 0;
    int FNamesOfWorkplaceID = 0;
};
