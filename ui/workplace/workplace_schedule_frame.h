// The workplace schedule's screen: one workplace's days over the period, with
// the workers to drag onto them on the first tab and the workplaces on the
// second.
#pragma once

#include "ui/view_guard.h"

#include "schedule/workplace/workplace_schedule.h"
#include "ui/period/period_schedule_frame_of.h"

class TWSDayListFrame;
class TWSPersonListFrame;
class TWSWorkplaceListFrame;

class TWorkplaceScheduleFrame : public TPeriodScheduleFrameOf<TWorkplaceSchedule> {
    Q_OBJECT
public:
    explicit TWorkplaceScheduleFrame(QWidget* AParent = nullptr);
    ~TWorkplaceScheduleFrame() override;

    // Makes the workplace schedule build this screen, bound to it and its
    // lists; UninstallFactory takes that back.
    static void InstallFactory();
    static void UninstallFactory();

    TWSDayListFrame* WSDayListFrame() const { return FWSDayListFrame; }
    TWSPersonListFrame* WSPersonListFrame() const { return FWSPersonListFrame; }
    TWSWorkplaceListFrame* WSWorkplaceListFrame() const { return FWSWorkplaceListFrame; }

protected:
    QString ChosenIDName() const override { return QStringLiteral("WorkplaceID"); }
    QString ChosenName() const override;
    bool IsChosenEntry(TObject* ASender) const override;
    void EditChosen() override;
    void FocusFirstList() override;

private:
    TWSDayListFrame* FWSDayListFrame;
    TWSPersonListFrame* FWSPersonListFrame;
    TWSWorkplaceListFrame* FWSWorkplaceListFrame;
};
