#include "setup/setup_editor.h"

#include "core/dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
TSetupEditor::TMaintenanceRunner& MaintenanceRunner()
{
    static TSetupEditor::TMaintenanceRunner runner;
    return runner;
}

TSetupEditor::TConnectionTester& ConnectionTester()
{
    static TSetupEditor::TConnectionTester tester;
    return tester;
}
} // namespace

void TSetupEditor::SetMaintenanceRunner(TMaintenanceRunner ARunner)
{
    MaintenanceRunner() = std::move(ARunner);
}

void TSetupEditor::SetConnectionTester(TConnectionTester ATester)
{
    ConnectionTester() = std::move(ATester);
}

TSetupEditor::TSetupEditor(QWidget* AParent)
    : TSCModalEditor(QStringLiteral("The setup is not saved. Do you want to save?"), AParent)
{
    setObjectName(QStringLiteral("SetupEditor"));
    setWindowTitle(QStringLiteral("Setup"));
    setFixedSize(535, 343);

    auto* layout = new QVBoxLayout(this);
    PageControl = Named(new QTabWidget(this), "PageControl");
    layout->addWidget(PageControl);

    // General
    TSGeneral = Named(new QWidget, "TSGeneral");
    {
        auto* group = new QGroupBox(QStringLiteral("Texts and logo in header"), TSGeneral);
        auto* grid = new QGridLayout(group);
        EditNote = Named(new QLineEdit, "EditNote");
        EditSubNote = Named(new QLineEdit, "EditSubNote");
        EditLogoFName = Named(new QLineEdit, "EditLogoFName");
        QAction* browse
            = EditLogoFName->addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
        browse->setObjectName(QStringLiteral("EditLogoFNameButton"));
        browse->setToolTip(QStringLiteral("Select bitmap 64x64 dots with a logo"));
        connect(browse, &QAction::triggered, this, [this] {
            if (FObject && !FSilent)
                SelectLogoFile();
        });
        grid->addWidget(new QLabel(QStringLiteral("Company or Organization")), 0, 0);
        grid->addWidget(EditNote, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Department, Division...")), 1, 0);
        grid->addWidget(EditSubNote, 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("File name of logo")), 2, 0);
        grid->addWidget(EditLogoFName, 2, 1);
        ImageLogo = Named(new QLabel, "ImageLogo");
        ImageLogo->setFixedSize(64, 64);
        ImageLogo->setAlignment(Qt::AlignCenter);
        grid->addWidget(ImageLogo, 3, 0, 1, 2, Qt::AlignHCenter);
        auto* hint = new QLabel(QStringLiteral("Logo is bitmap (.BMP) picture with dimensions 64x64 dots. "
                                               "Transparent color is a left bottom dot of image."));
        hint->setWordWrap(true);
        grid->addWidget(hint, 4, 0, 1, 2);
        (new QVBoxLayout(TSGeneral))->addWidget(group);
    }
    // Workers
    TSPersons = Named(new QWidget, "TSPersons");
    {
        auto* group = new QGroupBox(QStringLiteral("Sorting name"), TSPersons);
        CBSwapFirstAndSurName
            = Named(new QCheckBox(QStringLiteral("Auto swap first name and surname on creating \"Sorting name\"")),
                "CBSwapFirstAndSurName");
        (new QVBoxLayout(group))->addWidget(CBSwapFirstAndSurName);
        auto* page = new QVBoxLayout(TSPersons);
        page->addWidget(group);
        page->addStretch();
    }
    // Daily schedule
    TSDailySchedule = Named(new QWidget, "TSDailySchedule");
    {
        auto* group = new QGroupBox(QStringLiteral("Workplaces"), TSDailySchedule);
        CBShowNoteOnDSWorkplace
            = Named(new QCheckBox(QStringLiteral("Show note on workplace")), "CBShowNoteOnDSWorkplace");
        (new QVBoxLayout(group))->addWidget(CBShowNoteOnDSWorkplace);
        auto* page = new QVBoxLayout(TSDailySchedule);
        page->addWidget(group);
        page->addStretch();
    }
    // Data
    TSData = Named(new QWidget, "TSData");
    {
        auto* group = new QGroupBox(QStringLiteral("Data location"), TSData);
        auto* grid = new QGridLayout(group);
        RBUserDocuments = Named(new QRadioButton(QStringLiteral("User Documents")), "RBUserDocuments");
        RBUserAppData = Named(new QRadioButton(QStringLiteral("User Application Data")), "RBUserAppData");
        RBCommonDocuments = Named(new QRadioButton(QStringLiteral("Public Documents")), "RBCommonDocuments");
        RBOtherDataFolder = Named(new QRadioButton(QStringLiteral("User defined folder")), "RBOtherDataFolder");
        LabelUserDocuments = Named(new QLabel, "LabelUserDocuments");
        LabelUserAppData = Named(new QLabel, "LabelUserAppData");
        LabelCommonDocuments = Named(new QLabel, "LabelCommonDocuments");
        EditOtherDataFolder = Named(new QLineEdit, "EditOtherDataFolder");
        EditOtherDataFolder->setReadOnly(true);
        EditOtherDataFolder->setFocusPolicy(Qt::ClickFocus); // not in the tab order
        ButtonSelectOtherDataFolder
            = Named(new QPushButton(QStringLiteral("Select folder...")), "ButtonSelectOtherDataFolder");
        ButtonSelectOtherDataFolder->setAutoDefault(false);
        int row = 0;
        for (auto [radio, label] : {std::pair{RBUserDocuments, LabelUserDocuments},
                 std::pair{RBUserAppData, LabelUserAppData}, std::pair{RBCommonDocuments, LabelCommonDocuments}}) {
            label->setMinimumWidth(10);
            grid->addWidget(radio, row, 0);
            grid->addWidget(label, row, 1, 1, 2);
            ++row;
        }
        grid->addWidget(RBOtherDataFolder, row, 0);
        grid->addWidget(EditOtherDataFolder, row, 1);
        grid->addWidget(ButtonSelectOtherDataFolder, row, 2);
        ++row;
        RBServer = Named(new QRadioButton(QStringLiteral("PostgreSQL server")), "RBServer");
        EditServerConnInfo = Named(new QLineEdit, "EditServerConnInfo");
        EditServerConnInfo->setPlaceholderText(QStringLiteral("service=plenvo"));
        ButtonTestConnection = Named(new QPushButton(QStringLiteral("Test connection")), "ButtonTestConnection");
        ButtonTestConnection->setAutoDefault(false);
        LabelServerHint = Named(new QLabel(QStringLiteral("A service name, or host=… dbname=… user=…; "
                                                          "the password comes from ~/.pgpass.")),
            "LabelServerHint");
        LabelServerHint->setWordWrap(true);
        grid->addWidget(RBServer, row, 0);
        grid->addWidget(EditServerConnInfo, row, 1);
        grid->addWidget(ButtonTestConnection, row, 2);
        grid->addWidget(LabelServerHint, row + 1, 1, 1, 2);
        grid->setColumnStretch(1, 1);
        auto* page = new QVBoxLayout(TSData);
        page->addWidget(group);
        page->addStretch();
        auto* kinds = new QButtonGroup(this);
        kinds->addButton(RBUserDocuments, sddkUserDocuments);
        kinds->addButton(RBUserAppData, sddkUserAppData);
        kinds->addButton(RBCommonDocuments, sddkCommonDocuments);
        kinds->addButton(RBOtherDataFolder, sddkOtherDataFolder);
        kinds->addButton(RBServer, sddkServer);
    }
    // Data maintenance
    TSDataMaintenance = Named(new QWidget, "TSDataMaintenance");
    {
        auto* group = new QGroupBox(QStringLiteral("Permanently removing old and deleted records"), TSDataMaintenance);
        auto* grid = new QGridLayout(group);
        RBDataMaintenanceCompress
            = Named(new QRadioButton(QStringLiteral("Remove only deleted records")), "RBDataMaintenanceCompress");
        RBDataMaintenanceDeleteOldAndCompress = Named(
            new QRadioButton(QStringLiteral("Remove all older records, than date bellow and Remove deleted records")),
            "RBDataMaintenanceDeleteOldAndCompress");
        DTPickerDateMaintennaceOldRecordsDate = Named(new QDateEdit, "DTPickerDateMaintennaceOldRecordsDate");
        DTPickerDateMaintennaceOldRecordsDate->setCalendarPopup(true);
        CBCreateBackup
            = Named(new QCheckBox(QStringLiteral("Create backup of files before starting maintenance (recommended)")),
                "CBCreateBackup");
        ButtonRunMaintenance = Named(new QPushButton(QStringLiteral("Run maintenance")), "ButtonRunMaintenance");
        ButtonRunMaintenance->setAutoDefault(false);
        ProgressBarMaintenance = Named(new QProgressBar, "ProgressBarMaintenance");
        ProgressBarMaintenance->setRange(0, 100);
        ScrollBoxMaintenanceResult = Named(new QScrollArea, "ScrollBoxMaintenanceResult");
        LabelMaintenanceResult = Named(new QLabel, "LabelMaintenanceResult");
        LabelMaintenanceResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        LabelMaintenanceResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
        ScrollBoxMaintenanceResult->setWidget(LabelMaintenanceResult);
        ScrollBoxMaintenanceResult->setWidgetResizable(true);
        // The log takes every row the controls leave: a run writes a dozen lines.
        grid->setVerticalSpacing(2);
        grid->setContentsMargins(6, 0, 6, 2);
        grid->addWidget(RBDataMaintenanceCompress, 0, 0, 1, 3);
        grid->addWidget(RBDataMaintenanceDeleteOldAndCompress, 1, 0, 1, 3);
        // The date stands below its choice, in line with the caption, which
        // so keeps the whole width of the dialog.
        auto* dateRow = new QHBoxLayout;
        dateRow->setContentsMargins(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth)
                                        + style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing),
            0, 0, 0);
        dateRow->addWidget(DTPickerDateMaintennaceOldRecordsDate);
        dateRow->addStretch(1);
        grid->addLayout(dateRow, 2, 0, 1, 3);
        grid->addWidget(CBCreateBackup, 3, 0, 1, 3);
        grid->addWidget(ButtonRunMaintenance, 4, 0);
        grid->addWidget(ProgressBarMaintenance, 4, 1, 1, 2);
        grid->addWidget(ScrollBoxMaintenanceResult, 5, 0, 1, 3);
        grid->setRowStretch(5, 1);
        grid->setColumnStretch(1, 1);
        auto* page = new QVBoxLayout(TSDataMaintenance);
        page->setContentsMargins(4, 4, 4, 4);
        page->addWidget(group);
        // Each appended line is shown: the box follows its end.
        QScrollBar* logBar = ScrollBoxMaintenanceResult->verticalScrollBar();
        connect(logBar, &QScrollBar::rangeChanged, logBar, [logBar](int, int AMaximum) { logBar->setValue(AMaximum); });
    }
    PageControl->addTab(TSGeneral, QStringLiteral("General"));
    PageControl->addTab(TSPersons, QStringLiteral("Workers"));
    PageControl->addTab(TSDailySchedule, QStringLiteral("Daily schedule"));
    PageControl->addTab(TSData, QStringLiteral("Data"));
    PageControl->addTab(TSDataMaintenance, QStringLiteral("Data maintenance"));

    auto* buttons = new QHBoxLayout;
    AddButtons(buttons, QStringLiteral("Cancel"));
    layout->addLayout(buttons);
    FCommitEdits = {EditNote, EditSubNote, EditLogoFName, EditServerConnInfo};

    for (QLineEdit* edit : {EditNote, EditSubNote, EditLogoFName, EditServerConnInfo})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { ControlChanged(edit); });
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{CBSwapFirstAndSurName,
             CBShowNoteOnDSWorkplace, RBUserDocuments, RBUserAppData, RBCommonDocuments, RBOtherDataFolder,
             ButtonSelectOtherDataFolder, RBServer, ButtonTestConnection, RBDataMaintenanceCompress,
             RBDataMaintenanceDeleteOldAndCompress, ButtonRunMaintenance})
        connect(button, &QAbstractButton::clicked, this, [this, button] { ControlChanged(button); });

    // Keys reach the dialog before its controls.
    for (QWidget* control : std::initializer_list<QWidget*>{EditNote, EditSubNote, EditLogoFName, CBSwapFirstAndSurName,
             CBShowNoteOnDSWorkplace, EditOtherDataFolder, RBUserDocuments, RBUserAppData, RBCommonDocuments,
             RBOtherDataFolder, RBServer, EditServerConnInfo, RBDataMaintenanceCompress,
             RBDataMaintenanceDeleteOldAndCompress, DTPickerDateMaintennaceOldRecordsDate, CBCreateBackup})
        control->installEventFilter(this);
    ImageLogo->installEventFilter(this);
}

void TSetupEditor::SetDataLocked(bool ALocked)
{
    FDataLocked = ALocked;
    for (QWidget* control : std::initializer_list<QWidget*>{
             RBUserDocuments, RBUserAppData, RBCommonDocuments, RBOtherDataFolder, RBServer, ButtonRunMaintenance})
        control->setEnabled(!ALocked);
    if (FObject)
        DataChanged(FObject->Data(), QStringLiteral("DataDirKind"));
}

QLabel* TSetupEditor::FolderLabel(int AKind) const
{
    return AKind == 0 ? LabelUserDocuments : (AKind == 1 ? LabelUserAppData : LabelCommonDocuments);
}

void TSetupEditor::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCForm::DataChanged(ASender, AValueName);
    if (!FObject)
        return;
    const bool silent = FSilent;
    FSilent = true;
    const bool all = ASender == FObject && AValueName.isEmpty();
    auto is = [&](const char* AName) { return all || IsValueName(AValueName, AName); };

    if (ASender == FObject) {
        if (AValueName.isEmpty()) {
            RBDataMaintenanceCompress->setChecked(true);
            RBDataMaintenanceDeleteOldAndCompress->setChecked(false);
            DTPickerDateMaintennaceOldRecordsDate->setDate(QDate(QDate::currentDate().year(), 1, 1));
            DTPickerDateMaintennaceOldRecordsDate->setEnabled(false);
            ProgressBarMaintenance->setValue(0);
            ProgressBarMaintenance->hide();
            LabelMaintenanceResult->clear();
            FMaintanceWasRunning = false;
            CBCreateBackup->setChecked(true);
        }
        if (AValueName.isEmpty() || AValueName == QLatin1String("Modified"))
            SetCanSave(FObject->Modified());
    }
    TSetupGeneral* general = FObject->General();
    if (ASender == general || all) {
        if (is("Note"))
            EditNote->setText(general->Note());
        if (is("SubNote"))
            EditSubNote->setText(general->Subnote());
        if (is("LogoFName"))
            EditLogoFName->setText(general->LogoFName());
        if (all || AValueName == QLatin1String("Logo"))
            ImageLogo->setPixmap(QPixmap::fromImage(general->LogoImage()));
        if (all || AValueName == QLatin1String("ShowNoteOnDSWorkplace"))
            CBShowNoteOnDSWorkplace->setChecked(general->ShowNoteOnDSWorkplace());
        if (all || AValueName == QLatin1String("SwapFirstAndSurName"))
            CBSwapFirstAndSurName->setChecked(general->SwapFirstAndSurName());
    }
    TSetupData* data = FObject->Data();
    if (ASender == data || all) {
        if (all)
            for (int kind = 0; kind <= 2; ++kind) {
                QLabel* label = FolderLabel(kind);
                const QString folder = data->GetDataDirOfKind(kind);
                label->setToolTip(folder);
                label->setText(label->fontMetrics().elidedText(folder, Qt::ElideMiddle, 300));
            }
        if (all || AValueName == QLatin1String("DataDirKind")) {
            QRadioButton* const kinds[]
                = {RBUserDocuments, RBUserAppData, RBCommonDocuments, RBOtherDataFolder, RBServer};
            kinds[data->DataDirKind()]->setChecked(true);
            const bool other = data->DataDirKind() == sddkOtherDataFolder && !FDataLocked;
            EditOtherDataFolder->setEnabled(other);
            ButtonSelectOtherDataFolder->setEnabled(other);
            const bool server = data->DataDirKind() == sddkServer && !FDataLocked;
            EditServerConnInfo->setEnabled(server);
            ButtonTestConnection->setEnabled(server && ConnectionTester());
        }
        if (is("OtherDataFolder"))
            EditOtherDataFolder->setText(data->OtherDataFolder());
        if (is("ServerConnInfo"))
            EditServerConnInfo->setText(data->ServerConnInfo());
    }
    FSilent = silent;
}

void TSetupEditor::ControlChanged(QObject* ASender)
{
    if (!FObject || FSilent)
        return;
    TSetupGeneral* general = FObject->General();
    TSetupData* data = FObject->Data();
    if (ASender == EditNote)
        general->SetNote(EditNote->text());
    else if (ASender == EditSubNote)
        general->SetSubnote(EditSubNote->text());
    else if (ASender == EditLogoFName)
        general->SetLogoFName(EditLogoFName->text());
    else if (ASender == CBSwapFirstAndSurName)
        general->SetSwapFirstAndSurName(CBSwapFirstAndSurName->isChecked());
    else if (ASender == CBShowNoteOnDSWorkplace)
        general->SetShowNoteOnDSWorkplace(CBShowNoteOnDSWorkplace->isChecked());
    else if (ASender == RBUserDocuments)
        data->SetDataDirKind(sddkUserDocuments);
    else if (ASender == RBUserAppData)
        data->SetDataDirKind(sddkUserAppData);
    else if (ASender == RBCommonDocuments)
        data->SetDataDirKind(sddkCommonDocuments);
    else if (ASender == RBOtherDataFolder)
        data->SetDataDirKind(sddkOtherDataFolder);
    else if (ASender == ButtonSelectOtherDataFolder)
        SelectOtherDataFolder();
    else if (ASender == RBServer)
        data->SetDataDirKind(sddkServer);
    else if (ASender == EditServerConnInfo)
        CommitServerConnInfo();
    else if (ASender == ButtonTestConnection)
        TestConnection();
    else if (ASender == RBDataMaintenanceCompress)
        DTPickerDateMaintennaceOldRecordsDate->setEnabled(false);
    else if (ASender == RBDataMaintenanceDeleteOldAndCompress)
        DTPickerDateMaintennaceOldRecordsDate->setEnabled(true);
    else if (ASender == ButtonRunMaintenance)
        RunMaintenance();
}

void TSetupEditor::SelectLogoFile()
{
    QString file = FObject->General()->LogoFName();
    if (Dialogs().OpenFile(
            QStringLiteral("Select bitmap 64x64 dots with a logo"), QStringLiteral("Bitmaps (*.bmp)"), file))
        FObject->General()->SetLogoFName(file);
}

void TSetupEditor::SelectOtherDataFolder()
{
    QString folder;
    if (Dialogs().SelectFolder(QStringLiteral("Select folder for data"), folder))
        FObject->Data()->SetOtherDataFolder(folder);
}

void TSetupEditor::CommitServerConnInfo()
{
    TSetupData* data = FObject->Data();
    if (EditServerConnInfo->text().trimmed() == data->ServerConnInfo())
        return;
    const QString refusal = data->SetServerConnInfo(EditServerConnInfo->text());
    if (refusal.isEmpty())
        return;
    // A refused string is not kept, not even in the field.
    EditServerConnInfo->setText(data->ServerConnInfo());
    ShowMessageBox(refusal, mtWarning, mbOK);
}

void TSetupEditor::TestConnection()
{
    if (!ConnectionTester())
        return;
    CommitServerConnInfo();
    const QString connInfo = EditServerConnInfo->text().trimmed();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString failure = ConnectionTester()(connInfo);
    QApplication::restoreOverrideCursor();
    if (failure.isEmpty())
        ShowMessageBox(QStringLiteral("The server answered: the connection works."), mtInformation, mbOK);
    else
        ShowMessageBox(QStringLiteral("No connection to the server:\r\n%1").arg(failure), mtError, mbOK);
}

bool TSetupEditor::AcceptRefused() const
{
    if (!FObject || FObject->Data()->DataDirKind() != sddkServer || !FObject->Data()->ServerConnInfo().isEmpty())
        return false;
    ShowMessageBox(QStringLiteral("Write the server's connection string, or choose a folder."), mtWarning, mbOK);
    return true;
}

void TSetupEditor::RunMaintenance()
{
    if (FMaintenanceInProgress || FDataLocked)
        return;
    FMaintenanceInProgress = true;
    FMaintanceWasRunning = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);

    const bool pickerEnabled = DTPickerDateMaintennaceOldRecordsDate->isEnabled();
    const bool okEnabled = ButtonOK->isEnabled();
    const bool cancelEnabled = ButtonCancel->isEnabled();
    for (QWidget* control : std::initializer_list<QWidget*>{PageControl->tabBar(), RBDataMaintenanceCompress,
             RBDataMaintenanceDeleteOldAndCompress, DTPickerDateMaintennaceOldRecordsDate, CBCreateBackup,
             ButtonRunMaintenance, ButtonOK, ButtonCancel})
        control->setEnabled(false);
    ProgressBarMaintenance->show();
    LabelMaintenanceResult->clear();

    auto callback = [this](int APosition, const QString& AText) {
        ProgressBarMaintenance->setValue(APosition);
        LabelMaintenanceResult->setText(LabelMaintenanceResult->text() + AText);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const bool backup = CBCreateBackup->isChecked();
    bool run = true;
    TDate limit = 0;
    if (RBDataMaintenanceDeleteOldAndCompress->isChecked()) {
        const QDate date = DTPickerDateMaintennaceOldRecordsDate->date();
        const QString question = QStringLiteral("Will be deleted all relations Worker-Workplace older than %1.\r\n"
                                                "Do you want to continue?")
                                     .arg(QLocale().toString(date, QLocale::ShortFormat));
        run = ShowMessageBox(question, mtConfirmation, mbYes | mbNo) == mrYes;
        limit = DateToOle(date);
    }
    if (run && MaintenanceRunner())
        MaintenanceRunner()(limit, callback, backup);

    ProgressBarMaintenance->setValue(0);
    ProgressBarMaintenance->hide();
    ButtonRunMaintenance->setEnabled(true);
    CBCreateBackup->setEnabled(true);
    ButtonCancel->setEnabled(cancelEnabled);
    ButtonOK->setEnabled(okEnabled);
    DTPickerDateMaintennaceOldRecordsDate->setEnabled(pickerEnabled);
    RBDataMaintenanceCompress->setEnabled(true);
    RBDataMaintenanceDeleteOldAndCompress->setEnabled(true);
    PageControl->tabBar()->setEnabled(true);
    QApplication::restoreOverrideCursor();
    FMaintenanceInProgress = false;
}

void TSetupEditor::FormShow()
{
    QWidget* focus = EditNote;
    QWidget* page = TSGeneral;
    switch (FFirstPageIndex) {
    case 1:
        page = TSPersons;
        focus = CBSwapFirstAndSurName;
        break;
    case 2:
        page = TSDailySchedule;
        focus = CBShowNoteOnDSWorkplace;
        break;
    case 3:
        page = TSData;
        if (RBOtherDataFolder->isChecked() && ButtonSelectOtherDataFolder->isEnabled())
            focus = ButtonSelectOtherDataFolder;
        else if (RBServer->isChecked() && EditServerConnInfo->isEnabled())
            focus = EditServerConnInfo;
        else
            for (QRadioButton* radio : {RBUserDocuments, RBUserAppData, RBCommonDocuments, RBOtherDataFolder, RBServer})
                if (radio->isChecked())
                    focus = radio;
        break;
    default:
        break;
    }
    PageControl->setCurrentWidget(page);
    focus->setFocus();
}

void TSetupEditor::FocusOk()
{
    if (ButtonOK->isEnabled())
        ButtonOK->setFocus();
    else
        ButtonCancel->setFocus();
}

void TSetupEditor::MoveFocusOnEnter(QWidget* AFrom)
{
    if (AFrom == EditNote)
        EditSubNote->setFocus();
    else if (AFrom == EditSubNote)
        EditLogoFName->setFocus();
    else if (AFrom == RBOtherDataFolder && ButtonSelectOtherDataFolder->isEnabled())
        ButtonSelectOtherDataFolder->setFocus();
    else if (AFrom == RBServer && EditServerConnInfo->isEnabled())
        EditServerConnInfo->setFocus();
    else if (AFrom == RBDataMaintenanceDeleteOldAndCompress)
        DTPickerDateMaintennaceOldRecordsDate->setFocus();
    else if (AFrom == DTPickerDateMaintennaceOldRecordsDate || AFrom == CBCreateBackup
             || AFrom == RBDataMaintenanceCompress)
        ButtonRunMaintenance->setFocus();
    else {
        // Leaving a line edit by Enter commits it, as leaving by focus does.
        if (AFrom == EditLogoFName || AFrom == EditServerConnInfo)
            ControlChanged(AFrom);
        FocusOk();
    }
}

bool TSetupEditor::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == ImageLogo && AEvent->type() == QEvent::MouseButtonDblClick) {
        if (FObject && !FSilent)
            SelectLogoFile();
        return true;
    }
    return TSCModalEditor::eventFilter(AWatched, AEvent);
}
