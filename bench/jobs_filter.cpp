// Measures the jobs store on a synthetic data folder: durable AddJob at 1 k and
// 1 M rows against the disk's fsync floor and the old rewrite-the-file design,
// the jobs filter for a day and a month, the schedules' refreshes and the
// previous-day template on the 1 M folder, opening, compression and peak
// memory. Its last line, JSON, carries every figure.
// Usage: jobs_filter_bench [folder]  (default ./bench-data, on the disk to test)
#include "bench/schedule_figures.h"
#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/table_file.h"
#include "data/workplace_man.h"
#include "schedule/schedule_stores.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
QTextStream Out(stdout);

double Median(std::vector<double> AValues)
{
    std::sort(AValues.begin(), AValues.end());
    return AValues.empty() ? 0 : AValues[AValues.size() / 2];
}

double TimeMs(const std::function<void()>& AWork)
{
    QElapsedTimer timer;
    timer.start();
    AWork();
    return timer.nsecsElapsed() / 1e6;
}

struct TStore {
    explicit TStore(const QString& AFolder)
    {
        DataMan = std::make_unique<TDataMan>();
        DataMan->SetDataDir(AFolder);
        Persons = std::make_unique<TPersonMan>();
        Workplaces = std::make_unique<TWorkplaceMan>();
        Jobs = std::make_unique<TJobMan>();
        Macros = std::make_unique<TMacroMan>();
    }
    ~TStore()
    {
        Macros.reset();
        Jobs.reset();
        Workplaces.reset();
        Persons.reset();
        DataMan.reset();
    }
    std::unique_ptr<TDataMan> DataMan;
    std::unique_ptr<TPersonMan> Persons;
    std::unique_ptr<TWorkplaceMan> Workplaces;
    std::unique_ptr<TJobMan> Jobs;
    std::unique_ptr<TMacroMan> Macros;
    // The schedules run on these managers, as in the program.
    TScheduleStores Stores;
};

constexpr int FirstDay = 42000; // 2014-12-27

// Registers through the managers, jobs written in bulk straight into the file.
void Populate(const QString& AFolder, int AJobs)
{
    QDir(AFolder).removeRecursively();
    QDir().mkpath(AFolder);
    TStore store(AFolder);
    for (int i = 0; i < 300; ++i) {
        auto person = TSCObject::Create<TPerson>();
        person->SetName(QStringLiteral("Worker %1").arg(i));
        store.Persons->InsertPerson(person);
    }
    for (int i = 0; i < 100; ++i) {
        auto workplace = TSCObject::Create<TWorkplace>();
        workplace->SetName(QStringLiteral("Place %1").arg(i));
        store.Workplaces->InsertWorkplace(workplace);
    }
    QSqlDatabase db = store.Jobs->Table().Database();
    QSqlQuery query(db);
    query.exec(QStringLiteral("BEGIN"));
    query.prepare(QStringLiteral("INSERT INTO Data (Date, PersonID, PersonName, WorkplaceID, WorkplaceShortcut, "
                                 "WorkplaceName, Note) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    QRandomGenerator random(7);
    const int days = 3650;
    for (int i = 0; i < AJobs; ++i) {
        const int day = FirstDay + static_cast<int>(static_cast<qint64>(i) * days / AJobs);
        const int person = random.bounded(300) + 1;
        const int workplace = random.bounded(100) + 1;
        query.addBindValue(day);
        query.addBindValue(person);
        query.addBindValue(QStringLiteral("Worker %1").arg(person - 1));
        query.addBindValue(workplace);
        query.addBindValue(QStringLiteral("Pla"));
        query.addBindValue(QStringLiteral("Place %1").arg(workplace - 1));
        query.addBindValue(QString());
        query.exec();
    }
    QSqlQuery(db).exec(QStringLiteral("COMMIT"));
}

double FsyncFloor(const QString& AFolder)
{
    const QByteArray name = QFile::encodeName(AFolder + QStringLiteral("/fsync.probe"));
    const int fd = ::open(name.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    std::vector<double> times;
    char block[128] = {};
    for (int i = 0; i < 40; ++i)
        times.push_back(TimeMs([&] {
            [[maybe_unused]] auto w = ::pwrite(fd, block, sizeof block, (i % 8) * 4096);
            ::fdatasync(fd);
        }));
    ::close(fd);
    ::unlink(name.constData());
    return Median(times);
}

// AddJob and DeleteJob of a pair the file does not hold, durable each.
std::pair<double, double> AddDelete(TStore& AStore, int ARuns)
{
    std::vector<double> adds, deletes;
    TPerson* person = AStore.Persons->Persons(0);
    TWorkplace* workplace = AStore.Workplaces->Workplaces(0);
    for (int i = 0; i < ARuns; ++i) {
        const TDate day = FirstDay + 4000 + i;
        adds.push_back(TimeMs([&] { AStore.Jobs->AddJob(day, person, workplace); }));
        deletes.push_back(TimeMs([&] { AStore.Jobs->DeleteJob(day, person->ID(), workplace->ID()); }));
    }
    return {Median(adds), Median(deletes)};
}

// The old design: every change rewrites the whole jobs file and renames it.
double RewriteBaseline(TStore& AStore, const QString& AFolder, int ARuns)
{
    std::vector<double> times;
    TPerson* person = AStore.Persons->Persons(1);
    TWorkplace* workplace = AStore.Workplaces->Workplaces(1);
    const QString file = AFolder + QStringLiteral("/Jobs.cds");
    const QString copy = AFolder + QStringLiteral("/Jobs.rewrite");
    for (int i = 0; i < ARuns; ++i) {
        times.push_back(TimeMs([&] {
            AStore.Jobs->AddJob(FirstDay + 5000 + i, person, workplace);
            QFile::remove(copy);
            QSqlQuery query(AStore.Jobs->Table().Database());
            query.prepare(QStringLiteral("VACUUM INTO ?"));
            query.addBindValue(copy);
            query.exec();
            SyncPath(copy);
            std::rename(
                QFile::encodeName(copy).constData(), QFile::encodeName(copy + QStringLiteral(".done")).constData());
            SyncPath(AFolder);
        }));
        AStore.Jobs->DeleteJob(FirstDay + 5000 + i, person->ID(), workplace->ID());
    }
    QFile::remove(copy + QStringLiteral(".done"));
    return Median(times);
}

double FilterMs(TStore& AStore, int ASpan, bool AOneWorker)
{
    std::vector<double> times;
    QRandomGenerator random(11);
    int found = 0;
    for (int i = 0; i < 200; ++i) {
        const int day = FirstDay + random.bounded(3650 - ASpan);
        const int person = AOneWorker ? random.bounded(300) + 1 : 0;
        times.push_back(TimeMs([&] {
            AStore.Jobs->SetDateFrom(day);
            AStore.Jobs->SetDateTo(day + ASpan - 1);
            AStore.Jobs->SetPersonID(person);
            AStore.Jobs->SetWorkplaceID(0);
            found += AStore.Jobs->JobCount();
        }));
    }
    Out << "  (" << found / 200.0 << " jobs per read)\n";
    return Median(times);
}

double OpenMs(const QString& AFolder)
{
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) {
        std::unique_ptr<TStore> store;
        times.push_back(TimeMs([&] { store = std::make_unique<TStore>(AFolder); }));
    }
    return Median(times);
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString root = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bench-data")).absolutePath();
    const QString small = root + QStringLiteral("/jobs-1k");
    const QString large = root + QStringLiteral("/jobs-1m");
    Out << "Data folders in " << root << "\n";
    Out.flush();

    Populate(small, 1000);
    Populate(large, 1000000);
    const double floor = FsyncFloor(root);
    Out << "fsync floor: " << floor << " ms\n";

    double add1k, add1m, del1k, del1m, rewrite, day, month;
    TBenchFigure dailyRefresh, workerMonth, workplaceMonth, prevDay, prevDayReopened;
    TUndoFigures undo;
    {
        TStore store(small);
        std::tie(add1k, del1k) = AddDelete(store, 40);
    }
    {
        TStore store(large);
        std::tie(add1m, del1m) = AddDelete(store, 40);
        Out << "AddJob 1k: " << add1k << " ms, 1M: " << add1m << " ms; DeleteJob 1k: " << del1k << " ms, 1M: " << del1m
            << " ms\n";
        rewrite = RewriteBaseline(store, large, 3);
        Out << "AddJob with the whole file rewritten, 1M: " << rewrite << " ms\n";
        day = FilterMs(store, 1, false);
        Out << "one day, everyone: " << day << " ms\n";
        month = FilterMs(store, 30, true);
        Out << "one worker's month: " << month << " ms\n";
        Out.flush();
        auto show = [](const char* AWhat, const TBenchFigure& AFigure) {
            Out << AWhat << ": " << AFigure.Ms << " ms (CPU " << AFigure.CpuMs << " ms)\n";
            Out.flush();
        };
        dailyRefresh = DailyRefreshMs(FirstDay + 1000, 41);
        show("daily schedule, refresh a day", dailyRefresh);
        workerMonth = WorkerMonthRefreshMs(FirstDay + 1500, 41);
        show("worker schedule, refresh a month", workerMonth);
        workplaceMonth = WorkplaceMonthRefreshMs(FirstDay + 1500, 41);
        show("workplace schedule, refresh a month", workplaceMonth);
        // The day after the last planned one plus 29 empty days.
        prevDay = PrevDayTemplateMs(*store.Jobs, FirstDay + 3650 + 29, 7);
        show("previous-day template, 30 days back (one durable write)", prevDay);
        prevDayReopened = PrevDayTemplateMs(*store.Jobs, FirstDay + 3650 + 29, 7, true);
        show("the same as the first write after opening the folder", prevDayReopened);
        undo = UndoMs(FirstDay + 1000, 7);
        show("undo of a day's Clear all (one durable write)", undo.ClearAll);
        show("undo of a drop", undo.Drop);
    }
    const double open = OpenMs(large);
    Out << "open four tables and load the registers: " << open << " ms\n";
    double compress = 0;
    {
        TDataMan dataMan;
        compress = TimeMs([&] { dataMan.CommpressDB(large + QStringLiteral("/Jobs.cds")); }) / 1000.0;
    }
    Out << "compress 1M jobs: " << compress << " s\n";
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double rss = usage.ru_maxrss / 1024.0;
    Out << "peak RSS: " << rss << " MB\n";
    Out << "{\"fsync_floor_ms\": " << floor << ", \"addjob_1k_ms\": " << add1k << ", \"addjob_1m_ms\": " << add1m
        << ", \"rewrite_baseline_1m_ms\": " << rewrite << ", \"day_filter_ms\": " << day
        << ", \"month_filter_ms\": " << month << ", \"open_ms\": " << open << ", \"compress_1m_s\": " << compress
        << ", \"peak_rss_mb\": " << rss << ", \"daily_refresh_ms\": " << dailyRefresh.Ms
        << ", \"worker_month_refresh_ms\": " << workerMonth.Ms
        << ", \"workplace_month_refresh_ms\": " << workplaceMonth.Ms << ", \"prevday_template_ms\": " << prevDay.Ms
        << ", \"daily_refresh_cpu_ms\": " << dailyRefresh.CpuMs
        << ", \"worker_month_refresh_cpu_ms\": " << workerMonth.CpuMs
        << ", \"workplace_month_refresh_cpu_ms\": " << workplaceMonth.CpuMs
        << ", \"prevday_template_cpu_ms\": " << prevDay.CpuMs
        << ", \"prevday_template_reopened_ms\": " << prevDayReopened.Ms
        << ", \"prevday_template_reopened_cpu_ms\": " << prevDayReopened.CpuMs
        << ", \"undo_clear_all_ms\": " << undo.ClearAll.Ms << ", \"undo_clear_all_cpu_ms\": " << undo.ClearAll.CpuMs
        << ", \"undo_drop_ms\": " << undo.Drop.Ms << ", \"undo_drop_cpu_ms\": " << undo.Drop.CpuMs << "}\n";
    return 0;
}
