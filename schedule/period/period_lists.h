// Bases shared by the lists of the worker and the workplace schedules: date
// lists with their compacted weekday text, register entries (a worker or a
// workplace known by ID) and the register lists with focus, sorting and
// removal. The schedule classes derive from these and add their own rules.
#pragma once

#include "core/observable.h"
#include "core/tree_notice.h"
#include "core/utils.h"
#include "schedule/list_parts.h"
#include "schedule/period/period_calendar.h"
#include "schedule/period/period_store.h"

#include <QString>

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

class TPerson;
class TWorkplace;
class TPeriodDayList;

// One date of a date list; setting the date keeps the whole day and the
// weekday name and announces nothing.
class TPeriodDay : public TSCObject, public ISCTreeNode {
public:
    TDate Date() const { return FDate; }
    void SetDate(TDate AValue);
    const QString& DayStr() const { return FDayStr; }
    // A listed date is as silent as its list, which need not walk its dates.
    bool Silent() const;
    void SetSilent(bool AValue) { FSilent = AValue; }
    TPeriodDayList* OwnerListBase() const { return FOwnerList; }
    void SetOwnerListBase(TPeriodDayList* AList) { FOwnerList = AList; }

    // Only forwards upward.
    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

private:
    friend class TPeriodDayList;

    TDate FDate = 0;
    QString FDayStr;
    TPeriodDayList* FOwnerList = nullptr;
    bool FSilent = false;
};

// Unique dates in ascending order.
class TPeriodDayList : public TSCTypedList<TPeriodDay>, public ISCTreeNode {
public:
    TObject* OwnerNode() const { return FOwnerNode.Object(); }
    void SetOwnerNode(TObject* AOwner) { FOwnerNode.Set(AOwner); }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);

    TPeriodDay* FindDay(TDate ADate) const;
    // None when the date is there already.
    TPeriodDay* AddDayEntry(TDate ADate, bool ASort);
    // True when an entry was removed.
    bool DeleteDayEntry(TDate ADate);
    void SortByDate();
    QString AsString() const;

    void Announce(const QString& AValueName) { DataChanged(this, this, AValueName); }
    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

protected:
    virtual std::unique_ptr<TPeriodDay> CreateDay() const = 0;

private:
    friend class TPeriodEntry;
    // Replaces the entries with the whole days of ADates, once each in date
    // order, and announces "Items" once.
    void FillDates(const std::vector<TDate>& ADates);
    // The same for the days of ABits (bit 0 AFrom), without the notice.
    void FillBits(TDate AFrom, quint64 ABits);
    // The dates (whole days, ascending, once each) on the day objects there
    // are, adding or dropping only the difference.
    void SetDates(const TDate* ADates, size_t ACount);

    TSCTreeLink FOwnerNode;
    bool FSilent = false;
};

// A date list of entries TEntry owned by TOwner.
template <class TEntry, class TOwner>
class TPeriodDayListOf : public TPeriodDayList {
public:
    TOwner* Owner() const { return static_cast<TOwner*>(OwnerNode()); }
    TEntry* Items(int AIndex) const { return static_cast<TEntry*>(TPeriodDayList::Items(AIndex)); }
    TEntry* FindDay(TDate ADate) const { return static_cast<TEntry*>(TPeriodDayList::FindDay(ADate)); }
    TEntry* AddDay(TDate ADate, bool ASort) { return static_cast<TEntry*>(AddDayEntry(ADate, ASort)); }

protected:
    std::unique_ptr<TPeriodDay> CreateDay() const override { return TSCObject::Create<TEntry>(); }
};

// Entry of a register list: the ID and a date list; everything else is read
// from the register on demand.
class TPeriodEntry : public TSCObject, public ISCTreeNode {
public:
    int ID() const { return FID; }
    void SetID(int AValue) { FID = AValue; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    TObject* OwnerListObject() const { return FOwnerList.Object(); }
    void SetOwnerListObject(TObject* AList) { FOwnerList.Set(AList); }
    TPeriodDayList* DaysBase() const { return FDays.get(); }
    // Replaces the dates with ADates (unsorted adds, then one sort by date).
    void FillDays(const std::vector<TDate>& ADates);
    // Replaces the dates with the days of ABits (bit 0 AFrom) silently: a
    // refresh announces the whole list once.
    void FillDayBits(TDate AFrom, quint64 ABits);

    // Sub-list first, then the owning list (no editor).
    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

protected:
    void SetDaysList(std::unique_ptr<TPeriodDayList> ADays);

private:
    std::unique_ptr<TPeriodDayList> FDays;
    int FID = 0;
    TSCTreeLink FOwnerList;
    bool FSilent = false;
};

// A worker entry.
class TPeriodPersonEntry : public TPeriodEntry, public TRegisterPersonFields<TPeriodPersonEntry> {
public:
    // The register object, where the store has one.
    TPerson* Person() const;
    // The register values; none when the worker is not in the register.
    std::optional<TRegisterPersonRecord> Record() const;
};

// A workplace entry.
class TPeriodWorkplaceEntry : public TPeriodEntry {
public:
    TWorkplace* Workplace() const;
    std::optional<TRegisterWorkplaceRecord> Record() const;
    QString Name() const;
    QString Note() const;
    // "¤" for a workplace missing from the register.
    QString Shortcut() const;
    // White for a workplace missing from the register.
    TColor Color() const;
};

// The text shown as the shortcut of a missing workplace.
QString MissingShortcut();

// The days of AJobs among the ADays from AFrom by the worker's (AByWorkplace:
// the workplace's) ID.
TPeriodEntryDays JobEntryDays(const std::vector<TJobRow>& AJobs, TDate AFrom, int ADays, bool AByWorkplace);
// The dates of AJobs that AAccept takes.
template <class TAccept>
std::vector<TDate> JobDates(const std::vector<TJobRow>& AJobs, TAccept AAccept)
{
    std::vector<TDate> dates;
    for (const TJobRow& job : AJobs)
        if (AAccept(job))
            dates.push_back(job.Date);
    return dates;
}

// Pieces of the schedules' own day lists and day sub-lists (typed lists of
// entries with Silent, ID or Date).

template <class TDay, class TList>
TDay* ListDayOf(const TList& AList, TDate ADate)
{
    for (int i = 0; i < AList.Count(); ++i)
        if (TDay* day = AList.Items(i); day->Date() == ADate)
            return day;
    return nullptr;
}

// A new day (none when its date is there) owned by the list, sorted in at
// once or announced as "Items".
template <class TDay, class TList>
TDay* AddListDay(TList& AList, TDate ADate, bool ASort)
{
    if (AList.FindDay(TruncDate(ADate)))
        return nullptr;
    auto day = TSCObject::Create<TDay>();
    day->SetOwnerList(&AList);
    day->SetSilent(AList.Silent());
    day->SetDate(ADate);
    TDay* result = day.get();
    AList.Add(std::move(day));
    if (ASort)
        AList.SortByDate();
    else
        AList.Announce(QStringLiteral("Items"));
    return result;
}

// Sorts by date and announces "Items".
template <class TDay, class TList>
void SortListByDate(TList& AList)
{
    AList.Sort(
        [](const TDay* A, const TDay* B) { return A->Date() < B->Date() ? -1 : (A->Date() > B->Date() ? 1 : 0); });
    AList.Announce(QStringLiteral("Items"));
}

// The jobs of AJobs by whole day, in their order.
inline std::unordered_map<qint64, std::vector<const TJobRow*>> JobsByDay(const std::vector<TJobRow>& AJobs)
{
    std::unordered_map<qint64, std::vector<const TJobRow*>> jobs;
    for (const TJobRow& job : AJobs)
        jobs[static_cast<qint64>(TruncDate(job.Date))].push_back(&job);
    return jobs;
}

// A day list's refresh: the ADayCount days from AStart, each handed to AFill
// with the jobs of AJobs on it, then sorted by date.
template <class TDayList, class TFill>
void RefreshPeriodDays(TDayList& AList, TDate AStart, int ADayCount, const std::vector<TJobRow>& AJobs, TFill AFill)
{
    AList.FreeObjects();
    const auto jobs = JobsByDay(AJobs);
    static const std::vector<const TJobRow*> none;
    for (int i = 0; i < ADayCount; ++i) {
        if (auto* day = AList.AddDay(AStart + i, false)) {
            const auto found = jobs.find(static_cast<qint64>(day->Date()));
            AFill(*day, found == jobs.end() ? none : found->second);
        }
    }
    AList.SortByDate();
}

// Sorts the entries of a day's sub-list (a TSCTypedList<TItem>) by a text key
// read once per entry, in locale order ignoring case; entries without a key go
// last, among themselves by their stored text.
template <class TItem, class TList, class TKeyOf, class TStoredOf>
void SortDayEntries(TList& AList, TKeyOf AKeyOf, TStoredOf AStoredOf)
{
    if (AList.Count() < 2)
        return;
    std::unordered_map<const TItem*, QString> keys;
    for (int i = 0; i < AList.Count(); ++i)
        keys.emplace(AList.Items(i), AKeyOf(AList.Items(i)));
    AList.Sort([&](const TItem* A, const TItem* B) {
        const QString& a = keys.at(A);
        const QString& b = keys.at(B);
        if (a.isEmpty() && b.isEmpty())
            return CompareLocaleText(AStoredOf(A), AStoredOf(B));
        if (a.isEmpty())
            return 1;
        if (b.isEmpty())
            return -1;
        return CompareLocaleText(a, b);
    });
}

// A register list: position, -ID and name lookups, focus, sorting and removal.
class TPeriodRegisterList : public TSCTypedList<TPeriodEntry>, public ISCTreeNode {
public:
    explicit TPeriodRegisterList(QString AFocusName) : FFocusName(std::move(AFocusName)) {}

    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    TObject* ScheduleObject() const { return FSchedule.Object(); }
    void SetScheduleObject(TObject* ASchedule) { FSchedule.Set(ASchedule); }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    TSortingDirection SortingDirection() const { return FSortingDirection; }
    void SetSortingDirection(TSortingDirection AValue);

    TPeriodEntry* EntryByID(int AID) const;
    // Position for 0 and up, -ID for negative keys.
    TPeriodEntry* EntryAt(int AKey) const;
    TPeriodEntry* FocusedEntry() const { return FFocused; }
    // Announces the focus name, starred when unchanged.
    void SetFocusedEntry(TPeriodEntry* AEntry);

    // Sorts by the kind and direction and announces "Items".
    void SortByKind();
    // Takes an entry out (the focus moves silently to the next, else the
    // previous, else none) and announces "Items"; hands it back unless destroyed.
    std::unique_ptr<TPeriodEntry> RemoveItem(TPeriodEntry* AEntry, bool ADestroy);

    void Announce(const QString& AValueName) { DataChanged(this, this, AValueName); }
    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

protected:
    // The current sorting kind: none leaves the order, by ID sorts numerically,
    // otherwise by the text key SortText (locale order ignoring case).
    virtual bool SortingIsNone() const = 0;
    virtual bool SortingIsByID() const = 0;
    virtual QString SortText(const TPeriodEntry* AEntry) const = 0;
    // Appends an entry with owner and Silent set; announces nothing.
    TPeriodEntry* AppendEntry(std::unique_ptr<TPeriodEntry> AEntry, int AID);
    // Refresh's rebuild: no focus, then one TEntry per register ID (AIDAt over
    // ACount positions) with the days ADays holds for its ID (bit 0 AFrom),
    // sorted by the kind; announces "Items" once. The entries are kept while
    // the register holds the same IDs: a new period or a new choice changes
    // their days, not the entries.
    template <class TEntry, class TIDAt>
    void RefillEntries(int ACount, TIDAt AIDAt, TDate AFrom, const TPeriodEntryDays& ADays)
    {
        SetFocusedSilently(nullptr);
        // Unsorted, the entries keep the register's order.
        bool same = Count() == ACount;
        for (int i = 0; same && i < ACount; ++i)
            same = SortingIsNone() ? Items(i)->ID() == AIDAt(i) : EntryByID(AIDAt(i)) != nullptr;
        if (!same) {
            FreeObjects();
            for (int i = 0; i < ACount; ++i)
                AppendEntry(TSCObject::Create<TEntry>(), AIDAt(i));
        }
        for (int i = 0; i < Count(); ++i) {
            TPeriodEntry* entry = Items(i);
            const auto found = std::lower_bound(ADays.begin(), ADays.end(), entry->ID(),
                [](const std::pair<int, quint64>& ADay, int AID) { return ADay.first < AID; });
            entry->FillDayBits(AFrom, found != ADays.end() && found->first == entry->ID() ? found->second : 0);
        }
        SortByKind();
    }
    // A new TEntry for register ID AID at the end, sorted in at once or
    // announced as "Items", and focused when asked.
    template <class TEntry>
    TEntry* AddRegisterEntry(int AID, bool ASetAsFocused, bool ASort)
    {
        auto* entry = static_cast<TEntry*>(AppendEntry(TSCObject::Create<TEntry>(), AID));
        if (ASort)
            SortByKind();
        else
            Announce(QStringLiteral("Items"));
        if (ASetAsFocused)
            SetFocusedEntry(entry);
        return entry;
    }
    // ADate added to (taken from) the dates of the entry with AID; true when
    // the entry's dates changed.
    bool AddEntryDay(int AID, TDate ADate);
    bool DeleteEntryDay(int AID, TDate ADate);
    // The first TEntry whose name equals AName ignoring case.
    template <class TEntry>
    TEntry* EntryByName(const QString& AName) const
    {
        const QString key = UpperText(AName);
        for (int i = 0; i < Count(); ++i)
            if (auto* entry = static_cast<TEntry*>(Items(i)); UpperText(entry->Name()) == key)
                return entry;
        return nullptr;
    }
    // The same by shortcut for a key beginning with "^".
    template <class TEntry>
    TEntry* EntryByNameOrShortcut(const QString& AKey) const
    {
        const bool byShortcut = AKey.startsWith(QLatin1Char('^'));
        const QString key = UpperText(byShortcut ? AKey.mid(1) : AKey);
        for (int i = 0; i < Count(); ++i) {
            auto* entry = static_cast<TEntry*>(Items(i));
            if (UpperText(byShortcut ? entry->Shortcut() : entry->Name()) == key)
                return entry;
        }
        return nullptr;
    }
    // The register's edit dialog for the entry with AID, when the register
    // has it: when the edit was saved the entry announces itself and the list
    // sorts again.
    template <class TEntry>
    bool EditRegisterEntry(int AID, bool (*AEdit)(int))
    {
        auto* entry = AID > 0 ? static_cast<TEntry*>(EntryByID(AID)) : nullptr;
        if (!entry || !entry->Record())
            return false;
        const bool result = AEdit(entry->ID());
        // The editor ran an event loop: the entry is looked up again.
        entry = static_cast<TEntry*>(EntryByID(AID));
        if (result && entry) {
            entry->DataChanged(entry, entry, QString());
            SortByKind();
        }
        return result;
    }
    // Asks AMsg, deletes AID from the register through ADelete and only then
    // takes its entry out. When the focused entry that was the schedule's
    // chosen one goes, the new focus is announced so the schedule follows it.
    bool DeleteRegisterEntry(int AID, const QString& AMsg, bool (*ADelete)(int));
    // The ID the schedule shows, in the list that chooses it; else 0.
    virtual int ChosenID() const { return 0; }
    // Focus without announcing.
    void SetFocusedSilently(TPeriodEntry* AEntry) { FFocused = AEntry; }
    // Refresh's focus choice: the remembered ID, else the first entry.
    TPeriodEntry* RememberedOrFirst(int ARememberedID) const;
    void SetSortingDirectionField(TSortingDirection AValue) { FSortingDirection = AValue; }
    // The kind setter protocol, shared by the subclasses' kind enums.
    template <class TKind>
    void ChangeSortingKind(TKind& AField, TKind AValue)
    {
        if (AField == AValue) {
            Announce(QStringLiteral("SortingKind*"));
            return;
        }
        AField = AValue;
        SortByKind();
        Announce(QStringLiteral("SortingKind"));
    }

private:
    QString FFocusName;
    TObject* FEditor = nullptr;
    TSCTreeLink FSchedule;
    TPeriodEntry* FFocused = nullptr;
    bool FSilent = false;
    TSortingDirection FSortingDirection = sdAscended;
};

// Typed access for a register list of TEntry.
template <class TEntry, class TBase = TPeriodRegisterList>
class TPeriodRegisterListOf : public TBase {
public:
    using TBase::TBase;
    TEntry* Items(int AKey) const { return static_cast<TEntry*>(TBase::EntryAt(AKey)); }
};
