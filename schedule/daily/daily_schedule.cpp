#include "schedule/daily/daily_schedule.h"

#include "data/history.h"
#include "data/macro_man.h"
#include "schedule/absence_notice.h"
#include "setup/setup.h"

#include <algorithm>
#include <set>

namespace {

TSCFrameEditorFactory<TDailySchedule>& Factory()
{
    static TSCFrameEditorFactory<TDailySchedule> factory;
    return factory;
}

int MaxPrevDayCount()
{
    TSetup* setup = TSetup::Instance();
    return setup ? setup->General()->MaxPrevDayCount() : 35;
}

} // namespace

void TDailySchedule::SetFrameEditorFactory(TSCFrameEditorFactory<TDailySchedule> AFactory)
{
    Factory() = std::move(AFactory);
}

TDailySchedule::TDailySchedule()
{
    FPersons = TSCList::Create<TDSPersonList>();
    FPersons->SetSchedule(this);
    FPersons->SetSilent(FSilent);
    FWorkplaces = TSCList::Create<TDSWorkplaceList>();
    FWorkplaces->SetSchedule(this);
    FWorkplaces->SetSilent(FSilent);
}

TDailySchedule::~TDailySchedule()
{
    // The screen first: it is bound to the lists.
    FEditor.Destroy();
    FWorkplaces.reset();
    FPersons.reset();
}

void TDailySchedule::SetSilent(bool AValue)
{
    FSilent = AValue;
    FPersons->SetSilent(AValue);
    FWorkplaces->SetSilent(AValue);
}

void TDailySchedule::SetDate(TDate AValue)
{
    if (AValue == 0)
        AValue = FDate;
    if (AValue == 0)
        AValue = Today();
    AValue = TruncDate(AValue);
    if (AValue == FDate) {
        Announce(QStringLiteral("Date*"));
        return;
    }
    FDate = AValue;
    Announce(QStringLiteral("Date"));
    Refresh(dsrkAll);
}

void TDailySchedule::Refresh(TDailyScheduleRefreshKinds ARefreshKind)
{
    const bool wasSilent = FSilent;
    SetSilent(true);
    ++FRebuilding;
    if (ARefreshKind & DSRefreshKinds(dsrkPersons))
        FPersons->Refresh();
    if (ARefreshKind & DSRefreshKinds(dsrkWorkplaces))
        FWorkplaces->Refresh();
    --FRebuilding;
    SetSilent(wasSilent);
    FPersons->DataChanged(FPersons.get(), FPersons.get(), QString());
    FWorkplaces->DataChanged(FWorkplaces.get(), FWorkplaces.get(), QString());
}

bool TDailySchedule::AddPersonToWorkplace(int APersonID, int AWorkplaceID)
{
    IDSStore* store = DSStore();
    if (APersonID <= 0 || AWorkplaceID <= 0 || !store || !store->PersonRecord(APersonID)
        || !store->WorkplaceRecord(AWorkplaceID))
        return false;
    const auto job = store->AddJob(FDate, APersonID, AWorkplaceID);
    if (!job) {
        // A pair already there is refused quietly; a failed write is told.
        if (!store->JobExists(FDate, APersonID, AWorkplaceID))
            ShowStoreSaveFailure(DSStore());
        return false;
    }
    FPersons->AddPersonWorkplace(job->PersonID, job->WorkplaceID, job->WorkplaceShortcut, job->WorkplaceName);
    FWorkplaces->AddWorkplacePerson(
        job->WorkplaceID, job->PersonID, job->WorkplaceShortcut, job->WorkplaceName, job->PersonName);
    // Planning him while away is allowed; the user is only told.
    TellAbsentPlanned(store, FDate, {job->PersonID});
    return true;
}

bool TDailySchedule::DeletePersonFromWorkplace(int APersonID, int AWorkplaceID)
{
    IDSStore* store = DSStore();
    if (!store || !store->DeleteJob(FDate, APersonID, AWorkplaceID)) {
        // Only a refused write is a failure; invalid IDs have nothing to save.
        if (store && FDate > 0 && APersonID > 0 && AWorkplaceID > 0)
            ShowStoreSaveFailure(DSStore());
        return false;
    }
    FWorkplaces->DeleteWorkplacePerson(AWorkplaceID, APersonID);
    FPersons->DeletePersonWorkplace(APersonID, AWorkplaceID);
    return true;
}

void TDailySchedule::ClearAllPersonsFromWorkplaces()
{
    IDSStore* store = DSStore();
    if (!store)
        return;
    bool failed = false;
    // One write for the whole day, one step of the history.
    THistoryGroup step(QStringLiteral("Clear all %1").arg(ShortDateText(FDate)));
    store->BeginChanges();
    for (int i = 0; i < FWorkplaces->Count(); ++i) {
        TDSWorkplace* workplace = FWorkplaces->Items(i);
        for (int j = 0; j < workplace->Persons()->Count(); ++j)
            if (!store->DeleteJob(FDate, workplace->Persons()->Items(j)->ID(), workplace->ID()))
                failed = true;
    }
    if (!store->EndChanges())
        failed = true;
    Refresh(dsrkAll);
    if (failed)
        ShowStoreSaveFailure(DSStore());
}

bool TDailySchedule::ApplyMacro(TMacro* AMacro)
{
    if (!AMacro || !DSStore())
        return false;
    THistoryGroup step(QStringLiteral("Apply template \"%1\" %2").arg(AMacro->Name(), ShortDateText(FDate)));
    return ApplyMacroPairs(DSStore()->MacroPairs(AMacro));
}

bool TDailySchedule::ApplyMacroPairs(const std::vector<TDSMacroPair>& APairs)
{
    IDSStore* store = DSStore();
    if (!store)
        return false;
    std::vector<TDSMacroPair> pairs;
    pairs.reserve(APairs.size());
    // Workers the day gets anew, for the absence notice.
    std::vector<int> placed;
    for (const auto& pair : APairs)
        if (pair.first >= 1 && pair.second >= 1 && store->HasPerson(pair.first) && store->HasWorkplace(pair.second)) {
            pairs.push_back(pair);
            const TDSWorkplace* workplace = FWorkplaces->Items(-pair.second);
            if (!workplace || !workplace->Persons()->Items(-pair.first))
                placed.push_back(pair.first);
        }
    // One write for the whole template; pairs the day has are skipped there.
    store->BeginChanges();
    bool failed = !store->AddJobs(FDate, pairs);
    if (!store->EndChanges())
        failed = true;
    Refresh(dsrkAll);
    if (failed)
        ShowStoreSaveFailure(DSStore());
    else
        TellAbsentPlanned(store, FDate, placed);
    return true;
}

TDate TDailySchedule::SystemTemplateSourceDay(
    TDailyScheduleSystemTemplateKind ATemplateKind, std::vector<TDSMacroPair>* APairs)
{
    IDSStore* store = DSStore();
    if (!store)
        return 0;
    auto tryDay = [&](TDate ADay) -> bool {
        auto pairs = store->SystemMacro(ADay);
        if (!pairs)
            return false;
        if (APairs)
            *APairs = std::move(*pairs);
        return true;
    };
    if (ATemplateKind == dsstkPrevDay) {
        const int count = std::max(1, MaxPrevDayCount());
        for (int i = 1; i <= count; ++i)
            if (tryDay(FDate - i))
                return FDate - i;
        return 0;
    }
    TDate source = 0;
    if (ATemplateKind == dsstkPrevDayLastWeek) {
        source = FDate - 7;
    } else {
        const int k = static_cast<int>(ATemplateKind);
        const int w = DayOfTheWeek(FDate);
        source = FDate - (w > k ? w - k : w - k + 7);
    }
    return tryDay(source) ? source : 0;
}

bool TDailySchedule::ApplySystemTemplate(TDailyScheduleSystemTemplateKind ATemplateKind)
{
    std::vector<TDSMacroPair> pairs;
    const TDate source = SystemTemplateSourceDay(ATemplateKind, &pairs);
    if (source == 0)
        return false;
    THistoryGroup step(QStringLiteral("Copy %1 to %2").arg(ShortDateText(source), ShortDateText(FDate)));
    return ApplyMacroPairs(pairs);
}

std::vector<TDSMacroPair> TDailySchedule::GetMacroPairs() const
{
    std::vector<TDSMacroPair> pairs;
    std::set<TDSMacroPair> held;
    for (int i = 0; i < FWorkplaces->Count(); ++i) {
        const TDSWorkplace* workplace = FWorkplaces->Items(i);
        for (int j = 0; j < workplace->Persons()->Count(); ++j) {
            const TDSMacroPair pair{workplace->Persons()->Items(j)->ID(), workplace->ID()};
            if (pair.first >= 1 && pair.second >= 1 && held.insert(pair).second)
                pairs.push_back(pair);
        }
    }
    return pairs;
}

QStringList TDailySchedule::AbsentPlanned() const
{
    std::vector<int> planned;
    for (int i = 0; i < FPersons->Count(); ++i) {
        const TDSPerson* person = FPersons->Items(i);
        if (person->Workplaces()->Count() > 0)
            planned.push_back(person->ID());
    }
    return AbsenceTexts(DSStore(), FDate, planned);
}

void TDailySchedule::AddPrintParams(QStringList& AList) const
{
    StringsSetValue(AList, QStringLiteral("ScheduleDate"), ShortDateText(FDate));
    StringsSetValue(AList, QStringLiteral("ScheduleCaption"), QStringLiteral("Daily schedule"));
}

void TDailySchedule::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    if (!FSilent)
        SCNotifyEditor(Editor(), ASender, AValueName);
    if (FPersons && FPersons.get() != ATransmiter)
        FPersons->DataChanged(ASender, this, AValueName);
    if (FWorkplaces && FWorkplaces.get() != ATransmiter)
        FWorkplaces->DataChanged(ASender, this, AValueName);
}

void TDailySchedule::ShowFrameEditor(QObject* AParent, QObject** AScrollBox)
{
    FEditor.Show(AParent, AScrollBox,
        [this]() -> std::unique_ptr<ISCFrameEditor> { return Factory() ? Factory()(this) : nullptr; });
}

std::unique_ptr<TMacro> TDailySchedule::GetMacro() const
{
    auto macro = TSCObject::Create<TMacro>();
    for (const auto& [personID, workplaceID] : GetMacroPairs())
        macro->MacroJobs()->AddMacroJob(personID, workplaceID);
    return macro;
}
