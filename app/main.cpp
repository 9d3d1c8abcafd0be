// Plenvo's entry point: builds the long-lived objects in start-up order and
// destroys them in reverse, so every modified setting is stored.
#include "app/shutdown_signals.h"
#include "core/program_info.h"
#include "setup/setup.h"
#include "setup/setup_editor.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plenvo"));
    QApplication::setOrganizationName(QStringLiteral("Zanthor Software"));
    QApplication::setDesktopFileName(QStringLiteral("plenvo"));

    TQtDialogs dialogs;
    SetDialogs(&dialogs);
    dialogs.RegisterEditor(QStringLiteral("TSetupEditor"), [] { return std::make_unique<TSetupEditor>(); });
    TShutdownSignals shutdownSignals;
    QObject::connect(&shutdownSignals, &TShutdownSignals::ShutdownRequested, &app, &QApplication::quit);

    InitProgramInfo();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/plenvo/icon.png")));
    auto setup = std::make_unique<TSetup>();

    QTextStream(stdout) << ProgramInfo().ProgramFullName << ' ' << ProgramVersion()
                        << ": settings loaded from " << TSetup::OpenSettings()->fileName()
                        << "; the main window is not built yet, so the program ends here.\n";

    setup.reset();
    SetDialogs(nullptr);
    return 0;
}
