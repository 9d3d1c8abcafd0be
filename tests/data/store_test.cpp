// The data store on either kind of place, a data folder or a PostgreSQL
// server, through the managers alone: the same journeys must hold on both.
#include "data/data_watch.h"
#include "data/plan_copy.h"
#include "data/plan_tables.h"
#include "data_fixture.h"
#include "support/pg_server.h"

#include <QDir>
#include <QMap>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>

namespace {

class StoreTest : public StoreKindTest {
protected:
    // Runs the other copy of the program on the same store to its end.
    QStringList OtherCopy(const QStringList& ASteps)
    {
        QProcess other;
        other.setProcessEnvironment(CopyEnvironment());
        other.start(PLENVO_COPY_DRIVER, QStringList{Folder} + ASteps);
        EXPECT_TRUE(other.waitForFinished(60000));
        EXPECT_EQ(other.exitCode(), 0) << other.readAll().toStdString();
        return QString::fromUtf8(other.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    std::vector<std::pair<int, int>> DayPairs(TDate ADay)
    {
        std::vector<std::pair<int, int>> pairs;
        for (const TJobRow& row : Store->Jobs->DayRelations(ADay))
            pairs.emplace_back(row.PersonID, row.WorkplaceID);
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }
};

TEST_P(StoreTest, RegistersKeepTheirIDsCountersAndUniqueNames)
{
    Open();
    ASSERT_TRUE(Store->Persons->Table().Active());
    EXPECT_EQ(Store->Persons->Table().OnServer(), GetParam() == skServer);
    TPerson* ann = AddPerson("Ann");
    TPerson* bob = AddPerson("Bob");
    ASSERT_TRUE(ann && bob) << Store->Persons->StoreError().toStdString();
    EXPECT_EQ(ann->ID(), 1);
    EXPECT_EQ(bob->ID(), 2);
    // The name is unique whatever the letter case.
    TPerson* twin = AddPerson("ANN");
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->Name(), "ANN1");
    ann->SetNote("mornings");
    ASSERT_TRUE(Store->Persons->InsertPerson(ann));
    ASSERT_TRUE(Store->Persons->DeletePerson(bob->ID()));
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K");
    ASSERT_NE(kitchen, nullptr) << Store->Workplaces->StoreError().toStdString();
    EXPECT_EQ(kitchen->ID(), 1);

    Reopen();
    ASSERT_EQ(Store->Persons->PersonCount(), 2);
    EXPECT_EQ(Store->Persons->Persons(-1)->Note(), "mornings");
    EXPECT_EQ(Store->Persons->Persons(-3)->Name(), "ANN1");
    EXPECT_EQ(Store->Persons->Persons(-2), nullptr);
    EXPECT_EQ(Store->Persons->Table().AutoIncValue(), 3);
    // A deleted ID is never given again.
    TPerson* cleo = AddPerson("Cleo");
    ASSERT_NE(cleo, nullptr);
    EXPECT_EQ(cleo->ID(), 4);
    ASSERT_NE(Store->Workplaces->Workplaces("Kitchen"), nullptr);
    EXPECT_EQ(Store->Workplaces->Workplaces("Kitchen")->Shortcut(), "K");
}

TEST_P(StoreTest, RelationsAndTemplatesReadBackByDayAndPeriod)
{
    Open();
    TPerson* ann = AddPerson("Ann");
    TPerson* bob = AddPerson("Bob");
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K");
    TWorkplace* hall = AddWorkplace("Hall", "H");
    ASSERT_TRUE(ann && bob && kitchen && hall);
    const TDate monday = Day(2026, 3, 2);
    ASSERT_NE(Store->Jobs->AddJob(monday, ann, kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(monday + 2, ann, hall), nullptr);
    // The same relation again is there already: nothing stored, no failure.
    EXPECT_EQ(Store->Jobs->AddJob(monday, ann, kitchen), nullptr);
    EXPECT_TRUE(Store->Jobs->Table().LastError().isEmpty()) << Store->Jobs->Table().LastError().toStdString();
    EXPECT_TRUE(Store->Jobs->JobExists(monday, ann->ID(), kitchen->ID()));
    EXPECT_FALSE(Store->Jobs->JobExists(monday, bob->ID(), kitchen->ID()));

    // A template stored under one name, read back by it whatever its case,
    // and applied with the pair the day has already skipped.
    TMacro macro;
    macro.SetName("Early");
    macro.MacroJobs()->AddMacroJob(ann->ID(), kitchen->ID());
    macro.MacroJobs()->AddMacroJob(bob->ID(), hall->ID());
    macro.MacroJobs()->AddMacroJob(bob->ID(), kitchen->ID());
    ASSERT_TRUE(Store->Macros->PutMacro(&macro)) << Store->Macros->StoreError().toStdString();
    const auto early = Store->Macros->GetMacro("EARLY");
    ASSERT_NE(early, nullptr);
    ASSERT_EQ(early->MacroJobs()->Count(), 3);
    std::vector<std::pair<TPerson*, TWorkplace*>> pairs;
    for (int i = 0; i < early->MacroJobs()->Count(); ++i)
        pairs.emplace_back(Store->Persons->Persons(-early->MacroJobs()->Items(i)->PersonID()),
            Store->Workplaces->Workplaces(-early->MacroJobs()->Items(i)->WorkplaceID()));
    pairs.emplace_back(bob, hall);
    ASSERT_TRUE(Store->Jobs->AddJobs(monday, pairs)) << Store->Jobs->Table().LastError().toStdString();
    const std::vector<std::pair<int, int>> planned{
        {ann->ID(), kitchen->ID()}, {bob->ID(), kitchen->ID()}, {bob->ID(), hall->ID()}};
    EXPECT_EQ(DayPairs(monday), planned);
    ASSERT_EQ(Store->Jobs->DayRelations(monday).size(), 3u);
    EXPECT_EQ(Store->Jobs->DayRelations(monday).front().PersonName, "Ann");
    EXPECT_EQ(Store->Jobs->DayRelations(monday).front().WorkplaceShortcut, "K");

    // A worker's period in date order, the texts of his rows only.
    std::vector<std::pair<TDate, int>> annsWeek;
    QStringList names;
    ASSERT_TRUE(Store->Jobs->PeriodRelations(
        monday + 6, monday, ann->ID(), 0, TJobRowTexts::Of(ann->ID(), 0), [&](TJobRow& ARow) {
            annsWeek.emplace_back(ARow.Date, ARow.WorkplaceID);
            names << ARow.WorkplaceName;
        }));
    EXPECT_EQ(annsWeek, (std::vector<std::pair<TDate, int>>{{monday, kitchen->ID()}, {monday + 2, hall->ID()}}));
    EXPECT_EQ(names, (QStringList{"Kitchen", "Hall"}));
    std::vector<std::pair<int, quint64>> bits;
    ASSERT_TRUE(Store->Jobs->PeriodDayBits(monday, monday + 6, false, bits));
    EXPECT_EQ(bits, (std::vector<std::pair<int, quint64>>{{ann->ID(), 0b101}, {bob->ID(), 0b1}}));
    EXPECT_TRUE(Store->Jobs->DayKnownEmpty(monday + 5));
    EXPECT_FALSE(Store->Jobs->DayKnownEmpty(monday + 2));

    bool removed = false;
    ASSERT_TRUE(Store->Jobs->DeleteJob(monday, bob->ID(), kitchen->ID(), &removed));
    EXPECT_TRUE(removed);
    ASSERT_TRUE(Store->Jobs->DeleteJob(monday, bob->ID(), kitchen->ID(), &removed));
    EXPECT_FALSE(removed);
    const std::vector<std::pair<int, int>> kept{{ann->ID(), kitchen->ID()}, {bob->ID(), hall->ID()}};
    const int hallID = hall->ID();
    Reopen();
    EXPECT_EQ(DayPairs(monday), kept);
    FilterJobs(monday, monday + 6, 0, hallID);
    EXPECT_EQ(Store->Jobs->JobCount(), 2);
    EXPECT_EQ(Store->Jobs->Table().AutoIncValue(), 4);
    ASSERT_NE(Store->Macros->GetMacro("early"), nullptr);
}

TEST_P(StoreTest, WhatAnotherCopyStoresIsSeenWithinASecond)
{
    Open();
    TDataWatch watch;
    int heard = 0;
    watch.SetListener([&](int AChanges) { heard |= AChanges; });
    TPerson* ann = AddPerson("Ann");
    ASSERT_NE(ann, nullptr);
    // This copy's own change is no news to it.
    EXPECT_FALSE(Store->Persons->Table().ChangedElsewhere());

    OtherCopy({"add-worker:Karel", "add-workplace:K:Kitchen", "plan:46001:Karel:K", "note:Ann:nights"});
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Store->Persons->Persons("Karel") && Store->Workplaces->Workplaces("Kitchen"); }, 1500));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return (heard & dcJobs) != 0; }, 1000));
    EXPECT_EQ(heard & (dcWorkers | dcWorkplaces | dcJobs), dcWorkers | dcWorkplaces | dcJobs);
    EXPECT_EQ(ann->Note(), "nights");
    ASSERT_EQ(Store->Jobs->DayRelations(46001).size(), 1u);
    EXPECT_EQ(Store->Jobs->DayRelations(46001)[0].PersonID, Store->Persons->Persons("Karel")->ID());
    // The name is unique against what the other copy stored.
    EXPECT_EQ(AddPerson("karel")->Name(), "karel1");
    // Its delete reaches this copy as well.
    OtherCopy({"del-worker:Karel"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Store->Persons->Persons("Karel"); }, 1500));
}

TEST_P(StoreTest, TwoCopiesChangingThePlanAtOnceKeepEveryRuleAndEveryAcknowledgedChange)
{
    Open();
    for (int i = 0; i < 12; ++i)
        ASSERT_NE(AddPerson(QStringLiteral("Staff %1").arg(i)), nullptr);
    for (int i = 0; i < 6; ++i)
        ASSERT_NE(AddWorkplace(QStringLiteral("Room %1").arg(i), QStringLiteral("R%1").arg(i)), nullptr);
    const auto runBoth = [&](const QString& AFirst, const QString& ASecond) {
        std::vector<QString> said;
        QProcess one, two;
        for (auto [copy, step] : {std::pair{&one, AFirst}, {&two, ASecond}}) {
            copy->setProcessEnvironment(CopyEnvironment());
            copy->start(PLENVO_COPY_DRIVER, QStringList{Folder, step});
        }
        for (QProcess* copy : {&one, &two}) {
            EXPECT_TRUE(copy->waitForFinished(180000));
            said.push_back(QString::fromUtf8(copy->readAllStandardOutput()));
            EXPECT_EQ(copy->exitCode(), 0) << said.back().right(300).toStdString();
        }
        return said;
    };

    // The same drops in both at once: each relation once, and no failure.
    const std::vector<QString> pairs = runBoth("all-pairs:45990", "all-pairs:45990");
    EXPECT_EQ(pairs[0].section(' ', 1).trimmed().toInt() + pairs[1].section(' ', 1).trimmed().toInt(), 72);
    EXPECT_EQ(Store->Jobs->DayRelations(45990).size(), 72u);

    // 2 × 500 random changes, each copy's relations on days of its own; both
    // add and rename workers under names they draw from one pool.
    const std::vector<QString> said = runBoth("random:7:500:0", "random:8:500:1");
    Reopen();
    // A name stored twice would have been mended, and the user told, on opening.
    EXPECT_EQ(Dialogs().MessageTexts(), QStringList());
    for (const char* file : {"Workers.cds", "Workplaces.cds", "Jobs.cds", "Macros.cds"}) {
        if (GetParam() == skFolder) {
            EXPECT_EQ(FileRows(Folder + file, "PRAGMA integrity_check"), (QList<QStringList>{{"ok"}})) << file;
        }
    }
    std::set<QStringList> stored[2];
    int rows = 0;
    ASSERT_TRUE(Store->Jobs->PeriodRelations(46000, 46020, 0, 0, TJobRowTexts::Of(0, 0), [&](TJobRow& ARow) {
        ++rows;
        stored[int(ARow.Date - 46000) % 2].insert(QStringList{
            QString::number(int(ARow.Date)), QString::number(ARow.PersonID), QString::number(ARow.WorkplaceID)});
    }));
    EXPECT_EQ(rows, int(stored[0].size() + stored[1].size())) << "a relation stored twice";
    // Every change either copy acknowledged is stored.
    QMap<int, QString> workers;
    for (int parity = 0; parity < 2; ++parity) {
        std::set<QStringList> planned;
        for (const QString& line : said[parity].split('\n', Qt::SkipEmptyParts)) {
            const QStringList word = line.split(' ');
            if (word[0] == "R+")
                planned.insert(word.mid(1));
            else if (word[0] == "R-")
                planned.erase(word.mid(1));
            else if (word[0] == "W")
                workers[word[1].toInt()] = word.mid(2).join(' ');
            else if (word[0] == "X")
                workers[word[1].toInt()] = QString();
        }
        EXPECT_EQ(stored[parity], planned) << "copy " << parity;
    }
    ASSERT_GT(workers.size(), 20);
    for (auto it = workers.cbegin(); it != workers.cend(); ++it) {
        const TPerson* person = Store->Persons->Persons(-it.key());
        EXPECT_EQ(person ? person->Name() : QString(), it.value()) << "worker " << it.key();
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, StoreTest, testing::Values(skFolder, skServer), StoreKindName);

class ServerStoreTest : public StoreTest {};

TEST_P(ServerStoreTest, AServerGoneRefusesChangesAndTheyWorkOnceItIsBack)
{
    Open();
    TPerson* ann = AddPerson("Ann");
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K");
    ASSERT_TRUE(ann && kitchen);
    QString error;
    ASSERT_TRUE(Server->Stop(&error)) << error.toStdString();

    EXPECT_EQ(AddPerson("Bob"), nullptr);
    EXPECT_FALSE(Store->Persons->StoreError().isEmpty());
    EXPECT_EQ(Store->Persons->Persons("Bob"), nullptr);
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
    ann->SetNote("gone");
    EXPECT_FALSE(Store->Persons->InsertPerson(ann));
    EXPECT_EQ(Store->Jobs->AddJob(46001, ann, kitchen), nullptr);
    EXPECT_FALSE(Store->Jobs->Table().LastError().isEmpty());
    EXPECT_TRUE(Store->Jobs->DayRelations(46001).empty());

    ASSERT_TRUE(Server->Start(&error)) << error.toStdString();
    // Without a write of its own this copy follows the others again.
    TDataWatch watch;
    OtherCopy({"add-worker:Zed"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return Store->Persons->Persons("Zed") != nullptr; }, 3000));
    TPerson* bob = AddPerson("Bob");
    ASSERT_NE(bob, nullptr) << Store->Persons->StoreError().toStdString();
    ASSERT_NE(Store->Jobs->AddJob(46001, bob, kitchen), nullptr) << Store->Jobs->Table().LastError().toStdString();
    Reopen();
    EXPECT_NE(Store->Persons->Persons("Bob"), nullptr);
    EXPECT_EQ(Store->Persons->Persons("Ann")->Note(), "");
    EXPECT_EQ(DayPairs(46001), (std::vector<std::pair<int, int>>{{Store->Persons->Persons("Bob")->ID(), 1}}));
    // Out of reach at the start: every table stays closed, none shows an
    // empty plan, and the user hears why once.
    ASSERT_TRUE(Server->Stop(&error)) << error.toStdString();
    const qsizetype toldBefore = Dialogs().MessageTexts().size();
    Dialogs().AnswerMessage(mrOk);
    Reopen();
    EXPECT_FALSE(Store->Persons->Table().Active());
    EXPECT_FALSE(Store->Jobs->Table().Active());
    EXPECT_EQ(Store->Persons->PersonCount(), 0);
    const QStringList told = Dialogs().MessageTexts().mid(toldBefore);
    ASSERT_EQ(told.size(), 1) << told.join("\n").toStdString();
    EXPECT_TRUE(told[0].contains(Server->SocketFolder())) << told[0].toStdString();
    Store.reset();
    ASSERT_TRUE(Server->Start(&error)) << error.toStdString();
}

// Every row of the four tables with its ID, and each table's counter.
QStringList StoreRows(const TTableAttach& AStore)
{
    QStringList rows;
    for (const TPlanTable& plan : PlanTables()) {
        const char* name = plan.FileName;
        const TFieldDefs defs = plan.FieldDefs();
        TTable table("rows");
        AStore(table, name);
        table.SetFieldDefs(defs);
        table.SetReadOnly(true);
        EXPECT_EQ(table.Open(), orOpened) << name;
        // A template row has no ID of its own: its counter tells nothing.
        if (defs.first().DataType == ftAutoInc)
            rows << QString("%1 counter %2").arg(name).arg(table.AutoIncValue());
        for (bool more = table.First(); more && !table.Eof(); more = table.Next()) {
            QStringList values;
            for (const TFieldDef& def : defs)
                values << table.FieldValue(def.Name).toString();
            rows << QString("%1 %2").arg(name, values.join('|'));
        }
    }
    return rows;
}

// Moving a plan: folder to server and back gives the same rows, IDs and
// counters; the server's copy goes on counting where the folder stopped.
TEST_P(ServerStoreTest, APlanMovedFromAFolderToAServerAndBackKeepsEveryRowIDAndCounter)
{
    Store = std::make_unique<TDataStore>(Folder, QString());
    TPerson* ann = AddPerson("Ann");
    TPerson* bob = AddPerson("Bob");
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K");
    ASSERT_TRUE(ann && bob && kitchen);
    ASSERT_NE(Store->Jobs->AddJob(45990, ann, kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(45991, bob, kitchen), nullptr);
    TMacro macro;
    macro.SetName("Early");
    macro.MacroJobs()->AddMacroJob(ann->ID(), kitchen->ID());
    ASSERT_TRUE(Store->Macros->PutMacro(&macro));
    const int kitchenID = kitchen->ID();
    // The last IDs given out are gone: only the counters remember them.
    ASSERT_TRUE(Store->Jobs->DeleteJob(45991, bob->ID(), kitchen->ID()));
    ASSERT_TRUE(Store->Persons->DeletePerson(bob->ID()));
    Store.reset();
    const QStringList inFolder = StoreRows(FolderTables(Folder));
    ASSERT_TRUE(inFolder.contains("Workers.cds counter 2")) << inFolder.join("\n").toStdString();

    QString error;
    ASSERT_TRUE(CopyPlan(FolderTables(Folder), ServerTables(ConnInfo), error)) << error.toStdString();
    EXPECT_EQ(StoreRows(ServerTables(ConnInfo)), inFolder);
    Open();
    ASSERT_EQ(Store->Persons->PersonCount(), 1);
    TPerson* cleo = AddPerson("Cleo");
    ASSERT_NE(cleo, nullptr);
    EXPECT_EQ(cleo->ID(), 3);
    ASSERT_NE(Store->Jobs->AddJob(45992, cleo, Store->Workplaces->Workplaces(-kitchenID)), nullptr);
    EXPECT_EQ(Store->Jobs->DayRelations(45992).front().ID, 3);
    Store.reset();

    // Back to a new folder, over whatever a server held before.
    const QString back = IncludeBackslash(TestEnv::NewFolder("back"));
    ASSERT_TRUE(CopyPlan(ServerTables(ConnInfo), FolderTables(back), error)) << error.toStdString();
    const QStringList onServer = StoreRows(ServerTables(ConnInfo));
    EXPECT_EQ(StoreRows(FolderTables(back)), onServer);
    EXPECT_EQ(StoreHoldsRows(FolderTables(back)), 1);
    // Copied over a server's plan: the folder's rows, the counters never back.
    ASSERT_TRUE(CopyPlan(FolderTables(Folder), ServerTables(ConnInfo), error)) << error.toStdString();
    const QStringList replaced = StoreRows(ServerTables(ConnInfo));
    EXPECT_TRUE(replaced.contains("Workers.cds counter 3")) << replaced.join("\n").toStdString();
    EXPECT_FALSE(replaced.join('\n').contains("Cleo"));
    EXPECT_EQ(replaced.size(), inFolder.size());
}

// A folder's plan of ARows relations (IDs 3, 5, 7, ..., one a day) and empty
// registers, with the relation of ADuplicateOf stored once more under an ID
// between.
void WriteJobsFile(const QString& AFolder, int ARows, int ADuplicateOf = 0)
{
    for (const char* name : {"Workers.cds", "Workplaces.cds", "Macros.cds"}) {
        TTable table("register");
        table.SetFileName(IncludeBackslash(AFolder) + name);
        table.SetFieldDefs(PlanTableOf(name)->FieldDefs());
        ASSERT_TRUE(table.CreateDataSet()) << name;
    }
    TTable table("jobs");
    table.SetFileName(IncludeBackslash(AFolder) + "Jobs.cds");
    table.SetFieldDefs(TJobMan::FieldDefs());
    ASSERT_TRUE(table.CreateDataSet()) << table.LastError().toStdString();
    std::vector<QList<QVariant>> rows;
    for (int i = 1; i <= ARows; ++i) {
        const QString note = i % 3 ? QString("note %1 'quoted', ;").arg(i) : QString();
        rows.push_back({2 * i + 1, 45000 + i, i % 7 + 1, "Worker", i % 5 + 1, "K", "Kitchen", note});
        if (i == ADuplicateOf)
            rows.push_back({2 * i + 2, 45000 + i, i % 7 + 1, "Worker", i % 5 + 1, "K", "Kitchen", QVariant()});
    }
    ASSERT_TRUE(table.AppendRows(rows)) << table.LastError().toStdString();
    ASSERT_TRUE(table.Save()) << table.LastError().toStdString();
}

// A plan of more rows than a statement writes: every row and ID arrives, a row
// whose ID no table can keep takes the next one, and a server's table whose
// copy fails half-way keeps the rows it had.
TEST_P(ServerStoreTest, ALargePlanIsCopiedInBatchesAndAFailedServerTableKeepsItsRows)
{
    constexpr int Rows = 2345;
    WriteJobsFile(Folder, Rows);
    {
        // The first relation's ID made unusable, as a damaged file may hold it.
        TTable table("jobs");
        table.SetFileName(IncludeBackslash(Folder) + "Jobs.cds");
        ASSERT_EQ(table.Open(), orOpened);
        QSqlQuery query(table.Database());
        ASSERT_TRUE(query.exec("UPDATE Data SET ID = 0 WHERE ID = 3")) << query.lastError().text().toStdString();
    }
    QStringList expected = StoreRows(FolderTables(Folder));
    const QString counter = QString("Jobs.cds counter %1").arg(2 * Rows + 1);
    ASSERT_TRUE(expected.contains(counter)) << expected.join("\n").toStdString();
    const qsizetype unusable = expected.indexOf(QRegularExpression("Jobs.cds 0\\|.*"));
    ASSERT_GE(unusable, 0);
    // Last: the templates table is empty.
    expected << expected.takeAt(unusable).replace("Jobs.cds 0|", QString("Jobs.cds %1|").arg(2 * Rows + 2));
    expected.replaceInStrings(counter, QString("Jobs.cds counter %1").arg(2 * Rows + 2));

    QString error;
    ASSERT_TRUE(CopyPlan(FolderTables(Folder), ServerTables(ConnInfo), error)) << error.toStdString();
    const QStringList onServer = StoreRows(ServerTables(ConnInfo));
    EXPECT_EQ(onServer, expected);
    const QString back = IncludeBackslash(TestEnv::NewFolder("back"));
    ASSERT_TRUE(CopyPlan(ServerTables(ConnInfo), FolderTables(back), error)) << error.toStdString();
    EXPECT_EQ(StoreRows(FolderTables(back)), onServer);

    // A relation stored twice, well after the first statement: the server
    // refuses it, and its jobs stay as they were.
    const QString twice = IncludeBackslash(TestEnv::NewFolder("twice"));
    WriteJobsFile(twice, Rows, 1700);
    EXPECT_FALSE(CopyPlan(FolderTables(twice), ServerTables(ConnInfo), error));
    EXPECT_TRUE(error.startsWith("Jobs.cds: ")) << error.toStdString();
    EXPECT_TRUE(error.contains("jobs_relation_key")) << error.toStdString();
    EXPECT_EQ(StoreRows(ServerTables(ConnInfo)), onServer);
}

// The data manager's move: the open plan goes to the server and the managers
// follow it; a plan found there is used or replaced, as the user answers.
TEST_P(ServerStoreTest, MovingTheOpenPlanToAServerAndBackReopensEveryTableThere)
{
    // A plan on the server already, and another in the folder.
    Open();
    ASSERT_NE(AddPerson("Zoe"), nullptr);
    Store.reset();
    Store = std::make_unique<TDataStore>(Folder, QString());
    ASSERT_NE(AddPerson("Ann"), nullptr);
    const TDataLocation folder = TDataLocation::Folder(Folder);
    const TDataLocation server = TDataLocation::Server(ConnInfo);

    Dialogs().AnswerMessage(mrCancel);
    EXPECT_FALSE(Store->DataMan->ChangeLocation(folder, server));
    EXPECT_FALSE(Store->Persons->Table().OnServer());
    Dialogs().AnswerMessage(mrNo);
    ASSERT_TRUE(Store->DataMan->ChangeLocation(folder, server));
    EXPECT_TRUE(Store->Persons->Table().OnServer());
    ASSERT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_EQ(Store->Persons->Persons(0)->Name(), "Zoe");

    // Back to the folder, its plan replaced by the server's; then the
    // folder's plan over the server's.
    Dialogs().AnswerMessage(mrYes);
    ASSERT_TRUE(Store->DataMan->ChangeLocation(server, folder));
    EXPECT_FALSE(Store->Jobs->Table().OnServer());
    EXPECT_EQ(Store->Persons->Persons(0)->Name(), "Zoe");
    ASSERT_NE(AddPerson("Bob"), nullptr);
    Dialogs().AnswerMessage(mrYes);
    ASSERT_TRUE(Store->DataMan->ChangeLocation(folder, server));
    EXPECT_EQ(Store->DataMan->DataServer(), ConnInfo);
    EXPECT_EQ(Store->Persons->PersonCount(), 2);
    EXPECT_TRUE(Dialogs().AllAnswered());
}

// The maintenance on a server: a backup folder that holds the plan as table
// files, the tables compacted by the server, the plan open again after.
TEST_P(ServerStoreTest, TheMaintenanceBacksAServerUpToAFolderAndCompactsItsTables)
{
    Open();
    ASSERT_NE(AddPerson("Ann"), nullptr);
    QString log;
    Store->DataMan->RunMaintenance(
        0, [&](int, const QString& AText) { log += AText; }, true);
    EXPECT_EQ(log.count("OK"), 7) << log.toStdString();
    EXPECT_FALSE(log.contains("Error")) << log.toStdString();
    const QStringList backups = QDir(Folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(backups.size(), 1) << backups.join(' ').toStdString();
    EXPECT_EQ(StoreRows(FolderTables(Folder + backups[0])), StoreRows(ServerTables(ConnInfo)));
    ASSERT_TRUE(Store->Persons->Table().Active());
    EXPECT_NE(AddPerson("Bob"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Stores, ServerStoreTest, testing::Values(skServer), StoreKindName);

} // namespace
