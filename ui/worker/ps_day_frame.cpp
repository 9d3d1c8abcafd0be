#include "ui/worker/ps_day_frame.h"

#include "schedule/period/period_store.h"

TPSDayFrame::TPSDayFrame(QWidget* AParent) : TPeriodDayFrameOf(QStringLiteral("PSDWPF"), true, AParent) {}

bool TPSDayFrame::IsChosenPerson(TObject* ASender) const
{
    const auto* person = dynamic_cast<const TPSPerson*>(ASender);
    return person && Day()->Schedule() && person->ID() == Day()->Schedule()->PersonID();
}

int TPSDayFrame::DraggedID(const QMimeData* AData) const
{
    const auto* payload = qobject_cast<const TPSWorkplaceDragObjectEx*>(AData);
    return payload ? payload->WorkplaceID() : 0;
}

TDate TPSDayFrame::DraggedDay(const QMimeData* AData) const
{
    const auto* payload = qobject_cast<const TPSDayWorkplaceDragObjectEx*>(AData);
    return payload ? payload->Day() : 0;
}

bool TPSDayFrame::InRegister(int AID) const
{
    return PeriodWorkplace(AID).has_value();
}

bool TPSDayFrame::AddToDay(int AID)
{
    return Day()->Schedule()->AddWorkplaceToDay(AID, Day()->Date());
}
