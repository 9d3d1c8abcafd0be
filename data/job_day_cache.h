// The jobs manager's memory of the days the daily schedule reads: the day
// read last, kept while the jobs file is unchanged, and the empty days that
// one read of the latest planned day answered.
#pragma once

#include "core/utils.h"
#include "data/job_rows.h"

#include <vector>

class TTable;

class TJobDayCache {
public:
    // The kept rows of ADate while the file is in AState, as when they were
    // read, and the manager changed no job since; none otherwise.
    const std::vector<TJobRow>* Rows(TDate ADate, const TJobsFileState& AState) const;
    // Keeps the rows of ADate read in AState (a valid one) and gives them.
    const std::vector<TJobRow>& Keep(TDate ADate, const TJobsFileState& AState, std::vector<TJobRow>&& ARows);
    void Forget() { FDay = TDay(); }
    // After a write to the kept day, which Rows gave as current in ABefore:
    // the written rows join it when the write was the only change since, the
    // file's version the same (no other connection committed) and one change
    // a row made on this one.
    void AddWritten(const TJobsFileState& ABefore, const TJobsFileState& AAfter, std::vector<TJobRow>& ARows);

    // True when ADate surely has no job: the previous-day template tries up
    // to 99 days back, and one read of the latest planned day answers every
    // empty day between. False when unknown.
    bool KnownEmpty(const TTable& ATable, TDate ADate);
    // The empty days known hold until a day is read again: another program
    // may have planned some since.
    void ForgetEmptyDays() { FEmptyGeneration = 0; }

private:
    struct TDay {
        TDate Date = 0;
        quint64 Generation = 0;
        TJobsFileState State;
        std::vector<TJobRow> Rows;
    };
    TDay FDay;
    TDate FEmptyFrom = 0;
    TDate FEmptyTo = -1;
    quint64 FEmptyGeneration = 0;
};
