#include "data/table.h"

#include "data/file_table_backend.h"
#include "data/pg/server_table_backend.h"
#include "data/table_schema.h"

#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace {
constexpr int ChunkSize = 256;
// Rows written by one statement of AppendRows: enough that a server's round
// trip and its statement-level trigger are spread over many rows.
constexpr size_t RowsPerInsert = 500;
} // namespace

TTable::TTable(QString AName) : FName(std::move(AName)), FBackend(std::make_unique<TFileTableBackend>(QString())) {}

TTable::~TTable()
{
    Close();
}

void TTable::SetFileName(const QString& AValue)
{
    if (AValue == FFileName)
        return;
    Close();
    FFileName = AValue;
    FBackend = std::make_unique<TFileTableBackend>(AValue);
    FConnInfo.clear();
}

void TTable::SetServerTable(const QString& AConnInfo, const QString& AFileName)
{
    if (FBackend->OnServer() && AConnInfo == FConnInfo && AFileName == FFileName)
        return;
    Close();
    FFileName = AFileName;
    FConnInfo = AConnInfo;
    FBackend = std::make_unique<TServerTableBackend>(AConnInfo, AFileName);
}

bool TTable::OnServer() const
{
    return FBackend->OnServer();
}

QString TTable::SqlTable() const
{
    return FBackend->DataTable();
}

QString TTable::SqlColumn(const QString& AFieldName) const
{
    return FBackend->Column(AFieldName);
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
    return FBackend->Database();
}

sqlite3_stmt* TTable::KeptStatement(const QByteArray& ASql) const
{
    return FBackend->KeptStatement(ASql);
}

void TTable::SetBusyTimeoutMs(int AValue)
{
    TFileTableBackend::SetBusyTimeoutMs(AValue);
}

int TTable::BusyTimeoutMs()
{
    return TFileTableBackend::BusyTimeoutMs();
}

bool TTable::ChangedElsewhere()
{
    if (!FActive || FInMemory)
        return false;
    // A copy that only reads follows the others again once the server is
    // back, without waiting for a write of its own.
    if (!FInTransaction)
        FBackend->Revive([this] { ForgetStatements(); });
    return FBackend->ChangedElsewhere();
}

qint64 TTable::HeardChanges() const
{
    return FActive && !FInMemory ? FBackend->HeardChanges() : -1;
}

bool TTable::FileReplaced() const
{
    return FActive && !FInMemory && FBackend->Replaced();
}

void TTable::SetFieldDefs(const TFieldDefs& AValue)
{
    FFieldDefs = AValue;
    FInsertQuery.reset();
    FRowsQuery.reset();
}

void TTable::ForgetStatements()
{
    FInsertQuery.reset();
    FRowsQuery.reset();
}

QString TTable::ColumnList() const
{
    QStringList columns;
    for (const TFieldDef& def : FFieldDefs)
        columns << FBackend->Column(def.Name);
    return columns.join(QStringLiteral(", "));
}

TOpenResult TTable::Open()
{
    if (FActive)
        return orOpened;
    const TFieldDefs given = FFieldDefs;
    FLastError.clear();
    ForgetStatements();
    const TOpenResult read = FBackend->OpenForReading(FFieldDefs, FLastError);
    if (read != orOpened) {
        FFieldDefs = given;
        return read;
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

TOpenResult TTable::StartWriting()
{
    if (!FActive)
        return orMissing;
    if (FInMemory || !FReadOnly)
        return orOpened;
    if (!FBackend->MayWrite())
        return orOpened;
    ForgetStatements();
    bool writable = false;
    bool busy = false;
    const TOpenResult result = FBackend->StartWriting(FFieldDefs, FWaitsToWrite, writable, busy, FLastError);
    FReadOnly = !writable;
    FWaitsToWrite = result != orOpened && busy;
    return result;
}

bool TTable::CreateDataSet()
{
    Close();
    if (!FBackend->Create(FFieldDefs))
        return false;
    return Open() == orOpened;
}

bool TTable::OpenEmptyStandIn()
{
    Close();
    if (!FBackend->OpenStandIn(FFieldDefs))
        return false;
    FActive = true;
    FReadOnly = true;
    FInMemory = true;
    FRows.clear();
    FPos = 0;
    return true;
}

void TTable::Close()
{
    const bool wrote = FActive && !FReadOnly && !FInMemory;
    if (FActive && FInTransaction)
        Save();
    ForgetStatements();
    FBackend->Close(wrote);
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
        where << FBackend->Column(FFieldDefs[index].Name) + QLatin1Char(' ') + QLatin1String(Ops[condition.Op])
                     + QStringLiteral(" ?");
    }
    QString sql = QStringLiteral("SELECT %1, %2 FROM %3").arg(FBackend->RowKey(), ColumnList(), FBackend->DataTable());
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
    const QString key = FBackend->RowKey();
    query.prepare(QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 > ? ORDER BY %1 LIMIT %4")
                      .arg(key, ColumnList(), FBackend->DataTable())
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
    if (!query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(FBackend->DataTable())) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

QString TTable::UnusableRowsQuery(const QStringList& AIDFields) const
{
    QStringList columns;
    for (const QString& field : AIDFields) {
        const int index = FBackend->KeepsUnusableRows() ? FieldIndex(field) : -1;
        if (index >= 0)
            columns << (FFieldDefs[index].DataType == ftAutoInc ? FBackend->RowKey()
                                                                : FBackend->Column(FFieldDefs[index].Name));
    }
    if (columns.isEmpty())
        return QString();
    return QStringLiteral("SELECT count(*) FROM %1 WHERE ").arg(FBackend->DataTable()) + UnusableIDCondition(columns);
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
    FLostRace = false;
    bool begun = FBackend->Begin(FLastError);
    // A connection made anew: what was prepared on the old one goes first.
    if (!begun && FBackend->Reconnected()) {
        ForgetStatements();
        begun = FBackend->Begin(FLastError);
    }
    if (!begun)
        return false;
    FInTransaction = true;
    return true;
}

void TTable::WrittenFields(bool AWithKey, QStringList* AColumns, QList<int>& AIndexes) const
{
    for (int i = 0; i < FFieldDefs.size(); ++i) {
        const bool key = FFieldDefs[i].DataType == ftAutoInc;
        if ((key && !AWithKey) || FFieldDefs[i].DataType == ftUnknown)
            continue;
        if (AColumns)
            *AColumns << (key ? FBackend->RowKey() : FBackend->Column(FFieldDefs[i].Name));
        AIndexes << i;
    }
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
    WrittenFields(false, state == tsEdit || !FInsertQuery ? &columns : nullptr, indexes);
    std::optional<QSqlQuery> edit;
    const qint64 appendID = std::exchange(FAppendID, 0);
    if (state == tsInsert && appendID > 0) {
        // Rare (a restore): its own statement, the prepared one stays as it is.
        QStringList names{FBackend->RowKey()}, marks{QStringLiteral("?")};
        for (const int i : indexes) {
            names << FBackend->Column(FFieldDefs[i].Name);
            marks << QStringLiteral("?");
        }
        edit.emplace(Database());
        if (!edit->prepare(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(FBackend->DataTable(), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))
                + FBackend->InsertReturning())) {
            return WriteFailed(edit->lastError());
        }
        edit->addBindValue(appendID);
        for (const int i : indexes)
            edit->addBindValue(FBuffer[i]);
    } else if (state == tsInsert && !FInsertQuery) {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        FInsertQuery = std::make_unique<QSqlQuery>(Database());
        if (!FInsertQuery->prepare(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(FBackend->DataTable(), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))
                + FBackend->InsertReturning())) {
            const QSqlError error = FInsertQuery->lastError();
            FInsertQuery.reset();
            return WriteFailed(error);
        }
    } else if (state == tsEdit) {
        QStringList sets;
        for (const QString& column : columns)
            sets << column + QStringLiteral(" = ?");
        edit.emplace(Database());
        edit->prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                          .arg(FBackend->DataTable(), sets.join(QStringLiteral(", ")), FBackend->RowKey()));
    }
    const bool ownInsert = state == tsInsert && appendID > 0;
    QSqlQuery& query = state == tsInsert && !ownInsert ? *FInsertQuery : *edit;
    for (int k = 0; !ownInsert && k < indexes.size(); ++k)
        query.bindValue(k, FBuffer[indexes[k]]);
    if (state == tsEdit)
        query.bindValue(int(indexes.size()), FRows[FPos].RowId);
    if (!query.exec())
        return WriteFailed(query.lastError());
    if (state == tsInsert) {
        TRow row;
        row.RowId = FBackend->InsertedKey(query);
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

bool TTable::WriteFailed(const QSqlError& AError)
{
    FLastError = AError.text();
    FLostRace = FBackend->LostRace(AError);
    return false;
}

bool TTable::AppendRows(const std::vector<QList<QVariant>>& ARows)
{
    FState = tsBrowse;
    FRows.clear();
    FPos = 0;
    FChunked = false;
    FMoreChunks = false;
    if (ARows.empty())
        return true;
    if (!CanModify() || !Begin())
        return false;
    QStringList columns;
    QList<int> indexes;
    WrittenFields(true, &columns, indexes);
    const size_t perStatement = std::max<size_t>(
        1, std::min<size_t>(RowsPerInsert, FBackend->MaxBoundValues() / std::max<int>(1, indexes.size())));
    QStringList marks;
    for (int i = 0; i < indexes.size(); ++i)
        marks << QStringLiteral("?");
    const QString rowMarks = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    for (size_t start = 0; start < ARows.size(); start += perStatement) {
        const size_t count = std::min(perStatement, ARows.size() - start);
        if (!FRowsQuery || FRowsQueryRows != count) {
            QStringList values;
            for (size_t k = 0; k < count; ++k)
                values << rowMarks;
            FRowsQuery = std::make_unique<QSqlQuery>(Database());
            FRowsQueryRows = count;
            if (!FRowsQuery->prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                                         .arg(FBackend->DataTable(), columns.join(QStringLiteral(", ")),
                                             values.join(QStringLiteral(", "))))) {
                const QSqlError error = FRowsQuery->lastError();
                FRowsQuery.reset();
                return WriteFailed(error);
            }
        }
        int bound = 0;
        for (size_t k = start; k < start + count; ++k)
            for (const int i : indexes)
                FRowsQuery->bindValue(bound++, StoredValue(FFieldDefs[i], ARows[k].value(i)));
        if (!FRowsQuery->exec())
            return WriteFailed(FRowsQuery->lastError());
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
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(FBackend->DataTable(), FBackend->RowKey()));
    query.addBindValue(FRows[FPos].RowId);
    if (!query.exec())
        return WriteFailed(query.lastError());
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
    if (!FBackend->Commit(FLastError)) {
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
    return FActive ? FBackend->AutoIncValue() : 0;
}

bool TTable::RaiseAutoIncValue(qint64 AValue)
{
    return CanModify() && Begin() && FBackend->RaiseAutoIncValue(AValue, FLastError);
}
