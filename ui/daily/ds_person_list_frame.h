// The daily schedule's worker list: every worker with his workplaces of the
// day, the worker commands and print menu, and both ends of a worker drag.
#pragma once

#include "ui/view_guard.h"

#include "ui/sc_frame.h"

#include <QPixmap>

#include <memory>

class QAction;
class QMenu;
class QMimeData;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDSPerson;
class TDSPersonList;
class TDSWorkplacePersonDragObjectEx;

class TDSPersonListFrame : public TSCFrame {
    Q_OBJECT
public:
    explicit TDSPersonListFrame(QWidget* AParent = nullptr);
    ~TDSPersonListFrame() override;

    TDSPersonList* Persons() const { return FPersons; }
    void SetPersons(TDSPersonList* AValue);

    void DataChanged(TObject* ASender, const QString& AValueName) override;
    // Gives the worker list the keyboard focus, so its keys work at once.
    void FocusList();

    // What a drag of the focused row carries; none without a focused row.
    std::unique_ptr<TDSWorkplacePersonDragObjectEx> CreateDragObject() const;
    // The black-and-white picture of the focused row shown while dragging.
    QPixmap DragPicture() const;
    // Whether the list takes a payload dragged over it.
    static bool AcceptsDrag(const QMimeData* AData);
    // A dropped payload: a worker taken from a workplace leaves it; true when
    // a relation was removed.
    bool DropPayload(const QMimeData* AData);
    // Starts the drag of the focused row (blocks until it ends).
    void StartDrag();

signals:
    // A worker was placed from this list at the workplace AWorkplaceID.
    void PlacedAt(int AWorkplaceID);

private slots:
    void ControlChanged();
    void LVPersonsChange();
    void LVPersonsDblClick();
    void PUMenuPrintPopup();

private:
    void UpdateActions();
    void RebuildRows();
    // Every row reads its texts again when next shown.
    void ForgetRows();
    void UpdateRow(TDSPerson* APerson);
    void SyncFocus();
    void ShowContextMenu(QWidget* AWidget, const QPoint& APos);

    TDSPersonList* FPersons = nullptr;

    QTreeWidget* LVPersons;
    QWidget* PanelInfo;
    QToolButton* TBAdd;
    QToolButton* TBEdit;
    QToolButton* TBDelete;
    QToolButton* TBSortingAsc;
    QToolButton* TBSortingDesc;
    QToolButton* TBPrint;
    QToolButton* TBPersonSchedule;
    QToolButton* TBPlace;
    QMenu* PUMenuPrint;
    QMenu* PUMenuPersons;
    QMenu* PUMenuPersonsSorting;
    QMenu* PUMenuPersonsPrint;

    QAction* ActionAdd;
    QAction* ActionEdit;
    QAction* ActionDelete;
    QAction* ActionSortingAsc;
    QAction* ActionSortingDesc;
    QAction* ActionPersonSchedule;
    QAction* ActionPlace;
    QAction* ActionPrintReportDSPersonsGeneral;
    QAction* ActionPrintReportDSPersonsFull;
    QAction* ActionPrintReportDSPersonsTwoCol;
    QAction* ActionPrintReportPersonsGeneral;
    QAction* ActionPrintReportPersonsFull;
    QAction* ActionPrintReportPersonsTwoCol;
    QAction* ActionPrintInvolvedPersonsOnly;
};
