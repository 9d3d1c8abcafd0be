// The daily schedule's store on the program's managers: the registers, the
// jobs and templates managers and the data manager's print tables.
#pragma once

#include "schedule/daily/ds_store.h"
#include "schedule/register_access.h"

class TDSDataStore final : public TRegisterDataStore<IDSStore, TRegisterPersonRecord, TRegisterWorkplaceRecord> {
public:
    std::vector<TJobRow> DayJobs(TDate ADate) override;
    std::optional<TJobRow> AddJob(TDate ADate, int APersonID, int AWorkplaceID) override;
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
};
