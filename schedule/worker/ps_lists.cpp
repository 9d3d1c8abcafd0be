#include "schedule/worker/ps_lists.h"

#include "schedule/export/export_to_file.h"
#include "schedule/period/period_register_print.h"
#include "schedule/period/period_store.h"
#include "schedule/register_access.h"
#include "schedule/worker/person_schedule.h"

#include "core/dialogs.h"
#include "setup/setup.h"

#include <unordered_map>

namespace {
const QString ItemsName = QStringLiteral("Items");

// A day's workplaces anew from its jobs, sorted by shortcut.
void FillDayWorkplaces(TPSDayWorkplaceList& AList, const std::vector<const TJobRow*>& AJobs)
{
    AList.FreeObjects();
    for (const TJobRow* job : AJobs)
        AList.AddWorkplace(job->WorkplaceID, job->WorkplaceName, job->WorkplaceShortcut, false);
    AList.SortByShortcut();
}
} // namespace

// --- worker list ---

TPSPersonDayList* TPSPersonDay::OwnerList() const
{
    return static_cast<TPSPersonDayList*>(OwnerListBase());
}

void TPSPerson::Init()
{
    SetDaysList(TSCList::Create<TPSPersonDayList>());
}

TPSPersonList* TPSPerson::OwnerList() const
{
    return static_cast<TPSPersonList*>(OwnerListObject());
}

void TPSPerson::UpdateDays()
{
    FillDays(JobDates(PeriodJobsOf(false, ID()), [](const TJobRow&) { return true; }));
}

TPSPerson* TPSPersonList::Items(const QString& AName) const
{
    return EntryByName<TPSPerson>(AName);
}

TPersonSchedule* TPSPersonList::Schedule() const
{
    return static_cast<TPersonSchedule*>(ScheduleObject());
}

void TPSPersonList::SetSchedule(TPersonSchedule* ASchedule)
{
    SetScheduleObject(ASchedule);
}

void TPSPersonList::Refresh(int APersonFocusedID)
{
    const int remembered = PersonFocused() ? PersonFocused()->ID() : 0;
    const TDate from = Schedule() ? Schedule()->DateStart() : 0;
    const int days = Schedule() ? Schedule()->DateDays() : 0;
    RefillEntries<TPSPerson>(PeriodPersonCount(), PeriodPersonIDAt, from, PeriodEntryDays(from, days, false));
    TPSPerson* focus
        = APersonFocusedID > 0 ? Items(-APersonFocusedID) : static_cast<TPSPerson*>(RememberedOrFirst(remembered));
    SetPersonFocused(focus);
}

TPSPerson* TPSPersonList::AddPerson(TPerson* APerson, bool ASetAsFocused, bool ASort)
{
    if (!APerson)
        return nullptr;
    return AddPersonID(PeriodPersonObjectID(APerson), ASetAsFocused, ASort);
}

TPSPerson* TPSPersonList::AddPersonID(int AID, bool ASetAsFocused, bool ASort)
{
    return AddRegisterEntry<TPSPerson>(AID, ASetAsFocused, ASort);
}

bool TPSPersonList::AddPersonDay(int APersonID, TDate ADate)
{
    return AddEntryDay(APersonID, ADate);
}

void TPSPersonList::DeletePersonDay(int APersonID, TDate ADate)
{
    DeleteEntryDay(APersonID, ADate);
}

bool TPSPersonList::EditPerson(int APersonID)
{
    return EditRegisterEntry<TPSPerson>(APersonID, PeriodEditPerson);
}

bool TPSPersonList::DeletePerson(int APersonID, const QString& AMsg)
{
    return DeleteRegisterEntry(APersonID, AMsg, PeriodDeletePerson);
}

bool TPSPersonList::Print(const QString& AReportName, bool ASimplePersonList)
{
    return PrintPeriodPersons(*this, AReportName, ASimplePersonList, QStringLiteral("PSPersonsGeneral"));
}

int TPSPersonList::ChosenID() const
{
    return Schedule() ? Schedule()->PersonID() : 0;
}

QString TPSPersonList::SortText(const TPeriodEntry* AEntry) const
{
    return static_cast<const TPSPerson*>(AEntry)->SortingName();
}

// --- workplace list ---

TPSWorkplaceDayList* TPSWorkplaceDay::OwnerList() const
{
    return static_cast<TPSWorkplaceDayList*>(OwnerListBase());
}

void TPSWorkplace::Init()
{
    SetDaysList(TSCList::Create<TPSWorkplaceDayList>());
}

TPSWorkplaceList* TPSWorkplace::OwnerList() const
{
    return static_cast<TPSWorkplaceList*>(OwnerListObject());
}

void TPSWorkplace::UpdateDays(int APersonID)
{
    FillDays(
        JobDates(PeriodJobsOf(false, APersonID), [this](const TJobRow& AJob) { return AJob.WorkplaceID == ID(); }));
}

TPSWorkplace* TPSWorkplaceList::Items(const QString& AKey) const
{
    return EntryByNameOrShortcut<TPSWorkplace>(AKey);
}

TPersonSchedule* TPSWorkplaceList::Schedule() const
{
    return static_cast<TPersonSchedule*>(ScheduleObject());
}

void TPSWorkplaceList::SetSchedule(TPersonSchedule* ASchedule)
{
    SetScheduleObject(ASchedule);
}

void TPSWorkplaceList::Refresh(int APersonID)
{
    const int remembered = WorkplaceFocused() ? WorkplaceFocused()->ID() : 0;
    const TDate from = Schedule() ? Schedule()->DateStart() : 0;
    const int days = Schedule() ? Schedule()->DateDays() : 0;
    RefillEntries<TPSWorkplace>(PeriodWorkplaceCount(), PeriodWorkplaceIDAt, from,
        JobEntryDays(PeriodJobsOf(false, APersonID), from, days, true));
    SetWorkplaceFocused(static_cast<TPSWorkplace*>(RememberedOrFirst(remembered)));
}

TPSWorkplace* TPSWorkplaceList::AddWorkplace(TWorkplace* AWorkplace, bool ASetAsFocused, bool ASort)
{
    if (!AWorkplace)
        return nullptr;
    return AddWorkplaceID(PeriodWorkplaceObjectID(AWorkplace), ASetAsFocused, ASort);
}

TPSWorkplace* TPSWorkplaceList::AddWorkplaceID(int AID, bool ASetAsFocused, bool ASort)
{
    return AddRegisterEntry<TPSWorkplace>(AID, ASetAsFocused, ASort);
}

bool TPSWorkplaceList::AddWorkplaceDay(int AWorkplaceID, TDate ADate)
{
    return AddEntryDay(AWorkplaceID, ADate);
}

void TPSWorkplaceList::DeleteWorkplaceDay(int AWorkplaceID, TDate ADate)
{
    DeleteEntryDay(AWorkplaceID, ADate);
}

bool TPSWorkplaceList::EditWorkplace(int AWorkplaceID)
{
    return EditRegisterEntry<TPSWorkplace>(AWorkplaceID, PeriodEditWorkplace);
}

bool TPSWorkplaceList::DeleteWorkplace(int AWorkplaceID, const QString& AMsg)
{
    return DeleteRegisterEntry(AWorkplaceID, AMsg, PeriodDeleteWorkplace);
}

bool TPSWorkplaceList::Print(const QString& AReportName, bool ASimpleWorkplaceList)
{
    return PrintPeriodWorkplaces(*this, AReportName, ASimpleWorkplaceList, QStringLiteral("PSWorkplacesGeneral"));
}

QString TPSWorkplaceList::SortText(const TPeriodEntry* AEntry) const
{
    const auto* entry = static_cast<const TPSWorkplace*>(AEntry);
    return FSortingKind == pswpskByName ? entry->Name() : entry->Shortcut();
}

// --- day list ---

TWorkplace* TPSDayWorkplace::Workplace() const
{
    return PeriodWorkplaceObject(ID());
}

std::optional<TRegisterWorkplaceRecord> TPSDayWorkplace::Record() const
{
    return PeriodWorkplace(ID());
}

QString TPSDayWorkplace::Name() const
{
    const auto record = Record();
    return record ? record->Name : QString();
}

QString TPSDayWorkplace::Note() const
{
    const auto record = Record();
    return record ? record->Note : QString();
}

QString TPSDayWorkplace::Shortcut() const
{
    const auto record = Record();
    return record ? record->Shortcut : QString();
}

QString TPSDayWorkplace::ShortcutOrStoredShortcut() const
{
    const auto record = Record();
    return record ? record->Shortcut : FStoredShortcut;
}

TPSDayWorkplace* TPSDayWorkplaceList::AddWorkplace(
    int AID, const QString& AStoredName, const QString& AStoredShortcut, bool ASort)
{
    auto entry = NewEntry(AID, AStoredName);
    if (entry)
        entry->SetStoredShortcut(AStoredShortcut);
    return InsertEntry(std::move(entry), ASort);
}

void TPSDayWorkplaceList::SortByShortcut()
{
    // Entries without a shortcut go last, among themselves by the stored one.
    SortDayEntries<TPSDayWorkplace>(
        *this, [](const TPSDayWorkplace* AEntry) { return AEntry->Shortcut(); },
        [](const TPSDayWorkplace* AEntry) { return AEntry->StoredShortcut(); });
    Announce(ItemsName);
}

bool TPSDay::PersonIsOut() const
{
    const TPersonSchedule* schedule = Schedule();
    return schedule && PeriodPerson(schedule->PersonID()) && PeriodPersonIsOut(schedule->PersonID(), Date());
}

void TPSDay::UpdateWorkplaces(int APersonID)
{
    const auto all = PeriodJobsOf(false, APersonID);
    const auto jobs = JobsByDay(all);
    const auto found = jobs.find(static_cast<qint64>(Date()));
    FillDayWorkplaces(*Workplaces(), found == jobs.end() ? std::vector<const TJobRow*>() : found->second);
}

void TPSDayList::Refresh(TDate AStartDate, int ADayCount, int APersonID)
{
    RefreshPeriodDays(*this, AStartDate, ADayCount, PeriodJobsOf(false, APersonID),
        [](TPSDay& ADay, const std::vector<const TJobRow*>& AJobs) { FillDayWorkplaces(*ADay.Workplaces(), AJobs); });
}

bool TPSDayList::AddDayWorkplace(
    TDate ADate, int AWorkplaceID, const QString& AWorkplaceName, const QString& AWorkplaceShortcut)
{
    TPSDay* day = FindDay(TruncDate(ADate));
    return day && day->Workplaces()->AddWorkplace(AWorkplaceID, AWorkplaceName, AWorkplaceShortcut, true);
}

bool TPSDayList::DeleteDayWorkplace(TDate ADate, int AWorkplaceID)
{
    TPSDay* day = FindDay(TruncDate(ADate));
    return day && day->Workplaces()->DeleteWorkplace(AWorkplaceID);
}

bool TPSDayList::Export(TExportFormat AFormat, QString& AError)
{
    const auto* schedule = Schedule();
    AError.clear();
    if (!schedule)
        return false;
    const int id = schedule->PersonID();
    const auto* subject = RegisterPerson(id);
    TExportQuery query{schedule->DateStart(), schedule->DateEnd(), id, 0};
    return ExportPlanToFile(&AFormat, query, subject ? subject->Name() : QString(), true, AError);
}

bool TPSDayList::Print(const QString& AReportName)
{
    PreparePeriodListPrint(*this, false, QString());
    const bool occupiedOnly = PeriodPrintFlag(&TSetupGeneral::PrintOccupiedDaysOnly);
    for (int i = 0; i < Count(); ++i) {
        const TPSDay* day = Items(i);
        const int number = i + 1;
        if (occupiedOnly && day->Workplaces()->Count() == 0)
            continue;
        TPeriodPrintDay dayRow;
        dayRow.ID = number;
        dayRow.Date = day->Date();
        dayRow.DayName = day->DayName();
        dayRow.DateWithoutYear = day->DateStrWithoutYear();
        dayRow.Color = day->Color();
        dayRow.PersonIsOut = day->PersonIsOut();
        PeriodAppendPrintDay(dayRow);
        for (int k = 0; k < day->Workplaces()->Count(); ++k) {
            const TPSDayWorkplace* workplace = day->Workplaces()->Items(k);
            TPrintWorkplaceRow row;
            row.ID = workplace->ID();
            row.Shortcut = workplace->ShortcutOrStoredShortcut();
            row.Name = workplace->NameAndStoredName();
            row.Note = workplace->Note();
            row.IsDeleted = !workplace->Record();
            row.DayID = number;
            PeriodAppendPrintWorkplace(row);
        }
    }
    // The day list's own default has no layout of that name; it prints the
    // general worker schedule.
    PeriodPrint(AReportName.isEmpty() ? QStringLiteral("PersonScheduleGeneral") : AReportName);
    return true;
}

void TPSDayList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    RouteListNotice(*this, Silent(), Editor(), Schedule(), ASender, ATransmiter, AValueName);
}
