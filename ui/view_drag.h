// Dragging from a schedule view: telling when a drag starts, running it with
// the program's cursors, and keeping views a rebuild took away alive until the
// drag that one of them started has ended.
#pragma once

#include "ui/view_guard.h"

#include <QPoint>

#include <memory>
#include <vector>

class QEvent;
class QMimeData;
class QWidget;
class TSCLabel;

// Watches a label's mouse events: a left press followed by a move of the
// platform's start distance starts a drag.
class TDragStartWatch {
public:
    // True when AEvent is the move that starts the drag.
    bool Starts(const QEvent* AEvent);
    // Where the press was, in the label.
    QPoint StartPos() const { return FStartPos; }

private:
    QPoint FStartPos;
    bool FPressed = false;
};

// Runs a drag of APayload from ALabel, showing the label's own picture held at
// AHotSpot and the grabbing hand; returns when the drop or cancel is done.
void RunViewDrag(TSCLabel* ALabel, std::unique_ptr<QMimeData> APayload, QPoint AHotSpot);

// True while a drag from a view or a list runs its own event loop.
bool DragUnderWay();

// Takes a rebuilt-away view off screen and deletes it once no drag is running
// (a drag runs its own event loop, in which the row that started it must
// survive).
void RetireView(QWidget* AView);

// Retires the views past the first ACount of AViews: a rebuild reuses views
// in order and drops only the surplus.
template <class TView>
void RetireSurplus(std::vector<TView*>& AViews, size_t ACount)
{
    while (AViews.size() > ACount) {
        RetireView(AViews.back());
        AViews.pop_back();
    }
}
