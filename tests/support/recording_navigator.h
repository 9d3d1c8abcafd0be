// A navigator that records the navigation the views ask for, in place of the
// main window.
#pragma once

#include "ui/navigator.h"

#include <QStringList>

class TRecordingNavigator : public ISCNavigator {
public:
    void ShowDailySchedule(TDate ADate) override { Calls << QStringLiteral("daily %1").arg(ADate); }
    void ShowPersonSchedule(int APersonID, TDate ADate) override
    {
        Calls << QStringLiteral("person %1 %2").arg(APersonID).arg(ADate);
    }
    void ShowWorkplaceSchedule(int AWorkplaceID, TDate ADate) override
    {
        Calls << QStringLiteral("workplace %1 %2").arg(AWorkplaceID).arg(ADate);
    }
    QStringList Calls;
};
