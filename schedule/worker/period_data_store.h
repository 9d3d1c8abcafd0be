// The period schedules' store over the program's managers: the registers,
// the jobs manager and the data manager's print tables.
#pragma once

#include "schedule/worker/period_data.h"

#include <vector>

class TPeriodDataStore final : public IPeriodStore {
public:
    int PersonCount() const override;
    int PersonIDAt(int AIndex) const override;
    std::optional<TPeriodPersonRecord> PersonRecord(int AID) const override;
    TPerson* PersonObject(int AID) const override;
    int PersonObjectID(const TPerson* APerson) const override;
    bool PersonIsOut(int AID, TDate ADate) const override;
    bool EditPerson(int AID) override;
    bool DeletePerson(int AID) override;

    int WorkplaceCount() const override;
    int WorkplaceIDAt(int AIndex) const override;
    std::optional<TPeriodWorkplaceRecord> WorkplaceRecord(int AID) const override;
    TWorkplace* WorkplaceObject(int AID) const override;
    int WorkplaceObjectID(const TWorkplace* AWorkplace) const override;
    bool EditWorkplace(int AID) override;
    bool DeleteWorkplace(int AID) override;

    void SetJobFilter(TDate ADateFrom, TDate ADateTo) override;
    int JobCount() override;
    const TPeriodJobRecord* JobAt(int AIndex) override;
    std::optional<TPeriodJobRecord> AddJob(TDate ADate, int APersonID, int AWorkplaceID) override;
    bool JobExists(TDate ADate, int APersonID, int AWorkplaceID) override;
    bool DeleteJob(TDate ADate, int APersonID, int AWorkplaceID) override;
    QString LastError() const override { return FLastError; }

    bool PreparePrint(const QStringList& AParams) override;
    void AppendPrintPerson(const TPeriodPrintPerson& ARow) override;
    void AppendPrintWorkplace(const TPeriodPrintWorkplace& ARow) override;
    void AppendPrintDay(const TPeriodPrintDay& ARow) override;
    bool Print(const QString& AReportName) override;

private:
    // The period's jobs read straight from the jobs file, again after any
    // change the jobs manager made.
    void SyncJobs();

    std::vector<TPeriodJobRecord> FJobs;
    bool FJobsValid = false;
    quint64 FGeneration = 0;
    TDate FFrom = 0;
    TDate FTo = 0;
    QString FLastError;
};
