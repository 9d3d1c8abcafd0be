// The stores the schedules run on in the program: the daily and the period
// store over the managers, installed while this object lives. The program
// holds one from start to end (as it holds the dialog service); tests that
// run the schedules on the real managers hold one too.
#pragma once

#include <memory>

class TDSDataStore;
class TPeriodDataStore;

class TScheduleStores {
public:
    TScheduleStores();
    ~TScheduleStores();
    TScheduleStores(const TScheduleStores&) = delete;
    TScheduleStores& operator=(const TScheduleStores&) = delete;

private:
    std::unique_ptr<TDSDataStore> FDaily;
    std::unique_ptr<TPeriodDataStore> FPeriod;
};
