// Base of the daily schedule's views that take a dragged worker for one
// workplace item: the workplace's panel and the rows on it take the same drops.
#pragma once

#include "ui/view_guard.h"

#include "ui/sc_frame.h"

class QMimeData;
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

protected:
    // The workplace item a drop here goes to; none while unbound.
    virtual TDSWorkplace* DropTarget() const = 0;

    void dragEnterEvent(QDragEnterEvent* AEvent) override;
    void dragMoveEvent(QDragMoveEvent* AEvent) override;
    void dropEvent(QDropEvent* AEvent) override;
};
