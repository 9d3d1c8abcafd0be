#include "schedule/period/period_data_store.h"

#include "data/history.h"
#include "data/job_man.h"
#include "reports/print_data.h"
#include "schedule/register_access.h"

#include <QHash>
#include <QVariant>

#include <algorithm>
#include <tuple>

void TPeriodDataStore::SetJobFilter(TDate ADateFrom, TDate ADateTo, int ANamesOfPersonID, int ANamesOfWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return;
    // The manager's filter shows the period as before; the rows are read here.
    man->SetDateFrom(ADateFrom);
    man->SetDateTo(ADateTo);
    man->SetPersonID(0);
    man->SetWorkplaceID(0);
    FFrom = std::min(man->DateFrom(), man->DateTo());
    FTo = std::max(man->DateFrom(), man->DateTo());
    FNamesOfPersonID = ANamesOfPersonID;
    FNamesOfWorkplaceID = ANamesOfWorkplaceID;
}

void TPeriodDataStore::SyncJobs()
{
    TJobMan* man = TJobMan::Instance();
    if (!man) {
        FJobs.Value.clear();
        FJobs.Valid = false;
        return;
    }
    if (KeptFor(FJobs, FFrom, FTo, {FNamesOfPersonID, FNamesOfWorkplaceID}))
        return;
    // Everyone's relations of the period in one walk over the date index;
    // the names are looked up only for the chosen worker's or workplace's.
    std::vector<TJobRow>& jobs = FJobs.Value;
    const bool read = man->PeriodRelations(FFrom, FTo, 0, 0, TJobRowTexts::Of(FNamesOfPersonID, FNamesOfWorkplaceID),
        [&jobs](TJobRow& ARow) { jobs.push_back(std::move(ARow)); });
    if (!read) {
        FJobs.Valid = false;
        jobs.clear();
    }
}

int TPeriodDataStore::JobCount()
{
    SyncJobs();
    return static_cast<int>(FJobs.Value.size());
}

const TJobRow* TPeriodDataStore::JobAt(int AIndex)
{
    SyncJobs();
    const std::vector<TJobRow>& jobs = FJobs.Value;
    return AIndex >= 0 && AIndex < static_cast<int>(jobs.size()) ? &jobs[static_cast<size_t>(AIndex)] : nullptr;
}

template <class TValue>
bool TPeriodDataStore::KeptFor(TKept<TValue>& AKept, TDate AFrom, TDate ATo, std::pair<int, int> AKey)
{
    TJobMan* man = TJobMan::Instance();
    // Another copy's commit changes the file's state, not the generation.
    const TJobsFileState state = man ? JobsFileState(man->Table()) : TJobsFileState();
    if (AKept.Valid && state.IsValid() && AKept.State == state && AKept.Generation == JobsGeneration()
        && AKept.From == AFrom && AKept.To == ATo && AKept.Key == AKey)
        return true;
    AKept.Valid = state.IsValid();
    AKept.State = state;
    AKept.Generation = JobsGeneration();
    AKept.From = AFrom;
    AKept.To = ATo;
    AKept.Key = AKey;
    AKept.Value = {};
    return false;
}

TPeriodEntryDays TPeriodDataStore::EntryDays(TDate AFrom, int ADays, bool AByWorkplace)
{
    TJobMan* man = TJobMan::Instance();
    if (!man || ADays <= 0)
        return {};
    const TDate from = TruncDate(AFrom);
    const TDate to = from + std::min(ADays, 64) - 1;
    TKept<TPeriodEntryDays>& kept = FEntryDays[AByWorkplace ? 1 : 0];
    if (KeptFor(kept, from, to, {}))
        return kept.Value;
    if (!man->PeriodDayBits(from, to, AByWorkplace, kept.Value)) {
        kept.Valid = false;
        kept.Value.clear();
    }
    return kept.Value;
}

std::vector<TJobRow> TPeriodDataStore::JobsOf(bool AOfWorkplace, int AID)
{
    TJobMan* man = TJobMan::Instance();
    if (!man || AID <= 0)
        return {};
    // Both halves of a refresh ask for the chosen one's jobs.
    if (KeptFor(FJobsOf, FFrom, FTo, {AOfWorkplace ? 0 : AID, AOfWorkplace ? AID : 0}))
        return FJobsOf.Value;
    std::vector<TJobRow>& jobs = FJobsOf.Value;
    // A seek to each day of the period on the index that has the ID next to
    // the date; the few rows found come with their names.
    const bool read = man->PeriodRelations(FFrom, FTo, AOfWorkplace ? 0 : AID, AOfWorkplace ? AID : 0, TJobRowTexts(),
        [&jobs](TJobRow& ARow) { jobs.push_back(std::move(ARow)); });
    if (!read) {
        FJobsOf.Valid = false;
        jobs.clear();
    }
    // The order of the whole period's read, whichever index the seeks took.
    std::stable_sort(jobs.begin(), jobs.end(), [](const TJobRow& A, const TJobRow& B) {
        return std::tie(A.Date, A.PersonID, A.WorkplaceID) < std::tie(B.Date, B.PersonID, B.WorkplaceID);
    });
    return jobs;
}

std::optional<TJobRow> TPeriodDataStore::AddJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    TPerson* person = RegisterPerson(APersonID);
    TWorkplace* workplace = RegisterWorkplace(AWorkplaceID);
    if (!man || !person || !workplace)
        return std::nullopt;
    FJobs.Valid = false;
    const TJob* job = man->AddJob(ADate, person, workplace);
    if (!job) {
        FLastError = man->Table().LastError();
        return std::nullopt;
    }
    HistoryRecordRelation(true, ADate, APersonID, AWorkplaceID);
    return job->Row();
}

bool TPeriodDataStore::JobExists(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    return man && man->JobExists(ADate, APersonID, AWorkplaceID);
}

bool TPeriodDataStore::DeleteJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return false;
    FJobs.Valid = false;
    bool removed = false;
    const bool result = man->DeleteJob(ADate, APersonID, AWorkplaceID, &removed);
    if (!result)
        FLastError = man->Table().LastError();
    if (removed)
        HistoryRecordRelation(false, ADate, APersonID, AWorkplaceID);
    return result;
}

bool TPeriodDataStore::PreparePrint(const QStringList& AParams)
{
    TDataManPrint* print = TDataManPrint::Instance();
    return print && print->PreparePrint(AParams);
}

void TPeriodDataStore::AppendPrintPerson(const TPrintPersonRow& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        AppendPrintPersonRow(print->DSPrintPersons(), ARow);
}

void TPeriodDataStore::AppendPrintWorkplace(const TPrintWorkplaceRow& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        AppendPrintWorkplaceRow(print->DSPrintWorkplaces(), ARow);
}

void TPeriodDataStore::AppendPrintDay(const TPeriodPrintDay& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        print->DSPrintDays().Append({{QStringLiteral("ID"), ARow.ID}, {QStringLiteral("Date"), ARow.Date},
            {QStringLiteral("DayName"), ARow.DayName}, {QStringLiteral("DateWithoutYear"), ARow.DateWithoutYear},
            {QStringLiteral("Color"), static_cast<qint64>(ARow.Color)},
            {QStringLiteral("PersonIsOut"), ARow.PersonIsOut}});
}

bool TPeriodDataStore::Print(const QString& AReportName)
{
    TDataManPrint* print = TDataManPrint::Instance();
    return print && print->Print(AReportName);
}
