// What the daily schedule needs from the registers, the jobs manager, the
// templates manager and the print tables, behind one interface: the data
// store installs its implementation, tests install an in-memory one.
#pragma once

#include "core/utils.h"
#include "data/job_rows.h"
#include "schedule/register_records.h"
#include "schedule/register_store.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

class TPerson;
class TWorkplace;
class TMacro;

// A (worker ID, workplace ID) pair of a template.
using TDSMacroPair = std::pair<int, int>;

class IDSStore : public IRegisterStore<TRegisterPersonRecord, TRegisterWorkplaceRecord> {
public:
    // The relations of one day, in table order (sets the jobs filter to it).
    virtual std::vector<TJobRow> DayJobs(TDate ADate) = 0;
    // The new relation; none when it exists already or could not be written.
    virtual std::optional<TJobRow> AddJob(TDate ADate, int APersonID, int AWorkplaceID) = 0;
    virtual bool JobExists(TDate ADate, int APersonID, int AWorkplaceID) = 0;
    // AddJob for each pair in its order, pairs the day has already skipped;
    // false when a write failed.
    virtual bool AddJobs(TDate ADate, const std::vector<TDSMacroPair>& APairs)
    {
        bool ok = true;
        for (const auto& [personID, workplaceID] : APairs)
            if (!AddJob(ADate, personID, workplaceID) && !JobExists(ADate, personID, workplaceID))
                ok = false;
        return ok;
    }
    virtual bool DeleteJob(TDate ADate, int APersonID, int AWorkplaceID) = 0;
    // Adds and deletes between BeginChanges and EndChanges may be written
    // together, at EndChanges; false when that write, or a change, failed.
    virtual void BeginChanges() {}
    virtual bool EndChanges() { return true; }
    // The pairs of a day's relations; none for a day without any.
    virtual std::optional<std::vector<TDSMacroPair>> SystemMacro(TDate ADate) = 0;
    // The pairs of a template object, in its order.
    virtual std::vector<TDSMacroPair> MacroPairs(const TMacro* AMacro) const = 0;

    virtual bool PreparePrint(const QStringList& AParams) = 0;
    virtual void AppendPrintPerson(const TPrintPersonRow& ARow) = 0;
    virtual void AppendPrintWorkplace(const TPrintWorkplaceRow& ARow) = 0;
    virtual bool Print(const QString& AReportName) = 0;
};

// The store in force (none until one is installed: the program installs the
// one on its managers at start, tests their own).
IDSStore* DSStore();
// Installs a store (not owned); none removes it.
void SetDSStore(IDSStore* AStore);
