// The data store on a data folder for the benchmarks that run the program's
// own code on one, with the settings in a private store so the user's own
// stay untouched.
#pragma once

#include "data/data_session.h"
#include "schedule/schedule_stores.h"

#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

// The settings store is redirected before the session's settings load.
struct TBenchSettingsDir {
    TBenchSettingsDir() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Dir.path()); }
    QTemporaryDir Dir;
};

struct TBenchFolder : private TBenchSettingsDir, public TDataSession {
    explicit TBenchFolder(const QString& AFolder) : TDataSession(AFolder) {}

    // The schedules run on these managers, as in the program.
    TScheduleStores Stores;

    // Says so on the error output when the folder holds no register.
    bool HasRegisters() const
    {
        if (Persons->PersonCount() > 0 && Workplaces->WorkplaceCount() > 0)
            return true;
        std::fprintf(stderr, "no workers or workplaces in %s\n", qPrintable(Setup->Data()->DataDir()));
        return false;
    }
};
