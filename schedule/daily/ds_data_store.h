// The daily schedule's store on the program's managers: the registers, the
// jobs and templates managers and the data manager's print tables.
#pragma once

#include "data/job_rows.h"
#include "schedule/daily/ds_store.h"
#include "schedule/register_access.h"

class TDSDataStore final : public TRegisterDataStore<IDSStore, TRegisterPersonRecord, TRegisterWorkplaceRecord> {
public:
    std::vector<TDSJobRecord> DayJobs(TDate ADate) override;
    std::optional<TDSJobRecord> AddJob(TDate ADate, int APersonID, int AWorkplaceID) override;
    bool JobExists(TDate ADate, int APersonID, int AWorkplaceID) override;
    bool AddJobs(TDate ADate, const std::vector<TDSMacroPair>& APairs) override;
    bool DeleteJob(TDate ADate, int APersonID, int AWorkplaceID) override;
    void BeginChanges() override;
    bool EndChanges() override;
    std::optional<std::vector<TDSMacroPair>> SystemMacro(TDate ADate) override;
    std::vector<TDSMacroPair> MacroPairs(const TMacro* AMacro) const override;

    bool PreparePrint(const QStringList& AParams) override;
    void AppendPrintPerson(const TPrintPersonRow& ARow) override;
    void AppendPrintWorkplace(const TPrintWorkplaceRow& ARow) override;
    bool Print(const QString& AReportName) override;

private:
    void SetDayFilter(TDate ADate, int APersonID, int AWorkplaceID);
    // True when ADate surely has no job: the previous-day template tries up
    // to 99 days back, and one read of the latest planned day answers every
    // empty day between.
    bool KnownEmptyDay(TDate ADate);

    TDate FEmptyFrom = 0;
    TDate FEmptyTo = -1;
    quint64 FEmptyGeneration = 0;
    // The day read last: both halves of a refresh ask for it, and it holds
    // until the file changes.
    struct TDayRead {
        TDate Date = 0;
        quint64 Generation = 0;
        TJobsFileState FileState;
        std::vector<TDSJobRecord> Jobs;
    };
    TDayRead FLastDay;
};
