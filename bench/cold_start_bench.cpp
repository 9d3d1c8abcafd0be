// The program's start on a data folder: from the process start to the first
// frame its main window paints, the median of five starts, and the program's
// peak resident memory once the window has settled. Without a display it
// brings up its own Xvfb with openbox. Every start gets a private home whose
// settings name the folder, so each is a first start of that home and the
// user's own settings stay untouched. The frame is seen in Qt's own paint log
// (the qt.widgets.painting category, each line stamped with the monotonic
// clock), so the program needs no hook; writing that log costs the start a
// little. Prints its figures, the last line as JSON; with --merge, the last
// line of FILE (another benchmark's JSON) with these figures added.
//   cold_start_bench DIR PROGRAM [--merge FILE]
#include "bench/bench_merge.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include <time.h>

namespace {

constexpr int Starts = 5;

double MonotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> AValues)
{
    std::sort(AValues.begin(), AValues.end());
    return AValues.empty() ? 0 : AValues[AValues.size() / 2];
}

bool Succeeds(const QString& AProgram, const QStringList& AArguments, const QProcessEnvironment& AEnvironment,
    const QByteArray& AOutputHolds = QByteArray())
{
    QProcess process;
    process.setProcessEnvironment(AEnvironment);
    process.start(AProgram, AArguments);
    return process.waitForFinished(10000) && process.exitCode() == 0
           && process.readAllStandardOutput().contains(AOutputHolds);
}

// A display of its own: Xvfb numbers it itself, openbox manages its windows as
// a desktop's window manager would.
class TPrivateDisplay {
public:
    ~TPrivateDisplay()
    {
        for (QProcess* process : {&FWindowManager, &FServer})
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(5000))
                    process->kill();
                process->waitForFinished(5000);
            }
    }

    // The display's name, or nothing when it did not come up.
    std::optional<QString> Start()
    {
        FServer.setStandardErrorFile(QProcess::nullDevice());
        FServer.start(QStringLiteral("Xvfb"),
            {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                QStringLiteral("-noreset")});
        QByteArray number;
        QElapsedTimer limit;
        limit.start();
        while (!number.contains('\n') && limit.elapsed() < 30000 && FServer.waitForReadyRead(1000))
            number += FServer.readAllStandardOutput();
        if (!number.contains('\n'))
            return std::nullopt;
        const QString display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
        if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
            return display;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display);
        FWindowManager.setProcessEnvironment(environment);
        FWindowManager.setStandardOutputFile(QProcess::nullDevice());
        FWindowManager.setStandardErrorFile(QProcess::nullDevice());
        FWindowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        for (limit.start(); limit.elapsed() < 30000; QThread::msleep(100))
            if (Succeeds(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")},
                    environment, "window id"))
                return display;
        return std::nullopt;
    }

private:
    QProcess FServer;
    QProcess FWindowManager;
};

struct TStart {
    double FrameMs = -1;
    double PeakRssMb = -1;
    int LogLines = 0;
};

// The kB of a "Name:  1234 kB" line of /proc/PID/status.
double StatusKb(qint64 APid, const QByteArray& AName)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(APid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(AName + ':'))
            return line.mid(AName.size() + 1).trimmed().split(' ').value(0).toDouble();
    return -1;
}

// One start of AProgram in a fresh home under AWork: the time to the main
// window's first flush to the screen, then the peak memory after a second
// without painting (at most ten), then a polite end.
TStart StartOnce(const QString& AProgram, const QString& AFolder, const QString& ADisplay, const QString& AWork)
{
    const QString home = AWork + QStringLiteral("/home");
    QDir(home).removeRecursively();
    const QString config = home + QStringLiteral("/.config");
    const QString runtime = AWork + QStringLiteral("/runtime");
    for (const QString& path : {config + QStringLiteral("/Zanthor Software"), home + QStringLiteral("/.local/share"),
             home + QStringLiteral("/.cache"), runtime})
        QDir().mkpath(path);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile settings(config + QStringLiteral("/Zanthor Software/Plenvo.conf"));
    if (!settings.open(QIODevice::WriteOnly))
        return {};
    // The size and place the desktop test gives the window.
    settings.write(QStringLiteral("[Data]\nDataDirKind=3\nOtherDataFolder=%1\n\n"
                                  "[MainWindow]\nWindowState=0\nWidth=1000\nHeight=720\nLeft=200\nTop=100\n")
                       .arg(AFolder)
                       .toUtf8());
    settings.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS", "QT_SCALE_FACTOR", "QT_LOGGING_CONF"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("DISPLAY"), ADisplay);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.widgets.painting=true"));
    // %{time boot}: seconds of the monotonic clock MonotonicMs reads, to the millisecond.
    environment.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{time boot} %{message}"));

    QProcess program;
    program.setProcessEnvironment(environment);
    program.setStandardOutputFile(QProcess::nullDevice());
    program.setReadChannel(QProcess::StandardError);
    const double started = MonotonicMs();
    program.start(AProgram, {});
    TStart result;
    QElapsedTimer limit;
    limit.start();
    QElapsedTimer quiet;
    quiet.start();
    bool seen = false;
    while (limit.elapsed() < 300000 && program.state() != QProcess::NotRunning) {
        if (seen && (quiet.elapsed() >= 1000 || limit.elapsed() >= result.FrameMs + 10000))
            break;
        if (!program.canReadLine() && !program.waitForReadyRead(100))
            continue;
        quiet.start();
        while (program.canReadLine()) {
            const QByteArray line = program.readLine().trimmed();
            // "12345.678 Flushing QRegion(0,0 1000x720) of TOrvelAppForm(0x..., name=...)"
            if (!seen && line.contains(" Flushing QRegion(") && !line.contains("QRegion(null)")
                && line.contains(" of TOrvelAppForm(")) {
                seen = true;
                result.FrameMs = line.left(line.indexOf(' ')).toDouble() * 1000 - started;
                std::printf("  start: first frame after %.1f ms, %d paint log lines before it\n", result.FrameMs,
                    result.LogLines);
            } else if (!seen) {
                ++result.LogLines;
            }
        }
    }
    if (seen)
        result.PeakRssMb = StatusKb(program.processId(), "VmHWM") / 1024.0;
    program.terminate();
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished(10000);
    }
    if (!seen)
        std::fprintf(stderr, "no frame of the main window seen: %s\n", qPrintable(program.readAllStandardError()));
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString mergeFile = TakeMergeOption(args);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: cold_start_bench DIR PROGRAM [--merge FILE]\n");
        return 2;
    }
    const QString folder = QDir(args[0]).absolutePath();
    const QString program = QFileInfo(args[1]).absoluteFilePath();
    if (!QFileInfo(folder + QStringLiteral("/Jobs.cds")).isFile()) {
        std::fprintf(stderr, "no Jobs.cds in %s\n", qPrintable(folder));
        return 1;
    }

    TPrivateDisplay privateDisplay;
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        const auto started = privateDisplay.Start();
        if (!started) {
            std::fprintf(stderr, "no display: Xvfb or openbox did not start\n");
            return 1;
        }
        display = *started;
    }
    QTemporaryDir work;
    std::printf("cold start: %s on %s, display %s\n", qPrintable(program), qPrintable(folder), qPrintable(display));
    std::fflush(stdout);
    std::vector<double> frames;
    double peakRss = 0;
    for (int i = 0; i < Starts; ++i) {
        const TStart start = StartOnce(program, folder, display, work.path());
        std::fflush(stdout);
        if (start.FrameMs < 0)
            return 1;
        frames.push_back(start.FrameMs);
        peakRss = std::max(peakRss, start.PeakRssMb);
    }
    std::printf("cold start: first frame after %.1f ms (median of %d starts); program's peak RSS %.1f MB\n",
        Median(frames), Starts, peakRss);

    const QString figures = QStringLiteral("\"cold_start_ms\":%1,\"gui_peak_rss_mb\":%2")
                                .arg(Median(frames), 0, 'f', 1)
                                .arg(peakRss, 0, 'f', 1);
    const QString earlier = LastJsonLine(mergeFile);
    if (!earlier.isEmpty())
        std::printf("%s,%s}\n", qPrintable(earlier.chopped(1)), qPrintable(figures));
    else
        std::printf("{%s}\n", qPrintable(figures));
    return 0;
}
