#include "ui/daily/ds_workplace_drop_frame.h"

#include "schedule/daily/daily_schedule.h"
#include "ui/keyboard_planning.h"

#include <QDragMoveEvent>
#include <QDropEvent>

TDSWorkplaceDropFrame::TDSWorkplaceDropFrame(QWidget* AParent) : TSCFrame(AParent)
{
    setAcceptDrops(true);
}

bool TDSWorkplaceDropFrame::CanTakeDrop(const QMimeData* AData, const TDSWorkplace* ATarget)
{
    const auto* payload = qobject_cast<const TDSPersonDragObjectEx*>(AData);
    if (!payload)
        return false;
    const auto* fromWorkplace = qobject_cast<const TDSWorkplacePersonDragObjectEx*>(AData);
    return CanPlace(payload->PersonID(), fromWorkplace ? fromWorkplace->WorkplaceID() : 0, ATarget);
}

bool TDSWorkplaceDropFrame::TakeDrop(const QMimeData* AData, TDSWorkplace* ATarget)
{
    const auto* payload = qobject_cast<const TDSPersonDragObjectEx*>(AData);
    return payload && Place(payload->PersonID(), ATarget);
}

bool TDSWorkplaceDropFrame::CanPlace(int APersonID, int AFromWorkplaceID, const TDSWorkplace* ATarget)
{
    IDSStore* store = DSStore();
    if (!ATarget || APersonID <= 0 || !store || !store->PersonRecord(APersonID))
        return false;
    if (!ATarget->Persons()->Items(-APersonID))
        return true;
    // He is here already: taken only when he is moved within this workplace.
    return AFromWorkplaceID == ATarget->ID();
}

bool TDSWorkplaceDropFrame::Place(int APersonID, TDSWorkplace* ATarget)
{
    TDailySchedule* schedule = ATarget ? ATarget->Schedule() : nullptr;
    if (APersonID <= 0 || !schedule)
        return false;
    return schedule->AddPersonToWorkplace(APersonID, ATarget->ID());
}

int TDSWorkplaceDropFrame::PickWorkplaceFor(TDailySchedule* ASchedule, int APersonID)
{
    TDSPerson* person = ASchedule ? ASchedule->Persons()->Items(-APersonID) : nullptr;
    if (!person)
        return 0;
    TDSWorkplaceList* workplaces = ASchedule->Workplaces();
    QStringList entries;
    std::vector<TDSWorkplace*> targets;
    for (int i = 0; i < workplaces->Count(); ++i) {
        TDSWorkplace* workplace = workplaces->Items(i);
        // A deleted workplace takes nobody; where he is already is left out.
        if (!workplace->Record() || !CanPlace(APersonID, 0, workplace))
            continue;
        entries << WorkplaceEntry(workplace->Shortcut(), workplace->Name());
        targets.push_back(workplace);
    }
    const int chosen = PickIndex(QStringLiteral("Place %1 at").arg(person->Name()), entries);
    if (chosen < 0)
        return 0;
    TDSWorkplace* target = targets[static_cast<size_t>(chosen)];
    // The ID is read first: placing rebuilds the day's lists.
    const int id = target->ID();
    return Place(APersonID, target) ? id : 0;
}

bool TDSWorkplaceDropFrame::PickPersonFor(TDSWorkplace* ATarget)
{
    TDailySchedule* schedule = ATarget ? ATarget->Schedule() : nullptr;
    if (!schedule || !ATarget->Record())
        return false;
    TDSPersonList* persons = schedule->Persons();
    QStringList entries;
    std::vector<int> ids;
    for (int i = 0; i < persons->Count(); ++i) {
        const TDSPerson* person = persons->Items(i);
        if (!CanPlace(person->ID(), 0, ATarget))
            continue;
        entries << person->Name();
        ids.push_back(person->ID());
    }
    const QString caption
        = QStringLiteral("Place a worker at %1").arg(WorkplaceEntry(ATarget->Shortcut(), ATarget->Name()));
    const int chosen = PickIndex(caption, entries);
    return chosen >= 0 && Place(ids[static_cast<size_t>(chosen)], ATarget);
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
