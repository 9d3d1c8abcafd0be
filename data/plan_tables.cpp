#include "data/plan_tables.h"

#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"

const std::array<TPlanTable, 4>& PlanTables()
{
    static const std::array<TPlanTable, 4> tables{{
        {"Workers.cds", "workers", &TPersonMan::FieldDefs},
        {"Workplaces.cds", "workplaces", &TWorkplaceMan::FieldDefs},
        {"Jobs.cds", "jobs", &TJobMan::FieldDefs},
        {"Macros.cds", "macros", &TMacroMan::FieldDefs},
    }};
    return tables;
}

const TPlanTable* PlanTableOf(const QString& AFileName)
{
    for (const TPlanTable& table : PlanTables())
        if (AFileName.compare(QLatin1String(table.FileName), Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}
