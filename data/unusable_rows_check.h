// Tells the user of the rows of a table file that no reader can use: the
// count the file keeps, or else a count on a thread of its own, so the start
// does not wait for a walk over the whole file; the user is told when the
// count is in, unless the table has closed meanwhile.
#pragma once

#include <QString>

#include <memory>
#include <thread>

class TUnusableRowsCheck {
public:
    TUnusableRowsCheck() = default;
    ~TUnusableRowsCheck();
    TUnusableRowsCheck(const TUnusableRowsCheck&) = delete;
    TUnusableRowsCheck& operator=(const TUnusableRowsCheck&) = delete;

    // Tells ACount (a count the file keeps) at the next turn of the event loop.
    void Tell(const QString& AFileName, qint64 ACount);
    // Runs ACountSql on a read-only connection to AFileName, at the lowest
    // priority: the user's work comes first.
    void Start(const QString& AFileName, const QString& ACountSql);
    // Ends a count under way; its result is not told.
    void Stop();
    // Around the user's writes: a count under way gives way (its read would
    // hold up a write to a file with a rollback journal) and starts again on
    // the file as written.
    void Pause();
    void Resume();
    // Waits for the count under way; its result is told at the next turn of
    // the event loop.
    void Finish();

private:
    struct TShared;
    std::shared_ptr<TShared> FShared;
    std::thread FThread;
    QString FFileName;
    QString FCountSql;
    bool FPaused = false;
};
