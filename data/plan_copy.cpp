#include "data/plan_copy.h"

#include "data/data_man.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/workplace_man.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
TFieldDefs FieldDefsOf(const QString& AFileName)
{
    if (AFileName == QLatin1String("Workers.cds"))
        return TPersonMan::FieldDefs();
    if (AFileName == QLatin1String("Workplaces.cds"))
        return TWorkplaceMan::FieldDefs();
    if (AFileName == QLatin1String("Jobs.cds"))
        return TJobMan::FieldDefs();
    return TMacroMan::FieldDefs();
}

QString Named(const QString& AFileName, const QString& AWhy)
{
    return QStringLiteral("%1: %2").arg(AFileName, AWhy.isEmpty() ? QStringLiteral("cannot be opened") : AWhy);
}

// Empties the target inside its pending write: a folder's table is a new
// file already, a server's is cleared in the same transaction as the copy.
bool Clear(TTable& ATable)
{
    if (!ATable.OnServer())
        return true;
    QSqlQuery query(ATable.Database());
    if (query.exec(QStringLiteral("DELETE FROM %1").arg(ATable.SqlTable())))
        return true;
    ATable.SetLastError(query.lastError().databaseText());
    return false;
}

bool CopyTable(const QString& AFileName, TTable& AFrom, TTable& ATo, QString& AError)
{
    const TFieldDefs defs = FieldDefsOf(AFileName);
    AFrom.SetFieldDefs(defs);
    AFrom.SetReadOnly(true);
    const TOpenResult read = AFrom.Open();
    if (read == orMissing) {
        // A store without the file yet: an empty table to copy.
        AFrom.SetReadOnly(false);
        if (!AFrom.OpenEmptyStandIn())
            return AError = Named(AFileName, AFrom.LastError()), false;
    } else if (read != orOpened) {
        return AError = Named(AFileName, AFrom.LastError()), false;
    }
    ATo.SetFieldDefs(defs);
    const bool opened = ATo.OnServer() ? ATo.Open() == orOpened : ATo.CreateDataSet();
    if (!opened || !ATo.CanModify() || !ATo.Begin() || !Clear(ATo))
        return AError = Named(AFileName, ATo.LastError()), false;
    QString key;
    for (const TFieldDef& def : defs)
        if (def.DataType == ftAutoInc)
            key = def.Name;
    AFrom.SetFiltered(false);
    for (bool more = AFrom.First(); more && !AFrom.Eof(); more = AFrom.Next()) {
        if (key.isEmpty())
            ATo.Append();
        else
            ATo.AppendWithID(AFrom.FieldValue(key).toLongLong());
        for (const TFieldDef& def : defs)
            if (def.DataType != ftAutoInc)
                ATo.SetFieldValue(def.Name, AFrom.FieldValue(def.Name));
        if (!ATo.Post()) {
            ATo.CancelUpdates();
            return AError = Named(AFileName, ATo.LastError()), false;
        }
    }
    if (AFrom.WalkBroken()) {
        ATo.CancelUpdates();
        return AError = Named(AFileName, AFrom.LastError()), false;
    }
    // A template row has no ID of its own, and no counter to keep.
    if ((!key.isEmpty() && !ATo.RaiseAutoIncValue(AFrom.AutoIncValue())) || !ATo.Save()) {
        ATo.CancelUpdates();
        return AError = Named(AFileName, ATo.LastError()), false;
    }
    return true;
}
} // namespace

TTableAttach FolderTables(const QString& AFolder)
{
    const QString folder = IncludeBackslash(AFolder);
    return [folder](TTable& ATable, const QString& AFileName) { ATable.SetFileName(folder + AFileName); };
}

TTableAttach ServerTables(const QString& AConnInfo)
{
    return [AConnInfo](TTable& ATable, const QString& AFileName) { ATable.SetServerTable(AConnInfo, AFileName); };
}

int StoreHoldsRows(const TTableAttach& AStore)
{
    for (const QString& name : TDataMan::DataFileNames()) {
        TTable table(QStringLiteral("probe"));
        AStore(table, name);
        table.SetFieldDefs(FieldDefsOf(name));
        table.SetReadOnly(true);
        const TOpenResult result = table.Open();
        if (result == orMissing)
            continue;
        if (result != orOpened)
            return -1;
        const qint64 rows = table.TotalRowCount();
        if (rows != 0)
            return rows < 0 ? -1 : 1;
    }
    return 0;
}

bool CopyPlan(const TTableAttach& AFrom, const TTableAttach& ATo, QString& AError)
{
    for (const QString& name : TDataMan::DataFileNames()) {
        TTable from(QStringLiteral("copy-from"));
        TTable to(QStringLiteral("copy-to"));
        AFrom(from, name);
        ATo(to, name);
        if (!CopyTable(name, from, to, AError))
            return false;
    }
    return true;
}
