#include "data/data_watch.h"

#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"

TDataWatch::TDataWatch()
{
    FTimer.setInterval(IntervalMs);
    // A look costs a few reads of memory SQLite shares between copies; the
    // timer may be late but never wakes the computer for it.
    FTimer.setTimerType(Qt::CoarseTimer);
    connect(&FTimer, &QTimer::timeout, this, [this] { Look(); });
    FTimer.start();
}

TDataWatch::~TDataWatch() = default;

int TDataWatch::Look()
{
    if (FGate && !FGate())
        return 0;
    TPersonMan* persons = TPersonMan::Instance();
    TWorkplaceMan* workplaces = TWorkplaceMan::Instance();
    TJobMan* jobs = TJobMan::Instance();
    TMacroMan* macros = TMacroMan::Instance();
    int changes = 0;
    const bool replaced = (persons && persons->Table().FileReplaced())
                          || (workplaces && workplaces->Table().FileReplaced())
                          || (jobs && jobs->Table().FileReplaced()) || (macros && macros->Table().FileReplaced());
    if (replaced && TDataMan::Instance()) {
        // Another program put other files in place: what this copy would
        // write now would reach files no longer in the folder.
        TDataMan::Instance()->ReopenTables();
        changes = dcWorkers | dcWorkplaces | dcJobs | dcTemplates | dcReopened;
    } else {
        // A file another program held for writing at start is tried again.
        for (TTable* table : {persons ? &persons->Table() : nullptr, workplaces ? &workplaces->Table() : nullptr,
                 jobs ? &jobs->Table() : nullptr, macros ? &macros->Table() : nullptr})
            if (table && table->WaitsToWrite())
                table->StartWriting();
        if (persons && (persons->Sync() | persons->TakeUnannounced()))
            changes |= dcWorkers;
        if (workplaces && (workplaces->Sync() | workplaces->TakeUnannounced()))
            changes |= dcWorkplaces;
        if (jobs && (jobs->CatchUp() | jobs->TakeUnannounced()))
            changes |= dcJobs;
        if (macros && macros->CatchUp())
            changes |= dcTemplates;
    }
    if (changes && FListener)
        FListener(changes);
    return changes;
}
