#include "ui/view_drag.h"

#include "ui/row_list.h"
#include "ui/sc_label.h"
#include "ui/view_resources.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

#include <vector>

namespace {

// Views retired while a drag runs; deleted when it ends.
int DragDepth = 0;
std::vector<QPointer<QWidget>>& RetiredDuringDrag()
{
    static std::vector<QPointer<QWidget>> views;
    return views;
}

} // namespace

bool TDragStartWatch::Starts(const QEvent* AEvent)
{
    switch (AEvent->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<const QMouseEvent*>(AEvent);
        if (mouse->button() == Qt::LeftButton) {
            FPressed = true;
            FStartPos = mouse->position().toPoint();
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        FPressed = false;
        return false;
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<const QMouseEvent*>(AEvent);
        if (!FPressed || !(mouse->buttons() & Qt::LeftButton)
            || (mouse->position().toPoint() - FStartPos).manhattanLength() < QApplication::startDragDistance())
            return false;
        // The drag's own loop swallows the release.
        FPressed = false;
        return true;
    }
    default:
        return false;
    }
}

void RunViewDrag(TSCLabel* ALabel, std::unique_ptr<QMimeData> APayload, QPoint AHotSpot)
{
    if (!ALabel || !APayload)
        return;
    // The drag belongs to the top window: a drop may rebuild the source away.
    auto* drag = new QDrag(ALabel->window());
    drag->setMimeData(APayload.release());
    const QPixmap picture = ALabel->GetDragImages();
    if (!picture.isNull()) {
        drag->setPixmap(picture);
        drag->setHotSpot(AHotSpot);
    }
    const QPixmap grab = ProgramCursor(crHandGrab).pixmap();
    drag->setDragCursor(grab, Qt::CopyAction);
    drag->setDragCursor(grab, Qt::MoveAction);
    ++DragDepth;
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    drag->deleteLater();
    if (--DragDepth == 0) {
        std::vector<QPointer<QWidget>> retired;
        retired.swap(RetiredDuringDrag());
        for (QPointer<QWidget>& view : retired)
            if (view)
                view->deleteLater();
    }
}

void RetireView(QWidget* AView)
{
    if (!AView)
        return;
    AView->hide();
    AView->setObjectName(QString());
    if (DragDepth > 0)
        RetiredDuringDrag().emplace_back(AView);
    else
        AView->deleteLater();
}

bool DragUnderWay()
{
    return DragDepth > 0 || ListDragUnderWay();
}
