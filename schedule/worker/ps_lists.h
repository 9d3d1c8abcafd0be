// The lists of the worker schedule: every worker with the dates he works,
// every workplace with the chosen worker's dates there, and the days of the
// period with the chosen worker's workplaces; plus the workplace payloads.
#pragma once

#include "schedule/export/plan_export.h"
#include "schedule/period/period_day_lists.h"

#include <QMimeData>

class TPersonSchedule;
class TPSPerson;
class TPSPersonList;
class TPSWorkplace;
class TPSWorkplaceList;
class TPSDay;
class TPSDayList;
class TPSDayWorkplaceList;

enum TPSPersonSortingKind { pspskNone, pspskByID, pspskByName };
enum TPSWorkplaceSortingKind { pswpskNone, pswpskByID, pswpskByShortcut, pswpskByName };

// --- worker list ---

class TPSPersonDayList;

class TPSPersonDay : public TPeriodDay {
public:
    TPSPersonDayList* OwnerList() const;
};

class TPSPersonDayList : public TPeriodDayListOf<TPSPersonDay, TPSPerson> {
public:
    TPSPerson* Person() const { return Owner(); }
    void DeleteDay(TDate ADate) { DeleteDayEntry(ADate); }
};

class TPSPerson : public TPeriodPersonEntry {
public:
    void Init() override;
    TPSPersonDayList* Days() const { return static_cast<TPSPersonDayList*>(DaysBase()); }
    TPSPersonList* OwnerList() const;
    // Rebuilds the dates from the loaded jobs of this worker.
    void UpdateDays();
};

class TPSPersonList : public TPeriodRegisterListOf<TPSPerson> {
public:
    TPSPersonList() : TPeriodRegisterListOf<TPSPerson>(QStringLiteral("PersonFocused")) {}

    using TPeriodRegisterListOf<TPSPerson>::Items;
    // The first entry whose name equals AName ignoring case.
    TPSPerson* Items(const QString& AName) const;

    TPersonSchedule* Schedule() const;
    void SetSchedule(TPersonSchedule* ASchedule);
    TPSPerson* PersonFocused() const { return static_cast<TPSPerson*>(FocusedEntry()); }
    void SetPersonFocused(TPSPerson* AValue) { SetFocusedEntry(AValue); }
    TPSPersonSortingKind SortingKind() const { return FSortingKind; }
    void SetSortingKind(TPSPersonSortingKind AValue) { ChangeSortingKind(FSortingKind, AValue); }

    void Refresh(int APersonFocusedID);
    TPSPerson* AddPerson(TPerson* APerson, bool ASetAsFocused, bool ASort);
    // The same for a register ID.
    TPSPerson* AddPersonID(int AID, bool ASetAsFocused, bool ASort);
    bool AddPersonDay(int APersonID, TDate ADate);
    void DeletePersonDay(int APersonID, TDate ADate);
    bool EditPerson(int APersonID);
    bool DeletePerson(int APersonID, const QString& AMsg);
    bool Print(const QString& AReportName, bool ASimplePersonList);

protected:
    bool SortingIsNone() const override { return FSortingKind == pspskNone; }
    bool SortingIsByID() const override { return FSortingKind == pspskByID; }
    QString SortText(const TPeriodEntry* AEntry) const override;
    // The worker the schedule shows.
    int ChosenID() const override;

private:
    TPSPersonSortingKind FSortingKind = pspskByName;
};

// --- workplace list ---

class TPSWorkplaceDayList;

class TPSWorkplaceDay : public TPeriodDay {
public:
    TPSWorkplaceDayList* OwnerList() const;
};

class TPSWorkplaceDayList : public TPeriodDayListOf<TPSWorkplaceDay, TPSWorkplace> {
public:
    TPSWorkplace* Workplace() const { return Owner(); }
    void DeleteDay(TDate ADate) { DeleteDayEntry(ADate); }
};

class TPSWorkplace : public TPeriodWorkplaceEntry {
public:
    void Init() override;
    TPSWorkplaceDayList* Days() const { return static_cast<TPSWorkplaceDayList*>(DaysBase()); }
    TPSWorkplaceList* OwnerList() const;
    // Rebuilds the dates of worker APersonID at this workplace.
    void UpdateDays(int APersonID);
};

class TPSWorkplaceList : public TPeriodRegisterListOf<TPSWorkplace> {
public:
    TPSWorkplaceList() : TPeriodRegisterListOf<TPSWorkplace>(QStringLiteral("WorkplaceFocused")) {}

    using TPeriodRegisterListOf<TPSWorkplace>::Items;
    // By name ignoring case, or by shortcut for a key beginning with "^".
    TPSWorkplace* Items(const QString& AKey) const;

    TPersonSchedule* Schedule() const;
    void SetSchedule(TPersonSchedule* ASchedule);
    TPSWorkplace* WorkplaceFocused() const { return static_cast<TPSWorkplace*>(FocusedEntry()); }
    void SetWorkplaceFocused(TPSWorkplace* AValue) { SetFocusedEntry(AValue); }
    TPSWorkplaceSortingKind SortingKind() const { return FSortingKind; }
    void SetSortingKind(TPSWorkplaceSortingKind AValue) { ChangeSortingKind(FSortingKind, AValue); }

    void Refresh(int APersonID);
    TPSWorkplace* AddWorkplace(TWorkplace* AWorkplace, bool ASetAsFocused, bool ASort);
    // The same for a register ID.
    TPSWorkplace* AddWorkplaceID(int AID, bool ASetAsFocused, bool ASort);
    bool AddWorkplaceDay(int AWorkplaceID, TDate ADate);
    void DeleteWorkplaceDay(int AWorkplaceID, TDate ADate);
    bool EditWorkplace(int AWorkplaceID);
    bool DeleteWorkplace(int AWorkplaceID, const QString& AMsg);
    bool Print(const QString& AReportName, bool ASimpleWorkplaceList);

protected:
    bool SortingIsNone() const override { return FSortingKind == pswpskNone; }
    bool SortingIsByID() const override { return FSortingKind == pswpskByID; }
    QString SortText(const TPeriodEntry* AEntry) const override;

private:
    TPSWorkplaceSortingKind FSortingKind = pswpskByShortcut;
};

// --- day list ---

class TPSDayWorkplace : public TPeriodDayEntryOf<TPSDayWorkplaceList, TPSDay> {
public:
    const QString& StoredShortcut() const { return FStoredShortcut; }
    void SetStoredShortcut(const QString& AValue) { FStoredShortcut = AValue; }

    TWorkplace* Workplace() const;
    std::optional<TRegisterWorkplaceRecord> Record() const;
    QString Name() const;
    QString Note() const;
    // Empty when the record is missing.
    QString Shortcut() const;
    QString NameAndStoredName() const { return WithStoredName(Name()); }
    QString ShortcutOrStoredShortcut() const;

private:
    QString FStoredShortcut;
};

class TPSDayWorkplaceList : public TPeriodDayEntryListOf<TPSDayWorkplaceList, TPSDayWorkplace, TPSDay> {
public:
    TPSDayWorkplace* AddWorkplace(int AID, const QString& AStoredName, const QString& AStoredShortcut, bool ASort);
    bool DeleteWorkplace(int AID) { return DeleteEntry(AID); }
    void SortByShortcut();

protected:
    void SortEntries() override { SortByShortcut(); }
};

class TPSDay : public TPeriodScheduleDayOf<TPSDay, TPSDayWorkplaceList, TPSDayList, TPersonSchedule> {
public:
    TPSDayWorkplaceList* Workplaces() const { return Entries(); }

    bool PersonIsOut() const;

    // Rebuilds the day's workplaces from the loaded jobs of worker APersonID.
    void UpdateWorkplaces(int APersonID);
};

class TPSDayList : public TPeriodScheduleDayListOf<TPSDayList, TPSDay, TPersonSchedule> {
public:
    void Refresh(TDate AStartDate, int ADayCount, int APersonID);
    bool AddDayWorkplace(
        TDate ADate, int AWorkplaceID, const QString& AWorkplaceName, const QString& AWorkplaceShortcut);
    bool DeleteDayWorkplace(TDate ADate, int AWorkplaceID);
    bool Print(const QString& AReportName);
    // The shown period of the schedule's worker to a file the user chooses;
    // false when cancelled (AError empty) or failed.
    bool Export(TExportFormat AFormat, QString& AError);

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;
};

// --- drag payloads ---

// A workplace taken from the workplace list.
class TPSWorkplaceDragObjectEx : public QMimeData {
    Q_OBJECT
public:
    int WorkplaceID() const { return FWorkplaceID; }
    void SetWorkplaceID(int AValue) { FWorkplaceID = AValue; }

private:
    int FWorkplaceID = 0;
};

// A workplace taken from a day; Day is that day's date.
class TPSDayWorkplaceDragObjectEx : public TPSWorkplaceDragObjectEx {
    Q_OBJECT
public:
    TDate Day() const { return FDay; }
    void SetDay(TDate AValue) { FDay = AValue; }

private:
    TDate FDay = 0;
};
