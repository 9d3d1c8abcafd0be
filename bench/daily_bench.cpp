// Daily schedule: a full refresh of one day and the previous-day system
// template when the last planned day lies 30 days back. Without an argument:
// a synthetic register of 300 workers and 100 workplaces with 1,000,000
// relations (about 300 a day) held in memory by date like an indexed table.
// With a data folder as argument: the program's own managers on that folder,
// for the day given as second argument (yyyy-MM-dd); "--fill" first fills the
// folder with a register and two planned days 30 days apart. A third argument
// (yyyy-MM-dd) times the previous-day template on that day (it writes there).
// Prints one JSON line with the median milliseconds.
#include "schedule/daily/daily_schedule.h"

#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "setup/setup.h"

#include "bench/bench_folder.h"
#include "bench/bench_register.h"
#include "bench/schedule_figures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <vector>

namespace {

class TBenchStore final : public TBenchRegisterStore<IDSStore, TRegisterPersonRecord, TRegisterWorkplaceRecord> {
public:
    TBenchStore(int APersons, int AWorkplaces, int AJobs, TDate AFirstDay) : TBenchRegisterStore(APersons, AWorkplaces)
    {
        std::mt19937 random(7);
        const int perDay = 300;
        for (int k = 0; k < AJobs; ++k) {
            const int person = k % perDay + 1;
            const int workplace = static_cast<int>(random() % static_cast<unsigned>(AWorkplaces)) + 1;
            FJobs[AFirstDay + k / perDay].push_back(Job(person, workplace));
        }
    }
    TJobRow Job(int APersonID, int AWorkplaceID) const
    {
        const auto& p = FPersons[static_cast<size_t>(APersonID - 1)];
        const auto& w = FWorkplaces[static_cast<size_t>(AWorkplaceID - 1)];
        return {0, 0, APersonID, AWorkplaceID, p.Name, w.Shortcut, w.Name, QString()};
    }
    void ClearDay(TDate ADate) { FJobs.erase(ADate); }
    // Moves every relation of the days in [AFrom, ATo] away (to make a gap).
    void ClearDays(TDate AFrom, TDate ATo) { FJobs.erase(FJobs.lower_bound(AFrom), FJobs.upper_bound(ATo)); }

    std::vector<TJobRow> DayJobs(TDate ADate) override
    {
        auto it = FJobs.find(ADate);
        return it == FJobs.end() ? std::vector<TJobRow>() : it->second;
    }
    std::optional<TJobRow> AddJob(TDate ADate, int APersonID, int AWorkplaceID) override
    {
        if (JobExists(ADate, APersonID, AWorkplaceID))
            return std::nullopt;
        FJobs[ADate].push_back(Job(APersonID, AWorkplaceID));
        return FJobs[ADate].back();
    }
    bool JobExists(TDate ADate, int APersonID, int AWorkplaceID) override
    {
        auto it = FJobs.find(ADate);
        if (it == FJobs.end())
            return false;
        return std::any_of(it->second.begin(), it->second.end(),
            [&](const TJobRow& j) { return j.PersonID == APersonID && j.WorkplaceID == AWorkplaceID; });
    }
    bool DeleteJob(TDate, int, int) override { return true; }
    std::optional<std::vector<TDSMacroPair>> SystemMacro(TDate ADate) override
    {
        auto it = FJobs.find(ADate);
        if (it == FJobs.end() || it->second.empty())
            return std::nullopt;
        std::vector<TDSMacroPair> pairs;
        for (const auto& j : it->second)
            pairs.emplace_back(j.PersonID, j.WorkplaceID);
        return pairs;
    }
    std::vector<TDSMacroPair> MacroPairs(const TMacro*) const override { return {}; }
    bool PreparePrint(const QStringList&) override { return true; }
    void AppendPrintPerson(const TPrintPersonRow&) override {}
    void AppendPrintWorkplace(const TPrintWorkplaceRow&) override {}
    bool Print(const QString&) override { return true; }

private:
    std::map<TDate, std::vector<TJobRow>> FJobs;
};

double Median(std::vector<double> AValues)
{
    std::sort(AValues.begin(), AValues.end());
    return AValues[AValues.size() / 2];
}

// Alternates between two planned days, so every run reads its day anew
// through the jobs filter and rebuilds both lists.
double RefreshMs(TDailySchedule& ASchedule, TDate ADay, int ARuns)
{
    ASchedule.SetDate(ADay - 30);
    std::vector<double> times;
    for (int i = 0; i < ARuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        ASchedule.SetDate(i % 2 ? ADay - 30 : ADay);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    ASchedule.SetDate(ADay);
    return Median(times);
}

} // namespace

// The managers on an existing data folder, in start-up order. With AFill the
// folder first gets 300 workers, 100 workplaces and the relations of ADay and
// of the day 30 days before, and the previous-day template is timed too: on
// the day after ADay, or on ATemplateDay, emptied again before each run.
int RunOnFolder(const QString& AFolder, const QDate& ADay, bool AFill, const QDate& ATemplateDay)
{
    TBenchFolder store(AFolder);
    TPersonMan& persons = *store.Persons;
    TWorkplaceMan& workplaces = *store.Workplaces;
    const TDate day = DateToOle(ADay);
    if (AFill) {
        for (int i = 1; i <= 300; ++i) {
            auto person = TSCObject::Create<TPerson>();
            person->SetName(QStringLiteral("Worker %1").arg(i));
            persons.InsertPerson(person);
        }
        for (int i = 1; i <= 100; ++i) {
            auto workplace = TSCObject::Create<TWorkplace>();
            workplace->SetName(QStringLiteral("Workplace %1").arg(i));
            workplace->SetShortcut(QStringLiteral("W%1").arg(i));
            workplaces.InsertWorkplace(workplace);
        }
        std::mt19937 random(7);
        for (TDate d : {day, day - 30})
            for (int i = 0; i < persons.PersonCount(); ++i)
                store.Jobs->AddJob(d, persons.Persons(i),
                    workplaces.Workplaces(
                        static_cast<int>(random() % static_cast<unsigned>(workplaces.WorkplaceCount()))));
    }
    const TBenchFigure refresh = DailyRefreshMs(day, 41);
    int dayRelations = 0;
    {
        TDailySchedule schedule;
        schedule.SetDate(day);
        dayRelations = static_cast<int>(schedule.GetMacroPairs().size());
    }
    TBenchFigure prevDay;
    if (AFill || ATemplateDay.isValid())
        prevDay = PrevDayTemplateMs(*store.Jobs, ATemplateDay.isValid() ? DateToOle(ATemplateDay) : day + 1, 11);
    std::printf("{\"store\":\"data folder\",\"workers\":%d,\"workplaces\":%d,\"day_relations\":%d,"
                "\"daily_refresh_ms\":%.3f,\"prevday_template_ms\":%.3f,"
                "\"daily_refresh_cpu_ms\":%.3f,\"prevday_template_cpu_ms\":%.3f}\n",
        persons.PersonCount(), workplaces.WorkplaceCount(), dayRelations, refresh.Ms, prevDay.Ms, refresh.CpuMs,
        prevDay.CpuMs);
    return 0;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    if (argc > 1) {
        const bool fill = QString::fromLocal8Bit(argv[1]) == QStringLiteral("--fill");
        const int at = fill ? 2 : 1;
        if (argc <= at)
            return 2;
        const QDate day = argc > at + 1
                              ? QDate::fromString(QString::fromLocal8Bit(argv[at + 1]), QStringLiteral("yyyy-MM-dd"))
                              : QDate::currentDate();
        const QDate templateDay
            = argc > at + 2 ? QDate::fromString(QString::fromLocal8Bit(argv[at + 2]), QStringLiteral("yyyy-MM-dd"))
                            : QDate();
        return RunOnFolder(QString::fromLocal8Bit(argv[at]), day, fill, templateDay);
    }
    const TDate firstDay = DateToOle(QDate(2010, 1, 1));
    TBenchStore store(300, 100, 1000000, firstDay);
    SetDSStore(&store);
    const int runs = 41;
    TDailySchedule schedule;
    const TDate day = DateToOle(QDate(2014, 3, 10));
    const double refreshMs = RefreshMs(schedule, day, runs);

    // The last planned day 30 days back: a gap of 29 empty days before the target.
    const TDate target = DateToOle(QDate(2015, 6, 15));
    store.ClearDays(target - 29, target);
    schedule.SetDate(target);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        store.ClearDay(target);
        schedule.Refresh(dsrkAll);
        QElapsedTimer timer;
        timer.start();
        const bool applied = schedule.ApplySystemTemplate(dsstkPrevDay);
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (!applied) {
            std::fprintf(stderr, "the previous-day template found nothing\n");
            return 1;
        }
    }
    const double prevDayMs = Median(times);
    std::printf("{\"store\":\"synthetic\",\"jobs\":1000000,\"day_relations\":%d,"
                "\"daily_refresh_ms\":%.3f,\"prevday_template_ms\":%.3f}\n",
        static_cast<int>(schedule.GetMacroPairs().size()), refreshMs, prevDayMs);
    SetDSStore(nullptr);
    return 0;
}
