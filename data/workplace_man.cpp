#include "data/workplace_man.h"

#include "core/dialogs.h"
#include "data/data_man.h"

namespace {
TWorkplaceMan* GWorkplaceMan = nullptr;
const QString FileName = QStringLiteral("Workplaces.cds");

// Splits "Room 12" into "Room " and 12; a run of digits that is no valid
// integer counts as 0.
void SplitTrailingNumber(const QString& AName, QString& AStem, int& ANumber)
{
    qsizetype end = AName.size();
    while (end > 0 && AName[end - 1] >= QLatin1Char('0') && AName[end - 1] <= QLatin1Char('9'))
        --end;
    AStem = AName.left(end);
    bool ok = false;
    ANumber = AName.mid(end).toInt(&ok);
    if (!ok || ANumber < 0)
        ANumber = 0;
}
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
    FColor = ASource.FColor;
    FEditor = ASource.FEditor;
    FID = ASource.FID;
    FList = ASource.FList;
    FModified = ASource.FModified;
    FName = ASource.FName;
    FNote = ASource.FNote;
    FShortcut = ASource.FShortcut;
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
    return TrimChar(TrimBlanks(FName.left(3)), QLatin1Char('^'));
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
    FID = ADataSet.FieldValue(QStringLiteral("ID")).toInt();
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
    if (!ADataSet.CanModify())
        return false;
    const bool found = FID > 0 && ADataSet.Locate(QStringLiteral("ID"), FID);
    if (found)
        ADataSet.Edit();
    else
        ADataSet.Append();
    bool ok = ADataSet.SetFieldValue(QStringLiteral("Shortcut"), FShortcut);
    ok = ADataSet.SetFieldValue(QStringLiteral("Name"), FName) && ok;
    ok = ADataSet.SetFieldValue(QStringLiteral("Color"), static_cast<int>(FColor)) && ok;
    ok = ADataSet.SetFieldValue(QStringLiteral("Note"), FNote) && ok;
    ok = ADataSet.Post() && ok;
    if (ok && !found)
        FID = ADataSet.FieldValue(QStringLiteral("ID")).toInt();
    SetModified(!ok);
    return ok;
}

// --- TWorkplaceList ---

TWorkplace* TWorkplaceList::Items(int AKey) const
{
    if (AKey >= 0)
        return TSCTypedList<TWorkplace>::Items(AKey);
    for (int i = 0; i < Count(); ++i)
        if (TSCTypedList<TWorkplace>::Items(i)->ID() == -AKey)
            return TSCTypedList<TWorkplace>::Items(i);
    return nullptr;
}

TWorkplace* TWorkplaceList::Items(const QString& AKey) const
{
    const bool byShortcut = AKey.startsWith(QLatin1Char('^'));
    const QString key = byShortcut ? AKey.mid(1) : AKey;
    for (int i = 0; i < Count(); ++i) {
        TWorkplace* workplace = TSCTypedList<TWorkplace>::Items(i);
        if (SameTextIgnoringCase(byShortcut ? workplace->Shortcut() : workplace->Name(), key))
            return workplace;
    }
    return nullptr;
}

QString TWorkplaceList::VerifyName(const QString& AName, const TWorkplace* AWithOutWorkplace) const
{
    if (AName.isEmpty())
        return QString();
    bool clash = false;
    for (int i = 0; i < Count() && !clash; ++i) {
        const TWorkplace* workplace = TSCTypedList<TWorkplace>::Items(i);
        clash = workplace != AWithOutWorkplace && SameTextIgnoringCase(workplace->Name(), AName);
    }
    if (!clash)
        return AName;
    QString stem;
    int number = 0;
    SplitTrailingNumber(AName, stem, number);
    for (;;) {
        ++number;
        const TWorkplace* found = Items(stem + QString::number(number));
        if (!found || found == AWithOutWorkplace)
            break;
    }
    return stem + QString::number(number);
}

QString TWorkplaceList::VerifyShortcut(const QString& AShortcut, const TWorkplace* AWithOutWorkplace) const
{
    if (AShortcut.isEmpty())
        return QString();
    bool clash = false;
    for (int i = 0; i < Count() && !clash; ++i) {
        const TWorkplace* workplace = TSCTypedList<TWorkplace>::Items(i);
        clash = workplace != AWithOutWorkplace && SameTextIgnoringCase(workplace->Shortcut(), AShortcut);
    }
    if (!clash)
        return AShortcut;
    QString stem;
    int number = 0;
    SplitTrailingNumber(AShortcut, stem, number);
    for (;;) {
        ++number;
        const TWorkplace* found = Items(QLatin1Char('^') + stem + QString::number(number));
        if (!found || found == AWithOutWorkplace)
            break;
    }
    return stem + QString::number(number);
}

// --- TWorkplaceMan ---

TFieldDefs TWorkplaceMan::FieldDefs()
{
    return {{QStringLiteral("ID"), ftAutoInc, 0},
            {QStringLiteral("Shortcut"), ftString, 10},
            {QStringLiteral("Name"), ftString, 50},
            {QStringLiteral("Color"), ftInteger, 0},
            {QStringLiteral("Note"), ftString, 80}};
}

TWorkplaceMan::TWorkplaceMan() : FWorkplaces(TSCList::Create<TWorkplaceList>())
{
    DSWorkplacesDef.SetFieldDefs(FieldDefs());
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
    DSWorkplaces.Close();
    DSWorkplaces.SetFileName(IncludeBackslash(CurrentDataDir()) + FileName);
    TDataMan::CheckDBStructure(DSWorkplaces, DSWorkplacesDef);
    LoadWorkplaces();
}

void TWorkplaceMan::CloseDBFiles()
{
    DSWorkplaces.Close();
}

void TWorkplaceMan::LoadWorkplaces()
{
    FWorkplaces->FreeObjects();
    DSWorkplaces.SetFiltered(false);
    if (!DSWorkplaces.Active() || !DSWorkplaces.First())
        return;
    while (!DSWorkplaces.Eof()) {
        auto workplace = TSCObject::Create<TWorkplace>();
        if (workplace->LoadFromDB(DSWorkplaces)) {
            workplace->SetName(FWorkplaces->VerifyName(workplace->Name(), nullptr));
            workplace->SetShortcut(FWorkplaces->VerifyShortcut(workplace->Shortcut(), nullptr));
            workplace->FList = FWorkplaces.get();
            FWorkplaces->Add(std::move(workplace));
        }
        if (!DSWorkplaces.Next())
            break;
    }
}

bool TWorkplaceMan::Store(TWorkplace* AWorkplace)
{
    AWorkplace->SetName(FWorkplaces->VerifyName(AWorkplace->Name(), AWorkplace));
    AWorkplace->SetShortcut(FWorkplaces->VerifyShortcut(AWorkplace->Shortcut(), AWorkplace));
    if (!DSWorkplaces.CanModify())
        return false;
    DSWorkplaces.SetFiltered(false);
    const int formerID = AWorkplace->FID;
    if (AWorkplace->StoreToDB(DSWorkplaces) && DSWorkplaces.Save())
        return true;
    DSWorkplaces.CancelUpdates();
    AWorkplace->FID = formerID;
    AWorkplace->FModified = true;
    return false;
}

bool TWorkplaceMan::InsertWorkplace(TWorkplace* AWorkplace)
{
    if (!AWorkplace || (AWorkplace->FList && AWorkplace->FList != FWorkplaces.get()))
        return false;
    return Store(AWorkplace);
}

bool TWorkplaceMan::InsertWorkplace(std::unique_ptr<TWorkplace>& AWorkplace)
{
    if (!AWorkplace || (AWorkplace->FList && AWorkplace->FList != FWorkplaces.get()))
        return false;
    if (FWorkplaces->IndexOf(AWorkplace.get()) >= 0)
        return Store(AWorkplace.get());
    if (!Store(AWorkplace.get()))
        return false;
    AWorkplace->FList = FWorkplaces.get();
    FWorkplaces->Add(std::move(AWorkplace));
    return true;
}

TWorkplace* TWorkplaceMan::AddWorkplace()
{
    auto workplace = TSCObject::Create<TWorkplace>();
    workplace->LoadDefault(255);
    workplace->FList = FWorkplaces.get();
    if (!workplace->Edit())
        return nullptr;
    TWorkplace* added = workplace.get();
    return InsertWorkplace(workplace) ? added : nullptr;
}

bool TWorkplaceMan::EditWorkplace(TWorkplace* AWorkplace)
{
    if (!AWorkplace || (AWorkplace->FList && AWorkplace->FList != FWorkplaces.get()))
        return false;
    TWorkplaceList* former = AWorkplace->FList;
    AWorkplace->FList = FWorkplaces.get();
    auto before = TSCObject::Create<TWorkplace>();
    before->Assign(*AWorkplace);
    if (!AWorkplace->Edit()) {
        AWorkplace->FList = former;
        return false;
    }
    const bool inList = FWorkplaces->IndexOf(AWorkplace) >= 0;
    if (!inList)
        AWorkplace->FList = former;
    if (Store(AWorkplace))
        return true;
    TObject* editor = AWorkplace->FEditor;
    AWorkplace->Assign(*before);
    AWorkplace->FEditor = editor;
    AWorkplace->FList = inList ? FWorkplaces.get() : former;
    return false;
}

bool TWorkplaceMan::DeleteWorkplace(int AWorkplaceID, std::unique_ptr<TWorkplace>* ATaken)
{
    if (AWorkplaceID <= 0 || !DSWorkplaces.CanModify())
        return false;
    DSWorkplaces.SetFiltered(false);
    if (!DSWorkplaces.Locate(QStringLiteral("ID"), AWorkplaceID))
        return false;
    if (!DSWorkplaces.Delete() || !DSWorkplaces.Save()) {
        DSWorkplaces.CancelUpdates();
        return false;
    }
    const int index = FWorkplaces->IndexOf(FWorkplaces->Items(-AWorkplaceID));
    if (index >= 0) {
        auto taken = FWorkplaces->Extract(index);
        taken->FList = nullptr;
        if (ATaken)
            *ATaken = std::move(taken);
    }
    return true;
}
