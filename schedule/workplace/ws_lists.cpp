#include "schedule/workplace/ws_lists.h"

#include "schedule/export/export_to_file.h"
#include "schedule/period/period_register_print.h"
#include "schedule/period/period_store.h"
#include "schedule/register_access.h"
#include "schedule/workplace/workplace_schedule.h"

#include "core/dialogs.h"
#include "setup/setup.h"

#include <unordered_map>

namespace {
const QString ItemsName = QStringLiteral("Items");

// A day's workers anew from its jobs, sorted by name.
void FillDayPersons(TWSDayPersonList& AList, const std::vector<const TJobRow*>& AJobs)
{
    AList.FreeObjects();
    for (const TJobRow* job : AJobs)
        AList.AddPerson(job->PersonID, job->PersonName, false);
    AList.SortByName();
}
} // namespace

// --- worker list ---

TWSPersonDayList* TWSPersonDay::OwnerList() const
{
    return static_cast<TWSPersonDayList*>(OwnerListBase());
}

void TWSPerson::Init()
{
    SetDaysList(TSCList::Create<TWSPersonDayList>());
}

TWSPersonList* TWSPerson::OwnerList() const
{
    return static_cast<TWSPersonList*>(OwnerListObject());
}

TWSPerson* TWSPersonList::Items(const QString& AName) const
{
    return EntryByName<TWSPerson>(AName);
}

TWorkplaceSchedule* TWSPersonList::Schedule() const
{
    return static_cast<TWorkplaceSchedule*>(ScheduleObject());
}

void TWSPersonList::SetSchedule(TWorkplaceSchedule* ASchedule)
{
    SetScheduleObject(ASchedule);
}

void TWSPersonList::Refresh(int AWorkplaceID)
{
    const int remembered = PersonFocused() ? PersonFocused()->ID() : 0;
    const TDate from = Schedule() ? Schedule()->DateStart() : 0;
    const int days = Schedule() ? Schedule()->DateDays() : 0;
    RefillEntries<TWSPerson>(
        PeriodPersonCount(), PeriodPersonIDAt, from, JobEntryDays(PeriodJobsOf(true, AWorkplaceID), from, days, false));
    SetPersonFocused(static_cast<TWSPerson*>(RememberedOrFirst(remembered)));
}

TWSPerson* TWSPersonList::AddPerson(TPerson* APerson, bool ASetAsFocused, bool ASort)
{
    if (!APerson)
        return nullptr;
    return AddPersonID(PeriodPersonObjectID(APerson), ASetAsFocused, ASort);
}

TWSPerson* TWSPersonList::AddPersonID(int AID, bool ASetAsFocused, bool ASort)
{
    return AddRegisterEntry<TWSPerson>(AID, ASetAsFocused, ASort);
}

bool TWSPersonList::AddPersonDay(int APersonID, TDate ADate)
{
    return AddEntryDay(APersonID, ADate);
}

bool TWSPersonList::DeletePersonDay(int APersonID, TDate ADate)
{
    // False like the date list's own delete.
    DeleteEntryDay(APersonID, ADate);
    return false;
}

bool TWSPersonList::EditPerson(int APersonID)
{
    return EditRegisterEntry<TWSPerson>(APersonID, PeriodEditPerson);
}

bool TWSPersonList::DeletePerson(int APersonID, const QString& AMsg)
{
    return DeleteRegisterEntry(APersonID, AMsg, PeriodDeletePerson);
}

bool TWSPersonList::Print(const QString& AReportName, bool ASimplePersonList)
{
    return PrintPeriodPersons(*this, AReportName, ASimplePersonList, QStringLiteral("WSPersonsGeneral"));
}

QString TWSPersonList::SortText(const TPeriodEntry* AEntry) const
{
    return static_cast<const TWSPerson*>(AEntry)->SortingName();
}

// --- workplace list ---

TWSWorkplaceDayList* TWSWorkplaceDay::OwnerList() const
{
    return static_cast<TWSWorkplaceDayList*>(OwnerListBase());
}

void TWSWorkplace::Init()
{
    SetDaysList(TSCList::Create<TWSWorkplaceDayList>());
}

TWSWorkplaceList* TWSWorkplace::OwnerList() const
{
    return static_cast<TWSWorkplaceList*>(OwnerListObject());
}

TWSWorkplace* TWSWorkplaceList::Items(const QString& AKey) const
{
    return EntryByNameOrShortcut<TWSWorkplace>(AKey);
}

TWorkplaceSchedule* TWSWorkplaceList::Schedule() const
{
    return static_cast<TWorkplaceSchedule*>(ScheduleObject());
}

void TWSWorkplaceList::SetSchedule(TWorkplaceSchedule* ASchedule)
{
    SetScheduleObject(ASchedule);
}

void TWSWorkplaceList::Refresh(int AWorkplaceFocusedID)
{
    const int remembered = WorkplaceFocused() ? WorkplaceFocused()->ID() : 0;
    const TDate from = Schedule() ? Schedule()->DateStart() : 0;
    const int days = Schedule() ? Schedule()->DateDays() : 0;
    RefillEntries<TWSWorkplace>(PeriodWorkplaceCount(), PeriodWorkplaceIDAt, from, PeriodEntryDays(from, days, true));
    TWSWorkplace* focus = AWorkplaceFocusedID > 0 ? Items(-AWorkplaceFocusedID)
                                                  : static_cast<TWSWorkplace*>(RememberedOrFirst(remembered));
    SetWorkplaceFocused(focus);
}

TWSWorkplace* TWSWorkplaceList::AddWorkplace(TWorkplace* AWorkplace, bool ASetAsFocused, bool ASort)
{
    if (!AWorkplace)
        return nullptr;
    return AddWorkplaceID(PeriodWorkplaceObjectID(AWorkplace), ASetAsFocused, ASort);
}

TWSWorkplace* TWSWorkplaceList::AddWorkplaceID(int AID, bool ASetAsFocused, bool ASort)
{
    return AddRegisterEntry<TWSWorkplace>(AID, ASetAsFocused, ASort);
}

bool TWSWorkplaceList::AddWorkplaceDay(int AWorkplaceID, TDate ADate)
{
    return AddEntryDay(AWorkplaceID, ADate);
}

bool TWSWorkplaceList::DeleteWorkplaceDay(int AWorkplaceID, TDate ADate)
{
    // False like the date list's own delete.
    DeleteEntryDay(AWorkplaceID, ADate);
    return false;
}

bool TWSWorkplaceList::EditWorkplace(int AWorkplaceID)
{
    return EditRegisterEntry<TWSWorkplace>(AWorkplaceID, PeriodEditWorkplace);
}

bool TWSWorkplaceList::DeleteWorkplace(int AWorkplaceID, const QString& AMsg)
{
    return DeleteRegisterEntry(AWorkplaceID, AMsg, PeriodDeleteWorkplace);
}

bool TWSWorkplaceList::Print(const QString& AReportName, bool ASimpleWorkplaceList)
{
    return PrintPeriodWorkplaces(*this, AReportName, ASimpleWorkplaceList, QStringLiteral("WSWorkplacesGeneral"));
}

int TWSWorkplaceList::ChosenID() const
{
    return Schedule() ? Schedule()->WorkplaceID() : 0;
}

QString TWSWorkplaceList::SortText(const TPeriodEntry* AEntry) const
{
    const auto* entry = static_cast<const TWSWorkplace*>(AEntry);
    return FSortingKind == wswpskByName ? entry->Name() : entry->Shortcut();
}

// --- day list ---

TPerson* TWSDayPerson::Person() const
{
    return PeriodPersonObject(ID());
}

std::optional<TRegisterPersonRecord> TWSDayPerson::Record() const
{
    return PeriodPerson(ID());
}

bool TWSDayPerson::IsOut() const
{
    const TWSDay* day = Day();
    return !Record() || !day || PeriodPersonIsOut(ID(), day->Date());
}

void TWSDayPersonList::SortByName()
{
    // Entries without a sorting name go last, among themselves by the stored name.
    SortDayEntries<TWSDayPerson>(
        *this, [](const TWSDayPerson* AEntry) { return AEntry->SortingName(); },
        [](const TWSDayPerson* AEntry) { return AEntry->StoredName(); });
    Announce(ItemsName);
}

void TWSDay::UpdatePersons(int AWorkplaceID)
{
    const auto all = PeriodJobsOf(true, AWorkplaceID);
    const auto jobs = JobsByDay(all);
    const auto found = jobs.find(static_cast<qint64>(Date()));
    FillDayPersons(*Persons(), found == jobs.end() ? std::vector<const TJobRow*>() : found->second);
}

void TWSDayList::Refresh(TDate AStartDate, int ADayCount, int AWorkplaceID)
{
    RefreshPeriodDays(*this, AStartDate, ADayCount, PeriodJobsOf(true, AWorkplaceID),
        [](TWSDay& ADay, const std::vector<const TJobRow*>& AJobs) { FillDayPersons(*ADay.Persons(), AJobs); });
}

bool TWSDayList::AddDayPerson(TDate ADate, int APersonID, const QString& APersonName)
{
    TWSDay* day = FindDay(TruncDate(ADate));
    return day && day->Persons()->AddPerson(APersonID, APersonName, true);
}

bool TWSDayList::DeleteDayPerson(TDate ADate, int APersonID)
{
    TWSDay* day = FindDay(TruncDate(ADate));
    return day && day->Persons()->DeletePerson(APersonID);
}

bool TWSDayList::Export(TExportFormat AFormat, QString& AError)
{
    const auto* schedule = Schedule();
    AError.clear();
    if (!schedule)
        return false;
    const int id = schedule->WorkplaceID();
    const auto* subject = RegisterWorkplace(id);
    TExportQuery query{schedule->DateStart(), schedule->DateEnd(), 0, id};
    return ExportPlanToFile(&AFormat, query, subject ? subject->Name() : QString(), false, AError);
}

bool TWSDayList::Print(const QString& AReportName)
{
    PreparePeriodListPrint(*this, false, QString());
    const bool occupiedOnly = PeriodPrintFlag(&TSetupGeneral::PrintOccupiedDaysOnly);
    for (int p = 0; p < Count(); ++p) {
        const TWSDay* day = Items(p);
        if (occupiedOnly && day->Persons()->Count() == 0)
            continue;
        TPeriodPrintDay dayRow;
        dayRow.ID = p + 1;
        dayRow.Date = day->Date();
        dayRow.DayName = day->DayName();
        dayRow.DateWithoutYear = day->DateStrWithoutYear();
        dayRow.Color = day->Color();
        dayRow.PersonIsOut = false;
        PeriodAppendPrintDay(dayRow);
        for (int k = 0; k < day->Persons()->Count(); ++k) {
            const TWSDayPerson* person = day->Persons()->Items(k);
            TPrintPersonRow row;
            row.ID = person->ID();
            row.Name = person->NameAndStoredName();
            row.SortingName = person->SortingName();
            row.Note = person->Note();
            row.DateOutFrom = person->DateOutFrom();
            row.DateOutTo = person->DateOutTo();
            row.DaysOut = person->DaysOut();
            row.IsOut = person->IsOut();
            row.NoteOut = person->NoteOut();
            row.DayID = p + 1;
            row.IsDeleted = !person->Record();
            PeriodAppendPrintPerson(row);
        }
    }
    PeriodPrint(AReportName.isEmpty() ? QStringLiteral("WorkplaceScheduleGeneral") : AReportName);
    return true;
}

void TWSDayList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    RouteListNotice(*this, Silent(), Editor(), Schedule(), ASender, ATransmiter, AValueName);
}
