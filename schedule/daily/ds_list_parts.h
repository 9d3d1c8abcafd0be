// The steps the worker half and the workplace half of the daily lists share:
// adding and deleting items, register reads, sorting (silence, routing and
// lookup are the schedules' common ones in schedule/list_parts.h).
#pragma once

#include "core/collation.h"
#include "core/dialogs.h"
#include "core/observable.h"
#include "core/utils.h"
#include "data/register_ops.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/daily/ds_store.h"
#include "schedule/list_parts.h"

#include <QStringList>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

namespace DSParts {

constexpr TColor White = 0xFFFFFF;

inline IDSStore* Store()
{
    return DSStore();
}

// A whole rebuild is silent; its inner announcements would reach no view.
inline bool Quiet(const TDailySchedule* ASchedule, bool ASilent)
{
    return ASilent && ASchedule && ASchedule->Rebuilding();
}

// A list's own change, sent through its routing unless a rebuild hushes it.
template <class TList>
void Announce(TList& AList, const TDailySchedule* ASchedule, bool ASilent, const QString& AValueName)
{
    if (!Quiet(ASchedule, ASilent))
        AList.DataChanged(&AList, &AList, AValueName);
}

// Appends an item for AID (none below 1 or when listed already): AFill sets
// its fields, AChanged sorts or announces the list.
template <class TItem, class TFill, class TChanged>
TItem* AppendItem(TSCTypedList<TItem>& AList, int AID, TFill AFill, TChanged AChanged)
{
    if (AID < 1 || ListItemByKey(AList, -AID))
        return nullptr;
    auto item = TSCObject::Create<TItem>();
    AFill(*item);
    TItem* added = item.get();
    AList.Add(std::move(item));
    AChanged();
    return added;
}

// Removes the item with ID AID; ABefore sees it (and its position) first.
template <class TItem, class TBefore, class TChanged>
bool RemoveItem(TSCTypedList<TItem>& AList, int AID, TBefore ABefore, TChanged AChanged)
{
    TItem* item = AID > 0 ? ListItemByKey(AList, -AID) : nullptr;
    if (!item)
        return false;
    const int index = AList.IndexOf(item);
    ABefore(item, index);
    AList.Delete(index);
    AChanged();
    return true;
}

// After the question (when there is one), deletes the register record; the
// list changes only once that is gone.
inline bool DeletedFromRegister(const QString& AMsg, const std::function<bool(IDSStore&)>& ADelete)
{
    if (!Confirmed(AMsg))
        return false;
    IDSStore* store = Store();
    if (!store || !ADelete(*store)) {
        ShowStoreSaveFailure(DSStore());
        return false;
    }
    return true;
}

// A saved edit of the register record reaches the item's views and re-sorts;
// one the store refused is told. The item is looked up (AItemOf) again after
// the editor's event loop, which may have refreshed the list.
template <class TItemOf, class TEdit, class TResort>
bool EditInRegister(TItemOf AItemOf, TEdit AEdit, TResort AResort)
{
    if (!AItemOf() || !Store())
        return false;
    const TEditOutcome outcome = AEdit(*Store());
    if (outcome == eoFailed)
        ShowStoreSaveFailure(DSStore());
    if (outcome != eoSaved)
        return false;
    if (auto* item = AItemOf())
        item->DataChanged(item, item, QString());
    AResort();
    return true;
}

// The same value is only announced (with a '*'); a new one re-sorts first.
template <class TValue, class TResort, class TAnnounce>
void SetSortingValue(TValue& AField, TValue AValue, const QString& AName, TResort AResort, TAnnounce AAnnounce)
{
    if (AValue == AField) {
        AAnnounce(AName + QLatin1Char('*'));
        return;
    }
    AField = AValue;
    AResort();
    AAnnounce(AName);
}

// The order of live objects before deleted ones: a live object sorts by its
// current text, a deleted one (no current text) by its stored text.
struct TLiveBeforeDeletedKey {
    bool Deleted;
    QCollatorSortKey Key;
};

inline TLiveBeforeDeletedKey LiveBeforeDeletedKey(
    const TLocaleSortKeys& ASortKey, const QString& ACurrent, const QString& AStored)
{
    const bool deleted = ACurrent.isEmpty();
    return {deleted, ASortKey(deleted ? AStored : ACurrent)};
}

inline int CompareLiveBeforeDeleted(const TLiveBeforeDeletedKey& A, const TLiveBeforeDeletedKey& B)
{
    if (A.Deleted != B.Deleted)
        return A.Deleted ? 1 : -1;
    return A.Key.compare(B.Key);
}

// A day's relations by the ID of their worker or workplace, each group in
// the day's order, so a list is filled without a walk of all for each item:
// one sorted array, not a list for each ID.
class TJobsBy {
public:
    TJobsBy(const std::vector<TJobRow>& AJobs, int TJobRow::*AID) : FID(AID)
    {
        FJobs.reserve(AJobs.size());
        for (const TJobRow& job : AJobs)
            FJobs.push_back(&job);
        std::stable_sort(
            FJobs.begin(), FJobs.end(), [AID](const TJobRow* a, const TJobRow* b) { return a->*AID < b->*AID; });
    }
    // The relations of AID, in the day's order.
    std::span<const TJobRow* const> Of(int AID) const
    {
        const int TJobRow::*id = FID;
        const auto first = std::lower_bound(
            FJobs.begin(), FJobs.end(), AID, [id](const TJobRow* a, int AKey) { return a->*id < AKey; });
        auto last = first;
        while (last != FJobs.end() && (*last)->*id == AID)
            ++last;
        return {first, last};
    }

private:
    int TJobRow::*FID;
    std::vector<const TJobRow*> FJobs;
};

// Sorts by keys read once per item, so a sort reads every register object
// once instead of at each comparison.
template <class TItem, class TKeyOf, class TCompare>
void SortByKeys(TSCTypedList<TItem>& AList, TKeyOf AKeyOf, TCompare ACompare)
{
    if (AList.Count() < 2)
        return;
    using TKey = decltype(AKeyOf(static_cast<const TItem*>(nullptr)));
    std::vector<std::pair<TKey, int>> keys;
    keys.reserve(static_cast<size_t>(AList.Count()));
    for (int i = 0; i < AList.Count(); ++i)
        keys.emplace_back(AKeyOf(AList.Items(i)), i);
    std::stable_sort(
        keys.begin(), keys.end(), [&](const auto& a, const auto& b) { return ACompare(a.first, b.first) < 0; });
    std::vector<std::unique_ptr<TItem>> items;
    items.reserve(keys.size());
    for (int i = AList.Count() - 1; i >= 0; --i)
        items.push_back(AList.Extract(i));
    std::reverse(items.begin(), items.end());
    for (auto& key : keys)
        AList.Add(std::move(items[static_cast<size_t>(key.second)]));
}

// The same sort with the comparison turned round for a descending list.
template <class TItem, class TKeyOf, class TCompare>
void SortByKeysInDirection(TSCTypedList<TItem>& AList, TSortingDirection ADirection, TKeyOf AKeyOf, TCompare ACompare)
{
    const bool descending = ADirection == sdDescended;
    SortByKeys(
        AList, AKeyOf, [&](const auto& a, const auto& b) { return descending ? ACompare(b, a) : ACompare(a, b); });
}

// An inner list's order: live items by their current text, then deleted ones
// by their stored text. Where the store ranks the register by that text
// (ARanked), live items compare by rank: a refresh sorts thousands.
template <class TItem, class TCurrent, class TStored>
void SortLiveBeforeDeleted(TSCTypedList<TItem>& AList, TRegisterText ARanked, TCurrent ACurrentOf, TStored AStoredOf)
{
    if (AList.Count() < 2)
        return;
    const TLocaleSortKeys sortKey;
    if (const std::vector<int>* ranks = Store() ? Store()->Ranks(ARanked) : nullptr) {
        SortByKeys(
            AList,
            [&](const TItem* a) {
                const int rank = RankOf(*ranks, a->ID());
                return std::pair(rank, rank < 0 ? std::optional(sortKey(AStoredOf(a))) : std::nullopt);
            },
            [](const auto& a, const auto& b) {
                if ((a.first < 0) != (b.first < 0))
                    return a.first < 0 ? 1 : -1;
                return a.first >= 0 ? CompareInt(a.first, b.first) : a.second->compare(*b.second);
            });
        return;
    }
    SortByKeys(
        AList, [&](const TItem* a) { return LiveBeforeDeletedKey(sortKey, ACurrentOf(a), AStoredOf(a)); },
        [](const auto& a, const auto& b) { return CompareLiveBeforeDeleted(a, b); });
}

// One text of a register entry, read without its whole record.
inline QString RegisterText(int AID, QString (IDSStore::*AText)(int) const)
{
    return AID > 0 && Store() ? (Store()->*AText)(AID) : QString();
}

inline std::optional<TRegisterPersonRecord> PersonRecord(int AID)
{
    if (AID <= 0 || !Store())
        return std::nullopt;
    return Store()->PersonRecord(AID);
}

inline std::optional<TRegisterWorkplaceRecord> WorkplaceRecord(int AID)
{
    if (AID <= 0 || !Store())
        return std::nullopt;
    return Store()->WorkplaceRecord(AID);
}

inline bool PersonIsOut(int AID, const TDailySchedule* ASchedule)
{
    if (!ASchedule || AID <= 0 || !Store())
        return false;
    return Store()->PersonIsOut(AID, ASchedule->Date());
}

inline QString InBrackets(const QString& AText)
{
    return QStringLiteral("(") + AText + QLatin1Char(')');
}

// The schedule's print parameters; a simple list prints no date, under ACaption.
inline QStringList PrintParams(const TDailySchedule* ASchedule, bool ASimple, const QString& ACaption)
{
    QStringList params;
    if (ASchedule)
        ASchedule->AddPrintParams(params);
    if (ASimple) {
        StringsSetValue(params, QStringLiteral("ScheduleDate"), QString());
        StringsSetValue(params, QStringLiteral("ScheduleCaption"), ACaption);
    }
    return params;
}

// The register values of a printed worker row (the name is the caller's).
inline void FillPersonRow(TPrintPersonRow& ARow, const std::optional<TRegisterPersonRecord>& ARecord)
{
    if (!ARecord)
        return;
    ARow.SortingName = ARecord->SortingName;
    ARow.Note = ARecord->Note;
    ARow.DateOutFrom = ARecord->DateOutFrom;
    ARow.DateOutTo = ARecord->DateOutTo;
    ARow.DaysOut = ARecord->DaysOut;
    ARow.NoteOut = ARecord->NoteOut;
}

} // namespace DSParts
