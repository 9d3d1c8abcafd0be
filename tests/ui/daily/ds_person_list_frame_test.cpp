// The daily worker list view on real managers: rows, actions and their
// states, the print menu's check mark, navigation, and both ends of a drag.
#include "ui/daily/ds_person_list_frame.h"

#include "reports/print_data.h"
#include "reports/print_table.h"
#include "reports/recording_report_engine.h"
#include "support/drag_events.h"
#include "support/recording_navigator.h"
#include "tests/ui/daily/ds_view_fixture.h"
#include "ui/view_resources.h"

#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>

namespace {

class DSPersonListFrameTest : public DSViewTest {
protected:
    void DestroyViews() override { Frame.reset(); }

    // The schedule on Wed with the frame bound to its worker list.
    void Bind()
    {
        Schedule->SetDate(Wed);
        Frame = std::make_unique<TDSPersonListFrame>();
        Frame->resize(400, 300);
        Frame->SetPersons(Schedule->Persons());
    }
    QAction* Action(const char* AName) { return Find<QAction>(Frame.get(), QString::fromLatin1(AName)); }
    QTreeWidget* List() { return Find<QTreeWidget>(Frame.get(), QStringLiteral("LVPersons")); }
    QWidget* PanelInfo() { return Find<QWidget>(Frame.get(), QStringLiteral("PanelInfo")); }
    QMenu* PrintMenu() { return Find<QMenu>(Frame.get(), QStringLiteral("PUMenuPrint")); }
    QStringList Names() { return ColumnTexts(List(), 0); }
    QTreeWidgetItem* Row(const QString& AName)
    {
        const auto found = List()->findItems(AName, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.front();
    }
    // Sends a built drag event to the list's viewport; true when it was taken.
    bool Send(QEvent::Type AType, QMimeData* AData)
    {
        return SendDragEvent(List()->viewport(), AType, AData, QPoint(10, 10), Qt::MoveAction);
    }

    std::unique_ptr<TDSPersonListFrame> Frame;
};

} // namespace

TEST_F(DSPersonListFrameTest, EmptyRegisterShowsTheHelpBannerAndOnlyAdding)
{
    Bind();
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_FALSE(PanelInfo()->isHidden());
    EXPECT_TRUE(Action("ActionAdd")->isEnabled());
    EXPECT_FALSE(Action("ActionEdit")->isEnabled());
    EXPECT_FALSE(Action("ActionDelete")->isEnabled());
    EXPECT_FALSE(Action("ActionPersonSchedule")->isEnabled());
    // The banner's hints.
    QStringList texts;
    for (QLabel* label : PanelInfo()->findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("2. Workers"));
    EXPECT_TRUE(texts.contains("Here add all yours workers"));
    EXPECT_TRUE(texts.contains("Take and drag the worker and drop him on the workplace"));

    // Without a list nothing can be added either.
    TDSPersonListFrame unbound;
    EXPECT_FALSE(unbound.findChild<QAction*>("ActionAdd")->isEnabled());
}

TEST_F(DSPersonListFrameTest, AddingAWorkerListsAndFocusesHimCancellingAddsNothing)
{
    Bind();
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Zoe"); }, false);
    Action("ActionAdd")->trigger();
    EXPECT_EQ(Store->Persons->PersonCount(), 0);
    EXPECT_EQ(List()->topLevelItemCount(), 0);

    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Zoe"); }, true);
    Action("ActionAdd")->trigger();
    ASSERT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_EQ(Names(), QStringList{"Zoe"});
    EXPECT_TRUE(PanelInfo()->isHidden());
    ASSERT_NE(List()->currentItem(), nullptr);
    EXPECT_EQ(List()->currentItem()->data(0, Qt::UserRole).toInt(), Store->Persons->Persons(0)->ID());
    EXPECT_TRUE(List()->currentItem()->isSelected());
    EXPECT_EQ(Schedule->Persons()->PersonFocused()->Name(), "Zoe");
    EXPECT_TRUE(Action("ActionEdit")->isEnabled());
    EXPECT_TRUE(Action("ActionDelete")->isEnabled());
    EXPECT_TRUE(Action("ActionPersonSchedule")->isEnabled());
}

TEST_F(DSPersonListFrameTest, RowsCarryNameShortcutsIDAndFollowTheDay)
{
    TPerson* bob = AddPerson("Bob");
    TPerson* ann = AddPerson("Ann");
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K1");
    TWorkplace* bar = AddWorkplace("Bar", "B1");
    Bind();
    EXPECT_EQ(Names(), (QStringList{"Ann", "Bob"}));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(ann->ID(), kitchen->ID()));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(ann->ID(), bar->ID()));
    EXPECT_EQ(ColumnTexts(List(), 1), (QStringList{"B1-K1", ""}));
    EXPECT_EQ(Row("Ann")->data(0, Qt::UserRole).toInt(), ann->ID());
    EXPECT_EQ(Row("Bob")->data(0, Qt::UserRole).toInt(), bob->ID());
    // A deleted workplace keeps its stored shortcut in brackets.
    ASSERT_TRUE(Schedule->Workplaces()->DeleteWorkplace(bar->ID(), QString()));
    Schedule->Refresh(dsrkAll);
    EXPECT_EQ(Row("Ann")->text(1), "K1-(B1)");
    // Another day has no relations.
    Schedule->SetDate(Wed + 1);
    EXPECT_EQ(ColumnTexts(List(), 1), (QStringList{"", ""}));
}

TEST_F(DSPersonListFrameTest, SortingActionsGreyTheCurrentDirection)
{
    AddPerson("Ann");
    AddPerson("Cid");
    AddPerson("Bob");
    Bind();
    EXPECT_FALSE(Action("ActionSortingAsc")->isEnabled());
    EXPECT_TRUE(Action("ActionSortingDesc")->isEnabled());
    EXPECT_FALSE(Find<QToolButton>(Frame.get(), "TBSortingAsc")->isEnabled());
    EXPECT_EQ(Names(), (QStringList{"Ann", "Bob", "Cid"}));

    Action("ActionSortingDesc")->trigger();
    EXPECT_EQ(Schedule->Persons()->SortingDirection(), sdDescended);
    EXPECT_TRUE(Action("ActionSortingAsc")->isEnabled());
    EXPECT_FALSE(Action("ActionSortingDesc")->isEnabled());
    EXPECT_EQ(Names(), (QStringList{"Cid", "Bob", "Ann"}));

    Action("ActionSortingAsc")->trigger();
    EXPECT_EQ(Schedule->Persons()->SortingDirection(), sdAscended);
    EXPECT_EQ(Names(), (QStringList{"Ann", "Bob", "Cid"}));
}

TEST_F(DSPersonListFrameTest, RowFocusAndListFocusFollowEachOther)
{
    AddPerson("Ann");
    AddPerson("Bob");
    AddPerson("Cid");
    Bind();
    // The rebuild focused the first worker.
    EXPECT_EQ(List()->currentItem(), Row("Ann"));
    List()->setCurrentItem(Row("Cid"));
    EXPECT_EQ(Schedule->Persons()->PersonFocused()->Name(), "Cid");
    Schedule->Persons()->SetPersonFocused(Schedule->Persons()->Items("Bob"));
    EXPECT_EQ(List()->currentItem(), Row("Bob"));
    EXPECT_TRUE(Row("Bob")->isSelected());
    EXPECT_FALSE(Row("Cid")->isSelected());
    // A rebuild keeps the focused worker.
    Schedule->Refresh(dsrkAll);
    EXPECT_EQ(List()->currentItem(), Row("Bob"));
}

TEST_F(DSPersonListFrameTest, EditingTheFocusedWorkerRewritesHisRow)
{
    TPerson* ann = AddPerson("Ann");
    AddPerson("Bob");
    Bind();
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Zed"); }, true);
    Action("ActionEdit")->trigger();
    EXPECT_EQ(ann->Name(), "Zed");
    // Rows follow the sorting name, which the edit left as it was.
    EXPECT_EQ(Names(), (QStringList{"Zed", "Bob"}));
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetSortingName("Zed"); }, true);
    Action("ActionEdit")->trigger();
    EXPECT_EQ(Names(), (QStringList{"Bob", "Zed"}));
    // A double click edits too; a cancelled edit changes nothing.
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Amy"); }, false);
    emit List()->itemDoubleClicked(Row("Zed"), 0);
    EXPECT_EQ(ann->Name(), "Zed");
    EXPECT_EQ(Names(), (QStringList{"Bob", "Zed"}));
    EXPECT_EQ(Store->Persons->Persons(-ann->ID())->Name(), "Zed");
}

TEST_F(DSPersonListFrameTest, DeletingAsksAndOnlyYesDeletesKeepingTheRelations)
{
    TPerson* ann = AddPerson("Ann");
    TPerson* bob = AddPerson("Bob");
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K1");
    const int bobID = bob->ID();
    Bind();
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(bobID, kitchen->ID()));
    List()->setCurrentItem(Row("Bob"));

    Dialogs().AnswerMessage(mrNo);
    const size_t asked = Dialogs().Questions().size();
    Action("ActionDelete")->trigger();
    ASSERT_EQ(Dialogs().Questions().size(), asked + 1);
    EXPECT_EQ(Dialogs().Questions().back().Kind, "message");
    EXPECT_EQ(Dialogs().Questions().back().Text, "Delete worker\r\n\"Bob\"\r\nReally?");
    EXPECT_EQ(Dialogs().Questions().back().Buttons, mbYes | mbNo);
    EXPECT_EQ(Store->Persons->PersonCount(), 2);
    EXPECT_EQ(Names(), (QStringList{"Ann", "Bob"}));

    Dialogs().AnswerMessage(mrYes);
    Action("ActionDelete")->trigger();
    EXPECT_EQ(Store->Persons->PersonCount(), 1);
    EXPECT_EQ(Store->Persons->Persons(-bobID), nullptr);
    EXPECT_EQ(Names(), QStringList{"Ann"});
    // The last worker was deleted: the focus went to the previous one.
    EXPECT_EQ(List()->currentItem(), Row("Ann"));
    EXPECT_EQ(Schedule->Persons()->PersonFocused()->ID(), ann->ID());
    EXPECT_EQ(JobPairs(Wed), (std::set<std::pair<int, int>>{{bobID, kitchen->ID()}}));

    Dialogs().AnswerMessage(mrYes);
    Action("ActionDelete")->trigger();
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_FALSE(PanelInfo()->isHidden());
    EXPECT_FALSE(Action("ActionEdit")->isEnabled());
    EXPECT_FALSE(Action("ActionDelete")->isEnabled());
}

TEST_F(DSPersonListFrameTest, InvolvedOnlyCheckMarkStoresTheSettingAndReopensTheMenu)
{
    Bind();
    QAction* involved = Action("ActionPrintInvolvedPersonsOnly");
    EXPECT_FALSE(involved->isChecked());
    involved->trigger();
    EXPECT_TRUE(involved->isChecked());
    EXPECT_TRUE(Store->Setup->General()->PrintInvolvedPersonsOnly());
    QApplication::processEvents();
    EXPECT_TRUE(PrintMenu()->isVisible());
    PrintMenu()->hide();

    involved->trigger();
    EXPECT_FALSE(involved->isChecked());
    EXPECT_FALSE(Store->Setup->General()->PrintInvolvedPersonsOnly());
    QApplication::processEvents();
    EXPECT_TRUE(PrintMenu()->isVisible());
    PrintMenu()->hide();

    // Changed elsewhere: the menu shows the setting when it opens.
    Store->Setup->General()->SetPrintInvolvedPersonsOnly(true);
    EXPECT_FALSE(involved->isChecked());
    PrintMenu()->popup(QPoint(0, 0));
    EXPECT_TRUE(involved->isChecked());
    PrintMenu()->hide();
    // A settings announcement sets it as well.
    Store->Setup->General()->SetPrintInvolvedPersonsOnly(false);
    Frame->DataChanged(Store->Setup->General(), "PrintInvolvedPersonsOnly");
    EXPECT_FALSE(involved->isChecked());
}

TEST_F(DSPersonListFrameTest, PrintActionsPrintTheirReportsWithTheirCaptions)
{
    TPerson* ann = AddPerson("Ann");
    AddPerson("Bob");
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K1");
    Bind();
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(ann->ID(), kitchen->ID()));
    TRecordingReportEngine engine;
    TDataManPrint print(&engine);
    TDataManPrint::SetInstance(&print);
    Store->Setup->General()->SetPrintInvolvedPersonsOnly(true);
    engine.AnswerPrinterSetup(true);
    Action("ActionPrintReportDSPersonsTwoCol")->trigger();
    engine.AnswerPrinterSetup(true);
    Action("ActionPrintReportPersonsFull")->trigger();
    TDataManPrint::SetInstance(nullptr);
    ASSERT_EQ(engine.Runs().size(), 2u);
    EXPECT_EQ(engine.Runs()[0].ReportName, "DSPersonsTwoCol");
    EXPECT_EQ(engine.Runs()[0].Params.value("ScheduleCaption"), "Daily schedule, Workers");
    EXPECT_EQ(engine.Runs()[0].Params.value("ScheduleDate"), ShortDateText(Wed));
    // Involved workers only: Bob has no workplace on the day.
    EXPECT_EQ(engine.Runs()[0].Rows.at(ReportDSCPersons).size(), 1u);
    EXPECT_EQ(engine.Runs()[1].ReportName, "PersonsFull");
    EXPECT_EQ(engine.Runs()[1].Params.value("ScheduleCaption"), "Workers");
    EXPECT_FALSE(engine.Runs()[1].Params.contains("ScheduleDate"));
}

TEST_F(DSPersonListFrameTest, WorkerScheduleOpensForTheSelectedWorkerAndDay)
{
    AddPerson("Ann");
    TPerson* bob = AddPerson("Bob");
    Bind();
    TRecordingNavigator navigator;
    SetNavigator(&navigator);
    List()->setCurrentItem(Row("Bob"));
    Action("ActionPersonSchedule")->trigger();
    SetNavigator(nullptr);
    EXPECT_EQ(navigator.Calls, QStringList{QStringLiteral("person %1 %2").arg(bob->ID()).arg(Wed)});
}

TEST_F(DSPersonListFrameTest, ActionsHaveTheirCaptionsHintsAndShortcutsScopedToTheList)
{
    Bind();
    EXPECT_EQ(Action("ActionAdd")->text(), "Add worker...");
    EXPECT_EQ(Action("ActionAdd")->statusTip(), "Add new worker...");
    EXPECT_EQ(Action("ActionAdd")->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(Action("ActionDelete")->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_TRUE(Action("ActionEdit")->shortcuts().contains(QKeySequence(Qt::Key_Return)));
    EXPECT_TRUE(Action("ActionEdit")->shortcuts().contains(QKeySequence(Qt::ALT | Qt::Key_Return)));
    EXPECT_EQ(Action("ActionPersonSchedule")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Return));
    EXPECT_EQ(Action("ActionPersonSchedule")->statusTip(), "Show Worker schedule");
    for (QAction* action : Frame->actions())
        EXPECT_EQ(action->shortcutContext(), Qt::WidgetWithChildrenShortcut) << action->objectName().toStdString();
    auto* print = Find<QToolButton>(Frame.get(), "TBPrint");
    EXPECT_EQ(print->text(), "Print...");
    EXPECT_EQ(print->toolTip(), "Print workers list...");
    EXPECT_EQ(print->menu(), PrintMenu());
    EXPECT_EQ(print->popupMode(), QToolButton::InstantPopup);
    QStringList entries;
    for (QAction* action : PrintMenu()->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(entries,
        (QStringList{"Daily schedule, Workers - General report", "Daily schedule, Workers - Detailed report",
            "Daily schedule, Workers - Two column report", "-", "Workers - General report", "Workers - Detailed report",
            "Workers - Two column report", "-", "Print of involved workers only"}));
    QStringList context;
    for (QAction* action : Find<QMenu>(Frame.get(), "PUMenuPersons")->actions())
        context << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(context, (QStringList{"Add worker...", "Edit worker...", "Delete worker", "Place at workplace...", "-",
                           "Sort workers", "-", "Print workers", "-", "Worker schedule"}));
    EXPECT_EQ(List()->viewport()->cursor().shape(), Qt::OpenHandCursor);
    EXPECT_TRUE(List()->isHeaderHidden());
    EXPECT_EQ(List()->columnCount(), 2);
}

TEST_F(DSPersonListFrameTest, AbsentWorkerShowsTheOutPictureOnlyOnHisDays)
{
    TPerson* ann = AddPerson("Ann");
    ann->SetDateOutFrom(Wed);
    ann->SetDaysOut(2);
    ASSERT_TRUE(Store->Persons->InsertPerson(ann));
    AddPerson("Bob");
    Bind();
    EXPECT_EQ(Row("Ann")->icon(0).cacheKey(), SmallIcon(1).cacheKey());
    EXPECT_EQ(Row("Bob")->icon(0).cacheKey(), SmallIcon(0).cacheKey());
    Schedule->SetDate(Wed + 2);
    EXPECT_EQ(Row("Ann")->icon(0).cacheKey(), SmallIcon(0).cacheKey());
}

TEST_F(DSPersonListFrameTest, DragCarriesTheFocusedWorkerFromNoWorkplace)
{
    Bind();
    EXPECT_EQ(Frame->CreateDragObject(), nullptr);
    TPerson* ann = AddPerson("Ann");
    Schedule->Refresh(dsrkAll);
    auto payload = Frame->CreateDragObject();
    ASSERT_NE(payload, nullptr);
    EXPECT_EQ(payload->PersonID(), ann->ID());
    EXPECT_EQ(payload->WorkplaceID(), 0);
    // Also a worker payload for the workplace panels.
    EXPECT_NE(qobject_cast<TDSPersonDragObjectEx*>(payload.get()), nullptr);
    const QPixmap picture = Frame->DragPicture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.toImage().isGrayscale());
}

TEST_F(DSPersonListFrameTest, DropFromAWorkplaceRemovesExactlyThatRelation)
{
    TPerson* ann = AddPerson("Ann");
    TPerson* bob = AddPerson("Bob");
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K1");
    TWorkplace* bar = AddWorkplace("Bar", "B1");
    Bind();
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(ann->ID(), kitchen->ID()));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(ann->ID(), bar->ID()));
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(bob->ID(), kitchen->ID()));
    Schedule->SetDate(Wed + 1);
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(ann->ID(), kitchen->ID()));
    Schedule->SetDate(Wed);

    TDSWorkplacePersonDragObjectEx fromKitchen(ann->ID(), kitchen->ID());
    EXPECT_TRUE(Send(QEvent::DragEnter, &fromKitchen));
    EXPECT_TRUE(Send(QEvent::DragMove, &fromKitchen));
    EXPECT_TRUE(Send(QEvent::Drop, &fromKitchen));
    EXPECT_EQ(JobPairs(Wed), (std::set<std::pair<int, int>>{{ann->ID(), bar->ID()}, {bob->ID(), kitchen->ID()}}));
    EXPECT_EQ(JobPairs(Wed + 1), (std::set<std::pair<int, int>>{{ann->ID(), kitchen->ID()}}));
    EXPECT_EQ(Row("Ann")->text(1), "B1");
    EXPECT_EQ(Schedule->Workplaces()->Items(-kitchen->ID())->Persons()->Count(), 1);

    // A row of the list dropped back onto it is taken and changes nothing.
    List()->setCurrentItem(Row("Bob"));
    auto own = Frame->CreateDragObject();
    EXPECT_TRUE(Send(QEvent::DragEnter, own.get()));
    EXPECT_TRUE(Send(QEvent::Drop, own.get()));
    EXPECT_EQ(JobPairs(Wed), (std::set<std::pair<int, int>>{{ann->ID(), bar->ID()}, {bob->ID(), kitchen->ID()}}));
    EXPECT_EQ(Row("Bob")->text(1), "K1");
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());
}

TEST_F(DSPersonListFrameTest, OnlyWorkplaceWorkerPayloadsAreTaken)
{
    TPerson* ann = AddPerson("Ann");
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K1");
    Bind();
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(ann->ID(), kitchen->ID()));
    TDSPersonDragObjectEx plainWorker(ann->ID());
    QMimeData text;
    text.setText("Ann");
    EXPECT_FALSE(Send(QEvent::DragEnter, &plainWorker));
    EXPECT_FALSE(Send(QEvent::DragMove, &text));
    EXPECT_FALSE(Send(QEvent::Drop, &plainWorker));
    EXPECT_FALSE(Send(QEvent::Drop, &text));
    EXPECT_EQ(JobPairs(Wed).size(), 1u);
    // Over the help banner too: the empty list still takes back a deleted
    // worker's relation.
    const int annID = ann->ID();
    ASSERT_TRUE(Schedule->Persons()->DeletePerson(annID, QString()));
    EXPECT_FALSE(PanelInfo()->isHidden());
    TDSWorkplacePersonDragObjectEx fromKitchen(annID, kitchen->ID());
    EXPECT_EQ(List()->viewport()->childAt(10, 10), nullptr);
    EXPECT_TRUE(Send(QEvent::DragEnter, &fromKitchen));
    EXPECT_TRUE(Send(QEvent::Drop, &fromKitchen));
    EXPECT_TRUE(JobPairs(Wed).empty());
}

TEST_F(DSPersonListFrameTest, RebindingAndDestructionReleaseTheList)
{
    Bind();
    EXPECT_EQ(Schedule->Persons()->Editor(), Frame.get());
    TDSPersonListFrame other;
    other.SetPersons(Schedule->Persons());
    EXPECT_EQ(Schedule->Persons()->Editor(), &other);
    // The former view no longer owns the binding and leaves it alone.
    Frame.reset();
    EXPECT_EQ(Schedule->Persons()->Editor(), &other);
    other.SetPersons(nullptr);
    EXPECT_EQ(Schedule->Persons()->Editor(), nullptr);
}

TEST_F(DSPersonListFrameTest, KeysOfTheListRunTheirActions)
{
    AddPerson("Ann");
    Bind();
    Frame->show();
    QApplication::setActiveWindow(Frame.get());
    List()->setFocus();
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Bob"); }, true);
    QTest::keyClick(List(), Qt::Key_Insert);
    EXPECT_EQ(Names(), (QStringList{"Ann", "Bob"}));
    EXPECT_EQ(List()->currentItem(), Row("Bob"));

    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetNote("night shift"); }, true);
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_EQ(Store->Persons->Persons("Bob")->Note(), "night shift");

    Dialogs().AnswerMessage(mrYes);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(Names(), QStringList{"Ann"});
    EXPECT_EQ(Store->Persons->PersonCount(), 1);

    // The context menu of the list (also over its banner).
    emit List()->customContextMenuRequested(QPoint(10, 10));
    auto* menu = Find<QMenu>(Frame.get(), "PUMenuPersons");
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    Frame->hide();
}
