// The setup dialog: edits the live settings page by page, chooses where the
// plan lives and runs the data maintenance. Opened only through TSetup.Edit.
#pragma once

#include "ui/view_guard.h"

#include "setup/setup.h"
#include "ui/sc_editor_form.h"

#include <functional>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;

class TSetupEditor : public TSCModalEditor<TSetup, ISetupEditor> {
    Q_OBJECT
public:
    // Runs the maintenance: date limit (0 purges nothing), progress callback
    // (position, text to append), backup first.
    using TMaintenanceRunner = std::function<void(TDate, const std::function<void(int, const QString&)>&, bool)>;
    static void SetMaintenanceRunner(TMaintenanceRunner ARunner);
    // Connects to a server for "Test connection": empty when it answered,
    // else why not in the server's own words. Without one the button is off.
    using TConnectionTester = std::function<QString(const QString& AConnInfo)>;
    static void SetConnectionTester(TConnectionTester ATester);

    explicit TSetupEditor(QWidget* AParent = nullptr);

    TSetup* Setup() const { return FObject; }
    void SetSetup(TSetup* ASetup) { SetObject(ASetup); }
    int FirstPageIndex() const { return FFirstPageIndex; }
    void SetFirstPageIndex(int APageIndex) override { FFirstPageIndex = APageIndex; }
    bool MaintenanceInProgress() const { return FMaintenanceInProgress; }
    bool MaintanceWasRunning() const override { return FMaintanceWasRunning; }
    void SetDataLocked(bool ALocked) override;

    void DataChanged(TObject* ASender, const QString& AValueName) override;

protected:
    void FormShow() override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void ControlChanged(QObject* ASender) override;
    bool CloseBlocked() const override { return FMaintenanceInProgress; }
    // Without changes OK is disabled, but an OK that comes anyway still closes.
    // A server location needs its connection string.
    bool AcceptRefused() const override;
    void SelectLogoFile();
    void SelectOtherDataFolder();
    void CommitServerConnInfo();
    void TestConnection();
    void RunMaintenance();
    void MoveFocusOnEnter(QWidget* AFrom) override;
    void FocusOk();
    QLabel* FolderLabel(int AKind) const;

    int FFirstPageIndex = 0;
    bool FMaintenanceInProgress = false;
    bool FMaintanceWasRunning = false;
    bool FDataLocked = false;

    QTabWidget* PageControl;
    QWidget* TSGeneral;
    QWidget* TSPersons;
    QWidget* TSDailySchedule;
    QWidget* TSData;
    QWidget* TSDataMaintenance;
    QLineEdit* EditNote;
    QLineEdit* EditSubNote;
    QLineEdit* EditLogoFName;
    QLabel* ImageLogo;
    QCheckBox* CBSwapFirstAndSurName;
    QCheckBox* CBShowNoteOnDSWorkplace;
    QRadioButton* RBUserDocuments;
    QRadioButton* RBUserAppData;
    QRadioButton* RBCommonDocuments;
    QRadioButton* RBOtherDataFolder;
    QLabel* LabelUserDocuments;
    QLabel* LabelUserAppData;
    QLabel* LabelCommonDocuments;
    QLineEdit* EditOtherDataFolder;
    QPushButton* ButtonSelectOtherDataFolder;
    QRadioButton* RBServer;
    QLineEdit* EditServerConnInfo;
    QPushButton* ButtonTestConnection;
    QLabel* LabelServerHint;
    QRadioButton* RBDataMaintenanceCompress;
    QRadioButton* RBDataMaintenanceDeleteOldAndCompress;
    QDateEdit* DTPickerDateMaintennaceOldRecordsDate;
    QCheckBox* CBCreateBackup;
    QPushButton* ButtonRunMaintenance;
    QProgressBar* ProgressBarMaintenance;
    QScrollArea* ScrollBoxMaintenanceResult;
    QLabel* LabelMaintenanceResult;
};
