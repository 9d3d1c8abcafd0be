// The records only the worker and the workplace schedules pass through their
// store: relations with their stored names over a period, and the day rows
// of the print tables.
#pragma once

#include "core/utils.h"
#include "data/job_rows.h"
#include "schedule/register_records.h"

#include <QString>

#include <utility>
#include <vector>

// For each worker or workplace with relations in a period (of at most 64
// days), those days as bits (bit 0 the period's first day), in ID order.
using TPeriodEntryDays = std::vector<std::pair<int, quint64>>;

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
