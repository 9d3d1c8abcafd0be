#include "schedule/daily/ds_store.h"

namespace {
IDSStore* GStore = nullptr;
}

IDSStore* DSStore()
{
    return GStore;
}
void SetDSStore(IDSStore* AStore)
{
    GStore = AStore;
}
