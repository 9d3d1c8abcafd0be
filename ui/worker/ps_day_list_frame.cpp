#include "ui/worker/ps_day_list_frame.h"

namespace {
const TPeriodDayListLook Look = {"PSDayListFrame", "Print Person schedule", "PSDF",
    {{"ActionPrintReportPSGeneral", "Worker schedule - General report", "PersonScheduleGeneral", false},
        {"ActionPrintReportPSFull", "Worker schedule - Detailed report", "PersonScheduleFull", false},
        {"ActionPrintReportPSTwoCol", "Worker schedule - Two column report", "PersonScheduleTwoCol", false}}};
} // namespace

TPSDayListFrame::TPSDayListFrame(QWidget* AParent) : TPeriodDayListFrameOf(Look, AParent) {}
