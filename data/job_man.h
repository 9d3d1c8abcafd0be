// The jobs: one worker at one workplace on one date. The manager answers its
// filter (date range, optional worker, optional workplace) from the indexes of
// "Jobs.cds" and keeps only the matching jobs in memory.
#pragma once

#include "core/observable.h"
#include "core/utils.h"
#include "data/data_man.h"
#include "data/job_day_cache.h"
#include "data/job_rows.h"
#include "data/table.h"
#include "data/unusable_rows_check.h"

#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TPerson;
class TWorkplace;

class TJob : public TSCObject {
public:
    TDate Date() const { return FDate; }
    void SetDate(TDate AValue) { FDate = AValue; }
    int ID() const { return FID; }
    void SetID(int AValue) { FID = AValue; }
    const QString& Note() const { return FNote; }
    void SetNote(const QString& AValue) { FNote = AValue; }
    int PersonID() const { return FPersonID; }
    void SetPersonID(int AValue) { FPersonID = AValue; }
    const QString& PersonName() const { return FPersonName; }
    void SetPersonName(const QString& AValue) { FPersonName = AValue; }
    int WorkplaceID() const { return FWorkplaceID; }
    void SetWorkplaceID(int AValue) { FWorkplaceID = AValue; }
    const QString& WorkplaceName() const { return FWorkplaceName; }
    void SetWorkplaceName(const QString& AValue) { FWorkplaceName = AValue; }
    const QString& WorkplaceShortcut() const { return FWorkplaceShortcut; }
    void SetWorkplaceShortcut(const QString& AValue) { FWorkplaceShortcut = AValue; }

    bool LoadFromDB(const TTable& ADataSet);
    bool StoreToDB(TTable& ADataSet);
    // The relation as the schedules read every relation of the file.
    TJobRow Row() const
    {
        return {FDate, FID, FPersonID, FWorkplaceID, FPersonName, FWorkplaceShortcut, FWorkplaceName, FNote};
    }

private:
    TDate FDate = 0;
    int FID = 0;
    QString FNote;
    int FPersonID = 0;
    QString FPersonName;
    int FWorkplaceID = 0;
    QString FWorkplaceName;
    QString FWorkplaceShortcut;
};

class TJobList : public TSCTypedList<TJob> {
public:
    // A position (0 or more) or −ID.
    TJob* Items(int AKey) const;
};

class TJobMan : public TObject {
public:
    TJobMan();
    ~TJobMan() override;
    TJobMan(const TJobMan&) = delete;
    TJobMan& operator=(const TJobMan&) = delete;

    static TJobMan* Instance();
    static TFieldDefs FieldDefs();

    TDate DateFrom() const { return FDateFrom; }
    void SetDateFrom(TDate AValue);
    TDate DateTo() const { return FDateTo; }
    void SetDateTo(TDate AValue);
    int PersonID() const { return FPersonID; }
    void SetPersonID(int AValue);
    int WorkplaceID() const { return FWorkplaceID; }
    void SetWorkplaceID(int AValue);

    int JobCount();
    TJob* Jobs(int AIndex);
    // The worker and workplace IDs of the filter's jobs in ID order; read
    // without the texts unless the list is loaded already.
    std::vector<std::pair<int, int>> JobPairs();

    // The reads of the schedules: compact rows straight from the file's
    // indexes, without job objects and without touching the filter or the
    // loaded list. Rows no register entry can be named by are passed over.
    //
    // The relations of one day in ID order, valid until the next call of the
    // manager. The day read last is kept until the file changes (both halves
    // of a refresh ask for it); the rows a template adds to it join it,
    // without their IDs (0).
    const std::vector<TJobRow>& DayRelations(TDate ADate);
    // The relations of the days AFrom to ATo (either order), of one worker
    // and one workplace when APersonID and AWorkplaceID are positive, handed
    // to ARow one by one in date order (a month holds thousands: no list
    // between), texts as ATexts asks; ARow may take the texts. False when
    // the read failed; the rows handed before are then void.
    bool PeriodRelations(TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID, const TJobRowTexts& ATexts,
        const std::function<void(TJobRow&)>& ARow);
    // For each worker (AByWorkplace: each workplace) with relations on the
    // days AFrom to ATo (at most 64), those days as bits (bit 0 for AFrom),
    // in ID order, read from the date index alone. False when the read failed.
    bool PeriodDayBits(TDate AFrom, TDate ATo, bool AByWorkplace, std::vector<std::pair<int, quint64>>& ABits);
    // True when ADate surely has no relation; false when it has or that is
    // not known. Cheap for the empty days before a date asked about before.
    bool DayKnownEmpty(TDate ADate);

    // Whether the file holds the relation, asked of it directly.
    bool JobExists(TDate ADate, int APersonID, int AWorkplaceID);
    // The new job, valid until the next change of the jobs; none when it
    // exists or failed. Whether it exists is asked in the write that stores
    // it, so no other copy of the program can store it in between.
    TJob* AddJob(TDate ADate, TPerson* APerson, TWorkplace* AWorkplace);
    // AddJob for each pair in its order, in one write: pairs the day has
    // already, or that came before in the list, are skipped. False when the
    // write failed; then none is added.
    bool AddJobs(TDate ADate, const std::vector<std::pair<TPerson*, TWorkplace*>>& APairs);
    // ARemoved, when given, tells whether the relation was there to remove.
    // None of these changes the filter.
    bool DeleteJob(TDate ADate, int APersonID, int AWorkplaceID, bool* ARemoved = nullptr);
    // Stores a loaded job, or the one AddJob gave, again.
    bool InsertJob(TJob* AJob);
    // Stores a new job; on success it joins the loaded list.
    bool InsertJob(std::unique_ptr<TJob>& AJob);
    // Adds and deletes between BeginUpdate and the matching EndUpdate are
    // committed together at EndUpdate: one durable write for a whole template
    // instead of one for each relation. EndUpdate is false when that write,
    // or any change inside, failed; the loaded jobs are then read again.
    void BeginUpdate();
    bool EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }
    void DeleteOlderJobs(TDate ADateLimit, int AProgressStart, int AProgressEnd,
        const TDataMaintenanceInfoCallBackProc& APCallBackInfoProc);

    void OpenDBFiles();
    // Forgets what it read when another copy of the program wrote to the
    // file since the last look; true when it did.
    bool CatchUp();
    // True once after CatchUp found a change.
    bool TakeUnannounced();
    // Waits for the count of the file's unusable rows that opening started.
    void FinishChecks() { FUnusableRowsCheck.Finish(); }
    // Also drops the loaded jobs: none of them may outlive its file.
    void CloseDBFiles();
    TTable& Table() { return DSJobs; }

private:
    // The file's user version once its relations are known to be unique.
    static constexpr int CheckedRelationsVersion = 1;
    // Tells of the rows of the file that cannot be used: the count it keeps,
    // or one made beside the user's work.
    void CheckUnusableRows();
    // 1 when the file holds the relation, 0 when not, -1 when unknown.
    int StoredRelation(TDate ADate, int APersonID, int AWorkplaceID);
    // A write of the manager's may have changed the loaded list of the filter.
    void RelationChanged(TDate ADate, int APersonID, int AWorkplaceID);
    // Keeps one of each relation a file holds more than once, after a copy of
    // the file as it was is kept as "<file>.bak", and tells the user.
    void MendRepeatedRelations();
    void ApplyFilter();
    void LoadJobs();
    // The rows of a period with all texts in ID order, by the direct read or,
    // for a connection it cannot use, the generic table walk.
    bool ReadRows(TDate AFrom, TDate ATo, int APersonID, int AWorkplaceID, std::vector<TJobRow>& ARows);
    void DiscardJobs();
    bool Store(TJob* AJob);
    // Commits now unless inside BeginUpdate; false when the write failed.
    bool SaveNow();
    // Rolls back after a failed change; inside BeginUpdate the whole update.
    void Fail();

    TTable DSJobs{QStringLiteral("DSJobs")};
    TTable DSJobsDef{QStringLiteral("DSJobsDef")};
    TUnusableRowsCheck FUnusableRowsCheck;
    TDate FDateFrom = 0;
    TDate FDateTo = 0;
    bool FFilterModified = false;
    std::unique_ptr<TJobList> FJobs;
    int FPersonID = 0;
    int FWorkplaceID = 0;
    int FUpdateCount = 0;
    bool FUpdateFailed = false;
    bool FUnannounced = false;
    // The job AddJob gave last.
    std::unique_ptr<TJob> FAdded;
    TJobTexts FTexts;
    TJobDayCache FDays;
    // A day read without being kept.
    std::vector<TJobRow> FDayRows;
};
