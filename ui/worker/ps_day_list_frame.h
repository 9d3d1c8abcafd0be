// The day column of the worker schedule, bound to its day list.
#pragma once

#include "ui/view_guard.h"

#include "ui/period/period_day_list_frame.h"
#include "ui/worker/ps_day_frame.h"

class TPSDayListFrame : public TPeriodDayListFrameOf<TPSDayList, TPSDayFrame> {
    Q_OBJECT
public:
    explicit TPSDayListFrame(QWidget* AParent = nullptr);
};
