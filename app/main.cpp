// Plenvo's entry point: builds the long-lived objects in start-up order and
// destroys them in reverse, so every modified setting is stored.
#include "app/export_command.h"
#include "app/shutdown_signals.h"
#include "app/start_location.h"
#include "core/program_info.h"
#include "data/data_man.h"
#include "data/history.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "reports/print_data.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/schedule_stores.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"
#include "setup/setup.h"
#include "setup/setup_editor.h"
#include "ui/orvel_app_form.h"
#include "ui/person_editor.h"
#include "ui/qt_dialogs.h"
#include "ui/report_engine_qt.h"
#include "ui/screen_factories.h"
#include "ui/workplace_editor.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QSessionManager>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    // The command line runs without a display: decided before any window
    // system is touched.
    if (IsExportCommandLine(argc, argv))
        return RunExportCommand(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plenvo"));
    QApplication::setOrganizationName(QStringLiteral("Zanthor Software"));
    QApplication::setDesktopFileName(QStringLiteral("plenvo"));

    TQtDialogs dialogs;
    SetDialogs(&dialogs);
    dialogs.RegisterEditor(QStringLiteral("TSetupEditor"), [] { return std::make_unique<TSetupEditor>(); });
    dialogs.RegisterEditor(QStringLiteral("TPersonEditor"), [] { return std::make_unique<TPersonEditor>(); });
    dialogs.RegisterEditor(QStringLiteral("TWorkplaceEditor"), [] { return std::make_unique<TWorkplaceEditor>(); });
    TShutdownSignals shutdownSignals;
    QObject::connect(&shutdownSignals, &TShutdownSignals::ShutdownRequested, &app, &QApplication::quit);

    InitProgramInfo();
    // --server or --folder: this run's location, the settings left as they are.
    QString optionError;
    const auto runLocation = ParseLocationOptions(QApplication::arguments(), optionError);
    if (!optionError.isEmpty()) {
        const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        std::fprintf(stderr, "%s\n", qPrintable(QStringLiteral("%1: %2 (see --help)").arg(name, optionError)));
        SetDialogs(nullptr);
        return eecUsage;
    }
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/plenvo/icon.png")));
    // Start-up order; each manager opens its table from the settings' folder.
    InstallServerChecks();
    auto setup = std::make_unique<TSetup>();
    setup->Data()->SetRunLocation(runLocation);
    // A server is asked before any table is opened on it. The main loop does
    // not run yet, so a termination signal closes the open question instead.
    bool shutDown = false;
    const auto startLink
        = QObject::connect(&shutdownSignals, &TShutdownSignals::ShutdownRequested, &shutdownSignals, [&shutDown] {
              shutDown = true;
              for (int i = 0; i < 8 && QApplication::activeModalWidget(); ++i)
                  QApplication::activeModalWidget()->hide();
          });
    const bool goOn = EnsureLocationAnswers(*setup, [&shutDown] { return shutDown; });
    QObject::disconnect(startLink);
    if (!goOn) {
        setup.reset();
        SetDialogs(nullptr);
        return 0;
    }
    auto dataMan = std::make_unique<TDataMan>();
    auto personMan = std::make_unique<TPersonMan>();
    auto workplaceMan = std::make_unique<TWorkplaceMan>();
    auto jobMan = std::make_unique<TJobMan>();
    auto macroMan = std::make_unique<TMacroMan>();
    THistory history;
    TQtReportEngine reportEngine;
    TDataManPrint printing(&reportEngine);
    TDataManPrint::SetInstance(&printing);
    TScheduleStores scheduleStores;
    auto dailySchedule = std::make_unique<TDailySchedule>();
    auto personSchedule = std::make_unique<TPersonSchedule>();
    auto workplaceSchedule = std::make_unique<TWorkplaceSchedule>();
    TSetupEditor::SetMaintenanceRunner(
        [&dataMan](TDate ALimit, const std::function<void(int, const QString&)>& AProgress, bool ABackup) {
            dataMan->RunMaintenance(ALimit, AProgress, ABackup);
        });

    InstallScreenFactories();

    int exitCode = 0;
    {
        TOrvelAppForm mainWindow(dailySchedule.get(), personSchedule.get(), workplaceSchedule.get());
        QObject::connect(&shutdownSignals, &TShutdownSignals::ShutdownRequested, &mainWindow,
            [&mainWindow] { mainWindow.SetShutDownWindowsSignaled(); });
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainWindow,
            [&mainWindow](QSessionManager&) { mainWindow.SetShutDownWindowsSignaled(); });
        mainWindow.show();
        exitCode = QApplication::exec();
    }

    // Reverse order: tables closed, then the settings stored.
    TSetupEditor::SetMaintenanceRunner(nullptr);
    workplaceSchedule.reset();
    personSchedule.reset();
    dailySchedule.reset();
    TDataManPrint::SetInstance(nullptr);
    macroMan.reset();
    jobMan.reset();
    workplaceMan.reset();
    personMan.reset();
    dataMan.reset();
    setup.reset();
    SetDialogs(nullptr);
    return exitCode;
}
