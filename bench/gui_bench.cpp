// The daily schedule screen on a data folder (the 1,000,000-relation folder
// that `period_bench --make-folder` makes): the time from a calendar day
// change to the screen rebuilt and painted, and from a worker dropped on a
// workplace panel to the screen updated. Runs on the offscreen platform
// unless another is chosen. Prints one JSON line with the median milliseconds.
//   gui_bench DIR [yyyy-MM-dd]
#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"
#include "setup/setup.h"
#include "ui/daily/daily_schedule_frame.h"
#include "ui/orvel_app_form.h"
#include "ui/qt_dialogs.h"
#include "ui/schedule_placeholder.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDropEvent>
#include <QElapsedTimer>
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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui_bench DIR [yyyy-MM-dd]\n");
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QDate first = argc > 2 ? QDate::fromString(QString::fromLocal8Bit(argv[2]), QStringLiteral("yyyy-MM-dd"))
                                 : MiddlePlannedDay(folder + QStringLiteral("/Jobs.cds"));
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    TQtDialogs dialogs;
    SetDialogs(&dialogs);

    int code = 0;
    {
        TSetup setup;
        setup.Data()->SetDataDirKind(sddkOtherDataFolder);
        setup.Data()->SetOtherDataFolder(folder);
        TDataMan dataMan;
        TPersonMan persons;
        TWorkplaceMan workplaces;
        TJobMan jobs;
        TMacroMan macros;
        if (persons.PersonCount() == 0 || workplaces.WorkplaceCount() == 0) {
            std::fprintf(stderr, "no workers or workplaces in %s\n", qPrintable(folder));
            return 1;
        }
        TDailyScheduleFrame::InstallFactory();
        TSchedulePlaceholderFrame::InstallFactories();
        {
            TDailySchedule daily;
            TPersonSchedule personSchedule;
            TWorkplaceSchedule workplaceSchedule;
            TOrvelAppForm window(&daily, &personSchedule, &workplaceSchedule);
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
            TDSWorkplace* target = daily.Workplaces()->Items(0);
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
                daily.DeletePersonFromWorkplace(personID, target->ID());
                Settle(&window);
                panel = window.findChild<QWidget*>(QStringLiteral("DSWF0"));
            }
            if (drops.empty()) {
                std::fprintf(stderr, "no drop was taken\n");
                code = 1;
            }
            std::printf("{\"store\":\"data folder\",\"day\":\"%s\",\"gui_day_switch_ms\":%.3f,\"gui_drop_ms\":%.3f}\n",
                        qPrintable(first.toString(Qt::ISODate)), Median(switches), Median(drops));
        }
        TDailyScheduleFrame::UninstallFactory();
        TSchedulePlaceholderFrame::UninstallFactories();
    }
    SetDialogs(nullptr);
    return code;
}
