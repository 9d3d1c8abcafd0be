#include "setup/setup.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QSettings>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

QString ReadRaw(const QString& AGroup, const QString& AName)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Zanthor Software", "Plenvo");
    return settings.value(AGroup + "/" + AName).toString();
}

// A setup dialog double: changes the live settings while open, as the real
// dialog does, records what it hears and closes with a chosen result.
class TSetupEditorDouble : public ISetupEditor {
public:
    TSetupEditorDouble(
        std::function<void(TSetup*)> AAction, bool AOk, bool AMaintenance, int* APage, QStringList* AHeard)
        : FAction(std::move(AAction)),
          FOk(AOk),
          FMaintenance(AMaintenance),
          FPage(APage),
          FHeard(AHeard)
    {
    }
    void Bind(TObject* AObject) override
    {
        FSetup = dynamic_cast<TSetup*>(AObject);
        DataChanged(AObject, QString());
    }
    bool ExecModal() override
    {
        EXPECT_NE(FSetup, nullptr);
        if (FSetup) {
            EXPECT_EQ(FSetup->Editor(), this);
            if (FAction)
                FAction(FSetup);
        }
        return FOk;
    }
    void DataChanged(TObject*, const QString& AValueName) override { *FHeard << AValueName; }
    void SetFirstPageIndex(int APageIndex) override { *FPage = APageIndex; }
    bool MaintanceWasRunning() const override { return FMaintenance; }
    void SetDataLocked(bool ALocked) override { Locked = ALocked; }
    bool Locked = false;

private:
    std::function<void(TSetup*)> FAction;
    bool FOk;
    bool FMaintenance;
    int* FPage;
    QStringList* FHeard;
    TSetup* FSetup = nullptr;
};

class SetupEditTest : public testing::Test {
protected:
    void Provide(std::function<void(TSetup*)> AAction, bool AOk, bool AMaintenance = false)
    {
        TestEnv::Dialogs().ProvideEditor("TSetupEditor", [=, this]() -> std::unique_ptr<ISCModalEditor> {
            return std::make_unique<TSetupEditorDouble>(AAction, AOk, AMaintenance, &FPage, &FHeard);
        });
    }
    int FPage = -1;
    QStringList FHeard;
};

} // namespace

TEST_F(SetupEditTest, CancelRestoresValuesAndModifiedFlags)
{
    TSetup setup;
    setup.General()->SetSubnote("Before"); // unsaved from before the dialog
    TRecordingView former;
    setup.SetEditor(&former);
    Provide(
        [](TSetup* s) {
            s->General()->SetNote("Changed");
            s->General()->SetSubnote("Changed too");
            s->Data()->SetDataDirKind(sddkUserAppData);
            s->MainWindow()->SetWidth(1000);
        },
        false);

    EXPECT_FALSE(setup.Edit(2));
    EXPECT_EQ(FPage, 2);
    EXPECT_EQ(setup.Editor(), &former);
    EXPECT_EQ(setup.General()->Note(), "");
    EXPECT_EQ(setup.General()->Subnote(), "Before");
    EXPECT_EQ(setup.Data()->DataDirKind(), sddkUserDocuments);
    EXPECT_EQ(setup.MainWindow()->Width(), 800);
    EXPECT_TRUE(setup.General()->Modified());
    EXPECT_FALSE(setup.Data()->Modified());
    EXPECT_FALSE(setup.MainWindow()->Modified());
    // Nothing was written by the cancelled dialog.
    EXPECT_EQ(ReadRaw("General", "SubNote"), "");
    setup.SetEditor(nullptr);
}

TEST_F(SetupEditTest, OkStoresEveryModifiedGroupAndTellsTheMainWindow)
{
    TSetup setup;
    setup.MainWindow()->SetWidth(1000); // unsaved from before the dialog
    TRecordingView mainWindow;
    setup.SetMainWindowView(&mainWindow);
    Provide([](TSetup* s) { s->General()->SetNote("Acme"); }, true);

    EXPECT_TRUE(setup.Edit(0));
    EXPECT_FALSE(setup.Modified());
    EXPECT_EQ(ReadRaw("General", "Note"), "Acme");
    EXPECT_EQ(ReadRaw("MainWindow", "Width"), "1000");
    ASSERT_EQ(mainWindow.Names.size(), 1);
    EXPECT_EQ(mainWindow.Names.first(), "");
    EXPECT_EQ(mainWindow.Senders.front(), &setup);
}

TEST_F(SetupEditTest, OkMovesTheDataToTheChosenFolder)
{
    TSetup setup;
    const QString chosen = TestEnv::NewFolder("chosen") + "/new";
    QString oldSeen, newSeen;
    setup.SetChangeDataDirHandler([&](const QString& AOld, const QString& ANew) {
        oldSeen = AOld;
        newSeen = ANew;
        return true;
    });
    Provide(
        [&](TSetup* s) {
            s->Data()->SetOtherDataFolder(chosen);
            s->Data()->SetDataDirKind(sddkOtherDataFolder);
        },
        true);
    EXPECT_TRUE(setup.Edit(3));
    EXPECT_EQ(oldSeen, TestEnv::DocumentsFolder() + "/Plenvo/");
    EXPECT_EQ(newSeen, chosen + "/");
    EXPECT_EQ(ReadRaw("Data", "DataDirKind"), "3");
    EXPECT_EQ(ReadRaw("Data", "OtherDataFolder"), chosen);
}

TEST_F(SetupEditTest, FailedMovePutsTheFolderBackAndStoresTheRest)
{
    TSetup setup;
    setup.SetChangeDataDirHandler([](const QString&, const QString&) { return false; });
    Provide(
        [](TSetup* s) {
            s->Data()->SetOtherDataFolder("/cannot/be/made");
            s->Data()->SetDataDirKind(sddkOtherDataFolder);
            s->General()->SetNote("Kept");
        },
        true);
    EXPECT_TRUE(setup.Edit(3));
    EXPECT_EQ(setup.Data()->DataDirKind(), sddkUserDocuments);
    EXPECT_EQ(setup.Data()->StoredOtherDataFolder(), "");
    EXPECT_EQ(ReadRaw("Data", "DataDirKind"), "0");
    EXPECT_EQ(ReadRaw("General", "Note"), "Kept");
}

TEST_F(SetupEditTest, CancelAfterMaintenanceStillRefreshesTheMainWindow)
{
    TSetup setup;
    TRecordingView mainWindow;
    setup.SetMainWindowView(&mainWindow);
    Provide(nullptr, false, true);
    EXPECT_FALSE(setup.Edit(4));
    // The maintenance reopened the tables: the shown schedule reads them again.
    EXPECT_EQ(mainWindow.Names, (QStringList{"", "DataReopened"}));

    mainWindow.Clear();
    Provide(nullptr, false, false);
    EXPECT_FALSE(setup.Edit(4));
    EXPECT_TRUE(mainWindow.Names.isEmpty());
}

TEST_F(SetupEditTest, TheDialogIsTheEditorWhileOpen)
{
    TSetup setup;
    TRecordingView former;
    setup.SetEditor(&former);
    Provide([](TSetup* s) { s->General()->SetNote("x"); }, false);
    EXPECT_FALSE(setup.Edit(1));
    // The dialog was filled on binding and heard the change; the former
    // editor heard only the logo rebuilt by the restore afterwards.
    EXPECT_EQ(FHeard, (QStringList{"", "Note", "Modified", "Modified"}));
    EXPECT_EQ(former.Names, (QStringList{"Logo"}));
    EXPECT_EQ(setup.Editor(), &former);
    setup.SetEditor(nullptr);
}

TEST_F(SetupEditTest, NoDialogAvailableChangesNothing)
{
    TSetup setup;
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(setup.Edit(0)), "No editor provided");
    EXPECT_FALSE(setup.Modified());
}

TEST_F(SetupEditTest, ARefusedServerLocationPutsTheFolderBack)
{
    TSetup setup;
    std::vector<std::pair<TDataLocation, TDataLocation>> asked;
    setup.SetChangeLocationHandler([&](const TDataLocation& AOld, const TDataLocation& ANew) {
        asked.emplace_back(AOld, ANew);
        return false;
    });
    Provide(
        [](TSetup* ASetup) {
            EXPECT_EQ(ASetup->Data()->SetServerConnInfo("service=plenvo"), QString());
            ASetup->Data()->SetDataDirKind(sddkServer);
        },
        true);
    EXPECT_TRUE(setup.Edit(3));
    const TDataLocation folder = TDataLocation::Folder(TestEnv::DocumentsFolder() + "/Plenvo");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, folder);
    EXPECT_EQ(asked[0].second, TDataLocation::Server("service=plenvo"));
    EXPECT_EQ(setup.Data()->Location(), folder);
    EXPECT_EQ(setup.Data()->ServerConnInfo(), QString());
    EXPECT_EQ(ReadRaw("Data", "DataDirKind"), "0");
}
