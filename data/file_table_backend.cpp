#include "data/file_table_backend.h"

#include "data/table_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>

namespace {
std::atomic<int> GConnectionCounter{0};
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

TFileTableBackend::TFileTableBackend(QString AFileName) : FFileName(std::move(AFileName)) {}

TFileTableBackend::~TFileTableBackend()
{
    Disconnect();
}

QSqlDatabase TFileTableBackend::Database() const
{
    return QSqlDatabase::database(FConnection, false);
}

sqlite3_stmt* TFileTableBackend::KeptStatement(const QByteArray& ASql) const
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

int TFileTableBackend::MaxBoundValues() const
{
    sqlite3* db = SQLiteHandle(Database());
    return db ? sqlite3_limit(db, SQLITE_LIMIT_VARIABLE_NUMBER, -1) : TTableBackend::MaxBoundValues();
}

bool TFileTableBackend::Connect(const QString& ADatabaseName, bool AReadOnly, QString& AError)
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
        AError = db.lastError().text();
        return false;
    }
    SetUpConnection(db);
    FFileDevice = FFileInode = 0;
    if (ADatabaseName != QLatin1String(":memory:"))
        FileIdentity(ADatabaseName, FFileDevice, FFileInode);
    FSeenVersion = DataVersion(db, FVersionStatement);
    return true;
}

void TFileTableBackend::SetBusyTimeoutMs(int AValue)
{
    GBusyTimeoutMs = AValue;
}

int TFileTableBackend::BusyTimeoutMs()
{
    return GBusyTimeoutMs;
}

bool TFileTableBackend::ChangedElsewhere()
{
    const qint64 version = DataVersion(Database(), FVersionStatement);
    if (version < 0 || version == FSeenVersion)
        return false;
    FSeenVersion = version;
    return true;
}

bool TFileTableBackend::Replaced() const
{
    if (FFileInode == 0)
        return false;
    quint64 device = 0;
    quint64 inode = 0;
    return !FileIdentity(FFileName, device, inode) || device != FFileDevice || inode != FFileInode;
}

void TFileTableBackend::Disconnect()
{
    sqlite3_finalize(FVersionStatement);
    FVersionStatement = nullptr;
    for (const auto& kept : FKeptStatements)
        sqlite3_finalize(kept.second);
    FKeptStatements.clear();
    FFileInode = 0;
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

bool TFileTableBackend::ReadFieldDefs(TFieldDefs& AFieldDefs, QString& AError)
{
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT Name, Type, Size FROM Fields ORDER BY Position"))) {
        AError = query.lastError().text();
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
    AFieldDefs = defs;
    return true;
}

bool TFileTableBackend::MatchColumns(TFieldDefs& AFieldDefs, QString& AError)
{
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA table_info(Data)"))) {
        AError = query.lastError().text();
        return false;
    }
    QStringList columns;
    while (query.next())
        columns << query.value(1).toString();
    // The engine matches column names ignoring letter case.
    AFieldDefs.erase(std::remove_if(AFieldDefs.begin(), AFieldDefs.end(),
                         [&](const TFieldDef& ADef) { return !columns.contains(ADef.Name, Qt::CaseInsensitive); }),
        AFieldDefs.end());
    return !AFieldDefs.isEmpty();
}

// Reads both ends of the data table: a file with a field list but no data
// table, or with columns the list names but the table lacks, is damaged.
bool TFileTableBackend::Probe(const TFieldDefs& AFieldDefs, QString& AError)
{
    for (const char* order : {"ASC", "DESC"}) {
        QSqlQuery query(Database());
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT rowid, %1 FROM Data ORDER BY rowid %2 LIMIT 1")
                            .arg(SqlColumnList(AFieldDefs), QLatin1String(order)))) {
            AError = query.lastError().text();
            return false;
        }
        query.next();
    }
    return true;
}

TOpenResult TFileTableBackend::OpenForReading(TFieldDefs& AFieldDefs, QString& AError)
{
    const TFieldDefs given = AFieldDefs;
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
        AFieldDefs = given;
        return ABusy ? orLocked : orDamaged;
    };
    if (!Connect(FFileName, true, AError))
        return fail(false);
    bool recovered = false;
    while (!ReadFieldDefs(AFieldDefs, AError) || !MatchColumns(AFieldDefs, AError) || !Probe(AFieldDefs, AError)) {
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
        AFieldDefs = given;
        const int recovery = Recover();
        if (recovery != SQLITE_OK || !Connect(FFileName, true, AError))
            return fail(recovery == SQLITE_BUSY || recovery == SQLITE_LOCKED);
    }
    return orOpened;
}

int TFileTableBackend::Recover()
{
    QString error;
    if (!Connect(FFileName, false, error))
        return SQLITE_CANTOPEN;
    QSqlQuery query(Database());
    const int code = query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))
                         ? SQLITE_OK
                         : std::max(ResultCode(query.lastError()), int(SQLITE_ERROR));
    query.finish();
    Disconnect();
    return code;
}

bool TFileTableBackend::MayWrite() const
{
    return CanWriteFile(FFileName);
}

TOpenResult TFileTableBackend::StartWriting(
    const TFieldDefs& AFieldDefs, bool AAgain, bool& AWritable, bool& ABusy, QString& AError)
{
    AWritable = false;
    ABusy = false;
    bool ok = Connect(FFileName, false, AError);
    if (ok && AAgain) {
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
            ABusy = IsBusy(query.lastError());
            AError = query.lastError().text();
        }
        AWritable = ok && query.next() && query.value(0).toString().compare(mode, Qt::CaseInsensitive) == 0;
        query.finish();
        if (ok) {
            query.exec(mode == QLatin1String("wal") ? QStringLiteral("PRAGMA synchronous=FULL")
                                                    : QStringLiteral("PRAGMA synchronous=EXTRA"));
            query.finish();
            // Best effort: an older file without it only reads more slowly.
            QSqlDatabase db = Database();
            UpgradeTableSchema(db, AFieldDefs);
        }
    }
    if (!ok) {
        // Read on as before.
        AWritable = false;
        QString ignored;
        Connect(FFileName, true, ignored);
    }
    // Another connection may have written while this one was made.
    FSeenVersion = -1;
    return ok ? orOpened : (ABusy ? orLocked : orDamaged);
}

bool TFileTableBackend::Create(const TFieldDefs& AFieldDefs)
{
    Disconnect();
    return WriteEmptyTableFile(FFileName, AFieldDefs);
}

bool TFileTableBackend::OpenStandIn(const TFieldDefs& AFieldDefs)
{
    QString error;
    if (!Connect(QStringLiteral(":memory:"), false, error))
        return false;
    QSqlDatabase db = Database();
    if (!CreateTableSchema(db, AFieldDefs)) {
        Disconnect();
        return false;
    }
    return true;
}

void TFileTableBackend::Close(bool AWrote)
{
    // The file stays in write-ahead logging: switching back would rewrite
    // its header under a rollback journal at every close.
    if (AWrote) {
        QSqlQuery query(Database());
        query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        query.finish();
    }
    Disconnect();
}

bool TFileTableBackend::Begin(QString& AError)
{
    if (sqlite3* db = SQLiteHandle(Database()))
        sqlite3_busy_timeout(db, GBusyTimeoutMs);
    QSqlQuery query(Database());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        AError = query.lastError().text();
        return false;
    }
    return true;
}

qint64 TFileTableBackend::AutoIncValue()
{
    QSqlQuery query(Database());
    query.prepare(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"));
    query.addBindValue(DataTable());
    if (!query.exec() || !query.next())
        return 0;
    return query.value(0).toLongLong();
}

bool TFileTableBackend::RaiseAutoIncValue(qint64 AValue, QString& AError)
{
    if (AValue <= AutoIncValue())
        return true;
    QSqlQuery query(Database());
    // The counter's row appears with the first row written; an empty table has none.
    query.prepare(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"));
    query.addBindValue(DataTable());
    bool ok = query.exec();
    if (ok) {
        query.prepare(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"));
        query.addBindValue(DataTable());
        query.addBindValue(AValue);
        ok = query.exec();
    }
    if (!ok)
        AError = query.lastError().text();
    return ok;
}
