// An in-memory store for the period schedules' tests: registers, a jobs table
// with the range filter, writes that can be made to fail, and print capture.
#pragma once

#include "schedule/period/period_store.h"

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

class TPeriodTestStore final : public IPeriodStore {
public:
    // Stands in for the store in force while it lives.
    TPeriodTestStore() : FPrevious(PeriodStore()) { SetPeriodStore(this); }
    ~TPeriodTestStore() override { SetPeriodStore(FPrevious); }

    // --- set-up ---
    int AddPersonRecord(const QString& AName, const QString& ASortingName = QString())
    {
        TRegisterPersonRecord record;
        record.ID = ++FLastPersonID;
        record.Name = AName;
        record.SortingName = ASortingName.isEmpty() ? AName : ASortingName;
        Persons.push_back(record);
        return record.ID;
    }
    int AddWorkplaceRecord(const QString& AShortcut, const QString& AName)
    {
        TRegisterWorkplaceRecord record;
        record.ID = ++FLastWorkplaceID;
        record.Shortcut = AShortcut;
        record.Name = AName;
        Workplaces.push_back(record);
        return record.ID;
    }
    void AddJobRow(TDate ADate, int APersonID, int AWorkplaceID)
    {
        TJobRow job;
        job.Date = ADate;
        job.PersonID = APersonID;
        job.WorkplaceID = AWorkplaceID;
        if (const auto* person = FindPerson(APersonID))
            job.PersonName = person->Name;
        if (const auto* workplace = FindWorkplace(AWorkplaceID)) {
            job.WorkplaceName = workplace->Name;
            job.WorkplaceShortcut = workplace->Shortcut;
        }
        Jobs.push_back(job);
        FLoadedValid = false;
    }
    TRegisterPersonRecord* FindPerson(int AID)
    {
        for (auto& record : Persons)
            if (record.ID == AID)
                return &record;
        return nullptr;
    }
    TRegisterWorkplaceRecord* FindWorkplace(int AID)
    {
        for (auto& record : Workplaces)
            if (record.ID == AID)
                return &record;
        return nullptr;
    }
    void RemovePersonRecord(int AID)
    {
        std::erase_if(Persons, [&](const TRegisterPersonRecord& ARecord) { return ARecord.ID == AID; });
    }
    void RemoveWorkplaceRecord(int AID)
    {
        std::erase_if(Workplaces, [&](const TRegisterWorkplaceRecord& ARecord) { return ARecord.ID == AID; });
    }
    int JobRows(TDate ADate, int APersonID, int AWorkplaceID) const
    {
        return static_cast<int>(std::count_if(Jobs.begin(), Jobs.end(), [&](const TJobRow& AJob) {
            return AJob.Date == ADate && AJob.PersonID == APersonID && AJob.WorkplaceID == AWorkplaceID;
        }));
    }

    // --- IPeriodStore ---
    int PersonCount() const override { return static_cast<int>(Persons.size()); }
    int PersonIDAt(int AIndex) const override { return Persons.at(static_cast<size_t>(AIndex)).ID; }
    std::optional<TRegisterPersonRecord> PersonRecord(int AID) const override
    {
        for (const auto& record : Persons)
            if (record.ID == AID)
                return record;
        return std::nullopt;
    }
    TPerson* PersonObject(int) const override { return nullptr; }
    int PersonObjectID(const TPerson*) const override { return 0; }
    bool PersonIsOut(int AID, TDate ADate) const override
    {
        const auto record = PersonRecord(AID);
        return record && record->DaysOut > 0 && record->DateOutFrom <= ADate && ADate <= record->DateOutTo;
    }
    TEditOutcome EditPerson(int AID) override { return Edited(FindPerson(AID), EditAction); }
    bool DeletePerson(int AID) override
    {
        if (FailWrites)
            return false;
        const auto before = Persons.size();
        RemovePersonRecord(AID);
        return Persons.size() != before;
    }

    int WorkplaceCount() const override { return static_cast<int>(Workplaces.size()); }
    int WorkplaceIDAt(int AIndex) const override { return Workplaces.at(static_cast<size_t>(AIndex)).ID; }
    std::optional<TRegisterWorkplaceRecord> WorkplaceRecord(int AID) const override
    {
        for (const auto& record : Workplaces)
            if (record.ID == AID)
                return record;
        return std::nullopt;
    }
    TWorkplace* WorkplaceObject(int) const override { return nullptr; }
    int WorkplaceObjectID(const TWorkplace*) const override { return 0; }
    TEditOutcome EditWorkplace(int AID) override { return Edited(FindWorkplace(AID), EditWorkplaceAction); }
    bool DeleteWorkplace(int AID) override
    {
        if (FailWrites)
            return false;
        const auto before = Workplaces.size();
        RemoveWorkplaceRecord(AID);
        return Workplaces.size() != before;
    }

    void SetJobFilter(TDate ADateFrom, TDate ADateTo, int ANamesOfPersonID, int ANamesOfWorkplaceID) override
    {
        if (ADateFrom != FFrom || ADateTo != FTo || ANamesOfPersonID != FNamesOfPersonID
            || ANamesOfWorkplaceID != FNamesOfWorkplaceID)
            FLoadedValid = false;
        FFrom = ADateFrom;
        FTo = ADateTo;
        FNamesOfPersonID = ANamesOfPersonID;
        FNamesOfWorkplaceID = ANamesOfWorkplaceID;
        ++FilterSets;
    }
    int JobCount() override
    {
        Load();
        return static_cast<int>(FLoaded.size());
    }
    const TJobRow* JobAt(int AIndex) override
    {
        Load();
        return AIndex >= 0 && AIndex < static_cast<int>(FLoaded.size()) ? &FLoaded[static_cast<size_t>(AIndex)]
                                                                        : nullptr;
    }
    std::optional<TJobRow> AddJob(TDate ADate, int APersonID, int AWorkplaceID) override
    {
        if (JobExists(ADate, APersonID, AWorkplaceID))
            return std::nullopt;
        if (FailWrites)
            return std::nullopt;
        AddJobRow(ADate, APersonID, AWorkplaceID);
        return Jobs.back();
    }
    bool JobExists(TDate ADate, int APersonID, int AWorkplaceID) override
    {
        return JobRows(ADate, APersonID, AWorkplaceID) > 0;
    }
    bool DeleteJob(TDate ADate, int APersonID, int AWorkplaceID) override
    {
        if (ADate <= 0 || APersonID <= 0 || AWorkplaceID <= 0)
            return false;
        if (FailWrites)
            return false;
        std::erase_if(Jobs, [&](const TJobRow& AJob) {
            return AJob.Date == ADate && AJob.PersonID == APersonID && AJob.WorkplaceID == AWorkplaceID;
        });
        FLoadedValid = false;
        return true;
    }
    QString LastError() const override { return QStringLiteral("disk full"); }

    bool PreparePrint(const QStringList& AParams) override
    {
        Params = AParams;
        PrintedPersons.clear();
        PrintedWorkplaces.clear();
        PrintedDays.clear();
        Order.clear();
        return true;
    }
    void AppendPrintPerson(const TPrintPersonRow& ARow) override
    {
        PrintedPersons.push_back(ARow);
        Order << QStringLiteral("P%1").arg(ARow.ID);
    }
    void AppendPrintWorkplace(const TPrintWorkplaceRow& ARow) override
    {
        PrintedWorkplaces.push_back(ARow);
        Order << QStringLiteral("W%1").arg(ARow.ID);
    }
    void AppendPrintDay(const TPeriodPrintDay& ARow) override
    {
        PrintedDays.push_back(ARow);
        Order << QStringLiteral("D%1").arg(ARow.ID);
    }
    bool Print(const QString& AReportName) override
    {
        ReportName = AReportName;
        return true;
    }

    std::vector<TRegisterPersonRecord> Persons;
    std::vector<TRegisterWorkplaceRecord> Workplaces;
    std::vector<TJobRow> Jobs;
    bool FailWrites = false;
    int FilterSets = 0;
    std::function<bool(TRegisterPersonRecord&)> EditAction;
    std::function<bool(TRegisterWorkplaceRecord&)> EditWorkplaceAction;

    QStringList Params;
    std::vector<TPrintPersonRow> PrintedPersons;
    std::vector<TPrintWorkplaceRow> PrintedWorkplaces;
    std::vector<TPeriodPrintDay> PrintedDays;
    // Rows in append order: D<n>, W<id>, P<id>.
    QStringList Order;
    QString ReportName;

private:
    IPeriodStore* FPrevious = nullptr;
    // The action edits a copy and answers OK or Cancel; OK stores the copy
    // unless writes fail.
    template <class TRecord>
    TEditOutcome Edited(TRecord* ARecord, const std::function<bool(TRecord&)>& AAction)
    {
        if (!ARecord || !AAction)
            return eoCancelled;
        TRecord edited = *ARecord;
        if (!AAction(edited))
            return eoCancelled;
        if (FailWrites)
            return eoFailed;
        *ARecord = edited;
        return eoSaved;
    }

    void Load()
    {
        if (FLoadedValid)
            return;
        FLoaded.clear();
        for (const auto& job : Jobs) {
            if (job.Date < FFrom || job.Date > FTo)
                continue;
            FLoaded.push_back(job);
            // Only the chosen entry's jobs carry their names, as in the real
            // store: a list that shows another job's name shows it empty.
            if (job.PersonID != FNamesOfPersonID && job.WorkplaceID != FNamesOfWorkplaceID) {
                FLoaded.back().PersonName.clear();
                FLoaded.back().WorkplaceShortcut.clear();
                FLoaded.back().WorkplaceName.clear();
            }
        }
        FLoadedValid = true;
    }

    int FLastPersonID = 0;
    int FLastWorkplaceID = 0;
    TDate FFrom = 0;
    TDate FTo = 0;
    int FNamesOfPersonID = 0;
    int FNamesOfWorkplaceID = 0;
    bool FLoadedValid = false;
    std::vector<TJobRow> FLoaded;
};
