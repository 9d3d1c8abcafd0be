// A table of the plan: field list, cursor, append/edit/post/delete, filters
// answered by indexed queries, durable saves, above a table file on SQLite or
// a server's table (its backend, data/table_backend.h).
#pragma once

#include "core/utils.h"
#include "data/table_backend.h"
#include "data/table_schema.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QSqlQuery;
struct sqlite3_stmt;

// One condition of a filter; the value is always bound, never spliced.
enum TFilterOp { foEqual, foGreaterEqual, foLessEqual };
struct TFilterCondition {
    QString Field;
    TFilterOp Op = foEqual;
    QVariant Value;
};

class TTable;
// A filter: conditions the file's indexes answer, then an optional predicate.
struct TTableFilter {
    QList<TFilterCondition> Conditions;
    std::function<bool(const TTable&)> Accept;
    bool IsEmpty() const { return Conditions.isEmpty() && !Accept; }
};

class TTable {
public:
    explicit TTable(QString AName);
    ~TTable();
    TTable(const TTable&) = delete;
    TTable& operator=(const TTable&) = delete;

    const QString& Name() const { return FName; }
    const QString& FileName() const { return FFileName; }
    // The table file to open; it keeps its rows from then on.
    void SetFileName(const QString& AValue);
    // The server's table of that file name ("Jobs.cds": plenvo.jobs) on the
    // PostgreSQL database AConnInfo names, instead of a file.
    void SetServerTable(const QString& AConnInfo, const QString& AFileName);
    // The rows are on a database server; FileName() is then only a name.
    bool OnServer() const;
    // The table and a field's column as the connection's SQL names them.
    QString SqlTable() const;
    QString SqlColumn(const QString& AFieldName) const;
    // The field list: of the file while open, else the one given.
    const TFieldDefs& FieldDefs() const { return FFieldDefs; }
    void SetFieldDefs(const TFieldDefs& AValue);
    int FieldIndex(const QString& AFieldName) const;

    // Opens the file; a missing, damaged or locked file leaves it closed.
    // Whether the file is one of ours is decided on a read-only connection,
    // so a foreign or damaged file is never written to.
    TOpenResult Open();
    // Open only reads the file, even where it could write it.
    void SetReadOnly(bool AValue) { FOnlyRead = AValue; }
    // Lets a table opened only for reading write, where the file and its
    // folder allow it; on failure it goes on reading.
    TOpenResult StartWriting();
    // StartWriting found the file locked by another writer: it reads on
    // and tries again at the next StartWriting.
    bool WaitsToWrite() const { return FWaitsToWrite; }
    // Writes a new file with the field list (an existing file is replaced
    // only when the new one is complete) and opens it.
    bool CreateDataSet();
    // An empty table in memory with the field list: readable, never written.
    bool OpenEmptyStandIn();
    // Commits what is pending, folds the write-ahead log back into the file;
    // the file stays in write-ahead logging, so it is a single file once no
    // connection is left.
    void Close();
    bool Active() const { return FActive; }
    bool CanModify() const { return FActive && !FReadOnly; }
    bool InMemory() const { return FInMemory; }
    QString LastError() const { return FLastError; }
    // The reason of a failed write made on the connection directly.
    void SetLastError(const QString& AValue) { FLastError = AValue; }
    // The last write failed only because another copy's write got there
    // first (a name it had just stored): made again on what is stored now,
    // it may well succeed.
    bool LostRace() const { return FLostRace; }
    // How often a write that lost a race is made again before the user hears.
    static constexpr int RaceRetries = 3;

    // Traversal in ID (insertion) order; with Filtered only accepted records.
    void SetFilter(TTableFilter AFilter) { FFilter = std::move(AFilter); }
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool AValue) { FFiltered = AValue; }
    bool First();
    bool Next();
    bool Eof() const;
    // The last unfiltered walk ended early at rows it could not read.
    bool WalkBroken() const { return FWalkBroken; }
    int RecordCount();
    // Every row of the file whatever the filter; -1 when it cannot be counted.
    qint64 TotalRowCount();
    // The rows where one of AIDFields (the auto-increment one: the rowid)
    // does not hold a usable ID; -1 when the file cannot be read to the end.
    qint64 UnusableRowCount(const QStringList& AIDFields);
    // The query that counts them; empty when there is nothing to count.
    QString UnusableRowsQuery(const QStringList& AIDFields) const;
    // Visit only accepted records, while the filter is off.
    bool FindFirst();
    bool FindNext();
    bool Locate(const QString& AFieldName, const QVariant& AValue);

    // The current record's value; null when there is none or no such field,
    // and for a whole number that an int cannot hold.
    QVariant FieldValue(const QString& AFieldName) const;
    bool HasCurrent() const;

    void Append();
    // Append, the new record taking AID instead of the next ID (an ID given
    // out once: the counter never gives it again).
    void AppendWithID(qint64 AID);
    // While set, a register record stored with an ID its file lacks goes in
    // under that ID: a deleted entry restored.
    void SetRestoring(bool AValue) { FRestoring = AValue; }
    bool Restoring() const { return FRestoring; }
    bool Edit();
    // False for an unknown or read-only field or while not editing.
    bool SetFieldValue(const QString& AFieldName, const QVariant& AValue);
    // Writes the record inside the pending transaction.
    bool Post();
    // Writes rows as they are, many to a statement (a whole table copied in):
    // each row's values in field order, the auto-increment field's one (above
    // 0) its ID; without such a field each row takes the next ID. Inside the
    // pending write; the cursor is left empty.
    bool AppendRows(const std::vector<QList<QVariant>>& ARows);
    // Opens the pending write transaction (if none is open yet), for writes
    // made on the connection directly.
    bool Begin();
    void Cancel();
    // Deletes the current record; the cursor moves to the next one.
    bool Delete();
    // Commits the pending changes durably; false leaves them rolled back.
    bool Save();
    // Drops the pending changes.
    void CancelUpdates();
    bool InTransaction() const { return FInTransaction; }
    // The last ID given out by the auto-increment counter (0 when none).
    qint64 AutoIncValue();
    // Moves the counter on to AValue unless it is past it (rows copied in
    // with their IDs); inside the pending write.
    bool RaiseAutoIncValue(qint64 AValue);

    // The connection, for the file-level operations of this folder.
    QSqlDatabase Database() const;
    // A statement on the connection prepared once and kept until it closes,
    // for a read or write that is repeated many times; reset, and none when
    // it cannot be prepared. Not for a walk that may nest in another.
    sqlite3_stmt* KeptStatement(const QByteArray& ASql) const;
    // True once after another connection (another copy of the program)
    // committed to the file since the last look or since it was opened.
    bool ChangedElsewhere();
    // How many commits of other connections a server told of; -1 for a file.
    qint64 HeardChanges() const;
    // The file at the table's name is no longer the one open (renamed over
    // or removed by another program): writes would reach no file there.
    bool FileReplaced() const;
    // How long a write waits for another connection's write to end, for
    // connections made from now on.
    static void SetBusyTimeoutMs(int AValue);
    static int BusyTimeoutMs();

    static QString DataTableName() { return QStringLiteral("Data"); }
    static QString FieldsTableName() { return QStringLiteral("Fields"); }
    static QString QuoteName(const QString& AName) { return SqlQuotedName(AName); }
    static QString SqlType(TFieldType AType) { return SqlFieldType(AType); }
    static QVariant StoredValue(const TFieldDef& ADef, const QVariant& AValue)
    {
        return StoredFieldValue(ADef, AValue);
    }
    static QString StoredText(const TFieldDef& ADef, const QString& AText) { return StoredFieldText(ADef, AText); }

private:
    struct TRow {
        qint64 RowId = 0;
        QList<QVariant> Values;
    };
    // Statements made on the connection go before it closes or is replaced.
    void ForgetStatements();
    // The fields a write sets, the key too when AWithKey, and their columns
    // when AColumns is given.
    void WrittenFields(bool AWithKey, QStringList* AColumns, QList<int>& AIndexes) const;
    // Takes a write's failure; false for the caller to return.
    bool WriteFailed(const QSqlError& AError);
    bool RunFilter(const TTableFilter& AFilter, bool AApply);
    bool FetchChunk();
    QString ColumnList() const;

    QString FName;
    QString FFileName;
    QString FConnInfo;
    std::unique_ptr<TTableBackend> FBackend;
    TFieldDefs FFieldDefs;
    bool FActive = false;
    bool FReadOnly = false;
    bool FOnlyRead = false;
    bool FInMemory = false;
    bool FInTransaction = false;
    bool FWaitsToWrite = false;
    QString FLastError;
    bool FLostRace = false;

    TTableFilter FFilter;
    bool FFiltered = false;

    // The cursor: a snapshot of rows (the whole filtered set, or chunks of an
    // unfiltered walk fetched by ID so a large table is never read at once).
    std::vector<TRow> FRows;
    size_t FPos = 0;
    bool FChunked = false;
    bool FMoreChunks = false;
    bool FWalkBroken = false;
    qint64 FChunkAfter = 0;

    enum TState { tsBrowse, tsInsert, tsEdit };
    TState FState = tsBrowse;
    QList<QVariant> FBuffer;
    qint64 FAppendID = 0;
    bool FRestoring = false;
    // The insert statement, prepared once per connection: a template adds
    // hundreds of rows in a row.
    std::unique_ptr<QSqlQuery> FInsertQuery;
    // AppendRows' statement for its last number of rows (a full batch).
    std::unique_ptr<QSqlQuery> FRowsQuery;
    size_t FRowsQueryRows = 0;
};
