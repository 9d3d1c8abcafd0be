// The daily schedule model: date, rebuilds and their announcements, changes
// of the day, templates and system templates.
#include "schedule/absence_notice.h"
#include "schedule/daily/daily_schedule.h"

#include "setup/setup.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"
#include "tests/schedule/daily/ds_test_store.h"

#include <gtest/gtest.h>

namespace {

// 2024-05-15 is a Wednesday.
const TDate Wed = DateToOle(QDate(2024, 5, 15));

class DailyScheduleTest : public testing::Test {
protected:
    void SetUp() override
    {
        Ann = Store.AddPersonRecord("Ann");
        Bob = Store.AddPersonRecord("Bob");
        Kit = Store.AddWorkplaceRecord("K1", "Kitchen");
        Bar = Store.AddWorkplaceRecord("B1", "Bar");
    }
    std::vector<std::pair<int, int>> DayPairs(TDate ADate)
    {
        std::vector<std::pair<int, int>> pairs;
        for (auto& j : Store.DayJobs(ADate))
            pairs.emplace_back(j.PersonID, j.WorkplaceID);
        return pairs;
    }

    TSetup Setup;
    TDSTestStore Store;
    int Ann = 0, Bob = 0, Kit = 0, Bar = 0;
};

TEST_F(DailyScheduleTest, DateZeroOnAFreshScheduleTakesTodayAndRebuilds)
{
    TDailySchedule schedule;
    EXPECT_EQ(schedule.Date(), 0);
    schedule.SetDate(0);
    EXPECT_EQ(schedule.Date(), Today());
    EXPECT_EQ(schedule.Persons()->Count(), 2);
    EXPECT_EQ(schedule.Workplaces()->Count(), 2);
    // Zero again keeps the current day.
    TRecordingView view;
    schedule.Persons()->SetEditor(&view);
    schedule.SetDate(0);
    EXPECT_EQ(view.Names, QStringList{"Date*"});
}

TEST_F(DailyScheduleTest, SameDateAnnouncesStarredAndRebuildsNothing)
{
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    const int calls = Store.DayJobsCalls;
    TRecordingView view;
    schedule.Persons()->SetEditor(&view);
    schedule.SetDate(Wed + 0.4);
    EXPECT_EQ(Store.DayJobsCalls, calls);
    EXPECT_EQ(view.Names, QStringList{"Date*"});
}

TEST_F(DailyScheduleTest, DatesWithATimePartOrAHairBelowSelectTheWholeDay)
{
    TDailySchedule schedule;
    schedule.SetDate(45000.75);
    EXPECT_EQ(schedule.Date(), 45000);
    schedule.SetDate(44999.999999999);
    EXPECT_EQ(schedule.Date(), 45000);
}

TEST_F(DailyScheduleTest, RebuildIsSilentAndEachListAnnouncesOnceAfterwards)
{
    Store.AddJobRow(Wed, Ann, Kit);
    TDailySchedule schedule;
    TRecordingView persons, workplaces;
    schedule.Persons()->SetEditor(&persons);
    schedule.Workplaces()->SetEditor(&workplaces);
    schedule.SetDate(Wed);
    // The schedule's announcement, then one empty name per list, nothing in between.
    EXPECT_EQ(persons.Names, (QStringList{"Date", "", ""}));
    ASSERT_EQ(persons.Senders.size(), 3u);
    EXPECT_EQ(persons.Senders[0], &schedule);
    EXPECT_EQ(persons.Senders[1], schedule.Persons());
    EXPECT_EQ(persons.Senders[2], schedule.Workplaces());
    EXPECT_EQ(workplaces.Names, persons.Names);
    EXPECT_FALSE(schedule.Silent());
    EXPECT_FALSE(schedule.Persons()->Items(0)->Silent());
    EXPECT_FALSE(schedule.Workplaces()->Items(0)->Persons()->Silent());
    // The focus was set during the rebuild without reaching a view.
    EXPECT_NE(schedule.Persons()->PersonFocused(), nullptr);
}

TEST_F(DailyScheduleTest, SilentScheduleKeepsViewsUnawareButRoutesOn)
{
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    TRecordingView persons, workplaceRow;
    schedule.Persons()->SetEditor(&persons);
    schedule.Workplaces()->Items(0)->SetEditor(&workplaceRow);
    schedule.SetSilent(true);
    schedule.Persons()->Items(0)->Workplaces()->AddWorkplace(Kit, "K1", "Kitchen", false);
    EXPECT_TRUE(persons.Names.isEmpty());
    EXPECT_TRUE(workplaceRow.Names.isEmpty());
    schedule.SetSilent(false);
    schedule.Persons()->Items(0)->Workplaces()->DeleteWorkplace(Kit);
    // An inner list's change reaches the list view and every workplace row.
    EXPECT_EQ(persons.Names, QStringList{"Items"});
    EXPECT_EQ(workplaceRow.Names, QStringList{"Items"});
    EXPECT_EQ(persons.Senders[0], schedule.Persons()->Items(0)->Workplaces());
}

TEST_F(DailyScheduleTest, AddingMirrorsTheJobIntoBothLists)
{
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    TRecordingView persons;
    schedule.Persons()->SetEditor(&persons);
    ASSERT_TRUE(schedule.AddPersonToWorkplace(Ann, Kit));
    EXPECT_TRUE(Store.HasRow(Wed, Ann, Kit));
    EXPECT_EQ(schedule.Persons()->Items(-Ann)->Workplaces()->ShortcutsAsString(), "K1");
    ASSERT_NE(schedule.Workplaces()->Items(-Kit)->Persons()->Items(-Ann), nullptr);
    EXPECT_EQ(schedule.Workplaces()->Items(-Kit)->Persons()->Items(-Ann)->StoredName(), "Ann");
    EXPECT_EQ(persons.Names, (QStringList{"Items", "Items"}));
}

TEST_F(DailyScheduleTest, AddingAnExistingPairWritesNothingAndAsksNothing)
{
    Store.AddJobRow(Wed, Ann, Kit);
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    const int writes = Store.Writes;
    EXPECT_FALSE(schedule.AddPersonToWorkplace(Ann, Kit));
    EXPECT_EQ(Store.Writes, writes);
    EXPECT_EQ(Store.RowsOn(Wed), 1);
    EXPECT_EQ(schedule.Workplaces()->Items(-Kit)->Persons()->Count(), 1);
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts().isEmpty());
}

TEST_F(DailyScheduleTest, AddingRejectsUnknownAndNonPositiveIDs)
{
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    EXPECT_FALSE(schedule.AddPersonToWorkplace(0, Kit));
    EXPECT_FALSE(schedule.AddPersonToWorkplace(Ann, -1));
    EXPECT_FALSE(schedule.AddPersonToWorkplace(99, Kit));
    EXPECT_FALSE(schedule.AddPersonToWorkplace(Ann, 99));
    EXPECT_EQ(Store.RowsOn(Wed), 0);
}

TEST_F(DailyScheduleTest, AFailedAddIsToldAndLeavesTheListsAlone)
{
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    Store.FailWrites = true;
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule.AddPersonToWorkplace(Ann, Kit));
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts(), QStringList{"The change could not be saved: disk full"});
    EXPECT_EQ(schedule.Persons()->Items(-Ann)->Workplaces()->Count(), 0);
    EXPECT_EQ(schedule.Workplaces()->Items(-Kit)->Persons()->Count(), 0);
}

TEST_F(DailyScheduleTest, DeletingARelationChangesTheListsOnlyWhenTheRowIsGone)
{
    Store.AddJobRow(Wed, Ann, Kit);
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    Store.FailWrites = true;
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule.DeletePersonFromWorkplace(Ann, Kit));
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts().size(), 1);
    EXPECT_EQ(schedule.Workplaces()->Items(-Kit)->Persons()->Count(), 1);
    EXPECT_EQ(schedule.Persons()->Items(-Ann)->Workplaces()->Count(), 1);
    Store.FailWrites = false;
    EXPECT_TRUE(schedule.DeletePersonFromWorkplace(Ann, Kit));
    EXPECT_FALSE(Store.HasRow(Wed, Ann, Kit));
    EXPECT_EQ(schedule.Workplaces()->Items(-Kit)->Persons()->Count(), 0);
    EXPECT_EQ(schedule.Persons()->Items(-Ann)->Workplaces()->Count(), 0);
    // Invalid IDs have nothing to save: no message.
    EXPECT_FALSE(schedule.DeletePersonFromWorkplace(0, Kit));
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts().size(), 1);
}

TEST_F(DailyScheduleTest, ClearAllRemovesRowsOfDeletedWorkersAndWorkplacesToo)
{
    const int gone = Store.AddWorkplaceRecord("G1", "Garden");
    Store.AddJobRow(Wed, Ann, Kit);
    Store.AddJobRow(Wed, Bob, gone);
    Store.AddJobRow(Wed, Bob, Bar);
    Store.AddJobRow(Wed + 1, Ann, Kit);
    Store.RemoveWorkplaceRecord(gone);
    Store.RemovePersonRecord(Bob);
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    ASSERT_EQ(schedule.Workplaces()->Count(), 3);
    schedule.ClearAllPersonsFromWorkplaces();
    EXPECT_EQ(Store.RowsOn(Wed), 0);
    EXPECT_EQ(Store.RowsOn(Wed + 1), 1);
    EXPECT_EQ(schedule.Workplaces()->Count(), 2);
    EXPECT_EQ(schedule.Workplaces()->Items(-Kit)->Persons()->Count(), 0);
}

TEST_F(DailyScheduleTest, FailedWritesOfBulkChangesAreToldOnceAndTheListsShowTheTable)
{
    Store.AddJobRow(Wed, Ann, Kit);
    Store.AddJobRow(Wed, Bob, Kit);
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    Store.FailWrites = true;
    TestEnv::Dialogs().AnswerMessage(mrOk);
    schedule.ClearAllPersonsFromWorkplaces();
    EXPECT_EQ(Store.RowsOn(Wed), 2);
    EXPECT_EQ(schedule.Workplaces()->Items(-Kit)->Persons()->Count(), 2);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_TRUE(schedule.ApplyMacroPairs({{Ann, Bar}, {Bob, Bar}}));
    EXPECT_EQ(schedule.Workplaces()->Items(-Bar)->Persons()->Count(), 0);
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts(),
        (QStringList{"The change could not be saved: disk full", "The change could not be saved: disk full"}));
}

TEST_F(DailyScheduleTest, ApplyingPairsAddsToTheDayAndSkipsDeletedWorkers)
{
    const int eve = Store.AddPersonRecord("Eve");
    Store.AddJobRow(Wed, Ann, Kit);
    Store.RemovePersonRecord(eve);
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    EXPECT_TRUE(schedule.ApplyMacroPairs({{eve, Kit}, {Bob, Bar}, {Ann, Kit}, {0, Kit}}));
    EXPECT_EQ(DayPairs(Wed), (std::vector<std::pair<int, int>>{{Ann, Kit}, {Bob, Bar}}));
    EXPECT_EQ(schedule.Workplaces()->Items(-Bar)->Persons()->Count(), 1);
    EXPECT_FALSE(schedule.ApplyMacro(nullptr));
    // Nothing added is still a success.
    EXPECT_TRUE(schedule.ApplyMacroPairs({}));
}

TEST_F(DailyScheduleTest, WeekdayTemplatesTakeTheLastSuchDayBefore)
{
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    const struct {
        TDailyScheduleSystemTemplateKind Kind;
        int Back;
    } cases[] = {{dsstkPrevDayMon, 2}, {dsstkPrevDayTue, 1}, {dsstkPrevDayWed, 7}, {dsstkPrevDayThu, 6},
        {dsstkPrevDayFri, 5}, {dsstkPrevDaySat, 4}, {dsstkPrevDaySun, 3}, {dsstkPrevDayLastWeek, 7}};
    for (const auto& c : cases) {
        Store.Jobs.clear();
        Store.AddJobRow(Wed - c.Back, Ann, Kit);
        // A relation on every other earlier day must not be taken instead.
        for (int back = 1; back <= 8; ++back)
            if (back != c.Back)
                Store.AddJobRow(Wed - back, Bob, Bar);
        EXPECT_EQ(schedule.SystemTemplateSourceDay(c.Kind, nullptr), Wed - c.Back) << c.Kind;
    }
}

TEST_F(DailyScheduleTest, FridayTemplateOnAFridayAndOnASaturday)
{
    const TDate fri = Wed + 2;
    Store.AddJobRow(fri - 7, Ann, Kit);
    Store.AddJobRow(fri, Bob, Bar);
    TDailySchedule schedule;
    schedule.SetDate(fri);
    EXPECT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDayFri));
    EXPECT_TRUE(Store.HasRow(fri, Ann, Kit));
    EXPECT_TRUE(Store.HasRow(fri, Bob, Bar));
    schedule.SetDate(fri + 1);
    EXPECT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDayFri));
    EXPECT_TRUE(Store.HasRow(fri + 1, Ann, Kit));
    EXPECT_TRUE(Store.HasRow(fri + 1, Bob, Bar));
}

TEST_F(DailyScheduleTest, PreviousDayStopsAtMaxPrevDayCount)
{
    Store.AddJobRow(Wed - 36, Ann, Kit);
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    Setup.General()->SetMaxPrevDayCount(35);
    const int calls = Store.DayJobsCalls;
    EXPECT_FALSE(schedule.ApplySystemTemplate(dsstkPrevDay));
    EXPECT_EQ(Store.SystemMacroDays.size(), 35u);
    EXPECT_EQ(Store.SystemMacroDays.back(), Wed - 35);
    EXPECT_EQ(Store.RowsOn(Wed), 0);
    // No refresh after a miss: only the template reads happened.
    EXPECT_EQ(Store.DayJobsCalls, calls + 35);
    Setup.General()->SetMaxPrevDayCount(36);
    EXPECT_TRUE(schedule.ApplySystemTemplate(dsstkPrevDay));
    EXPECT_TRUE(Store.HasRow(Wed, Ann, Kit));
    EXPECT_EQ(schedule.Persons()->Items(-Ann)->Workplaces()->Count(), 1);
}

TEST_F(DailyScheduleTest, PreviousDayTakesTheNearestPlannedDay)
{
    Store.AddJobRow(Wed - 3, Ann, Kit);
    Store.AddJobRow(Wed - 9, Bob, Bar);
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    Setup.General()->SetMaxPrevDayCount(1);
    EXPECT_EQ(schedule.SystemTemplateSourceDay(dsstkPrevDay, nullptr), 0);
    Setup.General()->SetMaxPrevDayCount(40);
    EXPECT_EQ(schedule.SystemTemplateSourceDay(dsstkPrevDay, nullptr), Wed - 3);
}

TEST_F(DailyScheduleTest, MacroPairsFollowTheWorkplaceListIncludingDeletedOnes)
{
    TDailySchedule schedule;
    schedule.SetDate(Wed);
    EXPECT_TRUE(schedule.GetMacroPairs().empty());
    const int gone = Store.AddWorkplaceRecord("A0", "Attic");
    Store.AddJobRow(Wed, Ann, Kit);
    Store.AddJobRow(Wed, Bob, gone);
    Store.AddJobRow(Wed, Bob, Bar);
    Store.RemoveWorkplaceRecord(gone);
    Store.RemovePersonRecord(Bob);
    schedule.Refresh(dsrkAll);
    // Shortcut order: the deleted A0 by its stored shortcut, then B1, K1.
    EXPECT_EQ(schedule.GetMacroPairs(), (std::vector<TDSMacroPair>{{Bob, gone}, {Bob, Bar}, {Ann, Kit}}));
}

TEST_F(DailyScheduleTest, PrintParametersOfTheDay)
{
    TDailySchedule schedule;
    schedule.SetDate(DateToOle(QDate(2024, 5, 15)));
    QStringList params{"ScheduleCaption=old", "Other=1"};
    schedule.AddPrintParams(params);
    EXPECT_EQ(StringsValue(params, "ScheduleDate"), "15/05/2024");
    EXPECT_EQ(StringsValue(params, "ScheduleCaption"), "Daily schedule");
    EXPECT_EQ(params.size(), 3);
}

// A screen double that counts how it is placed.
class TTestFrame : public ISCFrameEditor {
public:
    explicit TTestFrame(int* ADestroyed) : FDestroyed(ADestroyed) {}
    ~TTestFrame() override { ++*FDestroyed; }
    void DataChanged(TObject* ASender, const QString& AValueName) override { Names << AValueName; }
    QObject* FrameParent() const override { return FParent; }
    void PlaceOn(QObject* AParent) override { FParent = AParent; }
    void TakeOff() override { FParent = nullptr; }
    QObject* ScrollBox() const override { return const_cast<QObject*>(&FScroll); }
    QStringList Names;

private:
    int* FDestroyed;
    QObject* FParent = nullptr;
    QObject FScroll;
};

TEST_F(DailyScheduleTest, FrameIsMadeOnceShownHiddenAndDestroyedWithTheSchedule)
{
    int made = 0, destroyed = 0;
    TTestFrame* frame = nullptr;
    TDailySchedule::SetFrameEditorFactory([&](TDailySchedule*) {
        ++made;
        auto f = std::make_unique<TTestFrame>(&destroyed);
        frame = f.get();
        return f;
    });
    {
        TDailySchedule schedule;
        QObject panel, other;
        EXPECT_TRUE(schedule.CanShowFrameEditor());
        schedule.ShowFrameEditor(nullptr, nullptr);
        EXPECT_EQ(made, 0);
        QObject* scroll = nullptr;
        schedule.ShowFrameEditor(&panel, &scroll);
        ASSERT_EQ(made, 1);
        EXPECT_EQ(scroll, frame->ScrollBox());
        EXPECT_FALSE(schedule.CanShowFrameEditor());
        EXPECT_EQ(schedule.Editor(), frame);
        schedule.HideFrameEditor(&other);
        EXPECT_FALSE(schedule.CanShowFrameEditor());
        schedule.HideFrameEditor(&panel);
        EXPECT_TRUE(schedule.CanShowFrameEditor());
        schedule.ShowFrameEditor(&panel, nullptr);
        EXPECT_EQ(made, 1);
        schedule.SetDate(Wed);
        EXPECT_EQ(frame->Names, (QStringList{"Date", "", ""}));
    }
    EXPECT_EQ(destroyed, 1);
    TDailySchedule::SetFrameEditorFactory(nullptr);
}

} // namespace

TEST_F(DailyScheduleTest, PlanningAWorkerWhileAwayIsDoneAndToldWithHisAbsence)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QStringList notices;
    SetPlanNoticeSink([&notices](const QString& AText) { notices << AText; });
    const TDate from = DateToOle(QDate(2026, 12, 10));
    for (auto& person : Store.Persons)
        if (person.ID == Ann) {
            person.DateOutFrom = from;
            person.DaysOut = 5;
            person.DateOutTo = from + 4;
            person.NoteOut = "holiday";
        }
    const QString away = "Ann is away 10/12\u201314/12/2026: holiday";
    TDailySchedule schedule;
    schedule.SetDate(from + 2);
    // A drop's add: done, and told.
    EXPECT_TRUE(schedule.AddPersonToWorkplace(Ann, Kit));
    EXPECT_TRUE(schedule.AddPersonToWorkplace(Bob, Kit));
    EXPECT_EQ(notices, QStringList{away});
    EXPECT_EQ(schedule.AbsentPlanned(), QStringList{away});
    // Pairs: only a worker the day gets anew is told again.
    notices.clear();
    EXPECT_TRUE(schedule.ApplyMacroPairs({{Ann, Kit}, {Bob, Bar}}));
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(schedule.ApplyMacroPairs({{Ann, Bar}}));
    EXPECT_EQ(notices, QStringList{away});
    // The day after his absence nothing is told.
    notices.clear();
    schedule.SetDate(from + 5);
    EXPECT_TRUE(schedule.AddPersonToWorkplace(Ann, Kit));
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_TRUE(schedule.AbsentPlanned().isEmpty());

    // One day, another year, no note; several workers in one line.
    TRegisterPersonRecord one{1, "Eve", "Eve", "", from, from, 1, " "};
    EXPECT_EQ(AbsenceText(one), "Eve is away 10/12/2026");
    TRegisterPersonRecord span{2, "Joe", "Joe", "", from, from + 30, 31, "course"};
    EXPECT_EQ(AbsenceText(span), "Joe is away 10/12/2026\u201309/01/2027: course");
    EXPECT_EQ(AbsenceNotice({"a", "b", "c"}), "a (and 2 more away)");
    SetPlanNoticeSink(nullptr);
    QLocale::setDefault(before);
}
