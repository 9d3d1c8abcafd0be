#include "schedule/daily/ds_store.h"

#include "schedule/register_access.h"

namespace {
IDSStore* GStore = nullptr;
}

IDSStore* DSStore() { return GStore; }
void SetDSStore(IDSStore* AStore) { GStore = AStore; }

void DSShowSaveFailure()
{
    ShowSaveFailure(GStore ? GStore->LastError() : QString());
}
