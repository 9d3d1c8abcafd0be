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

bool TPeriodDay::Silent() const
{
    return FOwnerList ? FOwnerList->Silent() : FSilent;
}

void TPeriodDayList::SetSilent(bool AValue)
{
    FSilent = AValue;
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
    std::vector<TDate> dates;
    dates.reserve(ADates.size());
    for (TDate date : ADates)
        dates.push_back(TruncDate(date));
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    SetDates(dates.data(), dates.size());
    Announce(QStringLiteral("Items"));
}

void TPeriodDayList::FillBits(TDate AFrom, quint64 ABits)
{
    std::array<TDate, 64> dates;
    size_t count = 0;
    const TDate from = TruncDate(AFrom);
    for (int i = 0; ABits; ++i, ABits >>= 1)
        if (ABits & 1)
            dates[count++] = from + i;
    SetDates(dates.data(), count);
}

void TPeriodDayList::SetDates(const TDate* ADates, size_t ACount)
{
    // A refresh fills thousands of dates: the day objects there are take the
    // new dates, and each weekday name is asked once.
    thread_local std::array<QString, 8> names;
    thread_local QLocale locale(QLocale::C);
    if (const QLocale current; current != locale) {
        names = {};
        locale = current;
    }
    while (static_cast<size_t>(Count()) > ACount)
        Delete(Count() - 1);
    for (size_t i = 0; i < ACount; ++i) {
        TPeriodDay* day = Items(static_cast<int>(i));
        if (!day) {
            auto created = CreateDay();
            created->SetOwnerListBase(this);
            created->SetSilent(FSilent);
            day = created.get();
            Add(std::move(created));
        }
        QString& name = names[static_cast<size_t>(DayOfTheWeek(ADates[i]))];
        if (name.isNull())
            name = ShortDayName(ADates[i]);
        day->FDate = ADates[i];
        day->FDayStr = name;
    }
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

void TPeriodEntry::FillDayBits(TDate AFrom, quint64 ABits)
{
    FDays->FillBits(AFrom, ABits);
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

// --- jobs ---

TPeriodEntryDays JobEntryDays(const std::vector<TJobRow>& AJobs, TDate AFrom, int ADays, bool AByWorkplace)
{
    const qint64 from = static_cast<qint64>(TruncDate(AFrom));
    const int days = std::min(ADays, 64);
    TPeriodEntryDays bits;
    for (const TJobRow& job : AJobs) {
        const qint64 day = static_cast<qint64>(TruncDate(job.Date)) - from;
        if (day < 0 || day >= days)
            continue;
        const int id = AByWorkplace ? job.WorkplaceID : job.PersonID;
        auto found = std::lower_bound(bits.begin(), bits.end(), id,
            [](const std::pair<int, quint64>& ADay, int AID) { return ADay.first < AID; });
        if (found == bits.end() || found->first != id)
            found = bits.insert(found, {id, 0});
        found->second |= quint64(1) << day;
    }
    return bits;
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
        // Keys are read from the register once per entry, not per comparison;
        // a list refreshed for a new period is mostly in order already.
        const TLocaleSortKeys sortKey;
        std::vector<QCollatorSortKey> ordered;
        ordered.reserve(static_cast<size_t>(Count()));
        bool sorted = true;
        for (int i = 0; i < Count(); ++i) {
            ordered.push_back(sortKey(SortText(Items(i))));
            sorted = sorted && (i == 0 || sign * ordered[size_t(i) - 1].compare(ordered.back()) <= 0);
        }
        if (!sorted) {
            std::unordered_map<const TPeriodEntry*, const QCollatorSortKey*> keys;
            for (int i = 0; i < Count(); ++i)
                keys.emplace(Items(i), &ordered[static_cast<size_t>(i)]);
            Sort([&](const TPeriodEntry* A, const TPeriodEntry* B) { return sign * keys.at(A)->compare(*keys.at(B)); });
        }
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
