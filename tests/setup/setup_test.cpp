#include "core/screen.h"
#include "setup/setup.h"
#include "support/recording_view.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

void Put(const QString& AGroup, const QString& AName, const QVariant& AValue)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Zanthor Software", "Plenvo");
    settings.setValue(AGroup + "/" + AName, AValue);
    settings.sync();
}

QStringList KeysOf(const QString& AGroup)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Zanthor Software", "Plenvo");
    settings.beginGroup(AGroup);
    return settings.childKeys();
}

QString ReadRaw(const QString& AGroup, const QString& AName)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Zanthor Software", "Plenvo");
    return settings.value(AGroup + "/" + AName).toString();
}

// A picture with a distinct bottom-left pixel, saved as a bitmap file.
QString MakeBitmap(int AWidth, int AHeight, QColor ACorner = QColor(0, 128, 0))
{
    QImage image(AWidth, AHeight, QImage::Format_RGB32);
    image.fill(QColor(200, 0, 0));
    image.setPixelColor(0, AHeight - 1, ACorner);
    const QString file = TestEnv::NewFolder("logo") + QStringLiteral("/logo.bmp");
    EXPECT_TRUE(image.save(file, "BMP"));
    return file;
}

// The rectangle of logo pixels that are not the transparent colour.
QRect DrawnArea(const TSetupGeneral& AGeneral)
{
    const QImage& logo = AGeneral.Logo();
    const TColor key = AGeneral.LogoTransparentColor();
    const QRgb keyRgb = qRgb(ColorRed(key), ColorGreen(key), ColorBlue(key));
    QRect area;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            if ((logo.pixel(x, y) | 0xFF000000u) != keyRgb)
                area |= QRect(x, y, 1, 1);
    return area;
}

class SetupTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetScreenSizeProvider([] { return QSize(1920, 1080); });
    }
    void TearDown() override
    {
        SetFrameAllowanceProvider(nullptr);
        TestEnv::SetSettingsFolder(QString());
    }
};

} // namespace

TEST_F(SetupTest, FreshInstallationHasTheDefaults)
{
    TSetup setup;
    EXPECT_FALSE(setup.Modified());
    EXPECT_EQ(setup.Data()->DataDirKind(), sddkUserDocuments);
    const QString expected = TestEnv::DocumentsFolder() + "/Plenvo/";
    EXPECT_FALSE(FolderExists(expected));
    EXPECT_EQ(setup.Data()->DataDir(), expected);
    EXPECT_TRUE(FolderExists(expected)); // created on first use
    EXPECT_EQ(setup.Data()->OtherDataFolder(), expected);
    EXPECT_EQ(setup.General()->MaxPrevDayCount(), 35);
    EXPECT_TRUE(setup.General()->ShowNoteOnDSWorkplace());
    EXPECT_EQ(setup.General()->DateDaysKind(), ddkWeek);
    EXPECT_EQ(setup.MainWindow()->Width(), 800);
    EXPECT_EQ(setup.MainWindow()->Height(), 620);
    EXPECT_EQ(setup.MainWindow()->Left(), 20);
    EXPECT_EQ(setup.MainWindow()->Top(), 20);
    EXPECT_EQ(setup.MainWindow()->WindowState(), wsNormal);
    EXPECT_FALSE(setup.General()->LogoTransparent()); // program icon
    EXPECT_EQ(setup.General()->Logo().size(), QSize(64, 64));
}

TEST_F(SetupTest, DataFolderKindsAndFallback)
{
    TSetup setup;
    TSetupData* data = setup.Data();
    EXPECT_EQ(data->GetDataDirOfKind(sddkUserAppData), TestEnv::AppDataFolder() + "/Plenvo/");
    EXPECT_EQ(data->GetDataDirOfKind(sddkCommonDocuments), TestEnv::PublicFolder() + "/Plenvo/");
    // Kind 3 with no folder chosen reads as the documents product folder.
    EXPECT_EQ(data->GetDataDirOfKind(sddkOtherDataFolder), TestEnv::DocumentsFolder() + "/Plenvo/");

    const QString other = TestEnv::NewFolder("other") + "/deep/data";
    data->SetOtherDataFolder(other);
    data->SetDataDirKind(sddkOtherDataFolder);
    EXPECT_EQ(data->DataDir(), other + "/");
    EXPECT_TRUE(FolderExists(other));

    // A folder that cannot be made falls back to Documents itself.
    QFile blocker(TestEnv::NewFolder("blocked") + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    data->SetOtherDataFolder(blocker.fileName() + "/data");
    EXPECT_EQ(data->DataDir(), TestEnv::DocumentsFolder() + "/");
}

TEST_F(SetupTest, LoadClampsAndTakesRemainders)
{
    Put("General", "MaxPrevDayCount", 0);
    Put("General", "DateDaysKind", 5);
    Put("MainWindow", "WindowState", 4);
    Put("Data", "DataDirKind", 6);
    {
        TSetup setup;
        EXPECT_EQ(setup.General()->MaxPrevDayCount(), 1);
        EXPECT_EQ(setup.General()->DateDaysKind(), ddkMonth);
        EXPECT_EQ(setup.MainWindow()->WindowState(), wsMinimized);
        EXPECT_EQ(setup.Data()->DataDirKind(), sddkCommonDocuments);
        EXPECT_FALSE(setup.Modified());
    }
    TestEnv::ClearSettings();
    Put("General", "MaxPrevDayCount", 500);
    Put("General", "DateDaysKind", -3);
    Put("MainWindow", "WindowState", -1);
    Put("Data", "DataDirKind", -1);
    TSetup setup;
    EXPECT_EQ(setup.General()->MaxPrevDayCount(), 99);
    EXPECT_EQ(setup.General()->DateDaysKind(), ddkWeek);
    EXPECT_EQ(setup.MainWindow()->WindowState(), wsMaximized);
    EXPECT_EQ(setup.Data()->DataDirKind(), sddkOtherDataFolder);
}

TEST_F(SetupTest, ValuesOfTheWrongKindReadAsMissing)
{
    Put("General", "MaxPrevDayCount", "many");
    Put("General", "ShowNoteOnDSWorkplace", "no");
    Put("General", "DateDaysKind", "2x");
    Put("MainWindow", "Width", "wide");
    Put("MainWindow", "WindowState", "");
    Put("Data", "DataDirKind", "docs");
    Put("General", "Note", QStringList{"a", "b"});
    TSetup setup;
    EXPECT_EQ(setup.General()->MaxPrevDayCount(), 35);
    EXPECT_TRUE(setup.General()->ShowNoteOnDSWorkplace());
    EXPECT_EQ(setup.General()->DateDaysKind(), ddkWeek);
    EXPECT_EQ(setup.MainWindow()->Width(), 800);
    EXPECT_EQ(setup.MainWindow()->WindowState(), wsNormal);
    EXPECT_EQ(setup.Data()->DataDirKind(), sddkUserDocuments);
    EXPECT_EQ(setup.General()->Note(), "");
}

TEST_F(SetupTest, GeneralStoresOnlyValuesThatDifferFromTheDefaults)
{
    {
        TSetup setup;
        TSetupGeneral* g = setup.General();
        g->SetNote("Acme");
        g->SetSubnote("Sales");
        g->SetMaxPrevDayCount(10);
        g->SetSwapFirstAndSurName(true);
        g->SetPrintInvolvedPersonsOnly(true);
        g->SetPrintOccupiedDaysOnly(true);
        g->SetPrintOccupiedWorkplacesOnly(true);
        g->SetShowNoteOnDSWorkplace(false);
        g->SetDateDaysKind(ddkTwoWeeks);
        EXPECT_TRUE(setup.Store());
    }
    EXPECT_EQ(ReadRaw("General", "Note"), "Acme");
    EXPECT_EQ(ReadRaw("General", "SubNote"), "Sales");
    EXPECT_EQ(ReadRaw("General", "MaxPrevDayCount"), "10");
    EXPECT_EQ(ReadRaw("General", "SwapFirstAndSurName"), "1");
    EXPECT_EQ(ReadRaw("General", "ShowNoteOnDSWorkplace"), "0");
    EXPECT_EQ(ReadRaw("General", "DateDaysKind"), "1");
    {
        TSetup setup;
        EXPECT_EQ(setup.General()->Note(), "Acme");
        EXPECT_EQ(setup.General()->Subnote(), "Sales");
        EXPECT_EQ(setup.General()->MaxPrevDayCount(), 10);
        EXPECT_TRUE(setup.General()->SwapFirstAndSurName());
        EXPECT_TRUE(setup.General()->PrintOccupiedWorkplacesOnly());
        EXPECT_FALSE(setup.General()->ShowNoteOnDSWorkplace());
        EXPECT_EQ(setup.General()->DateDaysKind(), ddkTwoWeeks);

        // Back to the defaults: the values are deleted, except the one written as 0.
        TSetupGeneral* g = setup.General();
        g->SetNote("");
        g->SetSubnote("");
        g->SetMaxPrevDayCount(35);
        g->SetSwapFirstAndSurName(false);
        g->SetPrintInvolvedPersonsOnly(false);
        g->SetPrintOccupiedDaysOnly(false);
        g->SetPrintOccupiedWorkplacesOnly(false);
        g->SetDateDaysKind(ddkWeek);
    }
    EXPECT_EQ(KeysOf("General"), (QStringList{"ShowNoteOnDSWorkplace"}));
}

TEST_F(SetupTest, DataStoresTheFolderAsRead)
{
    {
        TSetup setup;
        setup.Data()->SetDataDirKind(sddkUserAppData);
    }
    EXPECT_EQ(ReadRaw("Data", "DataDirKind"), "1");
    EXPECT_EQ(ReadRaw("Data", "OtherDataFolder"), TestEnv::DocumentsFolder() + "/Plenvo/");
    TSetup setup;
    EXPECT_EQ(setup.Data()->DataDirKind(), sddkUserAppData);
    EXPECT_EQ(setup.Data()->StoredOtherDataFolder(), TestEnv::DocumentsFolder() + "/Plenvo/");
}

TEST_F(SetupTest, ServerLocationRoundTripWithoutPasswordsOrRunLocations)
{
    const QString connInfo = "host=db.example.com dbname=plenvo user=anna sslmode=require";
    const QString folder = TestEnv::NewFolder("run");
    {
        TSetup setup;
        TSetupData* data = setup.Data();
        EXPECT_EQ(data->SetServerConnInfo(" " + connInfo + " "), QString());
        data->SetDataDirKind(sddkServer);
        // A password is refused and the string taken before stays.
        EXPECT_FALSE(data->SetServerConnInfo("service=plenvo password=secret").isEmpty());
        EXPECT_FALSE(data->SetServerConnInfo("service=plenvo PASSWORD = secret").isEmpty());
        EXPECT_EQ(data->ServerConnInfo(), connInfo);
        EXPECT_EQ(data->Location(), TDataLocation::Server(connInfo));
        // A location for this run only: used, never stored.
        data->SetRunLocation(TDataLocation::Folder(folder));
        EXPECT_EQ(data->DataDir(), folder + "/");
        EXPECT_EQ(data->StoredLocation(), TDataLocation::Server(connInfo));
    }
    EXPECT_EQ(ReadRaw("Data", "DataDirKind"), "4");
    EXPECT_EQ(ReadRaw("Data", "ServerConnInfo"), connInfo);
    {
        TSetup setup;
        EXPECT_EQ(setup.Data()->Location(), TDataLocation::Server(connInfo));
        EXPECT_FALSE(setup.Data()->RunLocation().has_value());
        // Back to a folder kind: the folder is the one it always was, the
        // string is kept for the next time.
        setup.Data()->SetDataDirKind(sddkUserAppData);
        EXPECT_EQ(setup.Data()->Location(), TDataLocation::Folder(TestEnv::AppDataFolder() + "/Plenvo"));
    }
    EXPECT_EQ(ReadRaw("Data", "ServerConnInfo"), connInfo);
    // A password written into the settings by hand is not read.
    Put("Data", "DataDirKind", 4);
    Put("Data", "ServerConnInfo", "service=plenvo password=secret");
    TSetup setup;
    EXPECT_EQ(setup.Data()->Location(), TDataLocation::Server(QString()));
}

TEST_F(SetupTest, MaximisedWindowStoresOnlyItsState)
{
    {
        TSetup setup;
        setup.MainWindow()->SetWidth(1000);
        setup.MainWindow()->SetHeight(700);
    }
    EXPECT_EQ(ReadRaw("MainWindow", "Width"), "1000");
    {
        TSetup setup;
        EXPECT_EQ(setup.MainWindow()->Width(), 1000);
        setup.MainWindow()->SetWidth(1200);
        setup.MainWindow()->SetWindowState(wsMaximized);
    }
    EXPECT_EQ(ReadRaw("MainWindow", "WindowState"), "2");
    EXPECT_EQ(ReadRaw("MainWindow", "Width"), "1000"); // the last normal size stays
    EXPECT_EQ(ReadRaw("MainWindow", "Height"), "700");
}

TEST_F(SetupTest, AnUnmodifiedGroupIsNeverRewritten)
{
    {
        TSetup setup;
        setup.General()->SetNote("x");
    }
    EXPECT_TRUE(KeysOf("MainWindow").isEmpty());
    EXPECT_TRUE(KeysOf("Data").isEmpty());
    EXPECT_EQ(KeysOf("General"), (QStringList{"Note"}));
}

TEST_F(SetupTest, TheStoreIsAnIniFileAtTheProgramsKey)
{
    {
        TSetup setup;
        setup.General()->SetNote("Acme");
        setup.Data()->SetDataDirKind(sddkUserAppData);
    }
    const QString file = TestEnv::SettingsFile();
    EXPECT_TRUE(file.endsWith("/Zanthor Software/Plenvo.conf"));
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ini.readAll());
    EXPECT_TRUE(text.contains("[Data]\nDataDirKind=1\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("[%General]\nNote=Acme\n")) << text.toStdString();
}

TEST_F(SetupTest, AnnouncementsReachTheEditorInOrder)
{
    TSetup setup;
    TRecordingView view;
    setup.SetEditor(&view);

    setup.General()->SetNote("Acme");
    EXPECT_EQ(view.Names, (QStringList{"Note", "Modified", "Modified"}));
    ASSERT_EQ(view.Senders.size(), 3u);
    EXPECT_EQ(view.Senders[0], setup.General());
    EXPECT_EQ(view.Senders[1], setup.General());
    EXPECT_EQ(view.Senders[2], &setup); // the setup announces again as itself
    EXPECT_TRUE(setup.Modified());

    view.Clear();
    setup.General()->SetNote("Acme");
    EXPECT_EQ(view.Names, (QStringList{"Note*"}));

    view.Clear();
    setup.General()->SetSubnote("Sales");
    EXPECT_EQ(view.Names.first(), "SubNote");

    view.Clear();
    setup.General()->SetMaxPrevDayCount(500); // clamped to 99, a change
    setup.General()->SetMaxPrevDayCount(200); // clamped to 99 again: no change
    EXPECT_EQ(view.Names, (QStringList{"MaxPrevDayCount", "Modified", "Modified", "MaxPrevDayCount*"}));

    view.Clear();
    setup.General()->SetLogoFName(MakeBitmap(8, 8));
    EXPECT_EQ(view.Names, (QStringList{"Logo", "LogoFName", "Modified", "Modified"}));

    // Main-window setters announce no names, only Modified on a change.
    view.Clear();
    setup.MainWindow()->SetWidth(900);
    setup.MainWindow()->SetWidth(900);
    EXPECT_EQ(view.Names, (QStringList{"Modified", "Modified"}));
    setup.SetEditor(nullptr);
}

TEST_F(SetupTest, StringSettersCompareExactly)
{
    TSetup setup;
    setup.Data()->SetOtherDataFolder("/data/Plenvo");
    setup.Data()->SetModified(false);
    setup.Data()->SetOtherDataFolder("/data/plenvo");
    EXPECT_TRUE(setup.Data()->Modified());
    EXPECT_EQ(setup.Data()->StoredOtherDataFolder(), "/data/plenvo");
}

TEST_F(SetupTest, TrimDegrees)
{
    EXPECT_EQ(TSetupGeneral::TrimDegrees("Ing. First Last"), "First Last");
    EXPECT_EQ(TSetupGeneral::TrimDegrees("First Last, Ph.D."), "First Last");
    EXPECT_EQ(TSetupGeneral::TrimDegrees("First Last"), "First Last");
    EXPECT_EQ(TSetupGeneral::TrimDegrees("Dr. X"), "Dr. X");
    EXPECT_EQ(TSetupGeneral::TrimDegrees("   "), "");
    EXPECT_EQ(TSetupGeneral::TrimDegrees("Surname, Ing."), "Surname");
    EXPECT_EQ(TSetupGeneral::TrimDegrees("A, B"), "A, B");
    EXPECT_EQ(TSetupGeneral::TrimDegrees("Prof. Ing. Jan Novak, CSc., DrSc."), "Jan Novak");
    // Nothing left after the full stops: the name stays as it was.
    EXPECT_EQ(TSetupGeneral::TrimDegrees("Anna Lee."), "Anna Lee.");
    // A comma in the first half is not a degree.
    EXPECT_EQ(TSetupGeneral::TrimDegrees("Li, Anna Maria"), "Li, Anna Maria");
}

TEST_F(SetupTest, DayColoursFollowTheFirstDayOfTheWeek)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    TSetup monday;
    EXPECT_EQ(monday.General()->FirstDayInWeek(), 1);
    EXPECT_EQ(monday.General()->GetDayColor(1), RGBToColor(0xFF, 0xFF, 0xDD));
    EXPECT_EQ(monday.General()->GetDayColor(7), RGBToColor(0xFF, 0xDD, 0xDD));

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TSetup sunday(TSetup::skSnapshot);
    EXPECT_EQ(sunday.General()->FirstDayInWeek(), 7);
    EXPECT_EQ(sunday.General()->GetDayColor(1), RGBToColor(0xFF, 0xDD, 0xDD)); // Sunday
    EXPECT_EQ(sunday.General()->GetDayColor(2), RGBToColor(0xFF, 0xFF, 0xDD)); // Monday
    EXPECT_EQ(sunday.General()->GetDayColor(7), RGBToColor(0xEE, 0xDD, 0xFF)); // Saturday
    EXPECT_EQ(sunday.General()->GetDayColor(6), RGBToColor(0xDD, 0xEE, 0xFF)); // Friday
}

TEST_F(SetupTest, SmallLogoIsCentredUnscaled)
{
    TSetup setup(TSetup::skSnapshot);
    setup.General()->SetLogoFName(MakeBitmap(32, 16));
    EXPECT_TRUE(setup.General()->LogoTransparent());
    EXPECT_EQ(setup.General()->LogoTransparentColor(), RGBToColor(0, 128, 0));
    EXPECT_EQ(DrawnArea(*setup.General()), QRect(16, 24, 32, 16));
    EXPECT_EQ(setup.General()->Logo().pixelColor(0, 0), QColor(0, 128, 0));
    EXPECT_EQ(setup.General()->LogoImage().pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(setup.General()->LogoImage().pixelColor(20, 30).alpha(), 255);
}

TEST_F(SetupTest, LargeLogoIsScaledProportionally)
{
    TSetup setup(TSetup::skSnapshot);
    setup.General()->SetLogoFName(MakeBitmap(128, 64));
    EXPECT_EQ(DrawnArea(*setup.General()), QRect(0, 16, 64, 32));
    setup.General()->SetLogoFName(MakeBitmap(100, 200, QColor(0, 0, 255)));
    EXPECT_EQ(DrawnArea(*setup.General()), QRect(16, 0, 32, 64));
    // 300 by 100: the height is 100 / 300 * 64 = 21.33, rounded to 21.
    setup.General()->SetLogoFName(MakeBitmap(300, 100));
    EXPECT_EQ(DrawnArea(*setup.General()), QRect(0, 21, 64, 21));
}

TEST_F(SetupTest, BadLogoFilesFallBackToTheProgramIcon)
{
    TSetup setup(TSetup::skSnapshot);
    setup.General()->SetLogoFName(MakeBitmap(16, 16));
    ASSERT_TRUE(setup.General()->LogoTransparent());

    setup.General()->SetLogoFName("/no/such/logo.bmp");
    EXPECT_FALSE(setup.General()->LogoTransparent());
    EXPECT_EQ(setup.General()->Logo().size(), QSize(64, 64));
    EXPECT_GT(setup.General()->Logo().pixelColor(32, 32).alpha(), 0); // the icon is drawn

    QFile junk(TestEnv::NewFolder("junk") + "/logo.bmp");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a picture");
    junk.close();
    setup.General()->SetLogoFName(junk.fileName());
    EXPECT_FALSE(setup.General()->LogoTransparent());

    setup.General()->SetLogoFName(MakeBitmap(9000, 4));
    EXPECT_FALSE(setup.General()->LogoTransparent());
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts().isEmpty());
}

TEST_F(SetupTest, MainWindowClampsAtStartUp)
{
    TSetup setup(TSetup::skSnapshot);
    TSetupMainWindow* w = setup.MainWindow();
    w->SetWidth(100);
    EXPECT_EQ(w->Width(), 800); // 16 + 784
    w->SetHeight(100);
    EXPECT_EQ(w->Height(), 521); // 56 + 465
    w->SetWidth(5000);
    EXPECT_EQ(w->Width(), 1920);
    w->SetWidth(1000);
    w->SetLeft(-30);
    EXPECT_EQ(w->Left(), 0);
    w->SetLeft(1500);
    EXPECT_EQ(w->Left(), 920);
    // A wider window does not move the left edge.
    w->SetWidth(1500);
    EXPECT_EQ(w->Left(), 920);

    w->SetHeight(600);
    w->SetTop(400);
    EXPECT_EQ(w->Top(), 400);
    w->SetHeight(900); // 400 + 900 > 1080: the top moves up
    EXPECT_EQ(w->Top(), 180);
    w->SetTop(2000);
    EXPECT_EQ(w->Top(), 180);
}

TEST_F(SetupTest, MainWindowClampsUseTheRealFrame)
{
    SetFrameAllowanceProvider([] { return std::optional<QSize>(QSize(2, 30)); });
    TSetup setup(TSetup::skSnapshot);
    setup.MainWindow()->SetWidth(100);
    setup.MainWindow()->SetHeight(100);
    EXPECT_EQ(setup.MainWindow()->Width(), 786);
    EXPECT_EQ(setup.MainWindow()->Height(), 495);
}

TEST_F(SetupTest, StoredPlacementIsClampedAtLoad)
{
    Put("MainWindow", "Width", 3000);
    Put("MainWindow", "Left", 500);
    Put("MainWindow", "Height", 700);
    Put("MainWindow", "Top", 900);
    TSetup setup;
    EXPECT_EQ(setup.MainWindow()->Width(), 1920);
    EXPECT_EQ(setup.MainWindow()->Left(), 0);
    EXPECT_EQ(setup.MainWindow()->Height(), 700);
    EXPECT_EQ(setup.MainWindow()->Top(), 380);
}

TEST_F(SetupTest, UnwritableStoreIsReportedAndKeepsTheChanges)
{
    QFile blocker(TestEnv::NewFolder("ro") + "/not-a-folder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TestEnv::SetSettingsFolder(blocker.fileName() + "/config");

    TSetup setup(TSetup::skSnapshot);
    setup.General()->SetNote("Acme");
    setup.MainWindow()->SetWidth(1000);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(setup.Store());
    EXPECT_TRUE(setup.General()->Modified());
    EXPECT_TRUE(setup.MainWindow()->Modified());
    ASSERT_EQ(TestEnv::Dialogs().MessageTexts().size(), 1); // told once
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts().first().contains("could not be saved"));

    // Once the store works again, the kept changes are written.
    TestEnv::SetSettingsFolder(QString());
    EXPECT_TRUE(setup.Store());
    EXPECT_FALSE(setup.Modified());
    EXPECT_EQ(ReadRaw("General", "Note"), "Acme");
}
