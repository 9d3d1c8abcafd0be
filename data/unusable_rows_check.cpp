#include "data/unusable_rows_check.h"

#include "data/data_man.h"
#include "data/table_schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QMetaObject>

#include <sqlite3.h>

#ifdef __linux__
#include <sched.h>
#endif

#include <atomic>
#include <mutex>
#include <utility>

struct TUnusableRowsCheck::TShared {
    std::mutex Mutex;
    sqlite3* Database = nullptr;
    std::atomic<bool> Stopped{false};
    // The count is in: it is told even when stopped from now on.
    std::atomic<bool> Counted{false};
};

namespace {
void LowestPriority()
{
#ifdef __linux__
    // Runs only when a core has nothing else to do.
    sched_param param{};
    sched_setscheduler(0, SCHED_IDLE, &param);
#endif
}
} // namespace

TUnusableRowsCheck::~TUnusableRowsCheck()
{
    Stop();
}

void TUnusableRowsCheck::Tell(const QString& AFileName, qint64 ACount)
{
    Stop();
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    auto shared = std::make_shared<TShared>();
    FShared = shared;
    QMetaObject::invokeMethod(
        app,
        [shared, fileName = AFileName, ACount] {
            if (!shared->Stopped)
                TDataMan::ReportUnusableRows(fileName, ACount);
        },
        Qt::QueuedConnection);
}

void TUnusableRowsCheck::Start(const QString& AFileName, const QString& ACountSql)
{
    Stop();
    QCoreApplication* app = QCoreApplication::instance();
    if (ACountSql.isEmpty() || !app)
        return;
    FFileName = AFileName;
    FCountSql = ACountSql;
    auto shared = std::make_shared<TShared>();
    FShared = shared;
    FThread = std::thread([shared, app, fileName = AFileName, sql = ACountSql.toUtf8()] {
        LowestPriority();
        qint64 count = -1;
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(QFile::encodeName(fileName).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            SetUpConnection(db);
            sqlite3_busy_timeout(db, 500);
            {
                std::lock_guard lock(shared->Mutex);
                shared->Database = db;
            }
            sqlite3_stmt* statement = nullptr;
            if (!shared->Stopped
                && sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) == SQLITE_OK
                && sqlite3_step(statement) == SQLITE_ROW)
                count = sqlite3_column_int64(statement, 0);
            sqlite3_finalize(statement);
            std::lock_guard lock(shared->Mutex);
            shared->Database = nullptr;
            shared->Counted = !shared->Stopped;
        }
        sqlite3_close(db);
        if (shared->Stopped)
            return;
        QMetaObject::invokeMethod(
            app,
            [shared, fileName, count] {
                if (!shared->Stopped)
                    TDataMan::ReportUnusableRows(fileName, count);
            },
            Qt::QueuedConnection);
    });
}

void TUnusableRowsCheck::Stop()
{
    FPaused = false;
    if (!FShared)
        return;
    {
        std::lock_guard lock(FShared->Mutex);
        FShared->Stopped = true;
        if (FShared->Database)
            sqlite3_interrupt(FShared->Database);
    }
    if (FThread.joinable())
        FThread.join();
    FShared.reset();
}

void TUnusableRowsCheck::Pause()
{
    if (!FThread.joinable() || FPaused)
        return;
    {
        std::lock_guard lock(FShared->Mutex);
        if (FShared->Counted)
            return;
        FShared->Stopped = true;
        if (FShared->Database)
            sqlite3_interrupt(FShared->Database);
    }
    FThread.join();
    FPaused = true;
}

void TUnusableRowsCheck::Resume()
{
    if (std::exchange(FPaused, false))
        Start(FFileName, FCountSql);
}

void TUnusableRowsCheck::Finish()
{
    if (FThread.joinable())
        FThread.join();
}
