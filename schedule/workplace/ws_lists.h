// The lists of the workplace schedule: every worker with the dates he works
// at the shown workplace, every workplace with the dates anybody works there,
// and the days of the period with the workers at the shown workplace; plus
// the worker payloads.
#pragma once

#include "schedule/worker/period_lists.h"

#include <QMimeData>

class TWorkplaceSchedule;
class TWSPerson;
class TWSPersonList;
class TWSWorkplace;
class TWSWorkplaceList;
class TWSDay;
class TWSDayList;
class TWSDayPersonList;

enum TWSPersonSortingKind { wspskNone, wspskByID, wspskByName };
enum TWSWorkplaceSortingKind { wswpskNone, wswpskByID, wswpskByShortcut, wswpskByName };

// --- worker list ---

class TWSPersonDayList;

class TWSPersonDay : public TPeriodDay {
public:
    TWSPersonDayList* OwnerList() const;
};

class TWSPersonDayList : public TPeriodDayListOf<TWSPersonDay, TWSPerson> {
public:
    TWSPerson* Person() const { return Owner(); }
    // Always false.
    bool DeleteDay(TDate ADate)
    {
        DeleteDayEntry(ADate);
        return false;
    }
};

class TWSPerson : public TPeriodPersonEntry {
public:
    void Init() override;
    TWSPersonDayList* Days() const { return static_cast<TWSPersonDayList*>(DaysBase()); }
    TWSPersonList* OwnerList() const;
};

class TWSPersonList : public TPeriodRegisterListOf<TWSPerson> {
public:
    TWSPersonList() : TPeriodRegisterListOf<TWSPerson>(QStringLiteral("PersonFocused")) {}

    using TPeriodRegisterListOf<TWSPerson>::Items;
    TWSPerson* Items(const QString& AName) const;

    TWorkplaceSchedule* Schedule() const;
    void SetSchedule(TWorkplaceSchedule* ASchedule);
    TWSPerson* PersonFocused() const { return static_cast<TWSPerson*>(FocusedEntry()); }
    void SetPersonFocused(TWSPerson* AValue) { SetFocusedEntry(AValue); }
    TWSPersonSortingKind SortingKind() const { return FSortingKind; }
    void SetSortingKind(TWSPersonSortingKind AValue) { ChangeSortingKind(FSortingKind, AValue); }

    // Every worker with his dates at workplace AWorkplaceID.
    void Refresh(int AWorkplaceID);
    TWSPerson* AddPerson(TPerson* APerson, bool ASetAsFocused, bool ASort);
    // The same for a register ID.
    TWSPerson* AddPersonID(int AID, bool ASetAsFocused, bool ASort);
    bool AddPersonDay(int APersonID, TDate ADate);
    // Always false.
    bool DeletePersonDay(int APersonID, TDate ADate);
    bool EditPerson(int APersonID);
    bool DeletePerson(int APersonID, const QString& AMsg);
    bool Print(const QString& AReportName, bool ASimplePersonList);

protected:
    bool SortingIsNone() const override { return FSortingKind == wspskNone; }
    bool SortingIsByID() const override { return FSortingKind == wspskByID; }
    QString SortText(const TPeriodEntry* AEntry) const override;

private:
    TWSPersonSortingKind FSortingKind = wspskByName;
};

// --- workplace list ---

class TWSWorkplaceDayList;

class TWSWorkplaceDay : public TPeriodDay {
public:
    TWSWorkplaceDayList* OwnerList() const;
};

class TWSWorkplaceDayList : public TPeriodDayListOf<TWSWorkplaceDay, TWSWorkplace> {
public:
    TWSWorkplace* Workplace() const { return Owner(); }
    // Always false.
    bool DeleteDay(TDate ADate)
    {
        DeleteDayEntry(ADate);
        return false;
    }
};

class TWSWorkplace : public TPeriodWorkplaceEntry {
public:
    void Init() override;
    TWSWorkplaceDayList* Days() const { return static_cast<TWSWorkplaceDayList*>(DaysBase()); }
    TWSWorkplaceList* OwnerList() const;
};

class TWSWorkplaceList : public TPeriodRegisterListOf<TWSWorkplace> {
public:
    TWSWorkplaceList() : TPeriodRegisterListOf<TWSWorkplace>(QStringLiteral("WorkplaceFocused")) {}

    using TPeriodRegisterListOf<TWSWorkplace>::Items;
    // By name ignoring case, or by shortcut for a key beginning with "^".
    TWSWorkplace* Items(const QString& AKey) const;

    TWorkplaceSchedule* Schedule() const;
    void SetSchedule(TWorkplaceSchedule* ASchedule);
    TWSWorkplace* WorkplaceFocused() const { return static_cast<TWSWorkplace*>(FocusedEntry()); }
    void SetWorkplaceFocused(TWSWorkplace* AValue) { SetFocusedEntry(AValue); }
    TWSWorkplaceSortingKind SortingKind() const { return FSortingKind; }
    void SetSortingKind(TWSWorkplaceSortingKind AValue) { ChangeSortingKind(FSortingKind, AValue); }

    // Every workplace with the dates anybody works there.
    void Refresh(int AWorkplaceFocusedID);
    TWSWorkplace* AddWorkplace(TWorkplace* AWorkplace, bool ASetAsFocused, bool ASort);
    // The same for a register ID.
    TWSWorkplace* AddWorkplaceID(int AID, bool ASetAsFocused, bool ASort);
    bool AddWorkplaceDay(int AWorkplaceID, TDate ADate);
    // Always false.
    bool DeleteWorkplaceDay(int AWorkplaceID, TDate ADate);
    bool EditWorkplace(int AWorkplaceID);
    bool DeleteWorkplace(int AWorkplaceID, const QString& AMsg);
    bool Print(const QString& AReportName, bool ASimpleWorkplaceList);

protected:
    bool SortingIsNone() const override { return FSortingKind == wswpskNone; }
    bool SortingIsByID() const override { return FSortingKind == wswpskByID; }
    QString SortText(const TPeriodEntry* AEntry) const override;

private:
    TWSWorkplaceSortingKind FSortingKind = wswpskByShortcut;
};

// --- day list ---

class TWSDayPerson : public TSCObject, public ISCTreeNode {
public:
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    int ID() const { return FID; }
    void SetID(int AValue) { FID = AValue; }
    TWSDayPersonList* OwnerList() const { return FOwnerList; }
    void SetOwnerList(TWSDayPersonList* AList) { FOwnerList = AList; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue) { FSilent = AValue; }
    const QString& StoredName() const { return FStoredName; }
    void SetStoredName(const QString& AValue) { FStoredName = AValue; }

    TWSDay* Day() const;
    TPerson* Person() const;
    std::optional<TPeriodPersonRecord> Record() const;
    QString Name() const;
    QString SortingName() const;
    QString Note() const;
    QString NoteOut() const;
    TDate DateOutFrom() const;
    TDate DateOutTo() const;
    int DaysOut() const;
    // True when the worker is absent on the day, is not in the register, or
    // the entry has no day.
    bool IsOut() const;
    QString NameAndStoredName() const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

private:
    TObject* FEditor = nullptr;
    int FID = 0;
    TWSDayPersonList* FOwnerList = nullptr;
    bool FSilent = false;
    QString FStoredName;
};

class TWSDayPersonList : public TSCTypedList<TWSDayPerson>, public ISCTreeNode {
public:
    // Position for 0 and up, the entry with ID -AKey for negative keys.
    TWSDayPerson* Items(int AKey) const;
    TWSDay* Day() const { return FDay; }
    void SetDay(TWSDay* ADay) { FDay = ADay; }
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);

    TWSDayPerson* AddPerson(int AID, const QString& AStoredName, bool ASort);
    bool DeletePerson(int AID);
    void SortByName();

    void Announce(const QString& AValueName) { DataChanged(this, this, AValueName); }
    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

private:
    TWSDay* FDay = nullptr;
    TObject* FEditor = nullptr;
    bool FSilent = false;
};

class TWSDay : public TSCObject, public ISCTreeNode {
public:
    void Init() override;

    TColor Color() const { return FColor; }
    TDate Date() const { return FDate; }
    // Whole day; announces "Date" (or "Date*") and sets the weekday name and colour.
    void SetDate(TDate AValue);
    const QString& DayStr() const { return FDayStr; }
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    TWSDayList* OwnerList() const { return FOwnerList; }
    void SetOwnerList(TWSDayList* AList) { FOwnerList = AList; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    TWSDayPersonList* Persons() const { return FPersons.get(); }

    TWorkplaceSchedule* Schedule() const;
    QString DayName() const;
    QString DateStrWithoutYear() const;

    // Rebuilds the day's workers from the loaded jobs at workplace AWorkplaceID.
    void UpdatePersons(int AWorkplaceID);

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

private:
    TColor FColor = 0;
    TDate FDate = 0;
    QString FDayStr;
    TObject* FEditor = nullptr;
    TWSDayList* FOwnerList = nullptr;
    bool FSilent = false;
    std::unique_ptr<TWSDayPersonList> FPersons;
};

class TWSDayList : public TSCTypedList<TWSDay>, public ISCTreeNode {
public:
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    TWorkplaceSchedule* Schedule() const { return FSchedule; }
    void SetSchedule(TWorkplaceSchedule* ASchedule) { FSchedule = ASchedule; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);

    TWSDay* FindDay(TDate ADate) const;
    void Refresh(TDate AStartDate, int ADayCount, int AWorkplaceID);
    TWSDay* AddDay(TDate ADate, bool ASort);
    bool AddDayPerson(TDate ADate, int APersonID, const QString& APersonName);
    bool DeleteDayPerson(TDate ADate, int APersonID);
    void SortByDate();
    bool Print(const QString& AReportName);

    void Announce(const QString& AValueName) { DataChanged(this, this, AValueName); }
    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

private:
    TObject* FEditor = nullptr;
    TWorkplaceSchedule* FSchedule = nullptr;
    bool FSilent = false;
};

// --- drag payloads ---

// A worker taken from the worker list.
class TWSPersonDragObjectEx : public QMimeData {
    Q_OBJECT
public:
    int PersonID() const { return FPersonID; }
    void SetPersonID(int AValue) { FPersonID = AValue; }

private:
    int FPersonID = 0;
};

// A worker taken from a day; Day is that day's date.
class TWSDayPersonDragObjectEx : public TWSPersonDragObjectEx {
    Q_OBJECT
public:
    TDate Day() const { return FDay; }
    void SetDay(TDate AValue) { FDay = AValue; }

private:
    TDate FDay = 0;
};
