// The workplaces register: workplace objects with unique names and shortcuts,
// the in-memory list and the manager of "Workplaces.cds".
#pragma once

#include "core/observable.h"
#include "core/utils.h"
#include "data/register_index.h"
#include "data/register_sync.h"
#include "data/table.h"

#include <QString>

#include <memory>

class TWorkplaceList;

class TWorkplace : public TSCObject {
public:
    void Init() override;
    void Assign(const TWorkplace& ASource);
    // The same stored values (ID, list and editor aside).
    bool SameRecord(const TWorkplace& AOther) const;

    int ID() const { return FID; }
    const QString& Name() const { return FName; }
    void SetName(const QString& AValue);
    const QString& Shortcut() const { return FShortcut; }
    void SetShortcut(const QString& AValue);
    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);
    const QString& Note() const { return FNote; }
    void SetNote(const QString& AValue);
    bool Modified() const { return FModified; }
    void SetModified(bool AValue);
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AValue) { FEditor = AValue; }
    TWorkplaceList* List() const { return FList; }
    bool IsValid() const { return !FName.isEmpty() && !FShortcut.isEmpty(); }

    bool Edit();
    bool LoadDefault(int AMask);
    bool StoreDefault(int AMask) { return true; }
    void DataChanged(TObject* ASender, const QString& AValueName);
    bool LoadFromDB(const TTable& ADataSet);
    bool StoreToDB(TTable& ADataSet);
    QString GetDefaultShortcut() const;

private:
    friend class TWorkplaceMan;
    void Announce(const QString& AValueName) { DataChanged(this, AValueName); }

    TColor FColor = 0;
    TObject* FEditor = nullptr;
    int FID = 0;
    TWorkplaceList* FList = nullptr;
    bool FModified = false;
    QString FName;
    QString FNote;
    QString FShortcut;
};

class TWorkplaceList : public TRegisterIndexedList<TWorkplace> {
public:
    TWorkplaceList() : TRegisterIndexedList<TWorkplace>({&TWorkplace::Name, &TWorkplace::Shortcut}) {}
    // A position (0 or more) or −ID.
    TWorkplace* Items(int AKey) const;
    // "^shortcut" or a name, ignoring letter case.
    TWorkplace* Items(const QString& AKey) const;
    QString VerifyName(const QString& AName, const TWorkplace* AWithOutWorkplace) const;
    QString VerifyShortcut(const QString& AShortcut, const TWorkplace* AWithOutWorkplace) const;

private:
    // The indexed texts, in the order the constructor names them.
    enum : std::size_t { NameText, ShortcutText };
};

class TWorkplaceMan : public TObject {
public:
    TWorkplaceMan();
    ~TWorkplaceMan() override;
    TWorkplaceMan(const TWorkplaceMan&) = delete;
    TWorkplaceMan& operator=(const TWorkplaceMan&) = delete;

    static TWorkplaceMan* Instance();
    static TFieldDefs FieldDefs();

    TWorkplace* Workplaces(int AKey) const { return FWorkplaces->Items(AKey); }
    TWorkplace* Workplaces(const QString& AKey) const { return FWorkplaces->Items(AKey); }
    int WorkplaceCount() const { return FWorkplaces->Count(); }
    TWorkplaceList* WorkplaceList() const { return FWorkplaces.get(); }

    TWorkplace* AddWorkplace();
    bool EditWorkplace(TWorkplace* AWorkplace);
    // As for workers: a register object is stored; a new one handed over as
    // unique_ptr joins the register on success.
    bool InsertWorkplace(TWorkplace* AWorkplace);
    bool InsertWorkplace(std::unique_ptr<TWorkplace>& AWorkplace);
    bool DeleteWorkplace(int AWorkplaceID, std::unique_ptr<TWorkplace>* ATaken = nullptr);
    // Stores a deleted workplace again under its own ID (an undone delete).
    bool RestoreWorkplace(std::unique_ptr<TWorkplace>& AWorkplace);

    void OpenDBFiles();
    void CloseDBFiles();
    // Brings the register in step with its file when another copy of the
    // program wrote to it; true when entries were added, changed or deleted.
    bool Sync();
    // True once after the register changed by Sync or by what a store found.
    bool TakeUnannounced();
    TTable& Table() { return DSWorkplaces; }
    // Why the last add, edit, insert or delete was not stored; empty when it
    // was, and when the editor was cancelled or there was nothing to delete.
    QString StoreError() const { return FStoreError; }

private:
    bool Store(TWorkplace* AWorkplace);
    void LoadWorkplaces();

    TTable DSWorkplaces{QStringLiteral("DSWorkplaces")};
    TTable DSWorkplacesDef{QStringLiteral("DSWorkplacesDef")};
    std::unique_ptr<TWorkplaceList> FWorkplaces;
    QString FStoreError;
    TRegisterSyncState FSync;
};
