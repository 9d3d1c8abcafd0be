// Where a run starts: the command line's location, the setup dialog choosing
// a server after testing it and moving the plan there, and a server that
// does not answer at start.
#include "app/start_location.h"
#include "data/data_session.h"
#include "data/pg/pg_connection.h"
#include "data/pg/pg_schema.h"
#include "setup/setup_editor.h"
#include "support/dialog_driver.h"
#include "support/pg_server.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <deque>

namespace {

QString ReadRaw(const QString& AGroup, const QString& AName)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Zanthor Software", "Plenvo");
    return settings.value(AGroup + "/" + AName).toString();
}

// Answers the choice questions by running a step per question (a step may
// stop or start the server first); everything else goes to the scripted
// dialogs.
class TStepDialogs final : public THeadlessDialogs {
public:
    using TStep = std::function<QString(const QString& AMsg, const QStringList& AChoices)>;
    TStepDialogs() { SetDialogs(this); }
    ~TStepDialogs() override { SetDialogs(&TestEnv::Dialogs()); }

    int Choose(const QString& AMsg, TMsgDlgType, const QStringList& AChoices) override
    {
        Asked << AMsg;
        if (Steps.empty()) {
            ADD_FAILURE() << "Unanswered choice: " << AMsg.toStdString();
            return -1;
        }
        const QString answer = Steps.front()(AMsg, AChoices);
        Steps.pop_front();
        return static_cast<int>(AChoices.indexOf(answer));
    }
    std::unique_ptr<ISCModalEditor> CreateEditor(const QString& AClassName) override
    {
        return TestEnv::Dialogs().CreateEditor(AClassName);
    }

    std::deque<TStep> Steps;
    QStringList Asked;
};

} // namespace

TEST(StartLocation, CommandLineGivesThisRunsLocation)
{
    QString error;
    EXPECT_EQ(ParseLocationOptions({"plenvo"}, error), std::nullopt);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(
        ParseLocationOptions({"plenvo", "--server", "service=plenvo"}, error), TDataLocation::Server("service=plenvo"));
    EXPECT_EQ(ParseLocationOptions({"plenvo", "--server=host=db.example.com dbname=plenvo user=anna"}, error),
        TDataLocation::Server("host=db.example.com dbname=plenvo user=anna"));
    EXPECT_EQ(ParseLocationOptions({"plenvo", "--folder", "plan/../plan2"}, error),
        TDataLocation::Folder(QDir::current().absoluteFilePath("plan2")));
    EXPECT_EQ(error, QString());

    EXPECT_EQ(ParseLocationOptions({"plenvo", "--server", "dbname=plenvo password=secret"}, error), std::nullopt);
    EXPECT_TRUE(error.contains("password")) << error.toStdString();
    EXPECT_EQ(ParseLocationOptions({"plenvo", "--server", "service=plenvo", "--folder", "plan"}, error), std::nullopt);
    EXPECT_TRUE(error.contains("both")) << error.toStdString();
    EXPECT_EQ(ParseLocationOptions({"plenvo", "--server"}, error), std::nullopt);
    EXPECT_FALSE(error.isEmpty());
}

// A fresh database on the tests' private server, with the program's checks
// of connection strings and connections installed.
class StartOnServer : public testing::Test {
protected:
    void SetUp() override
    {
        PLENVO_PG_NEW_DATABASE(Server, ConnInfo);
        InstallServerChecks();
    }

    TPgServer* Server = nullptr;
    QString ConnInfo;
};

TEST_F(StartOnServer, SetupDialogTestsAChosenServerAndMovesThePlanThere)
{
    TDataSession session;
    auto ann = TSCObject::Create<TPerson>();
    ann->SetName("Ann");
    ASSERT_TRUE(session.Persons->InsertPerson(ann));
    ASSERT_FALSE(session.Persons->Table().OnServer());
    for (int i = 0; i < 3; ++i)
        TestEnv::Dialogs().AnswerMessage(mrOk);
    bool offBefore = false, onAfter = false;
    QString shownAfterRefusal;
    WhileDialogOpen<TSetupEditor>("TSetupEditor", [&](TSetupEditor* d) {
        auto* edit = Find<QLineEdit>(d, "EditServerConnInfo");
        auto* test = Find<QPushButton>(d, "ButtonTestConnection");
        offBefore = !edit->isEnabled() && !test->isEnabled();
        Find<QRadioButton>(d, "RBServer")->click();
        onAfter = edit->isEnabled() && test->isEnabled();
        Type(d, "EditServerConnInfo", Server->ConnInfo("nosuchdb"));
        test->click();
        Type(d, "EditServerConnInfo", ConnInfo);
        test->click();
        Type(d, "EditServerConnInfo", ConnInfo + " password=secret");
        shownAfterRefusal = edit->text();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    EXPECT_TRUE(session.Setup->Edit(3));
    EXPECT_TRUE(offBefore);
    EXPECT_TRUE(onAfter);
    const QStringList told = TestEnv::Dialogs().MessageTexts();
    ASSERT_EQ(told.size(), 3) << told.join(" | ").toStdString();
    // The server's own words about the wrong database.
    EXPECT_TRUE(told[0].contains("database \"nosuchdb\" does not exist")) << told[0].toStdString();
    EXPECT_TRUE(told[1].contains("connection works")) << told[1].toStdString();
    EXPECT_TRUE(told[2].contains("password")) << told[2].toStdString();
    EXPECT_EQ(shownAfterRefusal, ConnInfo);

    // The plan moved, and the open registers work on the server now.
    for (TTable* table :
        {&session.Persons->Table(), &session.Workplaces->Table(), &session.Jobs->Table(), &session.Macros->Table()})
        EXPECT_TRUE(table->Active() && table->OnServer()) << table->Name().toStdString();
    ASSERT_NE(session.Persons->Persons("Ann"), nullptr);
    TPgConnection pg;
    ASSERT_EQ(pg.Open(ConnInfo), QString());
    QSqlQuery query(pg.Database());
    ASSERT_TRUE(query.exec("SELECT id, name FROM plenvo.workers") && query.next());
    EXPECT_EQ(query.value(0).toInt(), session.Persons->Persons("Ann")->ID());
    EXPECT_EQ(query.value(1).toString(), "Ann");
    EXPECT_FALSE(query.next());
    EXPECT_EQ(ReadRaw("Data", "DataDirKind"), "4");
    EXPECT_EQ(ReadRaw("Data", "ServerConnInfo"), ConnInfo);
}

TEST_F(StartOnServer, AServerThatDoesNotAnswerIsAskedAbout)
{
    QString error;
    TSetup setup;
    setup.Data()->SetRunLocation(TDataLocation::Server(ConnInfo));
    ASSERT_TRUE(Server->Stop(&error)) << error.toStdString();
    {
        TStepDialogs dialogs;
        QStringList offered;
        dialogs.Steps = {[&](const QString&, const QStringList& AChoices) {
                             offered = AChoices;
                             return QStringLiteral("Retry");
                         },
            [&](const QString&, const QStringList&) {
                EXPECT_TRUE(Server->Start(&error)) << error.toStdString();
                return QStringLiteral("Retry");
            }};
        EXPECT_TRUE(EnsureLocationAnswers(setup));
        EXPECT_EQ(offered, QStringList({"Retry", "Choose another location…", "Quit"}));
        ASSERT_EQ(dialogs.Asked.size(), 2);
        // libpq's own words name the socket it could not reach.
        EXPECT_TRUE(dialogs.Asked[0].contains(".s.PGSQL.")) << dialogs.Asked[0].toStdString();
    }
    // Once it answered the plan's tables are there.
    TPgConnection pg;
    ASSERT_EQ(pg.Open(ConnInfo), QString());
    EXPECT_EQ(PgStoredSchemaVersion(pg.Database()), PgSchemaVersion);
    pg.Close();

    ASSERT_TRUE(Server->Stop(&error)) << error.toStdString();
    {
        TStepDialogs dialogs;
        dialogs.Steps = {[](const QString&, const QStringList&) { return QStringLiteral("Quit"); }};
        EXPECT_FALSE(EnsureLocationAnswers(setup));
        EXPECT_EQ(dialogs.Asked.size(), 1);
    }
    {
        // Another location chosen in the setup dialog is used from then on.
        TStepDialogs dialogs;
        dialogs.Steps = {[](const QString&, const QStringList&) { return QStringLiteral("Choose another location…"); }};
        TestEnv::Dialogs().ProvideEditor("TSetupEditor", [] {
            return std::make_unique<TScriptedEditor>(
                [](TObject* ASetup) { static_cast<TSetup*>(ASetup)->Data()->SetDataDirKind(sddkUserAppData); }, true);
        });
        EXPECT_TRUE(EnsureLocationAnswers(setup));
        EXPECT_EQ(dialogs.Asked.size(), 1);
        EXPECT_EQ(setup.Data()->Location(), TDataLocation::Folder(TestEnv::AppDataFolder() + "/Plenvo"));
    }
    EXPECT_TRUE(Server->Start(&error)) << error.toStdString();
}
