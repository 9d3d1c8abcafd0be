#include "schedule/register_access.h"

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

bool RegisterEditPerson(int AID)
{
    TPerson* person = RegisterPerson(AID);
    return person && TPersonMan::Instance()->EditPerson(person);
}

bool RegisterEditWorkplace(int AID)
{
    TWorkplace* workplace = RegisterWorkplace(AID);
    return workplace && TWorkplaceMan::Instance()->EditWorkplace(workplace);
}

bool RegisterDeletePerson(int AID, QString& AError)
{
    TPersonMan* man = TPersonMan::Instance();
    if (!man)
        return false;
    const bool deleted = man->DeletePerson(AID);
    AError = deleted ? QString() : man->Table().LastError();
    return deleted;
}

bool RegisterDeleteWorkplace(int AID, QString& AError)
{
    TWorkplaceMan* man = TWorkplaceMan::Instance();
    if (!man)
        return false;
    const bool deleted = man->DeleteWorkplace(AID);
    AError = deleted ? QString() : man->Table().LastError();
    return deleted;
}
