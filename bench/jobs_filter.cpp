// Measures the jobs store on a synthetic data folder: durable AddJob at 1 k and
// 1 M rows against the disk's fsync floor and the old rewrite-the-file design,
// the jobs filter for a day and a month, the schedules' refreshes and the
// previous-day template on the 1 M folder, opening, compression and peak
// memory. Its last line, JSON, carries every figure.
// With --size 10m the large folder is jobs-10m instead: 10,000,000 relations
// of 3,000 workers at 300 workplaces, its figures under the same keys (the
// 1 k folder's AddJob left out). With --keep a large folder made before is
// used again while its tables are laid out as the program writes them now.
// Usage: jobs_filter_bench [folder] [--size 1m|10m] [--keep]
//   (folder by default ./bench-data, on the disk to test)
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
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
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

// One size of the large folder: its name under the root and its contents.
struct TFolderSize {
    const char* Name;
    const char* Label;
    int Jobs;
    int Workers;
    int Workplaces;
};

constexpr TFolderSize FolderSizes[] = {
    {"1m", "1M", 1000000, 300, 100},
    // About 2,700 relations a day over the ten years.
    {"10m", "10M", 10000000, 3000, 300},
};

// Registers through the managers, jobs written in bulk straight into the file
// (the days in order, each day's workers and workplaces drawn at random).
void Populate(const QString& AFolder, int AJobs, int AWorkers = 300, int AWorkplaces = 100)
{
    QDir(AFolder).removeRecursively();
    QDir().mkpath(AFolder);
    TStore store(AFolder);
    QStringList workerNames, placeNames;
    for (int i = 0; i < AWorkers; ++i) {
        workerNames << QStringLiteral("Worker %1").arg(i);
        auto person = TSCObject::Create<TPerson>();
        person->SetName(workerNames.back());
        store.Persons->InsertPerson(person);
    }
    for (int i = 0; i < AWorkplaces; ++i) {
        placeNames << QStringLiteral("Place %1").arg(i);
        auto workplace = TSCObject::Create<TWorkplace>();
        workplace->SetName(placeNames.back());
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
        const int person = random.bounded(AWorkers) + 1;
        const int workplace = random.bounded(AWorkplaces) + 1;
        query.addBindValue(day);
        query.addBindValue(person);
        query.addBindValue(workerNames[person - 1]);
        query.addBindValue(workplace);
        query.addBindValue(QStringLiteral("Pla"));
        query.addBindValue(placeNames[workplace - 1]);
        query.addBindValue(QString());
        query.exec();
    }
    QSqlQuery(db).exec(QStringLiteral("COMMIT"));
}

// How the folder's table files are laid out: their schema, their field lists
// and their SQLite versions. Two folders the program wrote alike give the same.
QString FolderLayout(const QString& AFolder)
{
    QString layout;
    const QString connection = QStringLiteral("jobs-filter-layout");
    for (const QString& name : QDir(AFolder).entryList({QStringLiteral("*.cds")}, QDir::Files, QDir::Name)) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(AFolder + QLatin1Char('/') + name);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            layout += name + QLatin1Char('\n');
            QSqlQuery query(db);
            for (const QString& statement :
                {QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY type, name"),
                    QStringLiteral("SELECT * FROM Fields ORDER BY Position"), QStringLiteral("PRAGMA user_version"),
                    QStringLiteral("PRAGMA application_id"), QStringLiteral("PRAGMA journal_mode")}) {
                if (!db.open() || !query.exec(statement))
                    layout += QStringLiteral("(unreadable)\n");
                while (query.next()) {
                    for (int i = 0; i < query.record().count(); ++i)
                        layout += query.value(i).toString() + QLatin1Char('|');
                    layout += QLatin1Char('\n');
                }
            }
        }
        QSqlDatabase::removeDatabase(connection);
    }
    return layout;
}

qint64 FolderBytes(const QString& AFolder)
{
    qint64 bytes = 0;
    for (QDirIterator it(AFolder, QDir::Files); it.hasNext();)
        bytes += QFileInfo(it.next()).size();
    return bytes;
}

// Makes the large folder, or with AKeep uses the one made before when the
// stamp beside it names the same contents and its tables are laid out like
// those of ALike, just made by this program; a folder cut short has no stamp.
void MakeLarge(const QString& AFolder, const TFolderSize& ASize, bool AKeep, const QString& ALike)
{
    QFile stamp(AFolder + QStringLiteral(".made"));
    const QByteArray contents = QStringLiteral("%1 jobs, %2 workers, %3 workplaces\n")
                                    .arg(ASize.Jobs)
                                    .arg(ASize.Workers)
                                    .arg(ASize.Workplaces)
                                    .toUtf8();
    if (AKeep && stamp.open(QIODevice::ReadOnly) && stamp.readAll() == contents) {
        stamp.close();
        if (FolderLayout(AFolder) == FolderLayout(ALike)) {
            Out << "kept " << AFolder << " made before (" << FolderBytes(AFolder) / 1e6 << " MB)\n";
            Out.flush();
            return;
        }
        Out << "the tables of " << AFolder << " are laid out otherwise now: made again\n";
    }
    stamp.close();
    stamp.remove();
    Out << "making " << AFolder << ": " << ASize.Jobs << " relations of " << ASize.Workers << " workers at "
        << ASize.Workplaces << " workplaces\n";
    Out.flush();
    QElapsedTimer timer;
    timer.start();
    Populate(AFolder, ASize.Jobs, ASize.Workers, ASize.Workplaces);
    const double seconds = timer.elapsed() / 1000.0;
    if (stamp.open(QIODevice::WriteOnly))
        stamp.write(contents);
    Out << "made in " << seconds << " s (" << FolderBytes(AFolder) / 1e6 << " MB)\n";
    Out.flush();
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
        const int person = AOneWorker ? random.bounded(AStore.Persons->PersonCount()) + 1 : 0;
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
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool keep = args.removeAll(QStringLiteral("--keep")) > 0;
    const TFolderSize* size = &FolderSizes[0];
    if (const qsizetype at = args.indexOf(QStringLiteral("--size")); at >= 0) {
        const QString name = at + 1 < args.size() ? args[at + 1] : QString();
        size = nullptr;
        for (const TFolderSize& each : FolderSizes)
            if (name == QLatin1String(each.Name))
                size = &each;
        if (!size) {
            std::fprintf(stderr, "--size takes 1m or 10m\n");
            return 2;
        }
        args.remove(at, 2);
    }
    const bool base = size == &FolderSizes[0];
    const QString root = QDir(args.isEmpty() ? QStringLiteral("bench-data") : args[0]).absolutePath();
    const QString small = root + QStringLiteral("/jobs-1k");
    const QString large = root + QStringLiteral("/jobs-") + QLatin1String(size->Name);
    const char* label = size->Label;
    Out << "Data folders in " << root << "\n";
    Out.flush();

    Populate(small, 1000);
    MakeLarge(large, *size, keep, small);
    const double floor = FsyncFloor(root);
    Out << "fsync floor: " << floor << " ms\n";

    double add1k = -1, add1m, del1k = -1, del1m, rewrite, day, month;
    TBenchFigure dailyRefresh, workerMonth, workplaceMonth, prevDay, prevDayReopened;
    TUndoFigures undo;
    if (base) {
        TStore store(small);
        std::tie(add1k, del1k) = AddDelete(store, 40);
    }
    {
        TStore store(large);
        std::tie(add1m, del1m) = AddDelete(store, 40);
        if (base)
            Out << "AddJob 1k: " << add1k << " ms, 1M: " << add1m << " ms; DeleteJob 1k: " << del1k
                << " ms, 1M: " << del1m << " ms\n";
        else
            Out << "AddJob " << label << ": " << add1m << " ms; DeleteJob " << label << ": " << del1m << " ms\n";
        rewrite = RewriteBaseline(store, large, 3);
        Out << "AddJob with the whole file rewritten, " << label << ": " << rewrite << " ms\n";
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
    Out << "compress " << label << " jobs: " << compress << " s\n";
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double rss = usage.ru_maxrss / 1024.0;
    Out << "peak RSS: " << rss << " MB\n";
    Out << "{\"fsync_floor_ms\": " << floor;
    if (base)
        Out << ", \"addjob_1k_ms\": " << add1k;
    Out << ", \"addjob_1m_ms\": " << add1m << ", \"rewrite_baseline_1m_ms\": " << rewrite
        << ", \"day_filter_ms\": " << day << ", \"month_filter_ms\": " << month << ", \"open_ms\": " << open
        << ", \"compress_1m_s\": " << compress << ", \"peak_rss_mb\": " << rss
        << ", \"daily_refresh_ms\": " << dailyRefresh.Ms << ", \"worker_month_refresh_ms\": " << workerMonth.Ms
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
