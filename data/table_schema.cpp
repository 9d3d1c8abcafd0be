#include "data/table_schema.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

sqlite3* SQLiteHandle(const QSqlDatabase& ADatabase)
{
    if (!ADatabase.isOpen() || !ADatabase.driver())
        return nullptr;
    const QVariant handle = ADatabase.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

void SetUpConnection(sqlite3* ADatabase)
{
    if (!ADatabase)
        return;
    sqlite3_db_config(ADatabase, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(ADatabase, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
}

void SetUpConnection(const QSqlDatabase& ADatabase)
{
    SetUpConnection(SQLiteHandle(ADatabase));
}

bool CanWriteFile(const QString& AFileName)
{
    const QFileInfo info(AFileName);
    return info.isWritable() && QFileInfo(info.absolutePath()).isWritable();
}

QString SqlQuotedName(const QString& AName)
{
    QString name = AName;
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString SqlColumnList(const TFieldDefs& ADefs)
{
    QStringList columns;
    for (const TFieldDef& def : ADefs)
        columns << SqlQuotedName(def.Name);
    return columns.join(QStringLiteral(", "));
}

QString SqlFieldType(TFieldType AType)
{
    switch (AType) {
    case ftAutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case ftString:
        return QStringLiteral("TEXT");
    case ftDate:
    case ftInteger:
        return QStringLiteral("INTEGER");
    default:
        return QString();
    }
}

QVariant StoredFieldValue(const TFieldDef& ADef, const QVariant& AValue)
{
    if (AValue.isNull())
        return QVariant();
    switch (ADef.DataType) {
    case ftString:
        return StoredFieldText(ADef, AValue.toString());
    case ftDate:
        return static_cast<qint64>(std::trunc(std::round(AValue.toDouble() * 1e8) / 1e8));
    case ftInteger:
    case ftAutoInc:
        return static_cast<qint64>(AValue.toInt());
    default:
        return AValue;
    }
}

QString UnusableIDCondition(const QStringList& AColumns)
{
    QStringList unusable;
    for (const QString& column : AColumns)
        unusable << QStringLiteral("NOT coalesce(CAST(%1 AS INTEGER) BETWEEN 1 AND 2147483647, 0)").arg(column);
    return unusable.join(QStringLiteral(" OR "));
}

namespace {
bool IsIDField(const TFieldDef& ADef)
{
    return ADef.DataType == ftInteger && ADef.Name.endsWith(QLatin1String("ID"));
}

bool IsDated(const TFieldDefs& ADefs)
{
    return std::any_of(
        ADefs.begin(), ADefs.end(), [](const TFieldDef& ADef) { return ADef.Name == QLatin1String("Date"); });
}

QStringList IDFields(const TFieldDefs& ADefs)
{
    QStringList names;
    for (const TFieldDef& def : ADefs)
        if (IsIDField(def))
            names << def.Name;
    return names;
}

struct TIndexDef {
    QString Name;
    QStringList Columns;
};

// The indexes of a dated table, each the date with the IDs: a day of
// everyone is a range of either, a worker's or a workplace's period a seek
// to each day of the one that has its ID next; a day's new rows land on a
// few pages at the end of each. Without the texts, so that they add little to
// the file: a read takes them from the row, and only for the rows that need
// them.
QList<TIndexDef> DateIndexes(const TFieldDefs& ADefs)
{
    if (!IsDated(ADefs))
        return {};
    const QStringList ids = IDFields(ADefs);
    const QString date = QStringLiteral("Date");
    QList<TIndexDef> indexes{{QStringLiteral("IndexDate"), QStringList{date} + ids}};
    for (qsizetype i = 1; i < ids.size(); ++i) {
        QStringList others = ids;
        others.removeAt(i);
        indexes.append({QStringLiteral("IndexDate") + ids[i], QStringList{date, ids[i]} + others});
    }
    return indexes;
}

QString IndexStatement(const TIndexDef& AIndex)
{
    QStringList quoted;
    for (const QString& name : AIndex.Columns)
        quoted << SqlQuotedName(name);
    return QStringLiteral("CREATE INDEX %1 ON Data (%2)")
        .arg(SqlQuotedName(AIndex.Name), quoted.join(QStringLiteral(", ")));
}

// The indexes the file's data table has that are none of ours, or ours with
// other columns; false when they cannot be read.
bool IndexesToChange(
    const QSqlDatabase& ADatabase, const QList<TIndexDef>& AWanted, QStringList& ADrop, QList<TIndexDef>& ACreate)
{
    ADrop.clear();
    ACreate = AWanted;
    QSqlQuery query(ADatabase);
    // The index of the unusable rows is looked after on its own.
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'Data' "
                                   "AND sql IS NOT NULL AND name <> 'IndexUnusableRows'")))
        return false;
    QStringList present;
    while (query.next())
        present << query.value(0).toString();
    for (const QString& name : present) {
        QSqlQuery columns(ADatabase);
        if (!columns.exec(QStringLiteral("PRAGMA index_info(%1)").arg(SqlQuotedName(name))))
            return false;
        QStringList list;
        while (columns.next())
            list << columns.value(2).toString();
        const auto wanted = std::find_if(ACreate.begin(), ACreate.end(),
            [&](const TIndexDef& AIndex) { return AIndex.Name == name && AIndex.Columns == list; });
        if (wanted != ACreate.end())
            ACreate.erase(wanted);
        else
            ADrop << name;
    }
    return true;
}

// The index that holds the unusable rows alone, as (type, name, statement);
// SQLite keeps it whoever writes, and it costs a write no more than the test
// of the IDs. None for a table without IDs and dates.
QList<QStringList> KeptCountObjects(const TFieldDefs& ADefs)
{
    const QStringList ids = IDFields(ADefs);
    if (!IsDated(ADefs) || ids.isEmpty())
        return {};
    QStringList quotedIDs;
    for (const QString& id : ids)
        quotedIDs << SqlQuotedName(id);
    return {{QStringLiteral("index"), QStringLiteral("IndexUnusableRows"),
        QStringLiteral("CREATE INDEX \"IndexUnusableRows\" ON Data (%1) WHERE %2")
            .arg(quotedIDs.front(), UnusableIDCondition(quotedIDs))}};
}

// What an earlier version kept the count with: a table and triggers.
const char* const OldCountObjects[][2] = {{"TRIGGER", "UnusableRowsInsert"}, {"TRIGGER", "UnusableRowsDelete"},
    {"TRIGGER", "UnusableRowsUpdate"}, {"TABLE", "UnusableRows"}};

bool WriteKeptCount(QSqlQuery& AQuery, const QList<QStringList>& AObjects)
{
    bool ok = true;
    for (const QStringList& object : AObjects)
        ok = ok && AQuery.exec(object[2]);
    return ok;
}
} // namespace

bool CreateTableSchema(QSqlDatabase& ADatabase, const TFieldDefs& ADefs)
{
    if (ADefs.isEmpty())
        return false;
    QSqlQuery query(ADatabase);
    if (!query.exec(QStringLiteral("CREATE TABLE Fields (Position INTEGER PRIMARY KEY, Name TEXT NOT NULL, "
                                   "Type INTEGER NOT NULL, Size INTEGER NOT NULL)")))
        return false;
    QStringList columns;
    for (int i = 0; i < ADefs.size(); ++i) {
        const TFieldDef& def = ADefs[i];
        if (SqlFieldType(def.DataType).isEmpty())
            return false;
        columns << SqlQuotedName(def.Name) + QLatin1Char(' ') + SqlFieldType(def.DataType);
        query.prepare(QStringLiteral("INSERT INTO Fields (Position, Name, Type, Size) VALUES (?, ?, ?, ?)"));
        query.addBindValue(i);
        query.addBindValue(def.Name);
        query.addBindValue(static_cast<int>(def.DataType));
        query.addBindValue(def.Size);
        if (!query.exec())
            return false;
    }
    if (!query.exec(QStringLiteral("CREATE TABLE Data (%1)").arg(columns.join(QStringLiteral(", ")))))
        return false;
    for (const TIndexDef& index : DateIndexes(ADefs))
        if (!query.exec(IndexStatement(index)))
            return false;
    // A new table has no rows; the rows a rebuild copies in are filed as they come.
    const QList<QStringList> kept = KeptCountObjects(ADefs);
    return kept.isEmpty() || WriteKeptCount(query, kept);
}

qint64 KeptUnusableRowCount(const QSqlDatabase& ADatabase, const TFieldDefs& ADefs)
{
    const QList<QStringList> wanted = KeptCountObjects(ADefs);
    if (wanted.isEmpty())
        return -1;
    QSqlQuery query(ADatabase);
    QStringList names;
    for (const QStringList& object : wanted)
        names << QLatin1Char('\'') + object[1] + QLatin1Char('\'');
    if (!query.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE name IN (%1)")
                        .arg(names.join(QStringLiteral(", ")))))
        return -1;
    QList<QStringList> present;
    while (query.next())
        present << QStringList{query.value(0).toString(), query.value(1).toString(), query.value(2).toString()};
    // An index changed or missing may have let rows in unfiled.
    if (present.size() != wanted.size()
        || !std::all_of(wanted.begin(), wanted.end(), [&](const QStringList& A) { return present.contains(A); }))
        return -1;
    QStringList ids;
    for (const QString& id : IDFields(ADefs))
        ids << SqlQuotedName(id);
    // Only the index's entries are read: as many as there are unusable rows.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM Data INDEXED BY \"IndexUnusableRows\" WHERE ")
                    + UnusableIDCondition(ids))
        || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

bool UpgradeTableSchema(QSqlDatabase& ADatabase, const TFieldDefs& ADefs)
{
    const QList<TIndexDef> wanted = DateIndexes(ADefs);
    if (wanted.isEmpty())
        return true;
    QStringList drop;
    QList<TIndexDef> create;
    const QList<QStringList> kept = KeptCountObjects(ADefs);
    const bool counted = kept.isEmpty() || KeptUnusableRowCount(ADatabase, ADefs) >= 0;
    if (!IndexesToChange(ADatabase, wanted, drop, create))
        return false;
    if (drop.isEmpty() && create.isEmpty() && counted)
        return true;
    QSqlQuery query(ADatabase);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    // Another copy may have done it while this one waited for the lock.
    bool ok = IndexesToChange(ADatabase, wanted, drop, create);
    for (const QString& name : drop)
        ok = ok && query.exec(QStringLiteral("DROP INDEX %1").arg(SqlQuotedName(name)));
    for (const TIndexDef& index : create)
        ok = ok && query.exec(IndexStatement(index));
    // Filed once under the write lock, then kept by SQLite.
    if (ok && !kept.isEmpty() && KeptUnusableRowCount(ADatabase, ADefs) < 0) {
        for (const auto& [type, name] : OldCountObjects)
            ok = ok && query.exec(QStringLiteral("DROP %1 IF EXISTS %2").arg(QLatin1String(type), QLatin1String(name)));
        for (const QStringList& object : kept)
            ok = ok && query.exec(QStringLiteral("DROP %1 IF EXISTS %2").arg(object[0], SqlQuotedName(object[1])));
        ok = ok && WriteKeptCount(query, kept);
    }
    ok = ok && query.exec(QStringLiteral("COMMIT"));
    if (!ok)
        query.exec(QStringLiteral("ROLLBACK"));
    return ok;
}
