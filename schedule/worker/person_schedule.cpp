#include "schedule/worker/person_schedule.h"

#include "schedule/absence_notice.h"
#include "schedule/period/period_store.h"

#include "setup/setup.h"

namespace {
TSCFrameEditorFactory<TPersonSchedule>& FrameFactory()
{
    static TSCFrameEditorFactory<TPersonSchedule> factory;
    return factory;
}
} // namespace

void TPersonSchedule::SetFrameEditorFactory(TSCFrameEditorFactory<TPersonSchedule> AFactory)
{
    FrameFactory() = std::move(AFactory);
}

TPersonSchedule::TPersonSchedule()
{
    if (const TSetup* setup = TSetup::Instance())
        FDateDaysKind = setup->General()->DateDaysKind();
    FDays = TSCList::Create<TPSDayList>();
    FDays->SetSchedule(this);
    FDays->SetSilent(FSilent);
    FPersons = TSCList::Create<TPSPersonList>();
    FPersons->SetSchedule(this);
    FPersons->SetSilent(FSilent);
    FWorkplaces = TSCList::Create<TPSWorkplaceList>();
    FWorkplaces->SetSchedule(this);
    FWorkplaces->SetSilent(FSilent);
}

TPersonSchedule::~TPersonSchedule()
{
    DestroyParts();
}

void TPersonSchedule::SetDate(TDate ADate)
{
    ChangeDate(DateOrCurrent(ADate));
}

void TPersonSchedule::SetPersonID(int AValue)
{
    if (AValue == FPersonID) {
        Announce(QStringLiteral("PersonID*"));
        return;
    }
    FPersonID = AValue;
    Announce(QStringLiteral("PersonID"));
    Refresh(psrkWorkplaces | psrkDays);
}

TPerson* TPersonSchedule::Person() const
{
    return PeriodPersonObject(FPersonID);
}

void TPersonSchedule::Refresh(TPersonScheduleRefreshKinds ARefreshKind)
{
    RefreshLists(ARefreshKind);
}

bool TPersonSchedule::AddWorkplaceToDay(int AWorkplaceID, TDate ADate)
{
    if (AWorkplaceID < 1 || !FWorkplaces->Items(-AWorkplaceID) || !FDays->FindDay(ADate))
        return false;
    if (!PeriodPerson(FPersonID) || !PeriodWorkplace(AWorkplaceID))
        return false;
    const auto job = PeriodAddJob(ADate, FPersonID, AWorkplaceID);
    if (!job) {
        // A relation that exists is refused quietly; a failed write is told.
        if (!PeriodJobExists(ADate, FPersonID, AWorkplaceID))
            ShowStoreSaveFailure(PeriodStore());
        return false;
    }
    FDays->AddDayWorkplace(job->Date, job->WorkplaceID, job->WorkplaceName, job->WorkplaceShortcut);
    FPersons->AddPersonDay(job->PersonID, job->Date);
    FWorkplaces->AddWorkplaceDay(job->WorkplaceID, job->Date);
    // Planning him while away is allowed; the user is only told.
    TellAbsentPlanned(PeriodStore(), job->Date, {job->PersonID});
    return true;
}

bool TPersonSchedule::DeleteWorkplaceFromDay(int AWorkplaceID, TDate ADate)
{
    if (!PeriodDeleteJob(ADate, FPersonID, AWorkplaceID)) {
        // Invalid arguments change nothing; a failed write is told and the
        // lists keep showing what the table still holds.
        if (ADate > 0 && FPersonID > 0 && AWorkplaceID > 0)
            ShowStoreSaveFailure(PeriodStore());
        return false;
    }
    FDays->DeleteDayWorkplace(ADate, AWorkplaceID);
    const TPSDay* day = FDays->FindDay(ADate);
    if (!day || day->Workplaces()->Count() == 0)
        FPersons->DeletePersonDay(FPersonID, ADate);
    FWorkplaces->DeleteWorkplaceDay(AWorkplaceID, ADate);
    return true;
}

void TPersonSchedule::AddPrintParams(QStringList& AList) const
{
    StringsSetValue(AList, QStringLiteral("DateStart"), ShortDateText(FDateStart));
    StringsSetValue(AList, QStringLiteral("DateStartShort"), DateStartShort());
    StringsSetValue(AList, QStringLiteral("DateEnd"), ShortDateText(DateEnd()));
    StringsSetValue(AList, QStringLiteral("DateDays"), QString::number(DateDays()));
    StringsSetValue(AList, QStringLiteral("ScheduleDate"), ScheduleDate());
    if (const auto person = PeriodPerson(FPersonID)) {
        StringsSetValue(AList, QStringLiteral("PersonID"), QString::number(person->ID));
        StringsSetValue(AList, QStringLiteral("PersonName"), person->Name);
        StringsSetValue(AList, QStringLiteral("PersonSortingName"), person->SortingName);
        StringsSetValue(AList, QStringLiteral("PersonNote"), person->Note);
        StringsSetValue(AList, QStringLiteral("ScheduleCaption"), person->Name);
    }
}

void TPersonSchedule::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    if (ASender == FPersons.get() && AValueName == QLatin1String("PersonFocused")) {
        const TPSPerson* focused = FPersons->PersonFocused();
        SetPersonID(focused ? focused->ID() : 0);
    }
    if (!FSilent)
        SCNotifyEditor(FEditor.Editor(), ASender, AValueName);
    SCPassOn(FPersons.get(), ASender, ATransmiter, this, AValueName);
    SCPassOn(FWorkplaces.get(), ASender, ATransmiter, this, AValueName);
    SCPassOn(FDays.get(), ASender, ATransmiter, this, AValueName);
}

void TPersonSchedule::ShowFrameEditor(QObject* AParent, QObject** AScrollBox)
{
    FEditor.Show(AParent, AScrollBox,
        [this]() -> std::unique_ptr<ISCFrameEditor> { return FrameFactory() ? FrameFactory()(this) : nullptr; });
}
