// Drag-and-drop events built as the window system delivers them over a target
// widget, so drop targets are tested without a real drag's own event loop; and
// the mouse events of a click and of a drag's start.
#pragma once

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QWidget>

// Sends one drag event (DragEnter, DragMove or Drop) carrying AData to ATarget
// at AAt; true when the target accepted it.
inline bool SendDragEvent(QWidget* ATarget, QEvent::Type AType, const QMimeData* AData, QPoint AAt,
    Qt::DropActions AActions = Qt::CopyAction | Qt::MoveAction)
{
    if (AType == QEvent::Drop) {
        QDropEvent event(QPointF(AAt), AActions, AData, Qt::LeftButton, Qt::NoModifier);
        event.ignore();
        QApplication::sendEvent(ATarget, &event);
        return event.isAccepted();
    }
    if (AType == QEvent::DragEnter) {
        QDragEnterEvent event(AAt, AActions, AData, Qt::LeftButton, Qt::NoModifier);
        event.ignore();
        QApplication::sendEvent(ATarget, &event);
        return event.isAccepted();
    }
    QDragMoveEvent event(AAt, AActions, AData, Qt::LeftButton, Qt::NoModifier);
    event.ignore();
    QApplication::sendEvent(ATarget, &event);
    return event.isAccepted();
}

// The enter and a move over the middle of ATarget; true when both were taken
// (a move only follows an accepted enter).
inline bool DragOver(QWidget* ATarget, const QMimeData* AData)
{
    const QPoint at = ATarget->rect().center();
    return SendDragEvent(ATarget, QEvent::DragEnter, AData, at) && SendDragEvent(ATarget, QEvent::DragMove, AData, at);
}

// As DragOver, after which the drag leaves the target again.
inline bool DragOverAndLeave(QWidget* ATarget, const QMimeData* AData)
{
    const bool taken = DragOver(ATarget, AData);
    QDragLeaveEvent leave;
    QApplication::sendEvent(ATarget, &leave);
    return taken;
}

// A drop in the middle of ATarget after an accepted enter and move (the
// application hands a drop only to the target that took them); true when the
// drop was taken.
inline bool DropOnto(QWidget* ATarget, const QMimeData* AData)
{
    return DragOver(ATarget, AData) && SendDragEvent(ATarget, QEvent::Drop, AData, ATarget->rect().center());
}

// A left press in the middle of ASource and a move past the start distance,
// as a user starts dragging it.
inline void PressAndMove(QWidget* ASource)
{
    const QPointF start(ASource->rect().center());
    QMouseEvent press(
        QEvent::MouseButtonPress, start, ASource->mapToGlobal(start), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ASource, &press);
    const QPointF moved = start + QPointF(QApplication::startDragDistance() + 5, 0);
    QMouseEvent move(
        QEvent::MouseMove, moved, ASource->mapToGlobal(moved), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ASource, &move);
}

// A left click in the middle of AWidget.
inline void Click(QWidget* AWidget)
{
    const QPointF at(AWidget->rect().center());
    QMouseEvent press(
        QEvent::MouseButtonPress, at, AWidget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(AWidget, &press);
    QMouseEvent release(
        QEvent::MouseButtonRelease, at, AWidget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(AWidget, &release);
}
