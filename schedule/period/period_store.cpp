#include "schedule/period/period_store.h"

#include "schedule/register_access.h"

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

const TPeriodJobRecord* PeriodJobAt(int AIndex)
{
    return Store ? Store->JobAt(AIndex) : nullptr;
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

std::optional<TPeriodJobRecord> PeriodAddJob(TDate ADate, int APersonID, int AWorkplaceID)
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
