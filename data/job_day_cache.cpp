#include "data/job_day_cache.h"

const std::vector<TJobRow>* TJobDayCache::Rows(TDate ADate, const TJobsFileState& AState) const
{
    // The generation also tells the file was closed or opened again.
    if (AState.IsValid() && FDay.Date == ADate && FDay.Generation == JobsGeneration() && FDay.State == AState)
        return &FDay.Rows;
    return nullptr;
}

const std::vector<TJobRow>& TJobDayCache::Keep(TDate ADate, const TJobsFileState& AState, std::vector<TJobRow>&& ARows)
{
    FDay = {ADate, JobsGeneration(), AState, std::move(ARows)};
    return FDay.Rows;
}

void TJobDayCache::AddWritten(const TJobsFileState& ABefore, const TJobsFileState& AAfter, std::vector<TJobRow>& ARows)
{
    if (FDay.State != ABefore || AAfter.Version != ABefore.Version
        || AAfter.Changes != ABefore.Changes + static_cast<qint64>(ARows.size()))
        return;
    for (TJobRow& row : ARows)
        FDay.Rows.push_back(std::move(row));
    FDay.Generation = JobsGeneration();
    FDay.State = AAfter;
}

bool TJobDayCache::KnownEmpty(const TTable& ATable, TDate ADate)
{
    const TDate day = TruncDate(ADate);
    if (day <= 0)
        return false;
    if (FEmptyGeneration != JobsGeneration() || day < FEmptyFrom || day > FEmptyTo) {
        const TDate latest = LatestJobDate(ATable, day);
        if (latest < 0)
            return false;
        FEmptyFrom = latest + 1;
        FEmptyTo = day;
        FEmptyGeneration = JobsGeneration();
    }
    return day >= FEmptyFrom && day <= FEmptyTo;
}
