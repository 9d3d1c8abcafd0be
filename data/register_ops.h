// The steps the worker and the workplace registers share: opening the file,
// loading it into the list, lookups, storing, inserting, adding, editing and
// deleting a record, and following what another copy wrote to the file.
// The managers, friends of their items, hand in the private fields touched.
#pragma once

#include "core/dialogs.h"
#include "core/observable.h"
#include "core/utils.h"
#include "data/data_man.h"
#include "data/register_sync.h"
#include "data/table.h"
#include "data/table_file.h"
#include "data/write_refusal.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <unordered_map>

// A position (0 or more) or -ID.
template <class TItem>
TItem* RegisterItemByKey(const TSCTypedList<TItem>& AList, int AKey)
{
    return AKey >= 0 ? AList.Items(AKey) : AList.ItemWithID(-AKey);
}

// Opens ATable where the data is kept (see AttachTable), made to match ADef.
inline void RegisterOpenTable(TTable& ATable, TTable& ADef, const QString& AFileName)
{
    ATable.Close();
    AttachTable(ATable, AFileName);
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
        SCSetItemID(AID, ADataSet.FieldValue(QStringLiteral("ID")).toInt());
    ASetModified(!ok);
    return ok;
}

// "A" → "B", or empty when the text stayed.
inline QString RenameText(const QString& ABefore, const QString& AAfter)
{
    return ABefore == AAfter ? QString() : QStringLiteral("\"%1\" → \"%2\"").arg(ABefore, AAfter);
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
    // itself (none while loading); says what it renamed ("A" → "A1"), empty
    // when nothing.
    using TVerify = QString (*)(TList& AList, TItem& AItem, const TItem* AWithOut);

    // AStoreError takes why a change was not stored, and is emptied by one
    // that was stored, cancelled or had nothing to do.
    TRegisterOps(TTable& ATable, TList& AList, const TFields& AFields, TVerify AVerify, QString& AStoreError,
        TRegisterSyncState& ASync)
        : FTable(ATable),
          FList(AList),
          FFields(AFields),
          FVerify(AVerify),
          FStoreError(AStoreError),
          FSync(ASync)
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
        QStringList renamed;
        std::vector<TItem*> mended;
        bool read = FTable.First();
        while (read && !FTable.Eof()) {
            auto item = TSCObject::Create<TItem>();
            if (item->LoadFromDB(FTable) && IsUsableID((*item).*FFields.ID)) {
                if (const QString change = FVerify(FList, *item, nullptr); !change.isEmpty()) {
                    renamed << change;
                    mended.push_back(item.get());
                }
                (*item).*FFields.List = &FList;
                FList.Add(std::move(item));
            } else {
                ++unusable;
            }
            read = FTable.Next();
        }
        FTable.ChangedElsewhere();
        FSync = {};
        if (!mended.empty())
            Mend(mended, renamed);
        if (!read || FTable.WalkBroken()) {
            // The walk broke off: what the file holds beyond it is unknown
            // unless it can still be counted.
            const qint64 total = FTable.TotalRowCount();
            unusable = total >= 0 ? std::max(unusable, total - FList.Count()) : -1;
        }
        if (!FTable.InMemory())
            TDataMan::ReportUnusableRows(FTable.FileName(), unusable);
    }

    // ABefore, when given, holds the values an edit began from: a record
    // that another copy changed or deleted since is not overwritten unasked.
    // ARetries: how often a write that lost a race is made again.
    bool Store(TItem* AItem, const TItem* ABefore = nullptr, int ARetries = TTable::RaceRetries)
    {
        FStoreError.clear();
        if (!FTable.CanModify() || !FTable.Begin()) {
            FVerify(FList, *AItem, AItem);
            return Refused();
        }
        // Under the file's write lock the list is brought in step with it, so
        // the unique names are checked against what every copy stored.
        Sync(AItem);
        FVerify(FList, *AItem, AItem);
        if (ABefore && FSync.Diverged.erase(AItem->*FFields.ID) > 0) {
            FTable.SetFiltered(false);
            auto stored = TSCObject::Create<TItem>();
            const bool found = FTable.Locate(QStringLiteral("ID"), AItem->*FFields.ID) && stored->LoadFromDB(FTable);
            if (!found || !stored->SameRecord(*ABefore)) {
                // The question is asked without the lock: the other copy writes on.
                FTable.CancelUpdates();
                return Resolve(AItem, found ? stored.get() : nullptr, ABefore->Name());
            }
        }
        FTable.SetFiltered(false);
        const int formerID = AItem->*FFields.ID;
        if (AItem->StoreToDB(FTable) && FTable.Save())
            return true;
        Refused();
        const bool lostRace = FTable.LostRace();
        // Nothing reached the file, so nothing of it stays in memory either.
        FTable.CancelUpdates();
        SCSetItemID(AItem->*FFields.ID, formerID);
        AItem->*FFields.Modified = true;
        if (!lostRace || ARetries <= 0)
            return false;
        // On a server another copy's commit is heard of only between writes:
        // a name it stored a moment before meets the unique key. Read in
        // step, the name is made unique against it.
        FSync.Again = true;
        return Store(AItem, ABefore, ARetries - 1);
    }

    // Brings the list in step with the file after another copy wrote to it:
    // entries added there join, changed ones take the stored values, deleted
    // ones leave. AKeep, and an entry with its editor open, stay as they are
    // until a later look. True when the list changed.
    bool Sync(const TItem* AKeep = nullptr)
    {
        if (!FTable.ChangedElsewhere() && !FSync.Again)
            return false;
        FSync.Again = false;
        FTable.SetFiltered(false);
        std::unordered_map<int, std::unique_ptr<TItem>> stored;
        std::vector<int> order;
        bool read = FTable.First();
        while (read && !FTable.Eof()) {
            auto item = TSCObject::Create<TItem>();
            const int id = item->LoadFromDB(FTable) ? (*item).*FFields.ID : 0;
            if (IsUsableID(id) && stored.emplace(id, std::move(item)).second)
                order.push_back(id);
            read = FTable.Next();
        }
        if (!read || FTable.WalkBroken()) {
            FSync.Again = true;
            return false;
        }
        bool changed = false;
        for (int i = FList.Count() - 1; i >= 0; --i) {
            TItem* item = FList.TSCTypedList<TItem>::Items(i);
            const auto found = stored.find(item->*FFields.ID);
            const bool same = found != stored.end() && item->SameRecord(*found->second);
            if (!same && (item == AKeep || item->*FFields.Editor)) {
                // AKeep is being stored now; an open editor's entry waits.
                FSync.Diverged.insert(item->*FFields.ID);
                FSync.Again = FSync.Again || item != AKeep;
            } else if (found == stored.end()) {
                FList.Extract(i);
                changed = true;
            } else if (!same) {
                Take(item, *found->second);
                changed = true;
            }
            if (found != stored.end())
                stored.erase(found);
        }
        for (const int id : order) {
            const auto found = stored.find(id);
            if (found == stored.end())
                continue;
            // Taken as stored: the entry being stored is the one to give way.
            (*found->second).*FFields.List = &FList;
            FList.Add(std::move(found->second));
            changed = true;
        }
        FSync.Unannounced = FSync.Unannounced || changed;
        return changed;
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
        if (Store(AItem, inList ? before.get() : nullptr))
            return true;
        if (FTaken)
            return false;
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
        if (!FTable.Locate(QStringLiteral("ID"), AID)) {
            // Another copy deleted it already: it leaves the list all the same.
            if (!FList.Items(-AID))
                return false;
        } else if (!FTable.Delete() || !FTable.Save()) {
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

    // An entry takes the stored values; its list and editor stay.
    void Take(TItem* AItem, const TItem& AStored)
    {
        TList* list = AItem->*FFields.List;
        TObject* editor = AItem->*FFields.Editor;
        AItem->Assign(AStored);
        AItem->*FFields.List = list;
        AItem->*FFields.Editor = editor;
        AItem->*FFields.Modified = false;
    }

    // Another copy changed (AStored) or deleted (none) the record an edit
    // began from; the user chooses whose version stays.
    bool Resolve(TItem* AItem, const TItem* AStored, const QString& AName)
    {
        const bool again
            = ShowMessageBox(AStored ? QStringLiteral("Another copy of the program changed \"%1\" while you were "
                                                      "editing it.\r\nSave your changes over it? (No keeps "
                                                      "the other copy's version.)")
                                           .arg(AName)
                                     : QStringLiteral("Another copy of the program deleted \"%1\" while you were "
                                                      "editing it.\r\nSave it again? (No leaves it deleted.)")
                                           .arg(AName),
                  mtConfirmation, mbYes | mbNo)
              == mrYes;
        if (!again) {
            FTaken = true;
            if (AStored)
                Take(AItem, *AStored);
            else
                FSync.Again = true; // it leaves the list at the next look
            FSync.Unannounced = true;
            return false;
        }
        if (AStored)
            return Store(AItem, AStored);
        FTable.SetRestoring(true);
        const bool stored = Store(AItem);
        FTable.SetRestoring(false);
        return stored;
    }

    // Writes back the names a file held twice (two copies of an earlier
    // version wrote at once) as the list renamed them, after a copy of the
    // file as it was is kept as "<file>.bak", and tells the user.
    void Mend(const std::vector<TItem*>& AItems, const QStringList& ARenamed)
    {
        if (!FTable.CanModify() || FTable.InMemory())
            return;
        const QString backup = FTable.FileName() + QStringLiteral(".bak");
        bool ok = WriteBackupCopy(FTable.Database(), backup) && FTable.Begin();
        for (TItem* item : AItems)
            ok = ok && item->StoreToDB(FTable);
        if (!ok || !FTable.Save()) {
            FTable.CancelUpdates();
            return;
        }
        FTable.ChangedElsewhere();
        ShowMessageBox(QStringLiteral("The data file \"%1\" held names used more than once, against the rule that "
                                      "each is unique. They were renamed:\r\n%2\r\nThe file as it was is kept as "
                                      "\"%3\".")
                           .arg(QDir::toNativeSeparators(FTable.FileName()), ARenamed.join(QStringLiteral("\r\n")),
                               QFileInfo(backup).fileName()),
            mtInformation, mbOK);
    }
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
    TRegisterSyncState& FSync;
    // The edited entry took the other copy's version instead of being stored.
    bool FTaken = false;
};
