// What the schedule views ask of the main window: to show another of the
// three schedules. The main window installs itself; tests install a recorder.
#pragma once

#include "ui/view_guard.h"

#include "core/utils.h"

class ISCNavigator {
public:
    virtual ~ISCNavigator() = default;
    virtual void ShowDailySchedule(TDate ADate) = 0;
    virtual void ShowPersonSchedule(int APersonID, TDate ADate) = 0;
    virtual void ShowWorkplaceSchedule(int AWorkplaceID, TDate ADate) = 0;
};

// The navigator in force, or none (the views then do nothing).
ISCNavigator* Navigator();
// Installs a navigator (not owned); none removes it.
void SetNavigator(ISCNavigator* ANavigator);
