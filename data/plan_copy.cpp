#include "data/plan_copy.h"

#include "data/plan_tables.h"

#include <QSqlError>
#include <QSqlQuery>

#include <vector>

namespace {
// Rows handed to the target at a time: the source is walked in chunks too,
// so a table of millions of rows is never held at once.
constexpr size_t CopyBatch = 1000;

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

bool CopyTable(const TPlanTable& APlan, TTable& AFrom, TTable& ATo, QString& AError)
{
    const QString fileName = QString::fromLatin1(APlan.FileName);
    const TFieldDefs defs = APlan.FieldDefs();
    AFrom.SetFieldDefs(defs);
    AFrom.SetReadOnly(true);
    const TOpenResult read = AFrom.Open();
    if (read == orMissing) {
        // A store without the file yet: an empty table to copy.
        AFrom.SetReadOnly(false);
        if (!AFrom.OpenEmptyStandIn())
            return AError = Named(fileName, AFrom.LastError()), false;
    } else if (read != orOpened) {
        return AError = Named(fileName, AFrom.LastError()), false;
    }
    ATo.SetFieldDefs(defs);
    const bool opened = ATo.OnServer() ? ATo.Open() == orOpened : ATo.CreateDataSet();
    if (!opened || !ATo.CanModify() || !ATo.Begin() || !Clear(ATo))
        return AError = Named(fileName, ATo.LastError()), false;
    const auto fail = [&](const TTable& AFailed) {
        AError = Named(fileName, AFailed.LastError());
        ATo.CancelUpdates();
        return false;
    };
    int key = -1;
    for (int i = 0; i < defs.size(); ++i)
        if (defs[i].DataType == ftAutoInc)
            key = i;
    // The counter first, so a server's trigger has none to move for each row.
    // A template row has no ID of its own, and no counter to keep.
    if (key >= 0 && !ATo.RaiseAutoIncValue(AFrom.AutoIncValue()))
        return fail(ATo);
    std::vector<QList<QVariant>> batch;
    batch.reserve(CopyBatch);
    AFrom.SetFiltered(false);
    for (bool more = AFrom.First(); more && !AFrom.Eof(); more = AFrom.Next()) {
        QList<QVariant> values;
        values.reserve(defs.size());
        for (const TFieldDef& def : defs)
            values << AFrom.FieldValue(def.Name);
        if (key >= 0 && values[key].toLongLong() <= 0) {
            // An ID no table can keep: the row takes the next one, as a new row would.
            if (!ATo.AppendRows(batch))
                return fail(ATo);
            batch.clear();
            ATo.Append();
            for (int i = 0; i < defs.size(); ++i)
                if (i != key)
                    ATo.SetFieldValue(defs[i].Name, values[i]);
            if (!ATo.Post())
                return fail(ATo);
            continue;
        }
        batch.push_back(std::move(values));
        if (batch.size() == CopyBatch) {
            if (!ATo.AppendRows(batch))
                return fail(ATo);
            batch.clear();
        }
    }
    if (AFrom.WalkBroken())
        return fail(AFrom);
    if (!ATo.AppendRows(batch) || !ATo.Save())
        return fail(ATo);
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
    for (const TPlanTable& plan : PlanTables()) {
        TTable table(QStringLiteral("probe"));
        AStore(table, QString::fromLatin1(plan.FileName));
        table.SetFieldDefs(plan.FieldDefs());
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
    for (const TPlanTable& plan : PlanTables()) {
        TTable from(QStringLiteral("copy-from"));
        TTable to(QStringLiteral("copy-to"));
        AFrom(from, QString::fromLatin1(plan.FileName));
        ATo(to, QString::fromLatin1(plan.FileName));
        if (!CopyTable(plan, from, to, AError))
            return false;
    }
    return true;
}
