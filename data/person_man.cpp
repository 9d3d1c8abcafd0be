#include "data/person_man.h"

#include "core/dialogs.h"
#include "data/data_man.h"
#include "data/register_ops.h"
#include "setup/setup.h"

#include <utility>

namespace {
TPersonMan* GPersonMan = nullptr;
using TPersonOps = TRegisterOps<TPerson, TPersonList>;
// Named by the manager, the friend of TPerson, when it is made.
TPersonOps::TFields GPersonFields;

QString VerifyPerson(TPersonList& AList, TPerson& APerson, const TPerson* AWithOut)
{
    const QString name = APerson.Name();
    APerson.SetName(AList.VerifyName(name, AWithOut));
    return RenameText(name, APerson.Name());
}
TPersonOps Ops(TTable& ATable, TPersonList& AList, QString& AStoreError, TRegisterSyncState& ASync)
{
    return TPersonOps(ATable, AList, GPersonFields, VerifyPerson, AStoreError, ASync);
}
const QString FileName = QStringLiteral("Workers.cds");

} // namespace

// --- TPerson ---

void TPerson::Init()
{
    FDateOutFrom = 0;
    FDaysOut = 0;
    FEditor = nullptr;
    FID = 0;
    FList = nullptr;
    FModified = false;
    FName.clear();
    FNote.clear();
    FNoteOut.clear();
    FSortingName.clear();
}

void TPerson::Assign(const TPerson& ASource)
{
    TPersonList* list = FList;
    FDateOutFrom = ASource.FDateOutFrom;
    FDaysOut = ASource.FDaysOut;
    FEditor = ASource.FEditor;
    SCSetItemID(FID, ASource.FID, list != nullptr);
    FList = ASource.FList;
    FModified = ASource.FModified;
    FName = ASource.FName;
    FNote = ASource.FNote;
    FNoteOut = ASource.FNoteOut;
    FSortingName = ASource.FSortingName;
    if (list)
        list->TextChanged(this);
}

void TPerson::DataChanged(TObject* ASender, const QString& AValueName)
{
    SCNotifyEditor(FEditor, ASender, AValueName);
}

void TPerson::SetModified(bool AValue)
{
    FModified = AValue;
    Announce(QStringLiteral("Modified"));
}

QString TPerson::GetDefaultSortingName() const
{
    const QString name = TSetupGeneral::TrimDegrees(FName);
    const TSetup* setup = TSetup::Instance();
    if (!setup || !setup->General()->SwapFirstAndSurName())
        return name;
    const qsizetype blank = name.lastIndexOf(QLatin1Char(' '));
    if (blank < 0)
        return name;
    return CutText(name.mid(blank + 1), 255) + QLatin1Char(' ') + name.left(blank);
}

void TPerson::SetName(const QString& AValue)
{
    QString value = TrimBlanks(AValue);
    if (FList)
        value = FList->VerifyName(value, this);
    if (value == FName) {
        Announce(QStringLiteral("Name*"));
        return;
    }
    FName = value;
    if (FList)
        FList->TextChanged(this);
    Announce(QStringLiteral("Name"));
    SetModified(true);
    if (FSortingName.isEmpty())
        SetSortingName(QString());
}

void TPerson::SetSortingName(const QString& AValue)
{
    const QString value = AValue.isEmpty() ? GetDefaultSortingName() : AValue;
    if (value == FSortingName) {
        Announce(QStringLiteral("SortingName*"));
        return;
    }
    FSortingName = value;
    // Sorted lists made from the register are made again.
    if (FList)
        FList->TextChanged(this);
    Announce(QStringLiteral("SortingName"));
    SetModified(true);
}

void TPerson::SetNote(const QString& AValue)
{
    if (AValue == FNote) {
        Announce(QStringLiteral("Note*"));
        return;
    }
    FNote = AValue;
    Announce(QStringLiteral("Note"));
    SetModified(true);
}

void TPerson::SetNoteOut(const QString& AValue)
{
    if (AValue == FNoteOut) {
        Announce(QStringLiteral("NoteOut*"));
        return;
    }
    FNoteOut = AValue;
    Announce(QStringLiteral("NoteOut"));
    SetModified(true);
}

TDate TPerson::DateOutFrom() const
{
    return FDateOutFrom == 0 ? Today() : FDateOutFrom;
}

void TPerson::SetDateOutFrom(TDate AValue)
{
    const TDate value = TruncDate(AValue);
    if (value == FDateOutFrom) {
        Announce(QStringLiteral("DateOutFrom*"));
        return;
    }
    FDateOutFrom = value;
    Announce(QStringLiteral("DateOutFrom"));
    SetModified(true);
}

void TPerson::SetDaysOut(int AValue)
{
    const int value = AValue < 0 ? 0 : (AValue >= 1000 ? 999 : AValue);
    if (value == FDaysOut) {
        Announce(QStringLiteral("DaysOut*"));
        return;
    }
    FDaysOut = value;
    Announce(QStringLiteral("DaysOut"));
    SetModified(true);
    if (FDaysOut > 0 && FDateOutFrom == 0)
        SetDateOutFrom(Today());
}

TDate TPerson::DateOutTo() const
{
    return FDaysOut == 0 ? 0 : DateOutFrom() + FDaysOut - 1;
}

bool TPerson::IsOut(TDate ADate) const
{
    const TDate day = TruncDate(ADate);
    const TDate from = DateOutFrom();
    return from > 0 && FDaysOut > 0 && from <= day && day <= DateOutTo();
}

bool TPerson::Edit()
{
    auto editor = Dialogs().CreateEditor(QStringLiteral("TPersonEditor"));
    if (!editor)
        return false;
    return SCEditModal(*this, *editor);
}

bool TPerson::LoadFromDB(const TTable& ADataSet)
{
    if (!ADataSet.HasCurrent())
        return false;
    SCSetItemID(FID, ADataSet.FieldValue(QStringLiteral("ID")).toInt(), FList != nullptr);
    SetName(ADataSet.FieldValue(QStringLiteral("Name")).toString());
    SetSortingName(ADataSet.FieldValue(QStringLiteral("SortingName")).toString());
    SetDateOutFrom(ADataSet.FieldValue(QStringLiteral("DateOutFrom")).toDouble());
    SetDaysOut(ADataSet.FieldValue(QStringLiteral("DaysOut")).toInt());
    SetNote(ADataSet.FieldValue(QStringLiteral("Note")).toString());
    SetNoteOut(ADataSet.FieldValue(QStringLiteral("NoteOut")).toString());
    SetModified(false);
    return true;
}

bool TPerson::StoreToDB(TTable& ADataSet)
{
    return RegisterStoreRecord(
        ADataSet, FID,
        [&] {
            bool ok = ADataSet.SetFieldValue(QStringLiteral("Name"), FName);
            ok = ADataSet.SetFieldValue(QStringLiteral("SortingName"), FSortingName) && ok;
            ok = ADataSet.SetFieldValue(QStringLiteral("DateOutFrom"), DateOutFrom()) && ok;
            ok = ADataSet.SetFieldValue(QStringLiteral("DaysOut"), FDaysOut) && ok;
            ok = ADataSet.SetFieldValue(QStringLiteral("Note"), FNote) && ok;
            return ADataSet.SetFieldValue(QStringLiteral("NoteOut"), FNoteOut) && ok;
        },
        [this](bool AValue) { SetModified(AValue); });
}

bool TPerson::SameRecord(const TPerson& AOther) const
{
    return FName == AOther.FName && FSortingName == AOther.FSortingName && FNote == AOther.FNote
           && DateOutFrom() == AOther.DateOutFrom() && FDaysOut == AOther.FDaysOut && FNoteOut == AOther.FNoteOut;
}

// --- TPersonList ---

TPerson* TPersonList::Items(int AKey) const
{
    return RegisterItemByKey(*this, AKey);
}

TPerson* TPersonList::Items(const QString& AKey) const
{
    return Find(NameText, AKey);
}

QString TPersonList::VerifyName(const QString& AName, const TPerson* AWithOutPerson) const
{
    return UniqueText(NameText, AName, AWithOutPerson);
}

// --- TPersonMan ---

TFieldDefs TPersonMan::FieldDefs()
{
    return {{QStringLiteral("ID"), ftAutoInc, 0}, {QStringLiteral("Name"), ftString, 50},
        {QStringLiteral("SortingName"), ftString, 50}, {QStringLiteral("Note"), ftString, 80},
        {QStringLiteral("DateOutFrom"), ftDate, 0}, {QStringLiteral("DaysOut"), ftInteger, 0},
        {QStringLiteral("NoteOut"), ftString, 80}};
}

TPersonMan::TPersonMan() : FPersons(TSCList::Create<TPersonList>())
{
    DSPersonsDef.SetFieldDefs(FieldDefs());
    GPersonFields = {&TPerson::FID, &TPerson::FList, &TPerson::FModified, &TPerson::FEditor};
    GPersonMan = this;
    OpenDBFiles();
}

TPersonMan::~TPersonMan()
{
    CloseDBFiles();
    FPersons->FreeObjects();
    if (GPersonMan == this)
        GPersonMan = nullptr;
}

TPersonMan* TPersonMan::Instance()
{
    return GPersonMan;
}

void TPersonMan::OpenDBFiles()
{
    RegisterOpenTable(DSPersons, DSPersonsDef, FileName);
    LoadPersons();
}

void TPersonMan::CloseDBFiles()
{
    DSPersons.Close();
}

void TPersonMan::LoadPersons()
{
    Ops(DSPersons, *FPersons, FStoreError, FSync).Load();
}

bool TPersonMan::Store(TPerson* APerson)
{
    return Ops(DSPersons, *FPersons, FStoreError, FSync).Store(APerson);
}

bool TPersonMan::InsertPerson(TPerson* APerson)
{
    return Ops(DSPersons, *FPersons, FStoreError, FSync).Insert(APerson);
}

bool TPersonMan::InsertPerson(std::unique_ptr<TPerson>& APerson)
{
    return Ops(DSPersons, *FPersons, FStoreError, FSync).Insert(APerson);
}

TPerson* TPersonMan::AddPerson()
{
    return Ops(DSPersons, *FPersons, FStoreError, FSync).Add();
}

bool TPersonMan::EditPerson(TPerson* APerson)
{
    return Ops(DSPersons, *FPersons, FStoreError, FSync).Edit(APerson);
}

bool TPersonMan::DeletePerson(int APersonID, std::unique_ptr<TPerson>* ATaken)
{
    return Ops(DSPersons, *FPersons, FStoreError, FSync).Delete(APersonID, ATaken);
}

bool TPersonMan::RestorePerson(std::unique_ptr<TPerson>& APerson)
{
    return Ops(DSPersons, *FPersons, FStoreError, FSync).Restore(APerson);
}

bool TPersonMan::Sync()
{
    return Ops(DSPersons, *FPersons, FStoreError, FSync).Sync();
}

bool TPersonMan::TakeUnannounced()
{
    return std::exchange(FSync.Unannounced, false);
}
