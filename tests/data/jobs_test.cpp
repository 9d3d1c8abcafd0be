#include "data_fixture.h"

#include "data/job_rows.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <sqlite3.h>

#include <functional>
#include <utility>

namespace {

class JobsTest : public CastTest {
protected:
    void SetUp() override
    {
        CastTest::SetUp();
        Open();
        AddCast(Hall, "Hall");
    }
    TWorkplace* Hall = nullptr;
};

// What another program reading the file sees: committed rows only. Invalid
// for a statement without rows.
QVariant CommittedValue(const QString& AFileName, const QString& ASql)
{
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "jobs-reader");
        db.setDatabaseName(AFileName);
        QSqlQuery query(db);
        if (db.open() && query.exec(ASql) && query.next())
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase("jobs-reader");
    return value;
}

int CommittedRows(const QString& AFileName, const QString& ASql = "SELECT COUNT(*) FROM Data")
{
    const QVariant value = CommittedValue(AFileName, ASql);
    return value.isValid() ? value.toInt() : -1;
}

TEST_F(JobsTest, DuplicatesAreRefusedAndTimesOfDayDropped)
{
    const TDate day = Day(2026, 3, 5);
    TJob* job = Store->Jobs->AddJob(day + 0.7, Ann, Kitchen);
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(job->PersonName(), "Ann");
    EXPECT_EQ(job->WorkplaceShortcut(), "Kit");
    EXPECT_EQ(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    EXPECT_EQ(Store->Jobs->AddJob(0, Ann, Kitchen), nullptr);
    EXPECT_EQ(Store->Jobs->AddJob(day, nullptr, Kitchen), nullptr);
    FilterJobs(day, day);
    ASSERT_EQ(Store->Jobs->JobCount(), 1);
    EXPECT_EQ(Store->Jobs->Jobs(0)->Date(), day);
    EXPECT_EQ(Store->Jobs->Jobs(-Store->Jobs->Jobs(0)->ID()), Store->Jobs->Jobs(0));
}

TEST_F(JobsTest, FilterSwapsDatesAndNarrowsByWorkerAndWorkplace)
{
    Store->Jobs->AddJob(Day(2026, 3, 1), Ann, Kitchen);
    Store->Jobs->AddJob(Day(2026, 3, 5), Ann, Hall);
    Store->Jobs->AddJob(Day(2026, 3, 5), Bob, Hall);
    Store->Jobs->AddJob(Day(2026, 3, 10), Bob, Kitchen);
    Store->Jobs->AddJob(Day(2026, 3, 11), Bob, Kitchen);
    FilterJobs(Day(2026, 3, 10), Day(2026, 3, 1));
    EXPECT_EQ(Store->Jobs->JobCount(), 4);
    EXPECT_EQ(Store->Jobs->DateFrom(), Day(2026, 3, 1));
    FilterJobs(Day(2026, 3, 5), Day(2026, 3, 5));
    EXPECT_EQ(Store->Jobs->JobCount(), 2);
    FilterJobs(Day(2026, 3, 1), Day(2026, 3, 31), Bob->ID());
    EXPECT_EQ(Store->Jobs->JobCount(), 3);
    FilterJobs(Day(2026, 3, 1), Day(2026, 3, 31), Bob->ID(), Kitchen->ID());
    EXPECT_EQ(Store->Jobs->JobCount(), 2);
    // Table order is the order of adding.
    EXPECT_EQ(Store->Jobs->Jobs(0)->Date(), Day(2026, 3, 10));
}

TEST_F(JobsTest, TheFiltersPairsComeInTableOrderLoadedOrNot)
{
    const TDate day = Day(2026, 3, 5);
    // Added against the date index's order, which sorts Ann before Bob.
    Store->Jobs->AddJob(day, Bob, Hall);
    Store->Jobs->AddJob(day, Ann, Kitchen);
    Store->Jobs->AddJob(day, Ann, Hall);
    Store->Jobs->AddJob(day + 1, Ann, Kitchen);
    const std::vector<std::pair<int, int>> expected{
        {Bob->ID(), Hall->ID()}, {Ann->ID(), Kitchen->ID()}, {Ann->ID(), Hall->ID()}};
    // Reversed ends, as the filter allows, read without loading the list.
    Store->Jobs->SetDateFrom(day + 0.5);
    Store->Jobs->SetDateTo(day);
    Store->Jobs->SetPersonID(0);
    Store->Jobs->SetWorkplaceID(0);
    EXPECT_EQ(Store->Jobs->JobPairs(), expected);
    FilterJobs(day, day);
    ASSERT_EQ(Store->Jobs->JobCount(), 3);
    EXPECT_EQ(Store->Jobs->JobPairs(), expected);
    FilterJobs(day, day + 1, Ann->ID(), Kitchen->ID());
    const std::vector<std::pair<int, int>> annInKitchen{{Ann->ID(), Kitchen->ID()}, {Ann->ID(), Kitchen->ID()}};
    EXPECT_EQ(Store->Jobs->JobPairs(), annInKitchen);
}

// How SQLite reads the data table for a statement (its parameters left
// unbound).
QString QueryPlan(const QSqlDatabase& ADatabase, const QString& ASql)
{
    sqlite3_stmt* plan = nullptr;
    const QByteArray sql = "EXPLAIN QUERY PLAN " + ASql.toUtf8();
    if (sqlite3_prepare_v2(SQLiteHandle(ADatabase), sql.constData(), -1, &plan, nullptr) != SQLITE_OK) {
        sqlite3_finalize(plan);
        return "no plan: " + ASql;
    }
    QStringList details;
    while (sqlite3_step(plan) == SQLITE_ROW)
        details << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(plan, 3)));
    // The data table's steps, without those of the list of days.
    details = details.filter(" Data ");
    sqlite3_finalize(plan);
    return details.join(' ');
}

// The indexes of the data table, each as "name(column, ...)".
QStringList DataIndexes(const QSqlDatabase& ADatabase)
{
    QStringList indexes;
    QSqlQuery names(ADatabase);
    names.exec("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'Data' AND sql IS NOT NULL "
               "ORDER BY name");
    while (names.next()) {
        QSqlQuery columns(ADatabase);
        columns.exec(QString("PRAGMA index_info(%1)").arg(names.value(0).toString()));
        QStringList list;
        while (columns.next())
            list << columns.value(2).toString();
        indexes << names.value(0).toString() + "(" + list.join(", ") + ")";
    }
    return indexes;
}

const QStringList Indexes{"IndexDate(Date, PersonID, WorkplaceID)", "IndexDateWorkplaceID(Date, WorkplaceID, PersonID)",
    "IndexUnusableRows(PersonID)"};

// The statements a connection runs, as the program wrote them.
class TStatementLog {
public:
    explicit TStatementLog(const QSqlDatabase& ADatabase) : FDatabase(SQLiteHandle(ADatabase))
    {
        sqlite3_trace_v2(FDatabase, SQLITE_TRACE_STMT, &TStatementLog::Note, this);
    }
    ~TStatementLog() { sqlite3_trace_v2(FDatabase, 0, nullptr, nullptr); }
    // The reads of the data table since the last call.
    QStringList TakeReads()
    {
        QStringList reads;
        for (const QString& sql : std::exchange(FStatements, {}))
            if ((sql.startsWith("SELECT") || sql.startsWith("WITH")) && sql.contains("FROM Data"))
                reads << sql;
        return reads;
    }

private:
    static int Note(unsigned, void* ALog, void*, void* ASql)
    {
        static_cast<TStatementLog*>(ALog)->FStatements << QString::fromUtf8(static_cast<const char*>(ASql));
        return 0;
    }
    sqlite3* FDatabase;
    QStringList FStatements;
};

TEST_F(JobsTest, EachReadOfADayAWorkerOrAWorkplaceIsOneSeekOnItsIndex)
{
    const TDate day = Day(2026, 3, 5);
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    const QSqlDatabase db = Store->Jobs->Table().Database();
    EXPECT_EQ(DataIndexes(db), Indexes);
    TStatementLog log(db);
    const auto none = [](TJobRow&) {};
    // Everyone's days are a range of either date index.
    const QString dateRange = R"(SEARCH Data USING %1INDEX IndexDate(WorkplaceID)? \(Date>\? AND Date<\?\))";
    const QString rowTexts = R"(SEARCH Data USING INTEGER PRIMARY KEY \(rowid=\?\))";
    const struct {
        const char* What;
        std::function<void()> Read;
        QStringList Plans;
    } reads[] = {
        {"a day", [&] { Store->Jobs->DayRelations(day); }, {dateRange.arg("")}},
        {"a worker's month", [&] { Store->Jobs->PeriodRelations(day, day + 30, Ann->ID(), 0, {}, none); },
            {R"(SEARCH Data USING INDEX IndexDate \(Date=\? AND PersonID=\?\))"}},
        {"a workplace's month", [&] { Store->Jobs->PeriodRelations(day, day + 30, 0, Kitchen->ID(), {}, none); },
            {R"(SEARCH Data USING INDEX IndexDateWorkplaceID \(Date=\? AND WorkplaceID=\?\))"}},
        {"a workplace's keys",
            [&] { Store->Jobs->PeriodRelations(day, day + 30, 0, Kitchen->ID(), TJobRowTexts::Of(0, 0), none); },
            {R"(SEARCH Data USING COVERING INDEX IndexDateWorkplaceID \(Date=\? AND WorkplaceID=\?\))"}},
        // The texts of the rows that show them only.
        {"everyone's month, names of one",
            [&] { Store->Jobs->PeriodRelations(day, day + 30, 0, 0, TJobRowTexts::Of(0, Kitchen->ID()), none); },
            {dateRange.arg("COVERING "), rowTexts}},
        {"everyone's month, no names",
            [&] { Store->Jobs->PeriodRelations(day, day + 30, 0, 0, TJobRowTexts::Of(0, 0), none); },
            {dateRange.arg("COVERING ")}},
        {"whether a relation is there", [&] { Store->Jobs->JobExists(day, Ann->ID(), Kitchen->ID()); },
            {R"(SEARCH Data USING COVERING INDEX IndexDate(WorkplaceID)? \(Date=\? AND \w+ID=\? AND \w+ID=\?\))"}},
    };
    for (const auto& read : reads) {
        read.Read();
        QStringList plans;
        for (const QString& statement : log.TakeReads())
            plans << QueryPlan(db, statement);
        plans.removeDuplicates();
        ASSERT_EQ(plans.size(), read.Plans.size()) << read.What << ": " << plans.join(" / ").toStdString();
        for (qsizetype i = 0; i < plans.size(); ++i)
            EXPECT_TRUE(QRegularExpression("^" + read.Plans[i] + "$").match(plans[i]).hasMatch())
                << read.What << ": " << plans[i].toStdString();
    }
}

// What the indexes add to a file of many relations: the same rows in files
// with the new indexes and with the earlier covering date index.
TEST_F(JobsTest, TheIndexesAddLittleToTheFile)
{
    std::vector<TJobRow> rows;
    for (int i = 0; i < 30000; ++i)
        rows.push_back({Day(2026, 1, 1) + i / 90, 0, i % 90 + 1, i * 7 % 30 + 1, QString("Worker %1").arg(i % 90), "W",
            QString("Workplace %1").arg(i * 7 % 30), QString()});
    TTable& table = Store->Jobs->Table();
    QString error;
    ASSERT_TRUE(table.Begin() && AppendJobRows(table, rows, error) && table.Save()) << qPrintable(error);
    Store->Jobs->CloseDBFiles();
    const QString file = Folder + "Jobs.cds";
    const QString earlier = Folder + "Earlier.cds";
    ASSERT_TRUE(QFile::copy(file, earlier));
    for (const char* sql : {"DROP INDEX IndexDateWorkplaceID", "DROP INDEX IndexDate",
             "CREATE INDEX IndexDate ON Data (Date, PersonID, WorkplaceID, PersonName, WorkplaceShortcut, "
             "WorkplaceName, Note)",
             "VACUUM"})
        ASSERT_EQ(CommittedRows(earlier, sql), -1) << sql;
    ASSERT_EQ(CommittedRows(file, "VACUUM"), -1);
    const double growth = double(QFileInfo(file).size()) / QFileInfo(earlier).size();
    EXPECT_LT(growth, 1.15);
}

TEST_F(JobsTest, AFileOfAnEarlierLayoutGetsTheIndexesAndTheKeptCountWhenOpened)
{
    const TDate day = Day(2026, 3, 5);
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(day + 1, Bob, Hall), nullptr);
    Store->Jobs->CloseDBFiles();
    const QString file = Folder + "Jobs.cds";
    const QString kept = file + ".kept";
    ASSERT_TRUE(QFile::copy(file, kept));
    const QStringList untouched{"DROP INDEX IndexUnusableRows", "DROP INDEX IndexDateWorkplaceID",
        "DROP INDEX IndexDate", QString("INSERT INTO Data (Date, PersonID, WorkplaceID) VALUES (%1, 0, 1)").arg(day)};
    const struct {
        const char* What;
        QStringList Statements;
    } layouts[] = {
        {"one covering date index",
            untouched
                + QStringList{"CREATE INDEX IndexDate ON Data (Date, PersonID, WorkplaceID, PersonName, "
                              "WorkplaceShortcut, WorkplaceName, Note)"}},
        {"a date index and an index of each ID", untouched
                                                     + QStringList{"CREATE INDEX IndexDate ON Data (Date)",
                                                         "CREATE INDEX IndexPersonID ON Data (PersonID, Date)",
                                                         "CREATE INDEX IndexWorkplaceID ON Data (WorkplaceID, Date)"}},
        {"the count in a table kept by triggers",
            untouched
                + QStringList{"CREATE INDEX IndexDate ON Data (Date, PersonID, WorkplaceID)",
                    "CREATE INDEX IndexDateWorkplaceID ON Data (Date, WorkplaceID, PersonID)",
                    "CREATE TABLE UnusableRows (Count INTEGER)", "INSERT INTO UnusableRows (Count) VALUES (1)",
                    "CREATE TRIGGER UnusableRowsInsert AFTER INSERT ON Data WHEN NEW.PersonID < 1 BEGIN "
                    "UPDATE UnusableRows SET Count = Count + 1; END"}},
        {"an index of the unusable rows another program changed",
            {"DROP INDEX IndexUnusableRows", "CREATE INDEX IndexUnusableRows ON Data (PersonID)",
                QString("INSERT INTO Data (Date, PersonID, WorkplaceID) VALUES (%1, 0, 1)").arg(day)}},
    };
    const auto schema = [&] { return FileRows(file, "SELECT type, name, sql FROM sqlite_master ORDER BY name"); };
    const auto bytes = [&] {
        QFile read(file);
        return read.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(read.readAll(), QCryptographicHash::Sha256)
                                              : QByteArray();
    };
    Dialogs().AnswerMessage(mrOk);
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.What);
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(kept, file));
        for (const QString& sql : layout.Statements)
            ASSERT_EQ(CommittedRows(file, sql), -1) << sql.toStdString();
        // A file opened only for reading is only read.
        const QList<QStringList> earlier = schema();
        {
            TTable reader("reader");
            reader.SetFileName(file);
            reader.SetReadOnly(true);
            ASSERT_EQ(reader.Open(), orOpened);
            EXPECT_EQ(KeptUnusableRowCount(reader.Database(), reader.FieldDefs()), -1);
        }
        // One that cannot be written has its rows counted beside the work,
        // which comes first.
        if (SetWritable(file, false)) {
            Store->Jobs->OpenDBFiles();
            EXPECT_EQ(Store->Jobs->AddJob(day + 2, Ann, Hall), nullptr);
            EXPECT_EQ(MessagesAfterChecks().size(), 1);
            Store->Jobs->CloseDBFiles();
            SetWritable(file, true);
        }
        EXPECT_EQ(schema(), earlier);

        Store->Jobs->OpenDBFiles();
        EXPECT_EQ(DataIndexes(Store->Jobs->Table().Database()), Indexes);
        EXPECT_EQ(KeptUnusableRowCount(Store->Jobs->Table().Database(), TJobMan::FieldDefs()), 1);
        // What kept the count before goes.
        EXPECT_EQ(CommittedRows(file, "SELECT count(*) FROM sqlite_master WHERE name LIKE 'UnusableRows%'"), 0);
        // Told once, of the row the count found.
        EXPECT_EQ(MessagesAfterChecks().size(), 1);
        FilterJobs(day, day + 1);
        ASSERT_EQ(Store->Jobs->JobCount(), 2);
        EXPECT_EQ(Store->Jobs->Jobs(1)->PersonName(), "Bob");
        EXPECT_EQ(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
        // Opening a file that has them writes nothing.
        Store->Jobs->CloseDBFiles();
        const QByteArray upgraded = bytes();
        Store->Jobs->OpenDBFiles();
        Store->Jobs->CloseDBFiles();
        EXPECT_EQ(bytes(), upgraded);
    }
}

TEST_F(JobsTest, OneWorkersPeriodHasBothEndsInShortAndLongRanges)
{
    const TDate first = Day(2026, 1, 1);
    for (const TDate day : {first, first + 99, first + 100, first + 149})
        ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(first + 50, Bob, Kitchen), nullptr);
    const std::pair<TDate, int> cases[] = {{first + 99, 2}, {first + 100, 3}, {first + 149, 4}, {first + 98, 1}};
    for (const auto& [last, count] : cases) {
        FilterJobs(first + 0.5, last + 0.9, Ann->ID());
        EXPECT_EQ(Store->Jobs->JobCount(), count) << last - first;
        FilterJobs(first, last, 0, Kitchen->ID());
        EXPECT_EQ(Store->Jobs->JobCount(), count + 1) << last - first;
    }
}

TEST_F(JobsTest, DeleteJobArgumentsAndResult)
{
    const TDate day = Day(2026, 3, 5);
    Store->Jobs->AddJob(day, Ann, Kitchen);
    EXPECT_FALSE(Store->Jobs->DeleteJob(day, 0, Kitchen->ID()));
    EXPECT_FALSE(Store->Jobs->DeleteJob(0, Ann->ID(), Kitchen->ID()));
    EXPECT_TRUE(Store->Jobs->DeleteJob(day, Bob->ID(), Kitchen->ID()));
    FilterJobs(day, day);
    EXPECT_EQ(Store->Jobs->JobCount(), 1);
    EXPECT_TRUE(Store->Jobs->DeleteJob(day, Ann->ID(), Kitchen->ID()));
    EXPECT_EQ(Store->Jobs->JobCount(), 0);
    Reopen();
    FilterJobs(day, day);
    EXPECT_EQ(Store->Jobs->JobCount(), 0);
}

TEST_F(JobsTest, StoredNamesStayAfterRenameAndDelete)
{
    const TDate day = Day(2026, 3, 5);
    Store->Jobs->AddJob(day, Ann, Kitchen);
    Ann->SetName("Annette");
    Store->Persons->InsertPerson(Ann);
    EXPECT_TRUE(Store->Persons->DeletePerson(Bob->ID()));
    FilterJobs(day, day);
    ASSERT_EQ(Store->Jobs->JobCount(), 1);
    EXPECT_EQ(Store->Jobs->Jobs(0)->PersonName(), "Ann");
}

TEST_F(JobsTest, OneReadKeepsAddingOrderAndEachRowsOwnTexts)
{
    // Dates out of adding order, and one worker stored under two names: the
    // rows share texts per ID only where the stored bytes are the same.
    Store->Jobs->AddJob(Day(2026, 3, 10), Ann, Kitchen);
    Store->Jobs->AddJob(Day(2026, 3, 3), Ann, Hall);
    Ann->SetName(QStringLiteral("Zoë Ann"));
    ASSERT_TRUE(Store->Persons->InsertPerson(Ann));
    TJob* renamed = Store->Jobs->AddJob(Day(2026, 3, 7), Ann, Kitchen);
    ASSERT_NE(renamed, nullptr);
    renamed->SetNote(QStringLiteral("früh"));
    ASSERT_TRUE(Store->Jobs->InsertJob(renamed));
    // The job lives until the next add.
    const int renamedID = renamed->ID();
    Store->Jobs->AddJob(Day(2026, 3, 1), Bob, Hall);
    Store->Jobs->AddJob(Day(2026, 4, 1), Bob, Hall);

    FilterJobs(Day(2026, 3, 1), Day(2026, 3, 31));
    ASSERT_EQ(Store->Jobs->JobCount(), 4);
    const QList<TDate> dates{Day(2026, 3, 10), Day(2026, 3, 3), Day(2026, 3, 7), Day(2026, 3, 1)};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Store->Jobs->Jobs(i)->Date(), dates[i]) << i;
        if (i > 0) {
            EXPECT_LT(Store->Jobs->Jobs(i - 1)->ID(), Store->Jobs->Jobs(i)->ID());
        }
    }
    EXPECT_EQ(Store->Jobs->Jobs(0)->PersonName(), "Ann");
    EXPECT_EQ(Store->Jobs->Jobs(1)->PersonName(), "Ann");
    EXPECT_EQ(Store->Jobs->Jobs(2)->PersonName(), QStringLiteral("Zoë Ann"));
    EXPECT_EQ(Store->Jobs->Jobs(2)->Note(), QStringLiteral("früh"));
    EXPECT_TRUE(Store->Jobs->Jobs(0)->Note().isEmpty());
    EXPECT_EQ(Store->Jobs->Jobs(3)->PersonName(), "Bob");
    EXPECT_EQ(Store->Jobs->Jobs(3)->WorkplaceName(), "Hall");

    // Both ends of the range count; one worker at one workplace narrows it.
    FilterJobs(Day(2026, 3, 3), Day(2026, 3, 7), Ann->ID(), Kitchen->ID());
    ASSERT_EQ(Store->Jobs->JobCount(), 1);
    EXPECT_EQ(Store->Jobs->Jobs(0)->ID(), renamedID);
}

// Every stored value of a day's rows but their IDs, each with its storage
// type, in ID order.
QString StoredDay(const QString& AFileName, TDate ADay, const QString& AWhere = "1")
{
    return CommittedValue(
        AFileName, QString("SELECT group_concat(Row, ' | ') FROM (SELECT "
                           "typeof(Date) || ':' || (Date - %1) || ' ' || typeof(PersonID) || ':' || "
                           "PersonID || ' ' || typeof(PersonName) || ':' || ifnull(PersonName, '') || "
                           "' ' || typeof(WorkplaceID) || ':' || WorkplaceID || ' ' || "
                           "typeof(WorkplaceShortcut) || ':' || ifnull(WorkplaceShortcut, '') || ' ' "
                           "|| typeof(WorkplaceName) || ':' || ifnull(WorkplaceName, '') || ' ' || "
                           "typeof(Note) AS Row FROM Data WHERE Date = %1 AND (%2) ORDER BY ID)")
                       .arg(ADay)
                       .arg(AWhere))
        .toString();
}

TEST_F(JobsTest, ATemplatesJobsAreStoredInOneWriteAsSingleAddsStoreThem)
{
    const TDate day = Day(2026, 3, 5);
    const TDate other = day + 7;
    const QString file = Folder + "Jobs.cds";
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Hall), nullptr);
    Bob->SetName(QString(60, QChar(0x00E9))); // longer than the field
    // The same jobs one at a time, for comparison.
    ASSERT_NE(Store->Jobs->AddJob(other, Bob, Kitchen), nullptr);
    ASSERT_NE(Store->Jobs->AddJob(other, Ann, Kitchen), nullptr);
    const int before = CommittedRows(file);

    // A pair the day has, a repeated pair and an empty one are skipped.
    ASSERT_TRUE(Store->Jobs->AddJobs(
        day + 0.6, {{Bob, Kitchen}, {Ann, Hall}, {nullptr, Kitchen}, {Ann, Kitchen}, {Bob, Kitchen}, {Ann, nullptr}}));
    EXPECT_EQ(CommittedRows(file), before + 2);
    const QString annInHall = QString("NOT (PersonID = %1 AND WorkplaceID = %2)").arg(Ann->ID()).arg(Hall->ID());
    EXPECT_EQ(StoredDay(file, day, annInHall), StoredDay(file, other));
    EXPECT_TRUE(StoredDay(file, other).contains("text:" + QString(50, QChar(0x00E9)) + " integer:"))
        << qPrintable(StoredDay(file, other));
    // The day's jobs come in adding order.
    FilterJobs(day, day);
    ASSERT_EQ(Store->Jobs->JobCount(), 3);
    EXPECT_EQ(Store->Jobs->Jobs(1)->PersonID(), Bob->ID());
    EXPECT_EQ(Store->Jobs->Jobs(1)->PersonName(), QString(50, QChar(0x00E9)));
    EXPECT_EQ(Store->Jobs->Jobs(2)->PersonID(), Ann->ID());
    EXPECT_GT(Store->Jobs->Jobs(2)->ID(), Store->Jobs->Jobs(1)->ID());
    // Nothing new to add is no failure.
    EXPECT_TRUE(Store->Jobs->AddJobs(day, {{Ann, Kitchen}}));
    EXPECT_TRUE(Store->Jobs->AddJobs(day, {}));
    EXPECT_FALSE(Store->Jobs->AddJobs(0, {{Ann, Kitchen}}));
    EXPECT_EQ(CommittedRows(file), before + 2);
}

TEST_F(JobsTest, RowsAppendedManyToAStatementKeepTheirOrderAndTexts)
{
    const TDate day = Day(2026, 3, 5);
    TTable& table = Store->Jobs->Table();
    QString error;
    std::vector<TJobRow> rows;
    EXPECT_FALSE(AppendJobRows(table, rows, error)); // no write open
    EXPECT_FALSE(error.isEmpty());
    // Two full statements and a short one.
    for (int i = 0; i < 131; ++i) {
        TJobRow row;
        row.Date = day + (i % 2 ? 0.25 : 0);
        row.PersonID = i + 1;
        row.PersonName = QString("Worker %1 \"ü\"").arg(i);
        row.WorkplaceID = i % 7 + 1;
        row.WorkplaceShortcut = i % 3 ? QString("W%1").arg(i % 7) : QString();
        row.WorkplaceName = QString("Place %1").arg(i % 7);
        row.Note = i == 130 ? QString("last") : QString();
        rows.push_back(row);
    }
    ASSERT_TRUE(table.Begin());
    ASSERT_TRUE(AppendJobRows(table, rows, error)) << qPrintable(error);
    ASSERT_TRUE(table.Save());
    std::vector<TJobRow> read;
    ASSERT_TRUE(ReadJobRows(table, day, day, 0, 0, read));
    ASSERT_EQ(read.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read[i].Date, day);
        EXPECT_EQ(read[i].PersonID, rows[i].PersonID);
        EXPECT_EQ(read[i].PersonName, rows[i].PersonName);
        EXPECT_EQ(read[i].WorkplaceID, rows[i].WorkplaceID);
        EXPECT_EQ(read[i].WorkplaceShortcut, rows[i].WorkplaceShortcut);
        EXPECT_EQ(read[i].WorkplaceName, rows[i].WorkplaceName);
        EXPECT_EQ(read[i].Note, rows[i].Note);
        if (i > 0) {
            EXPECT_EQ(read[i].ID, read[i - 1].ID + 1);
        }
    }
    EXPECT_EQ(CommittedRows(Folder + "Jobs.cds", "SELECT COUNT(*) FROM Data WHERE Note IS NULL"), 130);

    // A row refused in the second statement: the reason comes back.
    ASSERT_EQ(CommittedRows(Folder + "Jobs.cds", "CREATE TRIGGER Refuse BEFORE INSERT ON Data WHEN NEW.PersonID = 100 "
                                                 "BEGIN SELECT RAISE(ABORT, 'refused'); END"),
        -1);
    for (TJobRow& row : rows)
        row.Date = day + 1;
    ASSERT_TRUE(table.Begin());
    EXPECT_FALSE(AppendJobRows(table, rows, error));
    EXPECT_TRUE(error.contains("refused")) << qPrintable(error);
    table.CancelUpdates();
    EXPECT_EQ(CommittedRows(Folder + "Jobs.cds"), 131);
}

TEST_F(JobsTest, ATemplateInsideAnUpdateWaitsForItsEndAndFailsWithIt)
{
    const TDate day = Day(2026, 3, 5);
    const QString file = Folder + "Jobs.cds";
    Store->Jobs->BeginUpdate();
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    EXPECT_TRUE(Store->Jobs->AddJobs(day, {{Ann, Kitchen}, {Bob, Kitchen}}));
    EXPECT_EQ(CommittedRows(file), 0);
    // The update knows the pairs the template added.
    EXPECT_EQ(Store->Jobs->AddJob(day, Bob, Kitchen), nullptr);
    EXPECT_TRUE(Store->Jobs->EndUpdate());
    EXPECT_EQ(CommittedRows(file), 2);

    ASSERT_EQ(CommittedRows(file, QString("CREATE TRIGGER Refuse BEFORE INSERT ON Data WHEN NEW.PersonID = %1 "
                                          "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                      .arg(Bob->ID())),
        -1);
    const TDate next = day + 1;
    Store->Jobs->BeginUpdate();
    ASSERT_NE(Store->Jobs->AddJob(next, Ann, Kitchen), nullptr);
    EXPECT_FALSE(Store->Jobs->AddJobs(next, {{Ann, Hall}, {Bob, Hall}, {Ann, Kitchen}}));
    EXPECT_TRUE(Store->Jobs->Table().LastError().contains("refused")) << qPrintable(Store->Jobs->Table().LastError());
    EXPECT_FALSE(Store->Jobs->EndUpdate());
    EXPECT_EQ(CommittedRows(file), 2);
    FilterJobs(next, next);
    EXPECT_EQ(Store->Jobs->JobCount(), 0);
    // On its own, a refused template writes none of its jobs.
    EXPECT_FALSE(Store->Jobs->AddJobs(next, {{Ann, Hall}, {Bob, Hall}}));
    EXPECT_EQ(CommittedRows(file), 2);
    EXPECT_TRUE(Store->Jobs->AddJobs(next, {{Ann, Hall}}));
    EXPECT_EQ(CommittedRows(file), 3);
}

TEST_F(JobsTest, AnUpdateIsWrittenOnceAtItsEndOrNotAtAll)
{
    const TDate day = Day(2026, 3, 5);
    const QString file = Folder + "Jobs.cds";
    Store->Jobs->BeginUpdate();
    Store->Jobs->BeginUpdate();
    EXPECT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    EXPECT_NE(Store->Jobs->AddJob(day, Bob, Kitchen), nullptr);
    EXPECT_TRUE(Store->Jobs->EndUpdate()); // the inner end writes nothing yet
    EXPECT_TRUE(Store->Jobs->DeleteJob(day, Ann->ID(), Kitchen->ID()));
    EXPECT_NE(Store->Jobs->AddJob(day, Ann, Hall), nullptr);
    EXPECT_EQ(CommittedRows(file), 0);
    EXPECT_TRUE(Store->Jobs->EndUpdate());
    EXPECT_EQ(CommittedRows(file), 2);
    EXPECT_FALSE(Store->Jobs->EndUpdate()); // no update is open

    // One refused row takes the whole update back.
    ASSERT_EQ(CommittedRows(file, QString("CREATE TRIGGER Refuse BEFORE INSERT ON Data WHEN NEW.PersonID = %1 "
                                          "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                      .arg(Bob->ID())),
        -1); // a statement without rows
    const TDate next = day + 1;
    Store->Jobs->BeginUpdate();
    EXPECT_NE(Store->Jobs->AddJob(next, Ann, Kitchen), nullptr);
    EXPECT_EQ(Store->Jobs->AddJob(next, Bob, Kitchen), nullptr);
    EXPECT_NE(Store->Jobs->AddJob(next, Ann, Hall), nullptr);
    EXPECT_FALSE(Store->Jobs->EndUpdate());
    EXPECT_EQ(CommittedRows(file), 2);
    FilterJobs(next, next);
    EXPECT_EQ(Store->Jobs->JobCount(), 0);
    // Outside an update every change is written at once again.
    EXPECT_NE(Store->Jobs->AddJob(next, Ann, Kitchen), nullptr);
    EXPECT_EQ(CommittedRows(file), 3);
}

TEST_F(JobsTest, AddingDeletingAndAskingLeaveTheFilterAndKeepItsListCurrent)
{
    const TDate day = Day(2026, 3, 5);
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    FilterJobs(day, day + 1, 0, Kitchen->ID());
    ASSERT_EQ(Store->Jobs->JobCount(), 1);
    Store->Jobs->BeginUpdate();
    // There before the update, added inside it, and on another day.
    EXPECT_EQ(Store->Jobs->AddJob(day + 0.4, Ann, Kitchen), nullptr);
    TJob* added = Store->Jobs->AddJob(day, Bob, Kitchen);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->PersonName(), "Bob");
    EXPECT_TRUE(Store->Jobs->JobExists(day + 0.7, Bob->ID(), Kitchen->ID()));
    EXPECT_FALSE(Store->Jobs->JobExists(day, Bob->ID(), Hall->ID()));
    EXPECT_EQ(Store->Jobs->AddJob(day, Bob, Kitchen), nullptr);
    EXPECT_NE(Store->Jobs->AddJob(day + 1, Bob, Hall), nullptr);
    EXPECT_EQ(Store->Jobs->AddJob(day + 1, Bob, Hall), nullptr);
    // A pair deleted inside the update may be added again.
    bool removed = false;
    EXPECT_TRUE(Store->Jobs->DeleteJob(day, Ann->ID(), Kitchen->ID(), &removed));
    EXPECT_TRUE(removed);
    EXPECT_FALSE(Store->Jobs->JobExists(day, Ann->ID(), Kitchen->ID()));
    EXPECT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    EXPECT_TRUE(Store->Jobs->AddJobs(day + 1, {{Ann, Kitchen}, {Bob, Hall}}));
    EXPECT_TRUE(Store->Jobs->EndUpdate());
    // The filter is as it was set; its list has what was written since.
    EXPECT_EQ(Store->Jobs->DateFrom(), day);
    EXPECT_EQ(Store->Jobs->DateTo(), day + 1);
    EXPECT_EQ(Store->Jobs->PersonID(), 0);
    EXPECT_EQ(Store->Jobs->WorkplaceID(), Kitchen->ID());
    EXPECT_EQ(Store->Jobs->JobPairs(), (std::vector<std::pair<int, int>>{{Bob->ID(), Kitchen->ID()},
                                           {Ann->ID(), Kitchen->ID()}, {Ann->ID(), Kitchen->ID()}}));
    EXPECT_TRUE(Store->Jobs->DeleteJob(day, Bob->ID(), Hall->ID(), &removed));
    EXPECT_FALSE(removed);
    EXPECT_TRUE(Store->Jobs->DeleteJob(day, Bob->ID(), Kitchen->ID(), &removed));
    EXPECT_TRUE(removed);
    ASSERT_EQ(Store->Jobs->JobCount(), 2);
    EXPECT_EQ(Store->Jobs->WorkplaceID(), Kitchen->ID());
    // A pair written beside the manager is known as soon as it is committed.
    EXPECT_EQ(CommittedRows(Folder + "Jobs.cds", QString("INSERT INTO Data (Date, PersonID, WorkplaceID) "
                                                         "VALUES (%1, %2, %3)")
                                                     .arg(day + 2)
                                                     .arg(Ann->ID())
                                                     .arg(Hall->ID())),
        -1);
    EXPECT_TRUE(Store->Jobs->JobExists(day + 2, Ann->ID(), Hall->ID()));
    Store->Jobs->BeginUpdate();
    EXPECT_EQ(Store->Jobs->AddJob(day + 2, Ann, Hall), nullptr);
    EXPECT_TRUE(Store->Jobs->EndUpdate());
}

TEST_F(JobsTest, TheFileKeepsTheCountOfItsUnusableRowsWhoeverWritesIt)
{
    const TDate day = Day(2026, 3, 5);
    ASSERT_NE(Store->Jobs->AddJob(day, Ann, Kitchen), nullptr);
    const QString file = Folder + "Jobs.cds";
    const auto kept = [&] {
        return CommittedRows(file, "SELECT count(*) FROM Data INDEXED BY IndexUnusableRows WHERE "
                                       + UnusableIDCondition({"\"PersonID\"", "\"WorkplaceID\""}));
    };
    EXPECT_EQ(kept(), 0);
    // Another program's rows and changes, each counted as it is committed.
    const QString insert = QString("INSERT INTO Data (Date, PersonID, WorkplaceID) VALUES (%1, %2, %3)").arg(day);
    const struct {
        QString Sql;
        int Count;
    } writes[] = {
        {insert.arg(0).arg(1), 1},
        {insert.arg(Bob->ID()).arg("'x'"), 2},
        {insert.arg(Bob->ID()).arg(Hall->ID()), 2},
        {QString("UPDATE Data SET WorkplaceID = 2147483648 WHERE PersonID = %1").arg(Ann->ID()), 3},
        {"UPDATE Data SET Note = 'seen'", 3},
        {"UPDATE Data SET PersonID = 1 WHERE PersonID = 0", 2},
        {"DELETE FROM Data WHERE typeof(WorkplaceID) = 'text'", 1},
    };
    for (const auto& write : writes) {
        ASSERT_EQ(CommittedRows(file, write.Sql), -1) << write.Sql.toStdString();
        EXPECT_EQ(kept(), write.Count) << write.Sql.toStdString();
    }
    // The program's own writes and a compression leave it as it is.
    ASSERT_NE(Store->Jobs->AddJob(day + 1, Bob, Kitchen), nullptr);
    ASSERT_TRUE(Store->Jobs->AddJobs(day + 2, {{Ann, Hall}, {Bob, Hall}}));
    ASSERT_TRUE(Store->Jobs->DeleteJob(day + 2, Ann->ID(), Hall->ID()));
    Store->Jobs->CloseDBFiles();
    ASSERT_TRUE(Store->DataMan->CommpressDB(file));
    EXPECT_EQ(kept(), 1);
    // A start tells what the file keeps, read from its index alone.
    Dialogs().AnswerMessage(mrOk);
    Store->Jobs->OpenDBFiles();
    ASSERT_EQ(MessagesAfterChecks().size(), 1);
    EXPECT_TRUE(Dialogs().MessageTexts()[0].contains("Jobs.cds\" holds 1 row that cannot be used"))
        << Dialogs().MessageTexts()[0].toStdString();
}

TEST_F(JobsTest, ClosingTheTableDropsTheLoadedJobs)
{
    const TDate day = Day(2026, 3, 5);
    Store->Jobs->AddJob(day, Ann, Kitchen);
    FilterJobs(day, day);
    EXPECT_EQ(Store->Jobs->JobCount(), 1);
    Store->Jobs->CloseDBFiles();
    EXPECT_EQ(Store->Jobs->JobCount(), 0);
    QFile::remove(Folder + "Jobs.cds");
    Store->Jobs->OpenDBFiles();
    EXPECT_EQ(Store->Jobs->JobCount(), 0);
}

TEST_F(JobsTest, PurgeKeepsTheLimitDayAndUndatedRows)
{
    Store->Jobs->AddJob(Day(2026, 2, 28), Ann, Kitchen);
    Store->Jobs->AddJob(Day(2026, 3, 1), Ann, Kitchen);
    Store->Jobs->AddJob(Day(2026, 3, 2), Bob, Kitchen);
    Store->Jobs->CloseDBFiles();
    {
        TTable table("raw");
        table.SetFileName(Folder + "Jobs.cds");
        ASSERT_EQ(table.Open(), orOpened);
        table.Append();
        table.SetFieldValue("PersonID", Ann->ID());
        ASSERT_TRUE(table.Post());
        ASSERT_TRUE(table.Save());
    }
    QList<int> positions;
    Store->Jobs->DeleteOlderJobs(Day(2026, 3, 1), 10, 50, [&](int p, const QString& t) {
        positions << p;
        EXPECT_TRUE(t.isEmpty());
    });
    EXPECT_EQ(positions, (QList<int>{10, 20, 30, 40}));
    // The row without a workplace is no job the program can show; it says so.
    Dialogs().AnswerMessage(mrOk);
    Store->Jobs->OpenDBFiles();
    ASSERT_EQ(MessagesAfterChecks().size(), 1);
    EXPECT_TRUE(Dialogs().MessageTexts()[0].contains("Jobs.cds\" holds 1 row that cannot be used"));
    FilterJobs(Day(2026, 1, 1), Day(2026, 12, 31));
    ASSERT_EQ(Store->Jobs->JobCount(), 2);
    EXPECT_EQ(Store->Jobs->Jobs(0)->Date(), Day(2026, 3, 1));
    EXPECT_EQ(Store->Jobs->Table().RecordCount(), 3);
}

class MacrosTest : public JobsTest {};

TEST_F(MacrosTest, TemplatesByNameIgnoringCase)
{
    TMacro macro;
    macro.SetName("  Week A ");
    macro.MacroJobs()->AddMacroJob(Ann->ID(), Kitchen->ID());
    macro.MacroJobs()->AddMacroJob(Bob->ID(), Hall->ID());
    EXPECT_EQ(macro.MacroJobs()->AddMacroJob(Ann->ID(), Kitchen->ID()), macro.MacroJobs()->Items(0));
    EXPECT_EQ(macro.MacroJobs()->AddMacroJob(3, 0), nullptr);
    EXPECT_EQ(macro.MacroJobs()->Count(), 2);
    ASSERT_TRUE(Store->Macros->PutMacro(&macro));
    auto found = Store->Macros->GetMacro("week a");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Name(), "week a");
    ASSERT_EQ(found->MacroJobs()->Count(), 2);
    EXPECT_EQ(found->MacroJobs()->Items(1)->PersonID(), Bob->ID());
    QStringList names{"WEEK A"};
    EXPECT_TRUE(Store->Macros->GetMacroNames(&names));
    EXPECT_EQ(names, QStringList{"WEEK A"});
    EXPECT_FALSE(Store->Macros->GetMacroNames(nullptr));
}

TEST_F(MacrosTest, ReplaceRemoveAndSavedAtOnce)
{
    TMacro macro;
    macro.SetName("Week A");
    macro.MacroJobs()->AddMacroJob(Ann->ID(), Kitchen->ID());
    Store->Macros->PutMacro(&macro);
    TMacro other;
    other.SetName("WEEK A");
    other.MacroJobs()->AddMacroJob(Bob->ID(), Hall->ID());
    Store->Macros->PutMacro(&other);
    {
        // A second reader of the file sees the change while the manager is open.
        TTable reader("reader");
        reader.SetFileName(Folder + "Macros.cds");
        ASSERT_EQ(reader.Open(), orOpened);
        EXPECT_EQ(reader.RecordCount(), 1);
    }
    auto found = Store->Macros->GetMacro("Week A");
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(found->MacroJobs()->Count(), 1);
    EXPECT_EQ(found->MacroJobs()->Items(0)->PersonID(), Bob->ID());
    TMacro empty;
    empty.SetName("week a");
    EXPECT_TRUE(Store->Macros->PutMacro(&empty));
    EXPECT_EQ(Store->Macros->GetMacro("Week A"), nullptr);
    QStringList names;
    Store->Macros->GetMacroNames(&names);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(Store->Macros->GetMacro(""), nullptr);
}

TEST_F(MacrosTest, LongNamesAreCutBeforeCompareAndUnreadablePairsDropped)
{
    const QString longName = QString(45, 'x');
    TMacro macro;
    macro.SetName(longName);
    EXPECT_EQ(macro.Name().size(), 40);
    macro.MacroJobs()->AddMacroJob(Ann->ID(), Kitchen->ID());
    Store->Macros->PutMacro(&macro);
    EXPECT_NE(Store->Macros->GetMacro(longName), nullptr);
    EXPECT_NE(Store->Macros->GetMacro(QString(40, 'X')), nullptr);
    Store.reset();
    WriteTableFile(Folder + "Macros.cds", TMacroMan::FieldDefs(), {{"Zero", 0, 1}, {"Zero", 0, 2}});
    Dialogs().AnswerMessage(mrOk);
    Open();
    EXPECT_TRUE(Dialogs().MessageTexts().value(0).contains("Macros.cds\" holds 2 rows that cannot be used"));
    EXPECT_EQ(Store->Macros->GetMacro("zero"), nullptr);
}

TEST_F(MacrosTest, TextsCutAtTheirFieldKeepWholeCharactersAndTheTemplateIsFoundByItsStoredName)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    // Each field ends inside the emoji: names of 50, shortcuts of 10, templates of 40.
    TPerson* eve = AddPerson(QString(49, 'e') + smile);
    TWorkplace* yard = AddWorkplace(QString(49, 'y') + smile, "YARDYARDY" + smile);
    ASSERT_NE(eve, nullptr);
    ASSERT_NE(yard, nullptr);
    ASSERT_NE(Store->Jobs->AddJob(Day(2026, 3, 2), eve, yard), nullptr);
    TMacro macro;
    macro.SetName(QString(39, 't') + smile);
    EXPECT_EQ(macro.Name(), QString(39, 't'));
    macro.MacroJobs()->AddMacroJob(eve->ID(), yard->ID());
    ASSERT_TRUE(Store->Macros->PutMacro(&macro));
    QStringList names;
    Store->Macros->GetMacroNames(&names);
    ASSERT_EQ(names, QStringList{QString(39, 't')});
    const auto found = Store->Macros->GetMacro(names[0]);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->MacroJobs()->Count(), 1);
    EXPECT_NE(Store->Macros->GetMacro(QString(39, 't') + smile), nullptr);
    // The files hold whole characters: valid UTF-8 of the cut texts.
    const auto lastBytes = [this](const QString& AFile, const QString& AColumn) {
        return TableFileQuery(Folder + AFile,
            QStringLiteral("SELECT CAST(%1 AS BLOB) FROM Data ORDER BY rowid DESC LIMIT 1").arg(AColumn))
            .value(0)
            .value(0)
            .toByteArray();
    };
    EXPECT_EQ(lastBytes("Workers.cds", "Name"), QByteArray(49, 'e'));
    EXPECT_EQ(lastBytes("Workplaces.cds", "Name"), QByteArray(49, 'y'));
    EXPECT_EQ(lastBytes("Workplaces.cds", "Shortcut"), QByteArray("YARDYARDY"));
    EXPECT_EQ(lastBytes("Jobs.cds", "PersonName"), QByteArray(49, 'e'));
    EXPECT_EQ(lastBytes("Jobs.cds", "WorkplaceShortcut"), QByteArray("YARDYARDY"));
    EXPECT_EQ(lastBytes("Macros.cds", "Name"), QByteArray(39, 't'));
}

TEST_F(MacrosTest, SystemTemplateFromADate)
{
    EXPECT_EQ(Store->Macros->GetSystemMacro(Day(2026, 3, 5)), nullptr);
    EXPECT_EQ(Store->Macros->GetSystemMacro(0), nullptr);
    Store->Jobs->AddJob(Day(2026, 3, 5), Ann, Kitchen);
    Store->Jobs->AddJob(Day(2026, 3, 5), Bob, Hall);
    {
        // The same pair twice in the file (written around the manager).
        TTable& table = Store->Jobs->Table();
        table.Append();
        table.SetFieldValue("Date", Day(2026, 3, 5));
        table.SetFieldValue("PersonID", Ann->ID());
        table.SetFieldValue("WorkplaceID", Kitchen->ID());
        ASSERT_TRUE(table.Post());
        ASSERT_TRUE(table.Save());
    }
    auto macro = Store->Macros->GetSystemMacro(Day(2026, 3, 5) + 0.3);
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(macro->Name(), "05/03/2026");
    EXPECT_EQ(macro->MacroJobs()->Count(), 2);
    EXPECT_EQ(Store->Jobs->DateFrom(), Day(2026, 3, 5));
    EXPECT_EQ(Store->Jobs->PersonID(), 0);
}

} // namespace
