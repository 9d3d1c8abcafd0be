#include "schedule/period/period_store.h"

#include "schedule/register_access.h"

#include <algorithm>
#include <map>

namespace {
IPeriodStore* Store = nullptr;
} // namespace

IPeriodStore* PeriodStore()
{
    return Store;
}

void SetPeriodStore(IPeriodStore* AStore)
{
    Store = AStore;
}

std::optional<TRegisterPersonRecord> PeriodPerson(int AID)
{
    if (!Store || AID <= 0)
        return std::nullopt;
    return Store->PersonRecord(AID);
}

std::optional<TRegisterWorkplaceRecord> PeriodWorkplace(int AID)
{
    if (!Store || AID <= 0)
        return std::nullopt;
    return Store->WorkplaceRecord(AID);
}

int PeriodJobCount()
{
    return Store ? Store->JobCount() : 0;
}

const TJobRow* PeriodJobAt(int AIndex)
{
    return Store ? Store->JobAt(AIndex) : nullptr;
}

TPeriodEntryDays PeriodEntryDays(TDate AFrom, int ADays, bool AByWorkplace)
{
    return Store ? Store->EntryDays(AFrom, ADays, AByWorkplace) : TPeriodEntryDays();
}

std::vector<TJobRow> PeriodJobsOf(bool AOfWorkplace, int AID)
{
    return Store && AID > 0 ? Store->JobsOf(AOfWorkplace, AID) : std::vector<TJobRow>();
}

TPeriodEntryDays IPeriodStore::EntryDays(TDate AFrom, int ADays, bool AByWorkplace)
{
    const qint64 from = static_cast<qint64>(TruncDate(AFrom));
    const int days = std::min(ADays, 64);
    std::map<int, quint64> bits;
    for (int i = 0, count = JobCount(); i < count; ++i) {
        const TJobRow* job = JobAt(i);
        const qint64 day = job ? static_cast<qint64>(TruncDate(job->Date)) - from : -1;
        if (day >= 0 && day < days)
            bits[AByWorkplace ? job->WorkplaceID : job->PersonID] |= quint64(1) << day;
    }
    return TPeriodEntryDays(bits.begin(), bits.end());
}

std::vector<TJobRow> IPeriodStore::JobsOf(bool AOfWorkplace, int AID)
{
    std::vector<TJobRow> jobs;
    for (int i = 0, count = JobCount(); i < count; ++i)
        if (const TJobRow* job = JobAt(i); job && (AOfWorkplace ? job->WorkplaceID : job->PersonID) == AID)
            jobs.push_back(*job);
    return jobs;
}

namespace {
bool PeriodEditSaved(TEditOutcome AOutcome)
{
    if (AOutcome == eoFailed)
        ShowStoreSaveFailure(PeriodStore());
    return AOutcome == eoSaved;
}
} // namespace

int PeriodPersonCount()
{
    return Store ? Store->PersonCount() : 0;
}
int PeriodPersonIDAt(int AIndex)
{
    return Store ? Store->PersonIDAt(AIndex) : 0;
}
int PeriodPersonObjectID(const TPerson* APerson)
{
    return Store && APerson ? Store->PersonObjectID(APerson) : 0;
}
TPerson* PeriodPersonObject(int AID)
{
    return Store && AID > 0 ? Store->PersonObject(AID) : nullptr;
}
bool PeriodPersonIsOut(int AID, TDate ADate)
{
    return Store && AID > 0 && Store->PersonIsOut(AID, ADate);
}
bool PeriodEditPerson(int AID)
{
    return PeriodEditSaved(Store && AID > 0 ? Store->EditPerson(AID) : eoCancelled);
}
bool PeriodDeletePerson(int AID)
{
    return Store && AID > 0 && Store->DeletePerson(AID);
}
int PeriodWorkplaceCount()
{
    return Store ? Store->WorkplaceCount() : 0;
}
int PeriodWorkplaceIDAt(int AIndex)
{
    return Store ? Store->WorkplaceIDAt(AIndex) : 0;
}
int PeriodWorkplaceObjectID(const TWorkplace* AWorkplace)
{
    return Store && AWorkplace ? Store->WorkplaceObjectID(AWorkplace) : 0;
}
TWorkplace* PeriodWorkplaceObject(int AID)
{
    return Store && AID > 0 ? Store->WorkplaceObject(AID) : nullptr;
}
bool PeriodEditWorkplace(int AID)
{
    return PeriodEditSaved(Store && AID > 0 ? Store->EditWorkplace(AID) : eoCancelled);
}
bool PeriodDeleteWorkplace(int AID)
{
    return Store && AID > 0 && Store->DeleteWorkplace(AID);
}

void PeriodSetJobFilter(TDate ADateFrom, TDate ADateTo, int ANamesOfPersonID, int ANamesOfWorkplaceID)
{
    if (Store)
        Store->SetJobFilter(ADateFrom, ADateTo, ANamesOfPersonID, ANamesOfWorkplaceID);
}

std::optional<TJobRow> PeriodAddJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    if (!Store)
        return std::nullopt;
    return Store->AddJob(ADate, APersonID, AWorkplaceID);
}

bool PeriodJobExists(TDate ADate, int APersonID, int AWorkplaceID)
{
    return Store && Store->JobExists(ADate, APersonID, AWorkplaceID);
}

bool PeriodDeleteJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    return Store && Store->DeleteJob(ADate, APersonID, AWorkplaceID);
}

bool PeriodPreparePrint(const QStringList& AParams)
{
    return Store && Store->PreparePrint(AParams);
}
void PeriodAppendPrintPerson(const TPrintPersonRow& ARow)
{
    if (Store)
        Store->AppendPrintPerson(ARow);
}
void PeriodAppendPrintWorkplace(const TPrintWorkplaceRow& ARow)
{
    if (Store)
        Store->AppendPrintWorkplace(ARow);
}
void PeriodAppendPrintDay(const TPeriodPrintDay& ARow)
{
    if (Store)
        Store->AppendPrintDay(ARow);
}
bool PeriodPrint(const QString& AReportName)
{
    return Store && Store->Print(AReportName);
}
