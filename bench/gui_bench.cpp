// The three schedule screens on a data folder (the 1,000,000-relation folder
// that `period_bench --make-folder` makes): on the daily screen the time from
// a calendar day change to the screen rebuilt and painted and from a worker
// dropped on a workplace panel to the screen updated; on the worker and the
// workplace screens, a month shown, the time to switch to another worker
// (workplace), to show a month from one week, and to drop onto a day. Runs on the offscreen platform
// unless another is chosen. Prints one JSON line with the median milliseconds;
// with --merge, the last line of FILE (another benchmark's JSON) with these
// figures added, so one line carries every figure of the folder.
//   gui_bench DIR [yyyy-MM-dd] [--merge FILE]
#include "bench/bench_folder.h"
#include "bench/bench_merge.h"
#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "setup/setup.h"
#include "ui/daily/daily_schedule_frame.h"
#include "ui/program_window.h"
#include "ui/qt_dialogs.h"
#include "ui/screen_factories.h"
#include "ui/worker/person_schedule_frame.h"
#include "ui/workplace/workplace_schedule_frame.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
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

// The median milliseconds of 21 runs of ATimed, each after AUntimed (both
// given the run's number) and followed by the screen settling.
template <class TUntimed, class TTimed>
double Timed(QWidget* AWindow, TUntimed AUntimed, TTimed ATimed)
{
    std::vector<double> times;
    for (int run = 0; run < 21; ++run) {
        AUntimed(run);
        Settle(AWindow);
        QElapsedTimer timer;
        timer.start();
        if (!ATimed(run))
            return -1;
        Settle(AWindow);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(times);
}

// Focuses the row AIndex of the list AList inside AFrame of a period screen.
bool FocusRow(QWidget* AScreen, const char* AFrame, const char* AList, int AIndex)
{
    QWidget* frame = AScreen->findChild<QWidget*>(QString::fromLatin1(AFrame));
    auto* list = frame ? frame->findChild<QTreeWidget*>(QString::fromLatin1(AList)) : nullptr;
    if (!list || AIndex >= list->topLevelItemCount())
        return false;
    list->setCurrentItem(list->topLevelItem(AIndex));
    return true;
}

// The first ID AIDAt gives (over ACount positions) that ATaken does not hold.
template <class TIDAt, class TTaken>
int FirstFreeID(int ACount, TIDAt AIDAt, TTaken ATaken)
{
    for (int i = 0; i < ACount; ++i)
        if (!ATaken(AIDAt(i)))
            return AIDAt(i);
    return 0;
}

// One period screen's figures: switching between the first two rows of the
// list that chooses what it shows, and dropping onto the first day frame an
// entry that day lacks (AFreeID), made into a payload by APayload and taken
// off again untimed by AUndo.
struct TScreenFigures {
    double Switch = -1;
    double Drop = -1;
};

template <class TFree, class TPayload, class TUndo>
TScreenFigures MeasureScreen(QWidget* AWindow, QWidget* AScreen, const char* AListFrame, const char* AList,
    const char* AFirstDay, TFree AFreeID, TPayload APayload, TUndo AUndo)
{
    TScreenFigures figures;
    figures.Switch = Timed(
        AWindow, [&](int ARun) { ARun == 0 && FocusRow(AScreen, AListFrame, AList, 0); },
        [&](int ARun) { return FocusRow(AScreen, AListFrame, AList, 1 - ARun % 2); });
    int id = 0;
    figures.Drop = Timed(
        AWindow,
        [&](int) {
            if (id > 0)
                AUndo(id);
            id = AFreeID();
        },
        [&](int) {
            const auto payload = APayload(id);
            QWidget* target = AScreen->findChild<QWidget*>(QString::fromLatin1(AFirstDay));
            return id > 0 && target && Drop(target, payload.get());
        });
    if (id > 0)
        AUndo(id);
    return figures;
}

// The figures of the worker and the workplace screens, a month shown from
// AFirst; empty when a step could not run.
QString PeriodScreenFigures(
    TProgramWindow& AProgram, const QDate& AFirst, const TPersonMan& APersons, const TWorkplaceMan& AWorkplaces)
{
    TOrvelAppForm& window = AProgram.Window;
    const TDate first = DateToOle(AFirst);
    window.ShowPersonSchedule(APersons.Persons(0)->ID(), first);
    AProgram.Persons.SetDateDaysKind(ddkMonth);
    Settle(&window);
    auto* worker = window.findChild<TPersonScheduleFrame*>();
    QAction* week = worker ? worker->findChild<QAction*>(QStringLiteral("ActionDateDaysKindWeek")) : nullptr;
    QAction* month = worker ? worker->findChild<QAction*>(QStringLiteral("ActionDateDaysKindMonth")) : nullptr;
    if (!worker || !worker->isVisible() || !week || !month)
        return QString();
    TPersonSchedule& persons = AProgram.Persons;
    const TScreenFigures workerFigures = MeasureScreen(
        &window, worker, "PSPersonListFrame", "LVPersons", "PSDF0",
        [&persons] {
            TPSDay* day = persons.Days()->Items(0);
            TPSWorkplaceList* places = persons.Workplaces();
            return FirstFreeID(
                places->Count(), [&](int i) { return places->Items(i)->ID(); },
                [&](int AID) { return day->Workplaces()->Items(-AID) != nullptr; });
        },
        [](int AID) {
            auto payload = std::make_unique<TPSWorkplaceDragObjectEx>();
            payload->SetWorkplaceID(AID);
            return payload;
        },
        [&persons](int AID) { persons.DeleteWorkplaceFromDay(AID, persons.Days()->Items(0)->Date()); });
    const double workerMonth = Timed(
        &window, [&](int) { week->trigger(); },
        [&](int) {
            month->trigger();
            return true;
        });

    window.ShowWorkplaceSchedule(AWorkplaces.Workplaces(0)->ID(), first);
    AProgram.Workplaces.SetDateDaysKind(ddkMonth);
    Settle(&window);
    auto* workplace = window.findChild<TWorkplaceScheduleFrame*>();
    if (!workplace || !workplace->isVisible())
        return QString();
    TWorkplaceSchedule& places = AProgram.Workplaces;
    const TScreenFigures workplaceFigures = MeasureScreen(
        &window, workplace, "WSWorkplaceListFrame", "LVWorkplaces", "WSDF0",
        [&places] {
            TWSDay* day = places.Days()->Items(0);
            TWSPersonList* workers = places.Persons();
            return FirstFreeID(
                workers->Count(), [&](int i) { return workers->Items(i)->ID(); },
                [&](int AID) { return day->Persons()->Items(-AID) != nullptr; });
        },
        [](int AID) {
            auto payload = std::make_unique<TWSPersonDragObjectEx>();
            payload->SetPersonID(AID);
            return payload;
        },
        [&places](int AID) { places.DeletePersonFromDay(AID, places.Days()->Items(0)->Date()); });
    for (const double figure :
        {workerFigures.Switch, workerFigures.Drop, workerMonth, workplaceFigures.Switch, workplaceFigures.Drop})
        if (figure < 0)
            return QString();
    return QStringLiteral("\"gui_ps_worker_switch_ms\":%1,\"gui_ps_period_month_ms\":%2,\"gui_ps_drop_ms\":%3,"
                          "\"gui_ws_workplace_switch_ms\":%4,\"gui_ws_drop_ms\":%5")
        .arg(workerFigures.Switch, 0, 'f', 3)
        .arg(workerMonth, 0, 'f', 3)
        .arg(workerFigures.Drop, 0, 'f', 3)
        .arg(workplaceFigures.Switch, 0, 'f', 3)
        .arg(workplaceFigures.Drop, 0, 'f', 3);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString mergeFile = TakeMergeOption(args);
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
        InstallScreenFactories();
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
            const QString periodFigures = PeriodScreenFigures(program, first, persons, *store.Workplaces);
            if (periodFigures.isEmpty()) {
                std::fprintf(stderr, "the worker or workplace screen could not be measured\n");
                code = 1;
            }
            const QString figures = QStringLiteral("\"gui_day_switch_ms\":%1,\"gui_drop_ms\":%2")
                                        .arg(Median(switches), 0, 'f', 3)
                                        .arg(Median(drops), 0, 'f', 3)
                                    + (periodFigures.isEmpty() ? QString() : QStringLiteral(",") + periodFigures);
            const QString earlier = LastJsonLine(mergeFile);
            if (!earlier.isEmpty()) {
                std::printf("gui: day switch %.3f ms, drop %.3f ms (day %s); %s\n", Median(switches), Median(drops),
                    qPrintable(first.toString(Qt::ISODate)), qPrintable(periodFigures));
                std::printf("%s,%s}\n", qPrintable(earlier.chopped(1)), qPrintable(figures));
            } else {
                std::printf("{\"store\":\"data folder\",\"day\":\"%s\",%s}\n", qPrintable(first.toString(Qt::ISODate)),
                    qPrintable(figures));
            }
        }
        UninstallScreenFactories();
    }
    SetDialogs(nullptr);
    return code;
}
