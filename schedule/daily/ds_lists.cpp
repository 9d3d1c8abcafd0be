#include "schedule/daily/ds_lists.h"

#include "schedule/daily/ds_list_parts.h"
#include "setup/setup.h"

namespace {

using namespace DSParts;

TSetupGeneral* General()
{
    TSetup* setup = TSetup::Instance();
    return setup ? setup->General() : nullptr;
}

} // namespace

// ---------------------------------------------------------------- TDSPersonWorkplace

std::optional<TRegisterWorkplaceRecord> TDSPersonWorkplace::Record() const
{
    return WorkplaceRecord(FID);
}

TWorkplace* TDSPersonWorkplace::Workplace() const
{
    return FID > 0 && Store() ? Store()->WorkplaceObject(FID) : nullptr;
}
QString TDSPersonWorkplace::Name() const
{
    return RegisterText(FID, &IDSStore::WorkplaceName);
}
QString TDSPersonWorkplace::Note() const
{
    return FieldOf(Record(), &TRegisterWorkplaceRecord::Note);
}
QString TDSPersonWorkplace::Shortcut() const
{
    return RegisterText(FID, &IDSStore::WorkplaceShortcut);
}
TColor TDSPersonWorkplace::Color() const
{
    return FieldOf(Record(), &TRegisterWorkplaceRecord::Color, White);
}
QString TDSPersonWorkplace::NameAndStoredName() const
{
    return NameWithStored(Name(), FStoredName);
}
QString TDSPersonWorkplace::ShortcutOrStoredShortcut() const
{
    auto r = Record();
    return r ? r->Shortcut : InBrackets(FStoredShortcut);
}

void TDSPersonWorkplace::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    SCPassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
}

// ---------------------------------------------------------------- TDSPersonWorkplaceList

void TDSPersonWorkplaceList::SetSilent(bool AValue)
{
    FSilent = AValue;
    SetItemsSilent(*this, AValue);
}

TDSPersonWorkplace* TDSPersonWorkplaceList::Items(int AKey) const
{
    return ListItemByKey(*this, AKey);
}

QString TDSPersonWorkplaceList::ShortcutsAsString() const
{
    QStringList parts;
    for (int i = 0; i < Count(); ++i)
        parts << TSCTypedList::Items(i)->ShortcutOrStoredShortcut();
    return parts.join(QLatin1Char('-'));
}

TDSPersonWorkplace* TDSPersonWorkplaceList::AddWorkplace(
    int AID, const QString& AStoredShortcut, const QString& AStoredName, bool ASort)
{
    return AppendItem(
        *this, AID,
        [&](TDSPersonWorkplace& AItem) {
            AItem.FID = AID;
            AItem.FOwnerList = this;
            AItem.FSilent = FSilent;
            AItem.FStoredShortcut = AStoredShortcut;
            AItem.FStoredName = AStoredName;
        },
        [&] { ASort ? SortByShortcut() : Announce(QStringLiteral("Items")); });
}

bool TDSPersonWorkplaceList::DeleteWorkplace(int AID)
{
    return RemoveItem(
        *this, AID, [](TDSPersonWorkplace*, int) {}, [this] { Announce(QStringLiteral("Items")); });
}

void TDSPersonWorkplaceList::SortByShortcut()
{
    SortLiveBeforeDeleted(
        *this, rtWorkplaceShortcut, [](const TDSPersonWorkplace* a) { return a->Shortcut(); },
        [](const TDSPersonWorkplace* a) { return a->StoredShortcut(); });
    Announce(QStringLiteral("Items"));
}

void TDSPersonWorkplaceList::Announce(const QString& AValueName)
{
    DSParts::Announce(*this, FPerson ? FPerson->Schedule() : nullptr, FSilent, AValueName);
}

void TDSPersonWorkplaceList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    RouteListNotice(*this, FSilent, nullptr, FPerson, ASender, ATransmiter, AValueName, TSilentListItems::Reached);
}

// ---------------------------------------------------------------- TDSPerson

void TDSPerson::Init()
{
    FWorkplaces = TSCList::Create<TDSPersonWorkplaceList>();
    FWorkplaces->FPerson = this;
    FWorkplaces->SetSilent(FSilent);
}

void TDSPerson::SetSilent(bool AValue)
{
    FSilent = AValue;
    FWorkplaces->SetSilent(AValue);
}

TDailySchedule* TDSPerson::Schedule() const
{
    return FOwnerList ? FOwnerList->Schedule() : nullptr;
}

std::optional<TRegisterPersonRecord> TDSPerson::Record() const
{
    return PersonRecord(FID);
}
QString TDSPerson::Name() const
{
    return RegisterText(FID, &IDSStore::PersonName);
}
QString TDSPerson::SortingName() const
{
    return RegisterText(FID, &IDSStore::PersonSortingName);
}

TPerson* TDSPerson::Person() const
{
    return FID > 0 && Store() ? Store()->PersonObject(FID) : nullptr;
}
bool TDSPerson::IsOut() const
{
    return PersonIsOut(FID, Schedule());
}

void TDSPerson::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    SCPassOn(FWorkplaces.get(), ASender, ATransmiter, this, AValueName);
    SCPassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
}

// ---------------------------------------------------------------- TDSPersonList

void TDSPersonList::Init()
{
    FSortingDirection = sdAscended;
    FSortingKind = dspskByName;
}

void TDSPersonList::SetSilent(bool AValue)
{
    FSilent = AValue;
    SetItemsSilent(*this, AValue);
}

void TDSPersonList::SetSortingDirection(TSortingDirection AValue)
{
    SetSortingValue(
        FSortingDirection, AValue, QStringLiteral("SortingDirection"), [this] { SortByKind(); },
        [this](const QString& AName) { Announce(AName); });
}

void TDSPersonList::SetSortingKind(TDSPersonSortingKind AValue)
{
    SetSortingValue(
        FSortingKind, AValue, QStringLiteral("SortingKind"), [this] { SortByKind(); },
        [this](const QString& AName) { Announce(AName); });
}

void TDSPersonList::SetPersonFocused(TDSPerson* AValue)
{
    if (AValue && IndexOf(AValue) < 0)
        AValue = nullptr;
    if (AValue == FPersonFocused) {
        Announce(QStringLiteral("PersonFocused*"));
        return;
    }
    FPersonFocused = AValue;
    Announce(QStringLiteral("PersonFocused"));
}

TDSPerson* TDSPersonList::Items(int AKey) const
{
    return ListItemByKey(*this, AKey);
}

TDSPerson* TDSPersonList::Items(const QString& AKey) const
{
    const QString key = UpperText(AKey);
    for (int i = 0; i < Count(); ++i)
        if (UpperText(TSCTypedList::Items(i)->Name()) == key)
            return TSCTypedList::Items(i);
    return nullptr;
}

void TDSPersonList::Refresh()
{
    const int focusedID = FPersonFocused ? FPersonFocused->ID() : 0;
    IDSStore* store = Store();
    // The same register in the same order: only the workers' day changes,
    // so the thousands of entries stay, as they are sorted.
    const TRegisterStamp stamp = store ? store->PersonsStamp() : TRegisterStamp();
    const bool kept = stamp.Serial != 0 && stamp == FRefreshedStamp && FRefreshedSorting == SortingSettings()
                      && Count() == store->PersonCount();
    FRefreshedStamp = stamp;
    FPersonFocused = nullptr;
    if (!kept)
        FreeObjects();
    if (store) {
        const std::vector<TJobRow> jobs = FSchedule ? store->DayJobs(FSchedule->Date()) : std::vector<TJobRow>();
        const TJobsBy byPerson(jobs, &TJobRow::PersonID);
        auto fill = [&byPerson](TDSPerson* APerson) {
            APerson->Workplaces()->FreeObjects();
            for (const TJobRow* job : byPerson.Of(APerson->ID()))
                APerson->Workplaces()->AddWorkplace(
                    job->WorkplaceID, job->WorkplaceShortcut, job->WorkplaceName, false);
            APerson->Workplaces()->SortByShortcut();
        };
        if (kept)
            for (int i = 0; i < Count(); ++i)
                fill(TSCTypedList::Items(i));
        else
            for (int i = 0; i < store->PersonCount(); ++i)
                if (TDSPerson* person = AddPersonID(store->PersonIDAt(i), false, false))
                    fill(person);
    }
    if (kept)
        Announce(QStringLiteral("Items"));
    else
        SortByKind();
    FRefreshedSorting = SortingSettings();
    TDSPerson* focus = focusedID > 0 ? Items(-focusedID) : nullptr;
    SetPersonFocused(focus ? focus : Items(0));
}

TDSPerson* TDSPersonList::AddPerson(TPerson* APerson, bool ASetAsFocused, bool ASort)
{
    if (!APerson || !Store())
        return nullptr;
    return AddPersonID(Store()->PersonObjectID(APerson), ASetAsFocused, ASort);
}

TDSPerson* TDSPersonList::AddPersonID(int APersonID, bool ASetAsFocused, bool ASort)
{
    // A worker is never listed twice, as a workplace is not.
    TDSPerson* added = AppendItem(
        *this, APersonID,
        [&](TDSPerson& AItem) {
            AItem.FID = APersonID;
            AItem.FOwnerList = this;
            AItem.SetSilent(FSilent);
        },
        [&] { ASort ? SortByKind() : Announce(QStringLiteral("Items")); });
    if (added && ASetAsFocused)
        SetPersonFocused(added);
    return added;
}

TDSPersonWorkplace* TDSPersonList::AddPersonWorkplace(
    int APersonID, int AWorkplaceID, const QString& AWorkplaceStoredShortcut, const QString& AWorkplaceStoredName)
{
    if (APersonID <= 0)
        return nullptr;
    TDSPerson* person = Items(-APersonID);
    if (!person)
        return nullptr;
    return person->Workplaces()->AddWorkplace(AWorkplaceID, AWorkplaceStoredShortcut, AWorkplaceStoredName, true);
}

bool TDSPersonList::DeletePerson(int APersonID, const QString& AMsg)
{
    if (!(APersonID > 0 ? Items(-APersonID) : nullptr))
        return false;
    if (!DeletedFromRegister(AMsg, [&](IDSStore& AStore) { return AStore.DeletePerson(APersonID); }))
        return false;
    return RemoveItem(
        *this, APersonID,
        [this](TDSPerson* APerson, int AIndex) {
            // The focus moves on to the next worker, or the one before at the end.
            if (APerson != FPersonFocused)
                return;
            if (AIndex < Count() - 1)
                FPersonFocused = Items(AIndex + 1);
            else if (AIndex == 0)
                FPersonFocused = nullptr;
            else
                FPersonFocused = Items(AIndex - 1);
        },
        [this] { Announce(QStringLiteral("Items")); });
}

bool TDSPersonList::DeletePersonWorkplace(int APersonID, int AWorkplaceID)
{
    TDSPerson* person = APersonID > 0 ? Items(-APersonID) : nullptr;
    return person && person->Workplaces()->DeleteWorkplace(AWorkplaceID);
}

bool TDSPersonList::EditPerson(int APersonID)
{
    return EditInRegister([&] { return APersonID > 0 ? Items(-APersonID) : nullptr; },
        [&](IDSStore& AStore) { return AStore.PersonRecord(APersonID) ? AStore.EditPerson(APersonID) : eoCancelled; },
        [this] { SortByKind(); });
}

void TDSPersonList::SortByKind()
{
    if (FSortingKind == dspskByName && SortByRank()) {
        Announce(QStringLiteral("Items"));
        return;
    }
    if (FSortingKind != dspskNone) {
        const TDSPersonSortingKind kind = FSortingKind;
        const TLocaleSortKeys sortKey;
        SortByKeysInDirection(
            *this, FSortingDirection,
            [kind, &sortKey](const TDSPerson* a) {
                return std::make_pair(
                    a->ID(), kind == dspskByName ? std::optional(sortKey(a->SortingName())) : std::nullopt);
            },
            [kind](const auto& a, const auto& b) {
                return kind == dspskByID ? CompareInt(a.first, b.first) : a.second->compare(*b.second);
            });
    }
    Announce(QStringLiteral("Items"));
}

bool TDSPersonList::SortByRank()
{
    const std::vector<int>* ranks = Store() ? Store()->Ranks(rtPersonSortingName) : nullptr;
    if (!ranks)
        return false;
    // Every worker listed is ranked, or the texts decide as they would.
    for (int i = 0; i < Count(); ++i)
        if (RankOf(*ranks, TSCTypedList::Items(i)->ID()) < 0)
            return false;
    SortByKeysInDirection(
        *this, FSortingDirection, [ranks](const TDSPerson* a) { return RankOf(*ranks, a->ID()); },
        [](int a, int b) { return CompareInt(a, b); });
    return true;
}

bool TDSPersonList::Print(const QString& AReportName, bool ASimplePersonList)
{
    QStringList params = PrintParams(FSchedule, ASimplePersonList, QStringLiteral("Workers"));
    if (!ASimplePersonList)
        StringsSetValue(params, QStringLiteral("ScheduleCaption"), QStringLiteral("Daily schedule, Workers"));
    IDSStore* store = Store();
    if (!store)
        return true;
    store->PreparePrint(params);
    const bool involvedOnly = General() && General()->PrintInvolvedPersonsOnly();
    for (int i = 0; i < Count(); ++i) {
        const TDSPerson* person = TSCTypedList::Items(i);
        if (involvedOnly && person->Workplaces()->Count() == 0)
            continue;
        const auto record = person->Record();
        TPrintPersonRow row;
        row.ID = person->ID();
        row.Name = FieldOf(record, &TRegisterPersonRecord::Name);
        FillPersonRow(row, record);
        row.IsOut = ASimplePersonList ? false : person->IsOut();
        row.WorkplaceID = 0;
        row.Workplaces = person->Workplaces()->ShortcutsAsString();
        row.IsDeleted = !record.has_value();
        store->AppendPrintPerson(row);
    }
    store->Print(AReportName.isEmpty() ? QStringLiteral("DSPersonsGeneral") : AReportName);
    return true;
}

void TDSPersonList::Announce(const QString& AValueName)
{
    DSParts::Announce(*this, FSchedule, FSilent, AValueName);
}

void TDSPersonList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    RouteListNotice(*this, FSilent, FEditor, FSchedule, ASender, ATransmiter, AValueName, TSilentListItems::Reached);
}

// ---------------------------------------------------------------- TDSWorkplacePerson

std::optional<TRegisterPersonRecord> TDSWorkplacePerson::Record() const
{
    return PersonRecord(FID);
}
QString TDSWorkplacePerson::Name() const
{
    return RegisterText(FID, &IDSStore::PersonName);
}

TPerson* TDSWorkplacePerson::Person() const
{
    return FID > 0 && Store() ? Store()->PersonObject(FID) : nullptr;
}
TDSWorkplace* TDSWorkplacePerson::Workplace() const
{
    return FOwnerList ? FOwnerList->Workplace() : nullptr;
}
bool TDSWorkplacePerson::IsOut() const
{
    TDSWorkplace* workplace = Workplace();
    return PersonIsOut(FID, workplace ? workplace->Schedule() : nullptr);
}
QString TDSWorkplacePerson::NameAndStoredName() const
{
    return NameWithStored(Name(), FStoredName);
}
QString TDSWorkplacePerson::WorkplaceShortcutsAsString() const
{
    TDSWorkplace* workplace = Workplace();
    if (!workplace || !workplace->OwnerList())
        return QString();
    return workplace->OwnerList()->GetShortcutsAsStringForPerson(FID);
}

void TDSWorkplacePerson::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    if (!FSilent)
        SCNotifyEditor(FEditor, ASender, AValueName);
    SCPassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
}

// ---------------------------------------------------------------- TDSWorkplacePersonList

void TDSWorkplacePersonList::SetSilent(bool AValue)
{
    FSilent = AValue;
    SetItemsSilent(*this, AValue);
}

TDSWorkplacePerson* TDSWorkplacePersonList::Items(int AKey) const
{
    return ListItemByKey(*this, AKey);
}

TDSWorkplacePerson* TDSWorkplacePersonList::AddPerson(int AID, const QString& AStoredName, bool ASort)
{
    return AppendItem(
        *this, AID,
        [&](TDSWorkplacePerson& AItem) {
            AItem.FID = AID;
            AItem.FOwnerList = this;
            AItem.FSilent = FSilent;
            AItem.FStoredName = AStoredName;
        },
        [&] {
            NotePlacedChanged();
            ASort ? SortByName() : Announce(QStringLiteral("Items"));
        });
}

bool TDSWorkplacePersonList::DeletePerson(int AID)
{
    return RemoveItem(
        *this, AID, [](TDSWorkplacePerson*, int) {},
        [this] {
            NotePlacedChanged();
            Announce(QStringLiteral("Items"));
        });
}

void TDSWorkplacePersonList::NotePlacedChanged() const
{
    if (FWorkplace && FWorkplace->OwnerList())
        ++FWorkplace->OwnerList()->FPlacedChanges;
}

void TDSWorkplacePersonList::SortByName()
{
    SortLiveBeforeDeleted(
        *this, rtPersonName, [](const TDSWorkplacePerson* a) { return a->Name(); },
        [](const TDSWorkplacePerson* a) { return a->StoredName(); });
    Announce(QStringLiteral("Items"));
}

void TDSWorkplacePersonList::Announce(const QString& AValueName)
{
    DSParts::Announce(*this, FWorkplace ? FWorkplace->Schedule() : nullptr, FSilent, AValueName);
}

void TDSWorkplacePersonList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    RouteListNotice(*this, FSilent, FEditor, FWorkplace, ASender, ATransmiter, AValueName, TSilentListItems::Reached);
}

// ---------------------------------------------------------------- TDSWorkplace

void TDSWorkplace::Init()
{
    FPersons = TSCList::Create<TDSWorkplacePersonList>();
    FPersons->FWorkplace = this;
    FPersons->SetSilent(FSilent);
}

TDailySchedule* TDSWorkplace::Schedule() const
{
    return FOwnerList ? FOwnerList->Schedule() : nullptr;
}

void TDSWorkplace::SetSilent(bool AValue)
{
    FSilent = AValue;
    FPersons->SetSilent(AValue);
}

std::optional<TRegisterWorkplaceRecord> TDSWorkplace::Record() const
{
    return WorkplaceRecord(FID);
}

TWorkplace* TDSWorkplace::Workplace() const
{
    return FID > 0 && Store() ? Store()->WorkplaceObject(FID) : nullptr;
}
QString TDSWorkplace::Name() const
{
    return RegisterText(FID, &IDSStore::WorkplaceName);
}
QString TDSWorkplace::Note() const
{
    return FieldOf(Record(), &TRegisterWorkplaceRecord::Note);
}
QString TDSWorkplace::Shortcut() const
{
    return RegisterText(FID, &IDSStore::WorkplaceShortcut);
}
TColor TDSWorkplace::Color() const
{
    return FieldOf(Record(), &TRegisterWorkplaceRecord::Color, White);
}
QString TDSWorkplace::NameAndStoredName() const
{
    return NameWithStored(Name(), FStoredName);
}
QString TDSWorkplace::ShortcutOrStoredShortcut() const
{
    auto r = Record();
    return r ? r->Shortcut : FStoredShortcut;
}
QString TDSWorkplace::ShortcutOrStoredShortcutInBrackets() const
{
    auto r = Record();
    return r ? r->Shortcut : InBrackets(FStoredShortcut);
}

void TDSWorkplace::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    SCPassOn(FPersons.get(), ASender, ATransmiter, this, AValueName);
    if (!FSilent)
        SCNotifyEditor(FEditor, ASender, AValueName);
    SCPassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
}

// ---------------------------------------------------------------- TDSWorkplaceList

void TDSWorkplaceList::Init()
{
    FSortingDirection = sdAscended;
    FSortingKind = dswskByShortcut;
}

void TDSWorkplaceList::SetSilent(bool AValue)
{
    FSilent = AValue;
    SetItemsSilent(*this, AValue);
}

void TDSWorkplaceList::SetSortingDirection(TSortingDirection AValue)
{
    SetSortingValue(
        FSortingDirection, AValue, QStringLiteral("SortingDirection"), [this] { SortByKind(); },
        [this](const QString& AName) { Announce(AName); });
}

void TDSWorkplaceList::SetSortingKind(TDSWorkplaceSortingKind AValue)
{
    SetSortingValue(
        FSortingKind, AValue, QStringLiteral("SortingKind"), [this] { SortByKind(); },
        [this](const QString& AName) { Announce(AName); });
}

TDSWorkplace* TDSWorkplaceList::Items(int AKey) const
{
    return ListItemByKey(*this, AKey);
}

TDSWorkplace* TDSWorkplaceList::Items(const QString& AKey) const
{
    const bool byShortcut = AKey.startsWith(QLatin1Char('^'));
    const QString key = UpperText(byShortcut ? AKey.mid(1) : AKey);
    for (int i = 0; i < Count(); ++i) {
        TDSWorkplace* item = TSCTypedList::Items(i);
        if (UpperText(byShortcut ? item->Shortcut() : item->Name()) == key)
            return item;
    }
    return nullptr;
}

void TDSWorkplaceList::Refresh()
{
    FreeObjects();
    IDSStore* store = Store();
    if (store) {
        const std::vector<TJobRow> jobs = FSchedule ? store->DayJobs(FSchedule->Date()) : std::vector<TJobRow>();
        const TJobsBy byWorkplace(jobs, &TJobRow::WorkplaceID);
        auto fill = [this, &byWorkplace](TDSWorkplace* AWorkplace) {
            AWorkplace->Persons()->FreeObjects();
            ++FPlacedChanges;
            for (const TJobRow* job : byWorkplace.Of(AWorkplace->ID()))
                AWorkplace->Persons()->AddPerson(job->PersonID, job->PersonName, false);
            AWorkplace->Persons()->SortByName();
        };
        for (int i = 0; i < store->WorkplaceCount(); ++i)
            if (TDSWorkplace* workplace = AddWorkplaceItem(store->WorkplaceIDAt(i), QString(), QString(), false))
                fill(workplace);
        for (const TJobRow& job : jobs) {
            TDSWorkplace* workplace = Items(-job.WorkplaceID);
            if (!workplace) {
                // Deleted from the register: shown by the names its rows stored.
                if (TDSWorkplace* added
                    = AddWorkplaceItem(job.WorkplaceID, job.WorkplaceShortcut, job.WorkplaceName, true))
                    fill(added);
            } else if (workplace->StoredName().isEmpty() && workplace->Name() != job.WorkplaceName) {
                workplace->SetStoredName(job.WorkplaceName);
                workplace->SetStoredShortcut(job.WorkplaceShortcut);
            }
        }
    }
    SortByKind();
}

TDSWorkplace* TDSWorkplaceList::AddWorkplace(TWorkplace* AWorkplace, bool ASort)
{
    if (!AWorkplace || !Store())
        return nullptr;
    return AddWorkplaceItem(Store()->WorkplaceObjectID(AWorkplace), QString(), QString(), ASort);
}

TDSWorkplace* TDSWorkplaceList::AddWorkplaceItem(
    int AID, const QString& AStoredShortcut, const QString& AStoredName, bool ASort)
{
    return AppendItem(
        *this, AID,
        [&](TDSWorkplace& AItem) {
            AItem.FID = AID;
            AItem.FOwnerList = this;
            AItem.SetSilent(FSilent);
            AItem.FStoredShortcut = AStoredShortcut;
            AItem.FStoredName = AStoredName;
        },
        [&] { ASort ? SortByKind() : Announce(QStringLiteral("Items")); });
}

TDSWorkplacePerson* TDSWorkplaceList::AddWorkplacePerson(int AWorkplaceID, int APersonID,
    const QString& AStoredWorkplaceShortcut, const QString& AStoredWorkplaceName, const QString& AStoredPersonName)
{
    if (AWorkplaceID <= 0 || APersonID <= 0)
        return nullptr;
    TDSWorkplace* workplace = Items(-AWorkplaceID);
    if (!workplace && !AStoredWorkplaceShortcut.isEmpty() && !AStoredWorkplaceName.isEmpty())
        workplace = AddWorkplaceItem(AWorkplaceID, AStoredWorkplaceShortcut, AStoredWorkplaceName, true);
    if (!workplace)
        return nullptr;
    return workplace->Persons()->AddPerson(APersonID, AStoredPersonName, true);
}

bool TDSWorkplaceList::DeleteWorkplace(int AWorkplaceID, const QString& AMsg)
{
    if (!(AWorkplaceID > 0 ? Items(-AWorkplaceID) : nullptr))
        return false;
    if (!DeletedFromRegister(AMsg, [&](IDSStore& AStore) { return AStore.DeleteWorkplace(AWorkplaceID); }))
        return false;
    return RemoveItem(
        *this, AWorkplaceID, [](TDSWorkplace*, int) {}, [this] { Announce(QStringLiteral("Items")); });
}

bool TDSWorkplaceList::DeleteWorkplacePerson(int AWorkplaceID, int APersonID)
{
    if (AWorkplaceID <= 0 || APersonID <= 0)
        return false;
    TDSWorkplace* workplace = Items(-AWorkplaceID);
    return workplace && workplace->Persons()->DeletePerson(APersonID);
}

bool TDSWorkplaceList::EditWorkplace(int AWorkplaceID)
{
    return EditInRegister([&] { return AWorkplaceID > 0 ? Items(-AWorkplaceID) : nullptr; },
        [&](IDSStore& AStore) {
            return AStore.WorkplaceRecord(AWorkplaceID) ? AStore.EditWorkplace(AWorkplaceID) : eoCancelled;
        },
        [this] { SortByKind(); });
}

QString TDSWorkplaceList::GetShortcutsAsStringForPerson(int APersonID) const
{
    if (const std::pair stamp{Changes(), FPlacedChanges}; stamp != FPlacedStamp) {
        FPlaced.clear();
        for (int i = 0; i < Count(); ++i) {
            const TDSWorkplace* workplace = TSCTypedList::Items(i);
            for (int k = 0; k < workplace->Persons()->Count(); ++k) {
                std::vector<const TDSWorkplace*>& placed = FPlaced[workplace->Persons()->Items(k)->ID()];
                if (placed.empty() || placed.back() != workplace)
                    placed.push_back(workplace);
            }
        }
        FPlacedStamp = stamp;
    }
    const auto placed = FPlaced.find(APersonID);
    if (placed == FPlaced.end())
        return QString();
    // The texts are read now: a register shortcut may have changed since.
    QStringList parts;
    for (const TDSWorkplace* workplace : placed->second)
        parts << workplace->ShortcutOrStoredShortcutInBrackets();
    return parts.join(QLatin1Char('-'));
}

void TDSWorkplaceList::SortByKind()
{
    if (FSortingKind != dswskNone) {
        struct TKey {
            int ID;
            std::optional<QCollatorSortKey> Shown;
            std::optional<TLiveBeforeDeletedKey> Live;
        };
        const TDSWorkplaceSortingKind kind = FSortingKind;
        const TLocaleSortKeys sortKey;
        SortByKeysInDirection(
            *this, FSortingDirection,
            [kind, &sortKey](const TDSWorkplace* a) {
                TKey key{a->ID(), {}, {}};
                if (kind == dswskByShortcut) {
                    key.Shown = sortKey(a->ShortcutOrStoredShortcut());
                    key.Live = LiveBeforeDeletedKey(sortKey, a->Shortcut(), a->StoredShortcut());
                } else if (kind == dswskByName) {
                    key.Live = LiveBeforeDeletedKey(sortKey, a->Name(), a->StoredName());
                }
                return key;
            },
            [kind](const TKey& a, const TKey& b) {
                if (kind == dswskByID)
                    return CompareInt(a.ID, b.ID);
                if (kind == dswskByShortcut) {
                    const int shown = a.Shown->compare(*b.Shown);
                    if (shown != 0)
                        return shown;
                }
                return CompareLiveBeforeDeleted(*a.Live, *b.Live);
            });
    }
    Announce(QStringLiteral("Items"));
}

bool TDSWorkplaceList::Print(const QString& AReportName, bool ASimpleWorkplaceList)
{
    const QStringList params = PrintParams(FSchedule, ASimpleWorkplaceList, QStringLiteral("Workplaces"));
    IDSStore* store = Store();
    if (!store)
        return true;
    store->PreparePrint(params);
    const bool occupiedOnly = General() && General()->PrintOccupiedWorkplacesOnly();
    for (int i = 0; i < Count(); ++i) {
        const TDSWorkplace* workplace = TSCTypedList::Items(i);
        if (occupiedOnly && workplace->Persons()->Count() == 0)
            continue;
        const auto record = workplace->Record();
        TPrintWorkplaceRow row;
        row.ID = workplace->ID();
        row.Shortcut = workplace->ShortcutOrStoredShortcut();
        row.Name = workplace->NameAndStoredName();
        row.Note = record ? record->Note : QString();
        row.IsDeleted = !record.has_value();
        store->AppendPrintWorkplace(row);
        for (int j = 0; j < workplace->Persons()->Count(); ++j) {
            const TDSWorkplacePerson* person = workplace->Persons()->Items(j);
            const auto personRecord = person->Record();
            TPrintPersonRow personRow;
            personRow.ID = person->ID();
            personRow.Name = person->NameAndStoredName();
            FillPersonRow(personRow, personRecord);
            personRow.IsOut = person->IsOut();
            personRow.WorkplaceID = workplace->ID();
            personRow.Workplaces = person->WorkplaceShortcutsAsString();
            personRow.IsDeleted = !personRecord.has_value();
            store->AppendPrintPerson(personRow);
        }
    }
    store->Print(AReportName.isEmpty() ? QStringLiteral("DailyScheduleGeneral") : AReportName);
    return true;
}

void TDSWorkplaceList::Announce(const QString& AValueName)
{
    DSParts::Announce(*this, FSchedule, FSilent, AValueName);
}

void TDSWorkplaceList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    RouteListNotice(*this, FSilent, FEditor, FSchedule, ASender, ATransmiter, AValueName, TSilentListItems::Reached);
}

// ---------------------------------------------------------------- drag payloads

TDSPersonDragObjectEx::TDSPersonDragObjectEx(int APersonID)
{
    SetPersonID(APersonID);
}

void TDSPersonDragObjectEx::SetPersonID(int AValue)
{
    FPersonID = AValue;
    setData(MimeType(), QByteArray::number(AValue));
}

TDSWorkplacePersonDragObjectEx::TDSWorkplacePersonDragObjectEx(int APersonID, int AWorkplaceID)
    : TDSPersonDragObjectEx(APersonID),
      FWorkplaceID(AWorkplaceID)
{
}
