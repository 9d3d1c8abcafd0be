#include "data/job_rows.h"

#include "data/table.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace {
std::atomic<quint64> GJobsGeneration{1};
// Up to this many days are read by a seek per day.
constexpr qint64 MaxSeekDays = 100;

qint64 StoredDate(TDate AValue)
{
    return static_cast<qint64>(std::trunc(std::round(AValue * 1e8) / 1e8));
}

sqlite3* Handle(const TTable& ATable)
{
    if (!ATable.Active())
        return nullptr;
    const QSqlDatabase db = ATable.Database();
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
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

struct TJobRowReader::TState {
    // Held for the whole walk: every column call takes the connection's
    // (recursive) mutex, which then costs a counter instead of a lock.
    sqlite3_mutex* Mutex = nullptr;
    sqlite3_stmt* Statement = nullptr;
    bool Row = false;
    // The columns of the ID and the first text; -1 when not selected.
    int IDColumn = -1;
    int NamesColumn = -1;
    int NoteColumn = -1;
    TTextCache PersonNames;
    TTextCache Shortcuts;
    TTextCache WorkplaceNames;
};

TJobRowReader::TJobRowReader(const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID,
                             int AColumns)
    : FState(std::make_unique<TState>())
{
    sqlite3* db = Handle(ATable);
    if (!db) {
        FFailed = true;
        return;
    }
    QByteArray sql("SELECT \"Date\", \"PersonID\", \"WorkplaceID\"");
    int column = 3;
    if (AColumns & jrcID) {
        sql += ", \"ID\"";
        FState->IDColumn = column++;
    }
    if (AColumns & jrcNames) {
        sql += ", \"PersonName\", \"WorkplaceShortcut\", \"WorkplaceName\"";
        FState->NamesColumn = column;
        column += 3;
    }
    if (AColumns & jrcNote) {
        sql += ", \"Note\"";
        FState->NoteColumn = column;
    }
    // The index leads with the date: for one worker or workplace over a
    // period, a seek to each day skips the others' rows of that day.
    const qint64 from = StoredDate(AFrom);
    const qint64 to = StoredDate(ATo);
    if ((APersonID > 0 || AWorkplaceID > 0) && from < to && to - from < MaxSeekDays) {
        // "?1 <= ?2" keeps the parameters' numbers; it is always true here.
        sql += " FROM Data WHERE ?1 <= ?2 AND \"Date\" IN (";
        for (qint64 day = from; day <= to; ++day)
            sql += QByteArray::number(day) + (day < to ? "," : ")");
    } else {
        sql += " FROM Data WHERE \"Date\" >= ?1 AND \"Date\" <= ?2";
    }
    if (APersonID > 0)
        sql += " AND \"PersonID\" = ?3";
    if (AWorkplaceID > 0)
        sql += " AND \"WorkplaceID\" = ?4";
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &FState->Statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(FState->Statement);
        FState->Statement = nullptr;
        FFailed = true;
        return;
    }
    FState->Mutex = sqlite3_db_mutex(db);
    sqlite3_mutex_enter(FState->Mutex);
    sqlite3_stmt* statement = FState->Statement;
    sqlite3_bind_int64(statement, 1, from);
    sqlite3_bind_int64(statement, 2, to);
    if (APersonID > 0)
        sqlite3_bind_int64(statement, 3, APersonID);
    if (AWorkplaceID > 0)
        sqlite3_bind_int64(statement, 4, AWorkplaceID);
}

TJobRowReader::~TJobRowReader()
{
    Finish();
}

void TJobRowReader::Finish()
{
    FState->Row = false;
    sqlite3_finalize(FState->Statement);
    FState->Statement = nullptr;
    if (FState->Mutex)
        sqlite3_mutex_leave(FState->Mutex);
    FState->Mutex = nullptr;
}

bool TJobRowReader::Next()
{
    sqlite3_stmt* statement = FState->Statement;
    if (!statement)
        return false;
    const int step = sqlite3_step(statement);
    if (step != SQLITE_ROW) {
        FFailed = step != SQLITE_DONE;
        Finish();
        return false;
    }
    FState->Row = true;
    FDate = static_cast<TDate>(sqlite3_column_int64(statement, 0));
    FPersonID = sqlite3_column_int(statement, 1);
    FWorkplaceID = sqlite3_column_int(statement, 2);
    if (FState->IDColumn >= 0)
        FID = sqlite3_column_int(statement, FState->IDColumn);
    return true;
}

const QString& TJobRowReader::PersonName() const
{
    if (!FState->Row || FState->NamesColumn < 0)
        return NoText();
    return FState->PersonNames.Text(FPersonID, FState->Statement, FState->NamesColumn);
}

const QString& TJobRowReader::WorkplaceShortcut() const
{
    if (!FState->Row || FState->NamesColumn < 0)
        return NoText();
    return FState->Shortcuts.Text(FWorkplaceID, FState->Statement, FState->NamesColumn + 1);
}

const QString& TJobRowReader::WorkplaceName() const
{
    if (!FState->Row || FState->NamesColumn < 0)
        return NoText();
    return FState->WorkplaceNames.Text(FWorkplaceID, FState->Statement, FState->NamesColumn + 2);
}

QString TJobRowReader::Note() const
{
    if (!FState->Row || FState->NoteColumn < 0)
        return QString();
    const auto* text = sqlite3_column_text(FState->Statement, FState->NoteColumn);
    const int bytes = sqlite3_column_bytes(FState->Statement, FState->NoteColumn);
    return text && bytes > 0 ? QString::fromUtf8(reinterpret_cast<const char*>(text), bytes) : QString();
}

bool ReadJobRows(const TTable& ATable, TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID,
                 std::vector<TJobRow>& ARows)
{
    ARows.clear();
    TJobRowReader reader(ATable, AFrom, ATo, APersonID, AWorkplaceID);
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

bool AppendJobRows(const TTable& ATable, const std::vector<TJobRow>& ARows, QString& AError)
{
    sqlite3* db = Handle(ATable);
    if (!db) {
        AError = QStringLiteral("The jobs file is not open.");
        return false;
    }
    if (!ATable.InTransaction()) {
        AError = QStringLiteral("No write is open on the jobs file.");
        return false;
    }
    static const char sql[] = "INSERT INTO Data (\"Date\", \"PersonID\", \"PersonName\", \"WorkplaceID\", "
                              "\"WorkplaceShortcut\", \"WorkplaceName\", \"Note\") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)";
    sqlite3_mutex* mutex = sqlite3_db_mutex(db);
    sqlite3_mutex_enter(mutex);
    sqlite3_stmt* statement = nullptr;
    bool ok = sqlite3_prepare_v2(db, sql, int(sizeof sql - 1), &statement, nullptr) == SQLITE_OK;
    auto bindText = [&](int AIndex, const QString& AText) {
        if (AText.isNull())
            return sqlite3_bind_null(statement, AIndex);
        const QByteArray bytes = AText.toUtf8();
        return sqlite3_bind_text(statement, AIndex, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    };
    for (size_t i = 0; ok && i < ARows.size(); ++i) {
        const TJobRow& row = ARows[i];
        ok = sqlite3_bind_int64(statement, 1, StoredDate(row.Date)) == SQLITE_OK &&
             sqlite3_bind_int64(statement, 2, row.PersonID) == SQLITE_OK && bindText(3, row.PersonName) == SQLITE_OK &&
             sqlite3_bind_int64(statement, 4, row.WorkplaceID) == SQLITE_OK &&
             bindText(5, row.WorkplaceShortcut) == SQLITE_OK && bindText(6, row.WorkplaceName) == SQLITE_OK &&
             bindText(7, row.Note) == SQLITE_OK && sqlite3_step(statement) == SQLITE_DONE;
        sqlite3_reset(statement);
    }
    if (!ok)
        AError = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    sqlite3_mutex_leave(mutex);
    return ok;
}

TDate LatestJobDate(const TTable& ATable, TDate ANotAfter)
{
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

quint64 JobsGeneration()
{
    return GJobsGeneration.load();
}

void NoteJobsChanged()
{
    ++GJobsGeneration;
}
