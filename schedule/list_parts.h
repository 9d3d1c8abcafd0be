// The list steps all three schedules share: silence of a list and its items,
// routing a list's notice through the tree, lookup of an item by key, and
// the question before a delete.
#pragma once

#include "core/dialogs.h"
#include "core/observable.h"
#include "core/tree_notice.h"

#include <QString>

// Sets each item's silence.
template <class TItem>
void SetItemsSilent(const TSCTypedList<TItem>& AList, bool AValue)
{
    for (int i = 0; i < AList.Count(); ++i)
        AList.Items(i)->SetSilent(AValue);
}

// Sets the list's silence (AField) and each item's.
template <class TItem>
void SetListSilent(const TSCTypedList<TItem>& AList, bool& AField, bool AValue)
{
    AField = AValue;
    SetItemsSilent(AList, AValue);
}

// 0 or more: a position; -n: the item with ID n. Read through the typed
// list itself, so a list's own Items(AKey) can be built on it.
template <class TItem>
TItem* ListItemByKey(const TSCTypedList<TItem>& AList, int AKey)
{
    return AKey >= 0 ? AList.Items(AKey) : AList.ItemWithID(-AKey);
}

// Whether a silent list still hands its notices down to its items: the daily
// lists do (their items tell their own views), the period lists do not.
enum class TSilentListItems { Skipped, Reached };

// A list's notice: down to its items and to its editor unless silent (the
// items see it also while silent when AItems says so), then up to AUp.
template <class TList, class TUp>
void RouteListNotice(TList& AList, bool ASilent, TObject* AEditor, TUp* AUp, TObject* ASender, TObject* ATransmiter,
    const QString& AValueName, TSilentListItems AItems = TSilentListItems::Skipped)
{
    if (!ASilent || AItems == TSilentListItems::Reached)
        for (int i = 0; i < AList.Count(); ++i)
            SCPassOn(AList.Items(i), ASender, ATransmiter, &AList, AValueName);
    if (!ASilent)
        SCNotifyEditor(AEditor, ASender, AValueName);
    SCPassOn(AUp, ASender, ATransmiter, &AList, AValueName);
}

// No question (an empty one) or Yes to it.
inline bool Confirmed(const QString& AMsg)
{
    return AMsg.isEmpty() || ShowMessageBox(AMsg, mtConfirmation, mbYes | mbNo) == mrYes;
}
