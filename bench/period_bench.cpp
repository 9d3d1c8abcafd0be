// Month refresh of the worker and the workplace schedules. Without an
// argument: a synthetic register of 300 workers and 100 workplaces with
// 1,000,000 relations (about 300 a day), held in memory in date order like an
// indexed table. With a data folder as argument: the program's own managers
// on that folder, for the month given as second argument (yyyy-MM).
// Prints one JSON line with the median milliseconds.
#include "bench/schedule_figures.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"

#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/table.h"
#include "data/workplace_man.h"
#include "setup/setup.h"

#include "bench/bench_folder.h"
#include "bench/bench_register.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {
class TBenchStore final : public TBenchRegisterStore<IPeriodStore, TRegisterPersonRecord, TRegisterWorkplaceRecord> {
public:
    TBenchStore(int APersons, int AWorkplaces, int AJobs, TDate AFirstDay) : TBenchRegisterStore(APersons, AWorkplaces)
    {
        std::mt19937 random(7);
        const int perDay = 300;
        for (int k = 0; k < AJobs; ++k) {
            TJobRow job;
            job.Date = AFirstDay + k / perDay;
            job.PersonID = k % perDay + 1;
            job.WorkplaceID = static_cast<int>(random() % AWorkplaces) + 1;
            job.PersonName = FPersons[static_cast<size_t>(job.PersonID - 1)].Name;
            job.WorkplaceName = FWorkplaces[static_cast<size_t>(job.WorkplaceID - 1)].Name;
            job.WorkplaceShortcut = FWorkplaces[static_cast<size_t>(job.WorkplaceID - 1)].Shortcut;
            FJobs.push_back(job);
        }
    }

    void SetJobFilter(TDate AFrom, TDate ATo, int, int) override
    {
        if (AFrom != FFrom || ATo != FTo)
            FStale = true;
        FFrom = AFrom;
        FTo = ATo;
    }
    int JobCount() override
    {
        Load();
        return static_cast<int>(FLoaded.size());
    }
    const TJobRow* JobAt(int AIndex) override
    {
        Load();
        return &FLoaded[static_cast<size_t>(AIndex)];
    }
    std::optional<TJobRow> AddJob(TDate, int, int) override { return std::nullopt; }
    bool JobExists(TDate, int, int) override { return false; }
    bool DeleteJob(TDate, int, int) override { return false; }
    bool PreparePrint(const QStringList&) override { return true; }
    void AppendPrintPerson(const TPrintPersonRow&) override {}
    void AppendPrintWorkplace(const TPrintWorkplaceRow&) override {}
    void AppendPrintDay(const TPeriodPrintDay&) override {}
    bool Print(const QString&) override { return true; }

private:
    void Load()
    {
        if (!FStale)
            return;
        auto byDate = [](const TJobRow& AJob, TDate ADate) { return AJob.Date < ADate; };
        const auto first = std::lower_bound(FJobs.begin(), FJobs.end(), FFrom, byDate);
        const auto last = std::lower_bound(first, FJobs.end(), FTo + 1, byDate);
        FLoaded.assign(first, last);
        FStale = false;
    }

    std::vector<TJobRow> FJobs;
    std::vector<TJobRow> FLoaded;
    TDate FFrom = 0;
    TDate FTo = 0;
    bool FStale = true;
};

double Median(std::vector<double> AValues)
{
    std::sort(AValues.begin(), AValues.end());
    return AValues[AValues.size() / 2];
}

// Alternates between two months: each date change moves the period and runs
// the full refresh, which loads the new month's relations once.
template <class TSchedule>
double MonthRefreshMs(TSchedule& ASchedule, TDate AMonth1, TDate AMonth2, int ARuns)
{
    std::vector<double> times;
    for (int i = 0; i < ARuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        ASchedule.SetDate(i % 2 ? AMonth2 : AMonth1);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(times);
}
} // namespace

// Writes the synthetic register and 1,000,000 relations from 1 January 2010
// into a data folder through the managers (the jobs in one transaction).
int MakeFolder(const QString& AFolder)
{
    TBenchFolder store(AFolder);
    TPersonMan& persons = *store.Persons;
    TWorkplaceMan& workplaces = *store.Workplaces;
    for (int i = 1; i <= 300; ++i) {
        auto person = TSCObject::Create<TPerson>();
        person->SetName(QStringLiteral("Worker %1").arg(i, 3, 10, QLatin1Char('0')));
        if (!persons.InsertPerson(person))
            return 1;
    }
    for (int i = 1; i <= 100; ++i) {
        auto workplace = TSCObject::Create<TWorkplace>();
        workplace->SetName(QStringLiteral("Workplace %1").arg(i, 3, 10, QLatin1Char('0')));
        workplace->SetShortcut(QStringLiteral("W%1").arg(i));
        if (!workplaces.InsertWorkplace(workplace))
            return 1;
    }
    std::mt19937 random(7);
    TTable& table = store.Jobs->Table();
    const TDate firstDay = DateToOle(QDate(2010, 1, 1));
    for (int k = 0; k < 1000000; ++k) {
        const TPerson* person = persons.Persons(k % 300);
        const TWorkplace* workplace = workplaces.Workplaces(static_cast<int>(random() % 100));
        table.Append();
        table.SetFieldValue(QStringLiteral("Date"), firstDay + k / 300);
        table.SetFieldValue(QStringLiteral("PersonID"), person->ID());
        table.SetFieldValue(QStringLiteral("PersonName"), person->Name());
        table.SetFieldValue(QStringLiteral("WorkplaceID"), workplace->ID());
        table.SetFieldValue(QStringLiteral("WorkplaceShortcut"), workplace->Shortcut());
        table.SetFieldValue(QStringLiteral("WorkplaceName"), workplace->Name());
        if (!table.Post())
            return 1;
    }
    return table.Save() ? 0 : 1;
}

// The managers on an existing data folder, in start-up order.
int RunOnFolder(const QString& AFolder, const QDate& AMonth)
{
    TBenchFolder store(AFolder);
    if (!store.HasRegisters())
        return 1;
    const TDate month = DateToOle(AMonth.addDays(9));
    const TBenchFigure worker = WorkerMonthRefreshMs(month, 41);
    const TBenchFigure workplace = WorkplaceMonthRefreshMs(month, 41);
    std::printf("{\"store\":\"data folder\",\"workers\":%d,\"workplaces\":%d,"
                "\"worker_month_refresh_ms\":%.3f,\"workplace_month_refresh_ms\":%.3f,"
                "\"worker_month_refresh_cpu_ms\":%.3f,\"workplace_month_refresh_cpu_ms\":%.3f}\n",
        store.Persons->PersonCount(), store.Workplaces->WorkplaceCount(), worker.Ms, workplace.Ms, worker.CpuMs,
        workplace.CpuMs);
    return 0;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    if (argc > 2 && QByteArray(argv[1]) == "--make-folder")
        return MakeFolder(QString::fromLocal8Bit(argv[2]));
    if (argc > 1) {
        const QDate month = argc > 2 ? QDate::fromString(QString::fromLocal8Bit(argv[2]), QStringLiteral("yyyy-MM"))
                                     : QDate::currentDate().addDays(1 - QDate::currentDate().day());
        return RunOnFolder(QString::fromLocal8Bit(argv[1]), month);
    }
    const TDate firstDay = DateToOle(QDate(2010, 1, 1));
    TBenchStore store(300, 100, 1000000, firstDay);
    SetPeriodStore(&store);
    const TDate month1 = DateToOle(QDate(2014, 3, 10));
    const TDate month2 = DateToOle(QDate(2014, 5, 10));
    const int runs = 41;

    TPersonSchedule persons;
    persons.SetDateDaysKind(ddkMonth);
    persons.SetPersonID(150);
    const double workerMs = MonthRefreshMs(persons, month1, month2, runs);

    TWorkplaceSchedule workplaces;
    workplaces.SetDateDaysKind(ddkMonth);
    workplaces.SetWorkplaceID(50);
    const double workplaceMs = MonthRefreshMs(workplaces, month1, month2, runs);

    SetPeriodStore(nullptr);
    std::printf("{\"store\":\"in-memory, 300 workers, 100 workplaces, 1000000 jobs\",\"month_jobs\":%d,"
                "\"worker_month_refresh_ms\":%.3f,\"workplace_month_refresh_ms\":%.3f}\n",
        store.JobCount(), workerMs, workplaceMs);
    return 0;
}
