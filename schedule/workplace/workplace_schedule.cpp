#include "schedule/workplace/workplace_schedule.h"

#include "schedule/absence_notice.h"
#include "schedule/period/period_store.h"

#include "setup/setup.h"

namespace {
TSCFrameEditorFactory<TWorkplaceSchedule>& FrameFactory()
{
    static TSCFrameEditorFactory<TWorkplaceSchedule> factory;
    return factory;
}
} // namespace

void TWorkplaceSchedule::SetFrameEditorFactory(TSCFrameEditorFactory<TWorkplaceSchedule> AFactory)
{
    FrameFactory() = std::move(AFactory);
}

TWorkplaceSchedule::TWorkplaceSchedule()
{
    if (const TSetup* setup = TSetup::Instance())
        FDateDaysKind = setup->General()->DateDaysKind();
    FPersons = TSCList::Create<TWSPersonList>();
    FPersons->SetSchedule(this);
    FWorkplaces = TSCList::Create<TWSWorkplaceList>();
    FWorkplaces->SetSchedule(this);
    FDays = TSCList::Create<TWSDayList>();
    FDays->SetSchedule(this);
}

TWorkplaceSchedule::~TWorkplaceSchedule()
{
    DestroyParts();
}

void TWorkplaceSchedule::SetWorkplaceID(int AValue)
{
    if (AValue == FWorkplaceID) {
        Announce(QStringLiteral("WorkplaceID*"));
        return;
    }
    FWorkplaceID = AValue;
    Announce(QStringLiteral("WorkplaceID"));
    Refresh(wsrkPersons | wsrkDays);
}

TWorkplace* TWorkplaceSchedule::Workplace() const
{
    return PeriodWorkplaceObject(FWorkplaceID);
}

void TWorkplaceSchedule::SetDate(TDate AValue)
{
    ChangeDate(TruncDate(DateOrCurrent(AValue)));
}

void TWorkplaceSchedule::Refresh(TWorkplaceScheduleRefreshKinds ARefreshKind)
{
    RefreshLists(ARefreshKind);
}

bool TWorkplaceSchedule::AddPersonToDay(int APersonID, TDate ADate)
{
    if (APersonID < 1 || !FPersons->Items(-APersonID) || !FDays->FindDay(ADate))
        return false;
    if (!PeriodWorkplace(FWorkplaceID) || !PeriodPerson(APersonID))
        return false;
    const auto job = PeriodAddJob(ADate, APersonID, FWorkplaceID);
    if (!job) {
        // A relation that exists is refused quietly; a failed write is told.
        if (!PeriodJobExists(ADate, APersonID, FWorkplaceID))
            ShowStoreSaveFailure(PeriodStore());
        return false;
    }
    FDays->AddDayPerson(job->Date, job->PersonID, job->PersonName);
    FPersons->AddPersonDay(job->PersonID, job->Date);
    FWorkplaces->AddWorkplaceDay(job->WorkplaceID, job->Date);
    // Planning him while away is allowed; the user is only told.
    TellAbsentPlanned(PeriodStore(), job->Date, {job->PersonID});
    return true;
}

bool TWorkplaceSchedule::DeletePersonFromDay(int APersonID, TDate ADate)
{
    if (!PeriodDeleteJob(ADate, APersonID, FWorkplaceID)) {
        // Invalid arguments change nothing; a failed write is told and the
        // lists keep showing what the table still holds.
        if (ADate > 0 && APersonID > 0 && FWorkplaceID > 0)
            ShowStoreSaveFailure(PeriodStore());
        return false;
    }
    FDays->DeleteDayPerson(ADate, APersonID);
    FPersons->DeletePersonDay(APersonID, ADate);
    // The workplace's dates are those on which anybody works there.
    const TWSDay* day = FDays->FindDay(ADate);
    if (!day || day->Persons()->Count() == 0)
        FWorkplaces->DeleteWorkplaceDay(FWorkplaceID, ADate);
    return true;
}

void TWorkplaceSchedule::AddPrintParams(QStringList& AList) const
{
    StringsSetValue(AList, QStringLiteral("ScheduleDate"), ScheduleDate());
    StringsSetValue(AList, QStringLiteral("DateStart"), ShortDateText(FDateStart));
    StringsSetValue(AList, QStringLiteral("DateStartShort"), DateStartShort());
    StringsSetValue(AList, QStringLiteral("DateEnd"), ShortDateText(DateEnd()));
    StringsSetValue(AList, QStringLiteral("DateDays"), QString::number(DateDays()));
    if (const auto workplace = PeriodWorkplace(FWorkplaceID)) {
        StringsSetValue(AList, QStringLiteral("ScheduleCaption"), workplace->Name);
        StringsSetValue(AList, QStringLiteral("WorkplaceID"), QString::number(workplace->ID));
        StringsSetValue(AList, QStringLiteral("WorkplaceShortcut"), workplace->Shortcut);
        StringsSetValue(AList, QStringLiteral("WorkplaceName"), workplace->Name);
        StringsSetValue(AList, QStringLiteral("WorkplaceNote"), workplace->Note);
    }
}

void TWorkplaceSchedule::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    if (ASender == FWorkplaces.get() && AValueName == QLatin1String("WorkplaceFocused")) {
        const TWSWorkplace* focused = FWorkplaces->WorkplaceFocused();
        SetWorkplaceID(focused ? focused->ID() : 0);
    }
    if (!FSilent)
        SCNotifyEditor(FEditor.Editor(), ASender, AValueName);
    SCPassOn(FPersons.get(), ASender, ATransmiter, this, AValueName);
    SCPassOn(FWorkplaces.get(), ASender, ATransmiter, this, AValueName);
    SCPassOn(FDays.get(), ASender, ATransmiter, this, AValueName);
}

void TWorkplaceSchedule::ShowFrameEditor(QObject* AParent, QObject** AScrollBox)
{
    FEditor.Show(AParent, AScrollBox,
        [this]() -> std::unique_ptr<ISCFrameEditor> { return FrameFactory() ? FrameFactory()(this) : nullptr; });
}
