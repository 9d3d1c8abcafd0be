// The user's settings: where the plan lives (a folder or a PostgreSQL server),
// the general options and the main window's placement, each group stored
// under the program's settings key.
#pragma once

#include "core/observable.h"
#include "core/utils.h"

#include <QImage>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QSettings;
class TSetup;

enum TSetupDataDirKind { sddkUserDocuments, sddkUserAppData, sddkCommonDocuments, sddkOtherDataFolder, sddkServer };

// Where the plan lives: a folder of table files or a PostgreSQL database.
struct TDataLocation {
    enum TKind { dlkFolder, dlkServer };
    TKind Kind = dlkFolder;
    // The folder (ending in a separator) or the connection string as written.
    QString Where;

    static TDataLocation Folder(const QString& APath);
    static TDataLocation Server(const QString& AConnInfo);
    bool IsServer() const { return Kind == dlkServer; }
    // For messages: the folder, or "PostgreSQL server (conninfo)".
    QString Describe() const;
    bool operator==(const TDataLocation&) const = default;
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

// The setup dialog as TSetup.Edit drives it.
class ISetupEditor : public ISCModalEditor {
public:
    virtual void SetFirstPageIndex(int APageIndex) = 0;
    // True once the data maintenance was started in the dialog.
    virtual bool MaintanceWasRunning() const = 0;
    // Locks the data folder choice and the maintenance (opened from inside an
    // editor, where reloading the registers would destroy the edited object).
    virtual void SetDataLocked(bool ALocked) = 0;
};

// Base of the three settings groups: a registry subkey of its own.
class TSetupGroup : public TObject {
public:
    TSetupGroup(TSetup* ASetup, QString AGroupName);

    const QString& GroupName() const { return FGroupName; }
    TSetup* Setup() const { return FSetup; }
    bool Modified() const { return FModified; }
    // Always stores the value and announces "Modified".
    void SetModified(bool AValue);

    // Reads the group's values through the setters; ends with Modified cleared.
    void Load();
    // Writes or deletes the values; Modified is cleared only when the write
    // reached the store. Returns whether it did.
    bool Store();

    virtual void LoadValues(QSettings& ASettings) = 0;
    virtual void StoreValues(QSettings& ASettings) const = 0;

protected:
    void Announce(const QString& AValueName);
    // The setter protocol: a new value is stored and announced, then Modified
    // is set; an equal one only announces the starred name.
    template <class V>
    bool ChangeValue(V& AField, const V& AValue, const QString& AValueName)
    {
        if (AField == AValue) {
            Announce(AValueName + QLatin1Char('*'));
            return false;
        }
        AField = AValue;
        Announce(AValueName);
        SetModified(true);
        return true;
    }
    void CopyGroupFields(const TSetupGroup& ASource);

private:
    TSetup* FSetup;
    QString FGroupName;
    bool FModified = false;
};

class TSetupData : public TSetupGroup {
public:
    explicit TSetupData(TSetup* ASetup);

    TSetupDataDirKind DataDirKind() const { return FDataDirKind; }
    void SetDataDirKind(TSetupDataDirKind AValue);
    // The chosen folder, or the user-documents product folder while none is.
    QString OtherDataFolder() const;
    void SetOtherDataFolder(const QString& AValue);
    // The folder as chosen, empty while none is.
    const QString& StoredOtherDataFolder() const { return FOtherDataFolder; }
    // The folder the tables live in, created on demand; resolved on every read.
    // On a server it is the user-documents folder, for the files that go
    // beside the plan.
    QString DataDir() const;
    QString GetDataDirOfKind(int AKind) const;

    // The server's connection string as written (service=… or key=value
    // pairs), kept while a folder is chosen.
    const QString& ServerConnInfo() const { return FServerConnInfo; }
    // Why the string is refused (a password, for one), empty when taken; a
    // refused string leaves the stored one as it was.
    QString SetServerConnInfo(const QString& AValue);
    // Why a connection string cannot be used, empty when it can: the store
    // installs its own rules. Until then any mention of a password is refused.
    using TConnInfoCheck = std::function<QString(const QString&)>;
    static void SetConnInfoCheck(TConnInfoCheck ACheck);
    static QString ConnInfoRefusal(const QString& AConnInfo);

    // Where the plan lives for this run: the location given on the command
    // line, else the one the settings name (a folder is not resolved).
    TDataLocation Location() const;
    // The settings' own choice, whatever the command line said.
    TDataLocation StoredLocation() const;
    // A location for this run only, never stored; none drops it. Choosing a
    // location in the setup dialog drops it too.
    void SetRunLocation(std::optional<TDataLocation> AValue) { FRunLocation = std::move(AValue); }
    const std::optional<TDataLocation>& RunLocation() const { return FRunLocation; }

    void Assign(const TSetupData& ASource);
    void LoadValues(QSettings& ASettings) override;
    void StoreValues(QSettings& ASettings) const override;

private:
    TSetupDataDirKind FDataDirKind = sddkUserDocuments;
    QString FOtherDataFolder;
    QString FServerConnInfo;
    std::optional<TDataLocation> FRunLocation;
};

class TSetupGeneral : public TSetupGroup {
public:
    explicit TSetupGeneral(TSetup* ASetup);

    int FirstDayInWeek() const { return FFirstDayInWeek; }
    const QImage& Logo() const { return FLogo; }
    bool LogoTransparent() const { return FLogoTransparent; }
    TColor LogoTransparentColor() const { return FLogoTransparentColor; }
    // The logo with its transparent colour turned into transparency.
    QImage LogoImage() const;
    const QString& LogoFName() const { return FLogoFName; }
    void SetLogoFName(const QString& AValue);
    int MaxPrevDayCount() const { return FMaxPrevDayCount; }
    void SetMaxPrevDayCount(int AValue);
    const QString& Note() const { return FNote; }
    void SetNote(const QString& AValue);
    const QString& Subnote() const { return FSubnote; }
    void SetSubnote(const QString& AValue);
    bool ShowNoteOnDSWorkplace() const { return FShowNoteOnDSWorkplace; }
    void SetShowNoteOnDSWorkplace(bool AValue);
    bool SwapFirstAndSurName() const { return FSwapFirstAndSurName; }
    void SetSwapFirstAndSurName(bool AValue);
    bool PrintInvolvedPersonsOnly() const { return FPrintInvolvedPersonsOnly; }
    void SetPrintInvolvedPersonsOnly(bool AValue);
    bool PrintOccupiedDaysOnly() const { return FPrintOccupiedDaysOnly; }
    void SetPrintOccupiedDaysOnly(bool AValue);
    bool PrintOccupiedWorkplacesOnly() const { return FPrintOccupiedWorkplacesOnly; }
    void SetPrintOccupiedWorkplacesOnly(bool AValue);
    TDateDaysKind DateDaysKind() const { return FDateDaysKind; }
    void SetDateDaysKind(TDateDaysKind AValue);

    void UpdateLogo();
    static QString TrimDegrees(const QString& AName);
    // Background colour of a weekday, counted from the locale's first day.
    TColor GetDayColor(int AIndex) const;

    void Assign(const TSetupGeneral& ASource);
    void LoadValues(QSettings& ASettings) override;
    void StoreValues(QSettings& ASettings) const override;

    static constexpr int LogoSize = 64;
    // Larger pictures are not loaded as logos.
    static constexpr int MaxLogoFileSide = 8192;

private:
    int FFirstDayInWeek = 1;
    QImage FLogo;
    bool FLogoTransparent = false;
    TColor FLogoTransparentColor = 0;
    QString FLogoFName;
    int FMaxPrevDayCount = 35;
    QString FNote;
    QString FSubnote;
    bool FShowNoteOnDSWorkplace = true;
    bool FSwapFirstAndSurName = false;
    bool FPrintInvolvedPersonsOnly = false;
    bool FPrintOccupiedDaysOnly = false;
    bool FPrintOccupiedWorkplacesOnly = false;
    TDateDaysKind FDateDaysKind = ddkWeek;
};

class TSetupMainWindow : public TSetupGroup {
public:
    explicit TSetupMainWindow(TSetup* ASetup);

    int Left() const { return FLeft; }
    void SetLeft(int AValue);
    int Top() const { return FTop; }
    void SetTop(int AValue);
    int Width() const { return FWidth; }
    void SetWidth(int AValue);
    int Height() const { return FHeight; }
    void SetHeight(int AValue);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState AValue);
    int MinClientWidth() const { return 784; }
    int MinClientHeight() const { return 465; }

    void Assign(const TSetupMainWindow& ASource);
    void LoadValues(QSettings& ASettings) override;
    void StoreValues(QSettings& ASettings) const override;

private:
    void ChangePlacement(int& AField, int AValue);

    int FLeft = 20;
    int FTop = 20;
    int FWidth = 800;
    int FHeight = 620;
    TWindowState FWindowState = wsNormal;
};

class TSetup : public TObject {
public:
    // A live setup loads itself now and stores its modified groups when
    // destroyed; a snapshot does neither.
    enum TKind { skLive, skSnapshot };
    explicit TSetup(TKind AKind = skLive);
    ~TSetup() override;
    TSetup(const TSetup&) = delete;
    TSetup& operator=(const TSetup&) = delete;

    // The live setup of this run, or none.
    static TSetup* Instance();

    TSetupData* Data() const { return FData.get(); }
    TSetupGeneral* General() const { return FGeneral.get(); }
    TSetupMainWindow* MainWindow() const { return FMainWindow.get(); }
    bool Modified() const;
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }

    void Load();
    // Stores every modified group; tells the user once when the store refused.
    // Returns whether everything was written.
    bool Store();
    void DataChanged(TObject* ASender, const QString& AValueName);
    // Runs the setup dialog; true when it closed with OK. ALockData keeps the
    // data folder and the maintenance out of reach (opened from an editor).
    bool Edit(int APageIndex, bool ALockData = false);
    // Copies every group's values and Modified flags, announcing only "Logo".
    void Assign(const TSetup& ASource);

    // Hooks for objects built on top of the settings: the data manager moves
    // the data (old folder, new folder; false when refused or failed), and the
    // main window hears about a finished dialog.
    void SetChangeDataDirHandler(std::function<bool(const QString&, const QString&)> AHandler);
    // A new location chosen in the dialog where a server is on either side:
    // the data manager moves or reopens the plan (false when refused or
    // failed, and the old choice is put back). Folder to folder still goes
    // to the data folder handler. Without a handler the choice is only stored.
    using TChangeLocationHandler = std::function<bool(const TDataLocation& AOld, const TDataLocation& ANew)>;
    void SetChangeLocationHandler(TChangeLocationHandler AHandler);
    void SetMainWindowView(TObject* AView) { FMainWindowView = AView; }

    // The store every group reads and writes (the platform's native one).
    static std::unique_ptr<QSettings> OpenSettings();

private:
    TKind FKind;
    // Before the groups: they announce while they are being created.
    TObject* FEditor = nullptr;
    TObject* FMainWindowView = nullptr;
    std::unique_ptr<TSetupData> FData;
    std::unique_ptr<TSetupGeneral> FGeneral;
    std::unique_ptr<TSetupMainWindow> FMainWindow;
    std::function<bool(const QString&, const QString&)> FChangeDataDir;
    TChangeLocationHandler FChangeLocation;
};
