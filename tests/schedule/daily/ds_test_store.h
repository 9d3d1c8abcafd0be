// An in-memory store for the daily schedule's tests: registers in register
// order, a jobs table in row order, writes that can be made to fail, and the
// print side on real print tables with a recording report engine.
#pragma once

#include "reports/print_data.h"
#include "reports/recording_report_engine.h"
#include "schedule/daily/ds_print.h"
#include "schedule/daily/ds_store.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

struct TDSTestJob {
    TDate Date = 0;
    TJobRow Job;
};

class TDSTestStore final : public IDSStore {
public:
    // Stands in for the store in force while it lives.
    TDSTestStore() : Printer(&Engine), FPrevious(DSStore())
    {
        SetDSStore(this);
        TDataManPrint::SetInstance(&Printer);
    }
    ~TDSTestStore() override
    {
        SetDSStore(FPrevious);
        TDataManPrint::SetInstance(nullptr);
    }

    // --- set-up ---
    int AddPersonRecord(const QString& AName, const QString& ASortingName = QString())
    {
        TRegisterPersonRecord r;
        r.ID = ++FLastPersonID;
        r.Name = AName;
        r.SortingName = ASortingName.isEmpty() ? AName : ASortingName;
        Persons.push_back(r);
        return r.ID;
    }
    int AddWorkplaceRecord(const QString& AShortcut, const QString& AName, TColor AColor = 0xE0E0FF)
    {
        TRegisterWorkplaceRecord r;
        r.ID = ++FLastWorkplaceID;
        r.Shortcut = AShortcut;
        r.Name = AName;
        r.Color = AColor;
        Workplaces.push_back(r);
        return r.ID;
    }
    // A relation row with the names as they are now.
    void AddJobRow(TDate ADate, int APersonID, int AWorkplaceID)
    {
        TDSTestJob row;
        row.Date = ADate;
        row.Job.PersonID = APersonID;
        row.Job.WorkplaceID = AWorkplaceID;
        if (auto* p = FindPerson(APersonID))
            row.Job.PersonName = p->Name;
        if (auto* w = FindWorkplace(AWorkplaceID)) {
            row.Job.WorkplaceName = w->Name;
            row.Job.WorkplaceShortcut = w->Shortcut;
        }
        Jobs.push_back(row);
    }
    TRegisterPersonRecord* FindPerson(int AID)
    {
        for (auto& p : Persons)
            if (p.ID == AID)
                return &p;
        return nullptr;
    }
    TRegisterWorkplaceRecord* FindWorkplace(int AID)
    {
        for (auto& w : Workplaces)
            if (w.ID == AID)
                return &w;
        return nullptr;
    }
    void RemovePersonRecord(int AID)
    {
        Persons.erase(
            std::remove_if(Persons.begin(), Persons.end(), [&](auto& p) { return p.ID == AID; }), Persons.end());
    }
    void RemoveWorkplaceRecord(int AID)
    {
        Workplaces.erase(std::remove_if(Workplaces.begin(), Workplaces.end(), [&](auto& w) { return w.ID == AID; }),
            Workplaces.end());
    }
    int RowsOn(TDate ADate) const
    {
        return static_cast<int>(std::count_if(Jobs.begin(), Jobs.end(), [&](auto& j) { return j.Date == ADate; }));
    }
    bool HasRow(TDate ADate, int APersonID, int AWorkplaceID) const
    {
        return std::any_of(Jobs.begin(), Jobs.end(), [&](auto& j) {
            return j.Date == ADate && j.Job.PersonID == APersonID && j.Job.WorkplaceID == AWorkplaceID;
        });
    }

    // --- IDSStore ---
    int PersonCount() const override { return static_cast<int>(Persons.size()); }
    int PersonIDAt(int AIndex) const override
    {
        return AIndex >= 0 && AIndex < PersonCount() ? Persons[static_cast<size_t>(AIndex)].ID : 0;
    }
    std::optional<TRegisterPersonRecord> PersonRecord(int AID) const override
    {
        for (auto& p : Persons)
            if (AID > 0 && p.ID == AID)
                return p;
        return std::nullopt;
    }
    TPerson* PersonObject(int) const override { return nullptr; }
    int PersonObjectID(const TPerson*) const override { return 0; }
    bool PersonIsOut(int AID, TDate ADate) const override
    {
        auto p = PersonRecord(AID);
        return p && p->DaysOut > 0 && p->DateOutFrom <= ADate && ADate <= p->DateOutTo;
    }
    TEditOutcome EditPerson(int AID) override { return Edited(AID); }
    bool DeletePerson(int AID) override
    {
        if (FailWrites || !PersonRecord(AID))
            return false;
        RemovePersonRecord(AID);
        return true;
    }
    int WorkplaceCount() const override { return static_cast<int>(Workplaces.size()); }
    int WorkplaceIDAt(int AIndex) const override
    {
        return AIndex >= 0 && AIndex < WorkplaceCount() ? Workplaces[static_cast<size_t>(AIndex)].ID : 0;
    }
    std::optional<TRegisterWorkplaceRecord> WorkplaceRecord(int AID) const override
    {
        for (auto& w : Workplaces)
            if (AID > 0 && w.ID == AID)
                return w;
        return std::nullopt;
    }
    TWorkplace* WorkplaceObject(int) const override { return nullptr; }
    int WorkplaceObjectID(const TWorkplace*) const override { return 0; }
    TEditOutcome EditWorkplace(int AID) override { return Edited(AID); }
    bool DeleteWorkplace(int AID) override
    {
        if (FailWrites || !WorkplaceRecord(AID))
            return false;
        RemoveWorkplaceRecord(AID);
        return true;
    }
    std::vector<TJobRow> DayJobs(TDate ADate) override
    {
        ++DayJobsCalls;
        std::vector<TJobRow> result;
        for (auto& j : Jobs)
            if (ADate > 0 && std::trunc(j.Date) == ADate)
                result.push_back(j.Job);
        return result;
    }
    std::optional<TJobRow> AddJob(TDate ADate, int APersonID, int AWorkplaceID) override
    {
        auto p = PersonRecord(APersonID);
        auto w = WorkplaceRecord(AWorkplaceID);
        if (ADate <= 0 || !p || !w || HasRow(ADate, APersonID, AWorkplaceID) || FailWrites)
            return std::nullopt;
        AddJobRow(ADate, APersonID, AWorkplaceID);
        ++Writes;
        return Jobs.back().Job;
    }
    bool JobExists(TDate ADate, int APersonID, int AWorkplaceID) override
    {
        return HasRow(ADate, APersonID, AWorkplaceID);
    }
    bool DeleteJob(TDate ADate, int APersonID, int AWorkplaceID) override
    {
        if (ADate <= 0 || APersonID <= 0 || AWorkplaceID <= 0 || FailWrites)
            return false;
        Jobs.erase(std::remove_if(Jobs.begin(), Jobs.end(),
                       [&](auto& j) {
                           return j.Date == ADate && j.Job.PersonID == APersonID && j.Job.WorkplaceID == AWorkplaceID;
                       }),
            Jobs.end());
        ++Writes;
        return true;
    }
    std::optional<std::vector<TDSMacroPair>> SystemMacro(TDate ADate) override
    {
        SystemMacroDays.push_back(ADate);
        std::vector<TDSMacroPair> pairs;
        for (auto& j : DayJobs(ADate)) {
            TDSMacroPair pair{j.PersonID, j.WorkplaceID};
            if (std::find(pairs.begin(), pairs.end(), pair) == pairs.end())
                pairs.push_back(pair);
        }
        if (pairs.empty())
            return std::nullopt;
        return pairs;
    }
    std::vector<TDSMacroPair> MacroPairs(const TMacro*) const override { return {}; }
    QString LastError() const override { return FailWrites ? QStringLiteral("disk full") : QString(); }

    bool PreparePrint(const QStringList& AParams) override { return Printer.PreparePrint(AParams); }
    void AppendPrintPerson(const TPrintPersonRow& ARow) override { DSAppendPrintPerson(Printer.Tables(), ARow); }
    void AppendPrintWorkplace(const TPrintWorkplaceRow& ARow) override
    {
        DSAppendPrintWorkplace(Printer.Tables(), ARow);
    }
    bool Print(const QString& AReportName) override { return Printer.Print(AReportName); }

    std::vector<TRegisterPersonRecord> Persons;
    std::vector<TRegisterWorkplaceRecord> Workplaces;
    std::vector<TDSTestJob> Jobs;
    bool FailWrites = false;
    int Writes = 0;
    int DayJobsCalls = 0;
    std::vector<TDate> SystemMacroDays;
    int EditCount = 0;
    bool EditResult = true;
    std::function<void(int)> EditAction;

    TRecordingReportEngine Engine;
    TDataManPrint Printer;

private:
    IDSStore* FPrevious = nullptr;
    // An editor closed with EditResult: OK stores its change unless writes fail.
    TEditOutcome Edited(int AID)
    {
        ++EditCount;
        if (!EditResult)
            return eoCancelled;
        if (FailWrites)
            return eoFailed;
        if (EditAction)
            EditAction(AID);
        return eoSaved;
    }

    int FLastPersonID = 0;
    int FLastWorkplaceID = 0;
};
