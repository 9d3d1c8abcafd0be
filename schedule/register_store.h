// The register half of the schedules' store interfaces: workers and
// workplaces by position and ID, their register objects, editors and deletes,
// declared once for the daily and the period stores and their record types.
#pragma once

#include "core/utils.h"
#include "schedule/register_ranks.h"
#include "schedule/register_records.h"

#include <QString>

#include <optional>
#include <vector>

class TPerson;
class TWorkplace;

// What became of an editor: saved, closed without saving (or nothing to
// edit), or saved by the user but refused by the file.
enum TEditOutcome { eoSaved, eoCancelled, eoFailed };

// Tells the user "The change could not be saved: <AReason>".
void ShowSaveFailure(const QString& AReason);

template <class TPersonRecord, class TWorkplaceRecord>
class IRegisterStore {
public:
    virtual ~IRegisterStore() = default;

    // Workers in register order; lookups by ID give none for IDs of 0 or less
    // and for unknown IDs.
    virtual int PersonCount() const = 0;
    virtual int PersonIDAt(int AIndex) const = 0;
    virtual std::optional<TPersonRecord> PersonRecord(int AID) const = 0;
    // The register object, where the store has one.
    virtual TPerson* PersonObject(int AID) const = 0;
    // The ID of a register object (0 for none).
    virtual int PersonObjectID(const TPerson* APerson) const = 0;
    virtual bool PersonIsOut(int AID, TDate ADate) const = 0;
    // The worker editor; when it failed, LastError() tells why.
    virtual TEditOutcome EditPerson(int AID) = 0;
    // Deletes the record first; false when it could not be deleted.
    virtual bool DeletePerson(int AID) = 0;

    virtual int WorkplaceCount() const = 0;
    virtual int WorkplaceIDAt(int AIndex) const = 0;
    virtual std::optional<TWorkplaceRecord> WorkplaceRecord(int AID) const = 0;
    // Whether the register has the entry, and the texts a sort reads, without copying the whole record for each of
    // thousands of entries; empty for an entry not in the register.
    // Changes with every change of the workers' register; the default
    // (Serial 0) says nothing is known, so lists made from it are made anew.
    virtual TRegisterStamp PersonsStamp() const { return {}; }
    // Each entry's place in the register sorted by one text (see RegisterRanks);
    // none where the store keeps no such order.
    virtual const std::vector<int>* Ranks(TRegisterText) const { return nullptr; }
    virtual bool HasPerson(int AID) const { return PersonRecord(AID).has_value(); }
    virtual bool HasWorkplace(int AID) const { return WorkplaceRecord(AID).has_value(); }
    virtual QString PersonName(int AID) const { return FieldOf(PersonRecord(AID), &TPersonRecord::Name); }
    virtual QString PersonSortingName(int AID) const { return FieldOf(PersonRecord(AID), &TPersonRecord::SortingName); }
    virtual QString WorkplaceName(int AID) const { return FieldOf(WorkplaceRecord(AID), &TWorkplaceRecord::Name); }
    virtual QString WorkplaceShortcut(int AID) const
    {
        return FieldOf(WorkplaceRecord(AID), &TWorkplaceRecord::Shortcut);
    }
    virtual TWorkplace* WorkplaceObject(int AID) const = 0;
    virtual int WorkplaceObjectID(const TWorkplace* AWorkplace) const = 0;
    virtual TEditOutcome EditWorkplace(int AID) = 0;
    virtual bool DeleteWorkplace(int AID) = 0;

    // Why the last write failed.
    virtual QString LastError() const = 0;
};

// Tells the user that a change could not be saved, with the store's reason
// (none without a store): the one save-failure message of every schedule.
template <class TStore>
void ShowStoreSaveFailure(const TStore* AStore)
{
    ShowSaveFailure(AStore ? AStore->LastError() : QString());
}
