// The period schedules' store over the program's managers: the registers,
// the jobs manager and the data manager's print tables.
#pragma once

#include "schedule/period/period_store.h"
#include "schedule/register_access.h"

#include <vector>

class TPeriodDataStore final
    : public TRegisterDataStore<IPeriodStore, TRegisterPersonRecord, TRegisterWorkplaceRecord> {
public:
    void SetJobFilter(TDate ADateFrom, TDate ADateTo, int ANamesOfPersonID, int ANamesOfWorkplaceID) override;
    int JobCount() override;
    const TPeriodJobRecord* JobAt(int AIndex) override;
    std::optional<TPeriodJobRecord> AddJob(TDate ADate, int APersonID, int AWorkplaceID) override;
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

    std::vector<TPeriodJobRecord> FJobs;
    bool FJobsValid = false;
    quint64 FGeneration = 0;
    TDate FFrom = 0;
    TDate FTo = 0;
    int FNamesOfPersonID = 0;
    int FNamesOfWorkplaceID = 0;
};
