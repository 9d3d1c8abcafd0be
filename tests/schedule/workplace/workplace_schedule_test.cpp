// The workplace schedule model and its lists against an in-memory store,
// with the rules in which it differs from the worker schedule.
#include "schedule/workplace/workplace_schedule.h"

#include "schedule/period/period_schedule_fixture.h"

#include "setup/setup.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {
class WorkplaceScheduleTest : public TPeriodScheduleFixture<TWorkplaceSchedule> {
protected:
    // Ann, Bob (sorting "Aaa Bob"), Cid; Kitchen, Office.
    void Fill() { FillWith(QString(), QStringLiteral("Aaa Bob")); }
    std::unique_ptr<TWorkplaceSchedule> Open(int AWorkplaceID, TDate ADate)
    {
        auto schedule = std::make_unique<TWorkplaceSchedule>();
        schedule->SetWorkplaceID(AWorkplaceID);
        schedule->SetDate(ADate);
        schedule->Refresh(wsrkAll);
        return schedule;
    }
};
} // namespace

// --- period ---

TEST_F(WorkplaceScheduleTest, DateIsCutToItsDay)
{
    TWorkplaceSchedule schedule;
    schedule.SetDate(0);
    EXPECT_EQ(schedule.Date(), Today());
    schedule.SetDate(Mon + 0.25);
    EXPECT_EQ(schedule.Date(), Mon);
    Show(schedule);
    schedule.SetDate(Mon + 0.5);
    EXPECT_EQ(Frame.Names, QStringList{QStringLiteral("Date*")});
    Frame.Clear();
    schedule.SetDate(0);
    EXPECT_EQ(schedule.Date(), Mon);
    EXPECT_EQ(Frame.Names, QStringList{QStringLiteral("Date*")});
}

TEST_F(WorkplaceScheduleTest, WeeksOfOctober2011)
{
    TWorkplaceSchedule monday;
    monday.SetDate(D(2011, 10, 12));
    EXPECT_EQ(monday.DateStart(), D(2011, 10, 10));
    EXPECT_EQ(monday.DateEnd(), D(2011, 10, 16));
    EXPECT_EQ(monday.DateStartShort(), QStringLiteral("10"));

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    MakeSetup();
    TWorkplaceSchedule sunday;
    sunday.SetDate(D(2011, 10, 12));
    EXPECT_EQ(sunday.DateStart(), D(2011, 10, 9));
    EXPECT_EQ(sunday.DateEnd(), D(2011, 10, 15));
    sunday.SetDate(D(2011, 10, 16));
    EXPECT_EQ(sunday.DateStart(), D(2011, 10, 16));
    EXPECT_EQ(sunday.DateEnd(), D(2011, 10, 22));
}

TEST_F(WorkplaceScheduleTest, MonthTwoWeeksAndHeadings)
{
    TWorkplaceSchedule schedule;
    schedule.SetDate(D(2012, 2, 12));
    schedule.SetDateDaysKind(ddkMonth);
    EXPECT_EQ(schedule.DateStart(), D(2012, 2, 1));
    EXPECT_EQ(schedule.DateDays(), 29);
    schedule.SetDateDaysKind(ddkWeek);
    schedule.SetDate(D(2011, 9, 28));
    EXPECT_EQ(schedule.DateStartShort(), DateToStrWithoutYear(D(2011, 9, 26)));
    schedule.SetDate(D(2011, 12, 30));
    EXPECT_EQ(schedule.DateStartShort(), ShortDateText(D(2011, 12, 26)));
    EXPECT_EQ(schedule.ScheduleDate(), QStringLiteral("26/12/2011 - 01/01/2012"));
}

TEST_F(WorkplaceScheduleTest, KindSwitchRefreshesOnlyWhenThePeriodMoves)
{
    Fill();
    auto schedule = Open(Kit, Mon);
    Show(*schedule);
    const int filters = Store.FilterSets;
    schedule->SetDateDaysKind(ddkWeek);
    EXPECT_EQ(Frame.Names, QStringList{QStringLiteral("DateDaysKind*")});
    EXPECT_EQ(Store.FilterSets, filters);
    Frame.Clear();
    schedule->SetDateDaysKind(ddkTwoWeeks);
    EXPECT_EQ(schedule->DateStart(), Mon);
    EXPECT_EQ(Frame.Names, (QStringList{"DateDaysKind", "DateStart*", "DateEnd*", "", "", ""}));
    EXPECT_EQ(schedule->Days()->Count(), 14);
    Frame.Clear();
    schedule->SetDate(Mon + 3);
    EXPECT_EQ(Frame.Names, (QStringList{"Date", "DateStart*", "DateEnd*"}));
}

// --- building ---

TEST_F(WorkplaceScheduleTest, TheWorkplaceChosenInTheFirstRebuildGetsItsWorkersAndDays)
{
    Fill();
    Store.AddJobRow(Mon, Ann, Kit);
    TWorkplaceSchedule schedule;
    // Setting the date is the first refresh, with no workplace chosen yet.
    schedule.SetDate(Mon);
    ASSERT_EQ(schedule.WorkplaceID(), Kit);
    EXPECT_EQ(schedule.Days()->Items(0)->Persons()->Count(), 1);
    EXPECT_EQ(schedule.Persons()->Items(-Ann)->Days()->Count(), 1);
}

TEST_F(WorkplaceScheduleTest, WorkerDaysAreAtTheShownWorkplaceWorkplaceDaysAnybodys)
{
    Fill();
    Store.AddJobRow(Mon, Ann, Kit);
    Store.AddJobRow(Mon + 1, Ann, Off);
    Store.AddJobRow(Mon + 1, Cid, Kit);
    Store.AddJobRow(Mon + 2, Bob, Kit);
    auto schedule = Open(Kit, Mon);
    EXPECT_EQ(schedule->Persons()->Items(-Ann)->Days()->AsString(), QStringLiteral("Mon"));
    EXPECT_EQ(schedule->Persons()->Items(-Cid)->Days()->AsString(), QStringLiteral("Tue"));
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Days()->AsString(), QStringLiteral("Mon..Wed"));
    EXPECT_EQ(schedule->Workplaces()->Items(-Off)->Days()->AsString(), QStringLiteral("Tue"));
    EXPECT_EQ(schedule->Days()->Items(1)->Persons()->Count(), 1);
    EXPECT_EQ(schedule->Days()->Items(1)->Persons()->Items(0)->ID(), Cid);
    // The shown workplace is the focused entry.
    EXPECT_EQ(schedule->Workplaces()->WorkplaceFocused()->ID(), Kit);
}

TEST_F(WorkplaceScheduleTest, DayWorkersSortBySortingNameMissingLast)
{
    Fill();
    for (int id : {Cid, Ann, Bob})
        Store.AddJobRow(Mon, id, Kit);
    const int gone = Store.AddPersonRecord(QStringLiteral("Abe"));
    Store.AddJobRow(Mon, gone, Kit);
    Store.RemovePersonRecord(gone);
    auto schedule = Open(Kit, Mon);
    const TWSDayPersonList* list = schedule->Days()->Items(0)->Persons();
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Items(0)->ID(), Bob); // "Aaa Bob"
    EXPECT_EQ(list->Items(1)->ID(), Ann);
    EXPECT_EQ(list->Items(2)->ID(), Cid);
    EXPECT_EQ(list->Items(3)->ID(), gone);
    EXPECT_EQ(list->Items(-gone)->NameAndStoredName(), QStringLiteral("Abe"));
    EXPECT_TRUE(list->Items(-gone)->IsOut());
    EXPECT_FALSE(list->Items(-Ann)->IsOut());
}

TEST_F(WorkplaceScheduleTest, StoredNamesOfRenamedWorkers)
{
    Fill();
    Store.AddJobRow(Mon, Ann, Kit);
    Store.AddJobRow(Mon, Cid, Kit);
    auto schedule = Open(Kit, Mon);
    Store.FindPerson(Ann)->Name = QStringLiteral("ANN");
    Store.FindPerson(Cid)->Name = QStringLiteral("Cyd");
    const TWSDayPersonList* list = schedule->Days()->Items(0)->Persons();
    EXPECT_EQ(list->Items(-Ann)->NameAndStoredName(), QStringLiteral("ANN"));
    EXPECT_EQ(list->Items(-Cid)->NameAndStoredName(), QStringLiteral("Cyd (Cid)"));
}

TEST_F(WorkplaceScheduleTest, ChoosingAnotherWorkplaceRefreshesWorkersAndDays)
{
    Fill();
    Store.AddJobRow(Mon, Ann, Off);
    auto schedule = Open(Kit, Mon);
    EXPECT_EQ(schedule->Days()->Items(0)->Persons()->Count(), 0);
    schedule->Workplaces()->SetWorkplaceFocused(schedule->Workplaces()->Items(-Off));
    EXPECT_EQ(schedule->WorkplaceID(), Off);
    EXPECT_EQ(schedule->Days()->Items(0)->Persons()->Count(), 1);
    EXPECT_EQ(schedule->Persons()->Items(-Ann)->Days()->Count(), 1);
    // The workplace list itself was not rebuilt: its focus stays.
    EXPECT_EQ(schedule->Workplaces()->WorkplaceFocused()->ID(), Off);
}

TEST_F(WorkplaceScheduleTest, MissingWorkplaceStillShowsItsRelations)
{
    Fill();
    Store.AddJobRow(Mon, Ann, Kit);
    Store.RemoveWorkplaceRecord(Kit);
    auto schedule = Open(Kit, Mon);
    EXPECT_EQ(schedule->Workplace(), nullptr);
    EXPECT_EQ(schedule->Days()->Items(0)->Persons()->Count(), 1);
    EXPECT_FALSE(schedule->AddPersonToDay(Bob, Mon));
    QStringList params;
    schedule->AddPrintParams(params);
    EXPECT_EQ(params.size(), 5);
    EXPECT_EQ(StringsIndexOfName(params, QStringLiteral("ScheduleCaption")), -1);
}

// --- adding and removing workers on days ---

TEST_F(WorkplaceScheduleTest, AddPersonToDay)
{
    Fill();
    auto schedule = Open(Kit, Mon);
    EXPECT_FALSE(schedule->AddPersonToDay(Ann, Mon + 7));
    EXPECT_FALSE(schedule->AddPersonToDay(99, Mon));
    ASSERT_TRUE(schedule->AddPersonToDay(Ann, Mon + 1));
    EXPECT_EQ(Store.JobRows(Mon + 1, Ann, Kit), 1);
    EXPECT_EQ(schedule->Days()->Items(1)->Persons()->Items(-Ann)->StoredName(), QStringLiteral("Ann"));
    EXPECT_EQ(schedule->Persons()->Items(-Ann)->Days()->AsString(), QStringLiteral("Tue"));
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Days()->AsString(), QStringLiteral("Tue"));
    EXPECT_FALSE(schedule->AddPersonToDay(Ann, Mon + 1));
    EXPECT_EQ(Store.JobRows(Mon + 1, Ann, Kit), 1);
    EXPECT_EQ(schedule->Days()->Items(1)->Persons()->Count(), 1);
    EXPECT_TRUE(TestEnv::Dialogs().Questions().empty());
}

TEST_F(WorkplaceScheduleTest, RemovingTheLastWorkerTakesTheDayFromTheWorkplace)
{
    Fill();
    Store.AddJobRow(Mon, Ann, Kit);
    Store.AddJobRow(Mon, Bob, Kit);
    auto schedule = Open(Kit, Mon);
    ASSERT_TRUE(schedule->DeletePersonFromDay(Ann, Mon));
    EXPECT_EQ(schedule->Persons()->Items(-Ann)->Days()->Count(), 0);
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Days()->Count(), 1);
    ASSERT_TRUE(schedule->DeletePersonFromDay(Bob, Mon));
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Days()->Count(), 0);
    EXPECT_EQ(schedule->Days()->Items(0)->Persons()->Count(), 0);
}

TEST_F(WorkplaceScheduleTest, FailedWritesAreToldOnceEachAndChangeNoList)
{
    Fill();
    Store.AddJobRow(Mon, Ann, Kit);
    auto schedule = Open(Kit, Mon);
    Store.FailWrites = true;
    TestEnv::Dialogs().AnswerMessage(mrOk);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->AddPersonToDay(Bob, Mon));
    EXPECT_FALSE(schedule->DeletePersonFromDay(Ann, Mon));
    EXPECT_EQ(schedule->Days()->Items(0)->Persons()->Count(), 1);
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Days()->Count(), 1);
    // Edits and deletes refused by the store; a cancelled editor says nothing.
    bool ok = true;
    EditorsRename(ok);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->Persons()->EditPerson(Ann));
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->Workplaces()->EditWorkplace(Kit));
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->Persons()->DeletePerson(Bob, QString()));
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->Workplaces()->DeleteWorkplace(Kit, QString()));
    ok = false;
    EXPECT_FALSE(schedule->Persons()->EditPerson(Ann));
    EXPECT_FALSE(schedule->Workplaces()->EditWorkplace(Kit));
    EXPECT_EQ(Store.PersonRecord(Ann)->Name, QStringLiteral("Ann"));
    EXPECT_EQ(Store.WorkplaceRecord(Kit)->Name, QStringLiteral("Kitchen"));
    EXPECT_NE(schedule->Persons()->Items(-Bob), nullptr);
    EXPECT_NE(schedule->Workplaces()->Items(-Kit), nullptr);
    EXPECT_TRUE(TestEnv::Dialogs().AllAnswered());
    EXPECT_EQ(
        TestEnv::Dialogs().MessageTexts(), QStringList(6, QStringLiteral("The change could not be saved: disk full")));
}

TEST_F(WorkplaceScheduleTest, DateListsRefuseRepeatsAndDeletesAnswerFalse)
{
    Fill();
    auto schedule = Open(Kit, Mon);
    TWSPersonDayList* days = schedule->Persons()->Items(-Ann)->Days();
    EXPECT_NE(days->AddDay(Mon, true), nullptr);
    EXPECT_EQ(days->AddDay(Mon + 0.4, true), nullptr);
    EXPECT_EQ(days->Count(), 1);
    EXPECT_FALSE(schedule->Persons()->DeletePersonDay(Ann, Mon));
    EXPECT_EQ(days->Count(), 0);
    EXPECT_FALSE(schedule->Persons()->AddPersonDay(0, Mon));
}

// --- register edits ---

TEST_F(WorkplaceScheduleTest, DeletingTheShownWorkplaceMovesTheSchedule)
{
    Fill();
    Store.AddJobRow(Mon, Ann, Off);
    auto schedule = Open(Kit, Mon);
    ASSERT_TRUE(schedule->Workplaces()->DeleteWorkplace(Kit, QString()));
    EXPECT_EQ(schedule->Workplaces()->WorkplaceFocused()->ID(), Off);
    EXPECT_EQ(schedule->WorkplaceID(), Off);
    EXPECT_EQ(schedule->Days()->Items(0)->Persons()->Count(), 1);
}

TEST_F(WorkplaceScheduleTest, DeletingFocusedWorkers)
{
    Fill();
    auto schedule = Open(Kit, Mon);
    TWSPersonList* persons = schedule->Persons();
    persons->SetPersonFocused(persons->Items(persons->Count() - 1));
    const int before = persons->Items(persons->Count() - 2)->ID();
    TRecordingView view;
    persons->SetEditor(&view);
    ASSERT_TRUE(persons->DeletePerson(persons->PersonFocused()->ID(), QString()));
    EXPECT_EQ(persons->PersonFocused()->ID(), before);
    EXPECT_FALSE(view.Names.contains(QStringLiteral("PersonFocused")));
    TestEnv::Dialogs().AnswerMessage(mrNo);
    EXPECT_FALSE(persons->DeletePerson(before, QStringLiteral("Really?")));
    EXPECT_NE(persons->Items(-before), nullptr);
}

// --- printing ---

TEST_F(WorkplaceScheduleTest, PrintWorkersInvolvedAtTheShownWorkplaceOnly)
{
    Fill();
    Store.AddJobRow(Mon, Ann, Kit);
    Store.AddJobRow(Mon, Cid, Off); // works, but elsewhere
    auto schedule = Open(Kit, Mon);
    Setup->General()->SetPrintInvolvedPersonsOnly(true);
    ASSERT_TRUE(schedule->Persons()->Print(QString(), false));
    EXPECT_EQ(Store.ReportName, QStringLiteral("WSPersonsGeneral"));
    EXPECT_EQ(Store.Order, QStringList{QStringLiteral("P%1").arg(Ann)});
    EXPECT_EQ(StringsValue(Store.Params, QStringLiteral("ScheduleCaption")), QStringLiteral("Kitchen"));
    ASSERT_TRUE(schedule->Workplaces()->Print(QString(), true));
    EXPECT_EQ(Store.ReportName, QStringLiteral("WSWorkplacesGeneral"));
    EXPECT_EQ(StringsValue(Store.Params, QStringLiteral("ScheduleCaption")), QStringLiteral("Workplaces"));
    EXPECT_EQ(StringsIndexOfName(Store.Params, QStringLiteral("ScheduleDate")), -1);
    Setup->General()->SetPrintOccupiedWorkplacesOnly(true);
    Store.RemoveWorkplaceRecord(Off);
    ASSERT_TRUE(schedule->Workplaces()->Print(QString(), false));
    ASSERT_EQ(Store.PrintedWorkplaces.size(), 2u);
    EXPECT_TRUE(Store.PrintedWorkplaces[1].IsDeleted);
    EXPECT_EQ(Store.PrintedWorkplaces[1].Shortcut, QString(QChar(0x00A4)));
}

TEST_F(WorkplaceScheduleTest, PrintDaysNestsWorkersUnderTheirDay)
{
    Fill();
    Store.AddJobRow(Mon + 2, Cid, Kit);
    Store.AddJobRow(Mon + 2, Ann, Kit);
    Store.AddJobRow(Mon + 4, Bob, Kit);
    Store.FindPerson(Ann)->DaysOut = 1;
    Store.FindPerson(Ann)->DateOutFrom = Mon + 2;
    Store.FindPerson(Ann)->DateOutTo = Mon + 2;
    auto schedule = Open(Kit, Mon);
    Setup->General()->SetPrintOccupiedDaysOnly(true);
    ASSERT_TRUE(schedule->Days()->Print(QString()));
    EXPECT_EQ(Store.ReportName, QStringLiteral("WorkplaceScheduleGeneral"));
    EXPECT_EQ(Store.Order, (QStringList{"D3", QStringLiteral("P%1").arg(Ann), QStringLiteral("P%1").arg(Cid), "D5",
                               QStringLiteral("P%1").arg(Bob)}));
    EXPECT_FALSE(Store.PrintedDays[0].PersonIsOut);
    EXPECT_TRUE(Store.PrintedPersons[0].IsOut);
    EXPECT_FALSE(Store.PrintedPersons[1].IsOut);
    EXPECT_EQ(Store.PrintedPersons[2].DayID, 5);
    EXPECT_EQ(Store.PrintedPersons[2].Days, QString());
}

TEST_F(WorkplaceScheduleTest, PrintParametersInOrder)
{
    Fill();
    Store.FindWorkplace(Kit)->Note = QStringLiteral("hot");
    auto schedule = Open(Kit, Mon);
    QStringList params;
    schedule->AddPrintParams(params);
    EXPECT_EQ(params,
        (QStringList{"ScheduleDate=5 - 11/03/2012", "DateStart=05/03/2012", "DateStartShort=5", "DateEnd=11/03/2012",
            "DateDays=7", "ScheduleCaption=Kitchen", QStringLiteral("WorkplaceID=%1").arg(Kit), "WorkplaceShortcut=Kit",
            "WorkplaceName=Kitchen", "WorkplaceNote=hot"}));
}

TEST_F(WorkplaceScheduleTest, DayPayloadPassesAsAWorkerPayload)
{
    TWSDayPersonDragObjectEx fromDay;
    fromDay.SetPersonID(4);
    fromDay.SetDay(Mon);
    QMimeData* payload = &fromDay;
    ASSERT_NE(qobject_cast<TWSPersonDragObjectEx*>(payload), nullptr);
    EXPECT_EQ(qobject_cast<TWSPersonDragObjectEx*>(payload)->PersonID(), 4);
    TWSPersonDragObjectEx fromList;
    payload = &fromList;
    EXPECT_EQ(qobject_cast<TWSDayPersonDragObjectEx*>(payload), nullptr);
}

TEST_F(WorkplaceScheduleTest, DestructionTakesTheScreenOff)
{
    {
        TWorkplaceSchedule schedule;
        Show(schedule);
        EXPECT_FALSE(schedule.CanShowFrameEditor());
    }
    EXPECT_EQ(Frame.Made, 1);
    EXPECT_EQ(Frame.Destroyed, 1);
}

TEST_F(WorkplaceScheduleTest, DayRebuildsItsWorkersFromTheLoadedJobs)
{
    Fill();
    auto schedule = Open(Kit, Mon);
    Store.AddJobRow(Mon + 1, Cid, Kit);
    Store.AddJobRow(Mon + 1, Ann, Off);
    TWSDay* tuesday = schedule->Days()->Items(1);
    tuesday->UpdatePersons(Kit);
    ASSERT_EQ(tuesday->Persons()->Count(), 1);
    EXPECT_EQ(tuesday->Persons()->Items(0)->ID(), Cid);
    EXPECT_EQ(tuesday->Persons()->Items(0)->Day(), tuesday);
    tuesday->UpdatePersons(Off);
    ASSERT_EQ(tuesday->Persons()->Count(), 1);
    EXPECT_EQ(tuesday->Persons()->Items(0)->ID(), Ann);
    EXPECT_EQ(tuesday->Schedule(), schedule.get());
}
