#include "schedule/register_access.h"

#include "core/dialogs.h"

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

// Runs the manager's editor on an item; a cancelled editor leaves the
// manager's store error empty.
template <class TMan, class TItem>
TEditOutcome RegisterEdit(TMan* AMan, TItem* AItem, bool (TMan::*AEdit)(TItem*), QString& AError)
{
    const bool saved = AItem && (AMan->*AEdit)(AItem);
    AError = saved || !AItem ? QString() : AMan->StoreError();
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
    TPersonMan* man = TPersonMan::Instance();
    if (!man)
        return false;
    const bool deleted = man->DeletePerson(AID);
    AError = deleted ? QString() : man->StoreError();
    return deleted;
}

bool RegisterDeleteWorkplace(int AID, QString& AError)
{
    TWorkplaceMan* man = TWorkplaceMan::Instance();
    if (!man)
        return false;
    const bool deleted = man->DeleteWorkplace(AID);
    AError = deleted ? QString() : man->StoreError();
    return deleted;
}

void ShowSaveFailure(const QString& AReason)
{
    const QString reason = AReason.isEmpty() ? QStringLiteral("the data store did not accept it.") : AReason;
    ShowMessageBox(QStringLiteral("The change could not be saved: %1").arg(reason), mtError, mbOK);
}
