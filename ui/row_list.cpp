#include "ui/row_list.h"

#include "ui/view_resources.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>

void TRowListView::startDrag(Qt::DropActions)
{
    if (OnStartDrag)
        OnStartDrag();
}

void TRowListView::dragEnterEvent(QDragEnterEvent* AEvent)
{
    Take(AEvent);
}

void TRowListView::dragMoveEvent(QDragMoveEvent* AEvent)
{
    Take(AEvent);
}

void TRowListView::dropEvent(QDropEvent* AEvent)
{
    if (!Accepts(AEvent->mimeData())) {
        AEvent->ignore();
        return;
    }
    AEvent->acceptProposedAction();
    if (OnDrop)
        OnDrop(AEvent->mimeData());
}

void TRowListView::Take(QDropEvent* AEvent)
{
    if (Accepts(AEvent->mimeData()))
        AEvent->acceptProposedAction();
    else
        AEvent->ignore();
}

void SetUpRowList(QTreeWidget* AList, int ANameWidth)
{
    AList->setColumnCount(2);
    AList->setHeaderHidden(true);
    AList->setRootIsDecorated(false);
    AList->setUniformRowHeights(true);
    AList->setAllColumnsShowFocus(true);
    AList->setSelectionBehavior(QAbstractItemView::SelectRows);
    AList->setSelectionMode(QAbstractItemView::SingleSelection);
    AList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AList->setIconSize(QSize(16, 16));
    AList->setColumnWidth(0, ANameWidth * AList->logicalDpiX() / 96);
    AList->header()->setStretchLastSection(true);
}

QTreeWidgetItem* RowWithID(const QTreeWidget* AList, int AID)
{
    for (int i = 0; i < AList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = AList->topLevelItem(i);
        if (row->data(0, Qt::UserRole).toInt() == AID)
            return row;
    }
    return nullptr;
}

int CurrentRowID(const QTreeWidget* AList)
{
    const QTreeWidgetItem* row = AList->currentItem();
    return row ? row->data(0, Qt::UserRole).toInt() : 0;
}

void ShowCurrentRow(QTreeWidget* AList, QTreeWidgetItem* ARow)
{
    if (!ARow) {
        AList->setCurrentItem(nullptr);
        AList->clearSelection();
        return;
    }
    AList->setCurrentItem(ARow);
    AList->scrollToItem(ARow, QAbstractItemView::EnsureVisible);
    if (!ARow->isSelected())
        ARow->setSelected(true);
}

QPixmap CurrentRowPicture(const QTreeWidget* AList)
{
    QTreeWidgetItem* row = AList->currentItem();
    if (!row)
        return QPixmap();
    const QRect rect = AList->visualItemRect(row);
    if (rect.isEmpty())
        return QPixmap();
    // A one-bit likeness of the row, inverted to read on any background.
    QImage image = AList->viewport()->grab(rect).toImage().convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    image.invertPixels();
    return QPixmap::fromImage(image);
}

namespace {
int ListDrags = 0;
} // namespace

void DragFromList(QTreeWidget* AList, std::unique_ptr<QMimeData> APayload)
{
    if (!APayload)
        return;
    auto* drag = new QDrag(AList);
    const QPixmap picture = CurrentRowPicture(AList);
    drag->setMimeData(APayload.release());
    if (!picture.isNull())
        drag->setPixmap(picture);
    QGuiApplication::setOverrideCursor(ProgramCursor(crHandGrab));
    ++ListDrags;
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    --ListDrags;
    QGuiApplication::restoreOverrideCursor();
}

bool ListDragUnderWay()
{
    return ListDrags > 0;
}
