// The daily schedule page: logo, caption, date and note lines on top, the
// calendar and the worker list on the right, the workplace list beside them.
#pragma once

#include "ui/view_guard.h"

#include "ui/sc_frame.h"

class QAction;
class QCalendarWidget;
class QLabel;
class QScrollArea;
class TDailySchedule;
class TDSPersonListFrame;
class TDSWorkplaceListFrame;
class TTopBand;

class TDailyScheduleFrame : public TSCFrame {
    Q_OBJECT
public:
    explicit TDailyScheduleFrame(QWidget* AParent = nullptr);
    ~TDailyScheduleFrame() override;

    // Makes the daily schedule build this page (bound to it and its lists)
    // as its screen; UninstallFactory takes that back.
    static void InstallFactory();
    static void UninstallFactory();

    TDailySchedule* Schedule() const { return FSchedule; }
    void SetSchedule(TDailySchedule* AValue);
    bool Silent() const { return FSilent; }

    TDSPersonListFrame* DSPersonListFrame() const { return FDSPersonListFrame; }
    TDSWorkplaceListFrame* DSWorkplaceListFrame() const { return FDSWorkplaceListFrame; }
    // The scroll area the main window scrolls with the mouse wheel.
    QScrollArea* ScrollBox() const;

    void DataChanged(TObject* ASender, const QString& AValueName) override;

protected:
    void resizeEvent(QResizeEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;

private:
    void ShowAbsenceMark();

private slots:
    void ControlChanged();
    void CalendarClick();

private:
    TDailySchedule* FSchedule = nullptr;

    TTopBand* PanelTop;
    QLabel* ImageLogo;
    QWidget* PanelRight;
    QCalendarWidget* Calendar;
    TDSPersonListFrame* FDSPersonListFrame;
    TDSWorkplaceListFrame* FDSWorkplaceListFrame;
    QAction* ActionEditNotes;
    QAction* ActionPrevDay;
    QAction* ActionNextDay;
    QAction* ActionToday;
};
