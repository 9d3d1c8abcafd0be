// Two copies of the program on one data folder, the other one a real process
// (copy_driver): what one stores reaches the other, and together they keep
// every rule of the registers and relations and lose nothing acknowledged.
#include "data/data_watch.h"
#include "data_fixture.h"

#include <QElapsedTimer>
#include <QMap>
#include <QTest>

namespace {

class CopiesTest : public DataTest {
protected:
    // Runs the other copy to its end; its output lines.
    QStringList OtherCopy(const QStringList& ASteps)
    {
        QProcess other;
        other.start(PLENVO_COPY_DRIVER, QStringList{Folder} + ASteps);
        EXPECT_TRUE(other.waitForFinished(60000));
        EXPECT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();
        return QString::fromUtf8(other.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    // Waits until ADone holds, at most a second and a half; how long it took
    // (-1: never).
    qint64 SeenWithin(const std::function<bool()>& ADone)
    {
        QElapsedTimer clock;
        clock.start();
        return QTest::qWaitFor(ADone, 1500) ? clock.elapsed() : -1;
    }
    QString StoredNote(int AID)
    {
        const auto rows
            = FileRows(Folder + "Workers.cds", QStringLiteral("SELECT Note FROM Data WHERE ID = %1").arg(AID));
        return rows.isEmpty() ? QStringLiteral("<none>") : rows[0].value(0);
    }
};

TEST_F(CopiesTest, WhatTheOtherCopyStoresIsSeenWithinASecondAndAnEditMeetingItAsks)
{
    Open();
    TDataWatch watch;
    int heard = 0;
    watch.SetListener([&](int AChanges) { heard |= AChanges; });

    OtherCopy({"add-worker:Karel Novak", "add-workplace:K:Kitchen", "plan:46001:Karel Novak:K"});
    EXPECT_GE(
        SeenWithin([&] { return Store->Persons->Persons("Karel Novak") && Store->Workplaces->Workplaces("Kitchen"); }),
        0);
    EXPECT_EQ(heard & (dcWorkers | dcWorkplaces | dcJobs), dcWorkers | dcWorkplaces | dcJobs);
    const int karel = Store->Persons->Persons("Karel Novak")->ID();
    ASSERT_EQ(Store->Jobs->DayRelations(46001).size(), 1u);
    EXPECT_EQ(Store->Jobs->DayRelations(46001)[0].PersonID, karel);
    // The name is unique against the file, whatever the letter case.
    EXPECT_EQ(AddPerson("karel novak")->Name(), "karel novak1");
    OtherCopy({"note:Karel Novak:nights"});
    EXPECT_GE(SeenWithin([&] { return Store->Persons->Persons(-karel)->Note() == "nights"; }), 0);
    OtherCopy({"del-worker:Karel Novak"});
    EXPECT_GE(SeenWithin([&] { return !Store->Persons->Persons(-karel); }), 0);

    // An edit that meets another copy's change: No takes theirs, Yes keeps
    // mine; one that meets a delete stores the worker again under his ID.
    TPerson* second = Store->Persons->Persons("karel novak1");
    const int id = second->ID();
    auto editMeeting = [&](const QString& AOtherStep, int AAnswer) {
        EditorDoes(
            "TPersonEditor",
            [&, AOtherStep](TObject* o) {
                OtherCopy({AOtherStep});
                static_cast<TPerson*>(o)->SetNote("mine");
            },
            true);
        Dialogs().AnswerMessage(AAnswer);
        return Store->Persons->EditPerson(second);
    };
    EXPECT_FALSE(editMeeting("note:karel novak1:theirs", mrNo));
    EXPECT_EQ(second->Note(), "theirs");
    EXPECT_EQ(StoredNote(id), "theirs");
    EXPECT_TRUE(editMeeting("note:karel novak1:theirs again", mrYes));
    EXPECT_EQ(StoredNote(id), "mine");
    second->SetNote("");
    EXPECT_TRUE(editMeeting("del-worker:karel novak1", mrYes));
    EXPECT_EQ(StoredNote(id), "mine");
    EXPECT_EQ(Store->Persons->Persons(-id), second);
    const QStringList asked = Dialogs().MessageTexts();
    ASSERT_EQ(asked.size(), 3);
    EXPECT_TRUE(asked[2].contains("deleted \"karel novak1\"")) << asked[2].toStdString();
    // Without another copy's change an edit asks nothing.
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetNote("quiet"); }, true);
    EXPECT_TRUE(Store->Persons->EditPerson(second));
    EXPECT_EQ(Dialogs().MessageTexts().size(), 3);

    // A file put in place by another program is read anew, not written past.
    WriteTableFile(Folder + "other.cds", TPersonMan::FieldDefs(), {{"Zoe", "Zoe", "", 0, 0, ""}});
    ASSERT_EQ(std::rename(qPrintable(Folder + "other.cds"), qPrintable(Folder + "Workers.cds")), 0);
    EXPECT_TRUE(watch.Look() & dcReopened);
    ASSERT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_NE(AddPerson("Adam"), nullptr);
    EXPECT_EQ(
        FileRows(Folder + "Workers.cds", "SELECT Name FROM Data ORDER BY ID"), (QList<QStringList>{{"Zoe"}, {"Adam"}}));
}

TEST_F(CopiesTest, TwoCopiesChangingOneFolderAtOnceKeepEveryRuleAndEveryAcknowledgedChange)
{
    Open();
    for (int i = 0; i < 12; ++i)
        AddPerson(QStringLiteral("Staff %1").arg(i));
    for (int i = 0; i < 6; ++i)
        AddWorkplace(QStringLiteral("Room %1").arg(i), QStringLiteral("R%1").arg(i));
    Store.reset();
    auto startBoth = [&](const QStringList& AFirst, const QStringList& ASecond, QProcess& AOne, QProcess& ATwo) {
        AOne.start(PLENVO_COPY_DRIVER, QStringList{Folder} + AFirst);
        ATwo.start(PLENVO_COPY_DRIVER, QStringList{Folder} + ASecond);
        for (QProcess* copy : {&AOne, &ATwo}) {
            EXPECT_TRUE(copy->waitForFinished(180000));
            EXPECT_EQ(copy->exitCode(), 0) << copy->readAllStandardOutput().right(300).toStdString();
        }
    };

    // The same drops in both at once: each relation once, and no failure.
    QProcess one, two;
    startBoth({"all-pairs:45990"}, {"all-pairs:45990"}, one, two);
    const int added = QString::fromUtf8(one.readAllStandardOutput()).section(' ', 1).trimmed().toInt()
                      + QString::fromUtf8(two.readAllStandardOutput()).section(' ', 1).trimmed().toInt();
    EXPECT_EQ(added, 72);
    EXPECT_EQ(
        FileRows(Folder + "Jobs.cds", "SELECT count(*) FROM Data WHERE Date = 45990"), (QList<QStringList>{{"72"}}));

    // 2 × 500 random changes; each copy's relations on days of its own.
    QProcess even, odd;
    startBoth({"random:7:500:0"}, {"random:8:500:1"}, even, odd);
    for (const char* file : {"Workers.cds", "Workplaces.cds", "Jobs.cds", "Macros.cds"})
        EXPECT_EQ(FileRows(Folder + file, "PRAGMA integrity_check"), (QList<QStringList>{{"ok"}})) << file;
    EXPECT_TRUE(
        FileRows(Folder + "Jobs.cds", "SELECT Date FROM Data GROUP BY Date, PersonID, WorkplaceID HAVING count(*) > 1")
            .isEmpty());
    for (const auto& [file, column] :
        {std::pair{"Workers.cds", "Name"}, {"Workplaces.cds", "Name"}, {"Workplaces.cds", "Shortcut"}}) {
        QSet<QString> seen;
        const auto rows = FileRows(Folder + file, QStringLiteral("SELECT %1 FROM Data").arg(column));
        for (const QStringList& row : rows) {
            EXPECT_FALSE(seen.contains(row[0].toUpper())) << file << ": " << row[0].toStdString();
            seen.insert(row[0].toUpper());
        }
    }
    // Every change either copy acknowledged is in the files.
    QMap<int, QString> workers;
    for (QProcess* copy : {&even, &odd}) {
        const int parity = copy == &even ? 0 : 1;
        std::set<QStringList> planned;
        for (const QString& line : QString::fromUtf8(copy->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
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
        std::set<QStringList> stored;
        for (const QStringList& row : FileRows(Folder + "Jobs.cds",
                 QStringLiteral("SELECT Date, PersonID, WorkplaceID FROM Data WHERE Date > 45990 AND Date % 2 = %1")
                     .arg((46000 + parity) % 2)))
            stored.insert(row);
        EXPECT_EQ(stored, planned) << "copy " << parity;
    }
    ASSERT_GT(workers.size(), 20);
    for (auto it = workers.cbegin(); it != workers.cend(); ++it) {
        const auto rows
            = FileRows(Folder + "Workers.cds", QStringLiteral("SELECT Name FROM Data WHERE ID = %1").arg(it.key()));
        EXPECT_EQ(rows.isEmpty() ? QString() : rows[0][0], it.value()) << "worker " << it.key();
    }
}

} // namespace

TEST_F(CopiesTest, AFileHeldForWritingAtStartIsReadAndWrittenOnceLetGo)
{
    // A file of an earlier version, in a rollback journal, that another
    // program is writing while this copy starts: switching it to the log
    // needs the lock.
    WriteTableFile(Folder + "Workers.cds", TPersonMan::FieldDefs(), {{"Ann", "Ann", "", 0, 0, ""}});
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "earlier-version");
        db.setDatabaseName(Folder + "Workers.cds");
        ASSERT_TRUE(db.open() && QSqlQuery(db).exec("PRAGMA journal_mode=DELETE"));
    }
    QSqlDatabase::removeDatabase("earlier-version");
    auto locks = std::make_unique<TWriteLocks>(QStringList{Folder + "Workers.cds"});
    Dialogs().AnswerMessage(mrOk);
    Open();
    TDataWatch watch;
    EXPECT_TRUE(Dialogs().MessageTexts().value(0).contains("is being written by another program"));
    ASSERT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_FALSE(Store->Persons->Table().CanModify());
    watch.Look();
    EXPECT_FALSE(Store->Persons->Table().CanModify());
    locks.reset();
    watch.Look();
    EXPECT_TRUE(Store->Persons->Table().CanModify());
    EXPECT_NE(AddPerson("Bob"), nullptr);
    EXPECT_EQ(
        FileRows(Folder + "Workers.cds", "SELECT Name FROM Data ORDER BY ID"), (QList<QStringList>{{"Ann"}, {"Bob"}}));
}
