// The day column of the worker and the workplace schedule: a tool bar with
// the period buttons, the print menu and the way back to the daily schedule
// above a scrolling stack of day frames.
#pragma once

#include "ui/export_menu.h"
#include "ui/view_guard.h"

#include "core/utils.h"
#include "ui/period/period_day_frame.h"
#include "ui/sc_frame.h"
#include "ui/view_actions.h"

#include <vector>

class QAction;
class QMenu;
class QScrollArea;
class QToolButton;
class QVBoxLayout;
class TSCList;

// What tells the two day columns apart.
struct TPeriodDayListLook {
    const char* Name;
    const char* PrintHint;
    // Names the day frames ("PSDF0", ...).
    const char* DayPrefix;
    TPrintEntry Reports[3];
};

class TPeriodDayListFrame : public TSCFrame {
    Q_OBJECT
public:
    TPeriodDayListFrame(const TPeriodDayListLook& ALook, QWidget* AParent);

    // The area the main window's wheel scrolls.
    QScrollArea* ScrollBox() const { return FScrollBox; }

    void DataChanged(TObject* ASender, const QString& AValueName) override;

protected:
    // The hooks on the bound list; the schedule ones are asked only with a
    // schedule.
    virtual TSCList* DayList() const = 0;
    virtual TObject* ScheduleObject() const = 0;
    virtual TDateDaysKind DateDaysKind() const = 0;
    virtual void SetDateDaysKind(TDateDaysKind AValue) = 0;
    virtual void Print(const QString& AReportName) = 0;
    virtual void Export(TExportFormat AFormat) = 0;
    virtual TPeriodDayFrame* NewDayFrame(QWidget* AParent) const = 0;
    virtual void BindDayFrame(TPeriodDayFrame* AFrame, int AIndex) const = 0;

    // Unbinds every day frame and keeps it for reuse; days still in the list
    // are let go of when AListAlive.
    void UnbindDayFrames(bool AListAlive);

    // Up and Down on a day (or its rows) move to the day before or after;
    // the column's Tab stop hands the keyboard on to a day.
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    // Tab goes through a day's rows, then leaves the column.
    bool focusNextPrevChild(bool ANext) override;

private slots:
    void ControlChanged();
    void PUMenuPrintPopup();

private:
    void UpdateActions();
    void UpdateDayFrames();

    QString FDayPrefix;
    QScrollArea* FScrollBox;
    QWidget* FScrollContent;
    QVBoxLayout* FDaysLayout;
    std::vector<TPeriodDayFrame*> FDayFrames;
    // The day the keyboard was last on, and set while the column's stop
    // takes the focus only to pass it on.
    int FKeyDay = 0;
    bool FPassingFocus = false;

    QAction* ActionDateDaysKindWeek;
    QAction* ActionDateDaysKindTwoWeeks;
    QAction* ActionDateDaysKindMonth;
    QList<QAction*> FReportActions;
    QAction* ActionPrintOccupiedDaysOnly;
    QAction* ActionDailySchedule;
    QMenu* PUMenuPrint;
    QToolButton* TBPrint;
};

// The list-typed part both day columns share: TList is the day list,
// TDayFrame the day frame class.
template <class TList, class TDayFrame>
class TPeriodDayListFrameOf : public TPeriodDayListFrame {
public:
    TPeriodDayListFrameOf(const TPeriodDayListLook& ALook, QWidget* AParent) : TPeriodDayListFrame(ALook, AParent)
    {
        // Here, as the hooks are not there yet while the base is made.
        DataChanged(nullptr, QString());
    }
    ~TPeriodDayListFrameOf() override { Unbind(true); }

    TList* Days() const { return FDays; }
    // Binds the view to a day list (or none) and redraws everything.
    void SetDays(TList* AValue)
    {
        if (FDays && FDays != AValue)
            UnbindDayFrames(true);
        BindItem(FDays, AValue);
        DataChanged(nullptr, QString());
    }
    // Forgets the list and its days; touches them only when AItemAlive (the
    // schedule frees its lists before its screen).
    void Unbind(bool AItemAlive)
    {
        UnbindDayFrames(AItemAlive && FDays);
        if (AItemAlive)
            ReleaseItem(FDays);
        FDays = nullptr;
    }

protected:
    TSCList* DayList() const override { return FDays; }
    TObject* ScheduleObject() const override { return FDays ? FDays->Schedule() : nullptr; }
    TDateDaysKind DateDaysKind() const override { return FDays->Schedule()->DateDaysKind(); }
    void SetDateDaysKind(TDateDaysKind AValue) override { FDays->Schedule()->SetDateDaysKind(AValue); }
    void Print(const QString& AReportName) override { FDays->Print(AReportName); }
    void Export(TExportFormat AFormat) override
    {
        QString error;
        FDays->Export(AFormat, error);
        ShowExportFailure(error);
    }
    TPeriodDayFrame* NewDayFrame(QWidget* AParent) const override { return new TDayFrame(AParent); }
    void BindDayFrame(TPeriodDayFrame* AFrame, int AIndex) const override
    {
        static_cast<TDayFrame*>(AFrame)->SetDay(FDays->Items(AIndex));
    }

private:
    TList* FDays = nullptr;
};
