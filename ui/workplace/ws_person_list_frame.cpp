#include "ui/workplace/ws_person_list_frame.h"

#include "data/person_man.h"
#include "schedule/workplace/workplace_schedule.h"

TWSPersonListFrame::TWSPersonListFrame(QWidget* AParent) : TPeriodListFrame(false, true, AParent)
{
    setObjectName(QStringLiteral("WSPersonListFrame"));
}

TWSPersonList* TWSPersonListFrame::Persons() const
{
    return static_cast<TWSPersonList*>(List());
}

void TWSPersonListFrame::SetPersons(TWSPersonList* AValue)
{
    SetList(AValue);
}

bool TWSPersonListFrame::AcceptsDrag(const QMimeData* AData) const
{
    // A worker from the list itself has no day to leave.
    return qobject_cast<const TWSDayPersonDragObjectEx*>(AData) != nullptr;
}

bool TWSPersonListFrame::DropPayload(const QMimeData* AData)
{
    const auto* payload = qobject_cast<const TWSDayPersonDragObjectEx*>(AData);
    TWorkplaceSchedule* schedule = Persons() ? Persons()->Schedule() : nullptr;
    if (!payload || !schedule || payload->PersonID() <= 0 || payload->Day() <= 0)
        return false;
    return schedule->DeletePersonFromDay(payload->PersonID(), payload->Day());
}

std::optional<TListPeriod> TWSPersonListFrame::Period() const
{
    return PeriodOf(Persons() ? Persons()->Schedule() : nullptr);
}

void TWSPersonListFrame::AddRecord(TSCObject* ARecord)
{
    Persons()->AddPerson(static_cast<TPerson*>(ARecord), true, true);
}

void TWSPersonListFrame::EditEntry(int AID)
{
    Persons()->EditPerson(AID);
}

void TWSPersonListFrame::DeleteEntry(int AID, const QString& AMsg)
{
    Persons()->DeletePerson(AID, AMsg);
}

void TWSPersonListFrame::Print(const QString& AReportName, bool ASimple)
{
    Persons()->Print(AReportName, ASimple);
}

std::unique_ptr<QMimeData> TWSPersonListFrame::NewDragObject(int AID) const
{
    auto payload = std::make_unique<TWSPersonDragObjectEx>();
    payload->SetPersonID(AID);
    return payload;
}
