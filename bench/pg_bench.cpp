// The store's figures on a PostgreSQL server of this machine: a private one
// on a Unix socket (fsync and synchronous commit on) holding 1 M relations.
// Durable AddJob, the daily and the worker's month refresh, and how soon a
// relation another client commits reaches the program's data watch, and a
// copy of the whole plan from the server to a folder and back. Prints
// its figures, the last line as JSON, merged into the one of "--merge FILE".
// Without PostgreSQL it says so and passes the earlier figures on.
// Usage: pg_bench [--merge FILE]
#include "bench/bench_merge.h"
#include "bench/schedule_figures.h"
#include "data/data_man.h"
#include "data/data_watch.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/pg/pg_connection.h"
#include "data/pg/pg_schema.h"
#include "data/plan_copy.h"
#include "data/workplace_man.h"
#include "schedule/schedule_stores.h"
#include "support/pg_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace {
constexpr int FirstDay = 42000; // 2014-12-27, as the folder's figures
constexpr int Relations = 1000000;
constexpr int Workers = 300;
constexpr int Workplaces = 100;

void PrintFigures(const QString& AMergeFile, const QString& AFigures)
{
    const QString earlier = LastJsonLine(AMergeFile);
    if (AFigures.isEmpty())
        std::printf("%s\n", qPrintable(earlier.isEmpty() ? QStringLiteral("{}") : earlier));
    else if (!earlier.isEmpty())
        std::printf("%s,%s}\n", qPrintable(earlier.chopped(1)), qPrintable(AFigures));
    else
        std::printf("{%s}\n", qPrintable(AFigures));
}

int Fail(const QString& AMergeFile, const QString& AWhy)
{
    std::printf("pg: %s\n", qPrintable(AWhy));
    PrintFigures(AMergeFile, QString());
    return 1;
}

// The relations in bulk by the server itself, the days in order and each
// day's pairs drawn by hash; a pair drawn twice on a day is stored once.
QString FillRelations(TPgConnection& AConnection)
{
    const QString sql = QStringLiteral(
        "INSERT INTO plenvo.jobs (date, person_id, person_name, workplace_id, workplace_shortcut, workplace_name, "
        "note) "
        "SELECT %1 + (g::bigint * 3650 / %2)::int, p, 'Worker ' || (p - 1), w, 'P' || (w - 1), 'Place ' || (w - 1), '' "
        "FROM (SELECT g, 1 + mod(hashint4(g) & 2147483647, %3) AS p, 1 + mod(hashint4(g + 977) & 2147483647, %4) AS w "
        "FROM generate_series(0, %2 - 1) g) drawn ON CONFLICT DO NOTHING")
                            .arg(FirstDay)
                            .arg(Relations)
                            .arg(Workers)
                            .arg(Workplaces);
    if (QString error = AConnection.Exec(sql); !error.isEmpty())
        return error;
    return AConnection.Exec(QStringLiteral("ANALYZE"));
}

// From another client's commit of a new relation to the watch's listener:
// the median over ARuns, each waiting at most two seconds.
double ChangeSeenMs(TPgConnection& AOther, int ARuns)
{
    TDataWatch watch;
    QElapsedTimer since;
    bool seen = false;
    watch.SetListener([&](int AChanges) {
        if (AChanges & dcJobs)
            seen = true;
    });
    std::vector<double> times;
    for (int i = 0; i < ARuns; ++i) {
        // Let the watch's own rhythm run on between two changes.
        QEventLoop pause;
        QTimer::singleShot(120 + 37 * (i % 5), &pause, &QEventLoop::quit);
        pause.exec();
        seen = false;
        since.start();
        AOther.Exec(QStringLiteral("INSERT INTO plenvo.jobs (date, person_id, person_name, workplace_id, "
                                   "workplace_shortcut, workplace_name, note) VALUES (?, 1, 'Worker 0', ?, ?, ?, '')"),
            {FirstDay + 5000 + i, i % Workplaces + 1, QStringLiteral("P%1").arg(i % Workplaces),
                QStringLiteral("Place %1").arg(i % Workplaces)});
        while (!seen && since.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        times.push_back(seen ? since.nsecsElapsed() / 1e6 : 2000.0);
    }
    return BenchMedian(times);
}

// The plan copied from the server to a new folder, then from there to a new
// database of the server: the seconds of each, -1 when a copy failed.
std::pair<double, double> CopySeconds(TPgServer& AServer, const QString& AConnInfo, QString& AError)
{
    QTemporaryDir folder;
    QElapsedTimer timer;
    timer.start();
    if (!folder.isValid() || !CopyPlan(ServerTables(AConnInfo), FolderTables(folder.path()), AError))
        return {-1, -1};
    const double toFolder = timer.elapsed() / 1000.0;
    const QString other = AServer.NewDatabase(&AError);
    timer.start();
    if (other.isEmpty() || !CopyPlan(FolderTables(folder.path()), ServerTables(other), AError))
        return {toFolder, -1};
    return {toFolder, timer.elapsed() / 1000.0};
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const QString mergeFile = TakeMergeOption(args);
    if (const QString missing = TPgServer::Missing(); !missing.isEmpty()) {
        std::printf("pg: skipped, %s\n", qPrintable(missing));
        PrintFigures(mergeFile, QString());
        return 0;
    }
    QString error;
    TPgServer* server = TPgServer::Shared(&error);
    const QString connInfo = server ? server->NewDatabase(&error) : QString();
    if (connInfo.isEmpty())
        return Fail(mergeFile, QStringLiteral("no server: ") + error);
    TPgConnection filler;
    if (QString why = filler.Open(connInfo); !why.isEmpty())
        return Fail(mergeFile, why);
    if (QSqlDatabase db = filler.Database(); !(error = EnsurePgSchema(db)).isEmpty())
        return Fail(mergeFile, error);

    auto dataMan = std::make_unique<TDataMan>();
    dataMan->SetDataServer(connInfo);
    auto persons = std::make_unique<TPersonMan>();
    auto workplaces = std::make_unique<TWorkplaceMan>();
    auto jobs = std::make_unique<TJobMan>();
    auto macros = std::make_unique<TMacroMan>();
    // The schedules read through the stores, as in the program.
    auto stores = std::make_unique<TScheduleStores>();
    for (int i = 0; i < Workers; ++i) {
        auto person = TSCObject::Create<TPerson>();
        person->SetName(QStringLiteral("Worker %1").arg(i));
        persons->InsertPerson(person);
    }
    for (int i = 0; i < Workplaces; ++i) {
        auto workplace = TSCObject::Create<TWorkplace>();
        workplace->SetName(QStringLiteral("Place %1").arg(i));
        workplace->SetShortcut(QStringLiteral("P%1").arg(i));
        workplaces->InsertWorkplace(workplace);
    }
    QElapsedTimer fill;
    fill.start();
    if (!(error = FillRelations(filler)).isEmpty())
        return Fail(mergeFile, error);
    std::printf("pg: %d workers, %d workplaces and 1 M relations drawn in %.1f s\n", persons->PersonCount(),
        workplaces->WorkplaceCount(), fill.elapsed() / 1000.0);
    jobs->CatchUp();

    std::vector<double> adds;
    TPerson* person = persons->Persons(0);
    TWorkplace* workplace = workplaces->Workplaces(0);
    for (int i = 0; i < 41; ++i) {
        const TDate day = FirstDay + 4000 + i;
        QElapsedTimer timer;
        timer.start();
        jobs->AddJob(day, person, workplace);
        adds.push_back(timer.nsecsElapsed() / 1e6);
        jobs->DeleteJob(day, person->ID(), workplace->ID());
    }
    const double addMs = BenchMedian(adds);
    const TBenchFigure day = DailyRefreshMs(FirstDay + 1000, 41);
    const TBenchFigure month = WorkerMonthRefreshMs(FirstDay + 1500, 41);
    const double seenMs = ChangeSeenMs(filler, 21);
    std::printf("pg: durable AddJob %.2f ms, daily refresh %.2f ms (CPU %.2f), worker's month %.2f ms (CPU %.2f), "
                "another client's change seen after %.1f ms\n",
        addMs, day.Ms, day.CpuMs, month.Ms, month.CpuMs, seenMs);
    stores.reset();
    macros.reset();
    jobs.reset();
    workplaces.reset();
    persons.reset();
    dataMan.reset();
    const auto [toFolderS, toServerS] = CopySeconds(*server, connInfo, error);
    if (toServerS < 0)
        return Fail(mergeFile, QStringLiteral("copy: ") + error);
    std::printf(
        "pg: the plan copied to a folder in %.1f s, from the folder to a server in %.1f s\n", toFolderS, toServerS);
    PrintFigures(mergeFile, QStringLiteral("\"pg_addjob_ms\":%1,\"pg_day_refresh_ms\":%2,"
                                           "\"pg_worker_month_refresh_ms\":%3,\"pg_change_seen_ms\":%4,"
                                           "\"pg_copy_to_folder_1m_s\":%5,\"pg_copy_1m_s\":%6")
                                .arg(addMs, 0, 'f', 3)
                                .arg(day.Ms, 0, 'f', 3)
                                .arg(month.Ms, 0, 'f', 3)
                                .arg(seenMs, 0, 'f', 1)
                                .arg(toFolderS, 0, 'f', 1)
                                .arg(toServerS, 0, 'f', 1));
    return 0;
}
