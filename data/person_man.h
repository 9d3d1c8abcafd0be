// The workers register: the worker objects, the in-memory list and the manager
// that keeps "Workers.cds" in step with it.
#pragma once

#include "core/observable.h"
#include "core/utils.h"
#include "data/register_index.h"
#include "data/register_sync.h"
#include "data/table.h"

#include <QString>

#include <memory>

class TPersonList;
class TPersonMan;

class TPerson : public TSCObject {
public:
    void Init() override;
    void Assign(const TPerson& ASource);
    // The same stored values (ID, list and editor aside).
    bool SameRecord(const TPerson& AOther) const;

    int ID() const { return FID; }
    const QString& Name() const { return FName; }
    void SetName(const QString& AValue);
    const QString& SortingName() const { return FSortingName; }
    void SetSortingName(const QString& AValue);
    const QString& Note() const { return FNote; }
    void SetNote(const QString& AValue);
    // Today while no first day is stored.
    TDate DateOutFrom() const;
    void SetDateOutFrom(TDate AValue);
    int DaysOut() const { return FDaysOut; }
    void SetDaysOut(int AValue);
    TDate DateOutTo() const;
    const QString& NoteOut() const { return FNoteOut; }
    void SetNoteOut(const QString& AValue);
    bool Modified() const { return FModified; }
    void SetModified(bool AValue);
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AValue) { FEditor = AValue; }
    TPersonList* List() const { return FList; }
    bool IsValid() const { return !FName.isEmpty() && !FSortingName.isEmpty(); }

    bool Edit();
    bool IsOut(TDate ADate) const;
    bool LoadDefault(int AMask) { return true; }
    bool StoreDefault(int AMask) { return true; }
    void DataChanged(TObject* ASender, const QString& AValueName);
    bool LoadFromDB(const TTable& ADataSet);
    bool StoreToDB(TTable& ADataSet);
    QString GetDefaultSortingName() const;

private:
    friend class TPersonMan;
    void Announce(const QString& AValueName) { DataChanged(this, AValueName); }

    TDate FDateOutFrom = 0;
    int FDaysOut = 0;
    TObject* FEditor = nullptr;
    int FID = 0;
    TPersonList* FList = nullptr;
    bool FModified = false;
    QString FName;
    QString FNote;
    QString FNoteOut;
    QString FSortingName;
};

class TPersonList : public TRegisterIndexedList<TPerson> {
public:
    TPersonList() : TRegisterIndexedList<TPerson>({&TPerson::Name}) {}
    // A position (0 or more) or −ID.
    TPerson* Items(int AKey) const;
    // A name, ignoring letter case.
    TPerson* Items(const QString& AKey) const;
    QString VerifyName(const QString& AName, const TPerson* AWithOutPerson) const;

private:
    // The one indexed text.
    enum : std::size_t { NameText };
};

class TPersonMan : public TObject {
public:
    TPersonMan();
    ~TPersonMan() override;
    TPersonMan(const TPersonMan&) = delete;
    TPersonMan& operator=(const TPersonMan&) = delete;

    static TPersonMan* Instance();
    static TFieldDefs FieldDefs();

    TPerson* Persons(int AKey) const { return FPersons->Items(AKey); }
    TPerson* Persons(const QString& AKey) const { return FPersons->Items(AKey); }
    int PersonCount() const { return FPersons->Count(); }
    TPersonList* PersonList() const { return FPersons.get(); }

    TPerson* AddPerson();
    bool EditPerson(TPerson* APerson);
    // Stores a worker of the register (or one owned by the caller, which stays
    // the caller's); saves the file before it returns true.
    bool InsertPerson(TPerson* APerson);
    // Stores a new worker and on success hands it to the register.
    bool InsertPerson(std::unique_ptr<TPerson>& APerson);
    // Deletes the record first; only then the worker leaves the list, into
    // ATaken when given, else destroyed.
    bool DeletePerson(int APersonID, std::unique_ptr<TPerson>* ATaken = nullptr);
    // Stores a deleted worker again under his own ID (an undone delete); on
    // success he joins the register.
    bool RestorePerson(std::unique_ptr<TPerson>& APerson);

    void OpenDBFiles();
    void CloseDBFiles();
    // Brings the register in step with its file when another copy of the
    // program wrote to it; true when entries were added, changed or deleted.
    bool Sync();
    // True once after the register changed by Sync or by what a store found.
    bool TakeUnannounced();
    TTable& Table() { return DSPersons; }
    // Why the last add, edit, insert or delete was not stored; empty when it
    // was, and when the editor was cancelled or there was nothing to delete.
    QString StoreError() const { return FStoreError; }

private:
    bool Store(TPerson* APerson);
    void LoadPersons();

    TTable DSPersons{QStringLiteral("DSPersons")};
    TTable DSPersonsDef{QStringLiteral("DSPersonsDef")};
    std::unique_ptr<TPersonList> FPersons;
    QString FStoreError;
    TRegisterSyncState FSync;
};
