#include "setup/setup_editor.h"
#include "support/dialog_driver.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString ReadRaw(const QString& AGroup, const QString& AName)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Zanthor Software", "Plenvo");
    return settings.value(AGroup + "/" + AName).toString();
}

class SetupEditorTest : public testing::Test {
protected:
    void TearDown() override { TSetupEditor::SetMaintenanceRunner(nullptr); }

    // Runs TSetup.Edit with the real dialog; AWhileOpen acts on the open
    // dialog and must close it.
    bool Edit(TSetup& ASetup, int APage, std::function<void(TSetupEditor*)> AWhileOpen, bool ALock = false)
    {
        WhileDialogOpen<TSetupEditor>("TSetupEditor", std::move(AWhileOpen));
        return ASetup.Edit(APage, ALock);
    }
};

} // namespace

TEST_F(SetupEditorTest, ClosingAtOnceAsksNothingAndStoresNothing)
{
    TSetup setup;
    bool okEnabled = true;
    QString cancelText;
    EXPECT_FALSE(Edit(setup, 0, [&](TSetupEditor* d) {
        okEnabled = Find<QPushButton>(d, "ButtonOK")->isEnabled();
        cancelText = Find<QPushButton>(d, "ButtonCancel")->text();
        QTest::keyClick(d, Qt::Key_Escape);
    }));
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(cancelText, "Close");
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts().isEmpty());
    EXPECT_FALSE(QFile::exists(TestEnv::SettingsFile()));
}

TEST_F(SetupEditorTest, EscapeAfterTypingAsksAndYesStores)
{
    TSetup setup;
    TestEnv::Dialogs().AnswerMessage(mrYes);
    QString cancelText;
    EXPECT_TRUE(Edit(setup, 0, [&](TSetupEditor* d) {
        auto* note = Find<QLineEdit>(d, "EditNote");
        note->setFocus();
        QTest::keyClicks(note, "Acme Ltd");
        QTest::keyClick(note, Qt::Key_Escape);
    }));
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts(), QStringList{"The setup is not saved. Do you want to save?"});
    EXPECT_EQ(setup.General()->Note(), "Acme Ltd");
    EXPECT_EQ(ReadRaw("General", "Note"), "Acme Ltd");
}

TEST_F(SetupEditorTest, EscapeAfterTypingAndNoRestores)
{
    TSetup setup;
    setup.General()->SetNote("Old");
    TestEnv::Dialogs().AnswerMessage(mrNo);
    EXPECT_FALSE(Edit(setup, 0, [&](TSetupEditor* d) {
        auto* note = Find<QLineEdit>(d, "EditNote");
        EXPECT_EQ(note->text(), "Old");
        TypeInto(note, "New");
        QTest::keyClick(note, Qt::Key_Escape);
    }));
    EXPECT_EQ(setup.General()->Note(), "Old");
}

TEST_F(SetupEditorTest, CancelInTheQuestionKeepsTheDialogOpen)
{
    TSetup setup;
    TestEnv::Dialogs().AnswerMessage(mrCancel);
    TestEnv::Dialogs().AnswerMessage(mrNo);
    bool stillOpen = false;
    Edit(setup, 0, [&](TSetupEditor* d) {
        auto* note = Find<QLineEdit>(d, "EditNote");
        note->setFocus();
        QTest::keyClicks(note, "x");
        d->reject();
        stillOpen = d->isVisible();
        d->reject();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts().size(), 2);
}

TEST_F(SetupEditorTest, EnterWalksToOk)
{
    TSetup setup;
    QString focusedAfter;
    Edit(setup, 0, [&](TSetupEditor* d) {
        auto* note = Find<QLineEdit>(d, "EditNote");
        EXPECT_TRUE(note->hasFocus());
        QTest::keyClicks(note, "Acme");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "EditSubNote");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "EditLogoFName");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        focusedAfter = QApplication::focusWidget()->objectName();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    EXPECT_EQ(focusedAfter, "ButtonOK");
    EXPECT_EQ(ReadRaw("General", "Note"), "Acme");
}

TEST_F(SetupEditorTest, PagesAndFirstFocus)
{
    TSetup setup;
    const std::pair<int, const char*> cases[] = {
        {0, "TSGeneral"}, {1, "TSPersons"}, {2, "TSDailySchedule"}, {3, "TSData"}, {4, "TSGeneral"}, {9, "TSGeneral"}};
    for (const auto& [page, name] : cases) {
        QString shown, focus;
        Edit(setup, page, [&](TSetupEditor* d) {
            shown = Find<QTabWidget>(d, "PageControl")->currentWidget()->objectName();
            focus = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            d->reject();
        });
        EXPECT_EQ(shown, name) << page;
        if (page == 1)
            EXPECT_EQ(focus, "CBSwapFirstAndSurName");
        if (page == 3)
            EXPECT_EQ(focus, "RBUserDocuments");
        if (page == 4)
            EXPECT_EQ(focus, "EditNote");
    }
}

// Run again with QT_SCALE_FACTOR=2 as ui.SetupCaptionsAt200Percent.
TEST_F(SetupEditorTest, EveryCaptionShowsWhole)
{
    TSetup setup;
    QStringList cut;
    Edit(setup, 0, [&](TSetupEditor* d) {
        auto* pages = Find<QTabWidget>(d, "PageControl");
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QCoreApplication::processEvents();
            for (QAbstractButton* button : pages->widget(i)->findChildren<QAbstractButton*>())
                if (!button->text().isEmpty() && button->sizeHint().width() > button->width())
                    cut << button->text();
            for (QGroupBox* group : pages->widget(i)->findChildren<QGroupBox*>())
                if (group->fontMetrics().horizontalAdvance(group->title()) + 16 > group->width())
                    cut << group->title();
        }
        d->reject();
    });
    EXPECT_EQ(cut, QStringList());
}

TEST_F(SetupEditorTest, UserDefinedFolderEnablesItsControls)
{
    TSetup setup;
    const QString chosen = TestEnv::NewFolder("chosen");
    TestEnv::Dialogs().AnswerFolder(chosen);
    bool before = true, during = false, after = true;
    QString shown;
    EXPECT_TRUE(Edit(setup, 3, [&](TSetupEditor* d) {
        auto* edit = Find<QLineEdit>(d, "EditOtherDataFolder");
        auto* button = Find<QPushButton>(d, "ButtonSelectOtherDataFolder");
        before = edit->isEnabled() || button->isEnabled();
        Find<QRadioButton>(d, "RBOtherDataFolder")->click();
        during = edit->isEnabled() && button->isEnabled();
        button->click();
        shown = edit->text();
        Find<QRadioButton>(d, "RBUserAppData")->click();
        after = edit->isEnabled() || button->isEnabled();
        Find<QRadioButton>(d, "RBOtherDataFolder")->click();
        Find<QPushButton>(d, "ButtonOK")->click();
    }));
    EXPECT_FALSE(before);
    EXPECT_TRUE(during);
    EXPECT_FALSE(after);
    EXPECT_EQ(shown, chosen);
    EXPECT_EQ(setup.Data()->DataDir(), chosen + "/");
    EXPECT_EQ(ReadRaw("Data", "DataDirKind"), "3");
}

TEST_F(SetupEditorTest, MaintenanceDefaultsAndRun)
{
    TSetup setup;
    TRecordingView mainWindow;
    setup.SetMainWindowView(&mainWindow);
    std::vector<std::pair<TDate, bool>> runs;
    TSetupEditor::SetMaintenanceRunner(
        [&](TDate ALimit, const std::function<void(int, const QString&)>& AProgress, bool ABackup) {
            runs.emplace_back(ALimit, ABackup);
            AProgress(50, "Half way.\n");
            AProgress(100, "Done.\n");
        });
    TestEnv::Dialogs().AnswerMessage(mrNo); // declines the purge
    QDate defaultDate;
    bool pickerEnabled = true;
    QString log;
    EXPECT_FALSE(Edit(setup, 0, [&](TSetupEditor* d) {
        auto* picker = Find<QDateEdit>(d, "DTPickerDateMaintennaceOldRecordsDate");
        defaultDate = picker->date();
        pickerEnabled = picker->isEnabled();
        Find<QCheckBox>(d, "CBCreateBackup")->setChecked(false);
        Find<QPushButton>(d, "ButtonRunMaintenance")->click();
        log = Find<QLabel>(d, "LabelMaintenanceResult")->text();
        Find<QRadioButton>(d, "RBDataMaintenanceDeleteOldAndCompress")->click();
        EXPECT_TRUE(picker->isEnabled());
        picker->setDate(QDate(2020, 3, 1));
        Find<QPushButton>(d, "ButtonRunMaintenance")->click();
        EXPECT_TRUE(Find<QPushButton>(d, "ButtonRunMaintenance")->isEnabled());
        d->reject();
    }));
    EXPECT_EQ(defaultDate, QDate(QDate::currentDate().year(), 1, 1));
    EXPECT_FALSE(pickerEnabled);
    ASSERT_EQ(runs.size(), 1u); // the purge was declined
    EXPECT_EQ(runs[0].first, 0.0);
    EXPECT_FALSE(runs[0].second);
    EXPECT_EQ(log, "Half way.\nDone.\n");
    ASSERT_EQ(TestEnv::Dialogs().MessageTexts().size(), 1);
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts()[0].startsWith(
        "Will be deleted all relations Worker-Workplace older than 01/03/2020.\r\nDo you want to continue?"));
    // A started maintenance refreshes the main window even after Cancel.
    EXPECT_EQ(mainWindow.Names, (QStringList{"", "DataReopened"}));
}

TEST_F(SetupEditorTest, OpenedFromAnEditorTheDataControlsAreLocked)
{
    TSetup setup;
    bool runEnabled = true, radioEnabled = true;
    Edit(
        setup, 1,
        [&](TSetupEditor* d) {
            runEnabled = Find<QPushButton>(d, "ButtonRunMaintenance")->isEnabled();
            radioEnabled = Find<QRadioButton>(d, "RBOtherDataFolder")->isEnabled();
            d->reject();
        },
        true);
    EXPECT_FALSE(runEnabled);
    EXPECT_FALSE(radioEnabled);
}

TEST_F(SetupEditorTest, LogoFileDialogSetsTheLogo)
{
    TSetup setup;
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    const QString file = TestEnv::NewFolder("logo") + "/logo.bmp";
    ASSERT_TRUE(picture.save(file, "BMP"));
    TestEnv::Dialogs().AnswerFile(file);
    TestEnv::Dialogs().AnswerFile(std::nullopt);
    QString shown, afterCancel;
    EXPECT_TRUE(Edit(setup, 0, [&](TSetupEditor* d) {
        auto* edit = Find<QLineEdit>(d, "EditLogoFName");
        edit->findChild<QAction*>("EditLogoFNameButton")->trigger();
        shown = edit->text();
        QTest::mouseDClick(Find<QLabel>(d, "ImageLogo"), Qt::LeftButton);
        afterCancel = edit->text();
        Find<QPushButton>(d, "ButtonOK")->click();
    }));
    EXPECT_EQ(shown, file);
    EXPECT_EQ(afterCancel, file);
    EXPECT_TRUE(setup.General()->LogoTransparent());
    EXPECT_EQ(TestEnv::Dialogs().Questions()[1].Text, "Select bitmap 64x64 dots with a logo|Bitmaps (*.bmp)");
}
