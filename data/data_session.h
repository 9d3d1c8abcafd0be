// The settings and the data managers in start-up order on a chosen data
// folder or server, destroyed in reverse: what tests and tools run the data
// store on.
#pragma once

#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"
#include "setup/setup.h"

#include <memory>

class TDataSession {
public:
    // On the folder the settings name, as the program starts.
    TDataSession();
    // The live settings are pointed at AFolder before the managers open it;
    // with AServer (a connection string) the tables are that server's.
    explicit TDataSession(const QString& AFolder, const QString& AServer = QString());
    ~TDataSession();
    TDataSession(const TDataSession&) = delete;
    TDataSession& operator=(const TDataSession&) = delete;

    std::unique_ptr<TSetup> Setup;
    std::unique_ptr<TDataMan> DataMan;
    std::unique_ptr<TPersonMan> Persons;
    std::unique_ptr<TWorkplaceMan> Workplaces;
    std::unique_ptr<TJobMan> Jobs;
    std::unique_ptr<TMacroMan> Macros;

private:
    void OpenManagers(const QString& AServer = QString());
};
