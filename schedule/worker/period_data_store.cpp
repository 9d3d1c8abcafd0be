#include "schedule/worker/period_data_store.h"

#include "data/job_man.h"
#include "data/job_rows.h"
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

void TPeriodDataStore::SetJobFilter(TDate ADateFrom, TDate ADateTo)
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
    FJobsValid = false;
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
    FJobs.clear();
    // Straight from the file into the records; the IDs only to keep ID order.
    std::vector<int> ids;
    ids.reserve(FJobs.capacity());
    bool sorted = true;
    TJobRowReader reader(man->Table(), FFrom, FTo, 0, 0, false);
    while (reader.Next()) {
        sorted = sorted && (ids.empty() || ids.back() < reader.ID());
        ids.push_back(reader.ID());
        FJobs.push_back({reader.Date(), reader.PersonID(), reader.WorkplaceID(), reader.PersonName(),
                         reader.WorkplaceShortcut(), reader.WorkplaceName()});
    }
    FJobsValid = !reader.Failed();
    if (!FJobsValid) {
        // A connection the direct read cannot use: the manager's own list.
        FJobs.clear();
        man->SetDateFrom(FFrom);
        man->SetDateTo(FTo);
        man->SetPersonID(0);
        man->SetWorkplaceID(0);
        for (int i = 0; i < man->JobCount(); ++i)
            if (const TJob* job = man->Jobs(i))
                FJobs.push_back(JobRecord(*job));
        FJobsValid = true;
        return;
    }
    if (!sorted) {
        std::vector<size_t> order(FJobs.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](size_t A, size_t B) { return ids[A] < ids[B]; });
        std::vector<TPeriodJobRecord> jobs;
        jobs.reserve(FJobs.size());
        for (size_t i : order)
            jobs.push_back(std::move(FJobs[i]));
        FJobs = std::move(jobs);
    }
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
    return JobRecord(*job);
}

bool TPeriodDataStore::JobExists(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return false;
    man->SetDateFrom(ADate);
    man->SetDateTo(ADate);
    man->SetPersonID(APersonID);
    man->SetWorkplaceID(AWorkplaceID);
    return man->JobCount() > 0;
}

bool TPeriodDataStore::DeleteJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return false;
    FJobsValid = false;
    const bool result = man->DeleteJob(ADate, APersonID, AWorkplaceID);
    if (!result)
        FLastError = man->Table().LastError();
    return result;
}

bool TPeriodDataStore::PreparePrint(const QStringList& AParams)
{
    TDataManPrint* print = TDataManPrint::Instance();
    return print && print->PreparePrint(AParams);
}

void TPeriodDataStore::AppendPrintPerson(const TPeriodPrintPerson& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        AppendPrintPersonRow(print->DSPrintPersons(), ARow);
}

void TPeriodDataStore::AppendPrintWorkplace(const TPeriodPrintWorkplace& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        AppendPrintWorkplaceRow(print->DSPrintWorkplaces(), ARow);
}

void TPeriodDataStore::AppendPrintDay(const TPeriodPrintDay& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        print->DSPrintDays().Append({{QStringLiteral("ID"), ARow.ID},
                                     {QStringLiteral("Date"), ARow.Date},
                                     {QStringLiteral("DayName"), ARow.DayName},
                                     {QStringLiteral("DateWithoutYear"), ARow.DateWithoutYear},
                                     {QStringLiteral("Color"), static_cast<qint64>(ARow.Color)},
                                     {QStringLiteral("PersonIsOut"), ARow.PersonIsOut}});
}

bool TPeriodDataStore::Print(const QString& AReportName)
{
    TDataManPrint* print = TDataManPrint::Instance();
    return print && print->Print(AReportName);
}
