#include "ui/drag_auto_scroll.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDropEvent>
#include <QScrollBar>

#include <algorithm>

namespace {
// The fastest and the slowest step of a tick.
constexpr int MaxStep = 24;
constexpr int MinStep = 2;
} // namespace

TDragAutoScroll* TDragAutoScroll::Install(QAbstractScrollArea* AArea)
{
    return new TDragAutoScroll(AArea);
}

TDragAutoScroll::TDragAutoScroll(QAbstractScrollArea* AArea) : QObject(AArea), FArea(AArea)
{
    setObjectName(QStringLiteral("DragAutoScroll"));
    FTimer.setInterval(TickInterval);
    connect(&FTimer, &QTimer::timeout, this, &TDragAutoScroll::Tick);
    // Drags go to the widgets inside the area, not to the area itself.
    qApp->installEventFilter(this);
}

int TDragAutoScroll::StepFor(int AY, int AHeight, int AMargin)
{
    if (AMargin <= 0 || AHeight <= 0)
        return 0;
    // A small area keeps a middle band where nothing scrolls.
    const int margin = std::min(AMargin, AHeight / 3);
    if (margin <= 0)
        return 0;
    const auto speed = [margin](int ADistance) {
        const int depth = std::clamp(margin - ADistance, 0, margin);
        return MinStep + (MaxStep - MinStep) * depth / margin;
    };
    if (AY < margin)
        return -speed(std::max(0, AY));
    if (AY >= AHeight - margin)
        return speed(std::max(0, AHeight - 1 - AY));
    return 0;
}

int TDragAutoScroll::Margin() const
{
    return std::max(24, FArea->fontMetrics().height() * 2);
}

bool TDragAutoScroll::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    const QEvent::Type type = AEvent->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::DragLeave && type != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(AWatched);
    QWidget* viewport = FArea->viewport();
    const bool inside = widget && (widget == viewport || viewport->isAncestorOf(widget));
    if (type == QEvent::Drop) {
        FGone = true;
        FTimer.stop();
    } else if (type == QEvent::DragLeave) {
        // Moving between two children leaves one and enters the next at once.
        if (inside)
            FGone = true;
    } else if (!inside) {
        FGone = true;
    } else {
        const auto* drag = static_cast<QDropEvent*>(AEvent);
        FY = widget->mapTo(viewport, drag->position().toPoint()).y();
        FGone = false;
        if (StepFor(FY, viewport->height(), Margin()) != 0 && !FTimer.isActive())
            FTimer.start();
    }
    return false;
}

void TDragAutoScroll::Tick()
{
    const int step = FGone ? 0 : StepFor(FY, FArea->viewport()->height(), Margin());
    QScrollBar* bar = FArea->verticalScrollBar();
    const int before = bar->value();
    if (step != 0)
        bar->setValue(before + step);
    // Nothing more to do at either end.
    if (step == 0 || bar->value() == before)
        FTimer.stop();
}
