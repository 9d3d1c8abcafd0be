#include "data/table.h"

#include "data/table_file.h"
#include "data/table_schema.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace {
std::atomic<int> GConnectionCounter{0};
constexpr int ChunkSize = 256;
// Long enough for any write of another copy (a template, a cleared day).
std::atomic<int> GBusyTimeoutMs{5000};

// The primary SQLite result code of a failed statement; 0 when unknown.
int ResultCode(const QSqlError& AError)
{
    bool ok = false;
    const int code = AError.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : 0;
}

bool IsBusy(const QSqlError& AError)
{
    const int code = ResultCode(AError);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

// The file's version as the connection sees it; -1 when it cannot be read.
// The statement is kept: the watch asks several times a second.
qint64 DataVersion(const QSqlDatabase& ADatabase, sqlite3_stmt*& AStatement)
{
    sqlite3* db = SQLiteHandle(ADatabase);
    if (!db)
        return -1;
    if (!AStatement
        && sqlite3_prepare_v3(db, "PRAGMA data_version", -1, SQLITE_PREPARE_PERSISTENT, &AStatement, nullptr)
               != SQLITE_OK)
        return -1;
    const qint64 version = sqlite3_step(AStatement) == SQLITE_ROW ? sqlite3_column_int64(AStatement, 0) : -1;
    sqlite3_reset(AStatement);
    return version;
}

bool FileIdentity(const QString& AFileName, quint64& ADevice, quint64& AInode)
{
    struct stat info {};
    if (::stat(QFile::encodeName(AFileName).constData(), &info) != 0)
        return false;
    ADevice = info.st_dev;
    AInode = info.st_ino;
    return true;
}
} // namespace

TTable::TTable(QString AName) : FName(std::move(AName)) {}

TTable::~TTable()
{
    Close();
}

int TTable::FieldIndex(const QString& AFieldName) const
{
    // Callers nearly always spell the name as defined: try that first, it is
    // on the path of every field of every loaded row.
    for (int i = 0; i < FFieldDefs.size(); ++i)
        if (FFieldDefs[i].Name == AFieldName)
            return i;
    for (int i = 0; i < FFieldDefs.size(); ++i)
        if (FFieldDefs[i].Name.compare(AFieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QSqlDatabase TTable::Database() const
{
    return QSqlDatabase::database(FConnection, false);
}

sqlite3_stmt* TTable::KeptStatement(const QByteArray& ASql) const
{
    for (const auto& [sql, statement] : FKeptStatements) {
        if (sql == ASql) {
            sqlite3_reset(statement);
            sqlite3_clear_bindings(statement);
            return statement;
        }
    }
    sqlite3* db = SQLiteHandle(Database());
    sqlite3_stmt* statement = nullptr;
    if (!db
        || sqlite3_prepare_v3(db, ASql.constData(), int(ASql.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
               != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    FKeptStatements.emplace_back(ASql, statement);
    return statement;
}

bool TTable::Connect(const QString& ADatabaseName, bool AReadOnly)
{
    Disconnect();
    FConnection = QStringLiteral("plenvo-table-%1").arg(++GConnectionCounter);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnection);
    db.setDatabaseName(ADatabaseName);
    // Another copy's write holds the file for a moment: wait it out.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(GBusyTimeoutMs.load());
    if (AReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    // A file in write-ahead logging is read with the log's index beside it;
    // in a folder that may not be written, with no log to replay, nobody can
    // change the file, and it is read as such.
    if (AReadOnly && !QFileInfo(QFileInfo(ADatabaseName).absolutePath()).isWritable()
        && QFileInfo(ADatabaseName + QStringLiteral("-wal")).size() == 0
        && !QFileInfo::exists(ADatabaseName + QStringLiteral("-shm")) && IsLoggedFile(ADatabaseName)) {
        db.setDatabaseName(QStringLiteral("file:%1?immutable=1")
                               .arg(QString::fromLatin1(QUrl::toPercentEncoding(ADatabaseName, "/"))));
        options += QStringLiteral(";QSQLITE_OPEN_URI");
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        FLastError = db.lastError().text();
        return false;
    }
    SetUpConnection(db);
    FFileDevice = FFileInode = 0;
    if (ADatabaseName != QLatin1String(":memory:"))
        FileIdentity(ADatabaseName, FFileDevice, FFileInode);
    FSeenVersion = DataVersion(db, FVersionStatement);
    return true;
}

void TTable::SetBusyTimeoutMs(int AValue)
{
    GBusyTimeoutMs = AValue;
}

int TTable::BusyTimeoutMs()
{
    return GBusyTimeoutMs;
}

bool TTable::ChangedElsewhere()
{
    if (!FActive || FInMemory)
        return false;
    const qint64 version = DataVersion(Database(), FVersionStatement);
    if (version < 0 || version == FSeenVersion)
        return false;
    FSeenVersion = version;
    return true;
}

bool TTable::FileReplaced() const
{
    if (!FActive || FInMemory || FFileInode == 0)
        return false;
    quint64 device = 0;
    quint64 inode = 0;
    return !FileIdentity(FFileName, device, inode) || device != FFileDevice || inode != FFileInode;
}

void TTable::SetFieldDefs(const TFieldDefs& AValue)
{
    FFieldDefs = AValue;
    FInsertQuery.reset();
}

void TTable::Disconnect()
{
    FInsertQuery.reset();
    sqlite3_finalize(FVersionStatement);
    FVersionStatement = nullptr;
    for (const auto& kept : FKeptStatements)
        sqlite3_finalize(kept.second);
    FKeptStatements.clear();
    if (FConnection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(FConnection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(FConnection);
    FConnection.clear();
}

bool TTable::ReadFieldDefs()
{
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT Name, Type, Size FROM Fields ORDER BY Position"))) {
        FLastError = query.lastError().text();
        return false;
    }
    TFieldDefs defs;
    while (query.next()) {
        TFieldDef def;
        def.Name = query.value(0).toString();
        const int type = query.value(1).toInt();
        def.DataType = (type >= ftAutoInc && type <= ftInteger) ? static_cast<TFieldType>(type) : ftUnknown;
        def.Size = query.value(2).toInt();
        defs << def;
    }
    if (defs.isEmpty())
        return false;
    FFieldDefs = defs;
    return true;
}

bool TTable::MatchColumns()
{
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA table_info(Data)"))) {
        FLastError = query.lastError().text();
        return false;
    }
    QStringList columns;
    while (query.next())
        columns << query.value(1).toString();
    // The engine matches column names ignoring letter case.
    FFieldDefs.erase(std::remove_if(FFieldDefs.begin(), FFieldDefs.end(),
                         [&](const TFieldDef& ADef) { return !columns.contains(ADef.Name, Qt::CaseInsensitive); }),
        FFieldDefs.end());
    return !FFieldDefs.isEmpty();
}

QString TTable::ColumnList() const
{
    QStringList columns;
    for (const TFieldDef& def : FFieldDefs)
        columns << QuoteName(def.Name);
    return columns.join(QStringLiteral(", "));
}

// Reads both ends of the data table: a file with a field list but no data
// table, or with columns the list names but the table lacks, is damaged.
bool TTable::Probe()
{
    for (const char* order : {"ASC", "DESC"}) {
        QSqlQuery query(Database());
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT rowid, %1 FROM Data ORDER BY rowid %2 LIMIT 1")
                            .arg(ColumnList(), QLatin1String(order)))) {
            FLastError = query.lastError().text();
            return false;
        }
        query.next();
    }
    return true;
}

TOpenResult TTable::Open()
{
    if (FActive)
        return orOpened;
    const TFieldDefs given = FFieldDefs;
    FLastError.clear();
    const QFileInfo info(FFileName);
    if (FFileName.isEmpty() || (!info.exists() && !info.isSymLink()))
        return orMissing;
    if (info.isDir() || !LooksLikeSQLiteFile(FFileName))
        return orDamaged;
    if (!info.isReadable())
        return orLocked;
    // First only read: a file that is not one of ours stays as it was.
    const auto fail = [&](bool ABusy) {
        Disconnect();
        FFieldDefs = given;
        return ABusy ? orLocked : orDamaged;
    };
    if (!Connect(FFileName, true))
        return fail(false);
    bool recovered = false;
    while (!ReadFieldDefs() || !MatchColumns() || !Probe()) {
        QSqlQuery probe(Database());
        const bool failed = !probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        const int code = failed ? ResultCode(probe.lastError()) : 0;
        probe.finish();
        // A journal left by a writer that died (a crash, a power cut) can
        // only be rolled back, or a log replayed, on a connection that may
        // write; SQLite then finds the file whole. Only after that is it judged.
        if (code != SQLITE_READONLY || recovered || !CanWriteFile(FFileName))
            return fail(code == SQLITE_BUSY || code == SQLITE_LOCKED);
        recovered = true;
        FFieldDefs = given;
        const int recovery = Recover();
        if (recovery != SQLITE_OK || !Connect(FFileName, true))
            return fail(recovery == SQLITE_BUSY || recovery == SQLITE_LOCKED);
    }
    FReadOnly = true;
    FInMemory = false;
    FActive = true;
    FRows.clear();
    FPos = 0;
    FState = tsBrowse;
    if (FOnlyRead)
        return orOpened;
    const TOpenResult result = StartWriting();
    if (result != orOpened) {
        Close();
        FFieldDefs = given;
    }
    return result;
}

int TTable::Recover()
{
    if (!Connect(FFileName, false))
        return SQLITE_CANTOPEN;
    QSqlQuery query(Database());
    const int code = query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))
                         ? SQLITE_OK
                         : std::max(ResultCode(query.lastError()), int(SQLITE_ERROR));
    query.finish();
    Disconnect();
    return code;
}

TOpenResult TTable::StartWriting()
{
    if (!FActive)
        return orMissing;
    if (FInMemory || !FReadOnly)
        return orOpened;
    if (!CanWriteFile(FFileName))
        return orOpened;
    const TFieldDefs found = FFieldDefs;
    bool busy = false;
    const bool retry = FWaitsToWrite;
    bool ok = Connect(FFileName, false);
    if (ok && retry) {
        // Tried again while the user works: no waiting for the lock.
        if (sqlite3* db = SQLiteHandle(Database()))
            sqlite3_busy_timeout(db, 0);
    }
    if (ok) {
        // Write-ahead logging where the folder is on this computer; a rollback
        // journal on a network file system, where a commit is durable only
        // once the journal's removal reached the folder (EXTRA).
        const QString mode = JournalModeFor(FFileName);
        QSqlQuery query(Database());
        ok = query.exec(QStringLiteral("PRAGMA journal_mode=%1").arg(mode));
        if (!ok) {
            busy = IsBusy(query.lastError());
            FLastError = query.lastError().text();
        }
        FReadOnly = !(ok && query.next() && query.value(0).toString().compare(mode, Qt::CaseInsensitive) == 0);
        query.finish();
        if (ok) {
            query.exec(mode == QLatin1String("wal") ? QStringLiteral("PRAGMA synchronous=FULL")
                                                    : QStringLiteral("PRAGMA synchronous=EXTRA"));
            query.finish();
            // Best effort: an older file without it only reads more slowly.
            QSqlDatabase db = Database();
            UpgradeTableSchema(db, found);
        }
    }
    if (!ok) {
        // Read on as before.
        FReadOnly = true;
        Connect(FFileName, true);
    }
    FFieldDefs = found;
    FWaitsToWrite = !ok && busy;
    // Another connection may have written while this one was made.
    FSeenVersion = -1;
    return ok ? orOpened : (busy ? orLocked : orDamaged);
}

bool TTable::CreateDataSet()
{
    Close();
    if (!WriteEmptyTableFile(FFileName, FFieldDefs))
        return false;
    return Open() == orOpened;
}

bool TTable::OpenEmptyStandIn()
{
    Close();
    if (!Connect(QStringLiteral(":memory:"), false))
        return false;
    QSqlDatabase db = Database();
    if (!CreateTableSchema(db, FFieldDefs)) {
        Disconnect();
        return false;
    }
    FActive = true;
    FReadOnly = true;
    FInMemory = true;
    FRows.clear();
    FPos = 0;
    return true;
}

void TTable::Close()
{
    if (FActive) {
        if (FInTransaction)
            Save();
        // The file stays in write-ahead logging: switching back would
        // rewrite its header under a rollback journal at every close.
        if (!FReadOnly && !FInMemory) {
            QSqlQuery query(Database());
            query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            query.finish();
        }
    }
    Disconnect();
    FActive = false;
    FReadOnly = false;
    FInMemory = false;
    FInTransaction = false;
    FWaitsToWrite = false;
    FRows.clear();
    FPos = 0;
    FState = tsBrowse;
}

bool TTable::RunFilter(const TTableFilter& AFilter, bool)
{
    FRows.clear();
    FPos = 0;
    FChunked = false;
    FMoreChunks = false;
    if (!FActive)
        return false;
    QStringList where;
    for (const TFilterCondition& condition : AFilter.Conditions) {
        const int index = FieldIndex(condition.Field);
        if (index < 0)
            return false;
        static const char* Ops[] = {"=", ">=", "<="};
        where << QuoteName(FFieldDefs[index].Name) + QLatin1Char(' ') + QLatin1String(Ops[condition.Op])
                     + QStringLiteral(" ?");
    }
    QString sql = QStringLiteral("SELECT rowid, %1 FROM Data").arg(ColumnList());
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        FLastError = query.lastError().text();
        return false;
    }
    for (const TFilterCondition& condition : AFilter.Conditions)
        query.addBindValue(StoredValue(FFieldDefs[FieldIndex(condition.Field)], condition.Value));
    if (!query.exec()) {
        FLastError = query.lastError().text();
        return false;
    }
    const int count = static_cast<int>(FFieldDefs.size());
    while (query.next()) {
        TRow row;
        row.RowId = query.value(0).toLongLong();
        row.Values.reserve(count);
        for (int i = 0; i < count; ++i)
            row.Values << query.value(i + 1);
        FRows.push_back(std::move(row));
        if (AFilter.Accept) {
            FPos = FRows.size() - 1;
            if (!AFilter.Accept(*this))
                FRows.pop_back();
        }
    }
    if (query.lastError().isValid()) {
        FLastError = query.lastError().text();
        FRows.clear();
        return false;
    }
    // The indexes answer the conditions in their own order; traversal is by ID.
    std::sort(FRows.begin(), FRows.end(), [](const TRow& a, const TRow& b) { return a.RowId < b.RowId; });
    FPos = 0;
    return true;
}

bool TTable::FetchChunk()
{
    FRows.clear();
    FPos = 0;
    FMoreChunks = false;
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT rowid, %1 FROM Data WHERE rowid > ? ORDER BY rowid LIMIT %2")
                      .arg(ColumnList())
                      .arg(ChunkSize));
    query.addBindValue(FChunkAfter);
    if (!query.exec()) {
        FLastError = query.lastError().text();
        return false;
    }
    const int count = static_cast<int>(FFieldDefs.size());
    while (query.next()) {
        TRow row;
        row.RowId = query.value(0).toLongLong();
        for (int i = 0; i < count; ++i)
            row.Values << query.value(i + 1);
        FRows.push_back(std::move(row));
    }
    if (!FRows.empty())
        FChunkAfter = FRows.back().RowId;
    FMoreChunks = FRows.size() == static_cast<size_t>(ChunkSize);
    // A walk that meets a damaged page ends there with what it could read;
    // its caller must know.
    if (query.lastError().isValid()) {
        FLastError = query.lastError().text();
        FWalkBroken = true;
        FMoreChunks = false;
    }
    return true;
}

bool TTable::First()
{
    FState = tsBrowse;
    if (!FActive)
        return false;
    if (FFiltered && !FFilter.IsEmpty())
        return RunFilter(FFilter, true);
    FChunked = true;
    FWalkBroken = false;
    // From the lowest rowid: rows with IDs of 0 or below are walked too, so
    // their readers can tell they are there.
    FChunkAfter = std::numeric_limits<qint64>::min();
    return FetchChunk();
}

bool TTable::Next()
{
    if (FPos < FRows.size())
        ++FPos;
    if (FPos >= FRows.size() && FChunked && FMoreChunks)
        return FetchChunk();
    return true;
}

bool TTable::Eof() const
{
    return FPos >= FRows.size();
}

bool TTable::HasCurrent() const
{
    return FActive && FPos < FRows.size();
}

int TTable::RecordCount()
{
    if (!FActive)
        return 0;
    if (FFiltered && !FFilter.IsEmpty()) {
        RunFilter(FFilter, true);
        return static_cast<int>(FRows.size());
    }
    return static_cast<int>(std::max<qint64>(TotalRowCount(), 0));
}

qint64 TTable::TotalRowCount()
{
    if (!FActive)
        return -1;
    QSqlQuery query(Database());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM Data")) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

QString TTable::UnusableRowsQuery(const QStringList& AIDFields) const
{
    QStringList columns;
    for (const QString& field : AIDFields) {
        const int index = FieldIndex(field);
        if (index >= 0)
            columns << (FFieldDefs[index].DataType == ftAutoInc ? QStringLiteral("rowid")
                                                                : QuoteName(FFieldDefs[index].Name));
    }
    if (columns.isEmpty())
        return QString();
    return QStringLiteral("SELECT count(*) FROM Data WHERE ") + UnusableIDCondition(columns);
}

qint64 TTable::UnusableRowCount(const QStringList& AIDFields)
{
    if (!FActive)
        return -1;
    const QString sql = UnusableRowsQuery(AIDFields);
    if (sql.isEmpty())
        return 0;
    QSqlQuery query(Database());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

bool TTable::FindFirst()
{
    FState = tsBrowse;
    return RunFilter(FFilter, false) && !FRows.empty();
}

bool TTable::FindNext()
{
    if (FPos < FRows.size())
        ++FPos;
    return FPos < FRows.size();
}

bool TTable::Locate(const QString& AFieldName, const QVariant& AValue)
{
    FState = tsBrowse;
    TTableFilter filter;
    filter.Conditions << TFilterCondition{AFieldName, foEqual, AValue};
    if (!RunFilter(filter, false) || FRows.empty()) {
        FRows.clear();
        return false;
    }
    FRows.resize(1);
    return true;
}

QVariant TTable::FieldValue(const QString& AFieldName) const
{
    const int index = FieldIndex(AFieldName);
    if (index < 0)
        return QVariant();
    QVariant value;
    if (FState != tsBrowse)
        value = FBuffer.value(index);
    else if (HasCurrent())
        value = FRows[FPos].Values.value(index);
    if (value.isNull())
        return QVariant();
    switch (FFieldDefs[index].DataType) {
    case ftString:
        return value.toString();
    case ftDate:
        return value.toDouble();
    case ftInteger:
    case ftAutoInc: {
        bool ok = false;
        const qint64 number = value.toLongLong(&ok);
        if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return QVariant();
        return static_cast<int>(number);
    }
    default:
        return value;
    }
}

void TTable::Append()
{
    FState = tsInsert;
    FAppendID = 0;
    FBuffer.clear();
    for (int i = 0; i < FFieldDefs.size(); ++i)
        FBuffer << QVariant();
}

void TTable::AppendWithID(qint64 AID)
{
    Append();
    FAppendID = AID;
}

bool TTable::Edit()
{
    if (!HasCurrent() || !CanModify())
        return false;
    FBuffer = FRows[FPos].Values;
    FState = tsEdit;
    return true;
}

bool TTable::SetFieldValue(const QString& AFieldName, const QVariant& AValue)
{
    const int index = FieldIndex(AFieldName);
    if (FState == tsBrowse || index < 0 || FFieldDefs[index].DataType == ftAutoInc
        || FFieldDefs[index].DataType == ftUnknown)
        return false;
    FBuffer[index] = StoredValue(FFieldDefs[index], AValue);
    return true;
}

bool TTable::Begin()
{
    if (FInTransaction)
        return true;
    if (sqlite3* db = SQLiteHandle(Database()))
        sqlite3_busy_timeout(db, GBusyTimeoutMs);
    QSqlQuery query(Database());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        FLastError = query.lastError().text();
        return false;
    }
    FInTransaction = true;
    return true;
}

bool TTable::Post()
{
    const TState state = FState;
    FState = tsBrowse;
    if (state == tsBrowse)
        return true;
    if (!CanModify() || !Begin())
        return false;
    QStringList columns;
    QList<int> indexes;
    for (int i = 0; i < FFieldDefs.size(); ++i) {
        if (FFieldDefs[i].DataType == ftAutoInc || FFieldDefs[i].DataType == ftUnknown)
            continue;
        if (state == tsEdit || !FInsertQuery)
            columns << QuoteName(FFieldDefs[i].Name);
        indexes << i;
    }
    std::optional<QSqlQuery> edit;
    const qint64 appendID = std::exchange(FAppendID, 0);
    if (state == tsInsert && appendID > 0) {
        // Rare (a restore): its own statement, the prepared one stays as it is.
        QStringList names{QStringLiteral("rowid")}, marks{QStringLiteral("?")};
        for (const int i : indexes) {
            names << QuoteName(FFieldDefs[i].Name);
            marks << QStringLiteral("?");
        }
        edit.emplace(Database());
        if (!edit->prepare(QStringLiteral("INSERT INTO Data (%1) VALUES (%2)")
                               .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))))) {
            FLastError = edit->lastError().text();
            return false;
        }
        edit->addBindValue(appendID);
        for (const int i : indexes)
            edit->addBindValue(FBuffer[i]);
    } else if (state == tsInsert && !FInsertQuery) {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        FInsertQuery = std::make_unique<QSqlQuery>(Database());
        if (!FInsertQuery->prepare(QStringLiteral("INSERT INTO Data (%1) VALUES (%2)")
                                       .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))))) {
            FLastError = FInsertQuery->lastError().text();
            FInsertQuery.reset();
            return false;
        }
    } else if (state == tsEdit) {
        QStringList sets;
        for (const QString& column : columns)
            sets << column + QStringLiteral(" = ?");
        edit.emplace(Database());
        edit->prepare(QStringLiteral("UPDATE Data SET %1 WHERE rowid = ?").arg(sets.join(QStringLiteral(", "))));
    }
    const bool ownInsert = state == tsInsert && appendID > 0;
    QSqlQuery& query = state == tsInsert && !ownInsert ? *FInsertQuery : *edit;
    for (int k = 0; !ownInsert && k < indexes.size(); ++k)
        query.bindValue(k, FBuffer[indexes[k]]);
    if (state == tsEdit)
        query.bindValue(int(indexes.size()), FRows[FPos].RowId);
    if (!query.exec()) {
        FLastError = query.lastError().text();
        return false;
    }
    if (state == tsInsert) {
        TRow row;
        row.RowId = query.lastInsertId().toLongLong();
        row.Values = FBuffer;
        for (int i = 0; i < FFieldDefs.size(); ++i)
            if (FFieldDefs[i].DataType == ftAutoInc)
                row.Values[i] = row.RowId;
        FRows.clear();
        FRows.push_back(std::move(row));
        FPos = 0;
        FChunked = false;
        FMoreChunks = false;
    } else {
        FRows[FPos].Values = FBuffer;
    }
    return true;
}

void TTable::Cancel()
{
    FState = tsBrowse;
    FBuffer.clear();
}

bool TTable::Delete()
{
    FState = tsBrowse;
    if (!HasCurrent() || !CanModify() || !Begin())
        return false;
    QSqlQuery query(Database());
    query.prepare(QStringLiteral("DELETE FROM Data WHERE rowid = ?"));
    query.addBindValue(FRows[FPos].RowId);
    if (!query.exec()) {
        FLastError = query.lastError().text();
        return false;
    }
    FRows.erase(FRows.begin() + static_cast<std::ptrdiff_t>(FPos));
    if (FPos >= FRows.size() && FChunked && FMoreChunks)
        FetchChunk();
    return true;
}

bool TTable::Save()
{
    if (!FActive)
        return false;
    if (!FInTransaction)
        return true;
    QSqlQuery query(Database());
    const bool ok = query.exec(QStringLiteral("COMMIT"));
    if (!ok) {
        FLastError = query.lastError().text();
        query.finish();
        CancelUpdates();
        return false;
    }
    FInTransaction = false;
    return true;
}

void TTable::CancelUpdates()
{
    FState = tsBrowse;
    if (FInTransaction) {
        QSqlQuery query(Database());
        query.exec(QStringLiteral("ROLLBACK"));
        FInTransaction = false;
    }
    FRows.clear();
    FPos = 0;
}

qint64 TTable::AutoIncValue()
{
    if (!FActive)
        return 0;
    QSqlQuery query(Database());
    query.prepare(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"));
    query.addBindValue(DataTableName());
    if (!query.exec() || !query.next())
        return 0;
    return query.value(0).toLongLong();
}
