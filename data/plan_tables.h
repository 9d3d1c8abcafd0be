// The plan's four tables named once: each one's file in a data folder, its
// table on a server and its field list.
#pragma once

#include "data/table_schema.h"

#include <QString>

#include <array>

struct TPlanTable {
    const char* FileName;
    const char* ServerTable;
    TFieldDefs (*FieldDefs)();
};

// In the order a plan is read and written: the registers before the jobs.
const std::array<TPlanTable, 4>& PlanTables();
// The table of a file name ("jobs.CDS" too: a folder's names ignore case on
// some systems); null for a name that is none of the four.
const TPlanTable* PlanTableOf(const QString& AFileName);
