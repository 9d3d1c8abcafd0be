// One workplace row of a day on the worker schedule.
#pragma once

#include "ui/view_guard.h"

#include "schedule/worker/ps_lists.h"
#include "ui/period/period_day_entry_frame.h"

class TPSDayWorkplaceFrame : public TPeriodDayEntryFrameOf<TPSDayWorkplace, TPSWorkplace> {
    Q_OBJECT
public:
    explicit TPSDayWorkplaceFrame(QWidget* AParent = nullptr);

    TPSDayWorkplace* DayWorkplace() const { return Entry(); }
    void SetDayWorkplace(TPSDayWorkplace* AValue) { SetEntry(AValue); }

protected:
    TObject* RegisterList() const override;
    std::unique_ptr<QMimeData> NewDragPayload() const override;
    void DeleteFromDay() override;
};
