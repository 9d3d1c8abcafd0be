// The day side shared by the worker and the workplace schedule: a day of the
// period with its sub-list of register entries, and the list of those days.
#pragma once

#include "schedule/period/period_lists.h"

// An entry of a day's sub-list: a register ID with the name stored in the job.
template <class TList, class TDay>
class TPeriodDayEntryOf : public TSCObject, public ISCTreeNode {
public:
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    int ID() const { return FID; }
    void SetID(int AValue) { FID = AValue; }
    TList* OwnerList() const { return FOwnerList; }
    void SetOwnerList(TList* AList) { FOwnerList = AList; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue) { FSilent = AValue; }
    const QString& StoredName() const { return FStoredName; }
    void SetStoredName(const QString& AValue) { FStoredName = AValue; }

    TDay* Day() const { return FOwnerList ? FOwnerList->Day() : nullptr; }

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override
    {
        if (!FSilent)
            SCNotifyEditor(FEditor, ASender, AValueName);
        SCPassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
    }

protected:
    QString WithStoredName(const QString& AName) const { return NameWithStored(AName, FStoredName); }

private:
    TObject* FEditor = nullptr;
    int FID = 0;
    TList* FOwnerList = nullptr;
    bool FSilent = false;
    QString FStoredName;
};

// A day's sub-list; TSelf is the list class itself, which sorts in its own order.
template <class TSelf, class TItem, class TDay>
class TPeriodDayEntryListOf : public TSCTypedList<TItem>, public ISCTreeNode {
public:
    // Position for 0 and up, the entry with ID -AKey for negative keys.
    TItem* Items(int AKey) const { return ListItemByKey<TItem>(*this, AKey); }
    TDay* Day() const { return FDay; }
    void SetDay(TDay* ADay) { FDay = ADay; }
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue) { SetListSilent(*this, FSilent, AValue); }

    void Announce(const QString& AValueName) { DataChanged(this, this, AValueName); }
    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override
    {
        RouteListNotice(*this, FSilent, FEditor, FDay, ASender, ATransmiter, AValueName);
    }

protected:
    // A new entry for a register ID not in the list yet, otherwise none.
    std::unique_ptr<TItem> NewEntry(int AID, const QString& AStoredName)
    {
        if (AID < 1 || Items(-AID))
            return nullptr;
        auto entry = TSCObject::Create<TItem>();
        entry->SetOwnerList(static_cast<TSelf*>(this));
        entry->SetSilent(FSilent);
        entry->SetID(AID);
        entry->SetStoredName(AStoredName);
        return entry;
    }
    // Takes AEntry in, sorted in at once or announced as "Items"; none for none.
    TItem* InsertEntry(std::unique_ptr<TItem> AEntry, bool ASort)
    {
        if (!AEntry)
            return nullptr;
        TItem* result = AEntry.get();
        this->Add(std::move(AEntry));
        if (ASort)
            SortEntries();
        else
            Announce(QStringLiteral("Items"));
        return result;
    }
    bool DeleteEntry(int AID)
    {
        TItem* entry = AID > 0 ? Items(-AID) : nullptr;
        if (!entry)
            return false;
        this->Delete(this->IndexOf(entry));
        Announce(QStringLiteral("Items"));
        return true;
    }
    // The list's own order; announces "Items".
    virtual void SortEntries() = 0;

private:
    TDay* FDay = nullptr;
    TObject* FEditor = nullptr;
    bool FSilent = false;
};

// A day of the period with its entries (TEntryList); TSelf is the day class.
template <class TSelf, class TEntryList, class TOwnerList, class TSchedule>
class TPeriodScheduleDayOf : public TSCObject, public ISCTreeNode {
public:
    void Init() override
    {
        FEntries = TSCList::Create<TEntryList>();
        FEntries->SetDay(static_cast<TSelf*>(this));
        FEntries->SetSilent(FSilent);
    }

    TColor Color() const { return FColor; }
    TDate Date() const { return FDate; }
    // Whole day; announces "Date" (or "Date*") and sets the weekday name and colour.
    void SetDate(TDate AValue)
    {
        const TDate day = TruncDate(AValue);
        if (day == FDate) {
            DataChanged(this, this, QStringLiteral("Date*"));
            return;
        }
        // The weekday values first, so views reading them on "Date" see the new day.
        FDate = day;
        FDayStr = ShortDayName(day);
        FColor = PeriodDayColor(day);
        DataChanged(this, this, QStringLiteral("Date"));
    }
    const QString& DayStr() const { return FDayStr; }
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    TOwnerList* OwnerList() const { return FOwnerList; }
    void SetOwnerList(TOwnerList* AList) { FOwnerList = AList; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue)
    {
        FSilent = AValue;
        FEntries->SetSilent(AValue);
    }

    TSchedule* Schedule() const { return FOwnerList ? FOwnerList->Schedule() : nullptr; }
    QString DayName() const { return LongDayName(FDate); }
    QString DateStrWithoutYear() const { return ::DateToStrWithoutYear(FDate); }

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override
    {
        if (!FSilent) {
            SCPassOn(FEntries.get(), ASender, ATransmiter, this, AValueName);
            SCNotifyEditor(FEditor, ASender, AValueName);
        }
        SCPassOn(FOwnerList, ASender, ATransmiter, this, AValueName);
    }

protected:
    TEntryList* Entries() const { return FEntries.get(); }

private:
    TColor FColor = 0;
    TDate FDate = 0;
    QString FDayStr;
    TObject* FEditor = nullptr;
    TOwnerList* FOwnerList = nullptr;
    bool FSilent = false;
    std::unique_ptr<TEntryList> FEntries;
};

// The days of the period; TSelf is the list class itself.
template <class TSelf, class TDay, class TSchedule>
class TPeriodScheduleDayListOf : public TSCTypedList<TDay>, public ISCTreeNode {
public:
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    TSchedule* Schedule() const { return FSchedule; }
    void SetSchedule(TSchedule* ASchedule) { FSchedule = ASchedule; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue) { SetListSilent(*this, FSilent, AValue); }

    TDay* FindDay(TDate ADate) const { return ListDayOf<TDay>(*this, ADate); }
    TDay* AddDay(TDate ADate, bool ASort) { return AddListDay<TDay>(*static_cast<TSelf*>(this), ADate, ASort); }
    void SortByDate() { SortListByDate<TDay>(*this); }

    // DataChanged is the subclass's: passing up needs the complete schedule class.
    void Announce(const QString& AValueName) { this->DataChanged(this, this, AValueName); }

private:
    TObject* FEditor = nullptr;
    TSchedule* FSchedule = nullptr;
    bool FSilent = false;
};
