#include "data/data_man.h"

#include "data/plan_copy.h"

#include "core/dialogs.h"
#include "core/program_info.h"
#include "data/history.h"
#include "data/job_man.h"
#include "data/macro_man.h"
#include "data/person_man.h"
#include "data/plan_tables.h"
#include "data/table_compress.h"
#include "data/table_file.h"
#include "data/workplace_man.h"
#include "setup/setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {
TDataMan* GDataMan = nullptr;

// Field lists match by position: the same name (letter case counts) and a
// size not smaller; types and extra fields of the file do not matter.
bool FieldListsMatch(const TFieldDefs& AFile, const TFieldDefs& ADef)
{
    for (int i = 0; i < ADef.size(); ++i) {
        if (i >= AFile.size())
            return false;
        if (AFile[i].Name != ADef[i].Name || AFile[i].Size < ADef[i].Size)
            return false;
    }
    return true;
}

QString FolderOf(const QString& APath)
{
    return QDir::toNativeSeparators(QFileInfo(APath).fileName());
}
} // namespace

TColorDlg::TColorDlg() : FColor(14286828)
{
    const TColor empty = 0xFFFFFFFF;
    FCustomColors = {0xE6E6FF, 0xD9EFFF, 0xD9FEFF, 0xD9FFF5, 0xD9FFEC, empty, empty, empty, 0xDBE67B, empty, 0xD9FCFF,
        empty, empty, empty, empty, empty};
}

bool TColorDlg::Execute()
{
    return Dialogs().SelectColor(FColor, FCustomColors);
}

TDataMan::TDataMan()
{
    GDataMan = this;
    if (TSetup* setup = TSetup::Instance()) {
        const TDataLocation location = setup->Data()->Location();
        FDataDir = IncludeBackslash(setup->Data()->DataDir());
        if (location.IsServer())
            FDataServer = location.Where.trimmed();
        else
            FHold.Hold(FDataDir);
        setup->SetChangeDataDirHandler(
            [this](const QString& AOld, const QString& ANew) { return ChangeDataDir(AOld, ANew); });
        setup->SetChangeLocationHandler(
            [this](const TDataLocation& AOld, const TDataLocation& ANew) { return ChangeLocation(AOld, ANew); });
    }
    DataModuleCreate();
}

TDataMan::~TDataMan()
{
    if (TSetup* setup = TSetup::Instance()) {
        setup->SetChangeDataDirHandler(nullptr);
        setup->SetChangeLocationHandler(nullptr);
    }
    if (GDataMan == this)
        GDataMan = nullptr;
}

TDataMan* TDataMan::Instance()
{
    return GDataMan;
}

void TDataMan::DataModuleCreate()
{
    // The print tables live in memory only and the drag cursors are the
    // toolkit's hand cursors, so only the report project is left to name.
    const QFileInfo program(QCoreApplication::applicationFilePath());
    FReportProjectFileName
        = IncludeBackslash(program.absolutePath()) + program.completeBaseName() + QStringLiteral(".rav");
}

void TDataMan::SetDataDir(const QString& AValue)
{
    FDataDir = IncludeBackslash(AValue);
    FHold.Hold(FDataDir);
}

void TDataMan::SetDataServer(const QString& AConnInfo)
{
    FDataServer = AConnInfo.trimmed();
    // Other copies may replace the folder's files: this one keeps none there.
    if (FDataServer.isEmpty())
        FHold.Hold(FDataDir);
    else
        FHold.Release();
}

QString CurrentDataServer()
{
    const TDataMan* dataMan = TDataMan::Instance();
    return dataMan ? dataMan->DataServer() : QString();
}

void AttachTable(TTable& ATable, const QString& AFileName)
{
    const QString server = CurrentDataServer();
    if (server.isEmpty())
        ATable.SetFileName(IncludeBackslash(CurrentDataDir()) + AFileName);
    else
        ATable.SetServerTable(server, AFileName);
}

QString CurrentDataDir()
{
    if (TDataMan* dataMan = TDataMan::Instance(); dataMan && !dataMan->DataDir().isEmpty())
        return dataMan->DataDir();
    if (TSetup* setup = TSetup::Instance())
        return setup->Data()->DataDir();
    return QString();
}

QStringList TDataMan::DataFileNames()
{
    QStringList names;
    for (const TPlanTable& table : PlanTables())
        names << QString::fromLatin1(table.FileName);
    return names;
}

bool TDataMan::CheckDBStructure(TTable& ADS, const TTable& ADSDef)
{
    const QString fileName = ADS.FileName();
    ADS.Close();
    ADS.SetFieldDefs(ADSDef.FieldDefs());
    if (ADS.OnServer()) {
        // Told once for each reason: the four tables usually share it.
        static QString told;
        if (ADS.Open() == orOpened) {
            told.clear();
        } else if (ADS.LastError() != told) {
            told = ADS.LastError();
            ShowMessageBox(QStringLiteral("The data server cannot be used: %1\r\nNothing is shown or stored "
                                          "until it can be reached.")
                               .arg(told),
                mtError, mbOK);
        }
        return false;
    }
    // Read first: a file of another structure is written to only by its rebuild.
    ADS.SetReadOnly(true);
    const TOpenResult result = ADS.Open();
    ADS.SetReadOnly(false);
    if (result == orOpened) {
        if (FieldListsMatch(ADS.FieldDefs(), ADSDef.FieldDefs())) {
            // Read as it is where it cannot be written now; a file another
            // program holds for writing is tried again while the copy runs.
            if (ADS.StartWriting() == orLocked)
                ShowMessageBox(QStringLiteral("The data file \"%1\" is being written by another program.\r\nIts "
                                              "records are shown; they can be changed once it lets go of the file.")
                                   .arg(QDir::toNativeSeparators(fileName)),
                    mtWarning, mbOK);
            return false;
        }
        QString reason = QStringLiteral("the file or its folder may not be written.");
        bool rebuilt = false;
        const TDataMan* dataMan = Instance();
        if (dataMan && dataMan->OthersWorkIn(QFileInfo(fileName).absolutePath())) {
            reason = QStringLiteral("another copy of the program has it open.");
        } else if (CanWriteFile(fileName)) {
            const TFieldDefs oldDefs = ADS.FieldDefs();
            ADS.Close();
            rebuilt = RebuildTableFile(fileName, oldDefs, ADSDef.FieldDefs(), &reason);
            ADS.SetFieldDefs(ADSDef.FieldDefs());
            // A file that could not be upgraded is only read: it stays as it was.
            ADS.SetReadOnly(!rebuilt);
            const bool opened = ADS.Open() == orOpened;
            ADS.SetReadOnly(false);
            if (!opened) {
                ADS.SetFieldDefs(ADSDef.FieldDefs());
                ADS.OpenEmptyStandIn();
            }
        }
        if (!rebuilt)
            ShowMessageBox(
                QStringLiteral("The data file \"%1\" has the structure of another version and could not be "
                               "upgraded: %2\r\nIt is left as it was; its records can be read but not changed.")
                    .arg(QDir::toNativeSeparators(fileName), reason),
                mtWarning, mbOK);
        return rebuilt;
    }
    ADS.SetFieldDefs(ADSDef.FieldDefs());
    if (result == orLocked) {
        ShowMessageBox(QStringLiteral("The data file \"%1\" is in use by another program or may not be read.\r\n"
                                      "Its table stays empty and unchanged until the file is opened again.")
                           .arg(QDir::toNativeSeparators(fileName)),
            mtWarning, mbOK);
        ADS.OpenEmptyStandIn();
        return false;
    }
    if (result == orDamaged) {
        const QString aside = SetFileAside(fileName);
        if (aside.isEmpty()) {
            ShowMessageBox(QStringLiteral("The data file \"%1\" cannot be read and cannot be set aside.\r\n"
                                          "It is left unchanged; its table stays empty until the file is repaired.")
                               .arg(QDir::toNativeSeparators(fileName)),
                mtError, mbOK);
            ADS.OpenEmptyStandIn();
            return false;
        }
        ShowMessageBox(QStringLiteral("The data file \"%1\" cannot be read.\r\n"
                                      "It was kept as \"%2\" and an empty table was created in its place.")
                           .arg(QDir::toNativeSeparators(fileName), FolderOf(aside)),
            mtWarning, mbOK);
    }
    if (!ADS.CreateDataSet()) {
        ADS.SetFieldDefs(ADSDef.FieldDefs());
        ADS.OpenEmptyStandIn();
    }
    return false;
}

void TDataMan::ReportUnusableRows(const QString& AFileName, qint64 ACount)
{
    static QHash<QString, qint64> told;
    if (ACount == 0) {
        told.remove(AFileName);
        return;
    }
    const auto it = told.constFind(AFileName);
    if (it != told.constEnd() && *it == ACount)
        return;
    told.insert(AFileName, ACount);
    const QString rows = ACount < 0    ? QStringLiteral("rows")
                         : ACount == 1 ? QStringLiteral("1 row")
                                       : QStringLiteral("%1 rows").arg(ACount);
    ShowMessageBox(QStringLiteral("The data file \"%1\" holds %2 that cannot be used (damaged, or with an ID out of "
                                  "range).\r\nThe program does not show them and leaves them in the file unchanged.")
                       .arg(QDir::toNativeSeparators(AFileName), rows),
        mtWarning, mbOK);
}

void TDataMan::CloseAllTables()
{
    if (TPersonMan* m = TPersonMan::Instance())
        m->CloseDBFiles();
    if (TWorkplaceMan* m = TWorkplaceMan::Instance())
        m->CloseDBFiles();
    if (TJobMan* m = TJobMan::Instance())
        m->CloseDBFiles();
    if (TMacroMan* m = TMacroMan::Instance())
        m->CloseDBFiles();
}

void TDataMan::OpenAllTables()
{
    // The steps name IDs of the tables read before, which may be gone.
    if (THistory* history = THistory::Instance())
        history->Clear();
    if (TPersonMan* m = TPersonMan::Instance())
        m->OpenDBFiles();
    if (TWorkplaceMan* m = TWorkplaceMan::Instance())
        m->OpenDBFiles();
    if (TJobMan* m = TJobMan::Instance())
        m->OpenDBFiles();
    if (TMacroMan* m = TMacroMan::Instance())
        m->OpenDBFiles();
}

bool TDataMan::RefuseFolderInUse(const QString& AFolder) const
{
    if (!OthersWorkIn(AFolder))
        return false;
    ShowMessageBox(QStringLiteral("The folder\r\n\"%1\"\r\nis open in another copy of the program, whose files "
                                  "cannot be replaced now.\r\nClose the program there and try again.")
                       .arg(ExcludeBackslash(IncludeBackslash(AFolder))),
        mtWarning, mbOK);
    return true;
}

bool TDataMan::ChangeDataDir(const QString& ADataDir, const QString& ANewDataDir)
{
    const QString oldDir = IncludeBackslash(ADataDir);
    const QString newDir = IncludeBackslash(ANewDataDir);
    bool result = FolderExists(newDir) || ForceFolders(newDir);
    if (!result)
        return false;
    // The same folder when both name the same place; letter case counts here.
    const QString oldCanonical = QFileInfo(ExcludeBackslash(oldDir)).canonicalFilePath();
    if (!oldCanonical.isEmpty() && oldCanonical == QFileInfo(ExcludeBackslash(newDir)).canonicalFilePath())
        return true;

    bool copy = true;
    const QStringList files = DataFileNames();
    const bool anyThere = std::any_of(
        files.begin(), files.end(), [&](const QString& AName) { return QFileInfo::exists(newDir + AName); });
    if (anyThere && RefuseFolderInUse(newDir))
        return false;
    if (anyThere) {
        const int answer = ShowMessageBox(
            QStringLiteral("Some files already exist on the new location\r\n\"%1\"\r\nDo you want to overwrite it?")
                .arg(ExcludeBackslash(newDir)),
            mtConfirmation, mbYes | mbNo | mbCancel);
        if (answer == mrYes)
            copy = true;
        else if (answer == mrNo)
            copy = false;
        else
            return false; // nothing closed, nothing copied
    }

    CloseAllTables();
    if (copy) {
        for (const QString& name : files) {
            if (!QFileInfo::exists(oldDir + name))
                continue;
            result = SafeCopyFile(oldDir + name, newDir + name);
            if (!result)
                break;
        }
    }
    // The tables follow the folder the settings will name after this call.
    SetDataDir(result ? newDir : oldDir);
    OpenAllTables();
    return result;
}

bool TDataMan::CommpressDB(const QString& ADBFName)
{
    return CompressTableFile(ADBFName);
}

bool TDataMan::ChangeLocation(const TDataLocation& AOld, const TDataLocation& ANew)
{
    if (!AOld.IsServer() && !ANew.IsServer())
        return ChangeDataDir(AOld.Where, ANew.Where);
    const auto tablesOf = [](const TDataLocation& ALocation) {
        return ALocation.IsServer() ? ServerTables(ALocation.Where) : FolderTables(ALocation.Where);
    };
    if (!ANew.IsServer() && (!(FolderExists(ANew.Where) || ForceFolders(ANew.Where)) || RefuseFolderInUse(ANew.Where)))
        return false;
    bool copy = true;
    switch (StoreHoldsRows(tablesOf(ANew))) {
    case -1:
        ShowMessageBox(QStringLiteral("The data cannot be read on the new location\r\n\"%1\"").arg(ANew.Describe()),
            mtError, mbOK);
        return false;
    case 1: {
        const int answer = ShowMessageBox(
            QStringLiteral("The new location\r\n\"%1\"\r\nholds a plan already. Do you want to replace it with this "
                           "one?\r\n(No: the plan there is used as it is.)")
                .arg(ANew.Describe()),
            mtConfirmation, mbYes | mbNo | mbCancel);
        if (answer == mrCancel)
            return false;
        copy = answer == mrYes;
        break;
    }
    default:
        break;
    }
    CloseAllTables();
    QString error;
    if (copy && !CopyPlan(tablesOf(AOld), tablesOf(ANew), error)) {
        OpenAllTables();
        ShowMessageBox(QStringLiteral("The data could not be moved to\r\n\"%1\"\r\n%2\r\nThe data stays where it was.")
                           .arg(ANew.Describe(), error),
            mtError, mbOK);
        return false;
    }
    if (ANew.IsServer()) {
        SetDataServer(ANew.Where);
    } else {
        SetDataDir(ANew.Where);
        SetDataServer(QString());
    }
    OpenAllTables();
    return true;
}
