#include "schedule/daily/ds_data_store.h"

#include "data/history.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "reports/print_data.h"
#include "schedule/daily/ds_print.h"
#include "schedule/register_access.h"

#include <set>

void TDSDataStore::SetDayFilter(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    man->SetDateFrom(ADate);
    man->SetDateTo(ADate);
    man->SetPersonID(APersonID);
    man->SetWorkplaceID(AWorkplaceID);
}

std::vector<TJobRow> TDSDataStore::DayJobs(TDate ADate)
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return {};
    if (ADate > 0)
        SetDayFilter(ADate, 0, 0);
    return man->DayRelations(ADate);
}

std::optional<TJobRow> TDSDataStore::AddJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    TPerson* person = RegisterPerson(APersonID);
    TWorkplace* workplace = RegisterWorkplace(AWorkplaceID);
    if (!man || !person || !workplace)
        return std::nullopt;
    const TJob* job = man->AddJob(ADate, person, workplace);
    if (!job) {
        FLastError = man->Table().LastError();
        return std::nullopt;
    }
    HistoryRecordRelation(true, ADate, APersonID, AWorkplaceID);
    // Copied at once: the job lives only until the next filter change.
    return job->Row();
}

bool TDSDataStore::AddJobs(TDate ADate, const std::vector<TDSMacroPair>& APairs)
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return false;
    // What the day holds already is skipped, and is not the step's to undo;
    // without a history nothing needs to know.
    THistory* history = THistory::Instance();
    std::set<TDSMacroPair> held;
    if (history)
        for (const TJobRow& row : man->DayRelations(ADate))
            held.emplace(row.PersonID, row.WorkplaceID);
    std::vector<std::pair<TPerson*, TWorkplace*>> pairs;
    std::vector<THistoryJob> added;
    pairs.reserve(APairs.size());
    for (const auto& [personID, workplaceID] : APairs) {
        TPerson* person = RegisterPerson(personID);
        TWorkplace* workplace = RegisterWorkplace(workplaceID);
        if (!person || !workplace)
            continue;
        pairs.emplace_back(person, workplace);
        if (history && held.emplace(personID, workplaceID).second)
            added.push_back({TruncDate(ADate), personID, workplaceID});
    }
    if (!man->AddJobs(ADate, pairs)) {
        FLastError = man->Table().LastError();
        return false;
    }
    if (history)
        history->RecordRelations(QStringLiteral("Apply template"), std::move(added), {});
    return true;
}

bool TDSDataStore::JobExists(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    return man && man->JobExists(ADate, APersonID, AWorkplaceID);
}

bool TDSDataStore::DeleteJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return false;
    bool removed = false;
    const bool deleted = man->DeleteJob(ADate, APersonID, AWorkplaceID, &removed);
    FLastError = deleted ? QString() : man->Table().LastError();
    if (removed)
        HistoryRecordRelation(false, ADate, APersonID, AWorkplaceID);
    return deleted;
}

void TDSDataStore::BeginChanges()
{
    if (TJobMan* man = TJobMan::Instance())
        man->BeginUpdate();
}

bool TDSDataStore::EndChanges()
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return false;
    const bool ok = man->EndUpdate();
    if (!ok) {
        FLastError = man->Table().LastError();
        if (THistory* history = THistory::Instance())
            history->DiscardGroup();
    }
    return ok;
}

std::optional<std::vector<TDSMacroPair>> TDSDataStore::SystemMacro(TDate ADate)
{
    TMacroMan* man = TMacroMan::Instance();
    TJobMan* jobs = TJobMan::Instance();
    if (!man)
        return std::nullopt;
    if (jobs && jobs->DayKnownEmpty(ADate)) {
        // Where reading the template would have left the jobs filter.
        SetDayFilter(ADate, 0, 0);
        return std::nullopt;
    }
    std::unique_ptr<TMacro> macro = man->GetSystemMacro(ADate);
    if (!macro)
        return std::nullopt;
    return MacroPairs(macro.get());
}

std::vector<TDSMacroPair> TDSDataStore::MacroPairs(const TMacro* AMacro) const
{
    return AMacro ? AMacro->Pairs() : std::vector<TDSMacroPair>();
}

bool TDSDataStore::PreparePrint(const QStringList& AParams)
{
    TDataManPrint* print = TDataManPrint::Instance();
    return print && print->PreparePrint(AParams);
}

void TDSDataStore::AppendPrintPerson(const TPrintPersonRow& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        DSAppendPrintPerson(print->Tables(), ARow);
}

void TDSDataStore::AppendPrintWorkplace(const TPrintWorkplaceRow& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        DSAppendPrintWorkplace(print->Tables(), ARow);
}

bool TDSDataStore::Print(const QString& AReportName)
{
    TDataManPrint* print = TDataManPrint::Instance();
    return print && print->Print(AReportName);
}
