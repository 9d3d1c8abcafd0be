#include "data_fixture.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <set>
#include <tuple>

namespace {

using TKey = std::tuple<int, int, int>;

class CrashTest : public DataTest {};
class KilledWriterTest : public StoreKindTest {};

TEST_P(KilledWriterTest, KilledWritersLoseNothingTheyReported)
{
    Open();
    for (const char* name : {"Ann", "Bob", "Cid"})
        AddPerson(name);
    for (const char* name : {"Hall", "Kitchen"})
        AddWorkplace(name);
    Store.reset();

    std::set<TKey> expected;
    for (int trial = 0; trial < 4; ++trial) {
        SCOPED_TRACE(trial);
        QProcess child;
        child.setProcessEnvironment(CopyEnvironment());
        child.start(PLENVO_CRASH_CHILD, {Folder, QString::number(trial + 1)});
        ASSERT_TRUE(child.waitForStarted());
        // Kill it at a random moment after its first finished change, however
        // slow the machine is.
        QByteArray output;
        while (!output.startsWith("D\n") && !output.contains("\nD\n")) {
            ASSERT_TRUE(child.waitForReadyRead(20000));
            output += child.readAllStandardOutput();
        }
        QThread::msleep(100 + QRandomGenerator::global()->bounded(400));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(20000));
        output += child.readAllStandardOutput();
        const QList<QByteArray> lines = output.split('\n');

        // Replay what the child reported as done; the change it was making
        // when it died may or may not have landed.
        std::optional<std::pair<bool, TKey>> inFlight;
        int done = 0;
        for (const QByteArray& line : lines) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.first() == "B" && parts.size() == 5) {
                inFlight = std::make_pair(parts[1] == "A", TKey{parts[2].toInt(), parts[3].toInt(), parts[4].toInt()});
            } else if (line == "D" && inFlight) {
                if (inFlight->first)
                    expected.insert(inFlight->second);
                else
                    expected.erase(inFlight->second);
                inFlight.reset();
                ++done;
            }
        }
        EXPECT_GT(done, 0);

        Open(); // a damaged file would ask a question nobody answers
        for (TTable* table :
            {&Store->Persons->Table(), &Store->Workplaces->Table(), &Store->Jobs->Table(), &Store->Macros->Table()}) {
            EXPECT_TRUE(table->Active() && table->CanModify()) << table->Name().toStdString();
        }
        Store->Jobs->SetDateFrom(46000);
        Store->Jobs->SetDateTo(46100);
        std::set<TKey> found;
        for (int i = 0; i < Store->Jobs->JobCount(); ++i) {
            const TJob* job = Store->Jobs->Jobs(i);
            found.insert({static_cast<int>(job->Date()), job->PersonID(), job->WorkplaceID()});
        }
        std::set<TKey> alternative = expected;
        if (inFlight) {
            if (inFlight->first)
                alternative.insert(inFlight->second);
            else
                alternative.erase(inFlight->second);
        }
        EXPECT_TRUE(found == expected || found == alternative);
        expected = found;
        Store.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, KilledWriterTest, testing::Values(skFolder, skServer), StoreKindName);

TEST_F(CrashTest, AWriterKilledMidTransactionIsRolledBackNotSetAside)
{
    Open();
    std::vector<std::pair<TPerson*, TWorkplace*>> pairs;
    for (const char* name : {"Ann", "Bob", "Cid", "Dan"})
        pairs.emplace_back(AddPerson(name), AddWorkplace(QString(name) + " place"));
    constexpr int Days = 223;
    Store->Jobs->BeginUpdate();
    for (int day = 0; day < Days; ++day)
        for (const auto& [person, place] : pairs)
            Store->Jobs->AddJob(46000 + day, person, place);
    ASSERT_TRUE(Store->Jobs->EndUpdate());
    Store.reset();

    // Another program's writer dies after its journal reached the disk and
    // some of its pages reached the file: a hot journal.
    QProcess child;
    child.start(PLENVO_CRASH_CHILD, {"--hot-journal", Folder + "Jobs.cds"});
    ASSERT_TRUE(child.waitForFinished(20000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << child.exitCode();
    ASSERT_GT(QFileInfo(Folder + "Jobs.cds-journal").size(), 0);

    Open();
    EXPECT_EQ(Dialogs().MessageTexts(), QStringList());
    EXPECT_EQ(QDir(Folder).entryList({"*.cds.*"}), QStringList());
    FilterJobs(46000, 46000 + Days);
    ASSERT_EQ(Store->Jobs->JobCount(), 4 * Days);
    int unchanged = 0;
    for (int i = 0; i < Store->Jobs->JobCount(); ++i)
        unchanged += Store->Jobs->Jobs(i)->Note().isEmpty();
    EXPECT_EQ(unchanged, 4 * Days);
    EXPECT_NE(Store->Jobs->AddJob(46000 + Days, Store->Persons->Persons(0), Store->Workplaces->Workplaces(1)), nullptr);
}

TEST_F(CrashTest, AnotherCopyInTheFolderKeepsItsFilesFromBeingReplacedUntilItEnds)
{
    Open();
    AddPerson("Ann");
    QProcess other;
    other.start(PLENVO_CRASH_CHILD, {"--hold", Folder});
    ASSERT_TRUE(other.waitForReadyRead(20000));
    ASSERT_TRUE(other.readAllStandardOutput().startsWith("READY"));
    const auto maintain = [&] {
        QString log;
        Store->DataMan->RunMaintenance(
            0, [&](int, const QString& AText) { log += AText; }, true);
        return log;
    };
    const QString refused = maintain();
    EXPECT_TRUE(refused.contains("open in another copy of the program")) << refused.toStdString();
    EXPECT_EQ(QDir(Folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList()) << "no backup was made";
    // Nor may a move replace the files there.
    const QString mine = IncludeBackslash(TestEnv::NewFolder("mine"));
    ASSERT_TRUE(Store->DataMan->ChangeDataDir(Folder, mine));
    Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(Store->DataMan->ChangeDataDir(mine, Folder));
    EXPECT_TRUE(Dialogs().MessageTexts().value(0).contains("is open in another copy of the program"));

    // Killed, the other copy holds nothing any more.
    other.kill();
    ASSERT_TRUE(other.waitForFinished(20000));
    Dialogs().AnswerMessage(mrYes);
    ASSERT_TRUE(Store->DataMan->ChangeDataDir(mine, Folder));
    const QString done = maintain();
    EXPECT_FALSE(done.contains("Error!")) << done.toStdString();
    EXPECT_EQ(QDir(Folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
}

} // namespace
