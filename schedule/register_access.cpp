#include "schedule/register_access.h"

#include "core/dialogs.h"
#include "data/history.h"
#include "data/macro_man.h"

TPerson* RegisterPerson(int AID)
{
    TPersonMan* man = TPersonMan::Instance();
    return man && AID > 0 ? man->Persons(-AID) : nullptr;
}

TWorkplace* RegisterWorkplace(int AID)
{
    TWorkplaceMan* man = TWorkplaceMan::Instance();
    return man && AID > 0 ? man->Workplaces(-AID) : nullptr;
}

int RegisterPersonCount()
{
    return TPersonMan::Instance() ? TPersonMan::Instance()->PersonCount() : 0;
}

int RegisterWorkplaceCount()
{
    return TWorkplaceMan::Instance() ? TWorkplaceMan::Instance()->WorkplaceCount() : 0;
}

int RegisterPersonIDAt(int AIndex)
{
    const TPerson* person = TPersonMan::Instance() && AIndex >= 0 ? TPersonMan::Instance()->Persons(AIndex) : nullptr;
    return person ? person->ID() : 0;
}

int RegisterWorkplaceIDAt(int AIndex)
{
    const TWorkplace* workplace
        = TWorkplaceMan::Instance() && AIndex >= 0 ? TWorkplaceMan::Instance()->Workplaces(AIndex) : nullptr;
    return workplace ? workplace->ID() : 0;
}

bool RegisterPersonIsOut(int AID, TDate ADate)
{
    const TPerson* person = RegisterPerson(AID);
    return person && person->IsOut(ADate);
}

namespace {

void RecordRegisterStep(const QString& AText, const TPerson* ABefore, const TPerson* AAfter)
{
    if (THistory* history = THistory::Instance())
        history->Record(std::make_unique<THistoryPerson>(AText, ABefore, AAfter));
}

void RecordRegisterStep(const QString& AText, const TWorkplace* ABefore, const TWorkplace* AAfter)
{
    if (THistory* history = THistory::Instance())
        history->Record(std::make_unique<THistoryWorkplace>(AText, ABefore, AAfter));
}

// Deletes a register entry; the step keeps a copy to bring it back.
template <class TMan, class TItem>
bool RegisterDelete(TMan* AMan, TItem* AItem, bool (TMan::*ADelete)(int, std::unique_ptr<TItem>*), QString& AError)
{
    AError.clear();
    if (!AMan || !AItem)
        return false;
    std::unique_ptr<TItem> taken;
    const bool deleted = (AMan->*ADelete)(AItem->ID(), &taken);
    AError = deleted ? QString() : AMan->StoreError();
    if (deleted && taken)
        RecordRegisterStep(QStringLiteral("Delete %1").arg(taken->Name()), taken.get(), nullptr);
    return deleted;
}

// Runs the manager's editor on a new entry; the entry once stored.
template <class TMan, class TItem>
TItem* RegisterAdd(TMan* AMan, TItem* (TMan::*AAdd)(), QString& AError)
{
    TItem* added = AMan ? (AMan->*AAdd)() : nullptr;
    AError = added || !AMan ? QString() : AMan->StoreError();
    if (added)
        RecordRegisterStep(QStringLiteral("Add %1").arg(added->Name()), nullptr, added);
    return added;
}

// Runs the manager's editor on an item; a cancelled editor leaves the
// manager's store error empty.
template <class TMan, class TItem>
TEditOutcome RegisterEdit(TMan* AMan, TItem* AItem, bool (TMan::*AEdit)(TItem*), QString& AError)
{
    std::unique_ptr<TItem> before;
    if (AItem && THistory::Instance()) {
        before = TSCObject::Create<TItem>();
        before->Assign(*AItem);
    }
    const bool saved = AItem && (AMan->*AEdit)(AItem);
    AError = saved || !AItem ? QString() : AMan->StoreError();
    if (saved && before)
        RecordRegisterStep(QStringLiteral("Edit %1").arg(AItem->Name()), before.get(), AItem);
    return saved ? eoSaved : (AError.isEmpty() ? eoCancelled : eoFailed);
}

} // namespace

TEditOutcome RegisterEditPerson(int AID, QString& AError)
{
    return RegisterEdit(TPersonMan::Instance(), RegisterPerson(AID), &TPersonMan::EditPerson, AError);
}

TEditOutcome RegisterEditWorkplace(int AID, QString& AError)
{
    return RegisterEdit(TWorkplaceMan::Instance(), RegisterWorkplace(AID), &TWorkplaceMan::EditWorkplace, AError);
}

bool RegisterDeletePerson(int AID, QString& AError)
{
    return RegisterDelete(TPersonMan::Instance(), RegisterPerson(AID), &TPersonMan::DeletePerson, AError);
}

bool RegisterDeleteWorkplace(int AID, QString& AError)
{
    return RegisterDelete(TWorkplaceMan::Instance(), RegisterWorkplace(AID), &TWorkplaceMan::DeleteWorkplace, AError);
}

TPerson* RegisterAddPerson(QString& AError)
{
    return RegisterAdd(TPersonMan::Instance(), &TPersonMan::AddPerson, AError);
}

TWorkplace* RegisterAddWorkplace(QString& AError)
{
    return RegisterAdd(TWorkplaceMan::Instance(), &TWorkplaceMan::AddWorkplace, AError);
}

bool RegisterPutTemplate(const TMacro* AMacro, QString& AError)
{
    TMacroMan* man = TMacroMan::Instance();
    if (!man || !AMacro)
        return false;
    const std::unique_ptr<TMacro> before = man->GetMacro(AMacro->Name());
    if (!man->PutMacro(AMacro)) {
        AError = man->StoreError();
        return false;
    }
    AError.clear();
    const THistoryTemplate::TPairs after = AMacro->Pairs();
    if (THistory* history = THistory::Instance())
        history->Record(std::make_unique<THistoryTemplate>(
            QString::fromLatin1(after.empty() ? "Remove template \"%1\"" : "Save template \"%1\"").arg(AMacro->Name()),
            AMacro->Name(), before ? before->Pairs() : THistoryTemplate::TPairs(), after));
    return true;
}

void ShowSaveFailure(const QString& AReason)
{
    const QString reason = AReason.isEmpty() ? QStringLiteral("the data store did not accept it.") : AReason;
    ShowMessageBox(QStringLiteral("The change could not be saved: %1").arg(reason), mtError, mbOK);
}
