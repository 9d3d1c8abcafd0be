#include "setup/setup.h"

#include "core/dialogs.h"
#include "core/program_info.h"
#include "core/screen.h"

#include <QColor>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QPainter>
#include <QSettings>

#include <cmath>
#include <optional>

namespace {

TSetup* LiveSetup = nullptr;

// A stored value of the wrong kind reads as missing.
std::optional<int> ReadInt(QSettings& ASettings, const QString& AName)
{
    const QVariant value = ASettings.value(AName);
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::Int && value.typeId() != QMetaType::UInt
        && value.typeId() != QMetaType::LongLong && value.typeId() != QMetaType::ULongLong)
        return std::nullopt;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<QString> ReadString(QSettings& ASettings, const QString& AName)
{
    const QVariant value = ASettings.value(AName);
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<bool> ReadBool(QSettings& ASettings, const QString& AName)
{
    const auto number = ReadInt(ASettings, AName);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

// The remainder of a division, never negative.
int NonNegativeRemainder(int AValue, int ADivisor)
{
    const int r = AValue % ADivisor;
    return r < 0 ? r + ADivisor : r;
}

void WriteOrRemove(QSettings& ASettings, const QString& AName, bool AWrite, const QVariant& AValue)
{
    if (AWrite)
        ASettings.setValue(AName, AValue);
    else
        ASettings.remove(AName);
}

QSize FrameAllowance()
{
    return MainWindowFrameAllowance().value_or(QSize(16, 56));
}

TSetupData::TConnInfoCheck& ConnInfoCheck()
{
    static TSetupData::TConnInfoCheck check;
    return check;
}

} // namespace

// --- TDataLocation ---

TDataLocation TDataLocation::Folder(const QString& APath)
{
    return {dlkFolder, IncludeBackslash(APath)};
}

TDataLocation TDataLocation::Server(const QString& AConnInfo)
{
    return {dlkServer, AConnInfo.trimmed()};
}

QString TDataLocation::Describe() const
{
    return IsServer() ? QStringLiteral("PostgreSQL server (%1)").arg(Where) : Where;
}

// --- TSetupGroup ---

TSetupGroup::TSetupGroup(TSetup* ASetup, QString AGroupName) : FSetup(ASetup), FGroupName(std::move(AGroupName)) {}

void TSetupGroup::SetModified(bool AValue)
{
    FModified = AValue;
    Announce(QStringLiteral("Modified"));
}

void TSetupGroup::Announce(const QString& AValueName)
{
    if (FSetup)
        FSetup->DataChanged(this, AValueName);
}

void TSetupGroup::CopyGroupFields(const TSetupGroup& ASource)
{
    FGroupName = ASource.FGroupName;
    FModified = ASource.FModified;
}

void TSetupGroup::Load()
{
    // A missing group reads as a group of missing values; nothing is created.
    auto settings = TSetup::OpenSettings();
    settings->beginGroup(FGroupName);
    LoadValues(*settings);
    settings->endGroup();
    SetModified(false);
}

bool TSetupGroup::Store()
{
    auto settings = TSetup::OpenSettings();
    // The settings name the data folder: they must outlive a power cut. The
    // folder is made here, each level synced into its parent, and the file
    // the store renames into place is synced with its folder.
    const QFileInfo file(settings->fileName());
    if (!FolderExists(file.absolutePath()))
        ForceFolders(file.absolutePath());
    settings->beginGroup(FGroupName);
    StoreValues(*settings);
    settings->endGroup();
    settings->sync();
    if (settings->status() != QSettings::NoError)
        return false;
    if (QFileInfo::exists(file.absoluteFilePath())
        && !(SyncPath(file.absoluteFilePath()) && SyncPath(file.absolutePath())))
        return false;
    SetModified(false);
    return true;
}

// --- TSetupData ---

TSetupData::TSetupData(TSetup* ASetup) : TSetupGroup(ASetup, QStringLiteral("Data")) {}

void TSetupData::SetDataDirKind(TSetupDataDirKind AValue)
{
    ChangeValue(FDataDirKind, AValue, QStringLiteral("DataDirKind"));
}

QString TSetupData::OtherDataFolder() const
{
    return FOtherDataFolder.isEmpty() ? GetDataDirOfKind(sddkUserDocuments) : FOtherDataFolder;
}

void TSetupData::SetOtherDataFolder(const QString& AValue)
{
    ChangeValue(FOtherDataFolder, AValue, QStringLiteral("OtherDataFolder"));
}

QString TSetupData::GetDataDirOfKind(int AKind) const
{
    static const int Folders[] = {CSIDL_PERSONAL, CSIDL_APPDATA, CSIDL_COMMON_DOCUMENTS};
    QString folder;
    if (AKind >= 0 && AKind <= 2)
        folder = IncludeBackslash(GetSpecialFolder(Folders[AKind])) + ProgramName();
    else if (AKind == sddkOtherDataFolder)
        folder = OtherDataFolder();
    else
        folder = GetDataDirOfKind(sddkUserDocuments);
    return IncludeBackslash(folder);
}

QString TSetupData::SetServerConnInfo(const QString& AValue)
{
    const QString value = AValue.trimmed();
    if (!value.isEmpty())
        if (const QString refusal = ConnInfoRefusal(value); !refusal.isEmpty())
            return refusal;
    ChangeValue(FServerConnInfo, value, QStringLiteral("ServerConnInfo"));
    return QString();
}

void TSetupData::SetConnInfoCheck(TConnInfoCheck ACheck)
{
    ConnInfoCheck() = std::move(ACheck);
}

QString TSetupData::ConnInfoRefusal(const QString& AConnInfo)
{
    if (ConnInfoCheck())
        return ConnInfoCheck()(AConnInfo);
    if (AConnInfo.contains(QLatin1String("password"), Qt::CaseInsensitive))
        return QStringLiteral("The connection string cannot hold a password: keep it in ~/.pgpass or the "
                              "service file.");
    return QString();
}

TDataLocation TSetupData::StoredLocation() const
{
    if (FDataDirKind == sddkServer)
        return TDataLocation::Server(FServerConnInfo);
    return TDataLocation::Folder(GetDataDirOfKind(FDataDirKind));
}

TDataLocation TSetupData::Location() const
{
    return FRunLocation ? *FRunLocation : StoredLocation();
}

QString TSetupData::DataDir() const
{
    const TDataLocation location = Location();
    const QString folder = location.IsServer() ? GetDataDirOfKind(sddkUserDocuments) : location.Where;
    if (!FolderExists(folder))
        ForceFolders(folder);
    if (!FolderExists(folder))
        return IncludeBackslash(GetSpecialFolder(CSIDL_PERSONAL));
    return folder;
}

void TSetupData::Assign(const TSetupData& ASource)
{
    CopyGroupFields(ASource);
    FDataDirKind = ASource.FDataDirKind;
    FOtherDataFolder = ASource.FOtherDataFolder;
    FServerConnInfo = ASource.FServerConnInfo;
    FRunLocation = ASource.FRunLocation;
}

void TSetupData::LoadValues(QSettings& ASettings)
{
    if (const auto kind = ReadInt(ASettings, QStringLiteral("DataDirKind")))
        // The folder kinds read as they always did, out-of-range ones too.
        SetDataDirKind(*kind == sddkServer
                           ? sddkServer
                           : static_cast<TSetupDataDirKind>(NonNegativeRemainder(*kind, sddkOtherDataFolder + 1)));
    else
        SetDataDirKind(sddkUserDocuments);
    if (const auto folder = ReadString(ASettings, QStringLiteral("OtherDataFolder")))
        SetOtherDataFolder(*folder);
    // A string edited by hand into a refused one is dropped.
    if (const auto connInfo = ReadString(ASettings, QStringLiteral("ServerConnInfo")))
        SetServerConnInfo(*connInfo);
}

void TSetupData::StoreValues(QSettings& ASettings) const
{
    ASettings.setValue(QStringLiteral("DataDirKind"), static_cast<int>(FDataDirKind));
    ASettings.setValue(QStringLiteral("OtherDataFolder"), OtherDataFolder());
    WriteOrRemove(ASettings, QStringLiteral("ServerConnInfo"), !FServerConnInfo.isEmpty(), FServerConnInfo);
}

// --- TSetupGeneral ---

TSetupGeneral::TSetupGeneral(TSetup* ASetup) : TSetupGroup(ASetup, QStringLiteral("General"))
{
    FFirstDayInWeek = QLocale().firstDayOfWeek() == Qt::Sunday ? 7 : 1;
    FLogo = QImage(LogoSize, LogoSize, QImage::Format_ARGB32_Premultiplied);
    UpdateLogo();
}

QImage TSetupGeneral::LogoImage() const
{
    if (!FLogoTransparent)
        return FLogo;
    QImage image = FLogo.convertToFormat(QImage::Format_ARGB32);
    const QRgb key
        = QColor(ColorRed(FLogoTransparentColor), ColorGreen(FLogoTransparentColor), ColorBlue(FLogoTransparentColor))
              .rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    return image;
}

void TSetupGeneral::SetLogoFName(const QString& AValue)
{
    if (FLogoFName == AValue) {
        Announce(QStringLiteral("LogoFName*"));
        return;
    }
    FLogoFName = AValue;
    UpdateLogo();
    Announce(QStringLiteral("LogoFName"));
    SetModified(true);
}

void TSetupGeneral::SetMaxPrevDayCount(int AValue)
{
    ChangeValue(FMaxPrevDayCount, ClampInt(1, 99, AValue), QStringLiteral("MaxPrevDayCount"));
}

void TSetupGeneral::SetNote(const QString& AValue)
{
    ChangeValue(FNote, AValue, QStringLiteral("Note"));
}

void TSetupGeneral::SetSubnote(const QString& AValue)
{
    ChangeValue(FSubnote, AValue, QStringLiteral("SubNote"));
}

void TSetupGeneral::SetShowNoteOnDSWorkplace(bool AValue)
{
    ChangeValue(FShowNoteOnDSWorkplace, AValue, QStringLiteral("ShowNoteOnDSWorkplace"));
}

void TSetupGeneral::SetSwapFirstAndSurName(bool AValue)
{
    ChangeValue(FSwapFirstAndSurName, AValue, QStringLiteral("SwapFirstAndSurName"));
}

void TSetupGeneral::SetPrintInvolvedPersonsOnly(bool AValue)
{
    ChangeValue(FPrintInvolvedPersonsOnly, AValue, QStringLiteral("PrintInvolvedPersonsOnly"));
}

void TSetupGeneral::SetPrintOccupiedDaysOnly(bool AValue)
{
    ChangeValue(FPrintOccupiedDaysOnly, AValue, QStringLiteral("PrintOccupiedDaysOnly"));
}

void TSetupGeneral::SetPrintOccupiedWorkplacesOnly(bool AValue)
{
    ChangeValue(FPrintOccupiedWorkplacesOnly, AValue, QStringLiteral("PrintOccupiedWorkplacesOnly"));
}

void TSetupGeneral::SetDateDaysKind(TDateDaysKind AValue)
{
    ChangeValue(
        FDateDaysKind, static_cast<TDateDaysKind>(ClampInt(ddkWeek, ddkMonth, AValue)), QStringLiteral("DateDaysKind"));
}

void TSetupGeneral::UpdateLogo()
{
    bool loaded = false;
    if (!FLogoFName.isEmpty()) {
        QImageReader reader(FLogoFName);
        const QSize size = reader.size();
        QImage picture;
        // Refuse huge pictures before decoding them.
        if (size.isValid() && size.width() <= MaxLogoFileSide && size.height() <= MaxLogoFileSide
            && reader.read(&picture) && !picture.isNull()) {
            const QRgb corner = picture.pixel(0, picture.height() - 1);
            FLogoTransparentColor = RGBToColor(qRed(corner), qGreen(corner), qBlue(corner));
            QImage logo(LogoSize, LogoSize, QImage::Format_RGB32);
            logo.fill(QColor::fromRgb(qRed(corner), qGreen(corner), qBlue(corner)));
            const int w = picture.width();
            const int h = picture.height();
            QRect target;
            if (w <= LogoSize && h <= LogoSize) {
                target = QRect((LogoSize - w) / 2, (LogoSize - h) / 2, w, h);
            } else if (w >= h) {
                const int drawnHeight = static_cast<int>(std::nearbyint(static_cast<double>(h) / w * LogoSize));
                target = QRect(0, (LogoSize - drawnHeight) / 2, LogoSize, drawnHeight);
            } else {
                const int drawnWidth = static_cast<int>(std::nearbyint(static_cast<double>(w) / h * LogoSize));
                target = QRect((LogoSize - drawnWidth) / 2, 0, drawnWidth, LogoSize);
            }
            QPainter painter(&logo);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, picture.convertToFormat(QImage::Format_RGB32));
            painter.end();
            FLogo = logo;
            FLogoTransparent = true;
            loaded = true;
        }
    }
    if (!loaded) {
        InitCoreResources();
        QImage logo(LogoSize, LogoSize, QImage::Format_ARGB32_Premultiplied);
        logo.fill(Qt::transparent);
        QPainter painter(&logo);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(logo.rect(), QImage(QStringLiteral(":/plenvo/icon.png")));
        painter.end();
        FLogo = logo;
        FLogoTransparent = false;
        FLogoTransparentColor = 0;
    }
    Announce(QStringLiteral("Logo"));
}

QString TSetupGeneral::TrimDegrees(const QString& AName)
{
    if (TrimBlanks(AName).isEmpty())
        return QString();
    QString name = AName;
    const int length = static_cast<int>(AName.size());
    if (length < 8)
        return name;
    const int half = length / 2;
    for (int comma = LastPos(QStringLiteral(","), name); comma > half; comma = LastPos(QStringLiteral(","), name))
        name.truncate(comma - 1);
    for (qsizetype stop = name.indexOf(QLatin1Char('.')); stop >= 0; stop = name.indexOf(QLatin1Char('.')))
        name.remove(0, stop + 1);
    name = TrimBlanks(name);
    return name.isEmpty() ? AName : name;
}

TColor TSetupGeneral::GetDayColor(int AIndex) const
{
    static const std::array<TColor, 8> IsoDayColors = {
        RGBToColor(0xFF, 0xFF, 0xFF), // unused
        RGBToColor(0xFF, 0xFF, 0xDD), // Monday
        RGBToColor(0xFF, 0xEE, 0xFF), // Tuesday
        RGBToColor(0xEE, 0xFF, 0xEE), // Wednesday
        RGBToColor(0xFF, 0xEE, 0xDD), // Thursday
        RGBToColor(0xDD, 0xEE, 0xFF), // Friday
        RGBToColor(0xEE, 0xDD, 0xFF), // Saturday
        RGBToColor(0xFF, 0xDD, 0xDD), // Sunday
    };
    if (AIndex < 1 || AIndex > 7)
        return IsoDayColors[0];
    const int isoDay = FFirstDayInWeek == 1 ? AIndex : (AIndex == 1 ? 7 : AIndex - 1);
    return IsoDayColors[static_cast<size_t>(isoDay)];
}

void TSetupGeneral::Assign(const TSetupGeneral& ASource)
{
    CopyGroupFields(ASource);
    FFirstDayInWeek = ASource.FFirstDayInWeek;
    FLogoFName = ASource.FLogoFName;
    FMaxPrevDayCount = ASource.FMaxPrevDayCount;
    FNote = ASource.FNote;
    FSubnote = ASource.FSubnote;
    FShowNoteOnDSWorkplace = ASource.FShowNoteOnDSWorkplace;
    FSwapFirstAndSurName = ASource.FSwapFirstAndSurName;
    FPrintInvolvedPersonsOnly = ASource.FPrintInvolvedPersonsOnly;
    FPrintOccupiedDaysOnly = ASource.FPrintOccupiedDaysOnly;
    FPrintOccupiedWorkplacesOnly = ASource.FPrintOccupiedWorkplacesOnly;
    FDateDaysKind = ASource.FDateDaysKind;
    UpdateLogo();
}

void TSetupGeneral::LoadValues(QSettings& ASettings)
{
    if (const auto name = ReadString(ASettings, QStringLiteral("LogoFName")))
        SetLogoFName(*name);
    else
        UpdateLogo();
    if (const auto count = ReadInt(ASettings, QStringLiteral("MaxPrevDayCount")))
        SetMaxPrevDayCount(*count);
    if (const auto note = ReadString(ASettings, QStringLiteral("Note")))
        SetNote(*note);
    if (const auto show = ReadBool(ASettings, QStringLiteral("ShowNoteOnDSWorkplace")))
        SetShowNoteOnDSWorkplace(*show);
    if (const auto subnote = ReadString(ASettings, QStringLiteral("SubNote")))
        SetSubnote(*subnote);
    if (const auto swap = ReadBool(ASettings, QStringLiteral("SwapFirstAndSurName")))
        SetSwapFirstAndSurName(*swap);
    if (const auto flag = ReadBool(ASettings, QStringLiteral("PrintInvolvedPersonsOnly")))
        SetPrintInvolvedPersonsOnly(*flag);
    if (const auto flag = ReadBool(ASettings, QStringLiteral("PrintOccupiedDaysOnly")))
        SetPrintOccupiedDaysOnly(*flag);
    if (const auto flag = ReadBool(ASettings, QStringLiteral("PrintOccupiedWorkplacesOnly")))
        SetPrintOccupiedWorkplacesOnly(*flag);
    if (const auto kind = ReadInt(ASettings, QStringLiteral("DateDaysKind")))
        SetDateDaysKind(static_cast<TDateDaysKind>(ClampInt(0, 2, *kind)));
}

void TSetupGeneral::StoreValues(QSettings& ASettings) const
{
    WriteOrRemove(ASettings, QStringLiteral("LogoFName"), !FLogoFName.isEmpty(), FLogoFName);
    WriteOrRemove(ASettings, QStringLiteral("MaxPrevDayCount"), FMaxPrevDayCount != 35, FMaxPrevDayCount);
    WriteOrRemove(ASettings, QStringLiteral("Note"), !FNote.isEmpty(), FNote);
    WriteOrRemove(ASettings, QStringLiteral("ShowNoteOnDSWorkplace"), !FShowNoteOnDSWorkplace, 0);
    WriteOrRemove(ASettings, QStringLiteral("SubNote"), !FSubnote.isEmpty(), FSubnote);
    WriteOrRemove(ASettings, QStringLiteral("SwapFirstAndSurName"), FSwapFirstAndSurName, 1);
    WriteOrRemove(ASettings, QStringLiteral("PrintInvolvedPersonsOnly"), FPrintInvolvedPersonsOnly, 1);
    WriteOrRemove(ASettings, QStringLiteral("PrintOccupiedDaysOnly"), FPrintOccupiedDaysOnly, 1);
    WriteOrRemove(ASettings, QStringLiteral("PrintOccupiedWorkplacesOnly"), FPrintOccupiedWorkplacesOnly, 1);
    WriteOrRemove(ASettings, QStringLiteral("DateDaysKind"), FDateDaysKind != ddkWeek, static_cast<int>(FDateDaysKind));
}

// --- TSetupMainWindow ---

TSetupMainWindow::TSetupMainWindow(TSetup* ASetup) : TSetupGroup(ASetup, QStringLiteral("MainWindow")) {}

void TSetupMainWindow::ChangePlacement(int& AField, int AValue)
{
    if (AField == AValue)
        return;
    AField = AValue;
    SetModified(true);
}

void TSetupMainWindow::SetWidth(int AValue)
{
    const int minimum = FrameAllowance().width() + MinClientWidth();
    ChangePlacement(FWidth, std::min(std::max(AValue, minimum), PrimaryScreenSize().width()));
}

void TSetupMainWindow::SetHeight(int AValue)
{
    const int minimum = FrameAllowance().height() + MinClientHeight();
    const int height = std::min(std::max(AValue, minimum), PrimaryScreenSize().height());
    if (height == FHeight)
        return;
    ChangePlacement(FHeight, height);
    if (FTop + FHeight > PrimaryScreenSize().height())
        SetTop(PrimaryScreenSize().height() - FHeight);
}

void TSetupMainWindow::SetLeft(int AValue)
{
    int left = std::max(AValue, 0);
    if (left + FWidth > PrimaryScreenSize().width())
        left = PrimaryScreenSize().width() - FWidth;
    ChangePlacement(FLeft, left);
}

void TSetupMainWindow::SetTop(int AValue)
{
    int top = std::max(AValue, 0);
    if (top + FHeight > PrimaryScreenSize().height())
        top = PrimaryScreenSize().height() - FHeight;
    ChangePlacement(FTop, top);
}

void TSetupMainWindow::SetWindowState(TWindowState AValue)
{
    if (FWindowState == AValue)
        return;
    FWindowState = AValue;
    SetModified(true);
}

void TSetupMainWindow::Assign(const TSetupMainWindow& ASource)
{
    CopyGroupFields(ASource);
    FLeft = ASource.FLeft;
    FTop = ASource.FTop;
    FWidth = ASource.FWidth;
    FHeight = ASource.FHeight;
    FWindowState = ASource.FWindowState;
}

void TSetupMainWindow::LoadValues(QSettings& ASettings)
{
    if (const auto v = ReadInt(ASettings, QStringLiteral("Width")))
        SetWidth(*v);
    if (const auto v = ReadInt(ASettings, QStringLiteral("Left")))
        SetLeft(*v);
    if (const auto v = ReadInt(ASettings, QStringLiteral("Height")))
        SetHeight(*v);
    if (const auto v = ReadInt(ASettings, QStringLiteral("Top")))
        SetTop(*v);
    if (const auto v = ReadInt(ASettings, QStringLiteral("WindowState")))
        SetWindowState(static_cast<TWindowState>(NonNegativeRemainder(*v, 3)));
    else
        SetWindowState(wsNormal);
}

void TSetupMainWindow::StoreValues(QSettings& ASettings) const
{
    ASettings.setValue(QStringLiteral("WindowState"), static_cast<int>(FWindowState));
    if (FWindowState == wsNormal) {
        ASettings.setValue(QStringLiteral("Width"), FWidth);
        ASettings.setValue(QStringLiteral("Height"), FHeight);
        ASettings.setValue(QStringLiteral("Left"), FLeft);
        ASettings.setValue(QStringLiteral("Top"), FTop);
    }
}

// --- TSetup ---

TSetup::TSetup(TKind AKind)
    : FKind(AKind),
      FData(std::make_unique<TSetupData>(this)),
      FGeneral(std::make_unique<TSetupGeneral>(this)),
      FMainWindow(std::make_unique<TSetupMainWindow>(this))
{
    if (FKind == skLive) {
        LiveSetup = this;
        Load();
    }
}

TSetup::~TSetup()
{
    if (FKind == skLive) {
        Store();
        if (LiveSetup == this)
            LiveSetup = nullptr;
    }
}

TSetup* TSetup::Instance()
{
    return LiveSetup;
}

bool TSetup::Modified() const
{
    return FData->Modified() || FGeneral->Modified() || FMainWindow->Modified();
}

void TSetup::Load()
{
    FData->Load();
    FGeneral->Load();
    FMainWindow->Load();
}

bool TSetup::Store()
{
    bool stored = true;
    for (TSetupGroup* group : {static_cast<TSetupGroup*>(FData.get()), static_cast<TSetupGroup*>(FGeneral.get()),
             static_cast<TSetupGroup*>(FMainWindow.get())})
        if (group->Modified() && !group->Store())
            stored = false;
    if (!stored)
        ShowMessageBox(QStringLiteral("The settings could not be saved to \"%1\".\r\n"
                                      "The changes stay in effect until the program ends.")
                           .arg(OpenSettings()->fileName()),
            mtError, mbOK);
    return stored;
}

void TSetup::DataChanged(TObject* ASender, const QString& AValueName)
{
    SCNotifyEditor(FEditor, ASender, AValueName);
    if (dynamic_cast<TSetupGroup*>(ASender) && AValueName == QLatin1String("Modified"))
        DataChanged(this, AValueName);
}

void TSetup::Assign(const TSetup& ASource)
{
    FData->Assign(*ASource.FData);
    FGeneral->Assign(*ASource.FGeneral);
    FMainWindow->Assign(*ASource.FMainWindow);
}

void TSetup::SetChangeDataDirHandler(std::function<bool(const QString&, const QString&)> AHandler)
{
    FChangeDataDir = std::move(AHandler);
}

void TSetup::SetChangeLocationHandler(TChangeLocationHandler AHandler)
{
    FChangeLocation = std::move(AHandler);
}

bool TSetup::Edit(int APageIndex, bool ALockData)
{
    auto dialog = Dialogs().CreateEditor(QStringLiteral("TSetupEditor"));
    if (!dialog)
        return false;
    TSetup snapshot(skSnapshot);
    snapshot.Assign(*this);

    TObject* former = FEditor;
    auto* setupEditor = dynamic_cast<ISetupEditor*>(dialog.get());
    FEditor = dialog.get();
    dialog->Bind(this);
    if (setupEditor) {
        setupEditor->SetFirstPageIndex(APageIndex);
        setupEditor->SetDataLocked(ALockData);
    }
    const bool ok = dialog->ExecModal();
    const bool maintenance = setupEditor && setupEditor->MaintanceWasRunning();
    dialog.reset();
    FEditor = former;

    if (ok) {
        const TDataLocation oldLocation = snapshot.Data()->Location();
        // A location chosen in the dialog replaces the one of this run.
        if (FData->StoredLocation() != snapshot.Data()->StoredLocation())
            FData->SetRunLocation(std::nullopt);
        const TDataLocation newLocation = FData->Location();
        auto putBack = [&] {
            FData->SetOtherDataFolder(snapshot.Data()->StoredOtherDataFolder());
            FData->SetServerConnInfo(snapshot.Data()->ServerConnInfo());
            FData->SetDataDirKind(snapshot.Data()->DataDirKind());
            FData->SetRunLocation(snapshot.Data()->RunLocation());
        };
        bool reopened = false;
        if (!oldLocation.IsServer() && !newLocation.IsServer()) {
            // The move gets the folder the user chose, not a fallback, so a
            // folder that cannot be made puts the old setting back.
            const QString oldDir = snapshot.Data()->DataDir();
            const QString newDir = newLocation.Where;
            if (FChangeDataDir && !FChangeDataDir(oldDir, newDir))
                putBack();
            reopened = FChangeDataDir && oldDir != newDir;
        } else if (oldLocation != newLocation && FChangeLocation) {
            if (!FChangeLocation(oldLocation, newLocation))
                putBack();
            reopened = true;
        }
        Store();
        SCNotifyEditor(FMainWindowView, this, QString());
        if (maintenance || reopened)
            SCNotifyEditor(FMainWindowView, this, QStringLiteral("DataReopened"));
    } else {
        Assign(snapshot);
        if (maintenance) {
            SCNotifyEditor(FMainWindowView, this, QString());
            SCNotifyEditor(FMainWindowView, this, QStringLiteral("DataReopened"));
        }
    }
    return ok;
}

std::unique_ptr<QSettings> TSetup::OpenSettings()
{
    return std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, ProgramCompanyName(), ProgramName());
}
