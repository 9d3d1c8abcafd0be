#include "schedule/worker/period_data_store.h"

#include "data/job_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "reports/print_data.h"

#include <QHash>
#include <QVariant>

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

int TPeriodDataStore::PersonCount() const
{
    return TPersonMan::Instance() ? TPersonMan::Instance()->PersonCount() : 0;
}

int TPeriodDataStore::PersonIDAt(int AIndex) const
{
    const TPerson* person = TPersonMan::Instance() ? TPersonMan::Instance()->Persons(AIndex) : nullptr;
    return person ? person->ID() : 0;
}

std::optional<TPeriodPersonRecord> TPeriodDataStore::PersonRecord(int AID) const
{
    const TPerson* person = FindPerson(AID);
    if (!person)
        return std::nullopt;
    TPeriodPersonRecord record;
    record.ID = person->ID();
    record.Name = person->Name();
    record.SortingName = person->SortingName();
    record.Note = person->Note();
    record.DateOutFrom = person->DateOutFrom();
    record.DateOutTo = person->DateOutTo();
    record.DaysOut = person->DaysOut();
    record.NoteOut = person->NoteOut();
    return record;
}

TPerson* TPeriodDataStore::PersonObject(int AID) const
{
    return FindPerson(AID);
}

int TPeriodDataStore::PersonObjectID(const TPerson* APerson) const
{
    return APerson ? APerson->ID() : 0;
}

bool TPeriodDataStore::PersonIsOut(int AID, TDate ADate) const
{
    const TPerson* person = FindPerson(AID);
    return person && person->IsOut(ADate);
}

bool TPeriodDataStore::EditPerson(int AID)
{
    TPerson* person = FindPerson(AID);
    return person && TPersonMan::Instance()->EditPerson(person);
}

bool TPeriodDataStore::DeletePerson(int AID)
{
    TPersonMan* man = TPersonMan::Instance();
    if (!man)
        return false;
    const bool result = man->DeletePerson(AID);
    if (!result)
        FLastError = man->Table().LastError();
    return result;
}

int TPeriodDataStore::WorkplaceCount() const
{
    return TWorkplaceMan::Instance() ? TWorkplaceMan::Instance()->WorkplaceCount() : 0;
}

int TPeriodDataStore::WorkplaceIDAt(int AIndex) const
{
    const TWorkplace* workplace = TWorkplaceMan::Instance() ? TWorkplaceMan::Instance()->Workplaces(AIndex) : nullptr;
    return workplace ? workplace->ID() : 0;
}

std::optional<TPeriodWorkplaceRecord> TPeriodDataStore::WorkplaceRecord(int AID) const
{
    const TWorkplace* workplace = FindWorkplace(AID);
    if (!workplace)
        return std::nullopt;
    TPeriodWorkplaceRecord record;
    record.ID = workplace->ID();
    record.Shortcut = workplace->Shortcut();
    record.Name = workplace->Name();
    record.Note = workplace->Note();
    record.Color = workplace->Color();
    return record;
}

TWorkplace* TPeriodDataStore::WorkplaceObject(int AID) const
{
    return FindWorkplace(AID);
}

int TPeriodDataStore::WorkplaceObjectID(const TWorkplace* AWorkplace) const
{
    return AWorkplace ? AWorkplace->ID() : 0;
}

bool TPeriodDataStore::EditWorkplace(int AID)
{
    TWorkplace* workplace = FindWorkplace(AID);
    return workplace && TWorkplaceMan::Instance()->EditWorkplace(workplace);
}

bool TPeriodDataStore::DeleteWorkplace(int AID)
{
    TWorkplaceMan* man = TWorkplaceMan::Instance();
    if (!man)
        return false;
    const bool result = man->DeleteWorkplace(AID);
    if (!result)
        FLastError = man->Table().LastError();
    return result;
}

void TPeriodDataStore::SetJobFilter(TDate ADateFrom, TDate ADateTo)
{
    TJobMan* man = TJobMan::Instance();
    if (!man)
        return;
    man->SetDateFrom(ADateFrom);
    man->SetDateTo(ADateTo);
    man->SetPersonID(0);
    man->SetWorkplaceID(0);
    FFrom = man->DateFrom();
    FTo = man->DateTo();
    FJobsValid = false;
}

void TPeriodDataStore::SyncJobs()
{
    TJobMan* man = TJobMan::Instance();
    if (!man) {
        FJobs.clear();
        return;
    }
    // Another reader (a write, the daily schedule) may have moved the shared filter.
    if (man->DateFrom() != FFrom || man->DateTo() != FTo || man->PersonID() != 0 || man->WorkplaceID() != 0)
        FJobsValid = false;
    const int count = man->JobCount();
    if (FJobsValid && static_cast<int>(FJobs.size()) == count)
        return;
    FJobs.clear();
    FJobs.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        if (const TJob* job = man->Jobs(i))
            FJobs.push_back(JobRecord(*job));
    FJobsValid = true;
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
    TPerson* person = FindPerson(APersonID);
    TWorkplace* workplace = FindWorkplace(AWorkplaceID);
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
    FJobsValid = false;
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
        print->DSPrintPersons().Append({{QStringLiteral("ID"), ARow.ID},
                                        {QStringLiteral("Name"), ARow.Name},
                                        {QStringLiteral("SortingName"), ARow.SortingName},
                                        {QStringLiteral("Note"), ARow.Note},
                                        {QStringLiteral("DateOutFrom"), ARow.DateOutFrom},
                                        {QStringLiteral("DateOutTo"), ARow.DateOutTo},
                                        {QStringLiteral("DaysOut"), ARow.DaysOut},
                                        {QStringLiteral("IsOut"), ARow.IsOut},
                                        {QStringLiteral("NoteOut"), ARow.NoteOut},
                                        {QStringLiteral("WorkplaceID"), ARow.WorkplaceID},
                                        {QStringLiteral("Workplaces"), ARow.Workplaces},
                                        {QStringLiteral("DayID"), ARow.DayID},
                                        {QStringLiteral("Days"), ARow.Days},
                                        {QStringLiteral("IsDeleted"), ARow.IsDeleted}});
}

void TPeriodDataStore::AppendPrintWorkplace(const TPeriodPrintWorkplace& ARow)
{
    if (TDataManPrint* print = TDataManPrint::Instance())
        print->DSPrintWorkplaces().Append({{QStringLiteral("ID"), ARow.ID},
                                           {QStringLiteral("Shortcut"), ARow.Shortcut},
                                           {QStringLiteral("Name"), ARow.Name},
                                           {QStringLiteral("Note"), ARow.Note},
                                           {QStringLiteral("Days"), ARow.Days},
                                           {QStringLiteral("IsDeleted"), ARow.IsDeleted},
                                           {QStringLiteral("DayID"), ARow.DayID}});
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
