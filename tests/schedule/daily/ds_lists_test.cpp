// The daily lists: stored names of deleted and renamed objects, display
// texts, sorting, lookups, focus rules, register edits and the payloads.
#include "schedule/daily/daily_schedule.h"

#include "setup/setup.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"
#include "tests/schedule/daily/ds_test_store.h"

#include <gtest/gtest.h>

namespace {

const TDate Day = 45000;

class DSListsTest : public testing::Test {
protected:
    QStringList PersonNames() const
    {
        QStringList names;
        for (int i = 0; i < Schedule.Persons()->Count(); ++i)
            names << Schedule.Persons()->Items(i)->Name();
        return names;
    }
    QStringList WorkplaceTexts() const
    {
        QStringList texts;
        for (int i = 0; i < Schedule.Workplaces()->Count(); ++i)
            texts << Schedule.Workplaces()->Items(i)->ShortcutOrStoredShortcutInBrackets();
        return texts;
    }

    TSetup Setup;
    TDSTestStore Store;
    TDailySchedule Schedule;
};

TEST_F(DSListsTest, DeletedWorkplaceIsListedByItsStoredNamesAfterALiveTwin)
{
    const int ann = Store.AddPersonRecord("Ann");
    const int gone = Store.AddWorkplaceRecord("K1", "Old kitchen");
    Store.AddJobRow(Day, ann, gone);
    Store.RemoveWorkplaceRecord(gone);
    // A new workplace took the freed shortcut.
    const int live = Store.AddWorkplaceRecord("K1", "Kitchen");
    Schedule.SetDate(Day);
    ASSERT_EQ(Schedule.Workplaces()->Count(), 2);
    TDSWorkplace* deleted = Schedule.Workplaces()->Items(-gone);
    ASSERT_NE(deleted, nullptr);
    EXPECT_EQ(deleted->Name(), "");
    EXPECT_EQ(deleted->Shortcut(), "");
    EXPECT_EQ(deleted->Workplace(), nullptr);
    EXPECT_EQ(deleted->Color(), 0xFFFFFFu);
    EXPECT_EQ(deleted->NameAndStoredName(), "Old kitchen");
    EXPECT_EQ(deleted->ShortcutOrStoredShortcut(), "K1");
    EXPECT_EQ(deleted->ShortcutOrStoredShortcutInBrackets(), "(K1)");
    // Same shortcut text: the live one first, although its ID is higher.
    EXPECT_EQ(Schedule.Workplaces()->Items(0)->ID(), live);
    EXPECT_EQ(Schedule.Workplaces()->Items(1)->ID(), gone);
    EXPECT_EQ(deleted->Persons()->Items(0)->StoredName(), "Ann");
}

TEST_F(DSListsTest, RenamedWorkplaceShowsNewAndOldName)
{
    const int ann = Store.AddPersonRecord("Ann");
    const int galley = Store.AddWorkplaceRecord("K1", "Kitchen");
    const int bar = Store.AddWorkplaceRecord("B1", "Bar");
    Store.AddJobRow(Day, ann, galley);
    Store.AddJobRow(Day, ann, bar);
    Store.FindWorkplace(galley)->Name = "Galley";
    Store.FindWorkplace(bar)->Name = "BAR";
    Schedule.SetDate(Day);
    EXPECT_EQ(Schedule.Workplaces()->Items(-galley)->NameAndStoredName(), "Galley (Kitchen)");
    EXPECT_EQ(Schedule.Workplaces()->Items(-galley)->StoredName(), "Kitchen");
    // A change of letter case alone shows the current name.
    EXPECT_EQ(Schedule.Workplaces()->Items(-bar)->NameAndStoredName(), "BAR");
    EXPECT_EQ(Schedule.Persons()->Items(-ann)->Workplaces()->Items(-galley)->NameAndStoredName(), "Galley (Kitchen)");
}

TEST_F(DSListsTest, ShortcutTextsOfAWorkerWithADeletedWorkplace)
{
    const int ann = Store.AddPersonRecord("Ann");
    const int b2 = Store.AddWorkplaceRecord("B2", "Bar");
    const int a1 = Store.AddWorkplaceRecord("A1", "Attic");
    const int c3 = Store.AddWorkplaceRecord("C3", "Cellar");
    for (int w : {c3, b2, a1})
        Store.AddJobRow(Day, ann, w);
    Store.RemoveWorkplaceRecord(c3);
    Schedule.SetDate(Day);
    EXPECT_EQ(Schedule.Persons()->Items(-ann)->Workplaces()->ShortcutsAsString(), "A1-B2-(C3)");
    EXPECT_EQ(Schedule.Workplaces()->GetShortcutsAsStringForPerson(ann), "A1-B2-(C3)");
    EXPECT_EQ(Schedule.Workplaces()->Items(-a1)->Persons()->Items(-ann)->WorkplaceShortcutsAsString(), "A1-B2-(C3)");
    EXPECT_EQ(Schedule.Workplaces()->GetShortcutsAsStringForPerson(99), "");
}

TEST_F(DSListsTest, ShortcutTextsFollowPlacingsTheListsOrderAndTheRegister)
{
    const int ann = Store.AddPersonRecord("Ann");
    const int bob = Store.AddPersonRecord("Bob");
    const int a1 = Store.AddWorkplaceRecord("A1", "Attic");
    const int b2 = Store.AddWorkplaceRecord("B2", "Bar");
    Store.AddJobRow(Day, ann, a1);
    Store.AddJobRow(Day, bob, b2);
    Schedule.SetDate(Day);
    TDSWorkplaceList* workplaces = Schedule.Workplaces();
    EXPECT_EQ(workplaces->GetShortcutsAsStringForPerson(ann), "A1");
    ASSERT_NE(workplaces->AddWorkplacePerson(b2, ann, "B2", "Bar", "Ann"), nullptr);
    EXPECT_EQ(workplaces->GetShortcutsAsStringForPerson(ann), "A1-B2");
    workplaces->SetSortingDirection(sdDescended);
    EXPECT_EQ(workplaces->GetShortcutsAsStringForPerson(ann), "B2-A1");
    ASSERT_TRUE(workplaces->DeleteWorkplacePerson(b2, ann));
    EXPECT_EQ(workplaces->GetShortcutsAsStringForPerson(ann), "A1");
    // A register shortcut is read when asked, without a refresh.
    Store.FindWorkplace(b2)->Shortcut = "BB";
    EXPECT_EQ(workplaces->Items(-b2)->Persons()->Items(-bob)->WorkplaceShortcutsAsString(), "BB");
    EXPECT_EQ(workplaces->GetShortcutsAsStringForPerson(0), "");
    Schedule.SetDate(Day + 1);
    EXPECT_EQ(workplaces->GetShortcutsAsStringForPerson(bob), "");
}

TEST_F(DSListsTest, WorkerRowNamesWithAndWithoutStoredName)
{
    const int ann = Store.AddPersonRecord("Ann");
    const int bob = Store.AddPersonRecord("Bob");
    const int kit = Store.AddWorkplaceRecord("K1", "Kitchen");
    Store.AddJobRow(Day, ann, kit);
    Store.Jobs.back().Job.PersonName.clear();
    Store.AddJobRow(Day, bob, kit);
    Store.RemovePersonRecord(bob);
    Schedule.SetDate(Day);
    TDSWorkplacePersonList* persons = Schedule.Workplaces()->Items(-kit)->Persons();
    EXPECT_EQ(persons->Items(-ann)->NameAndStoredName(), "Ann");
    EXPECT_EQ(persons->Items(-bob)->NameAndStoredName(), "Bob");
    EXPECT_EQ(persons->Items(-bob)->Name(), "");
    // Live workers before the deleted one.
    EXPECT_EQ(persons->Items(0)->ID(), ann);
    // A deleted worker is not in the worker list.
    EXPECT_EQ(Schedule.Persons()->Count(), 1);
}

TEST_F(DSListsTest, SortingByNameIdAndNoneAndTheStarredSetters)
{
    Store.AddPersonRecord("Cid", "cid");
    Store.AddPersonRecord("ann", "ann");
    Store.AddPersonRecord("Bob", "Bob");
    Schedule.SetDate(Day);
    EXPECT_EQ(PersonNames(), (QStringList{"ann", "Bob", "Cid"}));
    TRecordingView view;
    Schedule.Persons()->SetEditor(&view);
    Schedule.Persons()->SetSortingDirection(sdDescended);
    EXPECT_EQ(PersonNames(), (QStringList{"Cid", "Bob", "ann"}));
    EXPECT_EQ(view.Names, (QStringList{"Items", "SortingDirection"}));
    view.Clear();
    Schedule.Persons()->SetSortingDirection(sdDescended);
    EXPECT_EQ(view.Names, QStringList{"SortingDirection*"});
    Schedule.Persons()->SetSortingKind(dspskByID);
    EXPECT_EQ(PersonNames(), (QStringList{"Bob", "ann", "Cid"}));
    view.Clear();
    Schedule.Persons()->SetSortingKind(dspskNone);
    EXPECT_EQ(PersonNames(), (QStringList{"Bob", "ann", "Cid"}));
    EXPECT_EQ(view.Names, (QStringList{"Items", "SortingKind"}));
    view.Clear();
    Schedule.Persons()->SortByKind();
    EXPECT_EQ(view.Names, QStringList{"Items"});
}

TEST_F(DSListsTest, WorkplaceSortingByNameAndDirection)
{
    Store.AddWorkplaceRecord("Z", "alpha");
    Store.AddWorkplaceRecord("A", "Gamma");
    Store.AddWorkplaceRecord("M", "beta");
    Schedule.SetDate(Day);
    EXPECT_EQ(WorkplaceTexts(), (QStringList{"A", "M", "Z"}));
    Schedule.Workplaces()->SetSortingKind(dswskByName);
    EXPECT_EQ(WorkplaceTexts(), (QStringList{"Z", "M", "A"}));
    Schedule.Workplaces()->SetSortingDirection(sdDescended);
    EXPECT_EQ(WorkplaceTexts(), (QStringList{"A", "M", "Z"}));
}

TEST_F(DSListsTest, LookupsByPositionIdNameAndShortcut)
{
    const int ann = Store.AddPersonRecord("Ann");
    const int a1 = Store.AddWorkplaceRecord("A1", "Kitchen");
    const int named = Store.AddWorkplaceRecord("X9", "A1");
    Schedule.SetDate(Day);
    EXPECT_EQ(Schedule.Workplaces()->Items("^a1")->ID(), a1);
    EXPECT_EQ(Schedule.Workplaces()->Items("a1")->ID(), named);
    EXPECT_EQ(Schedule.Workplaces()->Items("kitchen")->ID(), a1);
    EXPECT_EQ(Schedule.Workplaces()->Items("^kitchen"), nullptr);
    EXPECT_EQ(Schedule.Workplaces()->Items(-named)->ID(), named);
    EXPECT_EQ(Schedule.Workplaces()->Items(2), nullptr);
    EXPECT_EQ(Schedule.Persons()->Items("ANN")->ID(), ann);
    EXPECT_EQ(Schedule.Persons()->Items(-1)->ID(), ann);
    EXPECT_EQ(Schedule.Persons()->Items(-99), nullptr);
    EXPECT_EQ(Schedule.Persons()->Items(1), nullptr);
}

TEST_F(DSListsTest, FocusAfterDeletingTheFocusedWorker)
{
    const int a = Store.AddPersonRecord("A");
    const int b = Store.AddPersonRecord("B");
    const int c = Store.AddPersonRecord("C");
    const int d = Store.AddPersonRecord("D");
    Schedule.SetDate(Day);
    TDSPersonList* persons = Schedule.Persons();
    EXPECT_EQ(persons->PersonFocused(), persons->Items(0));
    // The last of four: the previous one, announced only by "Items".
    persons->SetPersonFocused(persons->Items(-d));
    TRecordingView view;
    persons->SetEditor(&view);
    ASSERT_TRUE(persons->DeletePerson(d, QString()));
    EXPECT_EQ(persons->PersonFocused(), persons->Items(-c));
    EXPECT_EQ(view.Names, QStringList{"Items"});
    EXPECT_FALSE(Store.PersonRecord(d));
    // Not the last: the next one.
    persons->SetPersonFocused(persons->Items(-a));
    ASSERT_TRUE(persons->DeletePerson(a, QString()));
    EXPECT_EQ(persons->PersonFocused(), persons->Items(-b));
    // The last of two: the previous one.
    persons->SetPersonFocused(persons->Items(-c));
    ASSERT_TRUE(persons->DeletePerson(c, QString()));
    EXPECT_EQ(persons->PersonFocused(), persons->Items(-b));
    // The only one: no focus.
    ASSERT_TRUE(persons->DeletePerson(b, QString()));
    EXPECT_EQ(persons->PersonFocused(), nullptr);
    EXPECT_EQ(persons->Count(), 0);
}

TEST_F(DSListsTest, RefreshKeepsTheFocusedWorker)
{
    Store.AddPersonRecord("A");
    const int b = Store.AddPersonRecord("B");
    Schedule.SetDate(Day);
    Schedule.Persons()->SetPersonFocused(Schedule.Persons()->Items(-b));
    Schedule.Refresh(dsrkAll);
    EXPECT_EQ(Schedule.Persons()->PersonFocused()->ID(), b);
    TRecordingView view;
    Schedule.Persons()->SetEditor(&view);
    Schedule.Persons()->SetPersonFocused(Schedule.Persons()->Items(-b));
    EXPECT_EQ(view.Names, QStringList{"PersonFocused*"});
}

TEST_F(DSListsTest, DeletingAWorkerAsksFirstAndChangesNothingWhenRefusedOrFailed)
{
    const int a = Store.AddPersonRecord("A");
    Schedule.SetDate(Day);
    TestEnv::Dialogs().AnswerMessage(mrNo);
    EXPECT_FALSE(Schedule.Persons()->DeletePerson(a, "Delete A?"));
    EXPECT_TRUE(Store.PersonRecord(a));
    Store.FailWrites = true;
    TestEnv::Dialogs().AnswerMessage(mrYes);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(Schedule.Persons()->DeletePerson(a, "Delete A?"));
    EXPECT_EQ(Schedule.Persons()->Count(), 1);
    EXPECT_EQ(Schedule.Persons()->PersonFocused(), Schedule.Persons()->Items(0));
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts(),
        (QStringList{"Delete A?", "Delete A?", "The change could not be saved: disk full"}));
}

TEST_F(DSListsTest, DeletingAWorkplaceRemovesItOnlyAfterTheRegisterDid)
{
    const int k = Store.AddWorkplaceRecord("K1", "Kitchen");
    Schedule.SetDate(Day);
    Store.FailWrites = true;
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(Schedule.Workplaces()->DeleteWorkplace(k, QString()));
    EXPECT_EQ(Schedule.Workplaces()->Count(), 1);
    Store.FailWrites = false;
    EXPECT_TRUE(Schedule.Workplaces()->DeleteWorkplace(k, QString()));
    EXPECT_EQ(Schedule.Workplaces()->Count(), 0);
    EXPECT_FALSE(Schedule.Workplaces()->DeleteWorkplace(k, QString()));
}

TEST_F(DSListsTest, EditedWorkerAnnouncesEverythingAndIsResorted)
{
    const int a = Store.AddPersonRecord("Ann");
    Store.AddPersonRecord("Bob");
    const int kit = Store.AddWorkplaceRecord("K1", "Kitchen");
    Store.AddJobRow(Day, a, kit);
    Schedule.SetDate(Day);
    TRecordingView list, row;
    Schedule.Persons()->SetEditor(&list);
    Schedule.Workplaces()->Items(-kit)->Persons()->Items(-a)->SetEditor(&row);
    Store.EditAction = [&](int AID) { Store.FindPerson(AID)->SortingName = "Zed"; };
    EXPECT_TRUE(Schedule.Persons()->EditPerson(a));
    EXPECT_EQ(PersonNames(), (QStringList{"Bob", "Ann"}));
    EXPECT_EQ(list.Names, (QStringList{"", "Items"}));
    ASSERT_FALSE(row.Senders.empty());
    // The workplace row hears about the edited worker by the item as sender.
    EXPECT_EQ(row.Names.first(), "");
    EXPECT_EQ(row.Senders.front(), Schedule.Persons()->Items(-a));
    Store.EditResult = false;
    list.Clear();
    EXPECT_FALSE(Schedule.Persons()->EditPerson(a));
    EXPECT_TRUE(list.Names.isEmpty());
    EXPECT_FALSE(Schedule.Persons()->EditPerson(99));
}

TEST_F(DSListsTest, InnerListsRefuseDuplicatesAndNonPositiveIDs)
{
    const int a = Store.AddPersonRecord("Ann");
    const int kit = Store.AddWorkplaceRecord("K1", "Kitchen");
    Schedule.SetDate(Day);
    TDSPersonWorkplaceList* list = Schedule.Persons()->Items(-a)->Workplaces();
    EXPECT_NE(list->AddWorkplace(kit, "K1", "Kitchen", true), nullptr);
    EXPECT_EQ(list->AddWorkplace(kit, "K1", "Kitchen", true), nullptr);
    EXPECT_EQ(list->AddWorkplace(0, "K1", "Kitchen", true), nullptr);
    EXPECT_FALSE(list->DeleteWorkplace(-kit));
    // A deleted workplace unknown to the list is made only with both stored texts.
    EXPECT_EQ(Schedule.Workplaces()->AddWorkplacePerson(77, a, "", "Gone", "Ann"), nullptr);
    EXPECT_NE(Schedule.Workplaces()->AddWorkplacePerson(77, a, "G", "Gone", "Ann"), nullptr);
    EXPECT_EQ(Schedule.Workplaces()->Items(-77)->NameAndStoredName(), "Gone");
    EXPECT_FALSE(Schedule.Workplaces()->DeleteWorkplacePerson(77, 0));
    EXPECT_TRUE(Schedule.Workplaces()->DeleteWorkplacePerson(77, a));
}

TEST_F(DSListsTest, AbsenceOnTheScheduleDay)
{
    const int a = Store.AddPersonRecord("Ann");
    Store.FindPerson(a)->DateOutFrom = Day - 1;
    Store.FindPerson(a)->DaysOut = 2;
    Store.FindPerson(a)->DateOutTo = Day;
    Schedule.SetDate(Day);
    EXPECT_TRUE(Schedule.Persons()->Items(-a)->IsOut());
    Schedule.SetDate(Day + 1);
    EXPECT_FALSE(Schedule.Persons()->Items(-a)->IsOut());
}

TEST(DSDragObjects, APayloadFromAWorkplacePassesTheWorkerTest)
{
    TDSWorkplacePersonDragObjectEx fromWorkplace(5, 3);
    QMimeData* data = &fromWorkplace;
    auto* asWorker = qobject_cast<TDSPersonDragObjectEx*>(data);
    ASSERT_NE(asWorker, nullptr);
    EXPECT_EQ(asWorker->PersonID(), 5);
    EXPECT_EQ(qobject_cast<TDSWorkplacePersonDragObjectEx*>(data)->WorkplaceID(), 3);
    TDSPersonDragObjectEx plain(7);
    EXPECT_EQ(qobject_cast<TDSWorkplacePersonDragObjectEx*>(static_cast<QMimeData*>(&plain)), nullptr);
    EXPECT_TRUE(plain.hasFormat(TDSPersonDragObjectEx::MimeType()));
}

} // namespace

namespace {

// A view that writes its tag into a shared log.
class TTaggedView : public ISCView {
public:
    TTaggedView(QStringList* ALog, QString ATag) : FLog(ALog), FTag(std::move(ATag)) {}
    void DataChanged(TObject*, const QString& AValueName) override { *FLog << FTag + ":" + AValueName; }

private:
    QStringList* FLog;
    QString FTag;
};

TEST_F(DSListsTest, AnnouncementsTravelTheTreeInOrderAndNeverBack)
{
    const int ann = Store.AddPersonRecord("Ann");
    const int bob = Store.AddPersonRecord("Bob");
    const int kit = Store.AddWorkplaceRecord("K1", "Kitchen");
    Store.AddJobRow(Day, ann, kit);
    Schedule.SetDate(Day);
    QStringList log;
    TTaggedView row(&log, "row"), inner(&log, "inner"), workplace(&log, "workplace"), workplaces(&log, "workplaces"),
        persons(&log, "persons");
    TDSWorkplace* item = Schedule.Workplaces()->Items(-kit);
    item->Persons()->Items(-ann)->SetEditor(&row);
    item->Persons()->SetEditor(&inner);
    item->SetEditor(&workplace);
    Schedule.Workplaces()->SetEditor(&workplaces);
    Schedule.Persons()->SetEditor(&persons);
    ASSERT_TRUE(Schedule.AddPersonToWorkplace(bob, kit));
    // The worker's inner list announces first (through the worker list and the
    // schedule to the workplaces), then the workplace's inner list.
    EXPECT_EQ(log, (QStringList{"persons:Items", "row:Items", "inner:Items", "workplace:Items", "workplaces:Items",
                       "row:Items", "inner:Items", "workplace:Items", "workplaces:Items", "persons:Items"}));
    log.clear();
    item->Persons()->Items(-ann)->DataChanged(item->Persons()->Items(-ann), item->Persons()->Items(-ann), "Name");
    EXPECT_EQ(log, (QStringList{"row:Name", "inner:Name", "workplace:Name", "workplaces:Name", "persons:Name"}));
}

TEST_F(DSListsTest, EditedWorkplaceAnnouncesAndIsResorted)
{
    const int a = Store.AddWorkplaceRecord("A1", "Attic");
    Store.AddWorkplaceRecord("B1", "Bar");
    Schedule.SetDate(Day);
    TRecordingView view;
    Schedule.Workplaces()->Items(-a)->SetEditor(&view);
    Store.EditAction = [&](int AID) { Store.FindWorkplace(AID)->Shortcut = "Z1"; };
    EXPECT_TRUE(Schedule.Workplaces()->EditWorkplace(a));
    EXPECT_EQ(WorkplaceTexts(), (QStringList{"B1", "Z1"}));
    EXPECT_EQ(view.Names.first(), "");
    EXPECT_FALSE(Schedule.Workplaces()->EditWorkplace(0));
}

} // namespace
