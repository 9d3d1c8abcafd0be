// The daily schedule on the program's own managers and a fresh data folder,
// with helpers to find the views' controls by name and to count the day's
// relations in the jobs table.
#pragma once

#include "schedule/daily/daily_schedule.h"
#include "tests/data/data_fixture.h"

#include <QAction>
#include <QApplication>
#include <QTreeWidget>

class DSViewTest : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        Open();
        Schedule = std::make_unique<TDailySchedule>();
    }
    void TearDown() override
    {
        // Views before the schedule, the schedule before the managers.
        DestroyViews();
        Schedule.reset();
        DataTest::TearDown();
    }
    virtual void DestroyViews() {}

    template <class T>
    static T* Find(QObject* AParent, const QString& AName)
    {
        T* child = AParent->findChild<T*>(AName);
        EXPECT_NE(child, nullptr) << AName.toStdString();
        return child;
    }

    static QStringList ColumnTexts(QTreeWidget* AList, int AColumn)
    {
        QStringList texts;
        for (int i = 0; i < AList->topLevelItemCount(); ++i)
            texts << AList->topLevelItem(i)->text(AColumn);
        return texts;
    }

    const TDate Wed = Day(2024, 5, 15);
    std::unique_ptr<TDailySchedule> Schedule;
};
