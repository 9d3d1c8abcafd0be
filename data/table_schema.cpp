#include "data/table_schema.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>

#include <sqlite3.h>

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

namespace {
// The one index of a dated table: the date, then the integer IDs, then the
// other columns, so every read of a day or a period, of everyone or of one
// worker or workplace, comes from the index alone, and a day's new rows land
// on a few pages at its end instead of one page per worker and workplace.
QStringList DateIndexColumns(const TFieldDefs& ADefs)
{
    QStringList columns;
    for (const TFieldDef& def : ADefs)
        if (def.Name == QLatin1String("Date"))
            columns << def.Name;
    if (columns.isEmpty())
        return columns;
    auto isID
        = [](const TFieldDef& ADef) { return ADef.DataType == ftInteger && ADef.Name.endsWith(QLatin1String("ID")); };
    for (const TFieldDef& def : ADefs)
        if (isID(def))
            columns << def.Name;
    for (const TFieldDef& def : ADefs)
        if (def.Name != QLatin1String("Date") && def.DataType != ftAutoInc && !isID(def))
            columns << def.Name;
    return columns;
}

QString DateIndexStatement(const TFieldDefs& ADefs)
{
    QStringList quoted;
    for (const QString& name : DateIndexColumns(ADefs))
        quoted << SqlQuotedName(name);
    return QStringLiteral("CREATE INDEX IndexDate ON Data (%1)").arg(quoted.join(QStringLiteral(", ")));
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
    bool hasDate = false;
    for (int i = 0; i < ADefs.size(); ++i) {
        const TFieldDef& def = ADefs[i];
        if (SqlFieldType(def.DataType).isEmpty())
            return false;
        columns << SqlQuotedName(def.Name) + QLatin1Char(' ') + SqlFieldType(def.DataType);
        hasDate = hasDate || def.Name == QLatin1String("Date");
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
    // Every date-based read is one of these ranges: a day or a period, of
    // everyone, of one worker or of one workplace.
    return !hasDate || query.exec(DateIndexStatement(ADefs));
}

bool UpgradeDateIndex(QSqlDatabase& ADatabase, const TFieldDefs& ADefs)
{
    const QStringList wanted = DateIndexColumns(ADefs);
    if (wanted.isEmpty())
        return true;
    QStringList present;
    QStringList others;
    {
        QSqlQuery query(ADatabase);
        if (!query.exec(QStringLiteral("PRAGMA index_info(IndexDate)")))
            return false;
        while (query.next())
            present << query.value(2).toString();
        if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'Data' "
                                       "AND sql IS NOT NULL AND name <> 'IndexDate'")))
            return false;
        while (query.next())
            others << query.value(0).toString();
    }
    if (present == wanted && others.isEmpty())
        return true;
    QSqlQuery query(ADatabase);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    bool ok = true;
    for (const QString& name : others)
        ok = ok && query.exec(QStringLiteral("DROP INDEX %1").arg(SqlQuotedName(name)));
    ok = ok && query.exec(QStringLiteral("DROP INDEX IF EXISTS IndexDate")) && query.exec(DateIndexStatement(ADefs))
         && query.exec(QStringLiteral("COMMIT"));
    if (!ok)
        query.exec(QStringLiteral("ROLLBACK"));
    return ok;
}
