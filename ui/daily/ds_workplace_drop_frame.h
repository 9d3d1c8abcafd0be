// Base of the daily schedule's views that take a dragged worker for one
// workplace item: the workplace's panel and the rows on it take the same drops.
#pragma once

#include "ui/view_guard.h"

#include "ui/sc_frame.h"

class QMimeData;
class TDailySchedule;
class TDSWorkplace;

class TDSWorkplaceDropFrame : public TSCFrame {
    Q_OBJECT
public:
    explicit TDSWorkplaceDropFrame(QWidget* AParent = nullptr);

    // Whether a dragged payload is taken by a target of the workplace item.
    static bool CanTakeDrop(const QMimeData* AData, const TDSWorkplace* ATarget);
    // Adds the dragged worker to the target's workplace; false when nothing
    // was added.
    static bool TakeDrop(const QMimeData* AData, TDSWorkplace* ATarget);

    // What a drop and a keyboard placing both do: whether the worker (coming
    // from the workplace AFromWorkplaceID, 0 for none) may go to ATarget, and
    // placing him there; false when nothing was added.
    static bool CanPlace(int APersonID, int AFromWorkplaceID, const TDSWorkplace* ATarget);
    static bool Place(int APersonID, TDSWorkplace* ATarget);
    // Asks for one of the workplaces the worker may go to and places him
    // there; the workplace's ID, 0 when cancelled or nothing was added.
    static int PickWorkplaceFor(TDailySchedule* ASchedule, int APersonID);
    // Asks for one of the workers who may go to ATarget and places him.
    static bool PickPersonFor(TDSWorkplace* ATarget);

protected:
    // The workplace item a drop here goes to; none while unbound.
    virtual TDSWorkplace* DropTarget() const = 0;

    void dragEnterEvent(QDragEnterEvent* AEvent) override;
    void dragMoveEvent(QDragMoveEvent* AEvent) override;
    void dropEvent(QDropEvent* AEvent) override;
};
