// The program's three schedules and the main window over them, made in
// start-up order and destroyed window first: what the tools and benchmarks
// run the real screens on.
#pragma once

#include "schedule/daily/daily_schedule.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"
#include "ui/orvel_app_form.h"

struct TProgramWindow {
    TDailySchedule Daily;
    TPersonSchedule Persons;
    TWorkplaceSchedule Workplaces;
    TOrvelAppForm Window{&Daily, &Persons, &Workplaces};
};
