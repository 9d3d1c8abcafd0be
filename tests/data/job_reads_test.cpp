// The jobs manager's reads for the schedules: the relations of a day (with the
// day it keeps), of a period, and the days it knows to be empty.
#include "data_fixture.h"

#include <QSqlQuery>

#include <algorithm>
#include <tuple>

namespace {

class JobReadsTest : public CastTest {
protected:
    void SetUp() override
    {
        CastTest::SetUp();
        Open();
        ASSERT_TRUE(AddCast(Hall, "Hall", "Kit", "Ha"));
    }
    // Worker and workplace ID of each row.
    static std::vector<std::pair<int, int>> Pairs(const std::vector<TJobRow>& ARows)
    {
        std::vector<std::pair<int, int>> pairs;
        for (const TJobRow& row : ARows)
            pairs.emplace_back(row.PersonID, row.WorkplaceID);
        return pairs;
    }
    // The rows PeriodRelations hands, in its order.
    bool PeriodRows(TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID, std::vector<TJobRow>& ARows,
        const TJobRowTexts& ATexts = {})
    {
        ARows.clear();
        return Store->Jobs->PeriodRelations(
            AFrom, ATo, APersonID, AWorkplaceID, ATexts, [&](TJobRow& ARow) { ARows.push_back(ARow); });
    }
    TWorkplace* Hall = nullptr;
};

TEST_F(JobReadsTest, ADaysRelationsComeInIDOrderWithTheirTextsAndLeaveTheFilterAlone)
{
    const TDate day = Day(2026, 3, 5);
    ASSERT_NE(Store->Jobs->AddJob(day, Bob, Hall), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day + 1, Ann, Hall), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    FilterJobs(day - 10, day + 10, Ann->ID());
    const std::vector<TJobRow> rows = Store->Jobs->DayRelations(day + 0.5);
    EXPECT_EQ(Pairs(rows), (std::vector<std::pair<int, int>>{{Bob->ID(), Hall->ID()}, {Ann->ID(), Kitchen->ID()}}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Date, day);
    EXPECT_LT(rows[0].ID, rows[1].ID);
    EXPECT_EQ(rows[1].PersonName, "Ann");
    EXPECT_EQ(rows[1].WorkplaceShortcut, "Kit");
    EXPECT_EQ(rows[1].WorkplaceName, "Kitchen");
    EXPECT_EQ(Store->Jobs->DateFrom(), day - 10);
    EXPECT_EQ(Store->Jobs->PersonID(), Ann->ID());
    EXPECT_EQ(Store->Jobs->JobCount(), 2);
    EXPECT_TRUE(Store->Jobs->DayRelations(0).empty());
}

TEST_F(JobReadsTest, TheDayKeptSeesTheFileAsAnyoneLeftIt)
{
    const TDate day = Day(2026, 3, 5);
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    ASSERT_EQ(Store->Jobs->DayRelations(day).size(), 1u);
    // Another program plans the day too.
    ASSERT_TRUE(PlannedElsewhere(day, Bob->ID(), Hall->ID()));
    EXPECT_EQ(Store->Jobs->DayRelations(day).size(), 2u);
    // A change on the manager's own connection, made past the manager.
    QSqlQuery query(Store->Jobs->Table().Database());
    ASSERT_TRUE(query.exec(QString("DELETE FROM Data WHERE PersonID = %1").arg(Ann->ID())));
    EXPECT_EQ(Pairs(Store->Jobs->DayRelations(day)), (std::vector<std::pair<int, int>>{{Bob->ID(), Hall->ID()}}));
    // And the manager's own changes.
    ASSERT_TRUE(Store->Jobs->DeleteJob(day, Bob->ID(), Hall->ID()));
    EXPECT_TRUE(Store->Jobs->DayRelations(day).empty());
    ASSERT_NE(Store->Jobs->AddJob(day, Bob, Kitchen), nullptr);
    EXPECT_EQ(Store->Jobs->DayRelations(day).size(), 1u);
}

TEST_F(JobReadsTest, ATemplatesRowsJoinTheDayReadBeforeItWithWhatOthersPlannedMeanwhile)
{
    const TDate day = Day(2026, 3, 5);
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    ASSERT_EQ(Store->Jobs->DayRelations(day).size(), 1u);
    Store->Jobs->BeginUpdate();
    ASSERT_TRUE(Store->Jobs->AddJobs(day, {{Ann, Kitchen}, {Bob, Hall}}));
    ASSERT_TRUE(Store->Jobs->EndUpdate());
    std::vector<TJobRow> rows = Store->Jobs->DayRelations(day);
    EXPECT_EQ(Pairs(rows), (std::vector<std::pair<int, int>>{{Ann->ID(), Kitchen->ID()}, {Bob->ID(), Hall->ID()}}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].Date, day);
    EXPECT_EQ(rows[1].PersonName, "Bob");
    EXPECT_EQ(rows[1].WorkplaceShortcut, "Ha");
    EXPECT_EQ(rows[1].WorkplaceName, "Hall");

    // Planned by another program after the day was read.
    ASSERT_TRUE(PlannedElsewhere(day, Bob->ID(), Kitchen->ID()));
    ASSERT_TRUE(Store->Jobs->AddJobs(day, {{Ann, Hall}}));
    EXPECT_EQ(Pairs(Store->Jobs->DayRelations(day)),
        (std::vector<std::pair<int, int>>{
            {Ann->ID(), Kitchen->ID()}, {Bob->ID(), Hall->ID()}, {Bob->ID(), Kitchen->ID()}, {Ann->ID(), Hall->ID()}}));
}

TEST_F(JobReadsTest, APeriodsRelationsOfOneWorkerOrWorkplaceAndTheNamesAskedFor)
{
    const TDate first = Day(2026, 3, 1);
    ASSERT_NE(Store->Jobs->AddJob(first, Ann, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(first + 3, Bob, Hall), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(first + 3, Ann, Hall), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(first + 9, Bob, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(first + 10, Ann, Kitchen), nullptr);
    FilterJobs(first, first, Bob->ID());
    std::vector<TJobRow> rows;

    // Either order of the ends, both ends counted, in date order.
    ASSERT_TRUE(PeriodRows(first + 9.5, first, 0, 0, rows));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].Date, first);
    EXPECT_EQ(rows[3].Date, first + 9);
    EXPECT_EQ(rows[3].PersonName, "Bob");
    EXPECT_EQ(rows[3].WorkplaceName, "Kitchen");
    EXPECT_GT(rows[3].ID, 0);

    ASSERT_TRUE(PeriodRows(first, first + 10, Ann->ID(), 0, rows));
    EXPECT_EQ(Pairs(rows), (std::vector<std::pair<int, int>>{
                               {Ann->ID(), Kitchen->ID()}, {Ann->ID(), Hall->ID()}, {Ann->ID(), Kitchen->ID()}}));
    ASSERT_TRUE(PeriodRows(first, first + 10, 0, Hall->ID(), rows));
    EXPECT_EQ(rows.size(), 2u);
    ASSERT_TRUE(PeriodRows(first, first + 10, Ann->ID(), Hall->ID(), rows));
    EXPECT_EQ(Pairs(rows), (std::vector<std::pair<int, int>>{{Ann->ID(), Hall->ID()}}));

    // Names only on the rows of the workplace (or worker) asked for.
    ASSERT_TRUE(PeriodRows(first, first + 10, 0, 0, rows, TJobRowTexts::Of(0, Hall->ID())));
    ASSERT_EQ(rows.size(), 5u);
    for (const TJobRow& row : rows) {
        EXPECT_GT(row.ID, 0);
        EXPECT_EQ(row.WorkplaceName.isEmpty(), row.WorkplaceID != Hall->ID());
        EXPECT_EQ(row.PersonName.isEmpty(), row.WorkplaceID != Hall->ID());
    }
    ASSERT_TRUE(PeriodRows(first, first + 10, 0, 0, rows, TJobRowTexts::Of(Bob->ID(), 0)));
    for (const TJobRow& row : rows)
        EXPECT_EQ(row.PersonName, row.PersonID == Bob->ID() ? "Bob" : "") << row.WorkplaceID;
    ASSERT_TRUE(PeriodRows(first, first + 10, 0, 0, rows, TJobRowTexts::Of(0, 0)));
    for (const TJobRow& row : rows)
        EXPECT_TRUE(row.PersonName.isEmpty() && row.WorkplaceShortcut.isEmpty()) << row.ID;

    // The filter stays as it was set.
    EXPECT_EQ(Store->Jobs->DateTo(), first);
    EXPECT_EQ(Store->Jobs->JobCount(), 0);
}

TEST_F(JobReadsTest, RowsWithIDsBeyondAnIntArePassedOverInEveryRead)
{
    const TDate day = Day(2026, 3, 5);
    ASSERT_TRUE(PlannedElsewhere(day, Ann->ID(), Kitchen->ID()));
    ASSERT_TRUE(PlannedElsewhere(day, Bob->ID(), 2147483647LL + 1));
    ASSERT_TRUE(PlannedElsewhere(day, -2147483647LL - 1, Kitchen->ID()));
    const std::vector<std::pair<int, int>> usable{{Ann->ID(), Kitchen->ID()}};
    EXPECT_EQ(Pairs(Store->Jobs->DayRelations(day)), usable);
    std::vector<TJobRow> rows;
    ASSERT_TRUE(PeriodRows(day - 1, day + 1, 0, 0, rows, TJobRowTexts::Of(0, 0)));
    EXPECT_EQ(Pairs(rows), usable);
    std::vector<std::pair<int, quint64>> bits;
    ASSERT_TRUE(Store->Jobs->PeriodDayBits(day - 1, day + 1, false, bits));
    EXPECT_EQ(bits, (std::vector<std::pair<int, quint64>>{{Ann->ID(), 2}}));
    ASSERT_TRUE(Store->Jobs->PeriodDayBits(day - 1, day + 1, true, bits));
    EXPECT_EQ(bits, (std::vector<std::pair<int, quint64>>{{Kitchen->ID(), 2}}));
}

TEST_F(JobReadsTest, APeriodsDaysOfEachWorkerAndWorkplaceAsBits)
{
    const TDate day = Day(2026, 3, 2);
    for (const auto& [offset, person, workplace] :
        std::vector<std::tuple<int, TPerson*, TWorkplace*>>{{0, Ann, Kitchen}, {0, Ann, Hall}, {2, Ann, Kitchen},
            {2, Bob, Hall}, {30, Bob, Kitchen}, {-1, Bob, Kitchen}, {31, Ann, Hall}})
        ASSERT_NE(Store->Jobs->AddJob(day + offset, person, workplace), nullptr);
    auto sorted = [](std::vector<std::pair<int, quint64>> ABits) {
        std::sort(ABits.begin(), ABits.end());
        return ABits;
    };
    std::vector<std::pair<int, quint64>> bits;
    // Either order of the ends; days outside the period do not count.
    ASSERT_TRUE(Store->Jobs->PeriodDayBits(day + 30, day, false, bits));
    EXPECT_EQ(bits, sorted({{Ann->ID(), 0b101}, {Bob->ID(), 0b100 | quint64(1) << 30}}));
    ASSERT_TRUE(Store->Jobs->PeriodDayBits(day, day + 30, true, bits));
    EXPECT_EQ(bits, sorted({{Kitchen->ID(), 0b101 | quint64(1) << 30}, {Hall->ID(), 0b101}}));
    // More days than bits are refused.
    EXPECT_FALSE(Store->Jobs->PeriodDayBits(day, day + 64, false, bits));
    EXPECT_TRUE(bits.empty());
}

TEST_F(JobReadsTest, DaysAfterTheLatestPlannedOneAreKnownEmpty)
{
    const TDate day = Day(2026, 3, 20);
    ASSERT_NE(Store->Jobs->AddJob(day - 10, Ann, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day + 5, Bob, Hall), nullptr); // later days do not count
    EXPECT_TRUE(Store->Jobs->DayKnownEmpty(day));
    EXPECT_TRUE(Store->Jobs->DayKnownEmpty(day - 9));
    EXPECT_FALSE(Store->Jobs->DayKnownEmpty(day - 10));
    EXPECT_FALSE(Store->Jobs->DayKnownEmpty(day + 5));
    EXPECT_FALSE(Store->Jobs->DayKnownEmpty(0));
    // A relation added through the manager is seen at once.
    ASSERT_NE(Store->Jobs->AddJob(day - 3, Bob, Kitchen), nullptr);
    EXPECT_FALSE(Store->Jobs->DayKnownEmpty(day - 3));
    EXPECT_TRUE(Store->Jobs->DayKnownEmpty(day - 2));
    // Another program's plan once a day has been read again.
    ASSERT_TRUE(PlannedElsewhere(day - 1, Ann->ID(), Hall->ID()));
    Store->Jobs->DayRelations(day);
    EXPECT_FALSE(Store->Jobs->DayKnownEmpty(day - 1));
    EXPECT_TRUE(Store->Jobs->DayKnownEmpty(day));
}

} // namespace
