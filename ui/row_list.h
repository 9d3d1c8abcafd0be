// The report-style lists of the schedule views: rows known by the ID in their
// data, the focused row shown, and the drag of the focused row.
#pragma once

#include "ui/view_guard.h"

#include <QPixmap>
#include <QTreeWidget>

#include <functional>
#include <memory>

class QMimeData;

// A list that hands its drag start, drag over and drop to its view.
class TRowListView : public QTreeWidget {
public:
    explicit TRowListView(QWidget* AParent) : QTreeWidget(AParent) {}

    std::function<void()> OnStartDrag;
    // Whether a payload dragged over the list is taken.
    std::function<bool(const QMimeData*)> OnAccepts;
    std::function<void(const QMimeData*)> OnDrop;

protected:
    void startDrag(Qt::DropActions) override;
    void dragEnterEvent(QDragEnterEvent* AEvent) override;
    void dragMoveEvent(QDragMoveEvent* AEvent) override;
    void dropEvent(QDropEvent* AEvent) override;

private:
    bool Accepts(const QMimeData* AData) const { return OnAccepts && OnAccepts(AData); }
    void Take(QDropEvent* AEvent);
};

// Two columns without headers, whole read-only rows, one selected at a time;
// the name column ANameWidth pixels wide at 96 dpi, the second taking the rest.
void SetUpRowList(QTreeWidget* AList, int ANameWidth);

// Replaces AList's rows by ACount new ones, each filled by AFill(row, index)
// before they all go in at once: inserting hundreds of rows one by one, each
// looked up among those before it, is what a refill would otherwise cost.
template <class TFill>
void RefillRows(QTreeWidget* AList, int ACount, TFill AFill)
{
    AList->setUpdatesEnabled(false);
    AList->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(ACount);
    for (int i = 0; i < ACount; ++i) {
        rows << new QTreeWidgetItem;
        AFill(rows.back(), i);
    }
    AList->addTopLevelItems(rows);
    AList->setUpdatesEnabled(true);
}

// The row whose data is AID; none when there is none.
QTreeWidgetItem* RowWithID(const QTreeWidget* AList, int AID);
// The ID of the focused row; 0 without one.
int CurrentRowID(const QTreeWidget* AList);
// ARow becomes the focused and selected row, scrolled into view; none clears
// both.
void ShowCurrentRow(QTreeWidget* AList, QTreeWidgetItem* ARow);

// The black-and-white picture of the focused row shown while dragging.
QPixmap CurrentRowPicture(const QTreeWidget* AList);
// Drags APayload from AList with the focused row's picture under the grabbing
// hand (blocks until the drag ends).
void DragFromList(QTreeWidget* AList, std::unique_ptr<QMimeData> APayload);
// True while a drag DragFromList started runs.
bool ListDragUnderWay();
