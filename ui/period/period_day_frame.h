// One day on the worker or workplace schedule: a header in the day's colour
// with the date and the weekday name (and, on the worker screen, his absence
// picture), one row per entry below it; it takes the entries dropped on any
// of its parts, its rows included.
#pragma once

#include "ui/view_guard.h"

#include "core/utils.h"
#include "ui/period/period_day_entry_frame.h"
#include "ui/sc_frame.h"

#include <QString>

#include <vector>

class QLabel;
class QMimeData;
class TSCList;

class TPeriodDayFrame : public TSCFrame {
    Q_OBJECT
public:
    // ARowPrefix names the rows ("PSDWPF0", ...); AShowsPersonIsOut: the
    // header carries the chosen worker's absence picture.
    TPeriodDayFrame(const QString& ARowPrefix, bool AShowsPersonIsOut, QWidget* AParent);

    // The bound day, as an address only (it may be gone).
    virtual TObject* BoundObject() const = 0;
    // Forgets the day and the rows' entries; touches them only when AItemAlive.
    virtual void Unbind(bool AItemAlive) = 0;

    void DataChanged(TObject* ASender, const QString& AValueName) override;
    // Tab inside a day goes from the day through its rows: the stop after
    // (or before) AFrom, none past either end.
    QWidget* TabStopBeside(QWidget* AFrom, bool ANext) const;

protected:
    // The hooks on the bound day; all but EntryList are asked only while bound.
    virtual TSCList* EntryList() const = 0;
    virtual TDate DayDate() const = 0;
    virtual TColor DayColor() const = 0;
    virtual QString DateText() const = 0;
    virtual QString DayNameText() const = 0;
    virtual bool HasSchedule() const = 0;
    // ASender is an entry of any day.
    virtual bool IsEntry(TObject* ASender) const = 0;
    virtual bool HasEntry(int AID) const = 0;
    virtual TPeriodDayEntryFrame* NewRow(QWidget* AParent) const = 0;
    virtual void BindRow(TPeriodDayEntryFrame* ARow, int AIndex) const = 0;
    // The worker screen's chosen worker: absent on the day, and whether
    // ASender is his worker list entry.
    virtual bool PersonIsOut() const { return false; }
    virtual bool IsChosenPerson(TObject*) const { return false; }
    // The workers planned on the day, for the mark of those away.
    virtual std::vector<int> PlannedPersonIDs() const = 0;
    // The register ID a payload carries (0 for another kind of payload), the
    // day it was taken from (0 unless from a day), whether the register has
    // the ID, and adding it to the day (asked only with a schedule).
    virtual int DraggedID(const QMimeData* AData) const = 0;
    virtual TDate DraggedDay(const QMimeData* AData) const = 0;
    virtual bool InRegister(int AID) const = 0;
    virtual bool AddToDay(int AID) = 0;
    // What the planning key offers: the register's IDs with their pick-list
    // texts, and the list's caption (asked only with a schedule).
    virtual std::vector<std::pair<int, QString>> PickChoices() const = 0;
    virtual QString PickCaption() const = 0;

    // Unbinds every row and keeps it for reuse; entries still on the day
    // are let go of when AItemsAlive.
    void UnbindRows(bool AItemsAlive);

    void resizeEvent(QResizeEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    void dragEnterEvent(QDragEnterEvent* AEvent) override;
    void dragMoveEvent(QDragMoveEvent* AEvent) override;
    void dropEvent(QDropEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;

private:
    // Whether a dragged payload is taken here, and adding it to the day.
    bool CanTakeDrop(const QMimeData* AData) const;
    void TakeDrop(const QMimeData* AData);
    // What a drop and the planning key both end in.
    bool CanTakeID(int AID) const;
    void TakeID(int AID);
    void PlanByKey();
    void UpdatePersonIsOut();
    void UpdateAbsentMark();
    void UpdateRows();

    QString FRowPrefix;
    QWidget* PanelTop;
    QWidget* PanelTopTop;
    QLabel* ImagePersonIsOut = nullptr;
    QLabel* LabelDate;
    QLabel* LabelName;
    // Shown while a worker planned on the day is away; the tip names them.
    QLabel* LabelAbsent;
    std::vector<TPeriodDayEntryFrame*> FRows;
};

// The day-typed part the worker and the workplace days share: TRow is the
// row class, AEntries the day's accessor of its entry list.
template <class TDay, class TRow, auto AEntries>
class TPeriodDayFrameOf : public TPeriodDayFrame {
public:
    using TEntry = typename TRow::TEntryType;
    using TPeriodDayFrame::TPeriodDayFrame;
    ~TPeriodDayFrameOf() override { Unbind(true); }

    TDay* Day() const { return FDay; }
    // Binds the frame to a day (or none) and redraws everything.
    void SetDay(TDay* AValue)
    {
        if (FDay && FDay != AValue)
            UnbindRows(true);
        BindItem(FDay, AValue);
        DataChanged(nullptr, QString());
    }
    TObject* BoundObject() const override { return FDay; }
    void Unbind(bool AItemAlive) override
    {
        UnbindRows(AItemAlive && FDay);
        if (AItemAlive)
            ReleaseItem(FDay);
        FDay = nullptr;
    }

protected:
    TSCList* EntryList() const override { return FDay ? (FDay->*AEntries)() : nullptr; }
    TDate DayDate() const override { return FDay->Date(); }
    TColor DayColor() const override { return FDay->Color(); }
    QString DateText() const override { return FDay->DateStrWithoutYear(); }
    QString DayNameText() const override { return FDay->DayName(); }
    bool HasSchedule() const override { return FDay && FDay->Schedule(); }
    bool IsEntry(TObject* ASender) const override { return dynamic_cast<TEntry*>(ASender) != nullptr; }
    bool HasEntry(int AID) const override { return (FDay->*AEntries)()->Items(-AID) != nullptr; }
    TPeriodDayEntryFrame* NewRow(QWidget* AParent) const override { return new TRow(AParent); }
    void BindRow(TPeriodDayEntryFrame* ARow, int AIndex) const override
    {
        static_cast<TRow*>(ARow)->SetEntry((FDay->*AEntries)()->Items(AIndex));
    }

private:
    TDay* FDay = nullptr;
};
