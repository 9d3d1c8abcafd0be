#include "ui/worker/ps_person_list_frame.h"

#include "data/person_man.h"
#include "schedule/worker/person_schedule.h"

TPSPersonListFrame::TPSPersonListFrame(QWidget* AParent) : TPeriodListFrame(true, true, AParent)
{
    setObjectName(QStringLiteral("PSPersonListFrame"));
}

TPSPersonList* TPSPersonListFrame::Persons() const
{
    return static_cast<TPSPersonList*>(List());
}

void TPSPersonListFrame::SetPersons(TPSPersonList* AValue)
{
    SetList(AValue);
}

std::optional<TListPeriod> TPSPersonListFrame::Period() const
{
    return PeriodOf(Persons() ? Persons()->Schedule() : nullptr);
}

void TPSPersonListFrame::AddRecord(TSCObject* ARecord)
{
    Persons()->AddPerson(static_cast<TPerson*>(ARecord), true, true);
}

void TPSPersonListFrame::EditEntry(int AID)
{
    Persons()->EditPerson(AID);
}

void TPSPersonListFrame::DeleteEntry(int AID, const QString& AMsg)
{
    Persons()->DeletePerson(AID, AMsg);
}

void TPSPersonListFrame::Print(const QString& AReportName, bool ASimple)
{
    Persons()->Print(AReportName, ASimple);
}
