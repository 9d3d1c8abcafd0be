#include "schedule/period/period_data_store.h"

#include "data/history.h"
#include "data/job_man.h"
#include "reports/print_data.h"
#include "schedule/register_access.h"

#include <QHash>
#include <QVariant>

#include <algorithm>

namespace {
TPeriodJobRecord JobRecord(const TJob& AJob)
{
    TPeriodJobRecord record;
    record.Date = AJob.Date();
    record.PersonID = AJob.PersonID();
    record.WorkplaceID = AJob.WorkplaceID();
    record.PersonName = AJob.PersonName();
    record.WorkplaceShortcut = AJob.WorkplaceShortcut();
    record.WorkplaceName = AJob.WorkplaceName();
    return record;
}
} // namespace

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
    const TDate from = std::min(man->DateFrom(), man->DateTo());
    const TDate to = std::max(man->DateFrom(), man->DateTo());
    if (from != FFrom || to != FTo || ANamesOfPersonID != FNamesOfPersonID
        || ANamesOfWorkplaceID != FNamesOfWorkplaceID)
        FJobsValid = false;
    FFrom = from;
    FTo = to;
    FNamesOfPersonID = ANamesOfPersonID;
    FNamesOfWorkplaceID = ANamesOfWorkplaceID;
}

void TPeriodDataStore::SyncJobs()
{
    TJobMan* man = TJobMan::Instance();
    if (!man) {
        FJobs.clear();
        FJobsValid = false;
        return;
    }
    if (FJobsValid && FGeneration == JobsGeneration())
        return;
    FGeneration = JobsGeneration();
    FJobsValid = true;
    FJobs.clear();
    // Everyone's relations of the period in one walk over the date index;
    // the names are looked up only for the chosen worker's or workplace's.
    const bool read = man->PeriodRelations(
        FFrom, FTo, 0, 0, TJobRowTexts::Of(FNamesOfPersonID, FNamesOfWorkplaceID), [this](TJobRow& ARow) {
            FJobs.push_back({ARow.Date, ARow.PersonID, ARow.WorkplaceID, std::move(ARow.PersonName),
                std::move(ARow.WorkplaceShortcut), std::move(ARow.WorkplaceName)});
        });
    if (!read)
        FJobs.clear();
}

int TPeriodDataStore::JobCount()
{
    SyncJobs();
    return static_cast<int>(FJobs.size());
}

const TPeriodJobRecord* TPeriodDataStore::JobAt(int AIndex)
{
    SyncJobs();
    return AIndex >= 0 && AIndex < static_cast<int>(FJobs.size()) ? &FJobs[static_cast<size_t>(AIndex)] : nullptr;
}

std::optional<TPeriodJobRecord> TPeriodDataStore::AddJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    TPerson* person = RegisterPerson(APersonID);
    TWorkplace* workplace = RegisterWorkplace(AWorkplaceID);
    if (!man || !person || !workplace)
        return std::nullopt;
    FJobsValid = false;
    const TJob* job = man->AddJob(ADate, person, workplace);
    if (!job) {
        FLastError = man->Table().LastError();
        return std::nullopt;
    }
    HistoryRecordRelation(true, ADate, APersonID, AWorkplaceID);
    return JobRecord(*job);
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
    FJobsValid = false;
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
