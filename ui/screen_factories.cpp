#include "ui/screen_factories.h"

#include "ui/daily/daily_schedule_frame.h"
#include "ui/worker/person_schedule_frame.h"
#include "ui/workplace/workplace_schedule_frame.h"

void InstallScreenFactories()
{
    TDailyScheduleFrame::InstallFactory();
    TPersonScheduleFrame::InstallFactory();
    TWorkplaceScheduleFrame::InstallFactory();
}

void UninstallScreenFactories()
{
    TWorkplaceScheduleFrame::UninstallFactory();
    TPersonScheduleFrame::UninstallFactory();
    TDailyScheduleFrame::UninstallFactory();
}
