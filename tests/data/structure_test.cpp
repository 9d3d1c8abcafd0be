#include "data_fixture.h"

#include <QSqlQuery>

#include <unistd.h>

namespace {

class StructureTest : public DataTest {
protected:
    TFieldDefs WorkersWithout(const QString& AField)
    {
        TFieldDefs defs = TPersonMan::FieldDefs();
        defs.erase(
            std::remove_if(defs.begin(), defs.end(), [&](const TFieldDef& d) { return d.Name == AField; }), defs.end());
        return defs;
    }
    // Five old workers, 3 and 4 deleted: IDs 1, 2, 5 with a gap.
    void WriteWorkers(const TFieldDefs& ADefs)
    {
        QList<QVariantList> rows;
        for (const char* name : {"Ann", "Bob", "Cid", "Dan", "Eva"})
            rows << QVariantList{name, name, "note", Day(2026, 1, 1), 0};
        WriteTableFile(Folder + "Workers.cds", ADefs, rows, {3, 4});
    }
    QList<int> PersonIDs() const
    {
        QList<int> ids;
        for (int i = 0; i < Store->Persons->PersonCount(); ++i)
            ids << Store->Persons->Persons(i)->ID();
        return ids;
    }
    QStringList FieldNames(const QString& AFile) const
    {
        TTable table("probe");
        table.SetFileName(AFile);
        QStringList names;
        if (table.Open() == orOpened)
            for (const TFieldDef& def : table.FieldDefs())
                names << def.Name;
        return names;
    }
    QStringList AsideFiles(const QString& AName) const
    {
        return QDir(Folder).entryList({AName + ".????"}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

TEST_F(StructureTest, AnEmptyFolderGetsTheFourTablesAndStaysClean)
{
    Open();
    EXPECT_EQ(FieldNames(Folder + "Jobs.cds"), (QStringList{"ID", "Date", "PersonID", "PersonName", "WorkplaceID",
                                                   "WorkplaceShortcut", "WorkplaceName", "Note"}));
    EXPECT_EQ(FieldNames(Folder + "Macros.cds"), (QStringList{"Name", "PersonID", "WorkplaceID"}));
    AddPerson("Ann");
    Store.reset();
    // Besides the tables only the lock file copies of the program hold.
    EXPECT_EQ(FolderEntries(Folder),
        (QStringList{TFolderHold::LockFileName(), "Jobs.cds", "Macros.cds", "Workers.cds", "Workplaces.cds"}));
}

TEST_F(StructureTest, AnOlderFieldListIsRebuiltKeepingIdsGapsAndCounter)
{
    WriteWorkers(WorkersWithout("NoteOut"));
    Open();
    EXPECT_EQ(PersonIDs(), (QList<int>{1, 2, 5}));
    EXPECT_EQ(Store->Persons->Persons(-5)->Name(), "Eva");
    EXPECT_EQ(Store->Persons->Persons(-5)->Note(), "note");
    EXPECT_EQ(Store->Persons->Persons(-5)->NoteOut(), "");
    EXPECT_EQ(FieldNames(Folder + "Workers.cds").size(), 7);
    // The backup holds the old field list and every old record.
    EXPECT_EQ(FieldNames(Folder + "Workers.cds.bak").size(), 6);
    TTable bak("bak");
    bak.SetFileName(Folder + "Workers.cds.bak");
    ASSERT_EQ(bak.Open(), orOpened);
    EXPECT_EQ(bak.RecordCount(), 3);
    EXPECT_TRUE(bak.Locate("ID", 5));
    bak.Close();
    EXPECT_EQ(AddPerson("Fay")->ID(), 6);
}

TEST_F(StructureTest, ALetterCaseRenameIsRebuiltAndTheDataKept)
{
    TFieldDefs defs = TPersonMan::FieldDefs();
    defs[1].Name = "name";
    WriteWorkers(defs);
    Open();
    EXPECT_EQ(FieldNames(Folder + "Workers.cds")[1], "Name");
    EXPECT_TRUE(QFileInfo::exists(Folder + "Workers.cds.bak"));
    EXPECT_NE(Store->Persons->Persons("Eva"), nullptr);
}

TEST_F(StructureTest, ALongerTextIsKeptAShorterOneRebuilt)
{
    TFieldDefs longer = TPersonMan::FieldDefs();
    longer[1].Size = 60;
    WriteWorkers(longer);
    Open();
    EXPECT_FALSE(QFileInfo::exists(Folder + "Workers.cds.bak"));
    Store.reset();
    TFieldDefs shorter = TPersonMan::FieldDefs();
    shorter[1].Size = 40;
    QFile::remove(Folder + "Workers.cds");
    WriteWorkers(shorter);
    Open();
    EXPECT_TRUE(QFileInfo::exists(Folder + "Workers.cds.bak"));
    EXPECT_EQ(PersonIDs(), (QList<int>{1, 2, 5}));
}

TEST_F(StructureTest, ARebuildCutsTextsAsAWriteCutsThem)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    TFieldDefs older = WorkersWithout("NoteOut");
    older[1].Size = 60;
    WriteTableFile(
        Folder + "Workers.cds", older, {{QString(49, 'a') + smile + "tail", "Ann", "note", Day(2026, 1, 1), 0}});
    Open();
    EXPECT_TRUE(QFileInfo::exists(Folder + "Workers.cds.bak"));
    ASSERT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_EQ(Store->Persons->Persons(0)->Name(), QString(49, 'a'));
    EXPECT_EQ(
        TableFileQuery(Folder + "Workers.cds", "SELECT CAST(Name AS BLOB) FROM Data").value(0).value(0).toByteArray(),
        QByteArray(49, 'a'));
}

TEST_F(StructureTest, DamagedFilesAreSetAsideAndReplaced)
{
    QByteArray sqlite;
    {
        WriteWorkers(TPersonMan::FieldDefs());
        QFile f(Folder + "Workers.cds");
        f.open(QIODevice::ReadOnly);
        sqlite = f.readAll();
    }
    QByteArray random(3000, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 251);
    const QList<QPair<QString, QByteArray>> cases = {
        {"zero length", QByteArray()},
        {"random bytes", random},
        {"truncated", sqlite.left(sqlite.size() / 2)},
    };
    for (const auto& [label, content] : cases) {
        SCOPED_TRACE(label.toStdString());
        QDir(Folder).removeRecursively();
        QDir().mkpath(Folder);
        {
            QFile f(Folder + "Workers.cds");
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        Dialogs().AnswerMessage(mrOk);
        Open();
        const QStringList aside = AsideFiles("Workers.cds");
        ASSERT_EQ(aside.size(), 1);
        QFile kept(Folder + aside.first());
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), content);
        ASSERT_EQ(Dialogs().MessageTexts().size(), 1);
        EXPECT_TRUE(Dialogs().MessageTexts().first().contains(aside.first()));
        EXPECT_EQ(Store->Persons->PersonCount(), 0);
        EXPECT_NE(AddPerson("Ann"), nullptr);
        Store.reset();
        Dialogs().Reset();
    }
}

TEST_F(StructureTest, AForeignDatabaseAndAFolderAreSetAside)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName(Folder + "Jobs.cds");
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("CREATE TABLE invoices (id INTEGER, total REAL)"));
        ASSERT_TRUE(q.exec("INSERT INTO invoices VALUES (1, 9.5)"));
        db.close();
    }
    QSqlDatabase::removeDatabase("foreign");
    ASSERT_TRUE(QDir().mkdir(Folder + "Macros.cds"));
    Dialogs().AnswerMessage(mrOk);
    Dialogs().AnswerMessage(mrOk);
    Open();
    ASSERT_EQ(AsideFiles("Jobs.cds").size(), 1);
    ASSERT_EQ(AsideFiles("Macros.cds").size(), 1);
    EXPECT_TRUE(QFileInfo(Folder + AsideFiles("Macros.cds").first()).isDir());
    EXPECT_NE(Store->Jobs->AddJob(Day(2026, 3, 1), AddPerson("Ann"), AddWorkplace("Hall")), nullptr);
    TMacro macro;
    macro.SetName("A");
    macro.MacroJobs()->AddMacroJob(1, 1);
    EXPECT_TRUE(Store->Macros->PutMacro(&macro));
}

TEST_F(StructureTest, AReadOnlyFileIsReadButNotWritten)
{
    WriteWorkers(WorkersWithout("NoteOut"));
    if (!SetWritable(Folder + "Workers.cds", false))
        GTEST_SKIP() << "this file system cannot make a file read-only";
    Dialogs().AnswerMessage(mrOk);
    Open();
    EXPECT_TRUE(Dialogs().MessageTexts().value(0).contains("could not be upgraded"));
    EXPECT_EQ(PersonIDs(), (QList<int>{1, 2, 5}));
    EXPECT_EQ(AddPerson("Fay"), nullptr);
    EXPECT_FALSE(Store->Persons->DeletePerson(1));
    EXPECT_EQ(Store->Persons->PersonCount(), 3);
    EXPECT_FALSE(QFileInfo::exists(Folder + "Workers.cds.bak"));
    Store.reset();
    SetWritable(Folder + "Workers.cds", true);
}

TEST_F(StructureTest, AReadOnlyFolderKeepsItsDataAndRefusesWrites)
{
    Open();
    AddPerson("Ann");
    Store.reset();
    QFile::remove(Folder + "Jobs.cds");
    if (!SetWritable(Folder, false))
        GTEST_SKIP() << "this file system cannot make a folder read-only";
    Open();
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_EQ(AddPerson("Bob"), nullptr);
    // The missing jobs file cannot be made: an empty table stands in.
    EXPECT_TRUE(Store->Jobs->Table().Active());
    auto hall = TSCObject::Create<TWorkplace>();
    hall->SetName("Hall");
    EXPECT_EQ(Store->Jobs->AddJob(Day(2026, 3, 1), Store->Persons->Persons(0), hall.get()), nullptr);
    Store.reset();
    SetWritable(Folder, true);
    EXPECT_FALSE(QFileInfo::exists(Folder + "Jobs.cds"));
}

TEST_F(StructureTest, OnANetworkFileSystemTheFilesUseARollbackJournal)
{
    EXPECT_FALSE(OnNetworkFileSystem(Folder + "Workers.cds"));
    for (const long type : {0x6969L, 0x517BL, 0xFF534D42L, 0xFE534D42L})
        EXPECT_TRUE(IsNetworkFileSystemType(type)) << type;
    // ext4, tmpfs, btrfs, xfs, overlay, FUSE (local as often as not).
    for (const long type : {0xEF53L, 0x01021994L, 0x9123683EL, 0x58465342L, 0x794C7630L, 0x65735546L})
        EXPECT_FALSE(IsNetworkFileSystemType(type)) << type;

    // Files made in write-ahead logging, then the folder seen on a network
    // file system: an old file switches, a new one starts with a journal.
    Open();
    AddPerson("Ann");
    Store.reset();
    QFile::remove(Folder + "Macros.cds");
    struct TProbe {
        TProbe()
        {
            SetNetworkFileSystemProbe([](const QString&) { return true; });
        }
        ~TProbe() { SetNetworkFileSystemProbe(nullptr); }
    } probe;
    Open();
    AddPerson("Bob");
    for (const char* name : {"Workers.cds", "Macros.cds"}) {
        EXPECT_FALSE(IsLoggedFile(Folder + name)) << name;
        EXPECT_FALSE(QFileInfo::exists(Folder + name + "-wal")) << name;
    }
    Store.reset();
    EXPECT_EQ(
        FileRows(Folder + "Workers.cds", "SELECT Name FROM Data ORDER BY ID"), (QList<QStringList>{{"Ann"}, {"Bob"}}));
}

} // namespace
