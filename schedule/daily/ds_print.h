// Writes the daily lists' print rows into the print tables.
#pragma once

#include "schedule/daily/ds_store.h"

struct TPrintTables;

bool DSAppendPrintPerson(TPrintTables& ATables, const TPrintPersonRow& ARow);
bool DSAppendPrintWorkplace(TPrintTables& ATables, const TPrintWorkplaceRow& ARow);
