// Writes the daily lists' print rows into the print tables.
#pragma once

#include "schedule/daily/ds_store.h"

struct TPrintTables;

bool DSAppendPrintPerson(TPrintTables& ATables, const TDSPrintPersonRow& ARow);
bool DSAppendPrintWorkplace(TPrintTables& ATables, const TDSPrintWorkplaceRow& ARow);
