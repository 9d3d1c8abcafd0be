// The day columns of the worker and the workplace schedules: period buttons,
// day frames and rows, drops, deleting, register changes, absence pictures,
// navigation and printing.
#include "tests/ui/period/period_view_fixture.h"

#include "reports/print_data.h"
#include "reports/recording_report_engine.h"
#include "schedule/absence_notice.h"
#include "support/drag_events.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"
#include "ui/elided_text.h"
#include "ui/sc_label.h"
#include "ui/view_resources.h"
#include "ui/worker/ps_day_list_frame.h"
#include "ui/workplace/ws_day_list_frame.h"

#include <QDrag>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

using Pairs = std::set<std::pair<int, int>>;

class DayViewsTest : public PeriodViewTest {
protected:
    void DestroyViews() override
    {
        PSFrame.reset();
        WSFrame.reset();
    }

    // Lets posted layout requests run and deletes the views rebuilt away.
    static void Settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <class TFrame, class TSchedule>
    TFrame* Show(std::unique_ptr<TFrame>& AFrame, TSchedule* ASchedule)
    {
        AFrame = std::make_unique<TFrame>();
        AFrame->resize(600, 800);
        AFrame->show();
        AFrame->SetDays(ASchedule->Days());
        Settle();
        return AFrame.get();
    }

    static QWidget* Day(QWidget* AFrame, const char* APrefix, int AIndex)
    {
        return AFrame->findChild<QWidget*>(QStringLiteral("%1%2").arg(QLatin1String(APrefix)).arg(AIndex));
    }
    static QString Text(QWidget* AIn, const char* AName) { return ElidedSource(Find<QLabel>(AIn, AName)); }
    static bool StruckThrough(QWidget* AIn) { return Find<QLabel>(AIn, "LabelName")->font().strikeOut(); }
    static bool ShowsIcon(QWidget* AIn, const char* AName, int AIcon)
    {
        return Find<QLabel>(AIn, AName)->pixmap().toImage() == SmallIcon(AIcon).pixmap(16, 16).toImage();
    }
    // Header plus ARows rows plus the space below.
    static int DayHeight(QWidget* ADay, int ARows)
    {
        return Find<QWidget>(ADay, "PanelTop")->height() + ARows * TPeriodDayEntryFrame::RowHeight(ADay) + 3;
    }

    // The period buttons: exactly AKind's pressed, and the day column as long
    // as the period, in frames named from the prefix.
    void CheckPeriod(QWidget* AFrame, const char* APrefix, const char* APressed, int ADays)
    {
        for (const char* name : {"TBDateDaysKindWeek", "TBDateDaysKindTwoWeeks", "TBDateDaysKindMonth"}) {
            auto* button = Find<QToolButton>(AFrame, name);
            EXPECT_TRUE(button->isCheckable());
            EXPECT_EQ(button->isChecked(), QLatin1String(name) == QLatin1String(APressed)) << name;
        }
        EXPECT_NE(Day(AFrame, APrefix, ADays - 1), nullptr);
        EXPECT_EQ(Day(AFrame, APrefix, ADays), nullptr);
    }

    // The print menu in order, each report run through the recording engine,
    // the check mark stored in the setup and the menu shown again.
    void CheckPrinting(QWidget* AFrame, const QString& AHint, const QStringList& ACaptions, const QStringList& AReports)
    {
        EXPECT_EQ(Find<QToolButton>(AFrame, "TBPrint")->toolTip(), AHint);
        auto* menu = Find<QMenu>(AFrame, "PUMenuPrint");
        QStringList captions;
        for (QAction* action : menu->actions())
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        EXPECT_EQ(captions, (ACaptions + QStringList{"-", "Print occupied days only"}));
        TRecordingReportEngine engine;
        TDataManPrint print(&engine);
        TDataManPrint::SetInstance(&print);
        for (int i = 0; i < 3; ++i) {
            engine.AnswerPrinterSetup(true);
            menu->actions()[i]->trigger();
        }
        TDataManPrint::SetInstance(nullptr);
        QStringList printed;
        for (const auto& run : engine.Runs())
            printed << run.ReportName;
        EXPECT_EQ(printed, AReports);
        QAction* occupied = Find<QAction>(AFrame, "ActionPrintOccupiedDaysOnly");
        EXPECT_FALSE(occupied->isChecked());
        occupied->trigger();
        QCoreApplication::processEvents();
        EXPECT_TRUE(Store->Setup->General()->PrintOccupiedDaysOnly());
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
    }

    std::unique_ptr<TPSDayListFrame> PSFrame;
    std::unique_ptr<TWSDayListFrame> WSFrame;
};

TEST_F(DayViewsTest, WorkerDaysFollowThePeriodAndAreReused)
{
    Ann->SetDateOutFrom(Tue);
    Ann->SetDaysOut(1);
    TPersonSchedule* schedule = NewPersonSchedule(Ann);
    TPSDayListFrame* frame = Show(PSFrame, schedule);
    EXPECT_EQ(frame->objectName(), "PSDayListFrame");
    EXPECT_EQ(frame->Days(), schedule->Days());
    ASSERT_EQ(frame->ScrollBox(), Find<QScrollArea>(frame, "ScrollBox"));
    EXPECT_EQ(frame->ScrollBox()->verticalScrollBar()->singleStep(), 32);
    CheckPeriod(frame, "PSDF", "TBDateDaysKindWeek", 7);
    QWidget* monday = Day(frame, "PSDF", 0);
    QWidget* tuesday = Day(frame, "PSDF", 1);
    EXPECT_EQ(Text(monday, "LabelDate"), schedule->Days()->Items(0)->DateStrWithoutYear());
    EXPECT_EQ(Text(tuesday, "LabelName"), schedule->Days()->Items(1)->DayName());
    EXPECT_EQ(monday->height(), DayHeight(monday, 0));
    EXPECT_EQ(tuesday->y(), monday->y() + monday->height());
    EXPECT_EQ(monday->width(), frame->ScrollBox()->viewport()->width());
    const TColor color = schedule->Days()->Items(0)->Color();
    EXPECT_EQ(monday->palette().color(QPalette::Window), QColor(ColorRed(color), ColorGreen(color), ColorBlue(color)));
    // Ann is out on Tuesday only.
    ASSERT_NE(SmallIcon(0).pixmap(16, 16).toImage(), SmallIcon(1).pixmap(16, 16).toImage());
    EXPECT_TRUE(ShowsIcon(monday, "ImagePersonIsOut", 0));
    EXPECT_TRUE(ShowsIcon(tuesday, "ImagePersonIsOut", 1));

    Find<QToolButton>(frame, "TBDateDaysKindMonth")->click();
    Settle();
    const int days = schedule->Days()->Count();
    EXPECT_TRUE(days >= 28 && days <= 31) << days;
    CheckPeriod(frame, "PSDF", "TBDateDaysKindMonth", days);
    // The week's frames are reused, bound to the new days.
    EXPECT_EQ(Day(frame, "PSDF", 0), monday);
    EXPECT_EQ(Text(monday, "LabelDate"), schedule->Days()->Items(0)->DateStrWithoutYear());
    Find<QToolButton>(frame, "TBDateDaysKindWeek")->click();
    Settle();
    CheckPeriod(frame, "PSDF", "TBDateDaysKindWeek", 7);
    // Pressing the pressed button keeps it pressed.
    Find<QToolButton>(frame, "TBDateDaysKindWeek")->click();
    CheckPeriod(frame, "PSDF", "TBDateDaysKindWeek", 7);

    Click(Find<QLabel>(Day(frame, "PSDF", 1), "LabelName"));
    Find<QAction>(frame, "ActionDailySchedule")->trigger();
    EXPECT_EQ(Navigator.Calls, (QStringList{QStringLiteral("daily %1").arg(Tue), "daily 0"}));
}

TEST_F(DayViewsTest, WorkplacesDroppedOnWorkerDaysAreStoredShownAndDeleted)
{
    TPersonSchedule* schedule = NewPersonSchedule(Ann);
    TPSDayListFrame* frame = Show(PSFrame, schedule);
    QWidget* monday = Day(frame, "PSDF", 0);
    TPSWorkplaceDragObjectEx kitchen;
    kitchen.SetWorkplaceID(Kitchen->ID());
    EXPECT_TRUE(DropOnto(monday, &kitchen));
    EXPECT_EQ(FileJobPairs(Mon), (Pairs{{Ann->ID(), Kitchen->ID()}}));
    QWidget* row = Find<QWidget>(monday, "PSDWPF0");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(Text(row, "LabelName"), "Kitchen");
    EXPECT_FALSE(StruckThrough(row));
    EXPECT_TRUE(Find<QToolButton>(row, "SBDelete")->isEnabled());
    EXPECT_EQ(monday->height(), DayHeight(monday, 1));
    // Once there, it is refused on every part of the day, the row included.
    EXPECT_FALSE(DragOver(Find<QLabel>(monday, "LabelDate"), &kitchen));
    EXPECT_FALSE(DragOver(Find<QLabel>(row, "LabelName"), &kitchen));
    TPSWorkplaceDragObjectEx unknown;
    unknown.SetWorkplaceID(Hall->ID() + 100);
    TWSPersonDragObjectEx worker;
    worker.SetPersonID(Bob->ID());
    EXPECT_FALSE(DragOver(monday, &unknown));
    EXPECT_FALSE(DragOver(monday, &worker));

    // The row's own payload: taken by its own day without a change, copied
    // onto another.
    QPointer<QWidget> kept = row;
    PressAndMove(Find<TSCLabel>(row, "LabelName"));
    auto* drag = frame->findChild<QDrag*>();
    ASSERT_NE(drag, nullptr);
    auto* fromMonday = qobject_cast<TPSDayWorkplaceDragObjectEx*>(drag->mimeData());
    ASSERT_NE(fromMonday, nullptr);
    EXPECT_EQ(fromMonday->WorkplaceID(), Kitchen->ID());
    EXPECT_EQ(fromMonday->Day(), Mon);
    EXPECT_TRUE(DropOnto(Find<QLabel>(row, "LabelName"), fromMonday));
    EXPECT_TRUE(DropOnto(Find<QWidget>(Day(frame, "PSDF", 1), "ImagePersonIsOut"), fromMonday));
    Settle();
    EXPECT_EQ(FileJobPairs(Mon), (Pairs{{Ann->ID(), Kitchen->ID()}}));
    EXPECT_EQ(FileJobPairs(Tue), (Pairs{{Ann->ID(), Kitchen->ID()}}));
    EXPECT_EQ(kept, Find<QWidget>(monday, "PSDWPF0"));

    // A second workplace: the first row is reused, the day grows by a row;
    // its delete button takes it off again.
    TPSWorkplaceDragObjectEx office;
    office.SetWorkplaceID(Office->ID());
    EXPECT_TRUE(DropOnto(Find<QWidget>(monday, "PanelTopTop"), &office));
    EXPECT_EQ(Find<QWidget>(monday, "PSDWPF0"), kept);
    EXPECT_EQ(Text(Find<QWidget>(monday, "PSDWPF1"), "LabelName"), "Office");
    EXPECT_EQ(monday->height(), DayHeight(monday, 2));
    Find<QToolButton>(Find<QWidget>(monday, "PSDWPF1"), "SBDelete")->click();
    Settle();
    EXPECT_EQ(FileJobPairs(Mon), (Pairs{{Ann->ID(), Kitchen->ID()}}));
    EXPECT_EQ(monday->findChild<QWidget*>("PSDWPF1"), nullptr);
    EXPECT_EQ(monday->height(), DayHeight(monday, 1));

    // Register changes: a new name shows the stored one after it, a deleted
    // workplace is struck through.
    TPSWorkplaceDragObjectEx hall;
    hall.SetWorkplaceID(Hall->ID());
    EXPECT_TRUE(DropOnto(Day(frame, "PSDF", 2), &hall));
    EditorDoes(
        "TWorkplaceEditor", [](TObject* o) { static_cast<TWorkplace*>(o)->SetName("Galley"); }, true);
    ASSERT_TRUE(schedule->Workplaces()->EditWorkplace(Kitchen->ID()));
    EXPECT_EQ(Text(Find<QWidget>(monday, "PSDWPF0"), "LabelName"), "Galley (Kitchen)");
    ASSERT_TRUE(schedule->Workplaces()->DeleteWorkplace(Hall->ID(), QString()));
    QWidget* hallRow = Find<QWidget>(Day(frame, "PSDF", 2), "PSDWPF0");
    EXPECT_EQ(Text(hallRow, "LabelName"), "Hall");
    EXPECT_TRUE(StruckThrough(hallRow));
    EXPECT_FALSE(StruckThrough(Find<QWidget>(monday, "PSDWPF0")));
    EXPECT_FALSE(DragOver(monday, &hall));
}

TEST_F(DayViewsTest, WorkerDayColumnPrints)
{
    NewPersonSchedule(Ann);
    CheckPrinting(Show(PSFrame, PersonSchedule.get()), "Print Person schedule",
        {"Worker schedule - General report", "Worker schedule - Detailed report",
            "Worker schedule - Two column report"},
        {"PersonScheduleGeneral", "PersonScheduleFull", "PersonScheduleTwoCol"});
}

TEST_F(DayViewsTest, WorkersOnWorkplaceDaysWithTheirAbsence)
{
    Bob->SetDateOutFrom(Tue);
    Bob->SetDaysOut(1);
    TWorkplaceSchedule* schedule = NewWorkplaceSchedule(Kitchen);
    TWSDayListFrame* frame = Show(WSFrame, schedule);
    EXPECT_EQ(frame->objectName(), "WSDayListFrame");
    CheckPeriod(frame, "WSDF", "TBDateDaysKindWeek", 7);
    QWidget* monday = Day(frame, "WSDF", 0);
    EXPECT_EQ(monday->findChild<QWidget*>("ImagePersonIsOut"), nullptr);
    Find<QToolButton>(frame, "TBDateDaysKindMonth")->click();
    Settle();
    CheckPeriod(frame, "WSDF", "TBDateDaysKindMonth", schedule->Days()->Count());
    EXPECT_EQ(Day(frame, "WSDF", 0), monday);
    Find<QToolButton>(frame, "TBDateDaysKindWeek")->click();
    Settle();
    CheckPeriod(frame, "WSDF", "TBDateDaysKindWeek", 7);

    TWSPersonDragObjectEx bob;
    bob.SetPersonID(Bob->ID());
    EXPECT_TRUE(DropOnto(monday, &bob));
    EXPECT_TRUE(DropOnto(Find<QLabel>(Day(frame, "WSDF", 1), "LabelDate"), &bob));
    EXPECT_EQ(FileJobPairs(Mon), (Pairs{{Bob->ID(), Kitchen->ID()}}));
    QWidget* mondayRow = Find<QWidget>(monday, "WSDPF0");
    QWidget* tuesdayRow = Find<QWidget>(Day(frame, "WSDF", 1), "WSDPF0");
    EXPECT_EQ(Text(mondayRow, "LabelName"), "Bob");
    EXPECT_TRUE(ShowsIcon(mondayRow, "ImageIsOut", 0));
    EXPECT_TRUE(ShowsIcon(tuesdayRow, "ImageIsOut", 1));
    EXPECT_EQ(monday->height(), DayHeight(monday, 1));
    EXPECT_FALSE(DragOver(Find<QWidget>(mondayRow, "ImageIsOut"), &bob));
    TWSDayPersonDragObjectEx fromMonday;
    fromMonday.SetPersonID(Bob->ID());
    fromMonday.SetDay(Mon);
    EXPECT_TRUE(DropOnto(Find<QWidget>(mondayRow, "PanelLeft"), &fromMonday));
    EXPECT_TRUE(DropOnto(Day(frame, "WSDF", 2), &fromMonday));
    EXPECT_EQ(FileJobPairs(Mon), (Pairs{{Bob->ID(), Kitchen->ID()}}));
    EXPECT_EQ(FileJobPairs(Wed), (Pairs{{Bob->ID(), Kitchen->ID()}}));
    Find<QToolButton>(Find<QWidget>(Day(frame, "WSDF", 2), "WSDPF0"), "SBDelete")->click();
    Settle();
    EXPECT_TRUE(FileJobPairs(Wed).empty());
    EXPECT_EQ(Day(frame, "WSDF", 2)->height(), DayHeight(Day(frame, "WSDF", 2), 0));

    // Register changes: renamed, and deleted with the absence picture.
    TWSPersonDragObjectEx cid;
    cid.SetPersonID(Cid->ID());
    EXPECT_TRUE(DropOnto(monday, &cid));
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Robert"); }, true);
    ASSERT_TRUE(schedule->Persons()->EditPerson(Bob->ID()));
    EXPECT_EQ(Text(Find<QWidget>(monday, "WSDPF0"), "LabelName"), "Robert (Bob)");
    ASSERT_TRUE(schedule->Persons()->DeletePerson(Cid->ID(), QString()));
    QWidget* cidRow = Find<QWidget>(monday, "WSDPF1");
    EXPECT_EQ(Text(cidRow, "LabelName"), "Cid");
    EXPECT_TRUE(StruckThrough(cidRow));
    EXPECT_TRUE(ShowsIcon(cidRow, "ImageIsOut", 1));

    Click(Find<QLabel>(Day(frame, "WSDF", 2), "LabelName"));
    Find<QAction>(frame, "ActionDailySchedule")->trigger();
    EXPECT_EQ(Navigator.Calls, (QStringList{QStringLiteral("daily %1").arg(Wed), "daily 0"}));
}

TEST_F(DayViewsTest, WorkplaceDayColumnPrints)
{
    NewWorkplaceSchedule(Kitchen);
    CheckPrinting(Show(WSFrame, WorkplaceSchedule.get()), "Print Workplace schedule",
        {"Workplace schedule - General report", "Workplace schedule - Detailed report",
            "Workplace schedule - Two column report"},
        {"WorkplaceScheduleGeneral", "WorkplaceScheduleFull", "WorkplaceScheduleTwoCol"});
}

} // namespace

// The last day of a workplace's month is reached by keys, scrolled into
// view and planned there; a worker already there is not offered again.
TEST_F(DayViewsTest, AWorkplacesMonthPlannedByKeysToItsLastDay)
{
    TWorkplaceSchedule* schedule = NewWorkplaceSchedule(Hall);
    TWSDayListFrame* frame = Show(WSFrame, schedule);
    frame->resize(600, 400);
    Find<QToolButton>(frame, "TBDateDaysKindMonth")->click();
    Settle();
    const int days = schedule->Days()->Count();
    ASSERT_GE(days, 28);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    Day(frame, "WSDF", 0)->setFocus();
    for (int n = 0; n < days + 2; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        Settle();
    }
    QWidget* last = Day(frame, "WSDF", days - 1);
    ASSERT_EQ(QApplication::focusWidget(), last);
    QWidget* viewport = frame->findChild<QScrollArea*>()->viewport();
    const QRect shown(last->mapTo(viewport, QPoint(0, 0)), last->size());
    EXPECT_TRUE(viewport->rect().contains(shown)) << shown.y();

    const TDate lastDate = schedule->Days()->Items(days - 1)->Date();
    TestEnv::Dialogs().AnswerPick(QString("Bob"));
    QTest::keyClick(last, Qt::Key_Return);
    Settle();
    EXPECT_EQ(FileJobPairs(lastDate), (Pairs{{Bob->ID(), Hall->ID()}}));
    TestEnv::Dialogs().AnswerPick(std::nullopt);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(TestEnv::Dialogs().Questions().back().Text.contains("Bob"))
        << TestEnv::Dialogs().Questions().back().Text.toStdString();
    EXPECT_EQ(FileJobPairs(lastDate).size(), 1u);
}

TEST_F(DayViewsTest, AWorkersWeekPlannedByKeysAloneAndTheAbsenceTold)
{
    Bob->SetDateOutFrom(Wed);
    Bob->SetDaysOut(1);
    QStringList notices;
    SetPlanNoticeSink([&notices](const QString& AText) { notices << AText; });
    TPSDayListFrame* frame = Show(PSFrame, NewPersonSchedule(Bob));
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    auto focused = [] { return QApplication::focusWidget(); };
    auto key = [&focused](int AKey, Qt::KeyboardModifiers AModifiers = Qt::NoModifier) {
        QTest::keyClick(focused(), static_cast<Qt::Key>(AKey), AModifiers);
        Settle();
    };
    auto absentMark = [frame](int ADay) { return Find<QLabel>(Day(frame, "PSDF", ADay), "LabelAbsent"); };
    Day(frame, "PSDF", 0)->setFocus();

    // Monday by the planning key, Tuesday by Enter, Wednesday, when he is away.
    TestEnv::Dialogs().AnswerPick(QString("KIT  Kitchen"));
    key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    key(Qt::Key_Down);
    EXPECT_EQ(focused(), Day(frame, "PSDF", 1));
    TestEnv::Dialogs().AnswerPick(QString("OFF  Office"));
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    TestEnv::Dialogs().AnswerPick(QString("HAL  Hall"));
    key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(FileJobPairs(Mon), (Pairs{{Bob->ID(), Kitchen->ID()}}));
    EXPECT_EQ(FileJobPairs(Tue), (Pairs{{Bob->ID(), Office->ID()}}));
    EXPECT_EQ(FileJobPairs(Wed), (Pairs{{Bob->ID(), Hall->ID()}}));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith("Bob is away")) << notices[0].toStdString();
    EXPECT_FALSE(absentMark(1)->isVisible());
    EXPECT_TRUE(absentMark(2)->isVisible());
    EXPECT_EQ(absentMark(2)->toolTip(), notices[0]);

    // A cancelled pick plans nothing; Tab reaches the day's row, whose
    // Delete takes it off and leaves the keyboard on the day.
    TestEnv::Dialogs().AnswerPick(std::nullopt);
    key(Qt::Key_Return);
    EXPECT_FALSE(
        Find<QToolButton>(Find<QWidget>(Day(frame, "PSDF", 2), "PSDWPF0"), "SBDelete")->focusPolicy() & Qt::TabFocus);
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), Find<QWidget>(Day(frame, "PSDF", 2), "PSDWPF0"));
    key(Qt::Key_Delete);
    EXPECT_EQ(focused(), Day(frame, "PSDF", 2));
    EXPECT_TRUE(FileJobPairs(Wed).empty());
    EXPECT_FALSE(absentMark(2)->isVisible());

    // Thursday to Friday; Up from the last day back to Thursday.
    for (int n = 0; n < 4; ++n)
        key(Qt::Key_Down);
    EXPECT_EQ(focused(), Day(frame, "PSDF", 6));
    key(Qt::Key_Down);
    EXPECT_EQ(focused(), Day(frame, "PSDF", 6));
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    TestEnv::Dialogs().AnswerPick(QString("KIT  Kitchen"));
    key(Qt::Key_Return);
    EXPECT_EQ(FileJobPairs(Wed + 1), (Pairs{{Bob->ID(), Kitchen->ID()}}));
    EXPECT_EQ(notices.size(), 1);

    // A drop on the workplace screen tells it as well.
    TWSDayListFrame* workplace = Show(WSFrame, NewWorkplaceSchedule(Hall));
    TWSPersonDragObjectEx bob;
    bob.SetPersonID(Bob->ID());
    EXPECT_TRUE(DropOnto(Day(workplace, "WSDF", 2), &bob));
    EXPECT_EQ(FileJobPairs(Wed), (Pairs{{Bob->ID(), Hall->ID()}}));
    ASSERT_EQ(notices.size(), 2);
    EXPECT_TRUE(Find<QLabel>(Day(workplace, "WSDF", 2), "LabelAbsent")->isVisible());
    SetPlanNoticeSink(nullptr);
}
