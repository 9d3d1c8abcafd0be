// The daily schedule on the program's own managers and a fresh data folder,
// with helpers to find the views' controls by name and to count the day's
// relations in the jobs table.
#pragma once

#include "schedule/daily/daily_schedule.h"
#include "tests/ui/view_fixture.h"

#include <QAction>
#include <QApplication>
#include <QTreeWidget>

class DSViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        Open();
        Schedule = std::make_unique<TDailySchedule>();
    }
    void TearDown() override
    {
        // Views before the schedule, the schedule before the managers.
        DestroyViews();
        Schedule.reset();
        ViewTest::TearDown();
    }
    virtual void DestroyViews() {}

    const TDate Wed = Day(2024, 5, 15);
    std::unique_ptr<TDailySchedule> Schedule;
};
