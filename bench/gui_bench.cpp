// The daily schedule screen on a data folder (the 1,000,000-relation folder
// that `period_bench --make-folder` makes): the time from a calendar day
// change to the screen rebuilt and painted, and from a worker dropped on a
// workplace panel to the screen updated. Runs on the offscreen platform
// unless another is chosen. Prints one JSON line with the median milliseconds;
// with --merge, the last line of FILE (another benchmark's JSON) with these
// figures added, so one line carries every figure of the folder.
//   gui_bench DIR [yyyy-MM-dd] [--merge FILE]
#include "bench/bench_folder.h"
#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "setup/setup.h"
#include "ui/daily/daily_schedule_frame.h"
#include "ui/program_window.h"
#include "ui/qt_dialogs.h"
#include "ui/schedule_placeholder.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> AValues)
{
    std::sort(AValues.begin(), AValues.end());
    return AValues.empty() ? 0 : AValues[AValues.size() / 2];
}

// Lets every queued event, layout and paint run, as the idle event loop does.
void Settle(QWidget* AWindow)
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    AWindow->repaint();
    QCoreApplication::processEvents();
}

bool Drop(QWidget* ATarget, const QMimeData* APayload)
{
    const QPoint at = ATarget->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, APayload, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ATarget, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, APayload, Qt::LeftButton, Qt::NoModifier);
    move.ignore();
    QApplication::sendEvent(ATarget, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, APayload, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ATarget, &drop);
    return true;
}

// The day halfway between the first and the last planned day of the folder.
QDate MiddlePlannedDay(const QString& AJobsFile)
{
    QDate day;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("gui-bench-probe"));
        db.setDatabaseName(AJobsFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(db);
        if (db.open() && query.exec(QStringLiteral("SELECT MIN(Date), MAX(Date) FROM Data")) && query.next())
            day = OleToDate(std::floor((query.value(0).toDouble() + query.value(1).toDouble()) / 2));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("gui-bench-probe"));
    return day.isValid() ? day : QDate::currentDate();
}

// The last line of AFileName when it is a JSON object, else nothing.
QString LastJsonLine(const QString& AFileName)
{
    QFile file(AFileName);
    if (AFileName.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString last = lines.isEmpty() ? QString() : lines.last().trimmed();
    return last.startsWith(QLatin1Char('{')) && last.endsWith(QLatin1Char('}')) ? last : QString();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QString mergeFile;
    if (const qsizetype at = args.indexOf(QStringLiteral("--merge")); at >= 0 && at + 1 < args.size()) {
        mergeFile = args[at + 1];
        args.remove(at, 2);
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: gui_bench DIR [yyyy-MM-dd] [--merge FILE]\n");
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const QString folder = args[0];
    const QDate first = args.size() > 1 ? QDate::fromString(args[1], QStringLiteral("yyyy-MM-dd"))
                                        : MiddlePlannedDay(folder + QStringLiteral("/Jobs.cds"));
    TQtDialogs dialogs;
    SetDialogs(&dialogs);

    int code = 0;
    {
        TBenchFolder store(folder);
        if (!store.HasRegisters())
            return 1;
        TPersonMan& persons = *store.Persons;
        TDailyScheduleFrame::InstallFactory();
        TSchedulePlaceholderFrame::InstallFactories();
        {
            TProgramWindow program;
            TOrvelAppForm& window = program.Window;
            window.resize(1000, 720);
            window.show();
            Settle(&window);
            auto* calendar = window.findChild<QCalendarWidget*>(QStringLiteral("Calendar"));
            if (!calendar) {
                std::fprintf(stderr, "no calendar on the daily schedule\n");
                return 1;
            }

            std::vector<double> switches;
            for (int run = 0; run < 21; ++run) {
                const QDate day = first.addDays(run % 2 ? 7 : 0);
                QElapsedTimer timer;
                timer.start();
                calendar->setSelectedDate(day);
                emit calendar->clicked(day);
                Settle(&window);
                switches.push_back(timer.nsecsElapsed() / 1e6);
            }

            // Drops of workers who are not at the first panel's workplace yet.
            calendar->setSelectedDate(first);
            emit calendar->clicked(first);
            Settle(&window);
            std::vector<double> drops;
            TDSWorkplace* target = program.Daily.Workplaces()->Items(0);
            QWidget* panel = window.findChild<QWidget*>(QStringLiteral("DSWF0"));
            for (int i = 0; target && panel && i < persons.PersonCount() && drops.size() < 21; ++i) {
                const int personID = persons.Persons(i)->ID();
                if (target->Persons()->Items(-personID))
                    continue;
                TDSWorkplacePersonDragObjectEx payload(personID, 0);
                QElapsedTimer timer;
                timer.start();
                if (!Drop(panel, &payload))
                    break;
                Settle(&window);
                drops.push_back(timer.nsecsElapsed() / 1e6);
                program.Daily.DeletePersonFromWorkplace(personID, target->ID());
                Settle(&window);
                panel = window.findChild<QWidget*>(QStringLiteral("DSWF0"));
            }
            if (drops.empty()) {
                std::fprintf(stderr, "no drop was taken\n");
                code = 1;
            }
            const QString figures = QStringLiteral("\"gui_day_switch_ms\":%1,\"gui_drop_ms\":%2")
                                        .arg(Median(switches), 0, 'f', 3)
                                        .arg(Median(drops), 0, 'f', 3);
            const QString earlier = LastJsonLine(mergeFile);
            if (!earlier.isEmpty()) {
                std::printf("gui: day switch %.3f ms, drop %.3f ms (day %s)\n", Median(switches), Median(drops),
                    qPrintable(first.toString(Qt::ISODate)));
                std::printf("%s,%s}\n", qPrintable(earlier.chopped(1)), qPrintable(figures));
            } else {
                std::printf("{\"store\":\"data folder\",\"day\":\"%s\",%s}\n", qPrintable(first.toString(Qt::ISODate)),
                    qPrintable(figures));
            }
        }
        TDailyScheduleFrame::UninstallFactory();
        TSchedulePlaceholderFrame::UninstallFactories();
    }
    SetDialogs(nullptr);
    return code;
}
