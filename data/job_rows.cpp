#include "data/job_rows.h"

#include "data/pg/pg_job_rows.h"
#include "data/table.h"

#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace {
std::atomic<quint64> GJobsGeneration{1};

qint64 StoredDate(TDate AValue)
{
    return static_cast<qint64>(std::trunc(std::round(AValue * 1e8) / 1e8));
}

sqlite3* Handle(const TTable& ATable)
{
    return ATable.Active() ? SQLiteHandle(ATable.Database()) : nullptr;
}

bool OnServer(const TTable& ATable)
{
    return ATable.Active() && ATable.OnServer();
}

const QString& NoText()
{
    static const QString none;
    return none;
}

// One QString per distinct text and ID, shared by all rows that carry it.
class TTextCache {
public:
    const QString& Text(int AKey, sqlite3_stmt* AStatement, int AColumn)
    {
        const auto* text = sqlite3_column_text(AStatement, AColumn);
        const int bytes = sqlite3_column_bytes(AStatement, AColumn);
        if (!text || bytes <= 0)
            return NoText();
        TEntry& entry = Entry(AKey);
        if (entry.Bytes.size() != bytes || std::memcmp(entry.Bytes.constData(), text, size_t(bytes)) != 0) {
            entry.Bytes = QByteArray(reinterpret_cast<const char*>(text), bytes);
            entry.Text = QString::fromUtf8(entry.Bytes);
        }
        return entry.Text;
    }

private:
    struct TEntry {
        QByteArray Bytes;
        QString Text;
    };
    // Register IDs are small: a plain table for them, a map for the rest.
    TEntry& Entry(int AKey)
    {
        if (AKey >= 0 && AKey < 4096) {
            if (static_cast<size_t>(AKey) >= FSmall.size())
                FSmall.resize(static_cast<size_t>(AKey) + 1);
            return FSmall[static_cast<size_t>(AKey)];
        }
        return FOthers[AKey];
    }

    std::vector<TEntry> FSmall;
    std::unordered_map<int, TEntry> FOthers;
};
} // namespace

struct TJobTexts::TState {
    TTextCache PersonNames;
    TTextCache Shortcuts;
    TTextCache WorkplaceNames;
};

TJobTexts::TJobTexts() : FState(std::make_unique<TState>()) {}

TJobTexts::~TJobTexts() = default;

struct TJobRowReader::TState {
    // Held for the whole walk: every column call takes the connection's
    // (recursive) mutex, which then costs a counter instead of a lock.
    sqlite3_mutex* Mutex = nullptr;
    sqlite3_stmt* Statement = nullptr;
    // The texts of one row by its ID, for a walk that gives the texts of
    // some rows only.
    sqlite3_stmt* Lookup = nullptr;
    int TextsOfPerson = 0;
    int TextsOfWorkplace = 0;
    // Where the current row's texts are: the statement and its first text
    // column; none for a row without texts.
    sqlite3_stmt* Texts = nullptr;
    int TextsColumn = 0;
    // The names and the note among the texts; -1 when not selected.
    int Names = -1;
    int Note = -1;
    std::unique_ptr<TJobTexts> OwnCache;
    TJobTexts::TState* Cache = nullptr;
    // On a server: the rows of one query, walked here; the texts of the
    // current one when it gives them.
    bool Served = false;
    std::vector<TJobRow> Rows;
    size_t Next = 0;
    bool RowTexts = false;
    bool TextsOfAll = true;
    const TJobRow* Current = nullptr;
};

TJobRowReader::TJobRowReader(const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID,
    int AColumns, const TJobRowTexts& ATextsOf, TJobTexts* ATexts)
    : FState(std::make_unique<TState>())
{
    sqlite3* db = Handle(ATable);
    if (!db && OnServer(ATable)) {
        QString error;
        FState->Served = true;
        FState->RowTexts = (AColumns & jrcAll) != 0;
        FState->TextsOfAll = ATextsOf.All;
        FState->TextsOfPerson = ATextsOf.PersonID;
        FState->TextsOfWorkplace = ATextsOf.WorkplaceID;
        FState->Names = AColumns & jrcNames ? 0 : -1;
        FState->Note = AColumns & jrcNote ? 0 : -1;
        FFailed = !PgReadJobRows(ATable.Database(), StoredDate(AFrom), StoredDate(ATo), APersonID, AWorkplaceID,
            FState->RowTexts, FState->Rows, error);
        return;
    }
    if (!db) {
        FFailed = true;
        return;
    }
    if (!ATexts) {
        FState->OwnCache = std::make_unique<TJobTexts>();
        ATexts = FState->OwnCache.get();
    }
    FState->Cache = &ATexts->State();
    QByteArray texts;
    if (AColumns & jrcNames) {
        texts += ", \"PersonName\", \"WorkplaceShortcut\", \"WorkplaceName\"";
        FState->Names = 0;
    }
    if (AColumns & jrcNote) {
        texts += ", \"Note\"";
        FState->Note = FState->Names < 0 ? 0 : 3;
    }
    // The indexes hold no texts: a walk that gives them for some rows only
    // looks up just those rows.
    const bool someRows = !ATextsOf.All && !texts.isEmpty();
    if (someRows) {
        FState->TextsOfPerson = ATextsOf.PersonID;
        FState->TextsOfWorkplace = ATextsOf.WorkplaceID;
        if (ATextsOf.PersonID > 0 || ATextsOf.WorkplaceID > 0) {
            const QByteArray lookup = "SELECT " + texts.mid(2) + " FROM Data WHERE \"ID\" = ?1";
            if (sqlite3_prepare_v2(db, lookup.constData(), int(lookup.size()), &FState->Lookup, nullptr) != SQLITE_OK)
                FFailed = true;
        }
    }
    // Everyone's days are a range of the date index; one worker's or
    // workplace's a seek to each day on the index that has its ID next to
    // the date, which passes over the others' rows of the day.
    QByteArray sql;
    const QByteArray columns
        = "SELECT \"Date\", \"PersonID\", \"WorkplaceID\", \"ID\"" + (someRows ? QByteArray() : texts);
    if (APersonID > 0 || AWorkplaceID > 0)
        sql = "WITH RECURSIVE Days(Day) AS (SELECT ?1 WHERE ?1 <= ?2 UNION ALL SELECT Day + 1 FROM Days WHERE Day < "
              "?2) "
              + columns + " FROM Data WHERE \"Date\" IN Days";
    else
        sql = columns + " FROM Data WHERE \"Date\" >= ?1 AND \"Date\" <= ?2";
    if (APersonID > 0)
        sql += " AND \"PersonID\" = ?3";
    if (AWorkplaceID > 0)
        sql += " AND \"WorkplaceID\" = ?4";
    if (FFailed || sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &FState->Statement, nullptr) != SQLITE_OK) {
        Finish();
        FFailed = true;
        return;
    }
    FState->Mutex = sqlite3_db_mutex(db);
    sqlite3_mutex_enter(FState->Mutex);
    sqlite3_stmt* statement = FState->Statement;
    sqlite3_bind_int64(statement, 1, StoredDate(AFrom));
    sqlite3_bind_int64(statement, 2, StoredDate(ATo));
    if (APersonID > 0)
        sqlite3_bind_int64(statement, 3, APersonID);
    if (AWorkplaceID > 0)
        sqlite3_bind_int64(statement, 4, AWorkplaceID);
    if (!someRows && !texts.isEmpty())
        FState->Texts = statement;
    FState->TextsColumn = 4;
}

TJobRowReader::~TJobRowReader()
{
    Finish();
}

void TJobRowReader::Finish()
{
    FState->Texts = nullptr;
    sqlite3_finalize(FState->Statement);
    FState->Statement = nullptr;
    sqlite3_finalize(FState->Lookup);
    FState->Lookup = nullptr;
    if (FState->Mutex)
        sqlite3_mutex_leave(FState->Mutex);
    FState->Mutex = nullptr;
}

bool TJobRowReader::Next()
{
    if (FState->Served) {
        FState->Current = nullptr;
        while (FState->Next < FState->Rows.size()) {
            const TJobRow& row = FState->Rows[FState->Next++];
            if (!IsUsableID(row.PersonID) || !IsUsableID(row.WorkplaceID))
                continue;
            FDate = row.Date;
            FPersonID = row.PersonID;
            FWorkplaceID = row.WorkplaceID;
            FID = row.ID;
            FState->Current = &row;
            return true;
        }
        return false;
    }
    sqlite3_stmt* statement = FState->Statement;
    if (!statement)
        return false;
    for (;;) {
        const int step = sqlite3_step(statement);
        if (step != SQLITE_ROW) {
            FFailed = step != SQLITE_DONE;
            Finish();
            return false;
        }
        const qint64 person = sqlite3_column_int64(statement, 1);
        const qint64 workplace = sqlite3_column_int64(statement, 2);
        // Rows that name no possible register entry are passed over (a null
        // or a text reads as 0); the jobs manager told the user of them when
        // it opened the file.
        if (!IsUsableID(person) || !IsUsableID(workplace))
            continue;
        FDate = static_cast<TDate>(sqlite3_column_int64(statement, 0));
        FPersonID = static_cast<int>(person);
        FWorkplaceID = static_cast<int>(workplace);
        FID = static_cast<int>(sqlite3_column_int64(statement, 3));
        sqlite3_stmt* lookup = FState->Lookup;
        if (lookup) {
            FState->Texts = nullptr;
            if (FPersonID != FState->TextsOfPerson && FWorkplaceID != FState->TextsOfWorkplace)
                return true;
            sqlite3_reset(lookup);
            sqlite3_bind_int64(lookup, 1, sqlite3_column_int64(statement, 3));
            const int found = sqlite3_step(lookup);
            if (found == SQLITE_ROW) {
                FState->Texts = lookup;
                FState->TextsColumn = 0;
            } else if (found != SQLITE_DONE) {
                FFailed = true;
                Finish();
                return false;
            }
        }
        return true;
    }
}

bool TJobRowReader::HasTexts() const
{
    if (FState->Served)
        return FState->Current && FState->RowTexts
               && (FState->TextsOfAll || FPersonID == FState->TextsOfPerson
                   || FWorkplaceID == FState->TextsOfWorkplace);
    return FState->Texts != nullptr;
}

const QString& TJobRowReader::PersonName() const
{
    if (FState->Served)
        return HasTexts() && FState->Names >= 0 ? FState->Current->PersonName : NoText();
    if (!FState->Texts || FState->Names < 0)
        return NoText();
    return FState->Cache->PersonNames.Text(FPersonID, FState->Texts, FState->TextsColumn + FState->Names);
}

const QString& TJobRowReader::WorkplaceShortcut() const
{
    if (FState->Served)
        return HasTexts() && FState->Names >= 0 ? FState->Current->WorkplaceShortcut : NoText();
    if (!FState->Texts || FState->Names < 0)
        return NoText();
    return FState->Cache->Shortcuts.Text(FWorkplaceID, FState->Texts, FState->TextsColumn + FState->Names + 1);
}

const QString& TJobRowReader::WorkplaceName() const
{
    if (FState->Served)
        return HasTexts() && FState->Names >= 0 ? FState->Current->WorkplaceName : NoText();
    if (!FState->Texts || FState->Names < 0)
        return NoText();
    return FState->Cache->WorkplaceNames.Text(FWorkplaceID, FState->Texts, FState->TextsColumn + FState->Names + 2);
}

QString TJobRowReader::Note() const
{
    if (FState->Served)
        return HasTexts() && FState->Note >= 0 ? FState->Current->Note : QString();
    if (!FState->Texts || FState->Note < 0)
        return QString();
    const int column = FState->TextsColumn + FState->Note;
    const auto* text = sqlite3_column_text(FState->Texts, column);
    const int bytes = sqlite3_column_bytes(FState->Texts, column);
    return text && bytes > 0 ? QString::fromUtf8(reinterpret_cast<const char*>(text), bytes) : QString();
}

bool ReadJobRows(const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID,
    std::vector<TJobRow>& ARows, TJobTexts* ATexts)
{
    ARows.clear();
    TJobRowReader reader(ATable, AFrom, ATo, APersonID, AWorkplaceID, jrcAll, {}, ATexts);
    while (reader.Next())
        ARows.push_back({reader.Date(), reader.ID(), reader.PersonID(), reader.WorkplaceID(), reader.PersonName(),
            reader.WorkplaceShortcut(), reader.WorkplaceName(), reader.Note()});
    if (reader.Failed()) {
        ARows.clear();
        return false;
    }
    // The index gives date order; callers see the rows in ID order.
    auto byID = [](const TJobRow& A, const TJobRow& B) { return A.ID < B.ID; };
    if (!std::is_sorted(ARows.begin(), ARows.end(), byID))
        std::sort(ARows.begin(), ARows.end(), byID);
    return true;
}

namespace {
// Runs one statement on a relation: ?1 its date, ?2 the worker, ?3 the
// workplace. SQLite's result of the first step, or SQLITE_ERROR.
int RunOnRelation(const TTable& ATable, const QByteArray& ASql, TDate ADate, int APersonID, int AWorkplaceID)
{
    sqlite3_stmt* statement = ATable.KeptStatement(ASql);
    if (!statement)
        return SQLITE_ERROR;
    sqlite3_bind_int64(statement, 1, StoredDate(ADate));
    sqlite3_bind_int64(statement, 2, APersonID);
    sqlite3_bind_int64(statement, 3, AWorkplaceID);
    const int result = sqlite3_step(statement);
    sqlite3_reset(statement);
    return result;
}
} // namespace

int JobRowExists(const TTable& ATable, TDate ADate, int APersonID, int AWorkplaceID)
{
    if (OnServer(ATable))
        return PgJobRowExists(ATable.Database(), StoredDate(ADate), APersonID, AWorkplaceID);
    if (!Handle(ATable))
        return -1;
    const int result = RunOnRelation(ATable,
        "SELECT 1 FROM Data WHERE \"Date\" = ?1 AND \"PersonID\" = ?2 AND \"WorkplaceID\" = ?3 LIMIT 1", ADate,
        APersonID, AWorkplaceID);
    return result == SQLITE_ROW ? 1 : (result == SQLITE_DONE ? 0 : -1);
}

int DeleteJobRows(const TTable& ATable, TDate ADate, int APersonID, int AWorkplaceID, QString& AError)
{
    if (OnServer(ATable) && ATable.InTransaction())
        return PgDeleteJobRows(ATable.Database(), StoredDate(ADate), APersonID, AWorkplaceID, AError);
    sqlite3* db = Handle(ATable);
    if (!db || !ATable.InTransaction()) {
        AError = QStringLiteral("No write is open on the jobs file.");
        return -1;
    }
    sqlite3_mutex* mutex = sqlite3_db_mutex(db);
    sqlite3_mutex_enter(mutex);
    const int result
        = RunOnRelation(ATable, "DELETE FROM Data WHERE \"Date\" = ?1 AND \"PersonID\" = ?2 AND \"WorkplaceID\" = ?3",
            ADate, APersonID, AWorkplaceID);
    const int deleted = result == SQLITE_DONE ? sqlite3_changes(db) : -1;
    if (deleted < 0)
        AError = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_mutex_leave(mutex);
    return deleted;
}

bool AppendJobRows(const TTable& ATable, std::vector<TJobRow>& ARows, QString& AError)
{
    if (OnServer(ATable) && ATable.InTransaction())
        return PgAppendJobRows(ATable.Database(), ARows, AError);
    sqlite3* db = Handle(ATable);
    if (!db) {
        AError = QStringLiteral("The jobs file is not open.");
        return false;
    }
    if (!ATable.InTransaction()) {
        AError = QStringLiteral("No write is open on the jobs file.");
        return false;
    }
    // Many rows to a statement: each statement of a table with an
    // auto-increment counter also writes the counter.
    constexpr size_t RowsPerStatement = 16;
    auto prepare = [db](size_t ARows) {
        QByteArray sql("INSERT INTO Data (\"Date\", \"PersonID\", \"PersonName\", \"WorkplaceID\", "
                       "\"WorkplaceShortcut\", \"WorkplaceName\", \"Note\") VALUES ");
        for (size_t i = 0; i < ARows; ++i)
            sql += i ? ", (?, ?, ?, ?, ?, ?, ?)" : "(?, ?, ?, ?, ?, ?, ?)";
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement);
            statement = nullptr;
        }
        return statement;
    };
    sqlite3_mutex* mutex = sqlite3_db_mutex(db);
    sqlite3_mutex_enter(mutex);
    sqlite3_stmt* statement = nullptr;
    size_t statementRows = 0;
    // The texts of one statement, alive until it has run.
    std::vector<QByteArray> texts;
    texts.reserve(RowsPerStatement * 4);
    bool ok = true;
    for (size_t first = 0; ok && first < ARows.size(); first += RowsPerStatement) {
        const size_t rows = std::min(RowsPerStatement, ARows.size() - first);
        if (rows != statementRows) {
            sqlite3_finalize(statement);
            statement = prepare(rows);
            statementRows = rows;
            ok = statement != nullptr;
        }
        texts.clear();
        int parameter = 0;
        auto bindText = [&](const QString& AText) {
            if (AText.isNull())
                return sqlite3_bind_null(statement, ++parameter) == SQLITE_OK;
            texts.push_back(AText.toUtf8());
            return sqlite3_bind_text(
                       statement, ++parameter, texts.back().constData(), int(texts.back().size()), SQLITE_STATIC)
                   == SQLITE_OK;
        };
        auto bindInt = [&](qint64 AValue) { return sqlite3_bind_int64(statement, ++parameter, AValue) == SQLITE_OK; };
        for (size_t i = first; ok && i < first + rows; ++i) {
            const TJobRow& row = ARows[i];
            ok = bindInt(StoredDate(row.Date)) && bindInt(row.PersonID) && bindText(row.PersonName)
                 && bindInt(row.WorkplaceID) && bindText(row.WorkplaceShortcut) && bindText(row.WorkplaceName)
                 && bindText(row.Note);
        }
        ok = ok && sqlite3_step(statement) == SQLITE_DONE;
        if (!ok)
            AError = QString::fromUtf8(sqlite3_errmsg(db));
        if (statement) {
            sqlite3_reset(statement);
            sqlite3_clear_bindings(statement);
        }
    }
    sqlite3_finalize(statement);
    sqlite3_mutex_leave(mutex);
    return ok;
}

TDate LatestJobDate(const TTable& ATable, TDate ANotAfter)
{
    if (OnServer(ATable))
        return PgLatestJobDate(ATable.Database(), StoredDate(ANotAfter));
    sqlite3* db = Handle(ATable);
    if (!db)
        return -1;
    static const char sql[] = "SELECT MAX(\"Date\") FROM Data WHERE \"Date\" <= ?1";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, int(sizeof sql - 1), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return -1;
    }
    sqlite3_bind_int64(statement, 1, StoredDate(ANotAfter));
    TDate result = -1;
    if (sqlite3_step(statement) == SQLITE_ROW)
        result = sqlite3_column_type(statement, 0) == SQLITE_NULL
                     ? 0
                     : static_cast<TDate>(sqlite3_column_int64(statement, 0));
    sqlite3_finalize(statement);
    return result;
}

TJobsFileState JobsFileState(const TTable& ATable)
{
    // On a server the commits of others as heard; this connection's own
    // changes are counted by the jobs' generation.
    if (OnServer(ATable))
        return {ATable.HeardChanges(), 0};
    sqlite3* db = Handle(ATable);
    if (!db)
        return {};
    // Asked at every refresh: prepared once for the connection.
    sqlite3_stmt* statement = ATable.KeptStatement("PRAGMA data_version");
    TJobsFileState state;
    if (statement && sqlite3_step(statement) == SQLITE_ROW) {
        state.Version = sqlite3_column_int64(statement, 0);
        state.Changes = sqlite3_total_changes64(db);
    }
    if (statement)
        sqlite3_reset(statement);
    return state;
}

quint64 JobsGeneration()
{
    return GJobsGeneration.load();
}

void NoteJobsChanged()
{
    ++GJobsGeneration;
}
