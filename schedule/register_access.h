// What the schedules' data stores share: the register lookups, the record
// copies, the edits and deletes with their failure reason, and the print rows,
// written once for the daily and the period stores (whose record types carry
// the same fields under their own names).
#pragma once

#include "data/person_man.h"
#include "data/workplace_man.h"
#include "reports/print_table.h"
#include "schedule/register_store.h"

#include <optional>

class TMacro;

// The register objects by ID; none for IDs of 0 or less, unknown IDs or
// without a manager.
TPerson* RegisterPerson(int AID);
TWorkplace* RegisterWorkplace(int AID);
// One text of a register entry; empty when there is none.
inline QString RegisterPersonText(int AID, const QString& (TPerson::*AText)() const)
{
    const TPerson* person = RegisterPerson(AID);
    return person ? (person->*AText)() : QString();
}
inline QString RegisterWorkplaceText(int AID, const QString& (TWorkplace::*AText)() const)
{
    const TWorkplace* workplace = RegisterWorkplace(AID);
    return workplace ? (workplace->*AText)() : QString();
}
int RegisterPersonCount();
int RegisterWorkplaceCount();
// The ID of the entry at a register position (0 for none).
int RegisterPersonIDAt(int AIndex);
int RegisterWorkplaceIDAt(int AIndex);
bool RegisterPersonIsOut(int AID, TDate ADate);
// The editors; when one failed, AError takes the reason (else it is emptied).
TEditOutcome RegisterEditPerson(int AID, QString& AError);
TEditOutcome RegisterEditWorkplace(int AID, QString& AError);
// Deletes the record; on failure AError takes the reason.
bool RegisterDeletePerson(int AID, QString& AError);
bool RegisterDeleteWorkplace(int AID, QString& AError);
// The editor of a new entry; the entry once stored, none when cancelled or
// failed (AError then says why).
TPerson* RegisterAddPerson(QString& AError);
TWorkplace* RegisterAddWorkplace(QString& AError);
// Stores a template (one without pairs is removed); on failure AError says why.
bool RegisterPutTemplate(const TMacro* AMacro, QString& AError);
// Every change above is one step of the program's history.

template <class TRecord>
std::optional<TRecord> RegisterPersonRecord(int AID)
{
    const TPerson* person = RegisterPerson(AID);
    if (!person)
        return std::nullopt;
    TRecord record;
    record.ID = person->ID();
    record.Name = person->Name();
    record.SortingName = person->SortingName();
    record.Note = person->Note();
    record.DateOutFrom = person->DateOutFrom();
    record.DateOutTo = person->DateOutTo();
    record.DaysOut = person->DaysOut();
    record.NoteOut = person->NoteOut();
    return record;
}

template <class TRecord>
std::optional<TRecord> RegisterWorkplaceRecord(int AID)
{
    const TWorkplace* workplace = RegisterWorkplace(AID);
    if (!workplace)
        return std::nullopt;
    TRecord record;
    record.ID = workplace->ID();
    record.Shortcut = workplace->Shortcut();
    record.Name = workplace->Name();
    record.Note = workplace->Note();
    record.Color = workplace->Color();
    return record;
}

template <class TRow>
bool AppendPrintPersonRow(TPrintTable& ATable, const TRow& ARow)
{
    return ATable.Append({{QStringLiteral("ID"), ARow.ID}, {QStringLiteral("Name"), ARow.Name},
        {QStringLiteral("SortingName"), ARow.SortingName}, {QStringLiteral("Note"), ARow.Note},
        {QStringLiteral("DateOutFrom"), ARow.DateOutFrom}, {QStringLiteral("DateOutTo"), ARow.DateOutTo},
        {QStringLiteral("DaysOut"), ARow.DaysOut}, {QStringLiteral("IsOut"), ARow.IsOut},
        {QStringLiteral("NoteOut"), ARow.NoteOut}, {QStringLiteral("WorkplaceID"), ARow.WorkplaceID},
        {QStringLiteral("Workplaces"), ARow.Workplaces}, {QStringLiteral("DayID"), ARow.DayID},
        {QStringLiteral("Days"), ARow.Days}, {QStringLiteral("IsDeleted"), ARow.IsDeleted}});
}

template <class TRow>
bool AppendPrintWorkplaceRow(TPrintTable& ATable, const TRow& ARow)
{
    return ATable.Append({{QStringLiteral("ID"), ARow.ID}, {QStringLiteral("Shortcut"), ARow.Shortcut},
        {QStringLiteral("Name"), ARow.Name}, {QStringLiteral("Note"), ARow.Note}, {QStringLiteral("Days"), ARow.Days},
        {QStringLiteral("IsDeleted"), ARow.IsDeleted}, {QStringLiteral("DayID"), ARow.DayID}});
}

// The register half of a schedule store on the program's managers, for a
// store interface TInterface derived from IRegisterStore.
template <class TInterface, class TPersonRecord, class TWorkplaceRecord>
class TRegisterDataStore : public TInterface {
public:
    int PersonCount() const override { return RegisterPersonCount(); }
    int PersonIDAt(int AIndex) const override { return RegisterPersonIDAt(AIndex); }
    std::optional<TPersonRecord> PersonRecord(int AID) const override
    {
        return RegisterPersonRecord<TPersonRecord>(AID);
    }
    TPerson* PersonObject(int AID) const override { return RegisterPerson(AID); }
    int PersonObjectID(const TPerson* APerson) const override { return APerson ? APerson->ID() : 0; }
    bool PersonIsOut(int AID, TDate ADate) const override { return RegisterPersonIsOut(AID, ADate); }
    TEditOutcome EditPerson(int AID) override { return RegisterEditPerson(AID, FLastError); }
    bool DeletePerson(int AID) override { return RegisterDeletePerson(AID, FLastError); }

    int WorkplaceCount() const override { return RegisterWorkplaceCount(); }
    int WorkplaceIDAt(int AIndex) const override { return RegisterWorkplaceIDAt(AIndex); }
    std::optional<TWorkplaceRecord> WorkplaceRecord(int AID) const override
    {
        return RegisterWorkplaceRecord<TWorkplaceRecord>(AID);
    }
    TRegisterStamp PersonsStamp() const override { return ::PersonsStamp(); }
    const std::vector<int>* Ranks(TRegisterText AText) const override
    {
        const std::vector<int>& ranks = RegisterRanks(AText);
        return ranks.empty() ? nullptr : &ranks;
    }
    bool HasPerson(int AID) const override { return RegisterPerson(AID) != nullptr; }
    bool HasWorkplace(int AID) const override { return RegisterWorkplace(AID) != nullptr; }
    QString PersonName(int AID) const override { return RegisterPersonText(AID, &TPerson::Name); }
    QString PersonSortingName(int AID) const override { return RegisterPersonText(AID, &TPerson::SortingName); }
    QString WorkplaceName(int AID) const override { return RegisterWorkplaceText(AID, &TWorkplace::Name); }
    QString WorkplaceShortcut(int AID) const override { return RegisterWorkplaceText(AID, &TWorkplace::Shortcut); }
    TWorkplace* WorkplaceObject(int AID) const override { return RegisterWorkplace(AID); }
    int WorkplaceObjectID(const TWorkplace* AWorkplace) const override { return AWorkplace ? AWorkplace->ID() : 0; }
    TEditOutcome EditWorkplace(int AID) override { return RegisterEditWorkplace(AID, FLastError); }
    bool DeleteWorkplace(int AID) override { return RegisterDeleteWorkplace(AID, FLastError); }

    QString LastError() const override { return FLastError; }

protected:
    QString FLastError;
};
