// The history through the real managers: every kind of step done, undone and
// redone, the table files (read on a connection of their own) holding exactly
// what the managers show after each; refusals change nothing.
#include "data_fixture.h"

#include "data/history.h"

namespace {

class HistoryTest : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        Open();
        History = std::make_unique<THistory>();
    }
    void TearDown() override
    {
        History.reset();
        DataTest::TearDown();
    }
    // Relations as "date/worker/workplace", from the manager and from the file.
    QStringList ShownJobs()
    {
        FilterJobs(Day(2026, 3, 1), Day(2026, 3, 31));
        QStringList jobs;
        for (int i = 0; i < Store->Jobs->JobCount(); ++i) {
            const TJob* job = Store->Jobs->Jobs(i);
            jobs << QString("%1/%2/%3").arg(job->Date()).arg(job->PersonID()).arg(job->WorkplaceID());
        }
        jobs.sort();
        return jobs;
    }
    QStringList FileJobs() const
    {
        QStringList jobs;
        for (const QStringList& row : FileRows(Folder + "Jobs.cds", "SELECT Date, PersonID, WorkplaceID FROM Data"))
            jobs << row.join('/');
        jobs.sort();
        return jobs;
    }
    QStringList ShownWorkers() const
    {
        QStringList workers;
        for (int i = 0; i < Store->Persons->PersonCount(); ++i) {
            const TPerson* p = Store->Persons->Persons(i);
            workers << QString("%1 %2 %3 %4").arg(p->ID()).arg(p->Name(), p->Note()).arg(p->DaysOut());
        }
        workers.sort();
        return workers;
    }
    QStringList FileWorkers() const
    {
        QStringList workers;
        for (const QStringList& row : FileRows(Folder + "Workers.cds", "SELECT ID, Name, Note, DaysOut FROM Data"))
            workers << row.join(' ');
        workers.sort();
        return workers;
    }
    // One relation's key as the lists write it.
    static QString Key(TDate ADate, int APerson, int AWorkplace)
    {
        return QString("%1/%2/%3").arg(ADate).arg(APerson).arg(AWorkplace);
    }

    std::unique_ptr<THistory> History;
};

TEST_F(HistoryTest, RelationStepsUndoAndRedoAsOneDurableChangeEach)
{
    TPerson* ann = AddPerson("Ann");
    TPerson* bob = AddPerson("Bob");
    TWorkplace* hall = AddWorkplace("Hall");
    const TDate day = Day(2026, 3, 9);
    // A drop, then a "Clear all" of the day with a relation already there.
    ASSERT_NE(Store->Jobs->AddJob(day, bob, hall), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day, ann, hall), nullptr);
    History->Record(std::make_unique<THistoryRelations>(
        "Add Ann to Hall", std::vector<THistoryJob>{{day, ann->ID(), hall->ID()}}, std::vector<THistoryJob>{}));
    ASSERT_TRUE(
        Store->Jobs->DeleteJob(day, ann->ID(), hall->ID()) && Store->Jobs->DeleteJob(day, bob->ID(), hall->ID()));
    History->Record(std::make_unique<THistoryRelations>("Clear all 09/03/2026", std::vector<THistoryJob>{},
        std::vector<THistoryJob>{{day, ann->ID(), hall->ID()}, {day, bob->ID(), hall->ID()}}));
    EXPECT_EQ(History->UndoText(), "Undo Clear all 09/03/2026");
    EXPECT_EQ(History->RedoText(), "");

    const QStringList both{Key(day, ann->ID(), hall->ID()), Key(day, bob->ID(), hall->ID())};
    const QStringList steps[] = {both, QStringList{Key(day, bob->ID(), hall->ID())}};
    for (const QStringList& expected : steps) {
        ASSERT_TRUE(History->Undo()) << History->LastError().toStdString();
        EXPECT_EQ(ShownJobs(), expected);
        EXPECT_EQ(FileJobs(), expected);
    }
    EXPECT_FALSE(History->CanUndo());
    EXPECT_FALSE(History->Undo());
    EXPECT_EQ(History->RedoText(), "Redo Add Ann to Hall");
    ASSERT_TRUE(History->Redo());
    EXPECT_EQ(FileJobs(), both);
    ASSERT_TRUE(History->Redo());
    EXPECT_EQ(ShownJobs(), QStringList());
    EXPECT_EQ(FileJobs(), QStringList());
}

TEST_F(HistoryTest, AnUndoneDeleteBringsTheWorkerBackWithHisIDAndEveryField)
{
    TPerson* ann = AddPerson("Ann");
    const int id = ann->ID();
    auto before = TSCObject::Create<TPerson>();
    // Added, edited (two fields in one step), deleted.
    History->Record(std::make_unique<THistoryPerson>("Add Ann", nullptr, ann));
    before->Assign(*ann);
    ann->SetNote("Night shifts");
    ann->SetDaysOut(3);
    ASSERT_TRUE(Store->Persons->InsertPerson(ann));
    History->Record(std::make_unique<THistoryPerson>("Edit Ann", before.get(), ann));
    History->Record(std::make_unique<THistoryPerson>("Delete Ann", ann, nullptr));
    ASSERT_TRUE(Store->Persons->DeletePerson(id));
    AddPerson("Bob");
    const QString bob = ShownWorkers().first();

    const QStringList steps[]
        = {{QString("%1 Ann Night shifts 3").arg(id), bob}, {QString("%1 Ann  0").arg(id), bob}, {bob}};
    for (const QStringList& expected : steps) {
        ASSERT_TRUE(History->Undo()) << History->LastError().toStdString();
        EXPECT_EQ(ShownWorkers(), expected);
        EXPECT_EQ(FileWorkers(), expected);
    }
    // Redone, the add brings Ann back under her own ID, not a new one.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(History->Redo()) << i << History->LastError().toStdString();
    EXPECT_EQ(FileWorkers(), QStringList{bob});
    ASSERT_TRUE(History->Undo());
    EXPECT_EQ(Store->Persons->Persons(-id)->Note(), "Night shifts");
    EXPECT_EQ(FileWorkers(), (QStringList{QString("%1 Ann Night shifts 3").arg(id), bob}));
}

TEST_F(HistoryTest, WorkplaceAndTemplateStepsGoBothWays)
{
    TPerson* ann = AddPerson("Ann");
    TWorkplace* hall = AddWorkplace("Hall");
    const int hallID = hall->ID();
    History->Record(std::make_unique<THistoryWorkplace>("Delete Hall", hall, nullptr));
    ASSERT_TRUE(Store->Workplaces->DeleteWorkplace(hallID));
    ASSERT_TRUE(History->Undo());
    ASSERT_NE(Store->Workplaces->Workplaces(-hallID), nullptr);
    EXPECT_EQ(Store->Workplaces->Workplaces(-hallID)->Name(), "Hall");
    EXPECT_EQ(FileRows(Folder + "Workplaces.cds", "SELECT ID, Name FROM Data"),
        (QList<QStringList>{{QString::number(hallID), "Hall"}}));

    // A template saved over an older one, then the step undone and redone.
    TMacro macro;
    macro.SetName("Week");
    macro.MacroJobs()->AddMacroJob(ann->ID(), hallID);
    ASSERT_TRUE(Store->Macros->PutMacro(&macro));
    History->Record(std::make_unique<THistoryTemplate>(
        "Save template Week", "Week", THistoryTemplate::TPairs{}, THistoryTemplate::TPairs{{ann->ID(), hallID}}));
    const auto pairs = [&] {
        const auto stored = Store->Macros->GetMacro("Week");
        return stored ? stored->MacroJobs()->Count() : 0;
    };
    ASSERT_TRUE(History->Undo());
    EXPECT_EQ(pairs(), 0);
    ASSERT_TRUE(History->Redo());
    EXPECT_EQ(pairs(), 1);
}

TEST_F(HistoryTest, ARefusedStepChangesNothingAndStaysToBeTriedAgain)
{
    TPerson* ann = AddPerson("Ann");
    TWorkplace* hall = AddWorkplace("Hall");
    const TDate day = Day(2026, 3, 9);
    ASSERT_NE(Store->Jobs->AddJob(day, ann, hall), nullptr);
    History->Record(std::make_unique<THistoryRelations>(
        "Add Ann to Hall", std::vector<THistoryJob>{{day, ann->ID(), hall->ID()}}, std::vector<THistoryJob>{}));
    {
        // A full disk: the write is refused.
        TWriteLocks locks({Folder + "Jobs.cds"});
        EXPECT_FALSE(History->Undo());
        EXPECT_FALSE(History->LastError().isEmpty());
        EXPECT_EQ(History->UndoText(), "Undo Add Ann to Hall");
    }
    EXPECT_EQ(ShownJobs(), QStringList{Key(day, ann->ID(), hall->ID())});
    EXPECT_EQ(FileJobs(), ShownJobs());
    // A worker gone meanwhile: the relation cannot come back.
    ASSERT_TRUE(History->Undo());
    ASSERT_TRUE(Store->Persons->DeletePerson(ann->ID()));
    EXPECT_FALSE(History->Redo());
    EXPECT_EQ(FileJobs(), QStringList());

    // The session keeps the newest steps only.
    for (int i = 0; i < THistory::StepLimit + 5; ++i)
        History->Record(
            std::make_unique<THistoryRelations>("Nothing", std::vector<THistoryJob>{}, std::vector<THistoryJob>{}));
    EXPECT_EQ(History->Stack().count(), THistory::StepLimit);
}

} // namespace
