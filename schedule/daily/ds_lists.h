// The two lists of the daily schedule, their items and inner lists, and the
// drag payloads that carry workers between the daily views. Items hold
// register IDs and the names the job rows stored; everything else is read
// from the registers on demand.
#pragma once

#include "core/observable.h"
#include "core/utils.h"
#include "schedule/daily/ds_store.h"

#include <QMimeData>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class TPerson;
class TWorkplace;
class TDailySchedule;
class TDSPerson;
class TDSPersonList;
class TDSPersonWorkplaceList;
class TDSWorkplace;
class TDSWorkplaceList;
class TDSWorkplacePersonList;

enum TDSPersonSortingKind { dspskNone, dspskByID, dspskByName };
enum TDSWorkplaceSortingKind { dswskNone, dswskByID, dswskByShortcut, dswskByName };

// One workplace of a worker on the day.
class TDSPersonWorkplace : public TSCObject {
public:
    int ID() const { return FID; }
    TDSPersonWorkplaceList* OwnerList() const { return FOwnerList; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue) { FSilent = AValue; }
    const QString& StoredName() const { return FStoredName; }
    const QString& StoredShortcut() const { return FStoredShortcut; }

    TWorkplace* Workplace() const;
    QString Name() const;
    QString Note() const;
    QString Shortcut() const;
    TColor Color() const;
    QString NameAndStoredName() const;
    QString ShortcutOrStoredShortcut() const;
    // The register workplace's values; none when it was deleted.
    std::optional<TRegisterWorkplaceRecord> Record() const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName);

private:
    friend class TDSPersonWorkplaceList;

    int FID = 0;
    TDSPersonWorkplaceList* FOwnerList = nullptr;
    bool FSilent = false;
    QString FStoredName;
    QString FStoredShortcut;
};

class TDSPersonWorkplaceList : public TSCTypedList<TDSPersonWorkplace> {
public:
    TDSPerson* Person() const { return FPerson; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    // 0 or more: a position; -n: the item with ID n.
    TDSPersonWorkplace* Items(int AKey) const;
    QString ShortcutsAsString() const;

    TDSPersonWorkplace* AddWorkplace(int AID, const QString& AStoredShortcut, const QString& AStoredName, bool ASort);
    bool DeleteWorkplace(int AID);
    void SortByShortcut();

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName);

private:
    friend class TDSPerson;
    void Announce(const QString& AValueName);

    TDSPerson* FPerson = nullptr;
    bool FSilent = false;
};

// A worker of the register on the day.
class TDSPerson : public TSCObject, public TRegisterPersonFields<TDSPerson> {
public:
    void Init() override;

    int ID() const { return FID; }
    TDSPersonList* OwnerList() const { return FOwnerList; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    TDSPersonWorkplaceList* Workplaces() const { return FWorkplaces.get(); }
    TDailySchedule* Schedule() const;

    TPerson* Person() const;
    bool IsOut() const;
    // The register worker's values; none when he was deleted.
    std::optional<TRegisterPersonRecord> Record() const;
    // Read on their own: every refresh sorts by them.
    QString Name() const;
    QString SortingName() const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName);

private:
    friend class TDSPersonList;

    int FID = 0;
    TDSPersonList* FOwnerList = nullptr;
    bool FSilent = false;
    std::unique_ptr<TDSPersonWorkplaceList> FWorkplaces;
};

class TDSPersonList : public TSCTypedList<TDSPerson> {
public:
    void Init() override;

    TDailySchedule* Schedule() const { return FSchedule; }
    void SetSchedule(TDailySchedule* ASchedule) { FSchedule = ASchedule; }
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    TSortingDirection SortingDirection() const { return FSortingDirection; }
    void SetSortingDirection(TSortingDirection AValue);
    TDSPersonSortingKind SortingKind() const { return FSortingKind; }
    void SetSortingKind(TDSPersonSortingKind AValue);
    TDSPerson* PersonFocused() const { return FPersonFocused; }
    void SetPersonFocused(TDSPerson* AValue);

    // 0 or more: a position; -n: the item with ID n.
    TDSPerson* Items(int AKey) const;
    // The item whose name equals the key ignoring case.
    TDSPerson* Items(const QString& AKey) const;

    void Refresh();
    TDSPerson* AddPerson(TPerson* APerson, bool ASetAsFocused, bool ASort);
    // AddPerson by register ID (none for an ID below 1).
    TDSPerson* AddPersonID(int APersonID, bool ASetAsFocused, bool ASort);
    TDSPersonWorkplace* AddPersonWorkplace(
        int APersonID, int AWorkplaceID, const QString& AWorkplaceStoredShortcut, const QString& AWorkplaceStoredName);
    bool DeletePerson(int APersonID, const QString& AMsg);
    bool DeletePersonWorkplace(int APersonID, int AWorkplaceID);
    bool EditPerson(int APersonID);
    void SortByKind();
    bool Print(const QString& AReportName, bool ASimplePersonList);

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName);

private:
    friend class TDSPerson;
    void Announce(const QString& AValueName);
    // The sort by name through the store's ranks; false when it has none.
    bool SortByRank();
    std::pair<int, int> SortingSettings() const { return {FSortingKind, FSortingDirection}; }

    TDailySchedule* FSchedule = nullptr;
    TObject* FEditor = nullptr;
    bool FSilent = false;
    TSortingDirection FSortingDirection = sdAscended;
    TDSPersonSortingKind FSortingKind = dspskByName;
    TDSPerson* FPersonFocused = nullptr;
    // The register and the order the last refresh made the list from.
    TRegisterStamp FRefreshedStamp;
    std::pair<int, int> FRefreshedSorting{-1, -1};
};

// One worker at a workplace on the day.
class TDSWorkplacePerson : public TSCObject, public TRegisterPersonFields<TDSWorkplacePerson> {
public:
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    int ID() const { return FID; }
    TDSWorkplacePersonList* OwnerList() const { return FOwnerList; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue) { FSilent = AValue; }
    const QString& StoredName() const { return FStoredName; }

    TPerson* Person() const;
    TDSWorkplace* Workplace() const;
    bool IsOut() const;
    QString NameAndStoredName() const;
    QString WorkplaceShortcutsAsString() const;
    std::optional<TRegisterPersonRecord> Record() const;
    // Read on its own: every refresh sorts by it.
    QString Name() const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName);

private:
    friend class TDSWorkplacePersonList;

    TObject* FEditor = nullptr;
    int FID = 0;
    TDSWorkplacePersonList* FOwnerList = nullptr;
    bool FSilent = false;
    QString FStoredName;
};

class TDSWorkplacePersonList : public TSCTypedList<TDSWorkplacePerson> {
public:
    TDSWorkplace* Workplace() const { return FWorkplace; }
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    // 0 or more: a position; -n: the item with ID n.
    TDSWorkplacePerson* Items(int AKey) const;

    TDSWorkplacePerson* AddPerson(int AID, const QString& AStoredName, bool ASort);
    bool DeletePerson(int AID);
    void SortByName();

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName);

private:
    friend class TDSWorkplace;
    void Announce(const QString& AValueName);
    // Tells the workplace list that a worker came or went.
    void NotePlacedChanged() const;

    TDSWorkplace* FWorkplace = nullptr;
    TObject* FEditor = nullptr;
    bool FSilent = false;
};

// A workplace on the day: one of the register, or a deleted one that still
// has relations on the day.
class TDSWorkplace : public TSCObject {
public:
    void Init() override;

    int ID() const { return FID; }
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    TDSWorkplaceList* OwnerList() const { return FOwnerList; }
    TDailySchedule* Schedule() const;
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    TDSWorkplacePersonList* Persons() const { return FPersons.get(); }
    const QString& StoredName() const { return FStoredName; }
    void SetStoredName(const QString& AValue) { FStoredName = AValue; }
    const QString& StoredShortcut() const { return FStoredShortcut; }
    void SetStoredShortcut(const QString& AValue) { FStoredShortcut = AValue; }

    TWorkplace* Workplace() const;
    QString Name() const;
    QString Note() const;
    QString Shortcut() const;
    TColor Color() const;
    QString NameAndStoredName() const;
    QString ShortcutOrStoredShortcut() const;
    QString ShortcutOrStoredShortcutInBrackets() const;
    std::optional<TRegisterWorkplaceRecord> Record() const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName);

private:
    friend class TDSWorkplaceList;

    int FID = 0;
    TObject* FEditor = nullptr;
    TDSWorkplaceList* FOwnerList = nullptr;
    bool FSilent = false;
    std::unique_ptr<TDSWorkplacePersonList> FPersons;
    QString FStoredName;
    QString FStoredShortcut;
};

class TDSWorkplaceList : public TSCTypedList<TDSWorkplace> {
public:
    void Init() override;

    TDailySchedule* Schedule() const { return FSchedule; }
    void SetSchedule(TDailySchedule* ASchedule) { FSchedule = ASchedule; }
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    TSortingDirection SortingDirection() const { return FSortingDirection; }
    void SetSortingDirection(TSortingDirection AValue);
    TDSWorkplaceSortingKind SortingKind() const { return FSortingKind; }
    void SetSortingKind(TDSWorkplaceSortingKind AValue);

    // 0 or more: a position; -n: the item with ID n.
    TDSWorkplace* Items(int AKey) const;
    // "^shortcut" finds by shortcut, any other text by name, ignoring case.
    TDSWorkplace* Items(const QString& AKey) const;

    void Refresh();
    TDSWorkplace* AddWorkplace(TWorkplace* AWorkplace, bool ASort);
    // The internal add: none for an ID below 1 or one already listed.
    TDSWorkplace* AddWorkplaceItem(int AID, const QString& AStoredShortcut, const QString& AStoredName, bool ASort);
    TDSWorkplacePerson* AddWorkplacePerson(int AWorkplaceID, int APersonID, const QString& AStoredWorkplaceShortcut,
        const QString& AStoredWorkplaceName, const QString& AStoredPersonName);
    bool DeleteWorkplace(int AWorkplaceID, const QString& AMsg);
    bool DeleteWorkplacePerson(int AWorkplaceID, int APersonID);
    bool EditWorkplace(int AWorkplaceID);
    QString GetShortcutsAsStringForPerson(int APersonID) const;
    void SortByKind();
    bool Print(const QString& AReportName, bool ASimpleWorkplaceList);

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName);

private:
    friend class TDSWorkplace;
    friend class TDSWorkplacePersonList;
    void Announce(const QString& AValueName);

    TDailySchedule* FSchedule = nullptr;
    TObject* FEditor = nullptr;
    bool FSilent = false;
    TSortingDirection FSortingDirection = sdAscended;
    TDSWorkplaceSortingKind FSortingKind = dswskByShortcut;
    // Goes up whenever a worker comes to or leaves a workplace of the list.
    std::uint64_t FPlacedChanges = 0;
    // Each placed worker's workplaces in the list's order, built in one pass
    // over the day for the list and placings as FPlacedStamp says they were.
    mutable std::unordered_map<int, std::vector<const TDSWorkplace*>> FPlaced;
    mutable std::pair<std::uint64_t, std::uint64_t> FPlacedStamp{UINT64_MAX, 0};
};

// A dragged worker.
class TDSPersonDragObjectEx : public QMimeData {
    Q_OBJECT
public:
    static QString MimeType() { return QStringLiteral("application/x-plenvo-ds-person"); }
    explicit TDSPersonDragObjectEx(int APersonID = 0);

    int PersonID() const { return FPersonID; }
    void SetPersonID(int AValue);

private:
    int FPersonID = 0;
};

// A dragged worker with the workplace he was taken from (0: the worker list).
class TDSWorkplacePersonDragObjectEx : public TDSPersonDragObjectEx {
    Q_OBJECT
public:
    explicit TDSWorkplacePersonDragObjectEx(int APersonID = 0, int AWorkplaceID = 0);

    int WorkplaceID() const { return FWorkplaceID; }
    void SetWorkplaceID(int AValue) { FWorkplaceID = AValue; }

private:
    int FWorkplaceID = 0;
};
