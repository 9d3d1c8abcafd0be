#include "schedule/schedule_stores.h"

#include "schedule/daily/ds_data_store.h"
#include "schedule/period/period_data_store.h"

TScheduleStores::TScheduleStores()
    : FDaily(std::make_unique<TDSDataStore>()),
      FPeriod(std::make_unique<TPeriodDataStore>())
{
    SetDSStore(FDaily.get());
    SetPeriodStore(FPeriod.get());
}

TScheduleStores::~TScheduleStores()
{
    // Only ours are taken back; a store installed on top stays.
    if (DSStore() == FDaily.get())
        SetDSStore(nullptr);
    if (PeriodStore() == FPeriod.get())
        SetPeriodStore(nullptr);
}
