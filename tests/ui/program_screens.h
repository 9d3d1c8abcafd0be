// The program's three schedules and its main window over them, for tests that
// start the program's screens: made in start-up order, closed window first.
#pragma once

#include "schedule/daily/daily_schedule.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"
#include "ui/orvel_app_form.h"

#include <memory>

class TProgramScreens {
protected:
    void MakeSchedules()
    {
        Daily = std::make_unique<TDailySchedule>();
        Persons = std::make_unique<TPersonSchedule>();
        Workplaces = std::make_unique<TWorkplaceSchedule>();
    }
    TOrvelAppForm* MakeMainWindow()
    {
        Window = std::make_unique<TOrvelAppForm>(Daily.get(), Persons.get(), Workplaces.get());
        return Window.get();
    }
    // The window before the schedules it shows.
    void CloseScreens()
    {
        Window.reset();
        Workplaces.reset();
        Persons.reset();
        Daily.reset();
    }

    std::unique_ptr<TDailySchedule> Daily;
    std::unique_ptr<TPersonSchedule> Persons;
    std::unique_ptr<TWorkplaceSchedule> Workplaces;
    std::unique_ptr<TOrvelAppForm> Window;
};
