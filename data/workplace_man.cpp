#include "data/workplace_man.h"

#include "core/dialogs.h"
#include "data/data_man.h"
#include "data/register_ops.h"

#include <utility>

namespace {
TWorkplaceMan* GWorkplaceMan = nullptr;
using TWorkplaceOps = TRegisterOps<TWorkplace, TWorkplaceList>;
// Named by the manager, the friend of TWorkplace, when it is made.
TWorkplaceOps::TFields GWorkplaceFields;

QString VerifyWorkplace(TWorkplaceList& AList, TWorkplace& AWorkplace, const TWorkplace* AWithOut)
{
    const QString name = AWorkplace.Name();
    const QString shortcut = AWorkplace.Shortcut();
    AWorkplace.SetName(AList.VerifyName(name, AWithOut));
    AWorkplace.SetShortcut(AList.VerifyShortcut(shortcut, AWithOut));
    QStringList changes{RenameText(name, AWorkplace.Name()), RenameText(shortcut, AWorkplace.Shortcut())};
    changes.removeAll(QString());
    return changes.join(QStringLiteral("\r\n"));
}
TWorkplaceOps Ops(TTable& ATable, TWorkplaceList& AList, QString& AStoreError, TRegisterSyncState& ASync)
{
    return TWorkplaceOps(ATable, AList, GWorkplaceFields, VerifyWorkplace, AStoreError, ASync);
}
const QString FileName = QStringLiteral("Workplaces.cds");

} // namespace

// --- TWorkplace ---

void TWorkplace::Init()
{
    FColor = 0;
    FEditor = nullptr;
    FID = 0;
    FList = nullptr;
    FModified = false;
    FName.clear();
    FNote.clear();
    FShortcut.clear();
}

void TWorkplace::Assign(const TWorkplace& ASource)
{
    TWorkplaceList* list = FList;
    FColor = ASource.FColor;
    FEditor = ASource.FEditor;
    SCSetItemID(FID, ASource.FID, list != nullptr);
    FList = ASource.FList;
    FModified = ASource.FModified;
    FName = ASource.FName;
    FNote = ASource.FNote;
    FShortcut = ASource.FShortcut;
    if (list)
        list->TextChanged(this);
}

void TWorkplace::DataChanged(TObject* ASender, const QString& AValueName)
{
    SCNotifyEditor(FEditor, ASender, AValueName);
}

void TWorkplace::SetModified(bool AValue)
{
    FModified = AValue;
    Announce(QStringLiteral("Modified"));
}

bool TWorkplace::LoadDefault(int AMask)
{
    SetColor(0xFFFFFF);
    return true;
}

QString TWorkplace::GetDefaultShortcut() const
{
    return TrimChar(TrimBlanks(CutText(FName, 3)), QLatin1Char('^'));
}

void TWorkplace::SetName(const QString& AValue)
{
    QString value = TrimChar(TrimBlanks(AValue), QLatin1Char('^'));
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
    if (FShortcut.isEmpty())
        SetShortcut(QString());
}

void TWorkplace::SetShortcut(const QString& AValue)
{
    QString value = TrimChar(TrimBlanks(AValue), QLatin1Char('^'));
    if (value.isEmpty())
        value = GetDefaultShortcut();
    if (FList)
        value = FList->VerifyShortcut(value, this);
    if (value == FShortcut) {
        Announce(QStringLiteral("Shortcut*"));
        return;
    }
    FShortcut = value;
    if (FList)
        FList->TextChanged(this);
    Announce(QStringLiteral("Shortcut"));
    SetModified(true);
}

void TWorkplace::SetColor(TColor AValue)
{
    TColor value = AValue;
    for (TColor lighter = LightenColor(value, 220); lighter != value; lighter = LightenColor(value, 220))
        value = lighter;
    if (value == FColor) {
        Announce(QStringLiteral("Color*"));
        return;
    }
    FColor = value;
    Announce(QStringLiteral("Color"));
    SetModified(true);
}

void TWorkplace::SetNote(const QString& AValue)
{
    if (AValue == FNote) {
        Announce(QStringLiteral("Note*"));
        return;
    }
    FNote = AValue;
    Announce(QStringLiteral("Note"));
    SetModified(true);
}

bool TWorkplace::Edit()
{
    auto editor = Dialogs().CreateEditor(QStringLiteral("TWorkplaceEditor"));
    if (!editor)
        return false;
    return SCEditModal(*this, *editor);
}

bool TWorkplace::LoadFromDB(const TTable& ADataSet)
{
    if (!ADataSet.HasCurrent())
        return false;
    SCSetItemID(FID, ADataSet.FieldValue(QStringLiteral("ID")).toInt(), FList != nullptr);
    // The stored shortcut first, so it wins over one derived from the name.
    SetShortcut(ADataSet.FieldValue(QStringLiteral("Shortcut")).toString());
    SetName(ADataSet.FieldValue(QStringLiteral("Name")).toString());
    const QVariant color = ADataSet.FieldValue(QStringLiteral("Color"));
    SetColor(color.isNull() ? 0xFFFFFF : static_cast<TColor>(color.toLongLong()));
    SetNote(ADataSet.FieldValue(QStringLiteral("Note")).toString());
    SetModified(false);
    return true;
}

bool TWorkplace::StoreToDB(TTable& ADataSet)
{
    return RegisterStoreRecord(
        ADataSet, FID,
        [&] {
            bool ok = ADataSet.SetFieldValue(QStringLiteral("Shortcut"), FShortcut);
            ok = ADataSet.SetFieldValue(QStringLiteral("Name"), FName) && ok;
            ok = ADataSet.SetFieldValue(QStringLiteral("Color"), static_cast<int>(FColor)) && ok;
            return ADataSet.SetFieldValue(QStringLiteral("Note"), FNote) && ok;
        },
        [this](bool AValue) { SetModified(AValue); });
}

bool TWorkplace::SameRecord(const TWorkplace& AOther) const
{
    return FShortcut == AOther.FShortcut && FName == AOther.FName && FNote == AOther.FNote && FColor == AOther.FColor;
}

// --- TWorkplaceList ---

TWorkplace* TWorkplaceList::Items(int AKey) const
{
    return RegisterItemByKey(*this, AKey);
}

TWorkplace* TWorkplaceList::Items(const QString& AKey) const
{
    if (AKey.startsWith(QLatin1Char('^')))
        return Find(ShortcutText, AKey.mid(1));
    return Find(NameText, AKey);
}

QString TWorkplaceList::VerifyName(const QString& AName, const TWorkplace* AWithOutWorkplace) const
{
    return UniqueText(NameText, AName, AWithOutWorkplace);
}

QString TWorkplaceList::VerifyShortcut(const QString& AShortcut, const TWorkplace* AWithOutWorkplace) const
{
    return UniqueText(ShortcutText, AShortcut, AWithOutWorkplace);
}

// --- TWorkplaceMan ---

TFieldDefs TWorkplaceMan::FieldDefs()
{
    return {{QStringLiteral("ID"), ftAutoInc, 0}, {QStringLiteral("Shortcut"), ftString, 10},
        {QStringLiteral("Name"), ftString, 50}, {QStringLiteral("Color"), ftInteger, 0},
        {QStringLiteral("Note"), ftString, 80}};
}

TWorkplaceMan::TWorkplaceMan() : FWorkplaces(TSCList::Create<TWorkplaceList>())
{
    DSWorkplacesDef.SetFieldDefs(FieldDefs());
    GWorkplaceFields = {&TWorkplace::FID, &TWorkplace::FList, &TWorkplace::FModified, &TWorkplace::FEditor};
    GWorkplaceMan = this;
    OpenDBFiles();
}

TWorkplaceMan::~TWorkplaceMan()
{
    CloseDBFiles();
    FWorkplaces->FreeObjects();
    if (GWorkplaceMan == this)
        GWorkplaceMan = nullptr;
}

TWorkplaceMan* TWorkplaceMan::Instance()
{
    return GWorkplaceMan;
}

void TWorkplaceMan::OpenDBFiles()
{
    RegisterOpenTable(DSWorkplaces, DSWorkplacesDef, FileName);
    LoadWorkplaces();
}

void TWorkplaceMan::CloseDBFiles()
{
    DSWorkplaces.Close();
}

void TWorkplaceMan::LoadWorkplaces()
{
    Ops(DSWorkplaces, *FWorkplaces, FStoreError, FSync).Load();
}

bool TWorkplaceMan::Store(TWorkplace* AWorkplace)
{
    return Ops(DSWorkplaces, *FWorkplaces, FStoreError, FSync).Store(AWorkplace);
}

bool TWorkplaceMan::InsertWorkplace(TWorkplace* AWorkplace)
{
    return Ops(DSWorkplaces, *FWorkplaces, FStoreError, FSync).Insert(AWorkplace);
}

bool TWorkplaceMan::InsertWorkplace(std::unique_ptr<TWorkplace>& AWorkplace)
{
    return Ops(DSWorkplaces, *FWorkplaces, FStoreError, FSync).Insert(AWorkplace);
}

TWorkplace* TWorkplaceMan::AddWorkplace()
{
    return Ops(DSWorkplaces, *FWorkplaces, FStoreError, FSync).Add();
}

bool TWorkplaceMan::EditWorkplace(TWorkplace* AWorkplace)
{
    return Ops(DSWorkplaces, *FWorkplaces, FStoreError, FSync).Edit(AWorkplace);
}

bool TWorkplaceMan::DeleteWorkplace(int AWorkplaceID, std::unique_ptr<TWorkplace>* ATaken)
{
    return Ops(DSWorkplaces, *FWorkplaces, FStoreError, FSync).Delete(AWorkplaceID, ATaken);
}

bool TWorkplaceMan::RestoreWorkplace(std::unique_ptr<TWorkplace>& AWorkplace)
{
    return Ops(DSWorkplaces, *FWorkplaces, FStoreError, FSync).Restore(AWorkplace);
}

bool TWorkplaceMan::Sync()
{
    return Ops(DSWorkplaces, *FWorkplaces, FStoreError, FSync).Sync();
}

bool TWorkplaceMan::TakeUnannounced()
{
    return std::exchange(FSync.Unannounced, false);
}
