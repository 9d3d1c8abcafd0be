// The schedules' timings on the data folder the program's managers have open:
// the figures the benchmarks print, measured the same way by each of them.
#pragma once

#include "core/utils.h"

#include <vector>

class TJobMan;

double BenchMedian(std::vector<double> AValues);

// A median of elapsed time and of the CPU time the thread itself used: on a
// machine shared with other work the second shows what the code costs.
struct TBenchFigure {
    double Ms = -1;
    double CpuMs = -1;
};

// A full refresh of the daily schedule, alternating between ADay and the day
// 30 days before, so every run reads its day anew.
TBenchFigure DailyRefreshMs(TDate ADay, int ARuns);
// A month's refresh of the worker (workplace) schedule for the worker
// (workplace) at the middle of the register, alternating between the month of
// AMonth and the one two months before.
TBenchFigure WorkerMonthRefreshMs(TDate AMonth, int ARuns);
TBenchFigure WorkplaceMonthRefreshMs(TDate AMonth, int ARuns);
// The previous-day system template on ATarget, which the folder leaves empty
// (its last planned day lies up to 30 days back); the target day is emptied
// again before each run, untimed, through the schedule's "Clear all", as a
// user would. With AReopen the file is also closed and opened again before
// each run, so every template is the first write after opening the folder
// (it then also starts the write-ahead log afresh). Negative when the
// template found nothing.
TBenchFigure PrevDayTemplateMs(TJobMan& AJobs, TDate ATarget, int ARuns, bool AReopen = false);
// Undo on a planned day ADay: of its "Clear all" (every relation back in one
// durable write) and of a worker dropped on a workplace; each step is done
// again, untimed, before the next run. Negative when the day is empty.
struct TUndoFigures {
    TBenchFigure ClearAll;
    TBenchFigure Drop;
};
TUndoFigures UndoMs(TDate ADay, int ARuns);
