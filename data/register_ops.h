// The steps the worker and the workplace registers share: opening the file,
// loading it into the list, lookups, storing, inserting, adding, editing and
// deleting a record.
// The managers, friends of their items, hand in the private fields touched.
#pragma once

#include "core/observable.h"
#include "core/utils.h"
#include "data/data_man.h"
#include "data/table.h"
#include "data/write_refusal.h"

#include <QString>

#include <algorithm>
#include <memory>

// Splits "Room 12" into "Room " and 12; a run of digits that is no valid
// int counts as 0. The number is wider than an int, so the numbers counted
// on from the largest int do not overflow.
inline void SplitTrailingNumber(const QString& AName, QString& AStem, qint64& ANumber)
{
    qsizetype end = AName.size();
    while (end > 0 && AName[end - 1] >= QLatin1Char('0') && AName[end - 1] <= QLatin1Char('9'))
        --end;
    AStem = AName.left(end);
    bool ok = false;
    ANumber = AName.mid(end).toInt(&ok);
    if (!ok || ANumber < 0)
        ANumber = 0;
}

// AText unless another item of AList than AWithOut has it (ignoring case);
// then its stem with the first number above its own that AFind finds free.
template <class TItem, class TList, class TTextOf, class TFind>
QString RegisterUniqueText(
    const TList& AList, const QString& AText, const TItem* AWithOut, TTextOf ATextOf, TFind AFind)
{
    if (AText.isEmpty())
        return QString();
    bool clash = false;
    for (int i = 0; i < AList.Count() && !clash; ++i) {
        const TItem* item = AList.TSCTypedList<TItem>::Items(i);
        clash = item != AWithOut && SameTextIgnoringCase(ATextOf(item), AText);
    }
    if (!clash)
        return AText;
    QString stem;
    qint64 number = 0;
    SplitTrailingNumber(AText, stem, number);
    for (;;) {
        ++number;
        const TItem* found = AFind(stem + QString::number(number));
        if (!found || found == AWithOut)
            break;
    }
    return stem + QString::number(number);
}

// A position (0 or more) or -ID.
template <class TItem>
TItem* RegisterItemByKey(const TSCTypedList<TItem>& AList, int AKey)
{
    return AKey >= 0 ? AList.Items(AKey) : AList.ItemWithID(-AKey);
}

// Opens ATable on its file in the current data folder, made to match ADef.
inline void RegisterOpenTable(TTable& ATable, TTable& ADef, const QString& AFileName)
{
    ATable.Close();
    ATable.SetFileName(IncludeBackslash(CurrentDataDir()) + AFileName);
    TDataMan::CheckDBStructure(ATable, ADef);
}

// Writes an item's record: the one with AID when the file has it, else a new
// one whose ID AID then takes. ASetFields sets the columns (false when one
// did not take); ASetModified hears whether anything is left unsaved.
template <class TSetFields, class TSetModified>
bool RegisterStoreRecord(TTable& ADataSet, int& AID, TSetFields ASetFields, TSetModified ASetModified)
{
    if (!ADataSet.CanModify())
        return false;
    const bool found = AID > 0 && ADataSet.Locate(QStringLiteral("ID"), AID);
    if (found)
        ADataSet.Edit();
    else if (AID > 0 && ADataSet.Restoring())
        ADataSet.AppendWithID(AID);
    else
        ADataSet.Append();
    bool ok = ASetFields();
    ok = ADataSet.Post() && ok;
    if (ok && !found)
        AID = ADataSet.FieldValue(QStringLiteral("ID")).toInt();
    ASetModified(!ok);
    return ok;
}

template <class TItem, class TList>
class TRegisterOps {
public:
    struct TFields {
        int TItem::*ID = nullptr;
        TList* TItem::*List = nullptr;
        bool TItem::*Modified = nullptr;
        TObject* TItem::*Editor = nullptr;
    };
    // Makes an item's unique texts unique in the list, leaving out the item
    // itself (none while loading).
    using TVerify = void (*)(TList& AList, TItem& AItem, const TItem* AWithOut);

    // AStoreError takes why a change was not stored, and is emptied by one
    // that was stored, cancelled or had nothing to do.
    TRegisterOps(TTable& ATable, TList& AList, const TFields& AFields, TVerify AVerify, QString& AStoreError)
        : FTable(ATable),
          FList(AList),
          FFields(AFields),
          FVerify(AVerify),
          FStoreError(AStoreError)
    {
    }

    // Rows that cannot be read or carry no usable ID stay in the file; the
    // user hears how many.
    void Load()
    {
        FList.FreeObjects();
        FTable.SetFiltered(false);
        if (!FTable.Active())
            return;
        qint64 unusable = 0;
        bool read = FTable.First();
        while (read && !FTable.Eof()) {
            auto item = TSCObject::Create<TItem>();
            if (item->LoadFromDB(FTable) && IsUsableID((*item).*FFields.ID)) {
                FVerify(FList, *item, nullptr);
                (*item).*FFields.List = &FList;
                FList.Add(std::move(item));
            } else {
                ++unusable;
            }
            read = FTable.Next();
        }
        if (!read || FTable.WalkBroken()) {
            // The walk broke off: what the file holds beyond it is unknown
            // unless it can still be counted.
            const qint64 total = FTable.TotalRowCount();
            unusable = total >= 0 ? std::max(unusable, total - FList.Count()) : -1;
        }
        if (!FTable.InMemory())
            TDataMan::ReportUnusableRows(FTable.FileName(), unusable);
    }

    bool Store(TItem* AItem)
    {
        FStoreError.clear();
        FVerify(FList, *AItem, AItem);
        if (!FTable.CanModify())
            return Refused();
        FTable.SetFiltered(false);
        const int formerID = AItem->*FFields.ID;
        if (AItem->StoreToDB(FTable) && FTable.Save())
            return true;
        Refused();
        // Nothing reached the file, so nothing of it stays in memory either.
        FTable.CancelUpdates();
        AItem->*FFields.ID = formerID;
        AItem->*FFields.Modified = true;
        return false;
    }

    bool Insert(TItem* AItem)
    {
        if (!AItem || Foreign(AItem))
            return false;
        return Store(AItem);
    }

    bool Insert(std::unique_ptr<TItem>& AItem)
    {
        if (!AItem || Foreign(AItem.get()))
            return false;
        if (FList.IndexOf(AItem.get()) >= 0)
            return Store(AItem.get());
        if (!Store(AItem.get()))
            return false;
        (*AItem).*FFields.List = &FList;
        FList.Add(std::move(AItem));
        return true;
    }

    // Stores a deleted entry again under its own ID, so the relations it
    // kept name it again; on success it joins the register.
    bool Restore(std::unique_ptr<TItem>& AItem)
    {
        if (!AItem || (*AItem).*FFields.ID <= 0 || FList.Items(-((*AItem).*FFields.ID)))
            return false;
        (*AItem).*FFields.List = nullptr;
        FTable.SetRestoring(true);
        const bool ok = Insert(AItem);
        FTable.SetRestoring(false);
        return ok;
    }

    TItem* Add()
    {
        FStoreError.clear();
        auto item = TSCObject::Create<TItem>();
        item->LoadDefault(255);
        (*item).*FFields.List = &FList;
        if (!item->Edit())
            return nullptr;
        TItem* added = item.get();
        return Insert(item) ? added : nullptr;
    }

    bool Edit(TItem* AItem)
    {
        FStoreError.clear();
        if (!AItem || Foreign(AItem))
            return false;
        TList* former = AItem->*FFields.List;
        AItem->*FFields.List = &FList;
        auto before = TSCObject::Create<TItem>();
        before->Assign(*AItem);
        if (!AItem->Edit()) {
            AItem->*FFields.List = former;
            return false;
        }
        const bool inList = FList.IndexOf(AItem) >= 0;
        if (!inList)
            AItem->*FFields.List = former; // the caller's object stays the caller's
        if (Store(AItem))
            return true;
        // The edit did not reach the file: show what is stored.
        TObject* editor = AItem->*FFields.Editor;
        AItem->Assign(*before);
        AItem->*FFields.Editor = editor;
        AItem->*FFields.List = inList ? &FList : former;
        return false;
    }

    bool Delete(int AID, std::unique_ptr<TItem>* ATaken)
    {
        FStoreError.clear();
        if (AID <= 0)
            return false;
        if (!FTable.CanModify())
            return Refused();
        FTable.SetFiltered(false);
        if (!FTable.Locate(QStringLiteral("ID"), AID))
            return false;
        if (!FTable.Delete() || !FTable.Save()) {
            Refused();
            FTable.CancelUpdates();
            return false;
        }
        const int index = FList.IndexOf(FList.Items(-AID));
        if (index >= 0) {
            auto taken = FList.Extract(index);
            (*taken).*FFields.List = nullptr;
            if (ATaken)
                *ATaken = std::move(taken);
        }
        return true;
    }

private:
    bool Foreign(const TItem* AItem) const { return AItem->*FFields.List && AItem->*FFields.List != &FList; }
    // Notes why the table took no write; false for the caller to return.
    bool Refused()
    {
        FStoreError = WriteRefusal(FTable);
        return false;
    }

    TTable& FTable;
    TList& FList;
    TFields FFields;
    TVerify FVerify;
    QString& FStoreError;
};
