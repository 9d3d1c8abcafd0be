#include "schedule/daily/ds_lists.h"

#include "core/dialogs.h"
#include "schedule/daily/daily_schedule.h"
#include "setup/setup.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {

constexpr TColor DSWhite = 0xFFFFFF;

IDSStore* Store() { return DSStore(); }

// Passes a notice on to a neighbour unless it is the transmitter.
template <class T>
void PassOn(T* ANode, TObject* ASender, TObject* ATransmiter, TObject* AFrom, const QString& AValueName)
{
    if (ANode && ANode != ATransmiter)
        ANode->DataChanged(ASender, AFrom, AValueName);
}

// A whole rebuild is silent; its inner announcements would reach no view.
bool Quiet(const TDailySchedule* ASchedule, bool ASilent) { return ASilent && ASchedule && ASchedule->Rebuilding(); }

// The user's locale collation ignoring case, made anew when the locale changes.
const QCollator& Collator()
{
    static thread_local QCollator collator;
    static thread_local QString localeName;
    static thread_local bool made = false;
    const QLocale locale;
    if (!made || localeName != locale.name()) {
        collator = QCollator(locale);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        localeName = locale.name();
        made = true;
    }
    return collator;
}

int CompareText(const QString& A, const QString& B) { return Collator().compare(A, B); }

// Live objects first in order of their current texts, then the deleted ones
// in order of their stored texts.
int CompareLiveBeforeDeleted(const QString& ACurrentA, const QString& AStoredA, const QString& ACurrentB,
                             const QString& AStoredB)
{
    if (ACurrentA.isEmpty() && !ACurrentB.isEmpty())
        return 1;
    if (!ACurrentA.isEmpty() && ACurrentB.isEmpty())
        return -1;
    if (ACurrentA.isEmpty() && ACurrentB.isEmpty())
        return CompareText(AStoredA, AStoredB);
    return CompareText(ACurrentA, ACurrentB);
}

QString NameWithStored(const QString& AName, const QString& AStored)
{
    if (SameTextIgnoringCase(AName, AStored))
        return AName;
    if (AName.isEmpty())
        return AStored;
    if (!AStored.isEmpty())
        return AName + QStringLiteral(" (") + AStored + QLatin1Char(')');
    return AName;
}

// Sorts by keys read once per item, so a sort reads every register object
// once instead of at each comparison.
template <class TList, class TItem, class TKey>
void SortByKeys(TList& AList, const std::function<TKey(const TItem*)>& AKeyOf,
                const std::function<int(const TKey&, const TKey&)>& ACompare)
{
    std::vector<std::pair<TKey, int>> keys;
    keys.reserve(static_cast<size_t>(AList.Count()));
    for (int i = 0; i < AList.Count(); ++i)
        keys.emplace_back(AKeyOf(AList.Items(i)), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [&](const auto& a, const auto& b) { return ACompare(a.first, b.first) < 0; });
    std::vector<std::unique_ptr<TItem>> items;
    items.reserve(keys.size());
    for (int i = AList.Count() - 1; i >= 0; --i)
        items.push_back(AList.Extract(i));
    std::reverse(items.begin(), items.end());
    for (auto& key : keys)
        AList.Add(std::move(items[static_cast<size_t>(key.second)]));
}

TSetupGeneral* General()
{
    TSetup* setup = TSetup::Instance();
    return setup ? setup->General() : nullptr;
}

bool Confirmed(const QString& AMsg)
{
    if (AMsg.isEmpty())
        return true;
    return ShowMessageBox(AMsg, mtConfirmation, mbYes | mbNo) == mrYes;
}

} // namespace

// ---------------------------------------------------------------- TDSPersonWorkplace

std::optional<TDSWorkplaceRecord> TDSPersonWorkplace::Record() const
{
    if (FID <= 0 || !Store())
        return std::nullopt;
    return Store()->WorkplaceRecord(FID);
}

TWorkplace* TDSPersonWorkplace::Workplace() const { return FID > 0 && Store() ? Store()->WorkplaceObject(FID) : nullptr; }
QString TDSPersonWorkplace::Name() const
{
    auto r = Record();
    return r ? r->Name : QString();
}
QString TDSPersonWorkplace::Note() const
{
    auto r = Record();
    return r ? r->Note : QString();
}
QString TDSPersonWorkplace::Shortcut() const
{
    auto r = Record();
    return r ? r->Shortcut : QString();
}
TColor TDSPersonWorkplace::Color() const
{
    auto r = Record();
    return r ? r->Color : DSWhite;
}
QString TDSPersonWorkplace::NameAndStoredName() const { return NameWithStored(Name(), FStoredName); }
QString TDSPersonWorkplace::ShortcutOrStoredShortcut() const
{
    auto r = Record();
    return r ? r->Shortcut : QStringLiteral("(") + FStoredShortcut + QLatin1Char(')');
}

void TDSPersonWorkplace::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    PassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
}

// ---------------------------------------------------------------- TDSPersonWorkplaceList

void TDSPersonWorkplaceList::SetSilent(bool AValue)
{
    FSilent = AValue;
    for (int i = 0; i < Count(); ++i)
        TSCTypedList::Items(i)->SetSilent(AValue);
}

TDSPersonWorkplace* TDSPersonWorkplaceList::Items(int AKey) const
{
    if (AKey >= 0)
        return TSCTypedList::Items(AKey);
    for (int i = 0; i < Count(); ++i)
        if (TSCTypedList::Items(i)->ID() == -AKey)
            return TSCTypedList::Items(i);
    return nullptr;
}

QString TDSPersonWorkplaceList::ShortcutsAsString() const
{
    QStringList parts;
    for (int i = 0; i < Count(); ++i)
        parts << TSCTypedList::Items(i)->ShortcutOrStoredShortcut();
    return parts.join(QLatin1Char('-'));
}

TDSPersonWorkplace* TDSPersonWorkplaceList::AddWorkplace(int AID, const QString& AStoredShortcut,
                                                         const QString& AStoredName, bool ASort)
{
    if (AID < 1 || Items(-AID))
        return nullptr;
    auto item = TSCObject::Create<TDSPersonWorkplace>();
    item->FID = AID;
    item->FOwnerList = this;
    item->FSilent = FSilent;
    item->FStoredShortcut = AStoredShortcut;
    item->FStoredName = AStoredName;
    TDSPersonWorkplace* added = item.get();
    Add(std::move(item));
    if (ASort)
        SortByShortcut();
    else
        Announce(QStringLiteral("Items"));
    return added;
}

bool TDSPersonWorkplaceList::DeleteWorkplace(int AID)
{
    if (AID < 1)
        return false;
    TDSPersonWorkplace* item = Items(-AID);
    if (!item)
        return false;
    Delete(IndexOf(item));
    Announce(QStringLiteral("Items"));
    return true;
}

void TDSPersonWorkplaceList::SortByShortcut()
{
    struct TKey {
        QString Current, Stored;
    };
    SortByKeys<TDSPersonWorkplaceList, TDSPersonWorkplace, TKey>(
        *this, [](const TDSPersonWorkplace* a) { return TKey{a->Shortcut(), a->StoredShortcut()}; },
        [](const TKey& a, const TKey& b) { return CompareLiveBeforeDeleted(a.Current, a.Stored, b.Current, b.Stored); });
    Announce(QStringLiteral("Items"));
}

void TDSPersonWorkplaceList::Announce(const QString& AValueName)
{
    if (Quiet(FPerson ? FPerson->Schedule() : nullptr, FSilent))
        return;
    DataChanged(this, this, AValueName);
}

void TDSPersonWorkplaceList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    for (int i = 0; i < Count(); ++i)
        PassOn(TSCTypedList::Items(i), ASender, ATransmiter, this, AValueName);
    PassOn(FPerson, ASender, ATransmiter, this, AValueName);
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

TDailySchedule* TDSPerson::Schedule() const { return FOwnerList ? FOwnerList->Schedule() : nullptr; }

std::optional<TDSPersonRecord> TDSPerson::Record() const
{
    if (FID <= 0 || !Store())
        return std::nullopt;
    return Store()->PersonRecord(FID);
}

TPerson* TDSPerson::Person() const { return FID > 0 && Store() ? Store()->PersonObject(FID) : nullptr; }
QString TDSPerson::Name() const
{
    auto r = Record();
    return r ? r->Name : QString();
}
QString TDSPerson::Note() const
{
    auto r = Record();
    return r ? r->Note : QString();
}
QString TDSPerson::NoteOut() const
{
    auto r = Record();
    return r ? r->NoteOut : QString();
}
QString TDSPerson::SortingName() const
{
    auto r = Record();
    return r ? r->SortingName : QString();
}
TDate TDSPerson::DateOutFrom() const
{
    auto r = Record();
    return r ? r->DateOutFrom : 0;
}
TDate TDSPerson::DateOutTo() const
{
    auto r = Record();
    return r ? r->DateOutTo : 0;
}
int TDSPerson::DaysOut() const
{
    auto r = Record();
    return r ? r->DaysOut : 0;
}
bool TDSPerson::IsOut() const
{
    TDailySchedule* schedule = Schedule();
    if (!schedule || FID <= 0 || !Store())
        return false;
    return Store()->PersonIsOut(FID, schedule->Date());
}

void TDSPerson::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    PassOn(FWorkplaces.get(), ASender, ATransmiter, this, AValueName);
    PassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
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
    for (int i = 0; i < Count(); ++i)
        TSCTypedList::Items(i)->SetSilent(AValue);
}

void TDSPersonList::SetSortingDirection(TSortingDirection AValue)
{
    if (AValue == FSortingDirection) {
        Announce(QStringLiteral("SortingDirection*"));
        return;
    }
    FSortingDirection = AValue;
    SortByKind();
    Announce(QStringLiteral("SortingDirection"));
}

void TDSPersonList::SetSortingKind(TDSPersonSortingKind AValue)
{
    if (AValue == FSortingKind) {
        Announce(QStringLiteral("SortingKind*"));
        return;
    }
    FSortingKind = AValue;
    SortByKind();
    Announce(QStringLiteral("SortingKind"));
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
    if (AKey >= 0)
        return TSCTypedList::Items(AKey);
    for (int i = 0; i < Count(); ++i)
        if (TSCTypedList::Items(i)->ID() == -AKey)
            return TSCTypedList::Items(i);
    return nullptr;
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
    FPersonFocused = nullptr;
    FreeObjects();
    IDSStore* store = Store();
    if (store) {
        const std::vector<TDSJobRecord> jobs = FSchedule ? store->DayJobs(FSchedule->Date()) : std::vector<TDSJobRecord>();
        for (int i = 0; i < store->PersonCount(); ++i) {
            TDSPerson* person = AddPersonID(store->PersonIDAt(i), false, false);
            if (!person)
                continue;
            person->Workplaces()->FreeObjects();
            for (const TDSJobRecord& job : jobs)
                if (job.PersonID == person->ID())
                    person->Workplaces()->AddWorkplace(job.WorkplaceID, job.WorkplaceShortcut, job.WorkplaceName, false);
            person->Workplaces()->SortByShortcut();
        }
    }
    SortByKind();
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
    if (APersonID < 1)
        return nullptr;
    auto item = TSCObject::Create<TDSPerson>();
    item->FID = APersonID;
    item->FOwnerList = this;
    item->SetSilent(FSilent);
    TDSPerson* added = item.get();
    Add(std::move(item));
    if (ASort)
        SortByKind();
    else
        Announce(QStringLiteral("Items"));
    if (ASetAsFocused)
        SetPersonFocused(added);
    return added;
}

TDSPersonWorkplace* TDSPersonList::AddPersonWorkplace(int APersonID, int AWorkplaceID,
                                                      const QString& AWorkplaceStoredShortcut,
                                                      const QString& AWorkplaceStoredName)
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
    TDSPerson* person = APersonID > 0 ? Items(-APersonID) : nullptr;
    if (!person)
        return false;
    if (!Confirmed(AMsg))
        return false;
    IDSStore* store = Store();
    // The list changes only once the register record is gone.
    if (!store || !store->DeletePerson(APersonID)) {
        DSShowSaveFailure();
        return false;
    }
    const int index = IndexOf(person);
    if (person == FPersonFocused) {
        if (index < Count() - 1)
            FPersonFocused = Items(index + 1);
        else if (index == 0)
            FPersonFocused = nullptr;
        else
            FPersonFocused = Items(index - 1);
    }
    Delete(index);
    Announce(QStringLiteral("Items"));
    return true;
}

bool TDSPersonList::DeletePersonWorkplace(int APersonID, int AWorkplaceID)
{
    TDSPerson* person = APersonID > 0 ? Items(-APersonID) : nullptr;
    return person && person->Workplaces()->DeleteWorkplace(AWorkplaceID);
}

bool TDSPersonList::EditPerson(int APersonID)
{
    TDSPerson* person = APersonID > 0 ? Items(-APersonID) : nullptr;
    if (!person || !Store() || !Store()->PersonRecord(APersonID))
        return false;
    const bool saved = Store()->EditPerson(APersonID);
    if (saved) {
        person->DataChanged(person, person, QString());
        SortByKind();
    }
    return saved;
}

void TDSPersonList::SortByKind()
{
    if (FSortingKind != dspskNone) {
        const bool descending = FSortingDirection == sdDescended;
        struct TKey {
            int ID;
            QString Text;
        };
        const TDSPersonSortingKind kind = FSortingKind;
        SortByKeys<TDSPersonList, TDSPerson, TKey>(
            *this,
            [kind](const TDSPerson* a) { return TKey{a->ID(), kind == dspskByName ? a->SortingName() : QString()}; },
            [kind, descending](const TKey& a0, const TKey& b0) {
                const TKey& a = descending ? b0 : a0;
                const TKey& b = descending ? a0 : b0;
                return kind == dspskByID ? CompareInt(a.ID, b.ID) : CompareText(a.Text, b.Text);
            });
    }
    Announce(QStringLiteral("Items"));
}

bool TDSPersonList::Print(const QString& AReportName, bool ASimplePersonList)
{
    QStringList params;
    if (FSchedule)
        FSchedule->AddPrintParams(params);
    if (ASimplePersonList) {
        StringsSetValue(params, QStringLiteral("ScheduleDate"), QString());
        StringsSetValue(params, QStringLiteral("ScheduleCaption"), QStringLiteral("Workers"));
    } else {
        StringsSetValue(params, QStringLiteral("ScheduleCaption"), QStringLiteral("Daily schedule, Workers"));
    }
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
        TDSPrintPersonRow row;
        row.ID = person->ID();
        if (record) {
            row.Name = record->Name;
            row.SortingName = record->SortingName;
            row.Note = record->Note;
            row.DateOutFrom = record->DateOutFrom;
            row.DateOutTo = record->DateOutTo;
            row.DaysOut = record->DaysOut;
            row.NoteOut = record->NoteOut;
        }
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
    if (Quiet(FSchedule, FSilent))
        return;
    DataChanged(this, this, AValueName);
}

void TDSPersonList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    for (int i = 0; i < Count(); ++i)
        PassOn(TSCTypedList::Items(i), ASender, ATransmiter, this, AValueName);
    if (!FSilent)
        SCNotifyEditor(FEditor, ASender, AValueName);
    PassOn(FSchedule, ASender, ATransmiter, this, AValueName);
}

// ---------------------------------------------------------------- TDSWorkplacePerson

std::optional<TDSPersonRecord> TDSWorkplacePerson::Record() const
{
    if (FID <= 0 || !Store())
        return std::nullopt;
    return Store()->PersonRecord(FID);
}

TPerson* TDSWorkplacePerson::Person() const { return FID > 0 && Store() ? Store()->PersonObject(FID) : nullptr; }
TDSWorkplace* TDSWorkplacePerson::Workplace() const { return FOwnerList ? FOwnerList->Workplace() : nullptr; }
QString TDSWorkplacePerson::Name() const
{
    auto r = Record();
    return r ? r->Name : QString();
}
QString TDSWorkplacePerson::Note() const
{
    auto r = Record();
    return r ? r->Note : QString();
}
QString TDSWorkplacePerson::NoteOut() const
{
    auto r = Record();
    return r ? r->NoteOut : QString();
}
QString TDSWorkplacePerson::SortingName() const
{
    auto r = Record();
    return r ? r->SortingName : QString();
}
TDate TDSWorkplacePerson::DateOutFrom() const
{
    auto r = Record();
    return r ? r->DateOutFrom : 0;
}
TDate TDSWorkplacePerson::DateOutTo() const
{
    auto r = Record();
    return r ? r->DateOutTo : 0;
}
int TDSWorkplacePerson::DaysOut() const
{
    auto r = Record();
    return r ? r->DaysOut : 0;
}
bool TDSWorkplacePerson::IsOut() const
{
    TDSWorkplace* workplace = Workplace();
    TDailySchedule* schedule = workplace ? workplace->Schedule() : nullptr;
    if (!schedule || FID <= 0 || !Store())
        return false;
    return Store()->PersonIsOut(FID, schedule->Date());
}
QString TDSWorkplacePerson::NameAndStoredName() const { return NameWithStored(Name(), FStoredName); }
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
    PassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
}

// ---------------------------------------------------------------- TDSWorkplacePersonList

void TDSWorkplacePersonList::SetSilent(bool AValue)
{
    FSilent = AValue;
    for (int i = 0; i < Count(); ++i)
        TSCTypedList::Items(i)->SetSilent(AValue);
}

TDSWorkplacePerson* TDSWorkplacePersonList::Items(int AKey) const
{
    if (AKey >= 0)
        return TSCTypedList::Items(AKey);
    for (int i = 0; i < Count(); ++i)
        if (TSCTypedList::Items(i)->ID() == -AKey)
            return TSCTypedList::Items(i);
    return nullptr;
}

TDSWorkplacePerson* TDSWorkplacePersonList::AddPerson(int AID, const QString& AStoredName, bool ASort)
{
    if (AID < 1 || Items(-AID))
        return nullptr;
    auto item = TSCObject::Create<TDSWorkplacePerson>();
    item->FID = AID;
    item->FOwnerList = this;
    item->FSilent = FSilent;
    item->FStoredName = AStoredName;
    TDSWorkplacePerson* added = item.get();
    Add(std::move(item));
    if (ASort)
        SortByName();
    else
        Announce(QStringLiteral("Items"));
    return added;
}

bool TDSWorkplacePersonList::DeletePerson(int AID)
{
    if (AID < 1)
        return false;
    TDSWorkplacePerson* item = Items(-AID);
    if (!item)
        return false;
    Delete(IndexOf(item));
    Announce(QStringLiteral("Items"));
    return true;
}

void TDSWorkplacePersonList::SortByName()
{
    struct TKey {
        QString Current, Stored;
    };
    SortByKeys<TDSWorkplacePersonList, TDSWorkplacePerson, TKey>(
        *this, [](const TDSWorkplacePerson* a) { return TKey{a->Name(), a->StoredName()}; },
        [](const TKey& a, const TKey& b) { return CompareLiveBeforeDeleted(a.Current, a.Stored, b.Current, b.Stored); });
    Announce(QStringLiteral("Items"));
}

void TDSWorkplacePersonList::Announce(const QString& AValueName)
{
    if (Quiet(FWorkplace ? FWorkplace->Schedule() : nullptr, FSilent))
        return;
    DataChanged(this, this, AValueName);
}

void TDSWorkplacePersonList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    for (int i = 0; i < Count(); ++i)
        PassOn(TSCTypedList::Items(i), ASender, ATransmiter, this, AValueName);
    if (!FSilent)
        SCNotifyEditor(FEditor, ASender, AValueName);
    PassOn(FWorkplace, ASender, ATransmiter, this, AValueName);
}

// ---------------------------------------------------------------- TDSWorkplace

void TDSWorkplace::Init()
{
    FPersons = TSCList::Create<TDSWorkplacePersonList>();
    FPersons->FWorkplace = this;
    FPersons->SetSilent(FSilent);
}

TDailySchedule* TDSWorkplace::Schedule() const { return FOwnerList ? FOwnerList->Schedule() : nullptr; }

void TDSWorkplace::SetSilent(bool AValue)
{
    FSilent = AValue;
    FPersons->SetSilent(AValue);
}

std::optional<TDSWorkplaceRecord> TDSWorkplace::Record() const
{
    if (FID <= 0 || !Store())
        return std::nullopt;
    return Store()->WorkplaceRecord(FID);
}

TWorkplace* TDSWorkplace::Workplace() const { return FID > 0 && Store() ? Store()->WorkplaceObject(FID) : nullptr; }
QString TDSWorkplace::Name() const
{
    auto r = Record();
    return r ? r->Name : QString();
}
QString TDSWorkplace::Note() const
{
    auto r = Record();
    return r ? r->Note : QString();
}
QString TDSWorkplace::Shortcut() const
{
    auto r = Record();
    return r ? r->Shortcut : QString();
}
TColor TDSWorkplace::Color() const
{
    auto r = Record();
    return r ? r->Color : DSWhite;
}
QString TDSWorkplace::NameAndStoredName() const { return NameWithStored(Name(), FStoredName); }
QString TDSWorkplace::ShortcutOrStoredShortcut() const
{
    auto r = Record();
    return r ? r->Shortcut : FStoredShortcut;
}
QString TDSWorkplace::ShortcutOrStoredShortcutInBrackets() const
{
    auto r = Record();
    return r ? r->Shortcut : QStringLiteral("(") + FStoredShortcut + QLatin1Char(')');
}

void TDSWorkplace::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    PassOn(FPersons.get(), ASender, ATransmiter, this, AValueName);
    if (!FSilent)
        SCNotifyEditor(FEditor, ASender, AValueName);
    PassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
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
    for (int i = 0; i < Count(); ++i)
        TSCTypedList::Items(i)->SetSilent(AValue);
}

void TDSWorkplaceList::SetSortingDirection(TSortingDirection AValue)
{
    if (AValue == FSortingDirection) {
        Announce(QStringLiteral("SortingDirection*"));
        return;
    }
    FSortingDirection = AValue;
    SortByKind();
    Announce(QStringLiteral("SortingDirection"));
}

void TDSWorkplaceList::SetSortingKind(TDSWorkplaceSortingKind AValue)
{
    if (AValue == FSortingKind) {
        Announce(QStringLiteral("SortingKind*"));
        return;
    }
    FSortingKind = AValue;
    SortByKind();
    Announce(QStringLiteral("SortingKind"));
}

TDSWorkplace* TDSWorkplaceList::Items(int AKey) const
{
    if (AKey >= 0)
        return TSCTypedList::Items(AKey);
    for (int i = 0; i < Count(); ++i)
        if (TSCTypedList::Items(i)->ID() == -AKey)
            return TSCTypedList::Items(i);
    return nullptr;
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
        const std::vector<TDSJobRecord> jobs = FSchedule ? store->DayJobs(FSchedule->Date()) : std::vector<TDSJobRecord>();
        auto fill = [&jobs](TDSWorkplace* AWorkplace) {
            AWorkplace->Persons()->FreeObjects();
            for (const TDSJobRecord& job : jobs)
                if (job.WorkplaceID == AWorkplace->ID())
                    AWorkplace->Persons()->AddPerson(job.PersonID, job.PersonName, false);
            AWorkplace->Persons()->SortByName();
        };
        for (int i = 0; i < store->WorkplaceCount(); ++i)
            if (TDSWorkplace* workplace = AddWorkplaceItem(store->WorkplaceIDAt(i), QString(), QString(), false))
                fill(workplace);
        for (const TDSJobRecord& job : jobs) {
            TDSWorkplace* workplace = Items(-job.WorkplaceID);
            if (!workplace) {
                // Deleted from the register: shown by the names its rows stored.
                if (TDSWorkplace* added = AddWorkplaceItem(job.WorkplaceID, job.WorkplaceShortcut, job.WorkplaceName, true))
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

TDSWorkplace* TDSWorkplaceList::AddWorkplaceItem(int AID, const QString& AStoredShortcut, const QString& AStoredName,
                                                 bool ASort)
{
    if (AID < 1 || Items(-AID))
        return nullptr;
    auto item = TSCObject::Create<TDSWorkplace>();
    item->FID = AID;
    item->FOwnerList = this;
    item->SetSilent(FSilent);
    item->FStoredShortcut = AStoredShortcut;
    item->FStoredName = AStoredName;
    TDSWorkplace* added = item.get();
    Add(std::move(item));
    if (ASort)
        SortByKind();
    else
        Announce(QStringLiteral("Items"));
    return added;
}

TDSWorkplacePerson* TDSWorkplaceList::AddWorkplacePerson(int AWorkplaceID, int APersonID,
                                                         const QString& AStoredWorkplaceShortcut,
                                                         const QString& AStoredWorkplaceName,
                                                         const QString& AStoredPersonName)
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
    TDSWorkplace* workplace = AWorkplaceID > 0 ? Items(-AWorkplaceID) : nullptr;
    if (!workplace)
        return false;
    if (!Confirmed(AMsg))
        return false;
    IDSStore* store = Store();
    // The list changes only once the register record is gone.
    if (!store || !store->DeleteWorkplace(AWorkplaceID)) {
        DSShowSaveFailure();
        return false;
    }
    Delete(IndexOf(workplace));
    Announce(QStringLiteral("Items"));
    return true;
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
    TDSWorkplace* workplace = AWorkplaceID > 0 ? Items(-AWorkplaceID) : nullptr;
    if (!workplace || !Store() || !Store()->WorkplaceRecord(AWorkplaceID))
        return false;
    const bool saved = Store()->EditWorkplace(AWorkplaceID);
    if (saved) {
        workplace->DataChanged(workplace, workplace, QString());
        SortByKind();
    }
    return saved;
}

QString TDSWorkplaceList::GetShortcutsAsStringForPerson(int APersonID) const
{
    QStringList parts;
    for (int i = 0; i < Count(); ++i) {
        const TDSWorkplace* workplace = TSCTypedList::Items(i);
        if (workplace->Persons()->Items(-APersonID))
            parts << workplace->ShortcutOrStoredShortcutInBrackets();
    }
    return parts.join(QLatin1Char('-'));
}

void TDSWorkplaceList::SortByKind()
{
    if (FSortingKind != dswskNone) {
        const bool descending = FSortingDirection == sdDescended;
        struct TKey {
            int ID;
            QString Current, Stored, Shown;
        };
        const TDSWorkplaceSortingKind kind = FSortingKind;
        SortByKeys<TDSWorkplaceList, TDSWorkplace, TKey>(
            *this,
            [kind](const TDSWorkplace* a) {
                TKey key{a->ID(), {}, {}, {}};
                if (kind == dswskByShortcut) {
                    key.Current = a->Shortcut();
                    key.Stored = a->StoredShortcut();
                    key.Shown = a->ShortcutOrStoredShortcut();
                } else if (kind == dswskByName) {
                    key.Current = a->Name();
                    key.Stored = a->StoredName();
                }
                return key;
            },
            [kind, descending](const TKey& a0, const TKey& b0) {
                const TKey& a = descending ? b0 : a0;
                const TKey& b = descending ? a0 : b0;
                if (kind == dswskByID)
                    return CompareInt(a.ID, b.ID);
                if (kind == dswskByShortcut) {
                    const int shown = CompareText(a.Shown, b.Shown);
                    if (shown != 0)
                        return shown;
                }
                return CompareLiveBeforeDeleted(a.Current, a.Stored, b.Current, b.Stored);
            });
    }
    Announce(QStringLiteral("Items"));
}

bool TDSWorkplaceList::Print(const QString& AReportName, bool ASimpleWorkplaceList)
{
    QStringList params;
    if (FSchedule)
        FSchedule->AddPrintParams(params);
    if (ASimpleWorkplaceList) {
        StringsSetValue(params, QStringLiteral("ScheduleDate"), QString());
        StringsSetValue(params, QStringLiteral("ScheduleCaption"), QStringLiteral("Workplaces"));
    }
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
        TDSPrintWorkplaceRow row;
        row.ID = workplace->ID();
        row.Shortcut = workplace->ShortcutOrStoredShortcut();
        row.Name = workplace->NameAndStoredName();
        row.Note = record ? record->Note : QString();
        row.IsDeleted = !record.has_value();
        store->AppendPrintWorkplace(row);
        for (int j = 0; j < workplace->Persons()->Count(); ++j) {
            const TDSWorkplacePerson* person = workplace->Persons()->Items(j);
            const auto personRecord = person->Record();
            TDSPrintPersonRow personRow;
            personRow.ID = person->ID();
            personRow.Name = person->NameAndStoredName();
            if (personRecord) {
                personRow.SortingName = personRecord->SortingName;
                personRow.Note = personRecord->Note;
                personRow.DateOutFrom = personRecord->DateOutFrom;
                personRow.DateOutTo = personRecord->DateOutTo;
                personRow.DaysOut = personRecord->DaysOut;
                personRow.NoteOut = personRecord->NoteOut;
            }
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
    if (Quiet(FSchedule, FSilent))
        return;
    DataChanged(this, this, AValueName);
}

void TDSWorkplaceList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    for (int i = 0; i < Count(); ++i)
        PassOn(TSCTypedList::Items(i), ASender, ATransmiter, this, AValueName);
    if (!FSilent)
        SCNotifyEditor(FEditor, ASender, AValueName);
    PassOn(FSchedule, ASender, ATransmiter, this, AValueName);
}

// ---------------------------------------------------------------- drag payloads

TDSPersonDragObjectEx::TDSPersonDragObjectEx(int APersonID) { SetPersonID(APersonID); }

void TDSPersonDragObjectEx::SetPersonID(int AValue)
{
    FPersonID = AValue;
    setData(MimeType(), QByteArray::number(AValue));
}

TDSWorkplacePersonDragObjectEx::TDSWorkplacePersonDragObjectEx(int APersonID, int AWorkplaceID)
    : TDSPersonDragObjectEx(APersonID), FWorkplaceID(AWorkplaceID)
{
}
