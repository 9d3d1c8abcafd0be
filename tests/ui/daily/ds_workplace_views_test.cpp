// The workplace views of the daily schedule: panels and rows, their commands,
// drops, the deleted looks, the print menu and the system templates.
#include "tests/ui/daily/ds_workplace_views_fixture.h"

#include "reports/print_data.h"
#include "reports/recording_report_engine.h"
#include "ui/view_resources.h"

#include <QDrag>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>

namespace {

using ListViewTest = WorkplaceViewsTest;

TEST_F(ListViewTest, PanelsFollowTheListOrderWithTheirHeadersAndTheAreaWidth)
{
    ASSERT_EQ(PanelCount(Frame.get()), 2);
    EXPECT_EQ(Text(Panel(0), "LabelShortcut"), "B1");
    EXPECT_EQ(Text(Panel(0), "LabelName"), "Bar");
    EXPECT_EQ(Text(Panel(1), "LabelShortcut"), "K1");
    EXPECT_EQ(Text(Panel(1), "LabelName"), "Kitchen");
    EXPECT_FALSE(Find("PanelInfo")->isVisibleTo(Frame.get()));
    QScrollArea* box = Frame->ScrollBox();
    ASSERT_EQ(box, Find<QScrollArea>("ScrollBox"));
    EXPECT_EQ(box->verticalScrollBar()->singleStep(), 32);
    EXPECT_EQ(box->frameShape(), QFrame::NoFrame);
    // Stacked from the top, as wide as the area, also after a resize.
    EXPECT_EQ(Panel(0)->y(), 0);
    EXPECT_EQ(Panel(1)->y(), Panel(0)->height());
    Settle();
    EXPECT_EQ(Panel(0)->width(), box->viewport()->width());
    Frame->resize(420, 300);
    Settle();
    EXPECT_EQ(Panel(1)->width(), box->viewport()->width());
    EXPECT_LT(Panel(1)->width(), 420 + 1);
    // The header shows the workplace colour, the panel a colour derived from it.
    auto* top = Find<QWidget>("PanelTop", Panel(1));
    const TColor color = Kitchen->Color();
    EXPECT_EQ(top->palette().color(QPalette::Window), QColor(ColorRed(color), ColorGreen(color), ColorBlue(color)));
    const TColor back = LightenColor(color, 8);
    EXPECT_EQ(Panel(1)->palette().color(QPalette::Window), QColor(ColorRed(back), ColorGreen(back), ColorBlue(back)));
}

TEST_F(ListViewTest, AnUnboundViewAndAnEmptyListShowTheBannerWithCommandsOff)
{
    TDSWorkplaceListFrame lone;
    auto* info = lone.findChild<QWidget*>("PanelInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisibleTo(&lone));
    EXPECT_EQ(Text(info, "LabelInfoStep"), "1.");
    EXPECT_EQ(Text(info, "LabelInfoTitle"), "Workplaces");
    EXPECT_EQ(Text(info, "LabelInfoHint"), "Here add all yours workplaces");
    for (const char* name : {"ActionAdd", "ActionSortingAsc", "ActionSortingDesc", "ActionPrintReportGeneral",
             "ActionPrintReportWorkplacesTwoCol", "ActionPrintOccupiedWorkplacesOnly"})
        EXPECT_FALSE(lone.findChild<QAction*>(name)->isEnabled()) << name;

    // Deleting both workplaces empties the list: the banner comes back.
    Dialogs().AnswerMessage(mrYes);
    Dialogs().AnswerMessage(mrYes);
    Click(Find<QToolButton>("SBDelete", Panel(0)));
    Settle();
    Click(Find<QToolButton>("SBDelete", Panel(0)));
    Settle();
    EXPECT_EQ(PanelCount(Frame.get()), 0);
    EXPECT_TRUE(Find("PanelInfo")->isVisibleTo(Frame.get()));
    EXPECT_EQ(Store->Workplaces->WorkplaceCount(), 0);
    EXPECT_TRUE(Action("ActionAdd")->isEnabled());
}

TEST_F(ListViewTest, ActionsCarryTheirCaptionsHintsAndButtons)
{
    EXPECT_EQ(Action("ActionAdd")->text(), "Add workplace...");
    EXPECT_EQ(Action("ActionAdd")->toolTip(), "Add workplace...");
    EXPECT_EQ(Action("ActionSortingAsc")->text(), "Sort ascendent");
    EXPECT_EQ(Action("ActionSortingAsc")->toolTip(), "Sort workplaces ascendent");
    EXPECT_EQ(Action("ActionSortingDesc")->text(), "Sort descendent");
    EXPECT_EQ(Action("ActionSortingDesc")->toolTip(), "Sort workplaces descendent");
    EXPECT_EQ(Action("ActionAddTemplate")->text(), "Save as a new template...");
    EXPECT_EQ(Find<QToolButton>("TBAdd")->defaultAction(), Action("ActionAdd"));
    EXPECT_EQ(Find<QToolButton>("TBSortingAsc")->defaultAction(), Action("ActionSortingAsc"));
    EXPECT_EQ(Find<QToolButton>("TBSortingDesc")->defaultAction(), Action("ActionSortingDesc"));
    struct {
        const char* Button;
        const char* Caption;
        const char* Hint;
        const char* Menu;
    } const buttons[] = {
        {"TBPrint", "Print", "Print Daily schedule...", "PUMenuPrint"},
        {"TBApplyDefaultTemplate", "System templates", "Select and apply system templates",
            "PUMenuApplySystemTemplate"},
        {"TBApplyTemplate", "Apply user templates", "Select and apply user defined template", "PUMenuApplyTemplate"},
        {"TBSaveTemplate", "Save user template", "Save current schedule as user template", "PUMenuSaveTemplate"},
    };
    for (const auto& b : buttons) {
        auto* button = Find<QToolButton>(b.Button);
        ASSERT_NE(button, nullptr) << b.Button;
        EXPECT_EQ(button->text(), b.Caption);
        EXPECT_EQ(button->toolTip(), b.Hint);
        EXPECT_EQ(button->menu(), Find<QMenu>(b.Menu));
        EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
    }
    // The print menu: three daily reports, three workplace reports, the check mark.
    QStringList entries;
    for (QAction* a : Find<QMenu>("PUMenuPrint")->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(
        entries, (QStringList{"Daily schedule - General report", "Daily schedule - Full report",
                     "Daily schedule - Two columns", "-", "Workplaces - General report", "Workplaces - Detailed report",
                     "Workplaces - Two column report", "-", "Print of occupied workplaces only"}));
    QStringList system;
    for (QAction* a : Find<QMenu>("PUMenuApplySystemTemplate")->actions())
        system << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + "=" + a->text());
    EXPECT_EQ(system, (QStringList{"PUMenuASTPrevDay=Same as previous day", "PUMenuASTLastWeek=Same as last week",
                          "PUMenuASTDay=Same as last...", "-", "PUMenuASTClearAll=Clear all"}));
    QStringList days;
    for (QAction* a : Find<QMenu>("PUMenuASTDay")->actions())
        days << a->objectName() + "=" + a->text();
    EXPECT_EQ(days, (QStringList{"PUMenuASTDayMon=Monday", "PUMenuASTDayTue=Tuesday", "PUMenuASTDayWed=Wednesday",
                        "PUMenuASTDayThu=Thursday", "PUMenuASTDayFri=Friday", "PUMenuASTDaySat=Saturday",
                        "PUMenuASTDaySun=Sunday"}));
}

TEST_F(ListViewTest, SortingButtonsGreyTheCurrentDirectionAndReorderThePanels)
{
    EXPECT_FALSE(Action("ActionSortingAsc")->isEnabled());
    EXPECT_TRUE(Action("ActionSortingDesc")->isEnabled());
    Action("ActionSortingDesc")->trigger();
    Settle();
    EXPECT_EQ(Schedule->Workplaces()->SortingDirection(), sdDescended);
    EXPECT_TRUE(Action("ActionSortingAsc")->isEnabled());
    EXPECT_FALSE(Action("ActionSortingDesc")->isEnabled());
    EXPECT_EQ(Text(Panel(0), "LabelShortcut"), "K1");
    EXPECT_EQ(Text(Panel(1), "LabelShortcut"), "B1");
    EXPECT_EQ(PanelCount(Frame.get()), 2);
    Action("ActionSortingAsc")->trigger();
    Settle();
    EXPECT_EQ(Text(Panel(0), "LabelShortcut"), "B1");
}

TEST_F(ListViewTest, BindingMovesTheEditorAndTheDestructorClearsIt)
{
    TDSWorkplaceList* list = Schedule->Workplaces();
    EXPECT_EQ(list->Editor(), Frame.get());
    EXPECT_EQ(list->Items(0)->Editor(), Panel(0));
    TDailySchedule other;
    other.SetDate(TestDay + 1);
    Frame->SetWorkplaces(other.Workplaces());
    Settle();
    EXPECT_EQ(list->Editor(), nullptr);
    EXPECT_EQ(list->Items(0)->Editor(), nullptr);
    EXPECT_EQ(other.Workplaces()->Editor(), Frame.get());
    // A notification of the old list reaches no view any more.
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    EXPECT_EQ(RowCount(PanelOf(KitchenID)), 0);
    Frame.reset();
    EXPECT_EQ(other.Workplaces()->Editor(), nullptr);
    EXPECT_EQ(other.Workplaces()->Items(0)->Editor(), nullptr);
}

TEST_F(ListViewTest, AddingAWorkplaceThroughTheEditorAddsItsPanelInOrder)
{
    EditorDoes(
        "TWorkplaceEditor",
        [](TObject* o) {
            static_cast<TWorkplace*>(o)->SetName("Cellar");
            static_cast<TWorkplace*>(o)->SetShortcut("C1");
        },
        true);
    Action("ActionAdd")->trigger();
    Settle();
    ASSERT_EQ(PanelCount(Frame.get()), 3);
    EXPECT_EQ(Text(Panel(1), "LabelName"), "Cellar");
    EXPECT_EQ(Store->Workplaces->WorkplaceCount(), 3);
    // A cancelled editor adds nothing.
    EditorDoes(
        "TWorkplaceEditor", [](TObject* o) { static_cast<TWorkplace*>(o)->SetName("Hall"); }, false);
    Action("ActionAdd")->trigger();
    Settle();
    EXPECT_EQ(PanelCount(Frame.get()), 3);
    EXPECT_EQ(Store->Workplaces->WorkplaceCount(), 3);
}

TEST_F(ListViewTest, EditAndDeleteButtonsOfAPanel)
{
    EditorDoes(
        "TWorkplaceEditor", [](TObject* o) { static_cast<TWorkplace*>(o)->SetName("Galley"); }, true);
    Click(Find<QToolButton>("SBEdit", PanelOf(KitchenID)));
    Settle();
    EXPECT_EQ(Text(PanelOf(KitchenID), "LabelName"), "Galley");
    EXPECT_EQ(Store->Workplaces->Workplaces(-KitchenID)->Name(), "Galley");

    ASSERT_EQ(Dialogs().Questions().size(), 1u);
    EXPECT_EQ(Dialogs().Questions()[0].Kind, "editor");
    Dialogs().AnswerMessage(mrNo);
    Click(Find<QToolButton>("SBDelete", PanelOf(BarID)));
    Settle();
    ASSERT_EQ(Dialogs().Questions().size(), 2u);
    EXPECT_EQ(Dialogs().Questions()[1].Text, "Delete workplace\r\n\"Bar\"\r\nReally?");
    EXPECT_EQ(PanelCount(Frame.get()), 2);
    EXPECT_NE(Store->Workplaces->Workplaces(-BarID), nullptr);
    Dialogs().AnswerMessage(mrYes);
    Click(Find<QToolButton>("SBDelete", PanelOf(BarID)));
    Settle();
    EXPECT_EQ(PanelCount(Frame.get()), 1);
    EXPECT_EQ(Store->Workplaces->Workplaces(-BarID), nullptr);
}

TEST_F(ListViewTest, ADeletedWorkplaceWithRelationsComesBackStruckOutAndInert)
{
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, BarID));
    Dialogs().AnswerMessage(mrYes);
    Click(Find<QToolButton>("SBDelete", PanelOf(BarID)));
    Schedule->Refresh(dsrkAll);
    Settle();
    TDSWorkplaceFrame* panel = PanelOf(BarID);
    ASSERT_NE(panel, nullptr);
    auto* shortcut = Find<QLabel>("LabelShortcut", panel);
    auto* name = Find<QLabel>("LabelName", panel);
    EXPECT_EQ(shortcut->text(), "B1");
    EXPECT_EQ(name->text(), "Bar");
    EXPECT_TRUE(shortcut->font().strikeOut());
    EXPECT_TRUE(shortcut->font().bold());
    EXPECT_TRUE(name->font().strikeOut());
    EXPECT_TRUE(name->toolTip().isEmpty());
    EXPECT_EQ(name->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(Find<QToolButton>("SBEdit", panel)->isEnabled());
    EXPECT_FALSE(Find<QToolButton>("SBDelete", panel)->isEnabled());
    // Its name does nothing; a live one opens the workplace schedule.
    TRecordingNavigator navigator;
    SetNavigator(&navigator);
    Click(name);
    EXPECT_TRUE(navigator.Calls.isEmpty());
    Click(Find<QLabel>("LabelName", PanelOf(KitchenID)));
    EXPECT_EQ(navigator.Calls, QStringList{QStringLiteral("workplace %1 %2").arg(KitchenID).arg(TestDay)});
    // It takes a dragged worker, but nothing is added to it.
    TDSWorkplacePersonDragObjectEx bob(BobID, 0);
    EXPECT_TRUE(DragOver(panel, &bob));
    Drop(panel, &bob);
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{AnnID, BarID}}));
    EXPECT_EQ(RowCount(PanelOf(BarID)), 1);
}

TEST_F(ListViewTest, TheNameLabelUnderlinesWhileThePointerIsOverIt)
{
    auto* name = Find<QLabel>("LabelName", PanelOf(KitchenID));
    EXPECT_EQ(name->toolTip(), "Weekly workplace schedule");
    EXPECT_EQ(name->cursor().shape(), ProgramCursor(crHand).shape());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(name, &enter);
    EXPECT_TRUE(name->font().underline());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(name, &leave);
    EXPECT_FALSE(name->font().underline());
}

TEST_F(ListViewTest, ADayOfManyWorkplacesBuildsOnlyThePanelsNearTheView)
{
    for (int i = 0; i < 60; ++i)
        ASSERT_NE(AddWorkplace(QStringLiteral("Hall %1").arg(i), QStringLiteral("W%1").arg(i, 2, 10, QLatin1Char('0'))),
            nullptr);
    Frame->resize(500, 300);
    Schedule->Refresh(dsrkAll);
    Settle();
    TDSWorkplaceList* list = Schedule->Workplaces();
    ASSERT_EQ(list->Count(), 62);
    QScrollArea* box = Frame->ScrollBox();
    QScrollBar* bar = box->verticalScrollBar();
    ASSERT_NE(Panel(0), nullptr);
    const int panelHeight = Panel(0)->height();
    // The content is as tall as every panel, yet the far ones are not built.
    EXPECT_EQ(bar->maximum() + box->viewport()->height(), 62 * panelHeight);
    EXPECT_EQ(Panel(61), nullptr);
    EXPECT_LT(Frame->findChildren<TDSWorkplaceFrame*>().size(), 40);
    EXPECT_EQ(list->Items(61)->Editor(), nullptr);

    // Scrolled to the end, the last panel is bound in its place, the first let go.
    bar->setValue(bar->maximum());
    TDSWorkplaceFrame* last = Panel(61);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Workplace(), list->Items(61));
    EXPECT_EQ(Text(last, "LabelShortcut"), "W59");
    EXPECT_EQ(last->y(), 61 * panelHeight);
    EXPECT_EQ(last->width(), box->viewport()->width());
    EXPECT_TRUE(last->isVisibleTo(Frame.get()));
    EXPECT_EQ(Panel(0), nullptr);
    EXPECT_EQ(list->Items(0)->Editor(), nullptr);

    // A drop there adds the worker and the content grows by his row.
    TDSWorkplacePersonDragObjectEx ann(AnnID, 0);
    Drop(last, &ann);
    const int lastID = list->Items(61)->ID();
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{AnnID, lastID}}));
    ASSERT_EQ(RowCount(Panel(61)), 1);
    EXPECT_EQ(Text(Row(Panel(61), 0), "LabelName"), "Ann");
    const int rowHeight = Row(Panel(61), 0)->height();
    EXPECT_EQ(bar->maximum() + box->viewport()->height(), 62 * panelHeight + rowHeight);
    // A worker placed at a workplace far above moves the built panels down.
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(BobID, list->Items(0)->ID()));
    EXPECT_EQ(Panel(61)->y(), 61 * panelHeight + rowHeight);

    // Another day rebinds the panels where they stand.
    Schedule->SetDate(TestDay + 1);
    EXPECT_EQ(Panel(61), last);
    EXPECT_EQ(last->Workplace(), list->Items(61));
    EXPECT_EQ(RowCount(last), 0);
    Schedule->SetDate(TestDay);
    bar->setValue(0);
    ASSERT_NE(Panel(0), nullptr);
    EXPECT_EQ(Panel(0)->Workplace(), list->Items(0));
    ASSERT_EQ(RowCount(Panel(0)), 1);
    EXPECT_EQ(Text(Row(Panel(0), 0), "LabelName"), "Bob");
    EXPECT_EQ(Panel(1)->y(), Panel(0)->height());
}

using DropTest = WorkplaceViewsTest;

TEST_F(DropTest, AWorkerFromTheWorkerListJoinsTheWorkplace)
{
    TDSWorkplaceFrame* kitchen = PanelOf(KitchenID);
    TDSWorkplacePersonDragObjectEx ann(AnnID, 0);
    // Over the panel, its header and its labels alike.
    EXPECT_TRUE(DragOver(kitchen, &ann));
    Drop(Find<QLabel>("LabelShortcut", PanelOf(KitchenID)), &ann);
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{AnnID, KitchenID}}));
    kitchen = PanelOf(KitchenID);
    ASSERT_EQ(RowCount(kitchen), 1);
    EXPECT_EQ(Text(Row(kitchen, 0), "LabelName"), "Ann");
    EXPECT_EQ(Text(Row(kitchen, 0), "LabelWorkplaces"), "K1");
    // A second worker dropped on the first one's row joins the same workplace.
    TDSWorkplacePersonDragObjectEx bob(BobID, 0);
    Drop(Find<QLabel>("LabelWorkplaces", Row(kitchen, 0)), &bob);
    kitchen = PanelOf(KitchenID);
    ASSERT_EQ(RowCount(kitchen), 2);
    EXPECT_EQ(Text(Row(kitchen, 1), "LabelName"), "Bob");
    EXPECT_EQ(JobPairs(TestDay).size(), 2u);
    // Rows stack under the header and the panel grows with them.
    const int rowHeight = Row(kitchen, 0)->height();
    auto* header = Find<QWidget>("PanelTop", kitchen);
    EXPECT_EQ(Row(kitchen, 0)->y(), header->y() + header->height());
    EXPECT_EQ(Row(kitchen, 1)->y(), header->y() + header->height() + rowHeight);
    EXPECT_EQ(kitchen->height(), 2 * rowHeight + header->height() + 3);
    EXPECT_EQ(Row(kitchen, 1)->width(), kitchen->width());
    EXPECT_EQ(Find<QWidget>("PanelLeft", Row(kitchen, 1))->width(), kitchen->width() / 2);
    EXPECT_EQ(RowCount(PanelOf(BarID)), 0);
    EXPECT_EQ(PanelOf(BarID)->height(), Find<QWidget>("PanelTop", PanelOf(BarID))->height() + 3);
}

TEST_F(DropTest, FromOneWorkplaceToAnotherTheWorkerStaysAtBoth)
{
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    Settle();
    std::unique_ptr<TDSWorkplacePersonDragObjectEx> payload = Row(PanelOf(KitchenID), 0)->CreateDragObject();
    ASSERT_NE(payload, nullptr);
    EXPECT_EQ(payload->PersonID(), AnnID);
    EXPECT_EQ(payload->WorkplaceID(), KitchenID);
    EXPECT_NE(qobject_cast<TDSPersonDragObjectEx*>(payload.get()), nullptr);
    EXPECT_TRUE(DragOver(PanelOf(BarID), payload.get()));
    Drop(PanelOf(BarID), payload.get());
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{AnnID, KitchenID}, {AnnID, BarID}}));
    EXPECT_EQ(Text(Row(PanelOf(BarID), 0), "LabelWorkplaces"), "B1-K1");
    // The row of the first workplace follows the addition at the other one.
    EXPECT_EQ(Text(Row(PanelOf(KitchenID), 0), "LabelWorkplaces"), "B1-K1");
}

TEST_F(DropTest, AWorkerAlreadyThereIsRefusedUnlessTakenFromThatWorkplace)
{
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    Settle();
    TDSWorkplaceFrame* kitchen = PanelOf(KitchenID);
    TDSWorkplacePersonFrame* row = Row(kitchen, 0);
    TDSWorkplacePersonDragObjectEx fromList(AnnID, 0);
    TDSWorkplacePersonDragObjectEx fromBar(AnnID, BarID);
    TDSWorkplacePersonDragObjectEx fromKitchen(AnnID, KitchenID);
    TDSPersonDragObjectEx plain(AnnID);
    EXPECT_FALSE(DragOver(kitchen, &fromList));
    EXPECT_FALSE(DragOver(row, &fromList));
    EXPECT_FALSE(DragOver(Find<QLabel>("LabelName", row), &fromList));
    EXPECT_FALSE(DragOver(kitchen, &fromBar));
    EXPECT_FALSE(DragOver(kitchen, &plain));
    EXPECT_TRUE(DragOver(kitchen, &fromKitchen));
    EXPECT_TRUE(DragOver(row, &fromKitchen));
    EXPECT_TRUE(DragOver(PanelOf(BarID), &plain));
    // Dropped back on his own workplace: nothing changes.
    Drop(row, &fromKitchen);
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{AnnID, KitchenID}}));
    EXPECT_EQ(RowCount(PanelOf(KitchenID)), 1);
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());
}

TEST_F(DropTest, OnlyPayloadsOfKnownWorkersAreTaken)
{
    TDSWorkplaceFrame* bar = PanelOf(BarID);
    TDSWorkplacePersonDragObjectEx none(0, 0);
    TDSWorkplacePersonDragObjectEx unknown(BobID + 100, 0);
    QMimeData text;
    text.setText(QString::number(AnnID));
    EXPECT_FALSE(DragOver(bar, &none));
    EXPECT_FALSE(DragOver(bar, &unknown));
    EXPECT_FALSE(DragOver(bar, &text));
    EXPECT_FALSE(TDSWorkplaceFrame::CanTakeDrop(&text, nullptr));
    TDSPersonDragObjectEx ann(AnnID);
    EXPECT_FALSE(TDSWorkplaceFrame::CanTakeDrop(&ann, nullptr));
    // A dropped text changes nothing.
    Drop(bar, &text);
    EXPECT_TRUE(JobPairs(TestDay).empty());
    // A worker deleted from the register can no longer be dropped.
    ASSERT_TRUE(Store->Persons->DeletePerson(AnnID));
    EXPECT_FALSE(DragOver(PanelOf(BarID), &ann));
}

TEST_F(DropTest, TheRowButtonRemovesJustThatRelationWithoutAQuestion)
{
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, BarID));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(BobID, KitchenID));
    Settle();
    TDSWorkplacePersonFrame* annAtKitchen = Row(PanelOf(KitchenID), 0);
    ASSERT_EQ(Text(annAtKitchen, "LabelName"), "Ann");
    auto* button = Find<QToolButton>("SBDelete", annAtKitchen);
    ASSERT_TRUE(button->isEnabled());
    Click(button);
    Settle();
    EXPECT_TRUE(Dialogs().Questions().empty());
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{AnnID, BarID}, {BobID, KitchenID}}));
    ASSERT_EQ(RowCount(PanelOf(KitchenID)), 1);
    EXPECT_EQ(Text(Row(PanelOf(KitchenID), 0), "LabelName"), "Bob");
    EXPECT_EQ(Text(Row(PanelOf(BarID), 0), "LabelWorkplaces"), "B1");
}

TEST_F(DropTest, ARowOfAWorkerItemWithoutAWorkplaceStartsNoDragAndTakesNothing)
{
    TDSWorkplacePersonFrame row;
    EXPECT_EQ(row.CreateDragObject(), nullptr);
    TDSWorkplacePersonDragObjectEx ann(AnnID, 0);
    EXPECT_FALSE(DragOver(&row, &ann));
    EXPECT_FALSE(row.findChild<QToolButton*>("SBDelete")->isEnabled());
}

using RowViewTest = WorkplaceViewsTest;

TEST_F(RowViewTest, ADeletedWorkerShowsHisStoredNameStruckOut)
{
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(BobID, KitchenID));
    Settle();
    auto* annName = Find<TSCLabel>("LabelName", Row(PanelOf(KitchenID), 0));
    ASSERT_EQ(annName->text(), "Ann");
    EXPECT_FALSE(annName->font().strikeOut());
    EXPECT_EQ(annName->cursor().shape(), ProgramCursor(crHand).shape());
    ASSERT_TRUE(Schedule->Persons()->DeletePerson(AnnID, QString()));
    Settle();
    TDSWorkplaceFrame* kitchen = PanelOf(KitchenID);
    annName = Find<TSCLabel>("LabelName", Row(kitchen, 0));
    EXPECT_EQ(annName->text(), "Ann");
    EXPECT_TRUE(annName->font().strikeOut());
    EXPECT_FALSE(Find<QLabel>("LabelName", Row(kitchen, 1))->font().strikeOut());
    // Also after the day is rebuilt, where he sorts after the live ones.
    Schedule->Refresh(dsrkAll);
    Settle();
    EXPECT_TRUE(Find<QLabel>("LabelName", Row(PanelOf(KitchenID), 1))->font().strikeOut());
    EXPECT_EQ(Text(Row(PanelOf(KitchenID), 1), "LabelName"), "Ann");
    EXPECT_FALSE(Find<QLabel>("LabelName", Row(PanelOf(KitchenID), 0))->font().strikeOut());
}

TEST_F(RowViewTest, AnEditedWorkerShowsHisNewNameBesideTheStoredOne)
{
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, BarID));
    Settle();
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Annie"); }, true);
    ASSERT_TRUE(Schedule->Persons()->EditPerson(AnnID));
    Settle();
    EXPECT_EQ(Text(Row(PanelOf(KitchenID), 0), "LabelName"), "Annie (Ann)");
    EXPECT_EQ(Text(Row(PanelOf(BarID), 0), "LabelName"), "Annie (Ann)");
    EXPECT_FALSE(Find<QLabel>("LabelName", Row(PanelOf(BarID), 0))->font().strikeOut());
}

TEST_F(RowViewTest, AnAbsentWorkerShowsTheOutPictureAndLongNamesAreCut)
{
    Ann->SetName("Annabel Lee-Montgomery of the Northern Kitchen Brigade");
    Ann->SetDateOutFrom(TestDay - 1);
    Ann->SetDaysOut(3);
    ASSERT_TRUE(Store->Persons->InsertPerson(Ann));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(BobID, KitchenID));
    Settle();
    TDSWorkplaceFrame* kitchen = PanelOf(KitchenID);
    TDSWorkplacePersonFrame* ann = Row(kitchen, 0);
    TDSWorkplacePersonFrame* bob = Row(kitchen, 1);
    ASSERT_TRUE(ann && bob);
    EXPECT_EQ(Find<QLabel>("ImageIsOut", ann)->pixmap().toImage(), SmallIcon(1).pixmap(16, 16).toImage());
    EXPECT_EQ(Find<QLabel>("ImageIsOut", bob)->pixmap().toImage(), SmallIcon(0).pixmap(16, 16).toImage());
    // A narrow row shows the name cut with an ellipsis, never beyond its half.
    Frame->resize(300, 400);
    Settle();
    kitchen = PanelOf(KitchenID);
    ann = Row(kitchen, 0);
    auto* name = Find<QLabel>("LabelName", ann);
    EXPECT_TRUE(name->text().endsWith(QChar(0x2026))) << name->text().toStdString();
    EXPECT_EQ(ann->NameText(), "Annabel Lee-Montgomery of the Northern Kitchen Brigade");
    EXPECT_LE(name->geometry().right(), Find<QWidget>("PanelLeft", ann)->width());
}

TEST_F(RowViewTest, TheNoteLineFollowsTheSetting)
{
    Kitchen->SetNote("Back door code 1234");
    ASSERT_TRUE(Store->Workplaces->InsertWorkplace(Kitchen));
    Schedule->Refresh(dsrkAll);
    Settle();
    TDSWorkplaceFrame* kitchen = PanelOf(KitchenID);
    auto* note = Find<QLabel>("LabelNote", kitchen);
    EXPECT_EQ(note->text(), "Back door code 1234");
    EXPECT_TRUE(note->isVisibleTo(kitchen));
    const int tall = kitchen->height();
    EXPECT_EQ(tall, kitchen->TopLineHeight() + kitchen->NoteLineHeight() + 3);
    // A workplace without a note has no note line.
    EXPECT_FALSE(Find<QLabel>("LabelNote", PanelOf(BarID))->isVisibleTo(PanelOf(BarID)));

    // Switched off in the settings dialog: the page passes the settings on.
    Store->Setup->General()->SetShowNoteOnDSWorkplace(false);
    Schedule->DataChanged(Store->Setup.get(), Schedule.get(), QString());
    Settle();
    kitchen = PanelOf(KitchenID);
    EXPECT_FALSE(Find<QLabel>("LabelNote", kitchen)->isVisibleTo(kitchen));
    EXPECT_EQ(kitchen->height(), kitchen->TopLineHeight() + 3);
    EXPECT_LT(kitchen->height(), tall);
    // The single change announced by the settings group rebuilds as well.
    Store->Setup->General()->SetShowNoteOnDSWorkplace(true);
    Frame->DataChanged(Store->Setup->General(), "ShowNoteOnDSWorkplace");
    Settle();
    EXPECT_EQ(PanelOf(KitchenID)->height(), tall);
}

using PrintMenuTest = WorkplaceViewsTest;

TEST_F(PrintMenuTest, TheOccupiedOnlyCheckMarkFollowsTheSettingAndReopensTheMenu)
{
    QAction* occupied = Action("ActionPrintOccupiedWorkplacesOnly");
    EXPECT_FALSE(occupied->isChecked());
    // Changed in the settings dialog: the menu shows it when it opens.
    Store->Setup->General()->SetPrintOccupiedWorkplacesOnly(true);
    auto* menu = Find<QMenu>("PUMenuPrint");
    emit menu->aboutToShow();
    EXPECT_TRUE(occupied->isChecked());
    Store->Setup->General()->SetPrintOccupiedWorkplacesOnly(false);
    Frame->DataChanged(Store->Setup->General(), "PrintOccupiedWorkplacesOnly");
    EXPECT_FALSE(occupied->isChecked());
    // Choosing it flips the mark, stores it and shows the menu again.
    occupied->trigger();
    EXPECT_TRUE(occupied->isChecked());
    EXPECT_TRUE(Store->Setup->General()->PrintOccupiedWorkplacesOnly());
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    occupied->trigger();
    EXPECT_FALSE(Store->Setup->General()->PrintOccupiedWorkplacesOnly());
    menu->hide();
}

TEST_F(PrintMenuTest, PrintActionsRunTheirReportsWithTheSimpleFlag)
{
    TRecordingReportEngine engine;
    TDataManPrint print(&engine);
    TDataManPrint::SetInstance(&print);
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    Store->Setup->General()->SetPrintOccupiedWorkplacesOnly(true);
    engine.AnswerPrinterSetup(true);
    Action("ActionPrintReportFull")->trigger();
    engine.AnswerPrinterSetup(true);
    Action("ActionPrintReportWorkplacesTwoCol")->trigger();
    TDataManPrint::SetInstance(nullptr);
    ASSERT_EQ(engine.Runs().size(), 2u);
    const auto& daily = engine.Runs()[0];
    EXPECT_EQ(daily.ReportName, "DailyScheduleFull");
    EXPECT_EQ(daily.Params.value("ScheduleCaption"), "Daily schedule");
    EXPECT_TRUE(daily.Params.contains("ScheduleDate"));
    // Only the occupied workplace is printed.
    ASSERT_EQ(daily.Rows.at(ReportDSCWorkplaces).size(), 1u);
    EXPECT_EQ(StringsValue(daily.Rows.at(ReportDSCWorkplaces)[0], "Shortcut"), "K1");
    const auto& simple = engine.Runs()[1];
    EXPECT_EQ(simple.ReportName, "WorkplacesTwoCol");
    EXPECT_EQ(simple.Params.value("ScheduleCaption"), "Workplaces");
}

using SystemTemplateTest = WorkplaceViewsTest;

TEST_F(SystemTemplateTest, ClearAllEmptiesEveryWorkplaceWithoutAQuestion)
{
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, BarID));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(BobID, BarID));
    Settle();
    Action("PUMenuASTClearAll")->trigger();
    Settle();
    EXPECT_TRUE(Dialogs().Questions().empty());
    EXPECT_TRUE(JobPairs(TestDay).empty());
    EXPECT_EQ(RowCount(PanelOf(KitchenID)), 0);
    EXPECT_EQ(RowCount(PanelOf(BarID)), 0);
}

TEST_F(SystemTemplateTest, EarlierDaysAreCopiedIntoTheDay)
{
    Schedule->SetDate(TestDay - 1);
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    Schedule->SetDate(TestDay - 7);
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(BobID, BarID));
    Schedule->SetDate(TestDay);
    Settle();
    Action("PUMenuASTPrevDay")->trigger();
    Settle();
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{AnnID, KitchenID}}));
    EXPECT_EQ(Text(Row(PanelOf(KitchenID), 0), "LabelName"), "Ann");
    Action("PUMenuASTClearAll")->trigger();
    // The last Wednesday is a week back.
    Action("PUMenuASTDayWed")->trigger();
    Settle();
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{BobID, BarID}}));
    Action("PUMenuASTClearAll")->trigger();
    Action("PUMenuASTLastWeek")->trigger();
    Settle();
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{BobID, BarID}}));
    EXPECT_EQ(Text(Row(PanelOf(BarID), 0), "LabelName"), "Bob");
    // A weekday without relations changes nothing and says nothing.
    Action("PUMenuASTDaySun")->trigger();
    EXPECT_EQ(JobPairs(TestDay).size(), 1u);
    EXPECT_TRUE(Dialogs().Questions().empty());
}

} // namespace

namespace {

using RealDragTest = WorkplaceViewsTest;

// The offscreen platform ends every drag at once, so this runs the start of a
// drag (payload, picture, cursors) through to its end, not the drag loop.
TEST_F(RealDragTest, PressingAndMovingTheNameRunsADragThatLeavesTheRowIntact)
{
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
    Settle();
    QPointer<TDSWorkplacePersonFrame> source = Row(PanelOf(KitchenID), 0);
    PressAndMove(Find<TSCLabel>("LabelName", source));
    // The drag ran with the payload of the row and is disposed of afterwards.
    auto* drag = Frame->findChild<QDrag*>();
    ASSERT_NE(drag, nullptr);
    auto* payload = qobject_cast<TDSWorkplacePersonDragObjectEx*>(drag->mimeData());
    ASSERT_NE(payload, nullptr);
    EXPECT_EQ(payload->PersonID(), AnnID);
    EXPECT_EQ(payload->WorkplaceID(), KitchenID);
    EXPECT_FALSE(drag->pixmap().isNull());
    Settle();
    EXPECT_EQ(Frame->findChild<QDrag*>(), nullptr);
    ASSERT_FALSE(source.isNull());
    EXPECT_EQ(source->Person(), Schedule->Workplaces()->Items(-KitchenID)->Persons()->Items(0));
    EXPECT_EQ(JobPairs(TestDay), (std::set<std::pair<int, int>>{{AnnID, KitchenID}}));
}

} // namespace
