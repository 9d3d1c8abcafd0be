// Table files as a crash, a bad disk or another program leave them: the
// store neither loses nor alters what it finds, and says what it cannot use.
#include "data_fixture.h"

#include <QCryptographicHash>

namespace {

class HostileFilesTest : public DataTest {
protected:
    static QByteArray Hash(const QString& AFileName)
    {
        QFile file(AFileName);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    // Runs statements on a file through a connection of its own.
    static void Exec(const QString& AFileName, const QStringList& AStatements)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "hostile");
            db.setDatabaseName(AFileName);
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            for (const QString& sql : AStatements)
                ASSERT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase("hostile");
    }
    QStringList PersonNames() const
    {
        QStringList names;
        for (int i = 0; i < Store->Persons->PersonCount(); ++i)
            names << Store->Persons->Persons(i)->Name();
        return names;
    }
    QStringList Messages() { return Dialogs().MessageTexts(); }
    QString UnusableRowsMessage(const QString& AFile, const QString& ARows) const
    {
        return QString("The data file \"%1%2\" holds %3 that cannot be used (damaged, or with an ID out of range).\r\n"
                       "The program does not show them and leaves them in the file unchanged.")
            .arg(Folder, AFile, ARows);
    }
};

TEST_F(HostileFilesTest, AMoveOntoAFolderWithAStaleLogKeepsExactlyTheMovedData)
{
    // The target as a run killed there left it: "Crash Worker" only in the log.
    const QString target = IncludeBackslash(TestEnv::NewFolder("stale"));
    const QString stale = target + "Workers.cds";
    WriteTableFile(stale, TPersonMan::FieldDefs(), {});
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "crashed");
        db.setDatabaseName(stale);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("PRAGMA journal_mode=WAL") && query.exec("PRAGMA wal_autocheckpoint=0"));
        ASSERT_TRUE(QFile::copy(stale, stale + ".kept"));
        ASSERT_TRUE(query.exec("INSERT INTO Data (Name, SortingName) VALUES ('Crash Worker', 'Crash Worker')"));
        for (const char* suffix : {"-wal", "-shm"})
            ASSERT_TRUE(QFile::copy(stale + suffix, stale + suffix + ".kept"));
    }
    QSqlDatabase::removeDatabase("crashed");
    for (const char* suffix : {"", "-wal", "-shm"}) {
        QFile::remove(stale + suffix);
        ASSERT_TRUE(QFile::rename(stale + suffix + ".kept", stale + suffix));
    }
    ASSERT_GT(QFileInfo(stale + "-wal").size(), 0);
    // Copied elsewhere, such a file takes its log along.
    const QString copy = IncludeBackslash(TestEnv::NewFolder("copy")) + "Workers.cds";
    ASSERT_TRUE(SafeCopyFile(stale, copy));
    EXPECT_EQ(FileRows(copy, "SELECT Name FROM Data"), QList<QStringList>{{"Crash Worker"}});

    Open();
    for (const char* name : {"Ann", "Bob", "Cid"})
        AddPerson(name);
    Dialogs().AnswerMessage(mrYes);
    ASSERT_TRUE(Store->DataMan->ChangeDataDir(Folder, target));
    EXPECT_EQ(PersonNames(), (QStringList{"Ann", "Bob", "Cid"}));
    Store.reset();
    EXPECT_EQ(FileRows(stale, "SELECT Name FROM Data ORDER BY ID"), (QList<QStringList>{{"Ann"}, {"Bob"}, {"Cid"}}));
    EXPECT_EQ(QFileInfo(stale + "-wal").size(), 0);
}

TEST_F(HostileFilesTest, ALoggedFileShorterThanItsHeaderSaysIsReadFromItsLog)
{
    // A checkpoint cut short by a power cut: the first page, with the new
    // size, reached the file, the pages after it did not; the log has them all.
    Open();
    AddPerson("Ann");
    Store.reset();
    const QString file = Folder + "Workers.cds";
    QFile original(file);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray before = original.readAll();
    original.close();
    QByteArray firstPage, log;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "growing");
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("PRAGMA wal_autocheckpoint=0"));
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(query.exec(QString("INSERT INTO Data (Name, SortingName, Note) VALUES ('W%1', 'W%1', '%2')")
                                       .arg(i)
                                       .arg(QString(60, QChar('x')))));
        ASSERT_TRUE(query.exec("PRAGMA wal_checkpoint(PASSIVE)"));
        QFile grown(file), wal(file + "-wal");
        ASSERT_TRUE(grown.open(QIODevice::ReadOnly) && wal.open(QIODevice::ReadOnly));
        firstPage = grown.read(4096);
        log = wal.readAll();
    }
    QSqlDatabase::removeDatabase("growing");
    ASSERT_GT(log.size(), 0);
    before.replace(0, 4096, firstPage);
    for (const auto& [name, content] : {std::pair{file, before}, std::pair{file + "-wal", log}}) {
        QFile out(name);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(content) == content.size());
    }
    QFile::remove(file + "-shm");

    Open();
    EXPECT_EQ(Messages(), QStringList());
    EXPECT_EQ(Store->Persons->PersonCount(), 201);
    EXPECT_EQ(QDir(Folder).entryList({"Workers.cds.*"}), QStringList());
}

TEST_F(HostileFilesTest, FilesThatAreNotOursOrCannotBeUpgradedStayByteForByte)
{
    // A database of another program is set aside as it was.
    Exec(Folder + "Jobs.cds", {"CREATE TABLE foo(a, b)", "INSERT INTO foo VALUES (1, 'x')"});
    const QByteArray foreign = Hash(Folder + "Jobs.cds");
    // An outdated workers file whose backup cannot be written: ".bak" is a folder.
    TFieldDefs outdated = TPersonMan::FieldDefs();
    outdated.removeLast();
    WriteTableFile(Folder + "Workers.cds", outdated, {{"Ann", "Ann", "", 0, 0}});
    ASSERT_TRUE(QDir().mkdir(Folder + "Workers.cds.bak"));
    const QByteArray workers = Hash(Folder + "Workers.cds");
    Dialogs().AnswerMessage(mrOk);
    Dialogs().AnswerMessage(mrOk);
    Open();
    ASSERT_EQ(Messages().size(), 2);
    EXPECT_TRUE(Messages()[0].startsWith(QString("The data file \"%1Workers.cds\" has the structure of another version "
                                                 "and could not be upgraded: its backup copy \"Workers.cds.bak\"")
                                             .arg(Folder)))
        << Messages()[0].toStdString();
    const QStringList aside = QDir(Folder).entryList({"Jobs.cds.????"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(Hash(Folder + aside.first()), foreign);
    // The old file reads but takes no change, and stays as it was.
    EXPECT_EQ(PersonNames(), QStringList{"Ann"});
    EXPECT_FALSE(Store->Persons->Table().CanModify());
    Store.reset();
    EXPECT_EQ(Hash(Folder + "Workers.cds"), workers);

    // The same file in a folder that may not be written.
    ASSERT_TRUE(QDir(Folder + "Workers.cds.bak").removeRecursively());
    if (!SetWritable(Folder, false))
        GTEST_SKIP() << "this file system cannot make a folder read-only";
    Dialogs().Reset();
    Dialogs().AnswerMessage(mrOk);
    Open();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains("could not be upgraded: the file or its folder may not be written."));
    EXPECT_EQ(PersonNames(), QStringList{"Ann"});
    Store.reset();
    SetWritable(Folder, true);
    EXPECT_EQ(Hash(Folder + "Workers.cds"), workers);
}

TEST_F(HostileFilesTest, AListedColumnTheDataTableLacksIsRebuiltWithItsRows)
{
    TFieldDefs defs = TPersonMan::FieldDefs();
    defs.removeLast();
    WriteTableFile(Folder + "Workers.cds", defs, {{"Ann", "Ann", "a note", 0, 0}, {"Bob", "Bob", "", 0, 0}});
    // The field list names NoteOut, the data table has no such column.
    Exec(Folder + "Workers.cds", {"INSERT INTO Fields (Position, Name, Type, Size) VALUES (6, 'NoteOut', 2, 80)"});
    Open();
    EXPECT_EQ(PersonNames(), (QStringList{"Ann", "Bob"}));
    EXPECT_EQ(Store->Persons->Persons(0)->NoteOut(), "");
    EXPECT_EQ(Store->Persons->Persons(0)->Note(), "a note");
    TPerson* ann = Store->Persons->Persons(0);
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetNoteOut("away"); }, true);
    EXPECT_TRUE(Store->Persons->EditPerson(ann));
    Store.reset();
    EXPECT_EQ(FileRows(Folder + "Workers.cds", "SELECT Name, NoteOut FROM Data ORDER BY ID"),
        (QList<QStringList>{{"Ann", "away"}, {"Bob", ""}}));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(HostileFilesTest, UnusableRowsAreToldOnceAndStayInTheFile)
{
    WriteTableFile(Folder + "Workers.cds", TPersonMan::FieldDefs(),
        {{"Ann", "Ann", "", 0, 0, ""}, {"Zero", "Zero", "", 0, 0, ""}, {"Minus", "Minus", "", 0, 0, ""},
            {"Bob", "Bob", "", 0, 0, ""}});
    Exec(Folder + "Workers.cds",
        {"UPDATE Data SET ID = 0 WHERE Name = 'Zero'", "UPDATE Data SET ID = -3 WHERE Name = 'Minus'"});
    const TDate day = Day(2026, 5, 4);
    WriteTableFile(Folder + "Workplaces.cds", TWorkplaceMan::FieldDefs(), {{"K", "Kitchen", 0, ""}});
    WriteTableFile(Folder + "Jobs.cds", TJobMan::FieldDefs(),
        {{day, 1, "Ann", 1, "K", "Kitchen", ""}, {day, 4, "Bob", 1, "K", "Kitchen", ""}});
    Exec(
        Folder + "Jobs.cds", {"UPDATE Data SET WorkplaceID = 2147483648 WHERE PersonID = 4",
                                 QString("INSERT INTO Data (Date, PersonID, WorkplaceID) VALUES (%1, 0, 1)").arg(day)});
    Dialogs().AnswerMessage(mrOk);
    Dialogs().AnswerMessage(mrOk);
    Open();
    ASSERT_EQ(MessagesAfterChecks().size(), 2);
    EXPECT_EQ(Messages()[0], UnusableRowsMessage("Workers.cds", "2 rows"));
    EXPECT_EQ(Messages()[1], UnusableRowsMessage("Jobs.cds", "2 rows"));
    EXPECT_EQ(PersonNames(), (QStringList{"Ann", "Bob"}));
    EXPECT_EQ(JobPairs(day), (std::set<std::pair<int, int>>{{1, 1}}));
    // A save, a compression and another start keep them, and say nothing more.
    EXPECT_NE(AddPerson("Cid"), nullptr);
    Store->Persons->CloseDBFiles();
    Store->Jobs->CloseDBFiles();
    EXPECT_TRUE(Store->DataMan->CommpressDB(Folder + "Workers.cds"));
    EXPECT_TRUE(Store->DataMan->CommpressDB(Folder + "Jobs.cds"));
    Reopen();
    EXPECT_EQ(MessagesAfterChecks().size(), 2);
    Store.reset();
    EXPECT_EQ(FileRows(Folder + "Workers.cds", "SELECT ID FROM Data WHERE ID < 1 ORDER BY ID"),
        (QList<QStringList>{{"-3"}, {"0"}}));
    EXPECT_EQ(FileRows(Folder + "Jobs.cds", "SELECT count(*) FROM Data"), QList<QStringList>{{"3"}});
}

TEST_F(HostileFilesTest, AWalkBrokenByADamagedPageSaysSo)
{
    // Eleven workers with long notes fill several pages; then the header of
    // one page between the first and the last is overwritten.
    ASSERT_TRUE(WriteEmptyTableFile(Folder + "Workers.cds", TPersonMan::FieldDefs()));
    QStringList inserts;
    for (int i = 0; i < 11; ++i)
        inserts << QString("INSERT INTO Data (Name, Note) VALUES ('Worker %1', '%2')").arg(i).arg(QString(1000, 'x'));
    Exec(Folder + "Workers.cds", inserts);
    {
        QFile file(Folder + "Workers.cds");
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const qint64 pages = file.size() / 4096;
        ASSERT_GE(pages, 6);
        file.seek((pages - 2) * 4096);
        file.write(QByteArray(8, '\x7f'));
    }
    Dialogs().AnswerMessage(mrOk);
    Open();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0], UnusableRowsMessage("Workers.cds", "rows"));
    // The rows before the damage are there, and stay in the file when saved.
    EXPECT_EQ(PersonNames(), (QStringList{"Worker 0", "Worker 1", "Worker 2", "Worker 3"}));
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetNote("seen"); }, true);
    EXPECT_TRUE(Store->Persons->EditPerson(Store->Persons->Persons(0)));
}

TEST_F(HostileFilesTest, NumbersAtTheEndOfNamesCountOnWithoutOverflow)
{
    WriteTableFile(Folder + "Workers.cds", TPersonMan::FieldDefs(),
        {{"Eva2147483647", "", "", 0, 0, ""}, {"Eva2147483647", "", "", 0, 0, ""}});
    Dialogs().AnswerMessage(mrOk);
    Open();
    EXPECT_EQ(PersonNames(), (QStringList{"Eva2147483647", "Eva2147483648"}));
    ASSERT_NE(AddPerson("x2147483647"), nullptr);
    TPerson* second = AddPerson("x2147483647");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Name(), "x2147483648");
    // A run of digits no int holds counts as none.
    EXPECT_EQ(AddPerson("X99999999999")->Name(), "X99999999999");
    EXPECT_EQ(AddPerson("x99999999999")->Name(), "x1");
}

} // namespace
