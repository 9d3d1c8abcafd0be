// The lists of the workplace schedule: every worker with the dates he works
// at the shown workplace, every workplace with the dates anybody works there,
// and the days of the period with the workers at the shown workplace; plus
// the worker payloads.
#pragma once

#include "schedule/export/plan_export.h"
#include "schedule/period/period_day_lists.h"

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
    // The workplace the schedule shows.
    int ChosenID() const override;

private:
    TWSWorkplaceSortingKind FSortingKind = wswpskByShortcut;
};

// --- day list ---

class TWSDayPerson : public TPeriodDayEntryOf<TWSDayPersonList, TWSDay>, public TRegisterPersonFields<TWSDayPerson> {
public:
    TPerson* Person() const;
    std::optional<TRegisterPersonRecord> Record() const;
    // True when the worker is absent on the day, is not in the register, or
    // the entry has no day.
    bool IsOut() const;
    QString NameAndStoredName() const { return WithStoredName(Name()); }
};

class TWSDayPersonList : public TPeriodDayEntryListOf<TWSDayPersonList, TWSDayPerson, TWSDay> {
public:
    TWSDayPerson* AddPerson(int AID, const QString& AStoredName, bool ASort)
    {
        return InsertEntry(NewEntry(AID, AStoredName), ASort);
    }
    bool DeletePerson(int AID) { return DeleteEntry(AID); }
    void SortByName();

protected:
    void SortEntries() override { SortByName(); }
};

class TWSDay : public TPeriodScheduleDayOf<TWSDay, TWSDayPersonList, TWSDayList, TWorkplaceSchedule> {
public:
    TWSDayPersonList* Persons() const { return Entries(); }

    // Rebuilds the day's workers from the loaded jobs at workplace AWorkplaceID.
    void UpdatePersons(int AWorkplaceID);
};

class TWSDayList : public TPeriodScheduleDayListOf<TWSDayList, TWSDay, TWorkplaceSchedule> {
public:
    void Refresh(TDate AStartDate, int ADayCount, int AWorkplaceID);
    bool AddDayPerson(TDate ADate, int APersonID, const QString& APersonName);
    bool DeleteDayPerson(TDate ADate, int APersonID);
    bool Print(const QString& AReportName);
    // The shown period of the schedule's workplace to a file the user chooses;
    // false when cancelled (AError empty) or failed.
    bool Export(TExportFormat AFormat, QString& AError);

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;
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
