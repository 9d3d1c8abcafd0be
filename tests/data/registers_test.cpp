#include "data_fixture.h"
#include "support/recording_view.h"

#include <QSqlQuery>

namespace {

class PersonsTest : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        Open();
    }
    // The worker editor's next run names him AName and closes with AOk.
    void NextEditNames(const QString& AName, bool AOk)
    {
        EditorDoes(
            "TPersonEditor", [AName](TObject* o) { static_cast<TPerson*>(o)->SetName(AName); }, AOk);
    }
    // A change another copy of the program makes to the workers file.
    bool WrittenElsewhere(const QString& ASql)
    {
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "elsewhere");
            db.setDatabaseName(Folder + "Workers.cds");
            ok = db.open() && QSqlQuery(db).exec(ASql);
        }
        QSqlDatabase::removeDatabase("elsewhere");
        return ok;
    }
};

TEST_F(PersonsTest, NamesStayUniqueIgnoringCaseWithNumbers)
{
    AddPerson("Ann");
    EXPECT_EQ(AddPerson("ann")->Name(), "ann1");
    EXPECT_EQ(AddPerson("Ann1")->Name(), "Ann2");
    AddPerson("Room 12");
    EXPECT_EQ(AddPerson("room 12")->Name(), "room 13");
    AddPerson("12");
    EXPECT_EQ(AddPerson("12")->Name(), "13");
    // Renaming to the own name in other letter case is a change without a number.
    TPerson* ann = Store->Persons->Persons("Ann");
    TRecordingView view;
    ann->SetEditor(&view);
    ann->SetName("ANN");
    ann->SetEditor(nullptr);
    EXPECT_EQ(ann->Name(), "ANN");
    EXPECT_EQ(view.Names.first(), "Name");
}

TEST_F(PersonsTest, LookupsByPositionIdAndName)
{
    TPerson* ann = AddPerson("Ann");
    TPerson* bob = AddPerson("Bob");
    EXPECT_EQ(Store->Persons->Persons(1), bob);
    EXPECT_EQ(Store->Persons->Persons(2), nullptr);
    EXPECT_EQ(Store->Persons->Persons(-ann->ID()), ann);
    EXPECT_EQ(Store->Persons->Persons("BOB"), bob);
    EXPECT_EQ(Store->Persons->Persons("Eve"), nullptr);
}

TEST_F(PersonsTest, NamesAndIDsAreFoundAfterRenamesDeletesAndAnotherCopysChanges)
{
    TPersonMan& persons = *Store->Persons;
    TPerson* ann = AddPerson("Ann");
    TPerson* bob = AddPerson("Bob");
    TPerson* cid = AddPerson("Cid");
    // A saved rename frees the old name; a cancelled one changes nothing.
    NextEditNames("Anna", true);
    ASSERT_TRUE(persons.EditPerson(ann));
    NextEditNames("Robert", false);
    EXPECT_FALSE(persons.EditPerson(bob));
    EXPECT_EQ(persons.Persons("ANNA"), ann);
    EXPECT_EQ(persons.Persons("robert"), nullptr);
    EXPECT_EQ(persons.Persons("bob"), bob);
    EXPECT_EQ(AddPerson("ann")->Name(), "ann");
    ASSERT_TRUE(persons.DeletePerson(cid->ID()));
    EXPECT_EQ(AddPerson("CID")->Name(), "CID");
    // Another copy renames Bob and adds Eve.
    ASSERT_TRUE(WrittenElsewhere(QString("UPDATE Data SET Name = 'Zed' WHERE ID = %1").arg(bob->ID())));
    ASSERT_TRUE(WrittenElsewhere("INSERT INTO Data (Name, SortingName) VALUES ('Eve', 'Eve')"));
    EXPECT_TRUE(persons.Sync());
    EXPECT_EQ(persons.Persons("zed"), bob);
    EXPECT_EQ(AddPerson("bob")->Name(), "bob");
    EXPECT_EQ(AddPerson("eve")->Name(), "eve1");
    // Another copy deletes Zed's record: stored again, he takes a new ID and
    // is found by it at once, though the list looked up an absent ID before.
    const int formerID = bob->ID();
    EXPECT_EQ(persons.Persons(-999), nullptr);
    ASSERT_TRUE(WrittenElsewhere(QString("DELETE FROM Data WHERE ID = %1").arg(formerID)));
    ASSERT_TRUE(persons.InsertPerson(bob));
    EXPECT_NE(bob->ID(), formerID);
    EXPECT_EQ(persons.Persons(-bob->ID()), bob);
    EXPECT_EQ(persons.Persons(-formerID), nullptr);
}

TEST_F(PersonsTest, AbsenceClampsAndIsOut)
{
    auto person = TSCObject::Create<TPerson>();
    TRecordingView view;
    person->SetEditor(&view);
    person->SetDaysOut(1500);
    EXPECT_EQ(person->DaysOut(), 999);
    person->SetDaysOut(999);
    EXPECT_EQ(view.Names.last(), "DaysOut*");
    person->SetDaysOut(-3);
    EXPECT_EQ(person->DaysOut(), 0);
    person->SetEditor(nullptr);

    auto fresh = TSCObject::Create<TPerson>();
    fresh->SetDaysOut(5);
    const TDate today = Today();
    EXPECT_EQ(fresh->DateOutFrom(), today);
    EXPECT_EQ(fresh->DateOutTo(), today + 4);
    EXPECT_TRUE(fresh->IsOut(today + 0.75));
    EXPECT_TRUE(fresh->IsOut(today + 4));
    EXPECT_FALSE(fresh->IsOut(today + 5));
    EXPECT_FALSE(fresh->IsOut(today - 1));

    auto never = TSCObject::Create<TPerson>();
    never->SetDateOutFrom(today - 2);
    EXPECT_FALSE(never->IsOut(today - 2));
}

TEST_F(PersonsTest, SortingNameIsDerived)
{
    auto person = TSCObject::Create<TPerson>();
    person->SetName("Dr. John Smith");
    EXPECT_EQ(person->SortingName(), TSetupGeneral::TrimDegrees("Dr. John Smith"));
    Store->Setup->General()->SetSwapFirstAndSurName(true);
    auto swapped = TSCObject::Create<TPerson>();
    swapped->SetName("Ann Lee Smith");
    EXPECT_EQ(swapped->SortingName(), "Smith Ann Lee");
    auto single = TSCObject::Create<TPerson>();
    single->SetName("Plato");
    EXPECT_EQ(single->SortingName(), "Plato");
    // An existing sorting name survives a rename; clearing it derives anew.
    swapped->SetName("John Smith");
    EXPECT_EQ(swapped->SortingName(), "Smith Ann Lee");
    swapped->SetSortingName("");
    EXPECT_EQ(swapped->SortingName(), "Smith John");
}

TEST_F(PersonsTest, StoredWorkersSurviveAReopenWithTheirValues)
{
    TPerson* ann = AddPerson("Ann");
    ann->SetNote("night shifts");
    ann->SetDaysOut(3);
    ann->SetDateOutFrom(Day(2026, 3, 1) + 0.5);
    EXPECT_TRUE(Store->Persons->InsertPerson(ann));
    EXPECT_FALSE(ann->Modified());
    AddPerson("Bob");
    const int id = ann->ID();
    Reopen();
    TPerson* loaded = Store->Persons->Persons(-id);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Name(), "Ann");
    EXPECT_EQ(loaded->Note(), "night shifts");
    EXPECT_EQ(loaded->DateOutFrom(), Day(2026, 3, 1));
    EXPECT_EQ(loaded->DaysOut(), 3);
    // Without an absence the read value (today) is what is stored.
    TPerson* bob = Store->Persons->Persons("Bob");
    TTable& table = Store->Persons->Table();
    ASSERT_TRUE(table.Locate("ID", bob->ID()));
    EXPECT_EQ(table.FieldValue("DateOutFrom").toDouble(), Today());
}

TEST_F(PersonsTest, DuplicateNamesInTheFileAreNumberedInItAfterABackup)
{
    // Two copies of an earlier version could both store a name.
    Store.reset();
    WriteTableFile(
        Folder + "Workers.cds", TPersonMan::FieldDefs(), {{"Eva", "Eva", "", 0, 0, ""}, {"eva", "Eva", "", 0, 0, ""}});
    Dialogs().AnswerMessage(mrOk);
    Open();
    ASSERT_EQ(Store->Persons->PersonCount(), 2);
    EXPECT_EQ(Store->Persons->Persons(0)->Name(), "Eva");
    EXPECT_EQ(Store->Persons->Persons(1)->Name(), "eva1");
    EXPECT_FALSE(Store->Persons->Persons(1)->Modified());
    const QString told = Dialogs().MessageTexts().join("|");
    EXPECT_TRUE(told.contains("\"eva\" → \"eva1\"") && told.contains("\"Workers.cds.bak\"")) << told.toStdString();
    const QString sql = "SELECT Name FROM Data ORDER BY ID";
    EXPECT_EQ(FileRows(Folder + "Workers.cds", sql), (QList<QStringList>{{"Eva"}, {"eva1"}}));
    EXPECT_EQ(FileRows(Folder + "Workers.cds.bak", sql), (QList<QStringList>{{"Eva"}, {"eva"}}));
    // Mended once: the next start finds nothing to tell.
    Store.reset();
    Open();
    EXPECT_EQ(Dialogs().MessageTexts().size(), 1);
}

TEST_F(PersonsTest, EditorCancelAndOk)
{
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Zed"); }, false);
    EXPECT_EQ(Store->Persons->AddPerson(), nullptr);
    EXPECT_EQ(Store->Persons->PersonCount(), 0);

    TPerson* ann = AddPerson("Ann");
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Anna"); }, false);
    EXPECT_FALSE(Store->Persons->EditPerson(ann));
    EXPECT_EQ(ann->Name(), "Ann");
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Anna"); }, true);
    EXPECT_TRUE(Store->Persons->EditPerson(ann));
    Reopen();
    EXPECT_NE(Store->Persons->Persons("Anna"), nullptr);
}

TEST_F(PersonsTest, DeleteChecksIdsAndKeepsIdsUnique)
{
    TPerson* ann = AddPerson("Ann");
    AddPerson("Bob");
    EXPECT_FALSE(Store->Persons->DeletePerson(0));
    EXPECT_FALSE(Store->Persons->DeletePerson(-1));
    EXPECT_FALSE(Store->Persons->DeletePerson(99));
    const int id = ann->ID();
    std::unique_ptr<TPerson> taken;
    EXPECT_TRUE(Store->Persons->DeletePerson(id, &taken));
    EXPECT_EQ(taken.get(), ann);
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
    // The highest ID ever given stays given, also after a reopen.
    Store->Persons->DeletePerson(Store->Persons->Persons("Bob")->ID());
    Reopen();
    EXPECT_EQ(AddPerson("Cid")->ID(), 3);
}

TEST_F(PersonsTest, FailedWritesLeaveMemoryAndFileInAgreement)
{
    TPerson* ann = AddPerson("Ann");
    // Another connection holds the write lock: every write must fail.
    QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "locker");
    {
        other.setDatabaseName(Folder + "Workers.cds");
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec("BEGIN IMMEDIATE"));
        EXPECT_EQ(AddPerson("Bob"), nullptr);
        EXPECT_EQ(Store->Persons->PersonCount(), 1);
        EditorDoes(
            "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Anna"); }, true);
        EXPECT_FALSE(Store->Persons->EditPerson(ann));
        EXPECT_EQ(ann->Name(), "Ann");
        EXPECT_FALSE(Store->Persons->DeletePerson(ann->ID()));
        EXPECT_EQ(Store->Persons->PersonCount(), 1);
        lock.exec("ROLLBACK");
        other.close();
    }
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase("locker");
    Reopen();
    ASSERT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_EQ(Store->Persons->Persons(0)->Name(), "Ann");
}

class WorkplacesTest : public PersonsTest {};

TEST_F(WorkplacesTest, NamesAndShortcutsAreTrimmedDerivedAndUnique)
{
    TWorkplace* kitchen = AddWorkplace("^^Kitchen^");
    EXPECT_EQ(kitchen->Name(), "Kitchen");
    EXPECT_EQ(kitchen->Shortcut(), "Kit");
    TWorkplace* second = AddWorkplace("Kitchen");
    EXPECT_EQ(second->Name(), "Kitchen1");
    EXPECT_EQ(second->Shortcut(), "Kit1");
    TWorkplace* k = AddWorkplace("Kiosk", "K1");
    EXPECT_EQ(k->Shortcut(), "K1");
    EXPECT_EQ(AddWorkplace("Kiln", "k1")->Shortcut(), "k2");
    // A lone "^" falls back to the derived shortcut; a rename keeps it.
    k->SetShortcut("^");
    EXPECT_EQ(k->Shortcut(), "Kio");
    k->SetName("Counter");
    EXPECT_EQ(k->Shortcut(), "Kio");
    // The former name and shortcut are free again, the new ones found.
    EXPECT_EQ(Store->Workplaces->Workplaces("^KIO"), k);
    EXPECT_EQ(Store->Workplaces->Workplaces("counter"), k);
    TWorkplace* kiosk = AddWorkplace("kiosk", "k1");
    EXPECT_EQ(kiosk->Name(), "kiosk");
    EXPECT_EQ(kiosk->Shortcut(), "k1");
    EXPECT_EQ(Store->Workplaces->Workplaces("^kit"), kitchen);
    EXPECT_EQ(Store->Workplaces->Workplaces("kitchen"), kitchen);
    EXPECT_EQ(Store->Workplaces->Workplaces(-second->ID()), second);
    EXPECT_EQ(Store->Workplaces->Workplaces("^Kitchen"), nullptr);
}

TEST_F(WorkplacesTest, ColoursAreLightAndNullLoadsWhite)
{
    auto w = TSCObject::Create<TWorkplace>();
    w->SetColor(0);
    EXPECT_EQ(w->Color(), 0xDCDCDCu);
    w->SetColor(0xE0F0FF);
    EXPECT_EQ(w->Color(), 0xE0F0FFu);
    Store.reset();
    WriteTableFile(Folder + "Workplaces.cds", TWorkplaceMan::FieldDefs(), {{"", "Hall", QVariant(), ""}});
    Open();
    ASSERT_EQ(Store->Workplaces->WorkplaceCount(), 1);
    EXPECT_EQ(Store->Workplaces->Workplaces(0)->Color(), 0xFFFFFFu);
    EXPECT_EQ(Store->Workplaces->Workplaces(0)->Shortcut(), "Hal");
}

TEST_F(WorkplacesTest, LongShortcutsAreCutWhenStored)
{
    TWorkplace* w = AddWorkplace("Warehouse", "ABCDEFGHIJKLMN");
    const int id = w->ID();
    Reopen();
    EXPECT_EQ(Store->Workplaces->Workplaces(-id)->Shortcut(), "ABCDEFGHIJ");
}

} // namespace
