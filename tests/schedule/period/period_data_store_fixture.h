// The fixture of the period schedules' tests on the program's own managers
// and print tables: the cast of the data tests with a second workplace, Hall.
#pragma once

#include "data/data_fixture.h"

// Monday 5 March 2012.
inline const TDate StoreMon = DateToOle(QDate(2012, 3, 5));

class PeriodDataStoreTest : public CastTest {
protected:
    void SetUp() override
    {
        CastTest::SetUp();
        Open();
        ASSERT_TRUE(AddCast(Hall, "Hall"));
    }
    int Rows(TDate ADate, int APersonID, int AWorkplaceID)
    {
        FilterJobs(ADate, ADate, APersonID, AWorkplaceID);
        return Store->Jobs->JobCount();
    }

    TWorkplace* Hall = nullptr;
};
