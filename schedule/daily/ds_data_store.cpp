#include "schedule/daily/ds_data_store.h"

#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "reports/print_data.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/daily/ds_print.h"

namespace {

TPerson* FindPerson(int AID)
{
    TPersonMan* man = TPersonMan::Instance();
    return man && AID > 0 ? man->Persons(-AID) : nullptr;
}

TWorkplace* FindWorkplace(int AID)
{
    TWorkplaceMan* man = TWorkplaceMan::Instance();
    return man && AID > 0 ? man->Workplaces(-AID) : nullptr;
}

TDSJobRecord JobRecord(const TJob& AJob)
{
    return {AJob.PersonID(), AJob.WorkplaceID(), AJob.PersonName(), AJob.WorkplaceShortcut(), AJob.WorkplaceName()};
}

} // namespace

int TDSDataStore::PersonCount() const { return TPersonMan::Instance() ? TPersonMan::Instance()->PersonCount() : 0; }

int TDSDataStore::PersonIDAt(int AIndex) const
{
    const TPerson* person = TPersonMan::Instance() && AIndex >= 0 ? TPersonMan::Instance()->Persons(AIndex) : nullptr;
    return person ? person->ID() : 0;
}

std::optional<TDSPersonRecord> TDSDataStore::PersonRecord(int AID) const
{
    const TPerson* person = FindPerson(AID);
    if (!person)
        return std::nullopt;
    return TDSPersonRecord{person->ID(),          person->Name(),      person->SortingName(), person->Note(),
                           person->DateOutFrom(), person->DateOutTo(), person->DaysOut(),     person->NoteOut()};
}

TPerson* TDSDataStore::PersonObject(int AID) const { return FindPerson(AID); }
int TDSDataStore::PersonObjectID(const TPerson* APerson) const { return APerson ? APerson->ID() : 0; }

bool TDSDataStore::PersonIsOut(int AID, TDate ADate) const
{
    const TPerson* person = FindPerson(AID);
    return person && person->IsOut(ADate);
}

bool TDSDataStore::EditPerson(int AID)
{
    TPerson* person = FindPerson(AID);
    return person && TPersonMan::Instance()->EditPerson(person);
}

bool TDSDataStore::DeletePerson(int AID)
{
    TPersonMan* man = TPersonMan::Instance();
    if (!man)
        return false;
    const bool deleted = man->DeletePerson(AID);
    FLastError = deleted ? QString() : man->Table().LastError();
    return deleted;
}

int TDSDataStore::WorkplaceCount() const
{
    return TWorkplaceMan::Instance() ? TWorkplaceMan::Instance()->WorkplaceCount() : 0;
}

int TDSDataStore::WorkplaceIDAt(int AIndex) const
{
    const TWorkplace* workplace =
        TWorkplaceMan::Instance() && AIndex >= 0 ? TWorkplaceMan::Instance()->Workplaces(AIndex) : nullptr;
    return workplace ? workplace->ID() : 0;
}

std::optional<TDSWorkplaceRecord> TDSDataStore::WorkplaceRecord(int AID) const
{
    const TWorkplace* workplace = FindWorkplace(AID);
    if (!workplace)
        return std::nullopt;
    return TDSWorkplaceRecord{workplace->ID(), workplace->Shortcut(), workplace->Name(), workplace->Note(),
                              workplace->Color()};
}

TWorkplace* TDSDataStore::WorkplaceObject(int AID) const { return FindWorkplace(AID); }
int TDSDataStore::WorkplaceObjectID(const TWorkplace* AWorkplace) const { return AWorkplace ? AWorkplace->ID() : 0; }

bool TDSDataStore::EditWorkplace(int AID)
{
    TWorkplace* workplace = FindWorkplace(AID);
    return workplace && TWorkplaceMan::Instance()->EditWorkplace(workplace);
}

bool TDSDataStore::DeleteWorkplace(int AID)
{
    TWorkplaceMan* man = TWorkplaceMan::Instance();
    if (!man)
        return false;
    const bool deleted = man->DeleteWorkplace(AID);
    FLastError = deleted ? QString() : man->Table().LastError();
    return deleted;
}

void TDSDataStore::SetDayFilter(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    man->SetDateFrom(ADate);
    man->SetDateTo(ADate);
    man->SetPersonID(APersonID);
    man->SetWorkplaceID(AWorkplaceID);
}

std::vector<TDSJobRecord> TDSDataStore::DayJobs(TDate ADate)
{
    std::vector<TDSJobRecord> jobs;
    TJobMan* man = TJobMan::Instance();
    if (!man || ADate <= 0)
        return jobs;
    SetDayFilter(ADate, 0, 0);
    const int count = man->JobCount();
    jobs.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        if (const TJob* job = man->Jobs(i))
            jobs.push_back(JobRecord(*job));
    return jobs;
}

std::optional<TDSJobRecord> TDSDataStore::AddJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    TPerson* person = FindPerson(APersonID);
    TWorkplace* workplace = FindWorkplace(AWorkplaceID);
    if (!man || !person || !workplace)
        return std::nullopt;
    const TJob* job = man->AddJob(ADate, person, workplace);
    if (!job) {
        FLastError = man->Table().LastError();
        return std::nullopt;
    }
    // Copied at once: the job lives only until the next filter change.
    return JobRecord(*job);
}

bool TDSDataStore::JobExists(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    if (!man || ADate <= 0 || APersonID <= 0 || AWorkplaceID <= 0)
        return false;
    SetDayFilter(ADate, APersonID, AWorkplaceID);
    return man->JobCount() > 0;
}

bool TDSDataStore::DeleteJob(TDate ADate, int APersonID, int AWorkplaceID)
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return false;
    const bool deleted = man->DeleteJob(ADate, APersonID, AWorkplaceID);
    FLastError = deleted ? QString() : man->Table().LastError();
    return deleted;
}

std::optional<std::vector<TDSMacroPair>> TDSDataStore::SystemMacro(TDate ADate)
{
    TMacroMan* man = TMacroMan::Instance();
    if (!man)
        return std::nullopt;
    std::unique_ptr<TMacro> macro = man->GetSystemMacro(ADate);
    if (!macro)
        return std::nullopt;
    return MacroPairs(macro.get());
}

std::vector<TDSMacroPair> TDSDataStore::MacroPairs(const TMacro* AMacro) const
{
    std::vector<TDSMacroPair> pairs;
    if (!AMacro)
        return pairs;
    const TMacroJobList* jobs = AMacro->MacroJobs();
    for (int i = 0; i < jobs->Count(); ++i)
        pairs.emplace_back(jobs->Items(i)->PersonID(), jobs->Items(i)->WorkplaceID());
    return pairs;
}

bool TDSDataStore::PreparePrint(const QStringList& AParams)
{
    TDataManPrint* print = TDataManPrint::Instance();
    return print && print->PreparePrint(AParams);
}

void TDSDataStore::AppendPrintPerson(const TDSPrintPersonRow& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        DSAppendPrintPerson(print->Tables(), ARow);
}

void TDSDataStore::AppendPrintWorkplace(const TDSPrintWorkplaceRow& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        DSAppendPrintWorkplace(print->Tables(), ARow);
}

bool TDSDataStore::Print(const QString& AReportName)
{
    TDataManPrint* print = TDataManPrint::Instance();
    return print && print->Print(AReportName);
}

IDSStore* DSDefaultStore()
{
    static TDSDataStore store;
    return &store;
}

std::unique_ptr<TMacro> TDailySchedule::GetMacro() const
{
    auto macro = TSCObject::Create<TMacro>();
    for (const auto& [personID, workplaceID] : GetMacroPairs())
        macro->MacroJobs()->AddMacroJob(personID, workplaceID);
    return macro;
}
