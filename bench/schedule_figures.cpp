#include "bench/schedule_figures.h"

#include "data/history.h"
#include "data/job_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"

#include <QElapsedTimer>

#include <algorithm>
#include <ctime>
#include <tuple>

namespace {
double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Collects the runs' times; Figure gives both medians.
class TRuns {
public:
    template <class TWork>
    void Time(TWork AWork)
    {
        QElapsedTimer timer;
        const double cpu = ThreadCpuMs();
        timer.start();
        AWork();
        FWall.push_back(timer.nsecsElapsed() / 1e6);
        FCpu.push_back(ThreadCpuMs() - cpu);
    }
    TBenchFigure Figure() const { return {BenchMedian(FWall), BenchMedian(FCpu)}; }

private:
    std::vector<double> FWall;
    std::vector<double> FCpu;
};

template <class TSchedule>
TBenchFigure MonthRefreshMs(TSchedule& ASchedule, TDate AMonth, int ARuns)
{
    const TDate other = DateToOle(OleToDate(AMonth).addMonths(-2));
    TRuns runs;
    for (int i = 0; i < ARuns; ++i)
        runs.Time([&] { ASchedule.SetDate(i % 2 ? other : AMonth); });
    return runs.Figure();
}
} // namespace

double BenchMedian(std::vector<double> AValues)
{
    if (AValues.empty())
        return 0;
    std::sort(AValues.begin(), AValues.end());
    return AValues[AValues.size() / 2];
}

TBenchFigure DailyRefreshMs(TDate ADay, int ARuns)
{
    TDailySchedule schedule;
    schedule.SetDate(ADay - 30);
    TRuns runs;
    for (int i = 0; i < ARuns; ++i)
        runs.Time([&] { schedule.SetDate(i % 2 ? ADay - 30 : ADay); });
    return runs.Figure();
}

TBenchFigure WorkerMonthRefreshMs(TDate AMonth, int ARuns)
{
    const TPersonMan* persons = TPersonMan::Instance();
    if (!persons || persons->PersonCount() == 0)
        return {};
    TPersonSchedule schedule;
    schedule.SetDateDaysKind(ddkMonth);
    schedule.SetPersonID(persons->Persons(persons->PersonCount() / 2)->ID());
    return MonthRefreshMs(schedule, AMonth, ARuns);
}

TBenchFigure WorkplaceMonthRefreshMs(TDate AMonth, int ARuns)
{
    const TWorkplaceMan* workplaces = TWorkplaceMan::Instance();
    if (!workplaces || workplaces->WorkplaceCount() == 0)
        return {};
    TWorkplaceSchedule schedule;
    schedule.SetDateDaysKind(ddkMonth);
    schedule.SetWorkplaceID(workplaces->Workplaces(workplaces->WorkplaceCount() / 2)->ID());
    return MonthRefreshMs(schedule, AMonth, ARuns);
}

TUndoFigures UndoMs(TDate ADay, int ARuns)
{
    THistory history;
    TDailySchedule schedule;
    schedule.SetDate(ADay);
    const std::vector<TDSMacroPair> day = schedule.GetMacroPairs();
    const TPersonMan* persons = TPersonMan::Instance();
    const TWorkplaceMan* workplaces = TWorkplaceMan::Instance();
    if (day.empty() || !persons || !workplaces)
        return {};
    // A worker and a workplace the day does not pair yet.
    int personID = 0, workplaceID = 0;
    for (int i = 0; i < persons->PersonCount() && !personID; ++i)
        for (int j = 0; j < workplaces->WorkplaceCount() && !personID; ++j) {
            const TDSMacroPair pair{persons->Persons(i)->ID(), workplaces->Workplaces(j)->ID()};
            if (std::find(day.begin(), day.end(), pair) == day.end())
                std::tie(personID, workplaceID) = pair;
        }
    TRuns clearAll, drop;
    for (int i = 0; i < ARuns; ++i) {
        schedule.ClearAllPersonsFromWorkplaces();
        clearAll.Time([&] { history.Undo(); });
        schedule.AddPersonToWorkplace(personID, workplaceID);
        drop.Time([&] { history.Undo(); });
    }
    // The day as it was: every step undone.
    schedule.Refresh(dsrkAll);
    if (schedule.GetMacroPairs().size() != day.size())
        return {};
    return {clearAll.Figure(), drop.Figure()};
}

TBenchFigure PrevDayTemplateMs(TJobMan& AJobs, TDate ATarget, int ARuns, bool AReopen)
{
    TDailySchedule schedule;
    schedule.SetDate(ATarget);
    TRuns runs;
    for (int i = 0; i < ARuns; ++i) {
        schedule.ClearAllPersonsFromWorkplaces();
        if (!schedule.GetMacroPairs().empty())
            return {};
        if (AReopen) {
            AJobs.OpenDBFiles();
            schedule.Refresh(dsrkAll);
        }
        bool applied = false;
        runs.Time([&] { applied = schedule.ApplySystemTemplate(dsstkPrevDay); });
        if (!applied)
            return {};
    }
    return runs.Figure();
}
