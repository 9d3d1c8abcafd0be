// The worker or the workplace list of the worker and the workplace schedules:
// a row per entry with its weekday text, the register commands, the print
// menu and, in the list that is dragged from, both ends of a drag and the way
// to the other schedule. The thin frames of each schedule supply what differs.
#pragma once

#include "ui/view_guard.h"

#include "core/utils.h"
#include "ui/sc_frame.h"
#include "ui/view_actions.h"

#include <memory>
#include <optional>

class QMenu;
class QMimeData;
class QToolButton;
class QTreeWidgetItem;
class TPeriodEntry;
class TPeriodRegisterList;
class TRowListView;
class TSCObject;

// A schedule's chosen date and the period it shows.
struct TListPeriod {
    TDate Date = 0;
    TDate Start = 0;
    TDate End = 0;
};

class TPeriodListFrame : public TSCFrame {
    Q_OBJECT
public:
    ~TPeriodListFrame() override;

    void DataChanged(TObject* ASender, const QString& AValueName) override;
    // Gives the list the keyboard focus, so its keys work at once.
    void FocusList();

    // What a drag of the focused row carries; none without a focused row and
    // from a list whose rows carry nothing.
    std::unique_ptr<QMimeData> CreateDragObject() const;
    // Whether the list takes a payload dragged over it.
    virtual bool AcceptsDrag(const QMimeData* AData) const;
    // A payload dropped on the list; true when it changed the schedule.
    virtual bool DropPayload(const QMimeData* AData);
    // Starts the drag of the focused row (blocks until it ends).
    void StartDrag();

protected:
    // A worker list (AWorkers) or a workplace list of the worker schedule
    // (AWorkerSchedule) or the workplace schedule. The list of the kind the
    // schedule does not choose is the one dragged from, and its focused row
    // opens its own schedule.
    TPeriodListFrame(bool AWorkerSchedule, bool AWorkers, QWidget* AParent);

    TPeriodRegisterList* List() const { return FList; }
    // Binds AValue (the frame becomes its Editor) and builds everything.
    void SetList(TPeriodRegisterList* AValue);

    // The bound list's schedule's dates; none without a schedule.
    virtual std::optional<TListPeriod> Period() const = 0;
    // The bound list's own operations.
    virtual void AddRecord(TSCObject* ARecord) = 0;
    virtual void EditEntry(int AID) = 0;
    virtual void DeleteEntry(int AID, const QString& AMsg) = 0;
    virtual void Print(const QString& AReportName, bool ASimple) = 0;
    // The payload of a drag of the row with AID; none by default.
    virtual std::unique_ptr<QMimeData> NewDragObject(int AID) const;

    // The dates of a schedule that has them, or none.
    template <class TSchedule>
    static std::optional<TListPeriod> PeriodOf(const TSchedule* ASchedule)
    {
        if (!ASchedule)
            return std::nullopt;
        return TListPeriod{ASchedule->Date(), ASchedule->DateStart(), ASchedule->DateEnd()};
    }

private slots:
    void ControlChanged();
    void ListChange();
    void ListDblClick();
    void PUMenuPrintPopup();

private:
    void UpdateActions();
    void UpdateItems();
    void UpdateItem(TPeriodEntry* AEntry);
    // Shows AEntry in ARow.
    void FillRow(QTreeWidgetItem* ARow, TPeriodEntry* AEntry);
    void UpdateFocus();
    // AObject when it is an entry of the bound list.
    TPeriodEntry* OwnEntry(TObject* AObject) const;
    QString EntryName(const TPeriodEntry* AEntry) const;
    QIcon EntryIcon(const TPeriodEntry* AEntry) const;
    void Add();
    void ShowOtherSchedule();

    const bool FWorkers;
    const bool FDrags;
    // The print filter of the list's kind.
    const TPrintFlag FPrintOnly;
    TPeriodRegisterList* FList = nullptr;

    TRowListView* FListView;
    QToolButton* TBPrint;
    QMenu* PUMenuPrint;
    QAction* ActionAdd;
    QAction* ActionEdit;
    QAction* ActionDelete;
    QAction* ActionSortingAsc;
    QAction* ActionSortingDesc;
    QAction* ActionOtherSchedule = nullptr;
    QAction* ActionPrintOnly;
};
