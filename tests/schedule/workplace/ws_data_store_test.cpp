// The workplace schedule on the program's own managers and print tables.
#include "schedule/workplace/workplace_schedule.h"

#include "schedule/period/period_data_store_fixture.h"

namespace {
const TDate Mon = StoreMon;
} // namespace

class WSDataStoreTest : public OnEitherStore<PeriodDataStoreTest> {};

TEST_P(WSDataStoreTest, DeletedWorkplaceKeepsItsRelationByStoredName)
{
    TWorkplaceSchedule schedule;
    schedule.SetWorkplaceID(Hall->ID());
    schedule.SetDate(Mon);
    schedule.Refresh(wsrkAll);
    ASSERT_TRUE(schedule.AddPersonToDay(Bob->ID(), Mon));
    const int bobID = Bob->ID();
    Dialogs().AnswerMessage(mrYes);
    ASSERT_TRUE(schedule.Persons()->DeletePerson(bobID, QStringLiteral("Delete worker\r\n\"Bob\"\r\nReally?")));
    EXPECT_EQ(Store->Persons->Persons(-bobID), nullptr);
    schedule.Refresh(wsrkAll);
    const TWSDayPerson* entry = schedule.Days()->Items(0)->Persons()->Items(-bobID);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->NameAndStoredName(), QStringLiteral("Bob"));
    EXPECT_TRUE(entry->IsOut());
    EXPECT_EQ(schedule.Persons()->Items(-bobID), nullptr);
}

TEST_P(WSDataStoreTest, ChoosingAnotherWorkplaceShowsItsJobsStoredNames)
{
    ASSERT_NE(Store->Jobs->AddJob(Mon, Ann, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(Mon + 1, Bob, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(Mon + 1, Bob, Hall), nullptr);
    Kitchen->SetName(QStringLiteral("Canteen"));
    TWorkplaceSchedule workplaces;
    workplaces.SetWorkplaceID(Kitchen->ID());
    workplaces.SetDate(Mon);
    EXPECT_EQ(workplaces.Days()->Items(1)->Persons()->Items(-Bob->ID())->NameAndStoredName(), "Bob");
    workplaces.SetWorkplaceID(Hall->ID());
    EXPECT_EQ(workplaces.Days()->Items(1)->Persons()->Items(-Bob->ID())->NameAndStoredName(), "Bob");
    EXPECT_EQ(workplaces.Workplaces()->Items(-Kitchen->ID())->Days()->AsString(), "Mon, Tue");
}

TEST_P(WSDataStoreTest, RemovingARelationThatIsNotThereSucceedsAndChangesNothing)
{
    TWorkplaceSchedule schedule;
    schedule.SetWorkplaceID(Hall->ID());
    schedule.SetDate(Mon);
    schedule.Refresh(wsrkAll);
    ASSERT_TRUE(schedule.AddPersonToDay(Ann->ID(), Mon));
    // The jobs manager answers true for valid arguments without a matching row.
    EXPECT_TRUE(schedule.DeletePersonFromDay(Bob->ID(), Mon));
    EXPECT_EQ(schedule.Days()->Items(0)->Persons()->Count(), 1);
    EXPECT_EQ(schedule.Workplaces()->Items(-Hall->ID())->Days()->Count(), 1);
    EXPECT_FALSE(schedule.DeletePersonFromDay(0, Mon));
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Stores, WSDataStoreTest, testing::Values(skFolder, skServer), StoreKindName);
