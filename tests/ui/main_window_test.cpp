// The main window: placement kept between runs, the centred content panel,
// the status bar, the wheel routed to the shown screen, and the switches
// between the three schedules.
#include "ui/orvel_app_form.h"

#include "core/program_info.h"
#include "core/screen.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"
#include "tests/data/data_fixture.h"
#include "tests/ui/program_screens.h"
#include "ui/sc_frame.h"
#include "ui/sc_frame_editor.h"
#include "ui/status_panel.h"
#include "ui/worker/person_schedule_frame.h"
#include "ui/worker/ps_day_list_frame.h"
#include "ui/workplace/workplace_schedule_frame.h"
#include "ui/workplace/ws_day_list_frame.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

// A daily screen with a side list and a tall scrolling area, like the real one.
class TWheelFrame : public TSCFrame {
public:
    TWheelFrame()
    {
        auto* layout = new QHBoxLayout(this);
        Area = new QScrollArea(this);
        Area->setObjectName("ScrollBox");
        auto* tall = new QWidget;
        tall->setFixedSize(300, 3000);
        Area->setWidget(tall);
        Area->verticalScrollBar()->setSingleStep(32);
        Side = new QLabel("side", this);
        Side->setMinimumWidth(200);
        layout->addWidget(Area);
        layout->addWidget(Side);
    }
    QObject* ScrollBox() const { return Area; }
    QScrollArea* Area;
    QLabel* Side;
};

class MainWindowTest : public DataTest, protected TProgramScreens {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        Open();
        TDailySchedule::SetFrameEditorFactory([this](TDailySchedule*) -> std::unique_ptr<ISCFrameEditor> {
            auto frame = std::make_unique<TWheelFrame>();
            Frame = frame.get();
            return std::make_unique<TSCFrameEditor<TWheelFrame>>(std::move(frame));
        });
        TPersonScheduleFrame::InstallFactory();
        TWorkplaceScheduleFrame::InstallFactory();
        MakeSchedules();
    }
    void TearDown() override
    {
        CloseScreens();
        TWorkplaceScheduleFrame::UninstallFactory();
        TPersonScheduleFrame::UninstallFactory();
        TDailySchedule::SetFrameEditorFactory(nullptr);
        DataTest::TearDown();
    }
    TOrvelAppForm* MakeWindow(bool AShow = true)
    {
        MakeMainWindow();
        if (AShow) {
            Window->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
            QCoreApplication::processEvents();
        }
        return Window.get();
    }
    TSetupMainWindow* Placement() { return Store->Setup->MainWindow(); }
    void StorePlacement(int ALeft, int ATop, int AWidth, int AHeight, TWindowState AState)
    {
        Placement()->SetWidth(AWidth);
        Placement()->SetHeight(AHeight);
        Placement()->SetLeft(ALeft);
        Placement()->SetTop(ATop);
        Placement()->SetWindowState(AState);
    }
    // A wheel notch at a point of AWidget.
    void Wheel(QWidget* AWidget, QPoint AAt, int ADelta)
    {
        QWheelEvent event(QPointF(AAt), QPointF(AWidget->mapToGlobal(AAt)), QPoint(), QPoint(0, ADelta), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(AWidget, &event);
    }

    TWheelFrame* Frame = nullptr;
};

TEST_F(MainWindowTest, OpensOnTodaysDailyScheduleWithVersionAndFolder)
{
    TOrvelAppForm* window = MakeWindow();
    EXPECT_EQ(window->windowTitle(), "Plenvo");
    ASSERT_NE(Frame, nullptr);
    EXPECT_EQ(Frame->parentWidget(), window->PanelData());
    EXPECT_TRUE(Frame->isVisible());
    EXPECT_EQ(Daily->Date(), Today());
    EXPECT_EQ(window->ScrollBox(), Frame->Area);
    QStatusBar* bar = window->findChild<QStatusBar*>("StatusBar");
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(StatusPanel(bar, 0), nullptr);
    EXPECT_EQ(StatusPanel(bar, 0)->text(), ProgramVersion());
    ASSERT_NE(StatusPanel(bar, 1), nullptr);
    EXPECT_EQ(StatusPanel(bar, 1)->text(), ExcludeBackslash(Folder));
    EXPECT_EQ(window->minimumSize(), QSize(784, 465));
}

TEST_F(MainWindowTest, StoredPlacementIsRestoredAndMinimisedOpensNormal)
{
    StorePlacement(30, 40, 900, 600, wsMinimized);
    TOrvelAppForm* window = MakeWindow();
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(window->frameGeometry().size(), QSize(900, 600));
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(30, 40));
    // Run after run the placement stays put.
    Window.reset();
    EXPECT_EQ(Placement()->Width(), 900);
    EXPECT_EQ(Placement()->Height(), 600);
    EXPECT_EQ(Placement()->Left(), 30);
    EXPECT_EQ(Placement()->WindowState(), wsNormal);
}

TEST_F(MainWindowTest, PlacementIsStoredWhenTheWindowGoesAndMaximisedKeepsTheNormalOne)
{
    StorePlacement(30, 40, 900, 600, wsNormal);
    TOrvelAppForm* window = MakeWindow();
    window->resize(1000, 700);
    window->move(50, 60);
    QCoreApplication::processEvents();
    // The stored size is the outer one, frame included.
    const QRect outer = window->frameGeometry();
    EXPECT_GE(outer.width(), 1000);
    Window.reset();
    EXPECT_EQ(Placement()->WindowState(), wsNormal);
    EXPECT_EQ(Placement()->Width(), outer.width());
    EXPECT_EQ(Placement()->Height(), outer.height());
    EXPECT_EQ(Placement()->Left(), 50);
    EXPECT_EQ(Placement()->Top(), 60);

    window = MakeWindow();
    window->setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    Window.reset();
    EXPECT_EQ(Placement()->WindowState(), wsMaximized);
    EXPECT_EQ(Placement()->Width(), outer.width());
    EXPECT_EQ(Placement()->Left(), 50);

    // A stored maximised window opens maximised.
    window = MakeWindow();
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
}

TEST_F(MainWindowTest, OnAScreenSmallerThanTheContentTheWindowFitsAndTheContentScrolls)
{
    // 1280 by 900 pixels at 200 %.
    SetScreenSizeProvider([] { return QSize(640, 450); });
    StorePlacement(200, 100, 1000, 720, wsNormal);
    TOrvelAppForm* window = MakeWindow();
    const QRect outer = window->frameGeometry();
    EXPECT_TRUE(QRect(0, 0, 640, 450).contains(outer)) << outer.width() << "x" << outer.height();
    EXPECT_LE(window->minimumWidth(), 640);
    auto* scroll = window->findChild<QScrollArea*>("PanelOuterScroll");
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(window->findChild<QWidget*>("PanelMain")->width(), 784);
    EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);
    SetScreenSizeProvider([] { return QSize(1920, 1080); });
    // On a screen large enough the usual minimum holds and nothing scrolls.
    Window.reset();
    window = MakeWindow();
    EXPECT_EQ(window->minimumSize(), QSize(784, 465));
    EXPECT_EQ(window->findChild<QScrollArea*>("PanelOuterScroll")->horizontalScrollBar()->maximum(), 0);
}

TEST_F(MainWindowTest, AWideWindowKeepsTheContent784WideAndCentred)
{
    TOrvelAppForm* window = MakeWindow();
    window->resize(1200, 600);
    QCoreApplication::processEvents();
    QWidget* panel = window->PanelMain();
    EXPECT_EQ(panel->width(), 784);
    const int left = panel->mapTo(window, QPoint(0, 0)).x();
    EXPECT_NEAR(left, (1200 - 784) / 2, 1);
    EXPECT_EQ(window->PanelData()->width(), 784);
    EXPECT_GE(panel->height(), 600 - window->statusBar()->height() - 1);
}

TEST_F(MainWindowTest, TheWheelScrollsTheShownAreaOneLinePerNotchOnlyInsideIt)
{
    TOrvelAppForm* window = MakeWindow();
    window->resize(900, 600);
    QCoreApplication::processEvents();
    QScrollBar* bar = Frame->Area->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 100);
    QWidget* inside = Frame->Area->widget();
    const QPoint middle = Frame->Area->viewport()->rect().center();
    Wheel(inside, inside->mapFrom(Frame->Area->viewport(), middle), -120);
    EXPECT_EQ(bar->value(), 32);
    // A big turn is still one line.
    Wheel(inside, inside->mapFrom(Frame->Area->viewport(), middle), -360);
    EXPECT_EQ(bar->value(), 64);
    Wheel(inside, inside->mapFrom(Frame->Area->viewport(), middle), 120);
    EXPECT_EQ(bar->value(), 32);
    // Over the side list the area stays where it is.
    Wheel(Frame->Side, Frame->Side->rect().center(), -120);
    EXPECT_EQ(bar->value(), 32);
}

TEST_F(MainWindowTest, SwitchingSchedulesShowsOneScreenAtATime)
{
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Ann"); }, true);
    TPerson* ann = Store->Persons->AddPerson();
    ASSERT_NE(ann, nullptr);
    TOrvelAppForm* window = MakeWindow();
    const TDate day = DateToOle(QDate(2024, 5, 15));
    window->ShowDailySchedule(day);
    EXPECT_EQ(Daily->Date(), Today()); // the shown screen keeps its date

    window->ShowPersonSchedule(ann->ID(), day);
    EXPECT_FALSE(Frame->isVisible());
    EXPECT_EQ(Frame->parentWidget(), nullptr);
    EXPECT_EQ(Persons->PersonID(), ann->ID());
    auto* page = window->PanelData()->findChild<TPersonScheduleFrame*>();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    // The wheel scrolls the day column.
    EXPECT_EQ(window->ScrollBox(), page->PSDayListFrame()->ScrollBox());
    EXPECT_NE(window->ScrollBox(), nullptr);

    // The logo button goes back to the daily schedule.
    auto* back = page->findChild<QToolButton*>("SBDailySchedule");
    ASSERT_NE(back, nullptr);
    back->click();
    EXPECT_TRUE(Frame->isVisible());
    EXPECT_EQ(page->parentWidget(), nullptr);
    EXPECT_EQ(window->ScrollBox(), Frame->Area);

    window->ShowWorkplaceSchedule(0, day);
    EXPECT_FALSE(Frame->isVisible());
    auto* other = window->PanelData()->findChild<TWorkplaceScheduleFrame*>();
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(other->isVisible());
    EXPECT_EQ(window->ScrollBox(), other->WSDayListFrame()->ScrollBox());

    window->ShowDailySchedule(day);
    EXPECT_EQ(Daily->Date(), day);
    // Hiding the window takes every screen off its panel.
    window->hide();
    EXPECT_EQ(Frame->parentWidget(), nullptr);
    EXPECT_EQ(window->ScrollBox(), nullptr);
}

TEST_F(MainWindowTest, ANewDataFolderFromTheSetupDialogShowsInTheStatusBar)
{
    TOrvelAppForm* window = MakeWindow();
    const QString moved = TestEnv::NewFolder("moved");
    EditorDoes(
        "TSetupEditor",
        [moved](TObject* o) {
            auto* setup = static_cast<TSetup*>(o);
            setup->Data()->SetDataDirKind(sddkOtherDataFolder);
            setup->Data()->SetOtherDataFolder(moved);
        },
        true);
    ASSERT_TRUE(Store->Setup->Edit(0));
    EXPECT_EQ(StatusPanel(window->statusBar(), 1)->text(), moved);
    EXPECT_TRUE(QFile::exists(moved + "/Workers.cds"));
}

} // namespace
