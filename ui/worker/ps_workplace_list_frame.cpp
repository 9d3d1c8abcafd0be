#include "ui/worker/ps_workplace_list_frame.h"

#include "data/workplace_man.h"
#include "schedule/worker/person_schedule.h"

TPSWorkplaceListFrame::TPSWorkplaceListFrame(QWidget* AParent) : TPeriodListFrame(true, false, AParent)
{
    setObjectName(QStringLiteral("PSWorkplaceListFrame"));
}

TPSWorkplaceList* TPSWorkplaceListFrame::Workplaces() const
{
    return static_cast<TPSWorkplaceList*>(List());
}

void TPSWorkplaceListFrame::SetWorkplaces(TPSWorkplaceList* AValue)
{
    SetList(AValue);
}

bool TPSWorkplaceListFrame::AcceptsDrag(const QMimeData* AData) const
{
    return qobject_cast<const TPSWorkplaceDragObjectEx*>(AData) != nullptr;
}

bool TPSWorkplaceListFrame::DropPayload(const QMimeData* AData)
{
    // Only a workplace taken from a day leaves something: that day.
    const auto* payload = qobject_cast<const TPSDayWorkplaceDragObjectEx*>(AData);
    TPersonSchedule* schedule = Workplaces() ? Workplaces()->Schedule() : nullptr;
    if (!payload || !schedule || payload->WorkplaceID() <= 0 || payload->Day() <= 0)
        return false;
    return schedule->DeleteWorkplaceFromDay(payload->WorkplaceID(), payload->Day());
}

std::optional<TListPeriod> TPSWorkplaceListFrame::Period() const
{
    return PeriodOf(Workplaces() ? Workplaces()->Schedule() : nullptr);
}

void TPSWorkplaceListFrame::AddRecord(TSCObject* ARecord)
{
    Workplaces()->AddWorkplace(static_cast<TWorkplace*>(ARecord), true, true);
}

void TPSWorkplaceListFrame::EditEntry(int AID)
{
    Workplaces()->EditWorkplace(AID);
}

void TPSWorkplaceListFrame::DeleteEntry(int AID, const QString& AMsg)
{
    Workplaces()->DeleteWorkplace(AID, AMsg);
}

void TPSWorkplaceListFrame::Print(const QString& AReportName, bool ASimple)
{
    Workplaces()->Print(AReportName, ASimple);
}

std::unique_ptr<QMimeData> TPSWorkplaceListFrame::NewDragObject(int AID) const
{
    auto payload = std::make_unique<TPSWorkplaceDragObjectEx>();
    payload->SetWorkplaceID(AID);
    return payload;
}
