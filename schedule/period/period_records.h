// The records only the worker and the workplace schedules pass through their
// store: relations with their stored names over a period, and the day rows
// of the print tables.
#pragma once

#include "core/utils.h"
#include "schedule/register_records.h"

#include <QString>

// One relation with the names its row stored.
struct TPeriodJobRecord {
    TDate Date = 0;
    int PersonID = 0;
    int WorkplaceID = 0;
    QString PersonName;
    QString WorkplaceShortcut;
    QString WorkplaceName;
};

// The day rows of the print tables (the worker and workplace rows are in
// schedule/register_records.h).
struct TPeriodPrintDay {
    int ID = 0;
    TDate Date = 0;
    QString DayName;
    QString DateWithoutYear;
    TColor Color = 0;
    bool PersonIsOut = false;
};
