// One entry row of a day on the worker or workplace schedule: the draggable
// name, on the workplace screen the absence picture, and a delete button. The
// day frame holding the row takes what is dropped on it.
#pragma once

#include "ui/view_guard.h"

#include "core/observable.h"
#include "ui/sc_frame.h"
#include "ui/view_drag.h"

#include <QMimeData>

#include <memory>
#include <vector>

class QLabel;
class QToolButton;
class TSCLabel;

class TPeriodDayEntryFrame : public TSCFrame {
    Q_OBJECT
public:
    // AShowsIsOut: the row carries the absence picture ImageIsOut.
    TPeriodDayEntryFrame(bool AShowsIsOut, QWidget* AParent);

    // The bound entry, as an address only (it may be gone).
    virtual TObject* BoundObject() const = 0;
    // Forgets the entry; touches it only when AItemAlive.
    virtual void Unbind(bool AItemAlive) = 0;

    void DataChanged(TObject* ASender, const QString& AValueName) override;

    // The height of a row in the current font.
    static int RowHeight(const QWidget* AWidget);

protected:
    // The hooks on the bound entry; all but IsBound are asked while bound.
    virtual bool IsBound() const = 0;
    // The entry has a day and the day a schedule.
    virtual bool HasSchedule() const = 0;
    virtual bool RecordExists() const = 0;
    virtual QString NameAndStoredName() const = 0;
    virtual bool IsOut() const { return false; }
    // ASender is the register entry of the schedule's list with this ID.
    virtual bool IsRegisterEntry(TObject* ASender) const = 0;
    // The schedule's list of register entries (asked only with a schedule).
    virtual TObject* RegisterList() const = 0;
    // The payload of a drag of the name; none without a day.
    virtual std::unique_ptr<QMimeData> NewDragPayload() const = 0;
    // Takes the entry off its day (asked only with a schedule).
    virtual void DeleteFromDay() = 0;

    // A reused row shows another entry: its drag picture is made anew.
    void ClearDragImage();

    void resizeEvent(QResizeEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;

private slots:
    void ControlChanged();

private:
    void PlaceControls();

    QWidget* PanelLeft;
    TSCLabel* LabelName;
    QLabel* ImageIsOut = nullptr;
    QWidget* PanelRight;
    QToolButton* SBDelete;
    QString FNameText;
    TDragStartWatch FDragWatch;
};

// Unbinds views kept for reuse (rows or days): one whose object is no longer
// in AList, as a refresh freed it, forgets it untouched (addresses are only
// compared); without a list all do.
template <class TView>
void UnbindViews(const std::vector<TView*>& AViews, const TSCList* AList)
{
    for (TView* view : AViews)
        view->Unbind(AList && AList->IndexOf(view->BoundObject()) >= 0);
}

// The entry-typed part the worker and the workplace rows share: TEntry is the
// day's entry, TRegisterEntry the schedule's list entry of the same register.
template <class TEntry, class TRegisterEntry>
class TPeriodDayEntryFrameOf : public TPeriodDayEntryFrame {
public:
    using TEntryType = TEntry;
    using TPeriodDayEntryFrame::TPeriodDayEntryFrame;
    ~TPeriodDayEntryFrameOf() override { Unbind(true); }

    TEntry* Entry() const { return FEntry; }
    // Binds the row to an entry (or none) and redraws everything.
    void SetEntry(TEntry* AValue)
    {
        if (FEntry != AValue)
            ClearDragImage();
        BindItem(FEntry, AValue);
        DataChanged(nullptr, QString());
    }
    TObject* BoundObject() const override { return FEntry; }
    void Unbind(bool AItemAlive) override
    {
        if (AItemAlive)
            ReleaseItem(FEntry);
        FEntry = nullptr;
    }

protected:
    bool IsBound() const override { return FEntry != nullptr; }
    bool HasSchedule() const override { return FEntry && FEntry->Day() && FEntry->Day()->Schedule(); }
    bool RecordExists() const override { return FEntry->Record().has_value(); }
    QString NameAndStoredName() const override { return FEntry->NameAndStoredName(); }
    bool IsRegisterEntry(TObject* ASender) const override
    {
        const auto* entry = dynamic_cast<const TRegisterEntry*>(ASender);
        return entry && entry->ID() == FEntry->ID();
    }

private:
    TEntry* FEntry = nullptr;
};
