#include "schedule/period/period_lists.h"

#include "schedule/period/period_store.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

// --- TPeriodDay ---

void TPeriodDay::SetDate(TDate AValue)
{
    FDate = TruncDate(AValue);
    FDayStr = ShortDayName(FDate);
}

void TPeriodDay::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    SCPassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
}

// --- TPeriodDayList ---

void TPeriodDayList::SetSilent(bool AValue)
{
    FSilent = AValue;
    for (int i = 0; i < Count(); ++i)
        Items(i)->SetSilent(AValue);
}

TPeriodDay* TPeriodDayList::FindDay(TDate ADate) const
{
    for (const auto& item : FItems) {
        auto* day = static_cast<TPeriodDay*>(item.get());
        if (day->Date() == ADate)
            return day;
    }
    return nullptr;
}

TPeriodDay* TPeriodDayList::AddDayEntry(TDate ADate, bool ASort)
{
    if (FindDay(TruncDate(ADate)))
        return nullptr;
    auto day = CreateDay();
    day->SetOwnerListBase(this);
    day->SetSilent(FSilent);
    day->SetDate(ADate);
    TPeriodDay* result = day.get();
    Add(std::move(day));
    if (ASort)
        SortByDate();
    else
        Announce(QStringLiteral("Items"));
    return result;
}

bool TPeriodDayList::DeleteDayEntry(TDate ADate)
{
    TPeriodDay* day = FindDay(TruncDate(ADate));
    if (!day)
        return false;
    Delete(IndexOf(day));
    Announce(QStringLiteral("Items"));
    return true;
}

void TPeriodDayList::SortByDate()
{
    Sort([](const TPeriodDay* A, const TPeriodDay* B) {
        return A->Date() < B->Date() ? -1 : (A->Date() > B->Date() ? 1 : 0);
    });
    Announce(QStringLiteral("Items"));
}

void TPeriodDayList::FillDates(const std::vector<TDate>& ADates)
{
    FreeObjects();
    std::vector<TDate> dates;
    dates.reserve(ADates.size());
    for (TDate date : ADates)
        dates.push_back(TruncDate(date));
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    FItems.reserve(dates.size());
    // A refresh fills thousands of dates: each weekday name is asked once.
    std::array<QString, 8> names;
    for (TDate date : dates) {
        auto day = CreateDay();
        day->SetOwnerListBase(this);
        day->SetSilent(FSilent);
        QString& name = names[static_cast<size_t>(DayOfTheWeek(date))];
        if (name.isNull())
            name = ShortDayName(date);
        day->FDate = date;
        day->FDayStr = name;
        Add(std::move(day));
    }
    Announce(QStringLiteral("Items"));
}

QString TPeriodDayList::AsString() const
{
    // Every row of a side list asks on each refresh, and the text depends on
    // the weekdays in order only: each sequence is compacted once.
    thread_local QLocale locale(QLocale::C);
    thread_local int firstDay = 0;
    thread_local std::unordered_map<std::string, QString> texts;
    const QLocale current;
    const int first = PeriodFirstDayInWeek();
    if (current != locale || first != firstDay || texts.size() > 4096) {
        texts.clear();
        locale = current;
        firstDay = first;
    }
    std::string key;
    key.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        key.push_back(static_cast<char>('0' + DayOfTheWeek(Items(i)->Date())));
    auto [text, added] = texts.try_emplace(std::move(key));
    if (added) {
        QStringList names;
        for (int i = 0; i < Count(); ++i)
            names << Items(i)->DayStr();
        text->second = CompactDayText(names, first);
    }
    return text->second;
}

void TPeriodDayList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    // Dates hold no views and only forward upward: the notice goes no further
    // down.
    FOwnerNode.PassOn(ASender, ATransmiter, this, AValueName);
}

// --- TPeriodEntry ---

void TPeriodEntry::SetSilent(bool AValue)
{
    FSilent = AValue;
    if (FDays)
        FDays->SetSilent(AValue);
}

void TPeriodEntry::SetDaysList(std::unique_ptr<TPeriodDayList> ADays)
{
    FDays = std::move(ADays);
    FDays->SetOwnerNode(this);
    FDays->SetSilent(FSilent);
}

void TPeriodEntry::FillDays(const std::vector<TDate>& ADates)
{
    FDays->FillDates(ADates);
}

void TPeriodEntry::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    // Its dates hold no views: only their own notices pass up.
    FOwnerList.PassOn(ASender, ATransmiter, this, AValueName);
}

// --- TPeriodPersonEntry ---

TPerson* TPeriodPersonEntry::Person() const
{
    return PeriodStore() && ID() > 0 ? PeriodStore()->PersonObject(ID()) : nullptr;
}

std::optional<TRegisterPersonRecord> TPeriodPersonEntry::Record() const
{
    return PeriodPerson(ID());
}

// --- TPeriodWorkplaceEntry ---

QString MissingShortcut()
{
    return QString(QChar(0x00A4));
}

TWorkplace* TPeriodWorkplaceEntry::Workplace() const
{
    return PeriodStore() && ID() > 0 ? PeriodStore()->WorkplaceObject(ID()) : nullptr;
}

std::optional<TRegisterWorkplaceRecord> TPeriodWorkplaceEntry::Record() const
{
    return PeriodWorkplace(ID());
}

QString TPeriodWorkplaceEntry::Name() const
{
    const auto record = Record();
    return record ? record->Name : QString();
}

QString TPeriodWorkplaceEntry::Note() const
{
    const auto record = Record();
    return record ? record->Note : QString();
}

QString TPeriodWorkplaceEntry::Shortcut() const
{
    const auto record = Record();
    return record ? record->Shortcut : MissingShortcut();
}

TColor TPeriodWorkplaceEntry::Color() const
{
    const auto record = Record();
    return record ? record->Color : RGBToColor(0xFF, 0xFF, 0xFF);
}

// --- TPeriodRegisterList ---

void TPeriodRegisterList::SetSilent(bool AValue)
{
    FSilent = AValue;
    for (int i = 0; i < Count(); ++i)
        Items(i)->SetSilent(AValue);
}

void TPeriodRegisterList::SetSortingDirection(TSortingDirection AValue)
{
    if (FSortingDirection == AValue) {
        Announce(QStringLiteral("SortingDirection*"));
        return;
    }
    FSortingDirection = AValue;
    SortByKind();
    Announce(QStringLiteral("SortingDirection"));
}

TPeriodEntry* TPeriodRegisterList::EntryByID(int AID) const
{
    return ItemWithID(AID);
}

TPeriodEntry* TPeriodRegisterList::EntryAt(int AKey) const
{
    if (AKey >= 0)
        return Items(AKey);
    return EntryByID(-AKey);
}

void TPeriodRegisterList::SetFocusedEntry(TPeriodEntry* AEntry)
{
    if (FFocused == AEntry) {
        Announce(FFocusName + QLatin1Char('*'));
        return;
    }
    FFocused = AEntry;
    Announce(FFocusName);
}

void TPeriodRegisterList::SortByKind()
{
    const int sign = FSortingDirection == sdDescended ? -1 : 1;
    if (SortingIsByID()) {
        Sort([&](const TPeriodEntry* A, const TPeriodEntry* B) { return sign * CompareInt(A->ID(), B->ID()); });
    } else if (!SortingIsNone()) {
        // Keys are read from the register once per entry, not per comparison.
        const TLocaleSortKeys sortKey;
        std::unordered_map<const TPeriodEntry*, QCollatorSortKey> keys;
        for (int i = 0; i < Count(); ++i)
            keys.emplace(Items(i), sortKey(SortText(Items(i))));
        Sort([&](const TPeriodEntry* A, const TPeriodEntry* B) { return sign * keys.at(A).compare(keys.at(B)); });
    }
    Announce(QStringLiteral("Items"));
}

bool TPeriodRegisterList::AddEntryDay(int AID, TDate ADate)
{
    TPeriodEntry* entry = AID > 0 ? EntryByID(AID) : nullptr;
    return entry && entry->DaysBase()->AddDayEntry(ADate, true);
}

bool TPeriodRegisterList::DeleteEntryDay(int AID, TDate ADate)
{
    TPeriodEntry* entry = AID > 0 ? EntryByID(AID) : nullptr;
    return entry && entry->DaysBase()->DeleteDayEntry(ADate);
}

bool TPeriodRegisterList::DeleteRegisterEntry(int AID, const QString& AMsg, bool (*ADelete)(int))
{
    if (!Confirmed(AMsg))
        return false;
    // The list changes only after the register's delete succeeded.
    if (!ADelete(AID)) {
        if (AID > 0)
            ShowStoreSaveFailure(PeriodStore());
        return false;
    }
    if (TPeriodEntry* entry = EntryByID(AID)) {
        const bool chosen = ChosenID() == AID && FFocused == entry;
        RemoveItem(entry, true);
        if (chosen)
            Announce(FFocusName);
    }
    return true;
}

std::unique_ptr<TPeriodEntry> TPeriodRegisterList::RemoveItem(TPeriodEntry* AEntry, bool ADestroy)
{
    const int index = IndexOf(AEntry);
    if (index < 0)
        return nullptr;
    if (FFocused == AEntry) {
        if (index + 1 < Count())
            FFocused = Items(index + 1);
        else
            FFocused = Items(index - 1);
    }
    auto entry = Extract(index);
    if (ADestroy)
        entry.reset();
    Announce(QStringLiteral("Items"));
    return entry;
}

TPeriodEntry* TPeriodRegisterList::AppendEntry(std::unique_ptr<TPeriodEntry> AEntry, int AID)
{
    AEntry->SetOwnerListObject(this);
    AEntry->SetSilent(FSilent);
    AEntry->SetID(AID);
    TPeriodEntry* result = AEntry.get();
    Add(std::move(AEntry));
    return result;
}

TPeriodEntry* TPeriodRegisterList::RememberedOrFirst(int ARememberedID) const
{
    TPeriodEntry* entry = ARememberedID > 0 ? EntryByID(ARememberedID) : nullptr;
    return entry ? entry : Items(0);
}

void TPeriodRegisterList::DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName)
{
    // Entries and their dates hold no views: a notice does not walk them.
    if (!FSilent)
        SCNotifyEditor(FEditor, ASender, AValueName);
    FSchedule.PassOn(ASender, ATransmiter, this, AValueName);
}
