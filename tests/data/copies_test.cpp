// Two copies of the program on one data folder, the other one a real process
// (copy_driver): what one stores reaches the other, an edit meeting the
// other's change asks, and a file held by the other is waited for. Two copies
// changing a plan at once are tried on both stores in store_test.
#include "data/data_watch.h"
#include "data_fixture.h"

#include <QElapsedTimer>
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
