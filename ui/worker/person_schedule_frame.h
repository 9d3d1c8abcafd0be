// The worker schedule's screen: one worker's days over the period, with the
// workplaces to drag onto them on the first tab and the workers on the second.
#pragma once

#include "ui/view_guard.h"

#include "schedule/worker/person_schedule.h"
#include "ui/period/period_schedule_frame_of.h"

class TPSDayListFrame;
class TPSPersonListFrame;
class TPSWorkplaceListFrame;

class TPersonScheduleFrame : public TPeriodScheduleFrameOf<TPersonSchedule> {
    Q_OBJECT
public:
    explicit TPersonScheduleFrame(QWidget* AParent = nullptr);
    ~TPersonScheduleFrame() override;

    // Makes the worker schedule build this screen, bound to it and its
    // lists; UninstallFactory takes that back.
    static void InstallFactory();
    static void UninstallFactory();

    TPSDayListFrame* PSDayListFrame() const { return FPSDayListFrame; }
    TPSPersonListFrame* PSPersonListFrame() const { return FPSPersonListFrame; }
    TPSWorkplaceListFrame* PSWorkplaceListFrame() const { return FPSWorkplaceListFrame; }

protected:
    QString ChosenIDName() const override { return QStringLiteral("PersonID"); }
    QString ChosenName() const override;
    bool IsChosenEntry(TObject* ASender) const override;
    void EditChosen() override;
    void FocusFirstList() override;

private:
    TPSDayListFrame* FPSDayListFrame;
    TPSPersonListFrame* FPSPersonListFrame;
    TPSWorkplaceListFrame* FPSWorkplaceListFrame;
};
