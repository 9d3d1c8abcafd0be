// Templates: named sets of (worker, workplace) pairs kept in "Macros.cds",
// and the system templates made from the jobs of one date.
#pragma once

#include "core/observable.h"
#include "core/utils.h"
#include "data/table.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

class TMacro;
class TMacroJobList;

class TMacroJob : public TSCObject {
public:
    TMacroJobList* OwnerList() const { return FOwnerList; }
    int PersonID() const { return FPersonID; }
    void SetPersonID(int AValue) { FPersonID = AValue; }
    int WorkplaceID() const { return FWorkplaceID; }
    void SetWorkplaceID(int AValue) { FWorkplaceID = AValue; }

private:
    friend class TMacroJobList;
    TMacroJobList* FOwnerList = nullptr;
    int FPersonID = 0;
    int FWorkplaceID = 0;
};

class TMacroJobList : public TSCTypedList<TMacroJob> {
public:
    TMacro* OwnerMacro() const { return FOwnerMacro; }
    // None for an ID below 1; the existing item for a pair already held.
    TMacroJob* AddMacroJob(int APersonID, int AWorkplaceID);

private:
    friend class TMacro;
    TMacro* FOwnerMacro = nullptr;
    // The pairs held, so a day of thousands is filled without a walk for
    // each; right while the list's Changes() is FPairsStamp.
    std::unordered_set<quint64> FPairs;
    std::uint64_t FPairsStamp = UINT64_MAX;
};

class TMacro : public TSCObject {
public:
    TMacro();
    // The longest name the templates file keeps.
    static constexpr int MaxNameLength = 40;

    TMacroJobList* MacroJobs() const { return FMacroJobs.get(); }
    const QString& Name() const { return FName; }
    // The (worker ID, workplace ID) pairs in their order.
    std::vector<std::pair<int, int>> Pairs() const;
    // Trimmed and limited to MaxNameLength.
    void SetName(const QString& AValue);

private:
    std::unique_ptr<TMacroJobList> FMacroJobs;
    QString FName;
};

class TMacroMan : public TObject {
public:
    TMacroMan();
    ~TMacroMan() override;
    TMacroMan(const TMacroMan&) = delete;
    TMacroMan& operator=(const TMacroMan&) = delete;

    static TMacroMan* Instance();
    static TFieldDefs FieldDefs();
    static QString NormalName(const QString& AName);

    // The returned templates belong to the caller.
    std::unique_ptr<TMacro> GetMacro(const QString& AName);
    bool GetMacroNames(QStringList* AList);
    std::unique_ptr<TMacro> GetSystemMacro(TDate ADate);
    // Replaces the stored template of that name and saves the file at once;
    // a template without pairs removes it.
    bool PutMacro(const TMacro* AMacro);
    // Why the last PutMacro was not stored; empty when it was.
    QString StoreError() const { return FStoreError; }
    void DSMacrosFilterRecord(const TTable& ADataSet, bool& AAccept) const;

    void OpenDBFiles();
    void CloseDBFiles();
    // True once after another copy of the program wrote to the file (the
    // templates are read from it whenever asked).
    bool CatchUp();
    TTable& Table() { return DSMacros; }

private:
    void SetFilterName(const QString& AName);
    // One attempt at PutMacro's write, left pending when it failed.
    bool StoreMacroRows(const TMacro* AMacro);

    TTable DSMacros{QStringLiteral("DSMacros")};
    TTable DSMacrosDef{QStringLiteral("DSMacrosDef")};
    QString FFilterMacroJobName;
    QString FStoreError;
};
