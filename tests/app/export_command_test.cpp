// The export command line as a user runs it, where no display can be had:
// files read back by other parsers, one line and its own exit code for each
// bad input, and the data folder left exactly as it was found.
#include "app/export_command.h"
#include "core/program_info.h"
#include "data/data_fixture.h"
#include "data/plan_copy.h"
#include "schedule/export/export_readers.h"
#include "schedule/export/plan_export.h"
#include "support/pg_server.h"

#include <QCryptographicHash>
#include <QMap>
#include <QSettings>

namespace {

using namespace ExportReaders;

QByteArray FileBytes(const QString& AFile)
{
    QFile file(AFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ExportCommandTest : public DataTest {
protected:
    struct TRun {
        int Code = -1;
        QByteArray Out;
        QByteArray Err;
    };

    void SetUp() override
    {
        DataTest::SetUp();
        Home = TestEnv::NewFolder(QStringLiteral("home"));
        Output = TestEnv::NewFolder(QStringLiteral("output")) + QStringLiteral("/out.csv");
    }
    // A window system touched would end the program: there is none.
    TRun Run(const QStringList& AArgs)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), Home);
        for (const char* name : {"XDG_CONFIG_HOME", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(PLENVO_PROGRAM), AArgs);
        EXPECT_TRUE(program.waitForFinished(60000) && program.exitStatus() == QProcess::NormalExit);
        return {program.exitCode(), program.readAllStandardOutput(), program.readAllStandardError()};
    }
    QStringList Export(const char* AFormat, const char* AFrom, const char* ATo, const QString& AOutput,
        const QStringList& AMore = {}) const
    {
        return QStringList{"--export", AFormat, "--from", AFrom, "--to", ATo, "--data-dir", Folder, "--output", AOutput}
               + AMore;
    }
    // Every file of the folder with a digest of its bytes.
    QMap<QString, QByteArray> FolderState() const
    {
        QMap<QString, QByteArray> state;
        for (const QString& name : FolderEntries(Folder)) {
            QFile file(Folder + name);
            state.insert(name, file.open(QIODevice::ReadOnly)
                                   ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                   : QByteArray("unreadable"));
        }
        return state;
    }
    // Ann and Bob at the kitchen (K) and the desk in December 2026; the
    // folder closed as the program leaves it.
    void Plan()
    {
        Open();
        TPerson* ann = AddPerson(QStringLiteral("Ann"));
        TPerson* bob = AddPerson(QStringLiteral("Bob, \"B\""));
        TWorkplace* kitchen = AddWorkplace(QStringLiteral("Kitchen"), QStringLiteral("K"));
        TWorkplace* desk = AddWorkplace(QStringLiteral("Desk"), QStringLiteral("D"));
        ASSERT_TRUE(ann && bob && kitchen && desk);
        for (int day = 1; day <= 31; day += 3) {
            ASSERT_TRUE(Store->Jobs->AddJob(Day(2026, 12, day), ann, kitchen));
            ASSERT_TRUE(Store->Jobs->AddJob(Day(2026, 12, day), bob, day % 2 ? desk : kitchen));
        }
        ASSERT_TRUE(Store->Jobs->AddJob(Day(2027, 1, 1), ann, desk));
        Store.reset();
    }

    QString Home;
    QString Output;
};

// The workers file as an older version wrote it (no NoteOut, Ann out on
// 4 and 5 December): read as it is, never upgraded by an export.
TEST_F(ExportCommandTest, AnOldFolderIsExportedAndLeftByteForByte)
{
    ASSERT_NO_FATAL_FAILURE(Plan());
    TFieldDefs older = TPersonMan::FieldDefs();
    older.removeIf([](const TFieldDef& ADef) { return ADef.Name == QLatin1String("NoteOut"); });
    ASSERT_NO_FATAL_FAILURE(WriteTableFile(Folder + "Workers.cds", older,
        {{"Ann", "Ann", QString(), Day(2026, 12, 4), 2}, {"Bob, \"B\"", "Bob, \"B\"", QString(), 0, 0}}));
    const auto before = FolderState();

    TRun run = Run(Export("csv", "2026-12-01", "2026-12-31", Output));
    ASSERT_EQ(run.Code, eecDone) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty() && run.Out.isEmpty());
    const QList<QStringList> rows = CsvRows(ReadBack(CsvScript, Output));
    ASSERT_EQ(rows.size(), 1 + 22);
    EXPECT_EQ(
        rows[1], (QStringList{"2026-12-01", "Tuesday", "Bob, \"B\"", "Bob, \"B\"", "2", "D", "Desk", "2", "", "", ""}));
    EXPECT_EQ(rows[3], (QStringList{"2026-12-04", "Friday", "Ann", "Ann", "1", "K", "Kitchen", "1", "", "absent", ""}));

    // The same on standard output, and from the folder the settings name.
    run = Run(Export("csv", "2026-12-01", "2026-12-31", "-"));
    EXPECT_EQ(run.Out, FileBytes(Output));
    {
        QSettings settings(Home + "/.config/Zanthor Software/Plenvo.conf", QSettings::IniFormat);
        settings.setValue(QStringLiteral("Data/DataDirKind"), 3);
        settings.setValue(QStringLiteral("Data/OtherDataFolder"), Folder);
    }
    QStringList fromSettings = Export("csv", "2026-12-01", "2026-12-31", "-");
    fromSettings.remove(6, 2);
    run = Run(fromSettings);
    EXPECT_EQ(run.Code, eecDone) << run.Err.toStdString();
    EXPECT_EQ(run.Out, FileBytes(Output));
    // Settings that name a server no one can reach: its words, and no file.
    {
        QSettings settings(Home + "/.config/Zanthor Software/Plenvo.conf", QSettings::IniFormat);
        settings.setValue(QStringLiteral("Data/DataDirKind"), 4);
        settings.setValue(QStringLiteral("Data/ServerConnInfo"), QStringLiteral("service=plenvo-none"));
    }
    run = Run(fromSettings);
    EXPECT_EQ(run.Code, eecDataFolder);
    EXPECT_TRUE(run.Err.contains("cannot connect to the server: ") && run.Err.contains("plenvo-none"))
        << run.Err.toStdString();
    EXPECT_TRUE(run.Out.isEmpty());

    // A worker named in another letter case and by ID; a workplace by its
    // shortcut; ten years less a day, the longest range.
    const QString ann = Output + ".ics";
    ASSERT_EQ(Run(Export("ics", "2026-12-01", "2027-01-31", ann, {"--worker", "aNN"})).Code, eecDone);
    const QJsonObject annRead = ReadBack(CalendarScript, ann);
    EXPECT_EQ(annRead.value(QStringLiteral("name")).toString(), QStringLiteral("Ann"));
    EXPECT_EQ(EventFields(annRead, "summary"), QStringList(11, "Kitchen") << "Desk");
    EXPECT_EQ(annRead.value(QStringLiteral("problems")).toArray(), QJsonArray());
    run = Run(Export("ics", "2026-12-01", "2027-01-31", "-", {"--worker", "1"}));
    EXPECT_TRUE(run.Out.contains(EventFields(annRead, "uid").last().toUtf8()) && run.Out.count("UID:") == 12);
    run = Run(Export("ics", "2026-12-01", "2026-12-31", "-", {"--workplace", "k"}));
    EXPECT_TRUE(run.Out.contains("X-WR-CALNAME:Kitchen\r\n") && run.Out.contains("SUMMARY:Bob\\, \"B\"\r\n"));
    EXPECT_EQ(run.Out.count("BEGIN:VEVENT"), 16);
    run = Run(Export("csv", "2020-01-01", "2029-12-31", "-"));
    EXPECT_EQ(run.Out.count("\r\n"), 1 + 23);

    EXPECT_EQ(FolderState(), before);
    // The program's own start does upgrade it: the folder truly needed it.
    Open();
    Store.reset();
    EXPECT_TRUE(QFileInfo::exists(Folder + "Workers.cds.bak"));
}

// The same plan on a server: the same files from --server and from settings
// that name it; a database without a plan is an error, never an empty file.
TEST_F(ExportCommandTest, AServersPlanIsExportedAsTheSameFolderPlan)
{
    if (const QString missing = TPgServer::Missing(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    QString error;
    TPgServer* server = TPgServer::Shared(&error);
    ASSERT_NE(server, nullptr) << error.toStdString();
    const QString connInfo = server->NewDatabase(&error);
    const QString empty = server->NewDatabase(&error);
    ASSERT_FALSE(connInfo.isEmpty() || empty.isEmpty()) << error.toStdString();
    ASSERT_NO_FATAL_FAILURE(Plan());
    ASSERT_TRUE(CopyPlan(FolderTables(Folder), ServerTables(connInfo), error)) << error.toStdString();
    const auto onServer = [](QStringList AArgs, const QString& AConnInfo) {
        AArgs.replace(6, "--server");
        AArgs.replace(7, AConnInfo);
        return AArgs;
    };

    for (const QStringList& only :
        {QStringList(), QStringList{"--worker", "bob, \"b\""}, QStringList{"--workplace", "2"}}) {
        const TRun folder = Run(Export("csv", "2026-12-01", "2027-01-31", "-", only));
        const TRun run = Run(onServer(Export("csv", "2026-12-01", "2027-01-31", "-", only), connInfo));
        EXPECT_EQ(run.Code, eecDone) << run.Err.toStdString();
        EXPECT_GT(folder.Out.count("\r\n"), 5) << only.join(' ').toStdString();
        EXPECT_EQ(run.Out, folder.Out) << only.join(' ').toStdString();
    }
    // A calendar: the same events, its UIDs of the server's plan.
    const TRun calendar = Run(onServer(Export("ics", "2026-12-01", "2027-01-31", "-", {"--worker", "1"}), connInfo));
    EXPECT_EQ(calendar.Code, eecDone) << calendar.Err.toStdString();
    EXPECT_EQ(calendar.Out.count("BEGIN:VEVENT"), 12);
    EXPECT_EQ(calendar.Out.count(("-" + ServerIdentity(connInfo) + "@plenvo\r\n").toUtf8()), 12);
    {
        QSettings settings(Home + "/.config/Zanthor Software/Plenvo.conf", QSettings::IniFormat);
        settings.setValue(QStringLiteral("Data/DataDirKind"), 4);
        settings.setValue(QStringLiteral("Data/ServerConnInfo"), connInfo);
    }
    QStringList fromSettings = Export("csv", "2026-12-01", "2027-01-31", "-");
    fromSettings.remove(6, 2);
    EXPECT_EQ(Run(fromSettings).Out, Run(Export("csv", "2026-12-01", "2027-01-31", "-")).Out);

    TRun run = Run(onServer(Export("csv", "2026-12-01", "2027-01-31", Output), empty));
    EXPECT_EQ(run.Code, eecDataFolder);
    EXPECT_TRUE(run.Err.contains("holds no Plenvo plan")) << run.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Output));
    run = Run(Export("csv", "2026-12-01", "2027-01-31", Output, {"--server", connInfo}));
    EXPECT_EQ(run.Code, eecUsage);
    EXPECT_TRUE(run.Err.contains("--server and --data-dir cannot both be given")) << run.Err.toStdString();
}

enum TFolderCase { fcPlanned, fcNoFolder, fcNoJobs, fcDamagedJobs, fcTwoAnns };

struct TBadInput {
    const char* Name;
    TFolderCase Folder;
    QStringList Args;
    int Code;
    const char* Says;
};

void PrintTo(const TBadInput& AInput, std::ostream* AOut)
{
    *AOut << AInput.Name;
}

class ExportCommandErrorTest : public ExportCommandTest, public testing::WithParamInterface<TBadInput> {};

TEST_P(ExportCommandErrorTest, SaysOneLineExitsWithItsCodeAndWritesNothing)
{
    const TBadInput& input = GetParam();
    ASSERT_NO_FATAL_FAILURE(Plan());
    QString folder = Folder;
    QFile jobs(Folder + "Jobs.cds");
    if (input.Folder == fcNoFolder) {
        folder += "not-there";
    } else if (input.Folder == fcNoJobs) {
        ASSERT_TRUE(jobs.remove());
    } else if (input.Folder == fcDamagedJobs) {
        ASSERT_TRUE(jobs.open(QIODevice::WriteOnly) && jobs.write(QByteArray(4096, 'x')) == 4096);
        jobs.close();
    }
    if (input.Folder == fcTwoAnns) {
        // Names stored by another program that differ only in letter case.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("two-anns"));
        db.setDatabaseName(Folder + "Workers.cds");
        EXPECT_TRUE(db.open() && QSqlQuery(db).exec("INSERT INTO Data (Name, SortingName) VALUES ('ANN', 'ANN')"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("two-anns"));
    const auto before = FolderState();
    QStringList args;
    for (QString arg : input.Args)
        args << arg.replace("{dir}", folder).replace("{out}", Output);
    const TRun run = Run(args);
    EXPECT_EQ(run.Code, input.Code);
    EXPECT_TRUE(run.Err.endsWith('\n') && run.Err.count('\n') == 1) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.startsWith("plenvo: ") && run.Err.contains(input.Says)) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.isEmpty());
    EXPECT_FALSE(QFileInfo(Output).isFile());
    EXPECT_EQ(FolderState(), before);
}

QStringList Args(const char* AFrom, const char* ATo, const QStringList& AMore = {}, const char* AOutput = "{out}")
{
    return QStringList{"--export", "csv", "--from", AFrom, "--to", ATo, "--data-dir", "{dir}", "--output", AOutput}
           + AMore;
}

INSTANTIATE_TEST_SUITE_P(Inputs, ExportCommandErrorTest,
    testing::Values(TBadInput{"NoSuchDay", fcPlanned, Args("2026-13-01", "2026-12-31"), eecBadDate,
                        "--from \"2026-13-01\" is not a date of the form yyyy-MM-dd"},
        TBadInput{"WrongWayRound", fcPlanned, Args("2026-12-31", "2026-12-01"), eecBadRange,
            "--to 2026-12-01 lies before --from 2026-12-31"},
        TBadInput{"OverTenYears", fcPlanned, Args("2020-01-01", "2030-01-01"), eecBadRange, "longer than ten years"},
        TBadInput{"UnknownWorker", fcPlanned, Args("2026-12-01", "2026-12-31", {"--worker", "Nobody"}), eecUnknownName,
            "no worker \"Nobody\" in the register"},
        TBadInput{"AmbiguousWorker", fcTwoAnns, Args("2026-12-01", "2026-12-31", {"--worker", "ann"}), eecUnknownName,
            "\"ann\" names more than one worker (IDs 1, 3)"},
        TBadInput{
            "NoFolder", fcNoFolder, Args("2026-12-01", "2026-12-31"), eecDataFolder, "not-there\" does not exist"},
        TBadInput{"NoJobsFile", fcNoJobs, Args("2026-12-01", "2026-12-31"), eecDataFolder, "Jobs.cds\" is missing"},
        TBadInput{
            "DamagedJobsFile", fcDamagedJobs, Args("2026-12-01", "2026-12-31"), eecDataFolder, "Jobs.cds\" is damaged"},
        TBadInput{"OutputInNoFolder", fcPlanned, Args("2026-12-01", "2026-12-31", {}, "{out}/none.csv"), eecOutput,
            "cannot write"},
        TBadInput{
            "UnknownFormat", fcPlanned, {"--export", "pdf", "--output", "{out}"}, eecUsage, "unknown format \"pdf\""},
        TBadInput{"UnknownOption", fcPlanned, Args("2026-12-01", "2026-12-31", {"--colour", "red"}), eecUsage,
            "Unknown option 'colour'"},
        TBadInput{"NoTo", fcPlanned, {"--export", "csv", "--from", "2026-12-01", "--output", "{out}"}, eecUsage,
            "--to is missing"}),
    [](const testing::TestParamInfo<TBadInput>& AInfo) { return std::string(AInfo.param.Name); });

TEST_F(ExportCommandTest, HelpAndVersionAnswerWithoutADisplay)
{
    for (const char* option : {"--help", "-h", "--help-all"}) {
        const TRun run = Run({option});
        EXPECT_EQ(run.Code, eecDone) << option;
        EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
        for (const char* told : {"--export <format>", "--from <date>", "--worker <name|ID>", "--workplace <name|ID>",
                 "--data-dir <folder>", "--output <file>", "--server <conninfo>", "--folder <path>", "  0  written",
                 "  6  the output file cannot be written"})
            EXPECT_TRUE(run.Out.contains(told)) << option << ": " << told;
    }
    for (const char* option : {"--version", "-v"}) {
        const TRun run = Run({option});
        EXPECT_EQ(run.Code, eecDone);
        EXPECT_EQ(QString::fromUtf8(run.Out), QStringLiteral("Plenvo %1\n").arg(ProgramVersion()));
    }
}

} // namespace
