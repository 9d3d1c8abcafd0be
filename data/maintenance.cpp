// The data maintenance of the data manager: backup, purge, compression.
#include "data/data_man.h"

#include "data/job_man.h"
#include "data/plan_copy.h"
#include "data/table_file.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>

namespace {
QString NowText()
{
    const QDateTime now = QDateTime::currentDateTime();
    QString time = QLocale().timeFormat(QLocale::LongFormat);
    time.remove(QLatin1Char('t'));
    return QLocale().toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ')
           + QLocale().toString(now.time(), time.trimmed());
}
} // namespace

void TDataMan::RunMaintenance(
    TDate ADeleteDateLimit, const TDataMaintenanceInfoCallBackProc& APCallBackInfoProc, bool ABackupBefore)
{
    int p = 0;
    auto report = [&](const QString& AText) {
        if (APCallBackInfoProc)
            APCallBackInfoProc(p, AText);
    };
    // The folder the tables are open on, whatever the dialog shows meanwhile.
    const QString dataDir = IncludeBackslash(CurrentDataDir());
    const QStringList files = DataFileNames();
    // On a server there are no files to copy or rewrite: it keeps and
    // compacts its tables itself.
    const bool onServer = !DataServer().isEmpty();

    report(NowText() + QStringLiteral("\r\n"));
    // Files another copy works in must not be replaced under it.
    if (!onServer && OthersWorkIn(dataDir)) {
        report(QStringLiteral("Error! The data files are open in another copy of the program. Close it there and "
                              "run the maintenance again. Maintenance will be interrupted.\r\n"));
        report(NowText());
        return;
    }
    p += 5;
    report(QStringLiteral("Closing data files..."));
    CloseAllTables();
    p += 5;
    report(QStringLiteral("OK\r\n"));

    bool stopped = false;
    if (ABackupBefore && onServer) {
        // A server's plan is backed up as a folder of table files, which
        // opens as a folder plan.
        const QString backup = dataDir + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
        p += 10;
        report(QStringLiteral("Copying the plan to the backup folder\r\n\"%1\"...").arg(backup));
        QString error;
        if (ForceFolders(backup) && CopyPlan(ServerTables(DataServer()), FolderTables(backup), error)) {
            report(QStringLiteral("OK\r\n"));
        } else {
            report(QStringLiteral("\r\nError! %1 Maintenance will be interrupted.").arg(error));
            stopped = true;
        }
    } else if (ABackupBefore) {
        QString backup = dataDir + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
        p += 5;
        report(QStringLiteral("Creating backup folder\r\n\"%1\"...").arg(backup));
        if (ForceFolders(backup)) {
            backup = IncludeBackslash(backup);
            p += 5;
            report(QStringLiteral("OK\r\n"));
            for (const QString& name : files) {
                p += 2;
                report(QStringLiteral("Copying backup file \"%1\"...").arg(name));
                const bool ok = !QFileInfo::exists(dataDir + name) || SafeCopyFile(dataDir + name, backup + name);
                p += 2;
                if (!ok) {
                    report(QStringLiteral("\r\nError! Can not copy backup file. Maintenance will be interrupted."));
                    stopped = true;
                    break;
                }
                report(QStringLiteral("OK\r\n"));
            }
        } else {
            p += 5;
            report(QStringLiteral("\r\nError! Can not create backup folder. Maintenance will be interrupted."));
            stopped = true;
        }
    }

    if (!stopped) {
        int step = 10;
        if (ADeleteDateLimit > 0) {
            report(QStringLiteral("Deleting records older than %1...").arg(ShortDateText(ADeleteDateLimit)));
            if (TJobMan* jobs = TJobMan::Instance())
                jobs->DeleteOlderJobs(ADeleteDateLimit, p, 50, APCallBackInfoProc);
            p = 50;
            report(QStringLiteral("OK\r\n"));
            step = 5;
        }
        for (const QString& name : onServer ? files : QStringList()) {
            // The server compacts a table with VACUUM, outside a transaction.
            p += step;
            report(QStringLiteral("Compacting table \"%1\" on the server...").arg(name));
            TTable table(QStringLiteral("vacuum"));
            AttachTable(table, name);
            table.SetReadOnly(true);
            bool ok = table.Open() == orOpened;
            QSqlQuery query(table.Database());
            ok = ok && query.exec(QStringLiteral("VACUUM ANALYZE %1").arg(table.SqlTable()));
            p += step;
            report(ok ? QStringLiteral("OK\r\n")
                      : QStringLiteral("\r\nError! %1 Maintenance will be continued.")
                            .arg(query.lastError().databaseText()));
        }
        for (const QString& name : onServer ? QStringList() : files) {
            p += step;
            report(QStringLiteral("Compressing data file \"%1\"...").arg(name));
            const bool ok = CommpressDB(dataDir + name);
            p += step;
            report(ok ? QStringLiteral("OK\r\n")
                      : QStringLiteral("\r\nError! Compressing failed. Maintenance will be continued."));
        }
        p += 5;
        report(QStringLiteral("Opening data files..."));
        OpenAllTables();
        p = 100;
        report(QStringLiteral("OK\r\n"));
    } else {
        // The tables are never left closed.
        OpenAllTables();
    }
    p = 0;
    report(NowText());
}
