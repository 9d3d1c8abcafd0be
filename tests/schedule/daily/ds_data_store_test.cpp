// The daily schedule on the program's own managers and a real data folder,
// and on a server where what is tested concerns storage alone.
#include "schedule/daily/daily_schedule.h"

#include "tests/data/data_fixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

class DSDataStoreTest : public CastTest {
protected:
    void SetUp() override
    {
        CastTest::SetUp();
        Open();
        ASSERT_TRUE(AddCast(Bar, "Bar", "K1", "B1"));
    }
    TWorkplace* Bar = nullptr;
};
// The journeys that concern storage alone, on a folder and on a server.
class DSOnEitherStoreTest : public OnEitherStore<DSDataStoreTest> {};

TEST_P(DSOnEitherStoreTest, ChangesOfTheDayReachTheJobsTable)
{
    const TDate wed = Day(2024, 5, 15);
    TDailySchedule schedule;
    schedule.SetDate(wed);
    ASSERT_EQ(schedule.Persons()->Count(), 2);
    EXPECT_EQ(schedule.Persons()->Items(-Ann->ID())->Person(), Ann);
    EXPECT_EQ(schedule.Workplaces()->Items(-Kitchen->ID())->Workplace(), Kitchen);
    ASSERT_TRUE(schedule.AddPersonToWorkplace(Ann->ID(), Kitchen->ID()));
    EXPECT_FALSE(schedule.AddPersonToWorkplace(Ann->ID(), Kitchen->ID()));
    ASSERT_TRUE(schedule.AddPersonToWorkplace(Bob->ID(), Kitchen->ID()));
    FilterJobs(wed, wed);
    EXPECT_EQ(Store->Jobs->JobCount(), 2);
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts().isEmpty());
    ASSERT_TRUE(schedule.DeletePersonFromWorkplace(Bob->ID(), Kitchen->ID()));
    EXPECT_EQ(schedule.Workplaces()->Items(-Kitchen->ID())->Persons()->Count(), 1);
}

TEST_P(DSOnEitherStoreTest, DeletedAndRenamedWorkplacesByTheirStoredNames)
{
    const TDate day = Day(2024, 5, 15);
    TDailySchedule schedule;
    schedule.SetDate(day);
    ASSERT_TRUE(schedule.AddPersonToWorkplace(Ann->ID(), Kitchen->ID()));
    ASSERT_TRUE(schedule.AddPersonToWorkplace(Ann->ID(), Bar->ID()));
    const int barID = Bar->ID();
    ASSERT_TRUE(schedule.Workplaces()->DeleteWorkplace(barID, QString()));
    Kitchen->SetName("Galley");
    ASSERT_TRUE(Store->Workplaces->InsertWorkplace(Kitchen));
    schedule.Refresh(dsrkAll);
    ASSERT_NE(schedule.Workplaces()->Items(-barID), nullptr);
    EXPECT_EQ(schedule.Workplaces()->Items(-barID)->NameAndStoredName(), "Bar");
    EXPECT_EQ(schedule.Workplaces()->Items(-Kitchen->ID())->NameAndStoredName(), "Galley (Kitchen)");
    EXPECT_EQ(schedule.Persons()->Items(-Ann->ID())->Workplaces()->ShortcutsAsString(), "K1-(B1)");
}

TEST_P(DSOnEitherStoreTest, TemplatesRoundTripAndSystemTemplateCopiesAnEarlierDay)
{
    const TDate wed = Day(2024, 5, 15);
    TDailySchedule schedule;
    schedule.SetDate(wed - 7);
    ASSERT_TRUE(schedule.AddPersonToWorkplace(Ann->ID(), Kitchen->ID()));
    ASSERT_TRUE(schedule.AddPersonToWorkplace(Bob->ID(), Bar->ID()));
    std::unique_ptr<TMacro> macro = schedule.GetMacro();
    ASSERT_EQ(macro->MacroJobs()->Count(), 2);
    macro->SetName("Week A");
    ASSERT_TRUE(Store->Macros->PutMacro(macro.get()));
    schedule.SetDate(wed);
    EXPECT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDayWed));
    EXPECT_EQ(schedule.GetMacroPairs().size(), 2u);
    schedule.SetDate(wed + 1);
    std::unique_ptr<TMacro> stored = Store->Macros->GetMacro("week a");
    ASSERT_TRUE(stored);
    EXPECT_TRUE(schedule.ApplyMacro(stored.get()));
    EXPECT_EQ(schedule.Workplaces()->Items(-Bar->ID())->Persons()->Count(), 1);
    schedule.ClearAllPersonsFromWorkplaces();
    EXPECT_TRUE(schedule.GetMacroPairs().empty());
    EXPECT_FALSE(Store->Macros->GetSystemMacro(wed + 1));
}

TEST_P(DSOnEitherStoreTest, PreviousDayFindsTheNearestPlannedDayWithinTheLimit)
{
    const TDate day = Day(2024, 5, 15);
    ASSERT_NE(Store->Jobs->AddJob(day - 36, Ann, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day + 3, Bob, Bar), nullptr); // later days do not count
    TDailySchedule schedule;
    schedule.SetDate(day);
    Store->Setup->General()->SetMaxPrevDayCount(35);
    EXPECT_FALSE(schedule.ApplySystemTemplate(dsstkPrevDay));
    EXPECT_TRUE(schedule.GetMacroPairs().empty());
    // A day planned meanwhile, beside the schedule, is found at the next try.
    ASSERT_NE(Store->Jobs->AddJob(day - 20, Bob, Kitchen), nullptr);
    EXPECT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDay));
    ASSERT_EQ(schedule.GetMacroPairs().size(), 1u);
    EXPECT_EQ(schedule.GetMacroPairs()[0].first, Bob->ID());
    schedule.ClearAllPersonsFromWorkplaces();
    ASSERT_TRUE(Store->Jobs->DeleteJob(day - 20, Bob->ID(), Kitchen->ID()));
    Store->Setup->General()->SetMaxPrevDayCount(36);
    EXPECT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDay));
    ASSERT_EQ(schedule.GetMacroPairs().size(), 1u);
    EXPECT_EQ(schedule.GetMacroPairs()[0].first, Ann->ID());
    // The day before, planned now, is the nearest.
    schedule.SetDate(day + 1);
    EXPECT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDay));
    EXPECT_EQ(schedule.GetMacroPairs().size(), 1u);
}

TEST_P(DSOnEitherStoreTest, ASystemTemplateAddsToTheDayInOneWriteWithTheCurrentNames)
{
    const TDate day = Day(2024, 5, 15);
    ASSERT_NE(Store->Jobs->AddJob(day - 1, Ann, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day - 1, Bob, Bar), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day - 1, Ann, Bar), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day, Bob, Bar), nullptr);
    // Renamed since the source day; Bob is gone from the register.
    Kitchen->SetName("Galley");
    ASSERT_TRUE(Store->Workplaces->InsertWorkplace(Kitchen));
    const int bobID = Bob->ID();
    ASSERT_TRUE(Store->Persons->DeletePerson(bobID));
    Bob = nullptr;
    TDailySchedule schedule;
    schedule.SetDate(day);
    ASSERT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDay));
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts().isEmpty());
    FilterJobs(day, day);
    ASSERT_EQ(Store->Jobs->JobCount(), 3);
    EXPECT_EQ(Store->Jobs->Jobs(0)->PersonID(), bobID); // there before, kept
    EXPECT_EQ(Store->Jobs->Jobs(1)->WorkplaceName(), "Galley");
    EXPECT_EQ(Store->Jobs->Jobs(2)->WorkplaceID(), Bar->ID());
    EXPECT_EQ(schedule.Workplaces()->Items(-Bar->ID())->Persons()->Count(), 2);
    EXPECT_EQ(schedule.Persons()->Items(-Ann->ID())->Workplaces()->ShortcutsAsString(), "B1-K1");
    // Applying it again finds every pair there already.
    ASSERT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDay));
    FilterJobs(day, day);
    EXPECT_EQ(Store->Jobs->JobCount(), 3);
}

TEST_F(DSDataStoreTest, ARefreshSeesTheFileAsAnyoneLeftIt)
{
    const TDate day = Day(2024, 5, 15);
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    TDailySchedule schedule;
    schedule.SetDate(day);
    ASSERT_EQ(schedule.GetMacroPairs().size(), 1u);
    // Another program plans the day too.
    ASSERT_TRUE(PlannedElsewhere(day, Bob->ID(), Bar->ID()));
    schedule.Refresh(dsrkAll);
    EXPECT_EQ(schedule.GetMacroPairs().size(), 2u);
    EXPECT_EQ(schedule.Workplaces()->Items(-Bar->ID())->Persons()->Count(), 1);
    // A change on the manager's own connection, made past the manager.
    QSqlQuery query(Store->Jobs->Table().Database());
    ASSERT_TRUE(query.exec(QString("DELETE FROM Data WHERE PersonID = %1").arg(Ann->ID())));
    schedule.Refresh(dsrkAll);
    ASSERT_EQ(schedule.GetMacroPairs().size(), 1u);
    EXPECT_EQ(schedule.GetMacroPairs()[0].first, Bob->ID());
    EXPECT_EQ(schedule.Persons()->Items(-Ann->ID())->Workplaces()->Count(), 0);
}

TEST_F(DSDataStoreTest, AfterATemplateTheDayShowsWhatOthersPlannedBeforeIt)
{
    const TDate day = Day(2024, 5, 15);
    ASSERT_NE(Store->Jobs->AddJob(day - 1, Ann, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day - 1, Bob, Kitchen), nullptr);
    TDailySchedule schedule;
    schedule.SetDate(day);
    ASSERT_TRUE(schedule.GetMacroPairs().empty());
    // Planned by another program after the day was read.
    ASSERT_TRUE(PlannedElsewhere(day, Bob->ID(), Bar->ID()));
    ASSERT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDay));
    EXPECT_EQ(schedule.GetMacroPairs().size(), 3u);
    EXPECT_EQ(schedule.Persons()->Items(-Bob->ID())->Workplaces()->ShortcutsAsString(), "B1-K1");
    // Right after a template on a day read just before, the lists hold what
    // the file holds.
    schedule.ClearAllPersonsFromWorkplaces();
    ASSERT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDay));
    EXPECT_EQ(schedule.Workplaces()->Items(-Kitchen->ID())->Persons()->Count(), 2);
    const auto shown = schedule.GetMacroPairs();
    FilterJobs(day, day);
    ASSERT_EQ(Store->Jobs->JobCount(), 2);
    EXPECT_EQ(shown.size(), 2u);
}

// The day's lists sort by the register's order of names, made once and made
// again after any rename; a deleted worker comes after the live ones.
TEST_P(DSOnEitherStoreTest, TheDaySortsByTheRegistersNamesAndFollowsTheirChanges)
{
    const TDate day = Day(2024, 5, 15);
    TPerson* carl = AddPerson(QStringLiteral("Carl"));
    ASSERT_NE(carl, nullptr);
    TDailySchedule schedule;
    schedule.SetDate(day);
    for (TPerson* person : {carl, Bob, Ann})
        ASSERT_TRUE(schedule.AddPersonToWorkplace(person->ID(), Kitchen->ID()));
    auto names = [&](const TDate ADay) {
        schedule.SetDate(ADay);
        schedule.Refresh(dsrkAll);
        QStringList workers, atKitchen;
        for (int i = 0; i < schedule.Persons()->Count(); ++i)
            workers << schedule.Persons()->Items(i)->Name();
        const TDSWorkplacePersonList* kitchen = schedule.Workplaces()->Items(-Kitchen->ID())->Persons();
        for (int i = 0; i < kitchen->Count(); ++i)
            atKitchen << kitchen->Items(i)->NameAndStoredName();
        return workers.join(',') + '|' + atKitchen.join(',');
    };
    EXPECT_EQ(names(day), "Ann,Bob,Carl|Ann,Bob,Carl");
    Ann->SetName(QStringLiteral("Zoe"));
    Ann->SetSortingName(QString());
    ASSERT_TRUE(Store->Persons->InsertPerson(Ann));
    EXPECT_EQ(names(day + 1), "Bob,Carl,Zoe|");
    EXPECT_EQ(names(day), "Bob,Carl,Zoe|Bob,Carl,Zoe (Ann)");
    // Only the sorting name of the list changes: the list follows, the
    // workplace's names stay in their order.
    carl->SetSortingName(QStringLiteral("Aaron"));
    ASSERT_TRUE(Store->Persons->InsertPerson(carl));
    EXPECT_EQ(names(day), "Carl,Bob,Zoe|Bob,Carl,Zoe (Ann)");
    ASSERT_TRUE(Store->Persons->DeletePerson(Bob->ID()));
    Bob = nullptr;
    EXPECT_EQ(names(day), "Carl,Zoe|Carl,Zoe (Ann),Bob");
}

INSTANTIATE_TEST_SUITE_P(Stores, DSOnEitherStoreTest, testing::Values(skFolder, skServer), StoreKindName);

} // namespace

namespace {

TEST_F(DSDataStoreTest, RowsWithIDsBeyondAnIntArePassedOverOnTheDay)
{
    const TDate day = Day(2024, 5, 15);
    ASSERT_TRUE(PlannedElsewhere(day, Ann->ID(), Kitchen->ID()));
    // An ID an int cannot hold would turn negative and be taken as a position.
    ASSERT_TRUE(PlannedElsewhere(day, Bob->ID(), 2147483647LL + 1));
    ASSERT_TRUE(PlannedElsewhere(day, -2147483647LL - 1, Kitchen->ID()));
    TDailySchedule schedule;
    schedule.SetDate(day);
    EXPECT_EQ(schedule.Workplaces()->Items(-Kitchen->ID())->Persons()->Count(), 1);
    EXPECT_EQ(schedule.Persons()->Items(-Bob->ID())->Workplaces()->Count(), 0);
    EXPECT_EQ(schedule.Persons()->Items(-Ann->ID())->Workplaces()->Count(), 1);
}

} // namespace
