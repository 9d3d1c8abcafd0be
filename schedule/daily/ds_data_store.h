// The daily schedule's store on the program's managers: the registers, the
// jobs and templates managers and the data manager's print tables.
#pragma once

#include "schedule/daily/ds_store.h"

class TDSDataStore final : public IDSStore {
public:
    int PersonCount() const override;
    int PersonIDAt(int AIndex) const override;
    std::optional<TDSPersonRecord> PersonRecord(int AID) const override;
    TPerson* PersonObject(int AID) const override;
    int PersonObjectID(const TPerson* APerson) const override;
    bool PersonIsOut(int AID, TDate ADate) const override;
    bool EditPerson(int AID) override;
    bool DeletePerson(int AID) override;

    int WorkplaceCount() const override;
    int WorkplaceIDAt(int AIndex) const override;
    std::optional<TDSWorkplaceRecord> WorkplaceRecord(int AID) const override;
    TWorkplace* WorkplaceObject(int AID) const override;
    int WorkplaceObjectID(const TWorkplace* AWorkplace) const override;
    bool EditWorkplace(int AID) override;
    bool DeleteWorkplace(int AID) override;

    std::vector<TDSJobRecord> DayJobs(TDate ADate) override;
    std::optional<TDSJobRecord> AddJob(TDate ADate, int APersonID, int AWorkplaceID) override;
    bool JobExists(TDate ADate, int APersonID, int AWorkplaceID) override;
    bool DeleteJob(TDate ADate, int APersonID, int AWorkplaceID) override;
    std::optional<std::vector<TDSMacroPair>> SystemMacro(TDate ADate) override;
    std::vector<TDSMacroPair> MacroPairs(const TMacro* AMacro) const override;
    QString LastError() const override { return FLastError; }

    bool PreparePrint(const QStringList& AParams) override;
    void AppendPrintPerson(const TDSPrintPersonRow& ARow) override;
    void AppendPrintWorkplace(const TDSPrintWorkplaceRow& ARow) override;
    bool Print(const QString& AReportName) override;

private:
    void SetDayFilter(TDate ADate, int APersonID, int AWorkplaceID);

    QString FLastError;
};

// The store the program runs on when no other is installed.
IDSStore* DSDefaultStore();
