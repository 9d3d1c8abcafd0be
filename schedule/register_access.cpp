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
    const TWorkplace* workplace =
        TWorkplaceMan::Instance() && AIndex >= 0 ? TWorkplaceMan::Instance()->Workplaces(AIndex) : nullptr;
    return workplace ? workplace->ID() : 0;
}

bool RegisterPersonIsOut(int AID, TDate ADate)
{
    const TPerson* person = RegisterPerson(AID);
    return person && person->IsOut(ADate);
}

namespace {

// A cancelled editor leaves the manager's store error empty.
template <class TMan>
TEditOutcome EditOutcome(const TMan& AMan, bool ASaved, QString& AError)
{
    AError = ASaved ? QString() : AMan.StoreError();
    return ASaved ? eoSaved : (AError.isEmpty() ? eoCancelled : eoFailed);
}

} // namespace

TEditOutcome RegisterEditPerson(int AID, QString& AError)
{
    TPerson* person = RegisterPerson(AID);
    if (!person) {
        AError.clear();
        return eoCancelled;
    }
    TPersonMan* man = TPersonMan::Instance();
    return EditOutcome(*man, man->EditPerson(person), AError);
}

TEditOutcome RegisterEditWorkplace(int AID, QString& AError)
{
    TWorkplace* workplace = RegisterWorkplace(AID);
    if (!workplace) {
        AError.clear();
        return eoCancelled;
    }
    TWorkplaceMan* man = TWorkplaceMan::Instance();
    return EditOutcome(*man, man->EditWorkplace(workplace), AError);
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
