#include "ui/daily/ds_workplace_drop_frame.h"

#include "schedule/daily/daily_schedule.h"

#include <QDragMoveEvent>
#include <QDropEvent>

TDSWorkplaceDropFrame::TDSWorkplaceDropFrame(QWidget* AParent) : TSCFrame(AParent)
{
    setAcceptDrops(true);
}

bool TDSWorkplaceDropFrame::CanTakeDrop(const QMimeData* AData, const TDSWorkplace* ATarget)
{
    const auto* payload = qobject_cast<const TDSPersonDragObjectEx*>(AData);
    if (!payload || !ATarget)
        return false;
    const int personID = payload->PersonID();
    IDSStore* store = DSStore();
    if (personID <= 0 || !store || !store->PersonRecord(personID))
        return false;
    if (!ATarget->Persons()->Items(-personID))
        return true;
    // He is here already: taken only when he is moved within this workplace.
    const auto* fromWorkplace = qobject_cast<const TDSWorkplacePersonDragObjectEx*>(AData);
    return fromWorkplace && fromWorkplace->WorkplaceID() == ATarget->ID();
}

bool TDSWorkplaceDropFrame::TakeDrop(const QMimeData* AData, TDSWorkplace* ATarget)
{
    const auto* payload = qobject_cast<const TDSPersonDragObjectEx*>(AData);
    TDailySchedule* schedule = ATarget ? ATarget->Schedule() : nullptr;
    if (!payload || payload->PersonID() <= 0 || !schedule)
        return false;
    return schedule->AddPersonToWorkplace(payload->PersonID(), ATarget->ID());
}

// An enter is answered as the move over the same spot.
void TDSWorkplaceDropFrame::dragEnterEvent(QDragEnterEvent* AEvent)
{
    dragMoveEvent(AEvent);
}

void TDSWorkplaceDropFrame::dragMoveEvent(QDragMoveEvent* AEvent)
{
    if (CanTakeDrop(AEvent->mimeData(), DropTarget()))
        AEvent->acceptProposedAction();
    else
        AEvent->ignore();
}

void TDSWorkplaceDropFrame::dropEvent(QDropEvent* AEvent)
{
    if (TakeDrop(AEvent->mimeData(), DropTarget()))
        AEvent->acceptProposedAction();
    else
        AEvent->ignore();
}
