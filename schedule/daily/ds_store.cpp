#include "schedule/daily/ds_store.h"

#include "schedule/daily/ds_data_store.h"
#include "schedule/register_access.h"

namespace {
IDSStore* GStore = nullptr;
}

IDSStore* DSStore() { return GStore ? GStore : DSDefaultStore(); }
void SetDSStore(IDSStore* AStore) { GStore = AStore; }

void DSShowSaveFailure()
{
    ShowSaveFailure(DSStore()->LastError());
}
