#include "data/job_man.h"

#include "core/dialogs.h"
#include "data/job_rows.h"
#include "data/person_man.h"
#include "data/pg/pg_job_rows.h"
#include "data/register_ops.h"
#include "data/table_file.h"
#include "data/workplace_man.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {
TJobMan* GJobMan = nullptr;
const QString FileName = QStringLiteral("Jobs.cds");

// A new relation's row, its texts cut to their fields as a single add
// stores them.
TJobRow StoredRow(const TTable& ATable, const TJob& AJob)
{
    auto stored = [&](const QString& AField, const QString& AText) {
        const int index = ATable.FieldIndex(AField);
        return index < 0 ? AText : TTable::StoredText(ATable.FieldDefs()[index], AText);
    };
    TJobRow row = AJob.Row();
    row.PersonName = stored(QStringLiteral("PersonName"), row.PersonName);
    row.WorkplaceShortcut = stored(QStringLiteral("WorkplaceShortcut"), row.WorkplaceShortcut);
    row.WorkplaceName = stored(QStringLiteral("WorkplaceName"), row.WorkplaceName);
    row.Note = QString();
    return row;
}
} // namespace

// --- TJob ---

bool TJob::LoadFromDB(const TTable& ADataSet)
{
    if (!ADataSet.HasCurrent())
        return false;
    auto read = [&](const QString& AName) { return ADataSet.FieldValue(AName); };
    if (const QVariant v = read(QStringLiteral("ID")); !v.isNull())
        FID = v.toInt();
    if (const QVariant v = read(QStringLiteral("Date")); !v.isNull())
        FDate = v.toDouble();
    if (const QVariant v = read(QStringLiteral("PersonID")); !v.isNull())
        FPersonID = v.toInt();
    if (const QVariant v = read(QStringLiteral("PersonName")); !v.isNull())
        FPersonName = v.toString();
    if (const QVariant v = read(QStringLiteral("WorkplaceID")); !v.isNull())
        FWorkplaceID = v.toInt();
    if (const QVariant v = read(QStringLiteral("WorkplaceShortcut")); !v.isNull())
        FWorkplaceShortcut = v.toString();
    if (const QVariant v = read(QStringLiteral("WorkplaceName")); !v.isNull())
        FWorkplaceName = v.toString();
    if (const QVariant v = read(QStringLiteral("Note")); !v.isNull())
        FNote = v.toString();
    // As the direct read: a row that names no register entry is not a job.
    return IsUsableID(FPersonID) && IsUsableID(FWorkplaceID);
}

bool TJob::StoreToDB(TTable& ADataSet)
{
    return RegisterStoreRecord(
        ADataSet, FID,
        [&] {
            bool ok = ADataSet.SetFieldValue(QStringLiteral("Date"), FDate);
            ok = ADataSet.SetFieldValue(QStringLiteral("PersonID"), FPersonID) && ok;
            ok = ADataSet.SetFieldValue(QStringLiteral("PersonName"), FPersonName) && ok;
            ok = ADataSet.SetFieldValue(QStringLiteral("WorkplaceID"), FWorkplaceID) && ok;
            ok = ADataSet.SetFieldValue(QStringLiteral("WorkplaceShortcut"), FWorkplaceShortcut) && ok;
            ok = ADataSet.SetFieldValue(QStringLiteral("WorkplaceName"), FWorkplaceName) && ok;
            return ADataSet.SetFieldValue(QStringLiteral("Note"), FNote) && ok;
        },
        [](bool) {});
}

// --- TJobList ---

TJob* TJobList::Items(int AKey) const
{
    return AKey >= 0 ? TSCTypedList<TJob>::Items(AKey) : ItemWithID(-AKey);
}

// --- TJobMan ---

TFieldDefs TJobMan::FieldDefs()
{
    return {{QStringLiteral("ID"), ftAutoInc, 0}, {QStringLiteral("Date"), ftDate, 0},
        {QStringLiteral("PersonID"), ftInteger, 0}, {QStringLiteral("PersonName"), ftString, 50},
        {QStringLiteral("WorkplaceID"), ftInteger, 0}, {QStringLiteral("WorkplaceShortcut"), ftString, 10},
        {QStringLiteral("WorkplaceName"), ftString, 50}, {QStringLiteral("Note"), ftString, 80}};
}

TJobMan::TJobMan() : FJobs(TSCList::Create<TJobList>())
{
    DSJobsDef.SetFieldDefs(FieldDefs());
    GJobMan = this;
    OpenDBFiles();
}

TJobMan::~TJobMan()
{
    CloseDBFiles();
    if (GJobMan == this)
        GJobMan = nullptr;
}

TJobMan* TJobMan::Instance()
{
    return GJobMan;
}

void TJobMan::DiscardJobs()
{
    FJobs->FreeObjects();
    FAdded.reset();
    FFilterModified = true;
    NoteJobsChanged();
}

void TJobMan::OpenDBFiles()
{
    DSJobs.Close();
    DiscardJobs();
    AttachTable(DSJobs, FileName);
    TDataMan::CheckDBStructure(DSJobs, DSJobsDef);
    MendRepeatedRelations();
    // What is in the file now is what this copy starts from.
    DSJobs.ChangedElsewhere();
    CheckUnusableRows();
}

void TJobMan::CheckUnusableRows()
{
    // A server stores no row without usable IDs.
    if (!DSJobs.Active() || DSJobs.InMemory() || DSJobs.OnServer())
        return;
    // The reads pass such rows over. The file keeps their count once it has
    // been written by this version; a count over the whole file, only for
    // an older or read-only one, would hold up the start.
    const qint64 kept = KeptUnusableRowCount(DSJobs.Database(), DSJobs.FieldDefs());
    if (kept >= 0)
        FUnusableRowsCheck.Tell(DSJobs.FileName(), kept);
    else
        FUnusableRowsCheck.Start(
            DSJobs.FileName(), DSJobs.UnusableRowsQuery({QStringLiteral("PersonID"), QStringLiteral("WorkplaceID")}));
}

void TJobMan::MendRepeatedRelations()
{
    // Looked for once per file: this program never stores a relation twice,
    // so only a file written by two copies of an earlier version can hold one.
    // A server's key never lets one in.
    if (!DSJobs.CanModify() || DSJobs.InMemory() || DSJobs.OnServer())
        return;
    QSqlDatabase db = DSJobs.Database();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()
        || query.value(0).toInt() >= CheckedRelationsVersion)
        return;
    struct TRepeat {
        qint64 Date, PersonID, WorkplaceID, Kept;
    };
    std::vector<TRepeat> repeats;
    qint64 surplus = 0;
    if (!query.exec(QStringLiteral("SELECT Date, PersonID, WorkplaceID, min(ID), count(*) FROM Data "
                                   "GROUP BY Date, PersonID, WorkplaceID HAVING count(*) > 1")))
        return;
    while (query.next()) {
        repeats.push_back({query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toLongLong(),
            query.value(3).toLongLong()});
        surplus += query.value(4).toLongLong() - 1;
    }
    query.finish();
    const QString backup = DSJobs.FileName() + QStringLiteral(".bak");
    if (!repeats.empty() && !WriteBackupCopy(db, backup))
        return;
    bool ok = DSJobs.Begin();
    // The relation kept has the first note any of its copies had.
    QSqlQuery note(db);
    note.prepare(QStringLiteral("UPDATE Data SET Note = (SELECT Note FROM Data WHERE Date = ?1 AND PersonID = ?2 AND "
                                "WorkplaceID = ?3 AND coalesce(Note, '') <> '' ORDER BY ID LIMIT 1) "
                                "WHERE ID = ?4 AND coalesce(Note, '') = ''"));
    QSqlQuery remove(db);
    remove.prepare(
        QStringLiteral("DELETE FROM Data WHERE Date = ?1 AND PersonID = ?2 AND WorkplaceID = ?3 AND ID <> ?4"));
    for (const TRepeat& repeat : repeats) {
        for (QSqlQuery* step : {&note, &remove}) {
            step->bindValue(0, repeat.Date);
            step->bindValue(1, repeat.PersonID);
            step->bindValue(2, repeat.WorkplaceID);
            step->bindValue(3, repeat.Kept);
            ok = ok && step->exec();
        }
    }
    ok = ok && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(CheckedRelationsVersion));
    if (!ok || !DSJobs.Save()) {
        DSJobs.CancelUpdates();
        return;
    }
    DSJobs.ChangedElsewhere();
    if (!repeats.empty())
        ShowMessageBox(QStringLiteral("The data file \"%1\" held %2 relations stored more than once (the same worker "
                                      "at the same workplace on the same day); each is kept once now.\r\nThe file "
                                      "as it was is kept as \"%3\".")
                           .arg(QDir::toNativeSeparators(DSJobs.FileName()))
                           .arg(surplus)
                           .arg(QFileInfo(backup).fileName()),
            mtInformation, mbOK);
}

bool TJobMan::CatchUp()
{
    if (!DSJobs.ChangedElsewhere())
        return false;
    // What was read before another copy's commit may be out of date.
    FFilterModified = true;
    FDays.ForgetEmptyDays();
    FUnannounced = true;
    return true;
}

bool TJobMan::TakeUnannounced()
{
    return std::exchange(FUnannounced, false);
}

void TJobMan::CloseDBFiles()
{
    FUnusableRowsCheck.Stop();
    DSJobs.Close();
    DiscardJobs();
}

void TJobMan::SetDateFrom(TDate AValue)
{
    const TDate value = TruncDate(AValue);
    if (value != FDateFrom) {
        FDateFrom = value;
        FFilterModified = true;
    }
}

void TJobMan::SetDateTo(TDate AValue)
{
    const TDate value = TruncDate(AValue);
    if (value != FDateTo) {
        FDateTo = value;
        FFilterModified = true;
    }
}

void TJobMan::SetPersonID(int AValue)
{
    if (AValue != FPersonID) {
        FPersonID = AValue;
        FFilterModified = true;
    }
}

void TJobMan::SetWorkplaceID(int AValue)
{
    if (AValue != FWorkplaceID) {
        FWorkplaceID = AValue;
        FFilterModified = true;
    }
}

void TJobMan::ApplyFilter()
{
    if (FDateFrom > FDateTo) {
        const TDate from = FDateFrom;
        SetDateFrom(FDateTo);
        SetDateTo(from);
    }
    LoadJobs();
}

void TJobMan::LoadJobs()
{
    FJobs->FreeObjects();
    std::vector<TJobRow> rows;
    const bool ok = ReadRows(FDateFrom, FDateTo, FPersonID, FWorkplaceID, rows);
    for (TJobRow& row : rows) {
        auto job = TSCObject::Create<TJob>();
        job->SetID(row.ID);
        job->SetDate(row.Date);
        job->SetPersonID(row.PersonID);
        job->SetPersonName(row.PersonName);
        job->SetWorkplaceID(row.WorkplaceID);
        job->SetWorkplaceShortcut(row.WorkplaceShortcut);
        job->SetWorkplaceName(row.WorkplaceName);
        job->SetNote(row.Note);
        FJobs->Add(std::move(job));
    }
    FFilterModified = !ok;
}

bool TJobMan::ReadRows(TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID, std::vector<TJobRow>& ARows)
{
    if (ReadJobRows(DSJobs, AFrom, ATo, APersonID, AWorkplaceID, ARows))
        return true;
    // The generic table walk, for a connection the direct read cannot use.
    TTableFilter filter;
    filter.Conditions << TFilterCondition{QStringLiteral("Date"), foGreaterEqual, AFrom}
                      << TFilterCondition{QStringLiteral("Date"), foLessEqual, ATo};
    if (APersonID > 0)
        filter.Conditions << TFilterCondition{QStringLiteral("PersonID"), foEqual, APersonID};
    if (AWorkplaceID > 0)
        filter.Conditions << TFilterCondition{QStringLiteral("WorkplaceID"), foEqual, AWorkplaceID};
    DSJobs.SetFilter(filter);
    DSJobs.SetFiltered(true);
    const bool ok = DSJobs.Active() && DSJobs.First();
    while (ok && !DSJobs.Eof()) {
        TJob job;
        if (job.LoadFromDB(DSJobs))
            ARows.push_back({job.Date(), job.ID(), job.PersonID(), job.WorkplaceID(), job.PersonName(),
                job.WorkplaceShortcut(), job.WorkplaceName(), job.Note()});
        DSJobs.Next();
    }
    DSJobs.SetFiltered(false);
    return ok;
}

const std::vector<TJobRow>& TJobMan::DayRelations(TDate ADate)
{
    FDays.ForgetEmptyDays();
    FDayRows.clear();
    if (ADate <= 0)
        return FDayRows;
    const TDate day = TruncDate(ADate);
    const TJobsFileState state = JobsFileState(DSJobs);
    if (const std::vector<TJobRow>* kept = FDays.Rows(day, state))
        return *kept;
    FDays.Forget();
    if (ReadJobRows(DSJobs, day, day, 0, 0, FDayRows, &FTexts))
        return state.IsValid() ? FDays.Keep(day, state, std::move(FDayRows)) : FDayRows;
    ReadRows(day, day, 0, 0, FDayRows);
    return FDayRows;
}

bool TJobMan::PeriodRelations(TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID, const TJobRowTexts& ATexts,
    const std::function<void(TJobRow&)>& ARow)
{
    const TDate from = TruncDate(std::min(AFrom, ATo));
    const TDate to = TruncDate(std::max(AFrom, ATo));
    TJobRowReader rows(DSJobs, from, to, APersonID, AWorkplaceID, jrcAll, ATexts, &FTexts);
    TJobRow row;
    bool handed = false;
    while (rows.Next()) {
        row.Date = rows.Date();
        row.ID = rows.ID();
        row.PersonID = rows.PersonID();
        row.WorkplaceID = rows.WorkplaceID();
        // Shared with the texts kept: no allocation for a row.
        if (rows.HasTexts()) {
            row.PersonName = rows.PersonName();
            row.WorkplaceShortcut = rows.WorkplaceShortcut();
            row.WorkplaceName = rows.WorkplaceName();
            row.Note = rows.Note();
        } else if (!row.PersonName.isNull() || !row.WorkplaceShortcut.isNull() || !row.WorkplaceName.isNull()
                   || !row.Note.isNull()) {
            row.PersonName = row.WorkplaceShortcut = row.WorkplaceName = row.Note = QString();
        }
        ARow(row);
        handed = true;
    }
    if (!rows.Failed())
        return true;
    // The generic walk only for a connection the direct read cannot use.
    if (handed)
        return false;
    std::vector<TJobRow> all;
    if (!ReadRows(from, to, APersonID, AWorkplaceID, all))
        return false;
    for (TJobRow& each : all)
        ARow(each);
    return true;
}

bool TJobMan::PeriodDayBits(TDate AFrom, TDate ATo, bool AByWorkplace, std::vector<std::pair<int, quint64>>& ABits)
{
    ABits.clear();
    const TDate from = TruncDate(std::min(AFrom, ATo));
    const TDate to = TruncDate(std::max(AFrom, ATo));
    if (to - from >= 64)
        return false;
    // Register IDs are small: a plain table for them, a map for the rest.
    std::vector<quint64> small;
    std::unordered_map<int, quint64> others;
    auto add = [&](qint64 ADay, qint64 AID) {
        if (!IsUsableID(AID) || ADay < from || ADay > to)
            return;
        const quint64 bit = quint64(1) << (ADay - static_cast<qint64>(from));
        if (AID < 65536) {
            if (static_cast<size_t>(AID) >= small.size())
                small.resize(static_cast<size_t>(AID) + 1);
            small[static_cast<size_t>(AID)] |= bit;
        } else {
            others[static_cast<int>(AID)] |= bit;
        }
    };
    // The index that has the key next to the date gives each day's rows of
    // one key together: only those pairs leave the query. Rows the other ID
    // of which is not usable are passed over, as every read does; a file
    // that counts none has none to look for.
    static const QByteArray byPerson
        = "SELECT DISTINCT \"Date\", \"PersonID\" FROM Data INDEXED BY \"IndexDate\" WHERE "
          "\"Date\" >= ?1 AND \"Date\" <= ?2";
    static const QByteArray byWorkplace = "SELECT DISTINCT \"Date\", \"WorkplaceID\" FROM Data INDEXED BY "
                                          "\"IndexDateWorkplaceID\" WHERE \"Date\" >= ?1 AND \"Date\" <= ?2";
    static const QByteArray personUsable = " AND \"WorkplaceID\" BETWEEN 1 AND 2147483647";
    static const QByteArray workplaceUsable = " AND \"PersonID\" BETWEEN 1 AND 2147483647";
    const bool clean
        = DSJobs.Active() && !DSJobs.OnServer() && KeptUnusableRowCount(DSJobs.Database(), DSJobs.FieldDefs()) == 0;
    const QByteArray sql = AByWorkplace ? byWorkplace + (clean ? QByteArray() : workplaceUsable)
                                        : byPerson + (clean ? QByteArray() : personUsable);
    sqlite3_stmt* statement = DSJobs.Active() && !DSJobs.OnServer() ? DSJobs.KeptStatement(sql) : nullptr;
    bool read = false;
    if (statement) {
        sqlite3_bind_int64(statement, 1, static_cast<qint64>(from));
        sqlite3_bind_int64(statement, 2, static_cast<qint64>(to));
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(statement)) == SQLITE_ROW)
            add(sqlite3_column_int64(statement, 0), sqlite3_column_int64(statement, 1));
        // Reset at once: a statement left stepping would hold the file's read.
        sqlite3_reset(statement);
        read = step == SQLITE_DONE;
        if (!read) {
            small.clear();
            others.clear();
        }
    }
    if (!read && DSJobs.Active() && DSJobs.OnServer())
        return PgReadDayBits(DSJobs.Database(), from, to, AByWorkplace, ABits);
    // Every row's keys, for a file without those indexes or a connection the
    // direct read cannot use.
    if (!read && !PeriodRelations(from, to, 0, 0, TJobRowTexts::Of(0, 0), [&](TJobRow& ARow) {
            add(static_cast<qint64>(ARow.Date), AByWorkplace ? ARow.WorkplaceID : ARow.PersonID);
        }))
        return false;
    for (size_t id = 0; id < small.size(); ++id)
        if (small[id])
            ABits.emplace_back(static_cast<int>(id), small[id]);
    const size_t fromSmall = ABits.size();
    for (const auto& [id, bits] : others)
        ABits.emplace_back(id, bits);
    std::sort(ABits.begin() + static_cast<std::ptrdiff_t>(fromSmall), ABits.end());
    return true;
}

bool TJobMan::DayKnownEmpty(TDate ADate)
{
    return FDays.KnownEmpty(DSJobs, ADate);
}

int TJobMan::JobCount()
{
    if (FFilterModified)
        ApplyFilter();
    return FJobs->Count();
}

std::vector<std::pair<int, int>> TJobMan::JobPairs()
{
    std::vector<std::pair<int, int>> pairs;
    if (FFilterModified && DSJobs.Active()) {
        std::vector<std::pair<int, std::pair<int, int>>> rows;
        TJobRowReader reader(
            DSJobs, std::min(FDateFrom, FDateTo), std::max(FDateFrom, FDateTo), FPersonID, FWorkplaceID, jrcKeysOnly);
        while (reader.Next())
            rows.push_back({reader.ID(), {reader.PersonID(), reader.WorkplaceID()}});
        if (!reader.Failed()) {
            std::sort(rows.begin(), rows.end());
            pairs.reserve(rows.size());
            for (const auto& row : rows)
                pairs.push_back(row.second);
            return pairs;
        }
    }
    // The loaded list, which also has its way for a connection the direct read
    // cannot use.
    for (int i = 0; i < JobCount(); ++i)
        pairs.emplace_back(FJobs->Items(i)->PersonID(), FJobs->Items(i)->WorkplaceID());
    return pairs;
}

TJob* TJobMan::Jobs(int AIndex)
{
    if (FFilterModified)
        ApplyFilter();
    return FJobs->Items(AIndex);
}

bool TJobMan::Store(TJob* AJob)
{
    if (!DSJobs.CanModify())
        return false;
    DSJobs.SetFiltered(false);
    const int formerID = AJob->ID();
    if (AJob->StoreToDB(DSJobs) && SaveNow()) {
        NoteJobsChanged();
        return true;
    }
    Fail();
    AJob->SetID(formerID);
    return false;
}

bool TJobMan::SaveNow()
{
    return FUpdateCount > 0 || DSJobs.Save();
}

void TJobMan::Fail()
{
    DSJobs.CancelUpdates();
    if (FUpdateCount > 0) {
        // The rollback took the earlier changes of the update with it.
        FUpdateFailed = true;
        DiscardJobs();
    }
}

void TJobMan::BeginUpdate()
{
    if (FUpdateCount++ > 0)
        return;
    FUpdateFailed = false;
    FUnusableRowsCheck.Pause();
    // What the update checks (a pair there already) is read under the file's
    // write lock, so another copy cannot add the same pair in between.
    if (DSJobs.CanModify())
        DSJobs.Begin();
    CatchUp();
}

bool TJobMan::EndUpdate()
{
    if (FUpdateCount == 0)
        return false;
    if (--FUpdateCount > 0)
        return !FUpdateFailed;
    const bool saved = !FUpdateFailed && DSJobs.Active() && DSJobs.Save();
    if (!saved) {
        DSJobs.CancelUpdates();
        DiscardJobs();
    }
    FUnusableRowsCheck.Resume();
    return saved;
}

bool TJobMan::InsertJob(TJob* AJob)
{
    if (!AJob || (FJobs->IndexOf(AJob) < 0 && AJob != FAdded.get()))
        return false;
    return Store(AJob);
}

bool TJobMan::InsertJob(std::unique_ptr<TJob>& AJob)
{
    if (!AJob)
        return false;
    if (FJobs->IndexOf(AJob.get()) >= 0)
        return Store(AJob.get());
    if (!Store(AJob.get()))
        return false;
    FJobs->Add(std::move(AJob));
    return true;
}

int TJobMan::StoredRelation(TDate ADate, int APersonID, int AWorkplaceID)
{
    const int stored = JobRowExists(DSJobs, ADate, APersonID, AWorkplaceID);
    if (stored >= 0)
        return stored;
    // The generic walk, for a connection the direct read cannot use.
    std::vector<TJobRow> rows;
    if (!ReadRows(ADate, ADate, APersonID, AWorkplaceID, rows))
        return -1;
    return rows.empty() ? 0 : 1;
}

bool TJobMan::JobExists(TDate ADate, int APersonID, int AWorkplaceID)
{
    const TDate day = TruncDate(ADate);
    return day > 0 && APersonID > 0 && AWorkplaceID > 0 && StoredRelation(day, APersonID, AWorkplaceID) > 0;
}

void TJobMan::RelationChanged(TDate ADate, int APersonID, int AWorkplaceID)
{
    NoteJobsChanged();
    if (ADate >= std::min(FDateFrom, FDateTo) && ADate <= std::max(FDateFrom, FDateTo)
        && (FPersonID <= 0 || FPersonID == APersonID) && (FWorkplaceID <= 0 || FWorkplaceID == AWorkplaceID))
        FFilterModified = true;
}

TJob* TJobMan::AddJob(TDate ADate, TPerson* APerson, TWorkplace* AWorkplace)
{
    if (ADate <= 0 || !APerson || !AWorkplace)
        return nullptr;
    if (FUpdateCount == 0) {
        // The check and the write are one transaction.
        BeginUpdate();
        TJob* added = AddJob(ADate, APerson, AWorkplace);
        return EndUpdate() ? added : nullptr;
    }
    const TDate day = TruncDate(ADate);
    if (!DSJobs.CanModify())
        return nullptr;
    // Asked inside the write that stores it.
    if (!DSJobs.Begin()) {
        Fail();
        return nullptr;
    }
    if (StoredRelation(day, APerson->ID(), AWorkplace->ID()) != 0)
        return nullptr;
    auto job = TSCObject::Create<TJob>();
    job->SetDate(day);
    job->SetPersonID(APerson->ID());
    job->SetPersonName(APerson->Name());
    job->SetWorkplaceID(AWorkplace->ID());
    job->SetWorkplaceName(AWorkplace->Name());
    job->SetWorkplaceShortcut(AWorkplace->Shortcut());
    if (DSJobs.OnServer()) {
        // The server's key decides in the write itself: a relation another
        // copy stored first is there, which is no failure.
        std::vector<TJobRow> rows{StoredRow(DSJobs, *job)};
        QString error;
        if (!AppendJobRows(DSJobs, rows, error)) {
            DSJobs.SetLastError(error);
            Fail();
            return nullptr;
        }
        if (rows.empty())
            return nullptr;
        job->SetID(rows.front().ID);
        NoteJobsChanged();
    } else if (!Store(job.get())) {
        return nullptr;
    }
    RelationChanged(day, job->PersonID(), job->WorkplaceID());
    FAdded = std::move(job);
    return FAdded.get();
}

bool TJobMan::AddJobs(TDate ADate, const std::vector<std::pair<TPerson*, TWorkplace*>>& APairs)
{
    const TDate day = TruncDate(ADate);
    if (day <= 0)
        return false;
    // The day read last may stay current with the rows written.
    const TJobsFileState before = JobsFileState(DSJobs);
    const bool dayKept = FDays.Rows(day, before) != nullptr;
    std::vector<TJobRow> written;
    BeginUpdate();
    // The day's pairs, read under the write lock.
    std::unordered_set<quint64> present;
    auto pair = [](int APerson, int AWorkplace) { return quint64(quint32(APerson)) << 32 | quint32(AWorkplace); };
    TJobRowReader stored(DSJobs, day, day, 0, 0, jrcKeysOnly);
    while (stored.Next())
        present.insert(pair(stored.PersonID(), stored.WorkplaceID()));
    if (stored.Failed()) {
        // The day could not be read: each job asks for its own pair.
        for (const auto& [person, workplace] : APairs)
            if (person && workplace)
                AddJob(day, person, workplace);
    } else {
        std::vector<TJobRow> rows;
        for (const auto& [person, workplace] : APairs) {
            if (!person || !workplace || !present.insert(pair(person->ID(), workplace->ID())).second)
                continue;
            TJob job;
            job.SetDate(day);
            job.SetPersonID(person->ID());
            job.SetPersonName(person->Name());
            job.SetWorkplaceID(workplace->ID());
            job.SetWorkplaceShortcut(workplace->Shortcut());
            job.SetWorkplaceName(workplace->Name());
            rows.push_back(StoredRow(DSJobs, job));
        }
        if (!rows.empty()) {
            QString error;
            if (DSJobs.CanModify() && DSJobs.Begin() && AppendJobRows(DSJobs, rows, error)) {
                for (const TJobRow& row : rows)
                    RelationChanged(day, row.PersonID, row.WorkplaceID);
                written = std::move(rows);
            } else {
                if (!error.isEmpty())
                    DSJobs.SetLastError(error);
                Fail();
            }
        }
    }
    if (!EndUpdate())
        return false;
    if (dayKept)
        FDays.AddWritten(before, JobsFileState(DSJobs), written);
    return true;
}

bool TJobMan::DeleteJob(TDate ADate, int APersonID, int AWorkplaceID, bool* ARemoved)
{
    if (ARemoved)
        *ARemoved = false;
    if (ADate <= 0 || APersonID <= 0 || AWorkplaceID <= 0)
        return false;
    const TDate day = TruncDate(ADate);
    CatchUp();
    // Nothing to delete is no write.
    const int stored = StoredRelation(day, APersonID, AWorkplaceID);
    if (stored <= 0)
        return stored == 0;
    if (!DSJobs.CanModify())
        return false;
    QString error;
    const int deleted = DSJobs.Begin() ? DeleteJobRows(DSJobs, day, APersonID, AWorkplaceID, error) : -1;
    if (deleted < 0 || !SaveNow()) {
        if (!error.isEmpty())
            DSJobs.SetLastError(error);
        Fail();
        return false;
    }
    RelationChanged(day, APersonID, AWorkplaceID);
    if (ARemoved)
        *ARemoved = deleted > 0;
    return true;
}

void TJobMan::DeleteOlderJobs(
    TDate ADateLimit, int AProgressStart, int AProgressEnd, const TDataMaintenanceInfoCallBackProc& APCallBackInfoProc)
{
    const TDate limit = TruncDate(ADateLimit);
    if (limit == 0)
        return;
    TTable table(QStringLiteral("DSJobsPurge"));
    AttachTable(table, FileName);
    if (table.Open() != orOpened || !table.CanModify())
        return;
    if (table.OnServer()) {
        // One statement: the server tells the other copies of it at once.
        bool ok = table.Begin();
        if (ok) {
            QSqlQuery query(table.Database());
            query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 < ?")
                              .arg(table.SqlTable(), table.SqlColumn(QStringLiteral("Date"))));
            query.addBindValue(static_cast<qint64>(limit));
            ok = query.exec();
        }
        if (!ok || !table.Save())
            table.CancelUpdates();
        if (APCallBackInfoProc)
            APCallBackInfoProc(AProgressEnd, QString());
        table.Close();
        NoteJobsChanged();
        return;
    }
    const int count = table.RecordCount();
    const double step = count > 0 ? double(AProgressEnd - AProgressStart) / count : 0;
    int k = 0;
    int reported = -1;
    table.First();
    while (!table.Eof()) {
        // A position is reported once, however many rows share it.
        const int position = static_cast<int>(std::nearbyint(AProgressStart + step * k));
        if (APCallBackInfoProc && position != reported) {
            APCallBackInfoProc(position, QString());
            reported = position;
        }
        ++k;
        const QVariant date = table.FieldValue(QStringLiteral("Date"));
        if (!date.isNull() && TruncDate(date.toDouble()) < limit) {
            if (!table.Delete())
                table.Next();
        } else {
            table.Next();
        }
    }
    table.Save();
    table.Close();
    NoteJobsChanged();
}
