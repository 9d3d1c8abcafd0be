// Scrolls an area while a drag is held near its top or bottom edge, faster the
// closer to the edge: a timer keeps it going, since a held mouse sends nothing.
#pragma once

#include "ui/view_guard.h"

#include <QObject>
#include <QTimer>

class QAbstractScrollArea;

class TDragAutoScroll : public QObject {
public:
    // Starts watching drags over AArea, which owns the watcher.
    static TDragAutoScroll* Install(QAbstractScrollArea* AArea);

    // Pixels a tick scrolls for a drag at AY in a viewport AHeight high with
    // edge bands AMargin high: negative up, 0 outside the bands.
    static int StepFor(int AY, int AHeight, int AMargin);
    // How often it scrolls while held, in milliseconds.
    static constexpr int TickInterval = 30;

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    explicit TDragAutoScroll(QAbstractScrollArea* AArea);
    int Margin() const;
    void Tick();

    QAbstractScrollArea* FArea;
    QTimer FTimer;
    int FY = -1;
    // The drag left the area or ended since it was last over it.
    bool FGone = true;
};
