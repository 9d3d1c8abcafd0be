#include "ui/workplace/ws_day_list_frame.h"

namespace {
const TPeriodDayListLook Look = {"WSDayListFrame", "Print Workplace schedule", "WSDF",
    {{"ActionPrintReportWSGeneral", "Workplace schedule - General report", "WorkplaceScheduleGeneral", false},
        {"ActionPrintReportWSFull", "Workplace schedule - Detailed report", "WorkplaceScheduleFull", false},
        {"ActionPrintReportWSTwoCol", "Workplace schedule - Two column report", "WorkplaceScheduleTwoCol", false}}};
} // namespace

TWSDayListFrame::TWSDayListFrame(QWidget* AParent) : TPeriodDayListFrameOf(Look, AParent) {}
