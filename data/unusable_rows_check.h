// Counts the rows of a large table file that no reader can use on a thread
// of its own, so the start does not wait for a walk over the whole file; the
// user is told when the count is in, unless the table has closed meanwhile.
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

    // Runs ACountSql on a read-only connection to AFileName.
    void Start(const QString& AFileName, const QString& ACountSql);
    // Ends a count under way; its result is not told.
    void Stop();
    // Waits for the count under way; its result is told at the next turn of
    // the event loop.
    void Finish();

private:
    struct TShared;
    std::shared_ptr<TShared> FShared;
    std::thread FThread;
};
