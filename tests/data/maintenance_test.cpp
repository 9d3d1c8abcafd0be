#include "data_fixture.h"

#include <QDateTime>
#include <QThread>

#include <unistd.h>

namespace {

struct TLog {
    QList<int> Positions;
    QStringList Texts;
    TDataMaintenanceInfoCallBackProc Proc()
    {
        return [this](int p, const QString& t) {
            Positions << p;
            Texts << t;
        };
    }
    // The positions of the reports that carry text.
    QList<int> TextPositions() const
    {
        QList<int> result;
        for (int i = 0; i < Texts.size(); ++i)
            if (!Texts[i].isEmpty())
                result << Positions[i];
        return result;
    }
};

class MaintenanceTest : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        Open();
        Ann = AddPerson("Ann");
        Hall = AddWorkplace("Hall");
        Store->Jobs->AddJob(Day(2026, 2, 28), Ann, Hall);
        Store->Jobs->AddJob(Day(2026, 3, 1), Ann, Hall);
    }
    int JobsBetween(TDate AFrom, TDate ATo)
    {
        FilterJobs(AFrom, ATo);
        return Store->Jobs->JobCount();
    }
    TPerson* Ann = nullptr;
    TWorkplace* Hall = nullptr;
};

TEST_F(MaintenanceTest, PlainRunLogAndPositions)
{
    TLog log;
    Store->DataMan->RunMaintenance(0, log.Proc(), false);
    EXPECT_EQ(log.TextPositions(), (QList<int>{0, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 100, 0}));
    ASSERT_EQ(log.Texts.size(), 14);
    EXPECT_TRUE(log.Texts[0].endsWith("\r\n"));
    EXPECT_EQ(log.Texts.mid(1, 12),
        (QStringList{"Closing data files...", "OK\r\n", "Compressing data file \"Workers.cds\"...", "OK\r\n",
            "Compressing data file \"Workplaces.cds\"...", "OK\r\n", "Compressing data file \"Jobs.cds\"...", "OK\r\n",
            "Compressing data file \"Macros.cds\"...", "OK\r\n", "Opening data files...", "OK\r\n"}));
    EXPECT_FALSE(log.Texts.last().endsWith("\r\n"));
    EXPECT_FALSE(log.Texts.last().isEmpty());
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_EQ(JobsBetween(Day(2026, 1, 1), Day(2026, 12, 31)), 2);
}

TEST_F(MaintenanceTest, BackupAndPurgePositions)
{
    TLog log;
    Store->DataMan->RunMaintenance(Day(2026, 3, 1), log.Proc(), true);
    EXPECT_EQ(log.TextPositions(), (QList<int>{0, 5, 10, 15, 20, 22, 24, 26, 28, 30, 32, 34, 36, 36, 50, 55, 60, 65, 70,
                                       75, 80, 85, 90, 95, 100, 0}));
    // The purge reports from 36 towards 50 with empty texts.
    QList<int> purge;
    for (int i = 0; i < log.Texts.size(); ++i)
        if (log.Texts[i].isEmpty())
            purge << log.Positions[i];
    EXPECT_EQ(purge, (QList<int>{36, 43}));
    EXPECT_TRUE(log.Texts.contains("Deleting records older than 01/03/2026..."));
    EXPECT_EQ(JobsBetween(Day(2026, 1, 1), Day(2026, 12, 31)), 1);
    EXPECT_EQ(JobsBetween(Day(2026, 3, 1), Day(2026, 3, 1)), 1);
    const QStringList backups = QDir(Folder).entryList({"??????????????"}, QDir::Dirs);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(FolderEntries(Folder + backups.first()),
        (QStringList{"Jobs.cds", "Macros.cds", "Workers.cds", "Workplaces.cds"}));
}

TEST_F(MaintenanceTest, OtherRunsPositions)
{
    TLog purge;
    Store->DataMan->RunMaintenance(Day(2026, 3, 1), purge.Proc(), false);
    EXPECT_EQ(purge.TextPositions(), (QList<int>{0, 5, 10, 10, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100, 0}));
    TLog backup;
    Store->DataMan->RunMaintenance(0, backup.Proc(), true);
    EXPECT_EQ(backup.TextPositions(),
        (QList<int>{0, 5, 10, 15, 20, 22, 24, 26, 28, 30, 32, 34, 36, 46, 56, 66, 76, 86, 96, 106, 116, 121, 100, 0}));
}

TEST_F(MaintenanceTest, SameSecondBackupIsInterruptedAndTablesReopen)
{
    // The backup folder of a run in any of the next 30 seconds already
    // exists, as after an earlier run in the same second; so a slow machine
    // gives the same result as a fast one.
    const QDateTime now = QDateTime::currentDateTime();
    for (int second = 0; second < 30; ++second)
        ASSERT_TRUE(QDir().mkpath(Folder + now.addSecs(second).toString("yyyyMMddHHmmss")));
    TLog log;
    Store->DataMan->RunMaintenance(0, log.Proc(), true);
    ASSERT_GE(log.Texts.size(), 5);
    EXPECT_EQ(log.Texts[4], "\r\nError! Can not create backup folder. Maintenance will be interrupted.");
    EXPECT_EQ(log.Positions[4], 20);
    EXPECT_EQ(log.Texts.size(), 6);
    EXPECT_EQ(log.Positions.last(), 0);
    // The early stop still leaves the tables open.
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_NE(AddPerson("Bob"), nullptr);
}

TEST_F(MaintenanceTest, CompressionKeepsIdsAndTheCounter)
{
    for (int i = 2; i <= 12; ++i)
        AddPerson(QString("P%1").arg(i));
    for (int id : {2, 3, 5, 6, 7, 8, 10, 11, 12})
        ASSERT_TRUE(Store->Persons->DeletePerson(id));
    Store->DataMan->RunMaintenance(0, nullptr, false);
    QList<int> ids;
    for (int i = 0; i < Store->Persons->PersonCount(); ++i)
        ids << Store->Persons->Persons(i)->ID();
    EXPECT_EQ(ids, (QList<int>{1, 4, 9}));
    EXPECT_EQ(AddPerson("New")->ID(), 13);
}

TEST_F(MaintenanceTest, CompressingAMissingOrDamagedFileFailsAndKeepsIt)
{
    EXPECT_FALSE(Store->DataMan->CommpressDB(Folder + "None.cds"));
    {
        QFile f(Folder + "Junk.cds");
        f.open(QIODevice::WriteOnly);
        f.write("not a table");
    }
    EXPECT_FALSE(Store->DataMan->CommpressDB(Folder + "Junk.cds"));
    QFile f(Folder + "Junk.cds");
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), QByteArray("not a table"));
    EXPECT_FALSE(QFileInfo::exists(Folder + "Junk.cds.new"));
}

class DataDirTest : public MaintenanceTest {};

TEST_F(DataDirTest, TheSameFolderDoesNothingButLetterCaseMakesAnother)
{
    EXPECT_TRUE(Store->DataMan->ChangeDataDir(Folder, Folder + "./"));
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());
    const QString upper = ExcludeBackslash(Folder) + "X/";
    const QString lower = ExcludeBackslash(Folder) + "x/";
    EXPECT_TRUE(Store->DataMan->ChangeDataDir(Folder, upper));
    EXPECT_EQ(Store->DataMan->DataDir(), upper);
    EXPECT_TRUE(Store->DataMan->ChangeDataDir(upper, lower));
    EXPECT_EQ(Store->DataMan->DataDir(), lower);
    EXPECT_TRUE(QFileInfo::exists(lower + "Workers.cds"));
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
}

TEST_F(DataDirTest, TheOverwriteQuestionsThreeAnswers)
{
    const QString target = IncludeBackslash(TestEnv::NewFolder("target"));
    auto writeJobs = [&] {
        QFile::remove(target + "Jobs.cds");
        ASSERT_TRUE(WriteEmptyTableFile(target + "Jobs.cds", TJobMan::FieldDefs()));
    };
    writeJobs();
    // Cancel: nothing closed, nothing copied.
    Dialogs().AnswerMessage(mrCancel);
    EXPECT_FALSE(Store->DataMan->ChangeDataDir(Folder, target));
    EXPECT_EQ(Dialogs().MessageTexts().last(),
        QString("Some files already exist on the new location\r\n\"%1\"\r\nDo you want to overwrite it?")
            .arg(ExcludeBackslash(target)));
    EXPECT_EQ(Store->DataMan->DataDir(), Folder);
    EXPECT_EQ(JobsBetween(Day(2026, 1, 1), Day(2026, 12, 31)), 2);
    // No: the files there are used as they are.
    Dialogs().AnswerMessage(mrNo);
    EXPECT_TRUE(Store->DataMan->ChangeDataDir(Folder, target));
    EXPECT_EQ(JobsBetween(Day(2026, 1, 1), Day(2026, 12, 31)), 0);
    EXPECT_EQ(Store->Persons->PersonCount(), 0);
    EXPECT_EQ(Dialogs().MessageTexts().size(), 2);
    // Yes: the old files replace them.
    Dialogs().AnswerMessage(mrNo);
    EXPECT_TRUE(Store->DataMan->ChangeDataDir(target, Folder));
    Dialogs().AnswerMessage(mrYes);
    EXPECT_TRUE(Store->DataMan->ChangeDataDir(Folder, target));
    EXPECT_EQ(JobsBetween(Day(2026, 1, 1), Day(2026, 12, 31)), 2);
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
}

TEST_F(DataDirTest, AFailedCopyReopensTheOldFolder)
{
    const QString target = IncludeBackslash(TestEnv::NewFolder("locked"));
    if (!SetWritable(target, false))
        GTEST_SKIP() << "this file system cannot make a folder read-only";
    EXPECT_FALSE(Store->DataMan->ChangeDataDir(Folder, target));
    EXPECT_EQ(Store->DataMan->DataDir(), Folder);
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_NE(AddPerson("Bob"), nullptr);
    SetWritable(target, true);
}

} // namespace

namespace {

TEST_F(DataDirTest, TheSetupDialogMovesTheDataThroughTheDataManager)
{
    const QString target = IncludeBackslash(ExcludeBackslash(Folder) + "-moved");
    EditorDoes(
        "TSetupEditor", [target](TObject* o) { static_cast<TSetup*>(o)->Data()->SetOtherDataFolder(target); }, true);
    ASSERT_TRUE(Store->Setup->Edit(0));
    EXPECT_EQ(Store->DataMan->DataDir(), target);
    EXPECT_EQ(Store->Setup->Data()->DataDir(), target);
    EXPECT_TRUE(QFileInfo::exists(target + "Jobs.cds"));
    EXPECT_EQ(JobsBetween(Day(2026, 1, 1), Day(2026, 12, 31)), 2);

    // A folder that cannot be made puts the setting back; the tables stay.
    QFile blocker(ExcludeBackslash(Folder) + "-file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString impossible = ExcludeBackslash(Folder) + "-file/sub/";
    EditorDoes(
        "TSetupEditor", [impossible](TObject* o) { static_cast<TSetup*>(o)->Data()->SetOtherDataFolder(impossible); },
        true);
    Store->Setup->Edit(0);
    EXPECT_EQ(Store->Setup->Data()->DataDir(), target);
    EXPECT_EQ(Store->DataMan->DataDir(), target);
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
}

} // namespace
