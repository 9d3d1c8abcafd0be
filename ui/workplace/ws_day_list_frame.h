// The day column of the workplace schedule, bound to its day list.
#pragma once

#include "ui/view_guard.h"

#include "ui/period/period_day_list_frame.h"
#include "ui/workplace/ws_day_frame.h"

class TWSDayListFrame : public TPeriodDayListFrameOf<TWSDayList, TWSDayFrame> {
    Q_OBJECT
public:
    explicit TWSDayListFrame(QWidget* AParent = nullptr);
};
