#include "schedule/daily/ds_print.h"

#include "reports/print_table.h"
#include "schedule/register_access.h"

bool DSAppendPrintPerson(TPrintTables& ATables, const TPrintPersonRow& ARow)
{
    return AppendPrintPersonRow(ATables.DSPrintPersons, ARow);
}

bool DSAppendPrintWorkplace(TPrintTables& ATables, const TPrintWorkplaceRow& ARow)
{
    return AppendPrintWorkplaceRow(ATables.DSPrintWorkplaces, ARow);
}
