#include "ui/workplace/ws_day_frame.h"

#include "schedule/period/period_store.h"

TWSDayFrame::TWSDayFrame(QWidget* AParent) : TPeriodDayFrameOf(QStringLiteral("WSDPF"), false, AParent) {}

int TWSDayFrame::DraggedID(const QMimeData* AData) const
{
    const auto* payload = qobject_cast<const TWSPersonDragObjectEx*>(AData);
    return payload ? payload->PersonID() : 0;
}

TDate TWSDayFrame::DraggedDay(const QMimeData* AData) const
{
    const auto* payload = qobject_cast<const TWSDayPersonDragObjectEx*>(AData);
    return payload ? payload->Day() : 0;
}

bool TWSDayFrame::InRegister(int AID) const
{
    return PeriodPerson(AID).has_value();
}

bool TWSDayFrame::AddToDay(int AID)
{
    return Day()->Schedule()->AddPersonToDay(AID, Day()->Date());
}
