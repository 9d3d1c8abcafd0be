// The settings and the data managers in start-up order on a data folder, for
// the benchmarks that run the program's own code on one; the settings go to a
// private store, so the user's own stay untouched. Destroyed in reverse.
#pragma once

#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "setup/setup.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>

struct TBenchFolder {
    explicit TBenchFolder(const QString& AFolder)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, SettingsDir.path());
        Setup = std::make_unique<TSetup>();
        Setup->Data()->SetDataDirKind(sddkOtherDataFolder);
        Setup->Data()->SetOtherDataFolder(AFolder);
        DataMan = std::make_unique<TDataMan>();
        Persons = std::make_unique<TPersonMan>();
        Workplaces = std::make_unique<TWorkplaceMan>();
        Jobs = std::make_unique<TJobMan>();
        Macros = std::make_unique<TMacroMan>();
    }
    ~TBenchFolder()
    {
        Macros.reset();
        Jobs.reset();
        Workplaces.reset();
        Persons.reset();
        DataMan.reset();
        Setup.reset();
    }
    TBenchFolder(const TBenchFolder&) = delete;
    TBenchFolder& operator=(const TBenchFolder&) = delete;

    // Says so on the error output when the folder holds no register.
    bool HasRegisters() const
    {
        if (Persons->PersonCount() > 0 && Workplaces->WorkplaceCount() > 0)
            return true;
        std::fprintf(stderr, "no workers or workplaces in %s\n", qPrintable(Setup->Data()->DataDir()));
        return false;
    }

    QTemporaryDir SettingsDir;
    std::unique_ptr<TSetup> Setup;
    std::unique_ptr<TDataMan> DataMan;
    std::unique_ptr<TPersonMan> Persons;
    std::unique_ptr<TWorkplaceMan> Workplaces;
    std::unique_ptr<TJobMan> Jobs;
    std::unique_ptr<TMacroMan> Macros;
};
