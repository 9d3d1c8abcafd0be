// The schedule screen bound to its model type: what the worker and the
// workplace screens read of their schedules alike.
#pragma once

#include "ui/view_guard.h"

#include "ui/period/period_schedule_frame.h"

template <class TSchedule>
class TPeriodScheduleFrameOf : public TPeriodScheduleFrame {
public:
    using TPeriodScheduleFrame::TPeriodScheduleFrame;

    TSchedule* Schedule() const { return FSchedule; }
    void SetSchedule(TSchedule* AValue)
    {
        // The schedule's editor is the screen adapter around this frame,
        // which the schedule owns; there is no editor of its own to set here.
        FSchedule = AValue;
        DataChanged(nullptr, QString());
    }

protected:
    TObject* ScheduleObject() const override { return FSchedule; }
    TDate ScheduleDate() const override { return FSchedule ? FSchedule->Date() : 0; }
    void SetScheduleDate(TDate ADate) override { FSchedule->SetDate(ADate); }
    TDate PeriodStart() const override { return FSchedule->DateStart(); }
    TDate PeriodEnd() const override { return FSchedule->DateEnd(); }
    QString PeriodHeading() const override { return FSchedule ? FSchedule->ScheduleDate() : QString(); }
    void PassSetupNotice(TObject* ASetup) override { FSchedule->DataChanged(ASetup, FSchedule, QString()); }

    TSchedule* FSchedule = nullptr;
};
