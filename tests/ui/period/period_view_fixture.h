// The worker and workplace schedules on the program's own managers and a
// fresh data folder, with the cast Ann, Bob, Cid, Kitchen, Office and Hall,
// helpers to find controls by name, and the relations read back from
// "Jobs.cds" through a connection of their own.
#pragma once

#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"
#include "support/recording_navigator.h"
#include "tests/ui/view_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QTreeWidget>

class PeriodViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        Open();
        Ann = AddPerson(QStringLiteral("Ann"));
        Bob = AddPerson(QStringLiteral("Bob"));
        Cid = AddPerson(QStringLiteral("Cid"));
        Kitchen = AddWorkplace(QStringLiteral("Kitchen"), QStringLiteral("KIT"));
        Office = AddWorkplace(QStringLiteral("Office"), QStringLiteral("OFF"));
        Hall = AddWorkplace(QStringLiteral("Hall"), QStringLiteral("HAL"));
        ASSERT_TRUE(Ann && Bob && Cid && Kitchen && Office && Hall);
        SetNavigator(&Navigator);
    }
    void TearDown() override
    {
        // Views before the schedules, the schedules before the managers.
        DestroyViews();
        PersonSchedule.reset();
        WorkplaceSchedule.reset();
        SetNavigator(nullptr);
        ViewTest::TearDown();
    }
    virtual void DestroyViews() {}

    // A worker schedule on Mon's week, showing AShown (none: the first worker).
    TPersonSchedule* NewPersonSchedule(TPerson* AShown = nullptr)
    {
        PersonSchedule = std::make_unique<TPersonSchedule>();
        PersonSchedule->SetDate(Mon);
        if (AShown)
            PersonSchedule->SetPersonID(AShown->ID());
        return PersonSchedule.get();
    }
    // A workplace schedule on Mon's week, showing AShown (none: the first workplace).
    TWorkplaceSchedule* NewWorkplaceSchedule(TWorkplace* AShown = nullptr)
    {
        WorkplaceSchedule = std::make_unique<TWorkplaceSchedule>();
        WorkplaceSchedule->SetDate(Mon);
        if (AShown)
            WorkplaceSchedule->SetWorkplaceID(AShown->ID());
        return WorkplaceSchedule.get();
    }

    // The (worker ID, workplace ID) pairs "Jobs.cds" holds for a day, read on
    // a connection of the test's own, as the next start of the program would.
    std::set<std::pair<int, int>> FileJobPairs(TDate ADay)
    {
        std::set<std::pair<int, int>> pairs;
        const QString name = QStringLiteral("period-view-check");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(Folder + QStringLiteral("Jobs.cds"));
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT PersonID, WorkplaceID FROM Data WHERE Date >= ? AND Date < ?"));
            query.addBindValue(ADay);
            query.addBindValue(ADay + 1);
            EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
            while (query.next())
                pairs.emplace(query.value(0).toInt(), query.value(1).toInt());
        }
        QSqlDatabase::removeDatabase(name);
        return pairs;
    }

    // Monday 5 March 2012 and the rest of its week.
    const TDate Mon = DateToOle(QDate(2012, 3, 5));
    const TDate Tue = Mon + 1;
    const TDate Wed = Mon + 2;

    TPerson* Ann = nullptr;
    TPerson* Bob = nullptr;
    TPerson* Cid = nullptr;
    TWorkplace* Kitchen = nullptr;
    TWorkplace* Office = nullptr;
    TWorkplace* Hall = nullptr;
    TRecordingNavigator Navigator;
    std::unique_ptr<TPersonSchedule> PersonSchedule;
    std::unique_ptr<TWorkplaceSchedule> WorkplaceSchedule;
};
