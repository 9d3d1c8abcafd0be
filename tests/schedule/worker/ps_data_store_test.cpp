// The worker schedule on the program's own managers and print tables.
#include "schedule/worker/person_schedule.h"

#include "schedule/period/period_data_store_fixture.h"

#include "reports/print_data.h"
#include "reports/recording_report_engine.h"

namespace {
const TDate Mon = StoreMon;
} // namespace

class PSDataStoreTest : public OnEitherStore<PeriodDataStoreTest> {};

TEST_P(PSDataStoreTest, WorkerScheduleWritesAndReadsJobs)
{
    TPersonSchedule schedule;
    schedule.SetPersonID(Ann->ID());
    schedule.SetDate(Mon);
    schedule.Refresh(psrkAll);
    EXPECT_EQ(schedule.Person(), Ann);
    ASSERT_TRUE(schedule.AddWorkplaceToDay(Kitchen->ID(), Mon + 1));
    EXPECT_FALSE(schedule.AddWorkplaceToDay(Kitchen->ID(), Mon + 1));
    EXPECT_EQ(Rows(Mon + 1, Ann->ID(), Kitchen->ID()), 1);
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());

    // A rebuild reads it back from the table; the renamed workplace shows both names.
    Kitchen->SetName(QStringLiteral("Canteen"));
    schedule.Refresh(psrkAll);
    const TPSDayWorkplace* entry = schedule.Days()->Items(1)->Workplaces()->Items(-Kitchen->ID());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->NameAndStoredName(), QStringLiteral("Canteen (Kitchen)"));
    EXPECT_EQ(schedule.Persons()->Items(-Ann->ID())->Days()->AsString(), QStringLiteral("Tue"));

    ASSERT_TRUE(schedule.DeleteWorkplaceFromDay(Kitchen->ID(), Mon + 1));
    EXPECT_EQ(Rows(Mon + 1, Ann->ID(), Kitchen->ID()), 0);
    EXPECT_EQ(schedule.Days()->Items(1)->Workplaces()->Count(), 0);
}

TEST_P(PSDataStoreTest, WritesBesideTheScheduleAreSeenAtTheNextRefresh)
{
    TPersonSchedule schedule;
    schedule.SetPersonID(Ann->ID());
    schedule.SetDate(Mon);
    EXPECT_EQ(schedule.Persons()->Items(-Bob->ID())->Days()->Count(), 0);

    // The daily schedule and the maintenance write through the jobs manager.
    ASSERT_NE(Store->Jobs->AddJob(Mon + 2, Bob, Hall), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(Mon, Ann, Kitchen), nullptr);
    schedule.Refresh(psrkAll);
    EXPECT_EQ(schedule.Persons()->Items(-Bob->ID())->Days()->AsString(), QStringLiteral("Wed"));
    ASSERT_NE(schedule.Days()->Items(0)->Workplaces()->Items(-Kitchen->ID()), nullptr);

    ASSERT_TRUE(Store->Jobs->DeleteJob(Mon + 2, Bob->ID(), Hall->ID()));
    schedule.Refresh(psrkAll);
    EXPECT_EQ(schedule.Persons()->Items(-Bob->ID())->Days()->Count(), 0);

    // A reopened file is read anew, also for the same period.
    Store->Jobs->CloseDBFiles();
    schedule.Refresh(psrkAll);
    EXPECT_EQ(schedule.Persons()->Items(-Ann->ID())->Days()->Count(), 0);
    Store->Jobs->OpenDBFiles();
    schedule.Refresh(psrkAll);
    EXPECT_EQ(schedule.Persons()->Items(-Ann->ID())->Days()->AsString(), QStringLiteral("Mon"));
}

TEST_P(PSDataStoreTest, ChoosingAnotherWorkerShowsItsJobsStoredNames)
{
    ASSERT_NE(Store->Jobs->AddJob(Mon, Ann, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(Mon + 1, Bob, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(Mon + 1, Bob, Hall), nullptr);
    Kitchen->SetName(QStringLiteral("Canteen"));
    TPersonSchedule persons;
    persons.SetPersonID(Ann->ID());
    persons.SetDate(Mon);
    ASSERT_EQ(persons.Days()->Items(0)->Workplaces()->Count(), 1);
    EXPECT_EQ(persons.Days()->Items(0)->Workplaces()->Items(0)->NameAndStoredName(), "Canteen (Kitchen)");
    // Same period, another worker: his rows' names are read, not left empty.
    persons.SetPersonID(Bob->ID());
    const TPSDayWorkplaceList* tuesday = persons.Days()->Items(1)->Workplaces();
    ASSERT_EQ(tuesday->Count(), 2);
    EXPECT_EQ(tuesday->Items(-Kitchen->ID())->NameAndStoredName(), "Canteen (Kitchen)");
    EXPECT_EQ(tuesday->Items(-Hall->ID())->StoredShortcut(), Hall->Shortcut());
    EXPECT_EQ(persons.Persons()->Items(-Ann->ID())->Days()->AsString(), "Mon");
}

TEST_P(PSDataStoreTest, AddingARegisterObjectTakesItsID)
{
    TPersonSchedule schedule;
    schedule.SetDate(Mon);
    schedule.Refresh(psrkAll);
    TPerson* cid = AddPerson("Cid");
    ASSERT_NE(cid, nullptr);
    TPSPerson* entry = schedule.Persons()->AddPerson(cid, true, true);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->ID(), cid->ID());
    EXPECT_EQ(entry->Person(), cid);
    // Focusing the new worker chooses him.
    EXPECT_EQ(schedule.PersonID(), cid->ID());
}

TEST_P(PSDataStoreTest, PrintRowsReachTheReportTables)
{
    TRecordingReportEngine engine;
    TDataManPrint print(&engine);
    TDataManPrint::SetInstance(&print);
    TPersonSchedule schedule;
    schedule.SetPersonID(Ann->ID());
    schedule.SetDate(Mon);
    schedule.Refresh(psrkAll);
    ASSERT_TRUE(schedule.AddWorkplaceToDay(Hall->ID(), Mon + 2));
    Store->Setup->General()->SetPrintOccupiedDaysOnly(true);
    engine.AnswerPrinterSetup(true);
    EXPECT_TRUE(schedule.Days()->Print(QString()));
    TDataManPrint::SetInstance(nullptr);
    ASSERT_EQ(engine.Runs().size(), 1u);
    const auto& run = engine.Runs().front();
    EXPECT_EQ(run.ReportName, QStringLiteral("PersonScheduleGeneral"));
    EXPECT_EQ(run.Params.value(QStringLiteral("PersonName")), QStringLiteral("Ann"));
    EXPECT_EQ(run.Params.value(QStringLiteral("ScheduleDate")), schedule.ScheduleDate());
    ASSERT_EQ(run.Rows.at(ReportDSCDays).size(), 1u);
    EXPECT_TRUE(run.Rows.at(ReportDSCDays)[0].contains(QStringLiteral("ID=3")));
    ASSERT_EQ(run.Rows.at(ReportDSCWorkplaces).size(), 1u);
    EXPECT_TRUE(run.Rows.at(ReportDSCWorkplaces)[0].contains(QStringLiteral("DayID=3")));
    EXPECT_TRUE(run.Rows.at(ReportDSCWorkplaces)[0].contains(QStringLiteral("Name=Hall")));
}

INSTANTIATE_TEST_SUITE_P(Stores, PSDataStoreTest, testing::Values(skFolder, skServer), StoreKindName);
