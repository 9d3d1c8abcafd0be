// The worker schedule model and its lists against an in-memory store.
#include "schedule/worker/person_schedule.h"

#include "schedule/period/period_schedule_fixture.h"

#include "setup/setup.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {
class PersonScheduleTest : public TPeriodScheduleFixture<TPersonSchedule> {
protected:
    // Ann (sorting last), Bob, Cid; Kitchen, Office.
    void Fill() { FillWith(QStringLiteral("Zed Ann"), QString()); }
    std::unique_ptr<TPersonSchedule> Open(int APersonID, TDate ADate)
    {
        auto schedule = std::make_unique<TPersonSchedule>();
        schedule->SetPersonID(APersonID);
        schedule->SetDate(ADate);
        schedule->Refresh(psrkAll);
        return schedule;
    }
};
} // namespace

// --- period ---

TEST_F(PersonScheduleTest, DateZeroTakesTodayThenKeepsTheDate)
{
    TPersonSchedule schedule;
    schedule.SetDate(0);
    EXPECT_EQ(schedule.Date(), Today());
    Show(schedule);
    schedule.SetDate(0);
    EXPECT_EQ(Frame.Names, QStringList{QStringLiteral("Date*")});
}

TEST_F(PersonScheduleTest, ChosenDateKeepsItsTimeOfDay)
{
    TPersonSchedule schedule;
    schedule.SetDate(Mon + 2.5);
    EXPECT_EQ(schedule.Date(), Mon + 2.5);
    EXPECT_EQ(schedule.DateStart(), Mon);
}

TEST_F(PersonScheduleTest, WeekFromMondayOrSunday)
{
    TPersonSchedule monday;
    monday.SetDate(Mon + 6); // Sunday 11 March
    EXPECT_EQ(monday.DateStart(), Mon);
    EXPECT_EQ(monday.DateEnd(), Mon + 6);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    MakeSetup();
    ASSERT_EQ(Setup->General()->FirstDayInWeek(), 7);
    TPersonSchedule sunday;
    sunday.SetDate(Mon + 5); // Saturday 10 March
    EXPECT_EQ(sunday.DateStart(), Mon - 1);
    EXPECT_EQ(sunday.DateEnd(), Mon + 5);
    sunday.SetDate(Mon + 6); // Sunday 11 March starts its own week
    EXPECT_EQ(sunday.DateStart(), Mon + 6);
}

TEST_F(PersonScheduleTest, MonthAndTwoWeeks)
{
    TPersonSchedule schedule;
    schedule.SetDate(D(2012, 2, 12));
    schedule.SetDateDaysKind(ddkMonth);
    EXPECT_EQ(schedule.DateStart(), D(2012, 2, 1));
    EXPECT_EQ(schedule.DateDays(), 29);
    EXPECT_EQ(schedule.DateEnd(), D(2012, 2, 29));
    EXPECT_EQ(schedule.ScheduleDate(), QStringLiteral("1 - 29/02/2012"));
    schedule.SetDate(D(2011, 4, 30));
    EXPECT_EQ(schedule.DateDays(), 30);
    schedule.SetDate(D(2011, 12, 31));
    EXPECT_EQ(schedule.DateDays(), 31);
    schedule.SetDate(D(2011, 2, 2));
    EXPECT_EQ(schedule.DateDays(), 28);
    schedule.SetDateDaysKind(ddkTwoWeeks);
    EXPECT_EQ(schedule.DateStart(), D(2011, 1, 31));
    EXPECT_EQ(schedule.DateDays(), 14);
    EXPECT_EQ(schedule.DateEnd(), D(2011, 2, 13));
}

TEST_F(PersonScheduleTest, YearEndHeading)
{
    TPersonSchedule schedule;
    schedule.SetDate(D(2011, 12, 28));
    EXPECT_EQ(schedule.DateStart(), D(2011, 12, 26));
    EXPECT_EQ(schedule.ScheduleDate(), QStringLiteral("26/12/2011 - 01/01/2012"));
    schedule.SetDate(D(2012, 2, 29));
    EXPECT_EQ(schedule.ScheduleDate(), QStringLiteral("27/02 - 04/03/2012"));
}

TEST_F(PersonScheduleTest, DateInsideThePeriodRebuildsNothing)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    Show(*schedule);
    const int filters = Store.FilterSets;
    schedule->SetDate(Mon + 3);
    EXPECT_EQ(Frame.Names, (QStringList{"Date", "DateStart*", "DateEnd*"}));
    EXPECT_EQ(Store.FilterSets, filters);
}

TEST_F(PersonScheduleTest, NewWeekAnnouncesThenRebuildsSilentlyOnce)
{
    Fill();
    auto schedule = Open(0, Mon);
    Show(*schedule);
    TRecordingView personsView;
    schedule->Persons()->SetEditor(&personsView);
    schedule->SetDate(Mon + 7);
    EXPECT_EQ(Frame.Names, (QStringList{"Date", "DateStart", "DateEnd", "", "", ""}));
    ASSERT_EQ(Frame.Senders.size(), 6u);
    EXPECT_EQ(Frame.Senders[0], schedule.get());
    EXPECT_EQ(Frame.Senders[3], schedule->Persons());
    EXPECT_EQ(Frame.Senders[4], schedule->Workplaces());
    EXPECT_EQ(Frame.Senders[5], schedule->Days());
    // The list's own view hears one full change from its list, nothing from the rebuild.
    int fromPersons = 0;
    for (size_t i = 0; i < personsView.Senders.size(); ++i)
        if (personsView.Senders[i] == schedule->Persons()) {
            ++fromPersons;
            EXPECT_EQ(personsView.Names[static_cast<qsizetype>(i)], QString());
        }
    EXPECT_EQ(fromPersons, 1);
    EXPECT_FALSE(schedule->Silent());
    EXPECT_FALSE(schedule->Persons()->Silent());
    EXPECT_FALSE(schedule->Days()->Items(0)->Silent());
}

TEST_F(PersonScheduleTest, PeriodKindChanges)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    Show(*schedule);
    schedule->SetDateDaysKind(ddkWeek);
    EXPECT_EQ(Frame.Names, QStringList{QStringLiteral("DateDaysKind*")});
    Frame.Clear();
    schedule->SetDateDaysKind(ddkTwoWeeks);
    EXPECT_EQ(Frame.Names, (QStringList{"DateDaysKind", "DateStart*", "DateEnd*", "", "", ""}));
    EXPECT_EQ(schedule->Days()->Count(), 14);
}

// --- choosing the worker ---

TEST_F(PersonScheduleTest, FirstRefreshChoosesTheFirstSortedWorker)
{
    Fill();
    Store.AddJobRow(Mon, Bob, Kit);
    auto schedule = std::make_unique<TPersonSchedule>();
    schedule->SetDate(Mon);
    Show(*schedule);
    schedule->Refresh(psrkAll);
    // Ann sorts as "Zed Ann", after Bob and Cid.
    EXPECT_EQ(schedule->Persons()->Items(0)->ID(), Bob);
    EXPECT_EQ(schedule->PersonID(), Bob);
    EXPECT_EQ(schedule->Persons()->PersonFocused()->ID(), Bob);
    EXPECT_EQ(schedule->Days()->Items(0)->Workplaces()->Count(), 1);
    // Choosing inside the rebuild stays silent; each list announces once at the end.
    EXPECT_EQ(Frame.Names, (QStringList{"", "", ""}));
    EXPECT_FALSE(schedule->Silent());
    EXPECT_FALSE(schedule->Days()->Items(0)->Workplaces()->Silent());
}

TEST_F(PersonScheduleTest, TheWorkerChosenInTheFirstRebuildGetsHisWorkplacesAndDays)
{
    Fill();
    Store.AddJobRow(Mon, Bob, Kit);
    TPersonSchedule schedule;
    // Setting the date is the first refresh, with nobody chosen yet.
    schedule.SetDate(Mon);
    ASSERT_EQ(schedule.PersonID(), Bob);
    EXPECT_EQ(schedule.Days()->Items(0)->Workplaces()->Count(), 1);
    EXPECT_EQ(schedule.Workplaces()->Items(-Kit)->Days()->Count(), 1);
}

TEST_F(PersonScheduleTest, DayPayloadPassesAsAWorkplacePayload)
{
    TPSDayWorkplaceDragObjectEx fromDay;
    fromDay.SetWorkplaceID(3);
    fromDay.SetDay(Mon);
    QMimeData* payload = &fromDay;
    ASSERT_NE(qobject_cast<TPSWorkplaceDragObjectEx*>(payload), nullptr);
    EXPECT_EQ(qobject_cast<TPSWorkplaceDragObjectEx*>(payload)->WorkplaceID(), 3);
    TPSWorkplaceDragObjectEx fromList;
    payload = &fromList;
    EXPECT_EQ(qobject_cast<TPSDayWorkplaceDragObjectEx*>(payload), nullptr);
}

TEST_F(PersonScheduleTest, FocusChoosesTheWorker)
{
    Fill();
    Store.AddJobRow(Mon + 1, Cid, Kit);
    auto schedule = Open(Bob, Mon);
    EXPECT_EQ(schedule->Days()->Items(1)->Workplaces()->Count(), 0);
    schedule->Persons()->SetPersonFocused(schedule->Persons()->Items(-Cid));
    EXPECT_EQ(schedule->PersonID(), Cid);
    ASSERT_EQ(schedule->Days()->Items(1)->Workplaces()->Count(), 1);
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Days()->Count(), 1);
    // The same focus again changes nothing.
    schedule->SetPersonID(Bob);
    EXPECT_EQ(schedule->PersonID(), Bob);
}

TEST_F(PersonScheduleTest, NoWorkerGivesEmptyDays)
{
    auto schedule = Open(0, Mon);
    EXPECT_EQ(schedule->PersonID(), 0);
    EXPECT_EQ(schedule->Days()->Count(), 7);
    EXPECT_EQ(schedule->Days()->Items(0)->Workplaces()->Count(), 0);
    QStringList params;
    schedule->AddPrintParams(params);
    EXPECT_EQ(params.size(), 5);
}

// --- building ---

TEST_F(PersonScheduleTest, ListsHoldThePeriodsRelations)
{
    Fill();
    for (int i = 0; i < 5; ++i)
        Store.AddJobRow(Mon + i, Bob, Kit);
    Store.AddJobRow(Mon + 2, Bob, Off);
    Store.AddJobRow(Mon + 7, Bob, Off); // next week
    Store.AddJobRow(Mon, Cid, Off);
    auto schedule = Open(Bob, Mon);
    EXPECT_EQ(schedule->Persons()->Items(-Bob)->Days()->AsString(), QStringLiteral("Mon..Fri"));
    EXPECT_EQ(schedule->Persons()->Items(-Cid)->Days()->AsString(), QStringLiteral("Mon"));
    EXPECT_EQ(schedule->Persons()->Items(-Ann)->Days()->AsString(), QString());
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Days()->AsString(), QStringLiteral("Mon..Fri"));
    // Only the chosen worker's dates, not Cid's.
    EXPECT_EQ(schedule->Workplaces()->Items(-Off)->Days()->AsString(), QStringLiteral("Wed"));
    const TPSDay* wednesday = schedule->Days()->Items(2);
    ASSERT_EQ(wednesday->Workplaces()->Count(), 2);
    EXPECT_EQ(wednesday->Workplaces()->Items(0)->ID(), Kit);
    EXPECT_EQ(wednesday->Workplaces()->Items(1)->ID(), Off);
    EXPECT_EQ(wednesday->DayStr(), QStringLiteral("Wed"));
    EXPECT_EQ(wednesday->DayName(), QStringLiteral("Wednesday"));
    EXPECT_EQ(wednesday->Color(), Setup->General()->GetDayColor(3));
}

TEST_F(PersonScheduleTest, LookupsByPositionIdNameAndShortcut)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    TPSWorkplaceList* workplaces = schedule->Workplaces();
    EXPECT_EQ(workplaces->Items(QStringLiteral("^kIT"))->ID(), Kit);
    EXPECT_EQ(workplaces->Items(QStringLiteral("office"))->ID(), Off);
    EXPECT_EQ(workplaces->Items(QStringLiteral("^Office")), nullptr);
    EXPECT_EQ(workplaces->Items(-Off)->ID(), Off);
    EXPECT_EQ(workplaces->Items(2), nullptr);
    EXPECT_EQ(workplaces->Items(-99), nullptr);
    EXPECT_EQ(schedule->Persons()->Items(QStringLiteral("CID"))->ID(), Cid);
}

TEST_F(PersonScheduleTest, SortingDirectionAndKind)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    TPSPersonList* persons = schedule->Persons();
    TRecordingView view;
    persons->SetEditor(&view);
    persons->SetSortingDirection(sdDescended);
    EXPECT_EQ(persons->Items(0)->ID(), Ann);
    EXPECT_EQ(view.Names, (QStringList{"Items", "SortingDirection"}));
    view.Clear();
    persons->SetSortingDirection(sdDescended);
    EXPECT_EQ(view.Names, QStringList{QStringLiteral("SortingDirection*")});
    persons->SetSortingKind(pspskByID);
    EXPECT_EQ(persons->Items(0)->ID(), Cid);
    EXPECT_EQ(persons->Items(2)->ID(), Ann);
}

// --- adding and removing workplaces on days ---

TEST_F(PersonScheduleTest, AddWorkplaceToDayUpdatesTheThreeLists)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    TRecordingView daysView, personsView;
    schedule->Days()->SetEditor(&daysView);
    schedule->Persons()->SetEditor(&personsView);
    ASSERT_TRUE(schedule->AddWorkplaceToDay(Kit, Mon + 1));
    EXPECT_EQ(Store.JobRows(Mon + 1, Bob, Kit), 1);
    EXPECT_EQ(schedule->Days()->Items(1)->Workplaces()->Items(0)->StoredName(), QStringLiteral("Kitchen"));
    EXPECT_EQ(schedule->Persons()->Items(-Bob)->Days()->AsString(), QStringLiteral("Tue"));
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Days()->AsString(), QStringLiteral("Tue"));
    // Each change reaches the views as "Items" from the list that changed.
    EXPECT_TRUE(daysView.Names.contains(QStringLiteral("Items")));
    EXPECT_EQ(personsView.Senders.front(), schedule->Days()->Items(1)->Workplaces());
    EXPECT_NE(
        std::find(personsView.Senders.begin(), personsView.Senders.end(), schedule->Persons()->Items(-Bob)->Days()),
        personsView.Senders.end());
}

TEST_F(PersonScheduleTest, AddWorkplaceToDayRefusals)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    EXPECT_FALSE(schedule->AddWorkplaceToDay(Kit, Mon + 7)); // outside the period
    EXPECT_FALSE(schedule->AddWorkplaceToDay(99, Mon));
    EXPECT_FALSE(schedule->AddWorkplaceToDay(0, Mon));
    ASSERT_TRUE(schedule->AddWorkplaceToDay(Kit, Mon));
    // An existing relation is refused quietly.
    EXPECT_FALSE(schedule->AddWorkplaceToDay(Kit, Mon));
    EXPECT_TRUE(TestEnv::Dialogs().Questions().empty());
    EXPECT_EQ(Store.JobRows(Mon, Bob, Kit), 1);
    EXPECT_EQ(schedule->Days()->Items(0)->Workplaces()->Count(), 1);
    EXPECT_EQ(schedule->Persons()->Items(-Bob)->Days()->Count(), 1);
}

TEST_F(PersonScheduleTest, FailedWritesAreToldOnceEachAndChangeNoList)
{
    Fill();
    Store.AddJobRow(Mon, Bob, Off);
    auto schedule = Open(Bob, Mon);
    Store.FailWrites = true;
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->AddWorkplaceToDay(Kit, Mon + 1));
    EXPECT_EQ(schedule->Days()->Items(1)->Workplaces()->Count(), 0);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->DeleteWorkplaceFromDay(Off, Mon));
    EXPECT_EQ(schedule->Days()->Items(0)->Workplaces()->Count(), 1);
    EXPECT_EQ(schedule->Persons()->Items(-Bob)->Days()->Count(), 1);
    // Edits saved in the editor but refused by the store; cancelled ones say nothing.
    bool ok = true;
    EditorsRename(ok);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->Persons()->EditPerson(Cid));
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->Workplaces()->EditWorkplace(Kit));
    ok = false;
    EXPECT_FALSE(schedule->Persons()->EditPerson(Cid));
    EXPECT_FALSE(schedule->Workplaces()->EditWorkplace(Kit));
    EXPECT_EQ(Store.PersonRecord(Cid)->Name, QStringLiteral("Cid"));
    EXPECT_EQ(Store.WorkplaceRecord(Kit)->Name, QStringLiteral("Kitchen"));
    EXPECT_TRUE(TestEnv::Dialogs().AllAnswered());
    EXPECT_EQ(
        TestEnv::Dialogs().MessageTexts(), QStringList(4, QStringLiteral("The change could not be saved: disk full")));
}

TEST_F(PersonScheduleTest, TwoWorkplacesOnADayKeepTheWorkersDate)
{
    Fill();
    Store.AddJobRow(Mon, Bob, Kit);
    Store.AddJobRow(Mon, Bob, Off);
    auto schedule = Open(Bob, Mon);
    ASSERT_TRUE(schedule->DeleteWorkplaceFromDay(Kit, Mon));
    EXPECT_EQ(Store.JobRows(Mon, Bob, Kit), 0);
    EXPECT_EQ(schedule->Days()->Items(0)->Workplaces()->Count(), 1);
    EXPECT_EQ(schedule->Persons()->Items(-Bob)->Days()->Count(), 1);
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Days()->Count(), 0);
    ASSERT_TRUE(schedule->DeleteWorkplaceFromDay(Off, Mon));
    EXPECT_EQ(schedule->Persons()->Items(-Bob)->Days()->Count(), 0);
    EXPECT_EQ(schedule->Workplaces()->Items(-Off)->Days()->Count(), 0);
}

TEST_F(PersonScheduleTest, DayWorkplaceAddedTwiceIsRefusedSilently)
{
    Fill();
    Store.AddJobRow(Mon, Bob, Kit);
    auto schedule = Open(Bob, Mon);
    TPSDayWorkplaceList* list = schedule->Days()->Items(0)->Workplaces();
    TRecordingView view;
    list->SetEditor(&view);
    EXPECT_EQ(list->AddWorkplace(Kit, QStringLiteral("X"), QStringLiteral("X"), true), nullptr);
    EXPECT_TRUE(view.Names.isEmpty());
    EXPECT_EQ(list->Items(-Kit)->StoredName(), QStringLiteral("Kitchen"));
}

// --- stored names ---

TEST_F(PersonScheduleTest, RenamedAndDeletedWorkplacesShowStoredNames)
{
    Fill();
    Store.AddJobRow(Mon, Bob, Kit);
    Store.AddJobRow(Mon, Bob, Off);
    Store.FindWorkplace(Kit)->Name = QStringLiteral("Canteen");
    Store.FindWorkplace(Off)->Name = QStringLiteral("OFFICE");
    auto schedule = Open(Bob, Mon);
    Store.RemoveWorkplaceRecord(Kit);
    const TPSDayWorkplaceList* list = schedule->Days()->Items(0)->Workplaces();
    const TPSDayWorkplace* kitchen = list->Items(-Kit);
    EXPECT_EQ(kitchen->NameAndStoredName(), QStringLiteral("Kitchen"));
    EXPECT_EQ(kitchen->ShortcutOrStoredShortcut(), QStringLiteral("Kit"));
    EXPECT_EQ(kitchen->Shortcut(), QString());
    EXPECT_EQ(list->Items(-Off)->NameAndStoredName(), QStringLiteral("OFFICE"));
    Store.FindWorkplace(Off)->Name = QStringLiteral("Canteen");
    EXPECT_EQ(list->Items(-Off)->NameAndStoredName(), QStringLiteral("Canteen (Office)"));
    // A workplace entry of a deleted record reads as missing.
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Shortcut(), QString(QChar(0x00A4)));
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit)->Color(), 0xFFFFFFu);
}

TEST_F(PersonScheduleTest, DayWorkplacesSortByCurrentShortcutMissingLast)
{
    Fill();
    const int bar = Store.AddWorkplaceRecord(QStringLiteral("Bar"), QStringLiteral("Bar"));
    const int zoo = Store.AddWorkplaceRecord(QStringLiteral("Zoo"), QStringLiteral("Zoo"));
    for (int id : {Off, Kit, zoo, bar})
        Store.AddJobRow(Mon, Bob, id);
    Store.RemoveWorkplaceRecord(Kit);
    Store.RemoveWorkplaceRecord(bar);
    auto schedule = Open(Bob, Mon);
    const TPSDayWorkplaceList* list = schedule->Days()->Items(0)->Workplaces();
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Items(0)->ID(), Off);
    EXPECT_EQ(list->Items(1)->ID(), zoo);
    // Missing ones last, by their stored shortcuts: Bar before Kit.
    EXPECT_EQ(list->Items(2)->ID(), bar);
    EXPECT_EQ(list->Items(3)->ID(), Kit);
}

// --- register edits ---

TEST_F(PersonScheduleTest, DeletingFocusedEntriesMovesTheFocusSilently)
{
    Fill();
    TPSPersonList list; // no schedule
    list.Refresh(0);
    ASSERT_EQ(list.PersonFocused()->ID(), Bob);
    list.SetPersonFocused(list.Items(2)); // Ann, last
    TRecordingView view;
    list.SetEditor(&view);
    ASSERT_TRUE(list.DeletePerson(Ann, QString()));
    EXPECT_EQ(list.PersonFocused()->ID(), Cid);
    EXPECT_FALSE(view.Names.contains(QStringLiteral("PersonFocused")));
    // The focused first entry passes the focus to the next one.
    list.SetPersonFocused(list.Items(0));
    view.Clear();
    ASSERT_TRUE(list.DeletePerson(Bob, QString()));
    EXPECT_EQ(list.PersonFocused()->ID(), Cid);
    ASSERT_TRUE(list.DeletePerson(Cid, QString()));
    EXPECT_EQ(list.PersonFocused(), nullptr);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(view.Names.contains(QStringLiteral("PersonFocused")));
}

TEST_F(PersonScheduleTest, DeletingTheChosenWorkerMovesTheSchedule)
{
    Fill();
    Store.AddJobRow(Mon, Cid, Kit);
    auto schedule = Open(Bob, Mon);
    ASSERT_TRUE(schedule->Persons()->DeletePerson(Bob, QString()));
    EXPECT_EQ(schedule->Persons()->PersonFocused()->ID(), Cid);
    EXPECT_EQ(schedule->PersonID(), Cid);
    EXPECT_EQ(schedule->Days()->Items(0)->Workplaces()->Count(), 1);
}

TEST_F(PersonScheduleTest, DeleteAsksAndKeepsEverythingOnNoOrFailure)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    TestEnv::Dialogs().AnswerMessage(mrNo);
    EXPECT_FALSE(schedule->Persons()->DeletePerson(Cid, QStringLiteral("Delete worker\r\n\"Cid\"\r\nReally?")));
    EXPECT_EQ(TestEnv::Dialogs().Questions().back().Buttons, mbYes | mbNo);
    EXPECT_EQ(Store.Persons.size(), 3u);
    EXPECT_NE(schedule->Persons()->Items(-Cid), nullptr);

    Store.FailWrites = true;
    TestEnv::Dialogs().AnswerMessage(mrYes);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(schedule->Persons()->DeletePerson(Cid, QStringLiteral("Really?")));
    EXPECT_NE(schedule->Persons()->Items(-Cid), nullptr);
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts().back(), QStringLiteral("The change could not be saved: disk full"));

    Store.FailWrites = false;
    TestEnv::Dialogs().AnswerMessage(mrYes);
    EXPECT_TRUE(schedule->Persons()->DeletePerson(Cid, QStringLiteral("Really?")));
    EXPECT_EQ(schedule->Persons()->Items(-Cid), nullptr);
    EXPECT_EQ(schedule->PersonID(), Bob);
}

TEST_F(PersonScheduleTest, DeletedWorkplaceKeepsItsDayEntries)
{
    Fill();
    Store.AddJobRow(Mon, Bob, Kit);
    auto schedule = Open(Bob, Mon);
    ASSERT_TRUE(schedule->Workplaces()->DeleteWorkplace(Kit, QString()));
    EXPECT_EQ(schedule->Workplaces()->Items(-Kit), nullptr);
    const TPSDayWorkplace* entry = schedule->Days()->Items(0)->Workplaces()->Items(-Kit);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->NameAndStoredName(), QStringLiteral("Kitchen"));
    // The relation stays after a rebuild too.
    schedule->Refresh(psrkAll);
    EXPECT_EQ(schedule->Days()->Items(0)->Workplaces()->Items(-Kit)->NameAndStoredName(), QStringLiteral("Kitchen"));
}

TEST_F(PersonScheduleTest, EditAnnouncesTheEntryAndResorts)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    Store.EditAction = [](TRegisterPersonRecord& ARecord) {
        ARecord.SortingName = QStringLiteral("Aaa");
        return true;
    };
    TRecordingView view;
    schedule->Persons()->SetEditor(&view);
    ASSERT_TRUE(schedule->Persons()->EditPerson(Cid));
    EXPECT_EQ(view.Senders.front(), schedule->Persons()->Items(-Cid));
    EXPECT_EQ(view.Names.front(), QString());
    EXPECT_EQ(schedule->Persons()->Items(0)->ID(), Cid);
    EXPECT_FALSE(schedule->Persons()->EditPerson(99));
}

TEST_F(PersonScheduleTest, RefreshAfterTheFocusedWorkerWasDeletedFocusesTheFirst)
{
    Fill();
    TPSPersonList list;
    list.Refresh(0);
    list.SetPersonFocused(list.Items(-Cid));
    Store.RemovePersonRecord(Cid);
    list.Refresh(0);
    EXPECT_EQ(list.PersonFocused()->ID(), Bob);
}

// --- printing ---

TEST_F(PersonScheduleTest, PrintWorkersWithTheInvolvedFilter)
{
    Fill();
    Store.AddJobRow(Mon, Cid, Kit);
    Store.AddJobRow(Mon + 1, Cid, Off);
    Store.FindPerson(Cid)->Note = QStringLiteral("note");
    auto schedule = Open(Bob, Mon);
    ASSERT_TRUE(schedule->Persons()->Print(QString(), false));
    EXPECT_EQ(Store.ReportName, QStringLiteral("PSPersonsGeneral"));
    EXPECT_EQ(Store.Order, (QStringList{"P2", "P3", "P1"}));
    EXPECT_EQ(Store.PrintedPersons[1].Days, QStringLiteral("Mon, Tue"));
    EXPECT_EQ(Store.PrintedPersons[1].Note, QStringLiteral("note"));
    EXPECT_EQ(StringsValue(Store.Params, QStringLiteral("ScheduleCaption")), QStringLiteral("Bob"));
    EXPECT_EQ(StringsValue(Store.Params, QStringLiteral("ScheduleDate")), schedule->ScheduleDate());

    Setup->General()->SetPrintInvolvedPersonsOnly(true);
    ASSERT_TRUE(schedule->Persons()->Print(QStringLiteral("PersonsGeneral"), true));
    EXPECT_EQ(Store.ReportName, QStringLiteral("PersonsGeneral"));
    EXPECT_EQ(Store.Order, QStringList{QStringLiteral("P3")});
    EXPECT_EQ(StringsIndexOfName(Store.Params, QStringLiteral("ScheduleDate")), -1);
    EXPECT_EQ(StringsValue(Store.Params, QStringLiteral("ScheduleCaption")), QStringLiteral("Workers"));
}

TEST_F(PersonScheduleTest, PrintWorkplacesWithTheOccupiedFilter)
{
    Fill();
    Store.AddJobRow(Mon, Bob, Off);
    auto schedule = Open(Bob, Mon);
    Store.RemoveWorkplaceRecord(Kit);
    ASSERT_TRUE(schedule->Workplaces()->Print(QString(), false));
    EXPECT_EQ(Store.ReportName, QStringLiteral("PSWorkplacesGeneral"));
    ASSERT_EQ(Store.PrintedWorkplaces.size(), 2u);
    EXPECT_EQ(Store.PrintedWorkplaces[0].Shortcut, QString(QChar(0x00A4)));
    EXPECT_TRUE(Store.PrintedWorkplaces[0].IsDeleted);
    EXPECT_EQ(Store.PrintedWorkplaces[1].Days, QStringLiteral("Mon"));
    Setup->General()->SetPrintOccupiedWorkplacesOnly(true);
    ASSERT_TRUE(schedule->Workplaces()->Print(QStringLiteral("WorkplacesGeneral"), true));
    EXPECT_EQ(Store.Order, QStringList{QStringLiteral("W%1").arg(Off)});
    EXPECT_EQ(StringsValue(Store.Params, QStringLiteral("ScheduleCaption")), QStringLiteral("Workplaces"));
}

TEST_F(PersonScheduleTest, PrintDaysNestsWorkplacesAndNumbersSkippedDays)
{
    Fill();
    Store.AddJobRow(Mon + 1, Bob, Off);
    Store.AddJobRow(Mon + 1, Bob, Kit);
    Store.AddJobRow(Mon + 3, Bob, Kit);
    Store.FindPerson(Bob)->DateOutFrom = Mon + 3;
    Store.FindPerson(Bob)->DaysOut = 1;
    Store.FindPerson(Bob)->DateOutTo = Mon + 3;
    auto schedule = Open(Bob, Mon);
    ASSERT_TRUE(schedule->Days()->Print(QString()));
    // The day list's default prints the general worker schedule.
    EXPECT_EQ(Store.ReportName, QStringLiteral("PersonScheduleGeneral"));
    EXPECT_EQ(Store.PrintedDays.size(), 7u);
    Setup->General()->SetPrintOccupiedDaysOnly(true);
    ASSERT_TRUE(schedule->Days()->Print(QStringLiteral("PersonScheduleFull")));
    EXPECT_EQ(Store.ReportName, QStringLiteral("PersonScheduleFull"));
    EXPECT_EQ(Store.Order, (QStringList{"D2", "W1", "W2", "D4", "W1"}));
    EXPECT_EQ(Store.PrintedWorkplaces[0].DayID, 2);
    EXPECT_EQ(Store.PrintedWorkplaces[2].DayID, 4);
    EXPECT_EQ(Store.PrintedWorkplaces[1].Name, QStringLiteral("Office"));
    EXPECT_FALSE(Store.PrintedDays[0].PersonIsOut);
    EXPECT_TRUE(Store.PrintedDays[1].PersonIsOut);
    EXPECT_EQ(Store.PrintedDays[1].Date, Mon + 3);
    EXPECT_EQ(Store.PrintedDays[1].DayName, QStringLiteral("Thursday"));
    EXPECT_EQ(Store.PrintedDays[1].DateWithoutYear, QStringLiteral("08/03"));
}

TEST_F(PersonScheduleTest, PrintParameters)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    QStringList params;
    schedule->AddPrintParams(params);
    EXPECT_EQ(params, (QStringList{"DateStart=05/03/2012", "DateStartShort=5", "DateEnd=11/03/2012", "DateDays=7",
                          "ScheduleDate=5 - 11/03/2012", QStringLiteral("PersonID=%1").arg(Bob), "PersonName=Bob",
                          "PersonSortingName=Bob", "ScheduleCaption=Bob"}));
}

// --- screen hook ---

TEST_F(PersonScheduleTest, ScreenIsMadeOnceAndMovedBetweenParents)
{
    TPersonSchedule schedule;
    EXPECT_TRUE(schedule.CanShowFrameEditor());
    schedule.ShowFrameEditor(&Parent, nullptr); // no factory: no screen
    EXPECT_EQ(schedule.Editor(), nullptr);
    Show(schedule);
    EXPECT_EQ(Frame.Made, 1);
    EXPECT_FALSE(schedule.CanShowFrameEditor());
    QObject other;
    schedule.HideFrameEditor(&other); // not its parent
    EXPECT_FALSE(schedule.CanShowFrameEditor());
    schedule.HideFrameEditor(&Parent);
    EXPECT_TRUE(schedule.CanShowFrameEditor());
    schedule.ShowFrameEditor(&other, nullptr);
    schedule.HideFrameEditor(nullptr);
    EXPECT_TRUE(schedule.CanShowFrameEditor());
    EXPECT_EQ(Frame.Made, 1);
}

TEST_F(PersonScheduleTest, EntriesRebuildFromTheLoadedJobs)
{
    Fill();
    auto schedule = Open(Bob, Mon);
    Store.AddJobRow(Mon + 4, Bob, Kit);
    Store.AddJobRow(Mon + 4, Cid, Kit);
    Store.AddJobRow(Mon + 2, Bob, Kit);
    TPSPerson* bob = schedule->Persons()->Items(-Bob);
    bob->UpdateDays();
    EXPECT_EQ(bob->Days()->AsString(), QStringLiteral("Wed, Fri"));
    TPSWorkplace* kitchen = schedule->Workplaces()->Items(-Kit);
    kitchen->UpdateDays(Cid);
    EXPECT_EQ(kitchen->Days()->AsString(), QStringLiteral("Fri"));
    TPSDay* friday = schedule->Days()->Items(4);
    friday->UpdateWorkplaces(Bob);
    ASSERT_EQ(friday->Workplaces()->Count(), 1);
    EXPECT_EQ(friday->Workplaces()->Items(0)->ID(), Kit);
    EXPECT_EQ(friday->Workplaces()->Items(0)->Day(), friday);
    EXPECT_EQ(friday->Schedule(), schedule.get());
}
