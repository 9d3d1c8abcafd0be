// Two copies of the program on one data folder: how soon the watching copy
// notices a worker the other copy added, and what watching costs while
// nothing changes. Prints its figures, the last line as JSON. With
// "--writer DIR" it is the other copy: one new worker per line on its input.
#include "data/data_watch.h"

#include "bench/bench_folder.h"
#include "bench/schedule_figures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>
#include <time.h>

namespace {

// The monotonic clock is one for every process of the machine.
qint64 NowUs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for AMs, or until AStop is called.
void RunFor(int AMs, QEventLoop* AStop = nullptr)
{
    QEventLoop local;
    QEventLoop& loop = AStop ? *AStop : local;
    QTimer::singleShot(AMs, &loop, &QEventLoop::quit);
    loop.exec();
}

int RunWriter(const QString& AFolder)
{
    TBenchFolder store(AFolder);
    std::printf("READY\n");
    std::fflush(stdout);
    char line[16];
    for (int i = 1; std::fgets(line, sizeof line, stdin); ++i) {
        auto person = TSCObject::Create<TPerson>();
        person->SetName(QStringLiteral("Newcomer %1").arg(i));
        if (!store.Persons->InsertPerson(person))
            return 1;
        std::printf("%lld\n", static_cast<long long>(NowUs()));
        std::fflush(stdout);
    }
    return 0;
}

void Fill(TBenchFolder& AStore)
{
    for (int i = 1; i <= 300; ++i) {
        auto person = TSCObject::Create<TPerson>();
        person->SetName(QStringLiteral("Worker %1").arg(i));
        AStore.Persons->InsertPerson(person);
    }
    for (int i = 1; i <= 30; ++i) {
        auto workplace = TSCObject::Create<TWorkplace>();
        workplace->SetName(QStringLiteral("Workplace %1").arg(i));
        workplace->SetShortcut(QStringLiteral("W%1").arg(i));
        AStore.Workplaces->InsertWorkplace(workplace);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--writer")
        return RunWriter(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir folder;
    TBenchFolder store(folder.path());
    Fill(store);

    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), folder.path()});
    if (!writer.waitForReadyRead(30000) || writer.readLine().trimmed() != "READY") {
        std::fprintf(stderr, "the second copy did not start\n");
        return 1;
    }
    TDataWatch watch;
    QEventLoop wait;
    qint64 seenUs = 0;
    int expected = store.Persons->PersonCount();
    // A worker can come in more than one look; the count says he is there.
    watch.SetListener([&](int AChanges) {
        if ((AChanges & dcWorkers) && store.Persons->PersonCount() == expected && !seenUs) {
            seenUs = NowUs();
            wait.quit();
        }
    });
    // Whatever opening the folder in the second copy wrote is taken now.
    watch.Look();

    const double cpuBefore = CpuSeconds();
    const int idleMs = 10000;
    RunFor(idleMs);
    const double idlePct = (CpuSeconds() - cpuBefore) * 100000.0 / idleMs;
    std::printf("idle watching, 300 workers and 30 workplaces: %.4f %% of one core\n", idlePct);

    QObject::connect(&writer, &QProcess::readyReadStandardOutput, &wait, &QEventLoop::quit);
    std::vector<double> delays;
    for (int round = 0; round < 20; ++round) {
        // Changes fall at every phase of the watch's timer.
        RunFor(QRandomGenerator::global()->bounded(250));
        seenUs = 0;
        ++expected;
        writer.write("\n");
        QElapsedTimer limit;
        limit.start();
        while ((!seenUs || !writer.canReadLine()) && limit.elapsed() < 5000)
            RunFor(5000, &wait);
        if (!seenUs || !writer.canReadLine()) {
            std::fprintf(stderr, "round %d: the change was not seen within 5 s\n", round + 1);
            return 1;
        }
        delays.push_back((seenUs - writer.readLine().trimmed().toLongLong()) / 1000.0);
    }
    writer.closeWriteChannel();
    writer.waitForFinished(10000);
    const double median = BenchMedian(delays);
    const double max = *std::max_element(delays.begin(), delays.end());
    std::printf(
        "another copy's new worker seen after %.1f ms (median of %zu), %.1f ms at most\n", median, delays.size(), max);
    std::printf(
        "{\"change_seen_ms\":%.1f,\"change_seen_max_ms\":%.1f,\"watch_idle_cpu_pct\":%.4f}\n", median, max, idlePct);
    return 0;
}
