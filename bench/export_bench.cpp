// Times the plan leaving the program on a data folder: a year of everyone
// read and written as CSV and as iCalendar (the tables opened as the screens
// have them), and the command line from process start to exit for one
// worker's month. Prints one JSON line with the median milliseconds; with
// --merge, the last line of FILE (another benchmark's JSON) with these
// figures added.
//   export_bench DIR PROGRAM [--merge FILE]
#include "bench/bench_merge.h"
#include "data/table.h"
#include "schedule/export/plan_export.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

double Median(std::vector<double> AValues)
{
    std::sort(AValues.begin(), AValues.end());
    return AValues.empty() ? 0 : AValues[AValues.size() / 2];
}

double MedianMs(int ARuns, const std::function<void()>& AWork)
{
    std::vector<double> times;
    for (int i = 0; i < ARuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        AWork();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(times);
}

std::unique_ptr<TTable> OpenTable(const QString& AFolder, const QString& AFileName)
{
    auto table = std::make_unique<TTable>(AFileName);
    table->SetFileName(AFolder + QLatin1Char('/') + AFileName);
    if (table->Open() != orOpened) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(table->FileName()));
        return nullptr;
    }
    return table;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString mergeFile = TakeMergeOption(args);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: export_bench DIR PROGRAM [--merge FILE]\n");
        return 2;
    }
    const QString folder = QDir(args[0]).absolutePath();
    const QString program = QFileInfo(args[1]).absoluteFilePath();

    double csvMs = 0;
    double icsMs = 0;
    size_t rowCount = 0;
    qsizetype csvBytes = 0;
    qsizetype icsBytes = 0;
    {
        auto workers = OpenTable(folder, QStringLiteral("Workers.cds"));
        auto workplaces = OpenTable(folder, QStringLiteral("Workplaces.cds"));
        auto jobs = OpenTable(folder, QStringLiteral("Jobs.cds"));
        if (!workers || !workplaces || !jobs)
            return 1;
        // A year in the middle of the folder's ten.
        const TExportQuery year{DateToOle(QDate(2016, 1, 1)), DateToOle(QDate(2016, 12, 31)), 0, 0};
        const QString identity = FolderIdentity(folder);
        bool ok = true;
        auto read = [&](std::vector<TExportRow>& ARows) {
            QString error;
            if (!ReadExportRows(*workers, *workplaces, *jobs, year, ARows, error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                ok = false;
            }
        };
        csvMs = MedianMs(7, [&] {
            std::vector<TExportRow> rows;
            read(rows);
            rowCount = rows.size();
            csvBytes = ExportCsv(rows).size();
        });
        icsMs = MedianMs(7, [&] {
            std::vector<TExportRow> rows;
            read(rows);
            icsBytes = ExportICalendar(rows, QStringLiteral("Plenvo"), true, identity, QDateTime::currentDateTimeUtc())
                           .size();
        });
        if (!ok || rowCount == 0)
            return 1;
    }
    std::printf("export: a year of everyone, %zu relations: CSV %.1f ms (%lld bytes), iCalendar %.1f ms (%lld bytes)\n",
        rowCount, csvMs, static_cast<long long>(csvBytes), icsMs, static_cast<long long>(icsBytes));

    QTemporaryDir output;
    const QString file = output.filePath(QStringLiteral("month.ics"));
    bool cliOk = true;
    const double cliMs = MedianMs(11, [&] {
        QProcess process;
        process.start(program,
            {QStringLiteral("--export"), QStringLiteral("ics"), QStringLiteral("--from"), QStringLiteral("2016-03-01"),
                QStringLiteral("--to"), QStringLiteral("2016-03-31"), QStringLiteral("--worker"),
                QStringLiteral("Worker 7"), QStringLiteral("--data-dir"), folder, QStringLiteral("--output"), file});
        cliOk = process.waitForFinished(30000) && process.exitCode() == 0 && cliOk;
    });
    if (!cliOk) {
        std::fprintf(stderr, "the command line failed: %s\n", qPrintable(program));
        return 1;
    }
    std::printf("export: command line, one worker's month as iCalendar: %.1f ms from start to exit\n", cliMs);

    const QString figures = QStringLiteral("\"export_year_csv_ms\":%1,\"export_year_ics_ms\":%2,"
                                           "\"export_cli_month_ms\":%3,\"export_year_relations\":%4")
                                .arg(csvMs, 0, 'f', 3)
                                .arg(icsMs, 0, 'f', 3)
                                .arg(cliMs, 0, 'f', 3)
                                .arg(rowCount);
    const QString earlier = LastJsonLine(mergeFile);
    if (!earlier.isEmpty())
        std::printf("%s,%s}\n", qPrintable(earlier.chopped(1)), qPrintable(figures));
    else
        std::printf("{%s}\n", qPrintable(figures));
    return 0;
}
