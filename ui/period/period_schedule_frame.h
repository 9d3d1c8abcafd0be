// The screen the worker and the workplace schedules share: the top band with
// the logo button back to the daily schedule, the chosen entry's name (a click
// edits it) and the period; the calendar and two list tabs in the right half;
// the day column in the rest. Each schedule's screen supplies its model.
#pragma once

#include "ui/view_guard.h"

#include "core/utils.h"
#include "ui/sc_frame.h"

class QAction;
class QCalendarWidget;
class QScrollArea;
class QTabWidget;
class QToolButton;
class TTopBand;

class TPeriodScheduleFrame : public TSCFrame {
    Q_OBJECT
public:
    explicit TPeriodScheduleFrame(const QString& ACaptionHint, QWidget* AParent = nullptr);
    ~TPeriodScheduleFrame() override;

    // The scroll area the main window scrolls with the mouse wheel.
    QScrollArea* ScrollBox() const { return FScrollBox; }

    void DataChanged(TObject* ASender, const QString& AValueName) override;

protected:
    // Places the day column (scrolling in AScrollBox) at the left and the two
    // list frames on the tabs named APage (the first shown first).
    void PlaceParts(QWidget* ADayList, QScrollArea* AScrollBox, QWidget* AFirstList, const QString& AFirstPage,
        const QString& AFirstCaption, QWidget* ASecondList, const QString& ASecondPage, const QString& ASecondCaption);

    // The model as the screen reads it: none unbound.
    virtual TObject* ScheduleObject() const = 0;
    // The notice of the chosen entry's ID ("PersonID", "WorkplaceID").
    virtual QString ChosenIDName() const = 0;
    // The chosen entry's name, empty when there is none.
    virtual QString ChosenName() const = 0;
    // Whether a notice from ASender may have changed the chosen entry's name:
    // its register record or the focused entry of its list.
    virtual bool IsChosenEntry(TObject* ASender) const = 0;
    // The chosen entry's edit dialog.
    virtual void EditChosen() = 0;
    virtual TDate ScheduleDate() const = 0;
    virtual void SetScheduleDate(TDate ADate) = 0;
    // The first and the last day of the period shown.
    virtual TDate PeriodStart() const = 0;
    virtual TDate PeriodEnd() const = 0;
    // DateStartShort, " - " and the period's end.
    virtual QString PeriodHeading() const = 0;
    // Passes a settings notice through the whole schedule, so every view of
    // it reads the settings anew.
    virtual void PassSetupNotice(TObject* ASetup) = 0;
    // The list the screen gives the keyboard when it is shown.
    virtual void FocusFirstList() = 0;

    void resizeEvent(QResizeEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private slots:
    void ControlChanged();
    void CalendarClick();

private:
    void ShowCaption();

    QToolButton* SBDailySchedule;
    TTopBand* PanelTop;
    QWidget* PanelRight;
    QCalendarWidget* Calendar;
    QTabWidget* PageControl;
    QAction* ActionEditNotes;
    QAction* ActionPrevPeriod;
    QAction* ActionNextPeriod;
    QAction* ActionToday;
    QString FCaptionHint;
    QScrollArea* FScrollBox = nullptr;
};
