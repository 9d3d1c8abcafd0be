// Journeys through the program as a user makes them: the real main window,
// daily schedule screen and dialogs, driven by control names, with the
// questions answered in advance; each checks what the screen shows and what
// the table files hold afterwards.
#include "data/history.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"
#include "setup/setup_editor.h"
#include "support/dialog_driver.h"
#include "support/drag_events.h"
#include "tests/data/data_fixture.h"
#include "tests/ui/program_screens.h"
#include "ui/daily/daily_schedule_frame.h"
#include "ui/orvel_app_form.h"
#include "ui/person_editor.h"
#include "ui/sc_label.h"
#include "ui/screen_factories.h"
#include "ui/status_panel.h"
#include "ui/worker/person_schedule_frame.h"
#include "ui/workplace/workplace_schedule_frame.h"
#include "ui/workplace_editor.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

QString ColorText(TColor AColor)
{
    return QStringLiteral("$%1").arg(AColor, 8, 16, QLatin1Char('0')).toUpper();
}

QString FieldText(QWidget* ADialog, const char* AField)
{
    auto* edit = ADialog->findChild<QLineEdit*>(QString::fromLatin1(AField));
    return edit ? edit->text() : QStringLiteral("<none>");
}

void ClickOk(QWidget* ADialog)
{
    auto* ok = ADialog->findChild<QPushButton*>(QStringLiteral("ButtonOK"));
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(ok->isEnabled());
    ok->click();
}

QAction* MenuEntry(QMenu* AMenu, const QString& AName)
{
    if (!AMenu)
        return nullptr;
    for (QAction* action : AMenu->actions()) {
        if (action->objectName() == AName)
            return action;
        if (action->menu())
            if (QAction* inner = MenuEntry(action->menu(), AName))
                return inner;
    }
    return nullptr;
}

class JourneyTest : public DataTest, protected TProgramScreens {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        Open();
        InstallScreenFactories();
    }
    void TearDown() override
    {
        CloseScreens();
        UninstallScreenFactories();
        DataTest::TearDown();
    }
    // Starts the program's screens on what the store holds now.
    void Start()
    {
        MakeSchedules();
        MakeMainWindow();
        Window->resize(1000, 700);
        Window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
        QApplication::setActiveWindow(Window.get());
        Page = Window->PanelData()->findChild<TDailyScheduleFrame*>();
        ASSERT_NE(Page, nullptr);
        PersonsView = Page->findChild<QWidget*>(QStringLiteral("DSPersonListFrame"));
        WorkplacesView = Page->findChild<QWidget*>(QStringLiteral("DSWorkplaceListFrame"));
        ASSERT_NE(PersonsView, nullptr);
        ASSERT_NE(WorkplacesView, nullptr);
        LVPersons = PersonsView->findChild<QTreeWidget*>(QStringLiteral("LVPersons"));
        ASSERT_NE(LVPersons, nullptr);
    }
    QAction* PersonAction(const char* AName) { return PersonsView->findChild<QAction*>(QString::fromLatin1(AName)); }
    QAction* WorkplaceAction(const char* AName)
    {
        return WorkplacesView->findChild<QAction*>(QString::fromLatin1(AName));
    }
    QWidget* Panel(int AIndex) { return WorkplacesView->findChild<QWidget*>(QStringLiteral("DSWF%1").arg(AIndex)); }
    QWidget* Row(int APanel, int ARow)
    {
        QWidget* panel = Panel(APanel);
        return panel ? panel->findChild<QWidget*>(QStringLiteral("DSWPF%1").arg(ARow)) : nullptr;
    }
    QString Text(QWidget* AParent, const char* ALabel)
    {
        auto* label = AParent ? AParent->findChild<QLabel*>(QString::fromLatin1(ALabel)) : nullptr;
        return label ? label->text() : QStringLiteral("<none>");
    }
    // The list's rows as "name|shortcuts".
    QStringList ListRows()
    {
        QStringList rows;
        for (int i = 0; i < LVPersons->topLevelItemCount(); ++i)
            rows << LVPersons->topLevelItem(i)->text(0) + "|" + LVPersons->topLevelItem(i)->text(1);
        return rows;
    }
    QMenu* OpenMenu(const char* AName)
    {
        auto* menu = WorkplacesView->findChild<QMenu*>(QString::fromLatin1(AName));
        EXPECT_NE(menu, nullptr) << AName;
        if (menu)
            emit menu->aboutToShow();
        return menu;
    }
    QList<QStringList> Jobs()
    {
        return FileRows(Folder + "Jobs.cds", "SELECT PersonName, WorkplaceShortcut, Date FROM Data ORDER BY ID");
    }
    QList<QStringList> Macros()
    {
        return FileRows(Folder + "Macros.cds", "SELECT Name, PersonID, WorkplaceID FROM Data ORDER BY rowid");
    }

    TDailyScheduleFrame* Page = nullptr;
    QWidget* PersonsView = nullptr;
    QWidget* WorkplacesView = nullptr;
    QTreeWidget* LVPersons = nullptr;
};

TEST_F(JourneyTest, AFirstStartOnAnEmptyFolder)
{
    Start();
    EXPECT_TRUE(Page->findChild<QWidget*>("FrameInfo")->isVisible());
    EXPECT_TRUE(PersonsView->findChild<QWidget*>("PanelInfo")->isVisible());
    EXPECT_TRUE(WorkplacesView->findChild<QWidget*>("PanelInfo")->isVisible());
    EXPECT_EQ(Text(Page, "LabelTopCaption"), "Daily schedule");
    const QDate today = QDate::currentDate();
    EXPECT_EQ(Text(Page, "LabelTopDate"),
        QLocale().toString(today, "dddd") + ", " + QLocale().toString(today, QLocale::ShortFormat));
    EXPECT_TRUE(PersonAction("ActionAdd")->isEnabled());
    EXPECT_FALSE(PersonAction("ActionEdit")->isEnabled());
    EXPECT_FALSE(PersonAction("ActionDelete")->isEnabled());
    EXPECT_FALSE(PersonAction("ActionPersonSchedule")->isEnabled());
    EXPECT_TRUE(WorkplaceAction("ActionAdd")->isEnabled());
    EXPECT_EQ(StatusPanel(Window->statusBar(), 1)->text(), ExcludeBackslash(Folder));
    EXPECT_EQ(Page->findChild<QCalendarWidget*>("Calendar")->selectedDate(), today);
    // Every tool bar button is on screen in the narrow workplace column.
    for (const char* name :
        {"TBAdd", "TBPrint", "TBExport", "TBApplyDefaultTemplate", "TBApplyTemplate", "TBSaveTemplate"}) {
        auto* button = WorkplacesView->findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(button->isVisible()) << name;
        EXPECT_LE(button->mapTo(WorkplacesView, QPoint(button->width(), 0)).x(), WorkplacesView->width()) << name;
    }
}

TEST_F(JourneyTest, AddingWorkersAndWorkplacesThroughTheirDialogs)
{
    Start();
    WhileDialogOpen<TPersonEditor>("TPersonEditor", [](TPersonEditor* d) {
        EXPECT_EQ(d->findChild<QPushButton*>("ButtonCancel")->text(), "Close");
        Type(d, "EditName", "  Ann Lee ");
        EXPECT_EQ(FieldText(d, "EditName"), "Ann Lee");
        EXPECT_FALSE(FieldText(d, "EditSortingName").isEmpty());
        EXPECT_EQ(d->findChild<QPushButton*>("ButtonCancel")->text(), "Cancel");
        ClickOk(d);
    });
    PersonAction("ActionAdd")->trigger();
    WhileDialogOpen<TPersonEditor>("TPersonEditor", [](TPersonEditor* d) {
        Type(d, "EditName", "ann lee");
        EXPECT_NE(FieldText(d, "EditName").toUpper(), "ANN LEE");
        ClickOk(d);
    });
    PersonAction("ActionAdd")->trigger();
    const auto workers = FileRows(Folder + "Workers.cds", "SELECT Name, SortingName FROM Data ORDER BY ID");
    ASSERT_EQ(workers.size(), 2);
    EXPECT_EQ(workers[0][0], "Ann Lee");
    EXPECT_FALSE(workers[0][1].isEmpty());
    EXPECT_TRUE(workers[1][0].startsWith("ann lee")) << workers[1][0].toStdString();
    EXPECT_NE(workers[1][0], "ann lee");
    EXPECT_EQ(LVPersons->topLevelItemCount(), 2);
    EXPECT_FALSE(PersonsView->findChild<QWidget*>("PanelInfo")->isVisible());

    TestEnv::Dialogs().AnswerColor(TColor(0x000080));
    QString shown;
    WhileDialogOpen<TWorkplaceEditor>("TWorkplaceEditor", [&shown](TWorkplaceEditor* d) {
        Type(d, "EditName", "Kitchen");
        Type(d, "EditShortcut", "K1");
        auto* strip = d->findChild<QWidget*>("ImageColors");
        QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, QPoint(100, 7));
        EXPECT_EQ(FieldText(d, "EditColor"), "$00F3FFDF");
        QTest::mouseDClick(d->findChild<QLineEdit*>("EditColor"), Qt::LeftButton);
        shown = FieldText(d, "EditColor");
        ClickOk(d);
    });
    WorkplaceAction("ActionAdd")->trigger();
    const auto places = FileRows(Folder + "Workplaces.cds", "SELECT Name, Shortcut, Color FROM Data");
    ASSERT_EQ(places.size(), 1);
    EXPECT_EQ(places[0][0], "Kitchen");
    EXPECT_EQ(places[0][1], "K1");
    const TColor stored = places[0][2].toUInt();
    EXPECT_NE(stored, 0x000080u); // a dark colour is lightened
    EXPECT_EQ(shown, ColorText(stored));
    ASSERT_NE(Panel(0), nullptr);
    EXPECT_EQ(Text(Panel(0), "LabelShortcut"), "K1");
    EXPECT_EQ(Text(Panel(0), "LabelName"), "Kitchen");
    EXPECT_FALSE(WorkplacesView->findChild<QWidget*>("PanelInfo")->isVisible());
}

class PlannedDayTest : public JourneyTest {
protected:
    void SetUp() override
    {
        JourneyTest::SetUp();
        Ann = AddPerson("Ann Lee");
        Bob = AddPerson("Bob Ray");
        Kitchen = AddWorkplace("Kitchen", "K1");
        Bar = AddWorkplace("Bar", "B1");
    }
    int Jobs(const QString& APerson)
    {
        int count = 0;
        for (const QStringList& row : JourneyTest::Jobs())
            count += row[0] == APerson ? 1 : 0;
        return count;
    }
    // Panels are sorted by shortcut: Bar (B1) comes first.
    QWidget* BarPanel() { return Panel(0); }
    QWidget* KitchenPanel() { return Panel(1); }

    TPerson* Ann = nullptr;
    TPerson* Bob = nullptr;
    TWorkplace* Kitchen = nullptr;
    TWorkplace* Bar = nullptr;
};

TEST_F(PlannedDayTest, PlacingAWorkerByDragAndTakingHimOffAgain)
{
    Start();
    ASSERT_EQ(Text(BarPanel(), "LabelShortcut"), "B1");
    TDSWorkplacePersonDragObjectEx fromList(Ann->ID(), 0);
    EXPECT_TRUE(DropOnto(KitchenPanel(), &fromList));
    ASSERT_NE(Row(1, 0), nullptr);
    EXPECT_EQ(Text(Row(1, 0), "LabelName"), "Ann Lee");
    EXPECT_TRUE(ListRows().contains("Ann Lee|K1")) << ListRows().join(";").toStdString();
    EXPECT_EQ(Jobs("Ann Lee"), 1);

    // From the kitchen onto the bar: a second workplace, not a move.
    TDSWorkplacePersonDragObjectEx fromKitchen(Ann->ID(), Kitchen->ID());
    EXPECT_TRUE(DropOnto(BarPanel(), &fromKitchen));
    EXPECT_EQ(Text(Row(0, 0), "LabelWorkplaces"), "B1-K1");
    EXPECT_EQ(Text(Row(1, 0), "LabelWorkplaces"), "B1-K1");
    EXPECT_TRUE(ListRows().contains("Ann Lee|B1-K1"));
    EXPECT_EQ(Jobs("Ann Lee"), 2);

    // Over a workplace where he already is the drag is refused, unless it
    // started there.
    EXPECT_FALSE(DragOverAndLeave(BarPanel(), &fromList));
    TDSWorkplacePersonDragObjectEx fromBar(Ann->ID(), Bar->ID());
    EXPECT_TRUE(DragOverAndLeave(BarPanel(), &fromBar));

    // Back onto the list: off the kitchen only.
    EXPECT_TRUE(DropOnto(LVPersons->viewport(), &fromKitchen));
    EXPECT_EQ(Row(1, 0), nullptr);
    EXPECT_TRUE(ListRows().contains("Ann Lee|B1"));
    EXPECT_EQ(Jobs("Ann Lee"), 1);
    // A row of the list dropped on the list changes nothing.
    DropOnto(LVPersons->viewport(), &fromList);
    EXPECT_EQ(Jobs("Ann Lee"), 1);

    // The row's delete button takes him off the bar.
    auto* remove = Row(0, 0)->findChild<QAbstractButton*>("SBDelete");
    ASSERT_NE(remove, nullptr);
    remove->click();
    EXPECT_EQ(Row(0, 0), nullptr);
    EXPECT_TRUE(ListRows().contains("Ann Lee|"));
    EXPECT_EQ(Jobs("Ann Lee"), 0);
}

TEST_F(PlannedDayTest, DeletingAWorkerWithRelationsStrikesOutHisRows)
{
    Store->Jobs->AddJob(Today(), Ann, Kitchen);
    Start();
    ASSERT_NE(Row(1, 0), nullptr);
    LVPersons->setCurrentItem(LVPersons->topLevelItem(0));
    ASSERT_TRUE(PersonAction("ActionDelete")->isEnabled());
    TestEnv::Dialogs().AnswerMessage(mrYes);
    PersonAction("ActionDelete")->trigger();
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts().value(0), "Delete worker\r\n\"Ann Lee\"\r\nReally?");
    EXPECT_EQ(ListRows(), QStringList{"Bob Ray|"});
    auto* name = Row(1, 0) ? Row(1, 0)->findChild<QLabel*>("LabelName") : nullptr;
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "Ann Lee");
    EXPECT_TRUE(name->font().strikeOut());
    EXPECT_EQ(FileRows(Folder + "Workers.cds", "SELECT Name FROM Data").size(), 1);
    EXPECT_EQ(Jobs("Ann Lee"), 1); // his relation stays
}

TEST_F(PlannedDayTest, TemplatesAreSavedOverwrittenAppliedAndRemovedThroughTheMenus)
{
    Store->Jobs->AddJob(Today(), Ann, Kitchen);
    Store->Jobs->AddJob(Today(), Bob, Bar);
    Start();
    QMenu* apply = OpenMenu("PUMenuApplyTemplate");
    QAction* none = MenuEntry(apply, "PUMenuApplyTemplate1");
    ASSERT_NE(none, nullptr);
    EXPECT_FALSE(none->isEnabled());
    EXPECT_EQ(none->text(), "any template is not defined");

    TestEnv::Dialogs().AnswerInput(QString("  Morning  "));
    QMenu* save = OpenMenu("PUMenuSaveTemplate");
    MenuEntry(save, "PUMenuSaveTemplateAdd")->trigger();
    auto macros = Macros();
    ASSERT_EQ(macros.size(), 2);
    EXPECT_EQ(macros[0][0], "Morning");

    // Overwrite "Morning" with the day as it is now: Ann only.
    Daily->DeletePersonFromWorkplace(Bob->ID(), Bar->ID());
    TestEnv::Dialogs().AnswerMessage(mrYes);
    save = OpenMenu("PUMenuSaveTemplate");
    QAction* overwrite = MenuEntry(save, "PUMenuSaveTemplate1");
    ASSERT_NE(overwrite, nullptr);
    overwrite->trigger();
    EXPECT_EQ(TestEnv::Dialogs().MessageTexts().last(), "Template\r\n\"Morning\"\r\nexists. Overwrite?");
    EXPECT_EQ(Macros().size(), 1);

    // Clear the day, then apply the template back.
    MenuEntry(OpenMenu("PUMenuApplySystemTemplate"), "PUMenuASTClearAll")->trigger();
    EXPECT_EQ(Jobs("Ann Lee"), 0);
    EXPECT_EQ(Row(1, 0), nullptr);
    apply = OpenMenu("PUMenuApplyTemplate");
    QAction* morning = MenuEntry(apply, "PUMenuApplyTemplate1");
    ASSERT_NE(morning, nullptr);
    EXPECT_EQ(morning->text(), "Apply template \"Morning\"");
    morning->trigger();
    EXPECT_EQ(Jobs("Ann Lee"), 1);
    EXPECT_EQ(Text(Row(1, 0), "LabelName"), "Ann Lee");

    // Saving an empty day under the name removes the template.
    MenuEntry(OpenMenu("PUMenuApplySystemTemplate"), "PUMenuASTClearAll")->trigger();
    TestEnv::Dialogs().AnswerMessage(mrYes);
    MenuEntry(OpenMenu("PUMenuSaveTemplate"), "PUMenuSaveTemplate1")->trigger();
    EXPECT_EQ(
        TestEnv::Dialogs().MessageTexts().last(), "Do you want to remove the template\r\n\"Morning\"?\r\nReally?");
    EXPECT_TRUE(Macros().isEmpty());
    EXPECT_FALSE(MenuEntry(OpenMenu("PUMenuApplyTemplate"), "PUMenuApplyTemplate1")->isEnabled());
}

TEST_F(PlannedDayTest, ThePreviousDayAndWeekdaySystemTemplates)
{
    const TDate today = Today();
    // Ann worked four days ago, Bob a week ago on today's weekday.
    Store->Jobs->AddJob(today - 4, Ann, Kitchen);
    Store->Jobs->AddJob(today - 7, Bob, Bar);
    Start();
    MenuEntry(OpenMenu("PUMenuApplySystemTemplate"), "PUMenuASTPrevDay")->trigger();
    EXPECT_EQ(Text(Row(1, 0), "LabelName"), "Ann Lee");
    EXPECT_EQ(Row(0, 0), nullptr);

    MenuEntry(OpenMenu("PUMenuApplySystemTemplate"), "PUMenuASTClearAll")->trigger();
    static const char* const weekdays[] = {"PUMenuASTDayMon", "PUMenuASTDayTue", "PUMenuASTDayWed", "PUMenuASTDayThu",
        "PUMenuASTDayFri", "PUMenuASTDaySat", "PUMenuASTDaySun"};
    const int weekday = OleToDate(today).dayOfWeek(); // 1 = Monday
    MenuEntry(OpenMenu("PUMenuApplySystemTemplate"), weekdays[weekday - 1])->trigger();
    EXPECT_EQ(Text(Row(0, 0), "LabelName"), "Bob Ray");
    EXPECT_EQ(Row(1, 0), nullptr);
    int todays = 0;
    for (const QStringList& row : JourneyTest::Jobs())
        todays += row[2].toDouble() == today ? 1 : 0;
    EXPECT_EQ(todays, 1);
}

TEST_F(PlannedDayTest, PlanningADayByKeysAlone)
{
    THistory history;
    Start();
    // A worker chosen in the list, the key, a workplace picked: placed as a
    // drop places him, in one undo step.
    LVPersons->setFocus();
    LVPersons->setCurrentItem(LVPersons->topLevelItem(0));
    EXPECT_TRUE(PersonAction("ActionPlace")->toolTip().contains("Ctrl+Shift+A"));
    TestEnv::Dialogs().AnswerPick(QString("K1  Kitchen"));
    QTest::keyClick(LVPersons, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(TestEnv::Dialogs().AllAnswered());
    EXPECT_EQ(Jobs("Ann Lee"), 1);
    EXPECT_EQ(Text(Row(1, 0), "LabelName"), "Ann Lee");
    EXPECT_EQ(history.UndoText(), "Undo Add Ann Lee to Kitchen");

    // Tab goes to the panels, Down from the bar's empty panel to the kitchen
    // and on to Ann's row, with the frame around it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), BarPanel());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), KitchenPanel());
    EXPECT_EQ(KitchenPanel()->accessibleName(), "Workplace K1, Kitchen");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), Row(1, 0));
    auto* frame = WorkplacesView->findChild<QWidget*>("FocusFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->parentWidget(), Row(1, 0));
    // The row's small button is not a Tab stop; Delete does what it does.
    EXPECT_EQ(Row(1, 0)->findChild<QAbstractButton*>("SBDelete")->focusPolicy(), Qt::NoFocus);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(Jobs("Ann Lee"), 0);
    EXPECT_EQ(QApplication::focusWidget(), KitchenPanel());

    // Enter on a panel offers the workers not there yet.
    TestEnv::Dialogs().AnswerPick(QString("Bob Ray"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Jobs("Bob Ray"), 1);
    EXPECT_EQ(Text(Row(1, 0), "LabelName"), "Bob Ray");
    // As a drop there would be refused, Bob is not offered there again.
    TestEnv::Dialogs().AnswerPick(std::nullopt);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(TestEnv::Dialogs().Questions().back().Text, "Place a worker at K1  Kitchen\nAnn Lee");
    EXPECT_EQ(Jobs("Bob Ray"), 1);

    // Tab leaves the panels; the day keys work from anywhere on the page.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_FALSE(WorkplacesView->findChild<QWidget*>("ScrollContent")->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Daily->Date(), Today() + 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::AltModifier);
    EXPECT_EQ(Daily->Date(), Today());
    EXPECT_TRUE(Page->findChild<QCalendarWidget*>("Calendar")->toolTip().contains("Alt+Left"));
    const auto jobs = JourneyTest::Jobs();
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0][0], "Bob Ray");
    EXPECT_EQ(jobs[0][1], "K1");
}

TEST_F(JourneyTest, TheArrowsReachAPanelNotBuiltYet)
{
    for (int i = 0; i < 60; ++i)
        AddWorkplace(QString("Room %1").arg(i, 2, 10, QChar('0')), QString("R%1").arg(i, 2, 10, QChar('0')));
    AddPerson("Ann Lee");
    Start();
    ASSERT_EQ(Panel(40), nullptr);
    Panel(0)->setFocus();
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_NE(Panel(40), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), Panel(40));
    EXPECT_EQ(Text(Panel(40), "LabelShortcut"), "R40");
    QWidget* viewport = WorkplacesView->findChild<QScrollArea*>("ScrollBox")->viewport();
    const QRect shown(Panel(40)->mapTo(viewport, QPoint(0, 0)), Panel(40)->size());
    EXPECT_TRUE(viewport->rect().contains(shown)) << shown.y();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    EXPECT_EQ(Text(qobject_cast<QWidget*>(QApplication::focusWidget()), "LabelShortcut"), "R59");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Text(qobject_cast<QWidget*>(QApplication::focusWidget()), "LabelShortcut"), "R58");
    // Back with Tab after leaving, the keyboard is on the same panel.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Text(qobject_cast<QWidget*>(QApplication::focusWidget()), "LabelShortcut"), "R58");

    // Placed from the worker list, the chosen panel comes into view while
    // the keyboard stays in the list.
    LVPersons->setFocus();
    LVPersons->setCurrentItem(LVPersons->topLevelItem(0));
    TestEnv::Dialogs().AnswerPick(QString("R05  Room 05"));
    QTest::keyClick(LVPersons, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_NE(Panel(5), nullptr);
    EXPECT_EQ(Text(Row(5, 0), "LabelName"), "Ann Lee");
    const QRect placed(Panel(5)->mapTo(viewport, QPoint(0, 0)), Panel(5)->size());
    EXPECT_TRUE(viewport->rect().contains(placed)) << placed.y();
    EXPECT_EQ(QApplication::focusWidget(), LVPersons);
}

TEST_F(PlannedDayTest, PlanningAWorkerWhoIsAwayIsToldAndMarkedOnTheDay)
{
    Ann->SetDateOutFrom(Today() - 1);
    Ann->SetDaysOut(3);
    Ann->SetNoteOut("holiday");
    Store->Jobs->AddJob(Today() - 1, Ann, Bar);
    Start();
    QWidget* mark = Page->findChild<QWidget*>("PanelTopMark");
    ASSERT_NE(mark, nullptr);
    EXPECT_FALSE(mark->isVisible());
    auto notice = [this] {
        return StatusPanel(Window->statusBar(), 2) ? StatusPanel(Window->statusBar(), 2)->text() : QString();
    };
    const QString told = QString("Ann Lee is away %1").arg(ShortDateText(Today() - 1)).left(16);
    auto isAnnsAbsence = [&](const QString& AText) { return AText.startsWith(told) && AText.endsWith(": holiday"); };

    // A drop: done, told, and the day's heading marked.
    TDSWorkplacePersonDragObjectEx fromList(Ann->ID(), 0);
    EXPECT_TRUE(DropOnto(KitchenPanel(), &fromList));
    EXPECT_EQ(Jobs("Ann Lee"), 2);
    EXPECT_TRUE(isAnnsAbsence(notice())) << notice().toStdString();
    EXPECT_TRUE(mark->isVisible());
    EXPECT_TRUE(isAnnsAbsence(mark->toolTip())) << mark->toolTip().toStdString();
    EXPECT_EQ(Text(Page, "LabelTopMark"), "1 away");
    // Bob is not away: nothing new is told.
    SetStatusPanel(Window->statusBar(), 2, QString());
    TDSWorkplacePersonDragObjectEx bob(Bob->ID(), 0);
    EXPECT_TRUE(DropOnto(BarPanel(), &bob));
    EXPECT_TRUE(notice().isEmpty());

    // The previous day copied.
    MenuEntry(OpenMenu("PUMenuApplySystemTemplate"), "PUMenuASTClearAll")->trigger();
    EXPECT_FALSE(mark->isVisible());
    MenuEntry(OpenMenu("PUMenuApplySystemTemplate"), "PUMenuASTPrevDay")->trigger();
    EXPECT_EQ(Text(Row(0, 0), "LabelName"), "Ann Lee");
    EXPECT_TRUE(isAnnsAbsence(notice())) << notice().toStdString();
    EXPECT_TRUE(mark->isVisible());

    // A user template.
    TestEnv::Dialogs().AnswerInput(QString("Early"));
    MenuEntry(OpenMenu("PUMenuSaveTemplate"), "PUMenuSaveTemplateAdd")->trigger();
    MenuEntry(OpenMenu("PUMenuApplySystemTemplate"), "PUMenuASTClearAll")->trigger();
    SetStatusPanel(Window->statusBar(), 2, QString());
    MenuEntry(OpenMenu("PUMenuApplyTemplate"), "PUMenuApplyTemplate1")->trigger();
    EXPECT_EQ(Jobs("Ann Lee"), 2);
    EXPECT_TRUE(isAnnsAbsence(notice())) << notice().toStdString();
    EXPECT_TRUE(mark->isVisible());
}

TEST_F(PlannedDayTest, TheCalendarChangesTheDayAndItsAbsencePictures)
{
    Store->Jobs->AddJob(Today() + 1, Bob, Bar);
    Start();
    auto* calendar = Page->findChild<QCalendarWidget*>("Calendar");
    const QDate tomorrow = QDate::currentDate().addDays(1);
    calendar->setSelectedDate(tomorrow);
    emit calendar->clicked(tomorrow);
    EXPECT_EQ(Daily->Date(), Today() + 1);
    EXPECT_EQ(Text(Row(0, 0), "LabelName"), "Bob Ray");
    EXPECT_TRUE(Text(Page, "LabelTopDate").endsWith(QLocale().toString(tomorrow, QLocale::ShortFormat)));
}

TEST_F(PlannedDayTest, PanelsAndRowsShownAgainOnAnotherDayShowThatDay)
{
    TWorkplace* attic = AddWorkplace("Attic", "A0");
    const int atticID = attic->ID();
    Store->Jobs->AddJob(Today(), Ann, attic);
    Store->Jobs->AddJob(Today(), Ann, Kitchen);
    Store->Jobs->AddJob(Today() + 1, Bob, Bar);
    Store->Jobs->AddJob(Today() + 1, Bob, Kitchen);
    Start();
    auto* calendar = Page->findChild<QCalendarWidget*>("Calendar");
    auto showDay = [calendar](const QDate& ADay) {
        calendar->setSelectedDate(ADay);
        emit calendar->clicked(ADay);
    };
    // The attic leaves the register and comes back struck out with today.
    ASSERT_EQ(Text(Panel(0), "LabelShortcut"), "A0");
    TestEnv::Dialogs().AnswerMessage(mrYes);
    Panel(0)->findChild<QAbstractButton*>("SBDelete")->click();
    ASSERT_EQ(Store->Workplaces->Workplaces(-atticID), nullptr);
    const QDate today = QDate::currentDate();
    showDay(today.addDays(1));
    showDay(today);
    ASSERT_EQ(Text(Panel(0), "LabelShortcut"), "A0");
    EXPECT_TRUE(Panel(0)->findChild<QLabel*>("LabelShortcut")->font().strikeOut());
    EXPECT_FALSE(Panel(0)->findChild<QAbstractButton*>("SBEdit")->isEnabled());
    auto* name = Row(0, 0)->findChild<TSCLabel*>("LabelName");
    ASSERT_NE(name, nullptr);
    const qint64 annPicture = name->GetDragImages().cacheKey();

    // Tomorrow the first panel is the bar's, live, and its row shows Bob.
    showDay(today.addDays(1));
    ASSERT_EQ(Text(Panel(0), "LabelShortcut"), "B1");
    EXPECT_FALSE(Panel(0)->findChild<QLabel*>("LabelShortcut")->font().strikeOut());
    EXPECT_FALSE(Panel(0)->findChild<QLabel*>("LabelName")->font().strikeOut());
    EXPECT_TRUE(Panel(0)->findChild<QAbstractButton*>("SBEdit")->isEnabled());
    EXPECT_EQ(Text(Row(0, 0), "LabelName"), "Bob Ray");
    EXPECT_EQ(Text(Row(0, 0), "LabelWorkplaces"), "B1-K1");
    auto* bobName = Row(0, 0)->findChild<TSCLabel*>("LabelName");
    EXPECT_NE(bobName->GetDragImages().cacheKey(), annPicture);
    EXPECT_EQ(Panel(2), nullptr);
    EXPECT_EQ(Row(1, 1), nullptr);
}

TEST_F(JourneyTest, EveryScreenExportsItsPlanThroughTheFileDialog)
{
    TPerson* anna = AddPerson("Anna Berg");
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K");
    const TDate day = Day(2026, 12, 10);
    Store->Jobs->AddJob(day, anna, kitchen);
    Store->Jobs->AddJob(day + 1, anna, kitchen);
    Start();
    Window->ShowDailySchedule(day);
    auto exported = [&](QWidget* AScreen, const char* AAction, const QString& AFile) {
        Dialogs().AnswerFile(Folder + AFile);
        auto* action = AScreen->findChild<QAction*>(QString::fromLatin1(AAction));
        EXPECT_NE(action, nullptr) << AAction;
        if (action)
            action->trigger();
        QFile file(Folder + AFile);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    auto proposed = [&] { return Dialogs().Questions().back().Text.section('|', -1); };

    // The daily screen: the shown day, and any range of days.
    const QString csv = exported(WorkplacesView, "ActionExportCsv", "day.csv");
    EXPECT_TRUE(proposed().endsWith("/Plenvo 2026-12-10.csv")) << proposed().toStdString();
    EXPECT_EQ(csv.count("\r\n"), 2);
    EXPECT_TRUE(csv.contains("2026-12-10,Thursday,Anna Berg")) << csv.toStdString();
    Dialogs().AnswerDateRange(std::pair{day - 1, day + 1});
    const QString plan = exported(WorkplacesView, "ActionExportPlan", "plan.ics");
    EXPECT_EQ(plan.count("BEGIN:VEVENT"), 2);
    // Cancelled: nothing written, nothing told.
    Dialogs().AnswerFile(std::nullopt);
    WorkplaceAction("ActionExportICalendar")->trigger();

    // The worker's and the workplace's period.
    Window->ShowPersonSchedule(anna->ID(), day);
    auto* worker = Window->PanelData()->findChild<TPersonScheduleFrame*>();
    ASSERT_NE(worker, nullptr);
    const QString calendar = exported(worker, "ActionExportICalendar", "anna.ics");
    EXPECT_TRUE(proposed().endsWith("Anna Berg.ics")) << proposed().toStdString();
    EXPECT_TRUE(calendar.contains("X-WR-CALNAME:Anna Berg") && calendar.contains("SUMMARY:Kitchen"))
        << calendar.toStdString();
    EXPECT_EQ(calendar.count("BEGIN:VEVENT"), 2);
    Window->ShowWorkplaceSchedule(kitchen->ID(), day);
    auto* workplace = Window->PanelData()->findChild<TWorkplaceScheduleFrame*>();
    ASSERT_NE(workplace, nullptr);
    EXPECT_EQ(exported(workplace, "ActionExportCsv", "kitchen.csv").count("\r\n2026-12-1"), 2);
    EXPECT_TRUE(proposed().endsWith("Kitchen.csv")) << proposed().toStdString();
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());
}

TEST_F(JourneyTest, TheSetupDialogChangesTheNoteAndAsksBeforeLosingAChange)
{
    Start();
    auto* banner = Page->findChild<QWidget*>("FrameInfo");
    ASSERT_TRUE(banner->isVisible());
    // Cancelled with the save question answered No: nothing changes.
    TestEnv::Dialogs().AnswerMessage(mrNo);
    WhileDialogOpen<TSetupEditor>("TSetupEditor", [](TSetupEditor* d) {
        Type(d, "EditNote", "Zanthor Catering");
        d->findChild<QPushButton*>("ButtonCancel")->click();
    });
    Page->findChild<QAction*>("ActionEditNotes")->trigger();
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(Store->Setup->General()->Note(), "");

    WhileDialogOpen<TSetupEditor>("TSetupEditor", [](TSetupEditor* d) {
        Type(d, "EditNote", "Zanthor Catering");
        ClickOk(d);
    });
    Page->findChild<QAction*>("ActionEditNotes")->trigger();
    EXPECT_FALSE(banner->isVisible());
    EXPECT_EQ(Text(Page, "LabelTopNote"), "Zanthor Catering");
    EXPECT_EQ(Store->Setup->General()->Note(), "Zanthor Catering");
}

TEST_F(PlannedDayTest, TheSetupDialogMovesTheDataAndRunsAMaintenance)
{
    Store->Jobs->AddJob(Today(), Ann, Kitchen);
    Store->Jobs->AddJob(Today() - 400, Bob, Bar);
    TSetupEditor::SetMaintenanceRunner(
        [this](TDate ALimit, const std::function<void(int, const QString&)>& AProgress, bool ABackup) {
            Store->DataMan->RunMaintenance(ALimit, AProgress, ABackup);
        });
    Start();
    // The maintenance reloads the registers: only IDs outlive it.
    const int bobID = Bob->ID();
    const int annID = Ann->ID();

    // A maintenance that purges what is older than a month, then Cancel.
    TestEnv::Dialogs().AnswerMessage(mrYes); // the purge question
    TestEnv::Dialogs().AnswerMessage(mrNo); // the changed choice is not kept
    QString log;
    int logMaximum = 0;
    bool logAtEnd = false;
    int logLines = 0;
    WhileDialogOpen<TSetupEditor>("TSetupEditor", [&](TSetupEditor* d) {
        // The maintenance page as a click on its tab shows it, laid out.
        d->findChild<QTabWidget*>("PageControl")->setCurrentWidget(d->findChild<QWidget*>("TSDataMaintenance"));
        QApplication::processEvents();
        d->findChild<QRadioButton*>("RBDataMaintenanceDeleteOldAndCompress")->click();
        d->findChild<QDateEdit*>("DTPickerDateMaintennaceOldRecordsDate")->setDate(QDate::currentDate().addMonths(-1));
        d->findChild<QPushButton*>("ButtonRunMaintenance")->click();
        QApplication::processEvents();
        log = d->findChild<QLabel*>("LabelMaintenanceResult")->text();
        auto* box = d->findChild<QScrollArea*>("ScrollBoxMaintenanceResult");
        logMaximum = box->verticalScrollBar()->maximum();
        logAtEnd = box->verticalScrollBar()->value() == logMaximum;
        logLines = box->viewport()->height() / box->fontMetrics().lineSpacing();
        d->findChild<QPushButton*>("ButtonCancel")->click();
    });
    Page->findChild<QAction*>("ActionEditNotes")->trigger();
    EXPECT_TRUE(log.contains("OK")) << log.toStdString();
    // A run with a backup writes more lines than the fixed-size dialog shows:
    // the box follows the end, and shows as many lines as the page leaves.
    EXPECT_GT(logMaximum, 0);
    EXPECT_TRUE(logAtEnd);
    EXPECT_GE(logLines, 8);
    EXPECT_EQ(Jobs("Bob Ray"), 0);
    EXPECT_EQ(Jobs("Ann Lee"), 1);
    // The tables were reopened: the day is still shown and can be changed.
    EXPECT_EQ(Text(Row(1, 0), "LabelName"), "Ann Lee");
    TDSWorkplacePersonDragObjectEx bob(bobID, 0);
    TDSWorkplacePersonDragObjectEx ann(annID, 0);
    EXPECT_TRUE(DropOnto(BarPanel(), &bob));
    EXPECT_EQ(Jobs("Bob Ray"), 1);

    // Yesterday open with relations, a purge of everything before today
    // empties it at once.
    Daily->SetDate(Today() - 1);
    ASSERT_TRUE(DropOnto(BarPanel(), &bob));
    ASSERT_TRUE(DropOnto(KitchenPanel(), &ann));
    ASSERT_NE(Row(0, 0), nullptr);
    TestEnv::Dialogs().AnswerMessage(mrYes); // the purge question
    TestEnv::Dialogs().AnswerMessage(mrNo); // the changed choice is not kept
    QString purgeLog;
    WhileDialogOpen<TSetupEditor>("TSetupEditor", [&](TSetupEditor* d) {
        d->findChild<QRadioButton*>("RBDataMaintenanceDeleteOldAndCompress")->click();
        d->findChild<QDateEdit*>("DTPickerDateMaintennaceOldRecordsDate")->setDate(QDate::currentDate());
        // Without a backup: the first run's backup folder may carry this second's name.
        d->findChild<QCheckBox*>("CBCreateBackup")->setChecked(false);
        d->findChild<QPushButton*>("ButtonRunMaintenance")->click();
        purgeLog = d->findChild<QLabel*>("LabelMaintenanceResult")->text();
        d->findChild<QPushButton*>("ButtonCancel")->click();
    });
    Page->findChild<QAction*>("ActionEditNotes")->trigger();
    EXPECT_EQ(JourneyTest::Jobs().size(), 2) << purgeLog.toStdString(); // today's two
    EXPECT_EQ(Row(0, 0), nullptr);
    EXPECT_EQ(Row(1, 0), nullptr);
    EXPECT_TRUE(ListRows().contains("Ann Lee|")) << ListRows().join(";").toStdString();
    Daily->SetDate(Today());

    // The data moves to another folder chosen in the folder browser.
    const QString moved = TestEnv::NewFolder("moved");
    TestEnv::Dialogs().AnswerFolder(moved);
    WhileDialogOpen<TSetupEditor>("TSetupEditor", [](TSetupEditor* d) {
        d->findChild<QRadioButton*>("RBOtherDataFolder")->click();
        d->findChild<QAbstractButton*>("ButtonSelectOtherDataFolder")->click();
        ClickOk(d);
    });
    Page->findChild<QAction*>("ActionEditNotes")->trigger();
    EXPECT_EQ(StatusPanel(Window->statusBar(), 1)->text(), moved);
    EXPECT_EQ(FileRows(moved + "/Jobs.cds", "SELECT PersonName FROM Data").size(), 2);
    EXPECT_EQ(Text(Row(0, 0), "LabelName"), "Bob Ray");
    TSetupEditor::SetMaintenanceRunner(nullptr);
}

} // namespace

namespace {

TEST_F(PlannedDayTest, WhatANewUserMeetsOnTheDailyScreen)
{
    Start();
    // The worker list has the keyboard focus at once: Insert adds a worker.
    EXPECT_EQ(QApplication::focusWidget(), LVPersons);
    bool editorOpened = false;
    WhileDialogOpen<TPersonEditor>("TPersonEditor", [&editorOpened](TPersonEditor* d) {
        editorOpened = true;
        d->reject();
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
    EXPECT_TRUE(editorOpened);

    // A workplace edit shows at once in the worker list, too.
    TDSWorkplacePersonDragObjectEx ann(Ann->ID(), 0);
    ASSERT_TRUE(DropOnto(KitchenPanel(), &ann));
    EXPECT_TRUE(ListRows().contains("Ann Lee|K1"));
    WhileDialogOpen<TWorkplaceEditor>("TWorkplaceEditor", [](TWorkplaceEditor* d) {
        Type(d, "EditShortcut", "MK");
        ClickOk(d);
    });
    KitchenPanel()->findChild<QAbstractButton*>("SBEdit")->click();
    EXPECT_TRUE(ListRows().contains("Ann Lee|MK")) << ListRows().join(";").toStdString();

    // Long texts are cut with "…" and shown whole as the tool tip; a wide
    // shortcut does not run into the name.
    const QString longName = "Kitchen and the long corridor to the hal";
    ASSERT_EQ(longName.size(), 40);
    const QString longNote = "Lunch for 120 guests on the terrace; the fish is delivered at half past ten, ok?";
    ASSERT_EQ(longNote.size(), 80);
    WhileDialogOpen<TWorkplaceEditor>("TWorkplaceEditor", [&](TWorkplaceEditor* d) {
        Type(d, "EditName", longName);
        Type(d, "EditShortcut", "WWWWW");
        Type(d, "EditNote", longNote);
        ClickOk(d);
    });
    KitchenPanel()->findChild<QAbstractButton*>("SBEdit")->click();
    // A renamed worker shows the new name and, in parentheses, the stored one.
    LVPersons->setCurrentItem(LVPersons->topLevelItem(0));
    const QString newName = QStringLiteral("Žofie Nováková-Dvořáková");
    WhileDialogOpen<TPersonEditor>("TPersonEditor", [&newName](TPersonEditor* d) {
        Type(d, "EditName", newName);
        ClickOk(d);
    });
    PersonAction("ActionEdit")->trigger();
    QWidget* panel = Panel(1);
    ASSERT_NE(panel, nullptr);
    auto* shortcut = panel->findChild<QLabel*>("LabelShortcut");
    auto* name = panel->findChild<QLabel*>("LabelName");
    EXPECT_EQ(shortcut->text(), "WWWWW");
    // A gap is left between the shortcut's last letter and the name.
    EXPECT_LE(shortcut->fontMetrics().horizontalAdvance("WWWWW") + 4, shortcut->contentsRect().width());
    EXPECT_LT(shortcut->geometry().right(), name->geometry().left());
    EXPECT_TRUE(name->text().endsWith(QChar(0x2026))) << name->text().toStdString();
    EXPECT_EQ(name->toolTip(), longName);
    EXPECT_LE(name->fontMetrics().horizontalAdvance(name->text()), name->width());
    EXPECT_LE(name->geometry().right(), panel->findChild<QWidget*>("SBEdit")->geometry().left());
    auto* note = panel->findChild<QLabel*>("LabelNote");
    ASSERT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().endsWith(QChar(0x2026))) << note->text().toStdString();
    EXPECT_EQ(note->toolTip(), longNote);
    EXPECT_LE(note->fontMetrics().horizontalAdvance(note->text()), note->contentsRect().width());
    auto* worker = Row(1, 0)->findChild<QLabel*>("LabelName");
    const QString renamed = newName + " (Ann Lee)";
    ASSERT_GT(worker->fontMetrics().horizontalAdvance(renamed), worker->contentsRect().width());
    EXPECT_TRUE(worker->text().endsWith(QChar(0x2026))) << worker->text().toStdString();
    EXPECT_EQ(worker->toolTip(), renamed);
    EXPECT_EQ(LVPersons->topLevelItem(0)->toolTip(0), newName);

    // A drop-down button whose menu closed while the pointer went elsewhere
    // is not left highlighted.
    auto* button = WorkplacesView->findChild<QToolButton*>("TBApplyDefaultTemplate");
    QTest::mouseMove(button);
    QTimer::singleShot(100, [button] {
        QCursor::setPos(button->mapToGlobal(QPoint(0, 300)));
        button->menu()->close();
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_FALSE(button->underMouse());
}

// The day frame "<APrefix><n>" of a period screen's day column.
QWidget* DayFrame(QWidget* AScreen, const char* APrefix, int AIndex)
{
    return AScreen->findChild<QWidget*>(QString::fromLatin1(APrefix) + QString::number(AIndex));
}

QTreeWidget* ListOf(QWidget* AScreen, const char* AFrame, const char* AList)
{
    QWidget* frame = AScreen->findChild<QWidget*>(QString::fromLatin1(AFrame));
    return frame ? frame->findChild<QTreeWidget*>(QString::fromLatin1(AList)) : nullptr;
}

TEST_F(PlannedDayTest, AWorkersMonthIsPlannedOnHisScreenAndTheScreensLeadToEachOther)
{
    Start();
    // Ann Lee comes first in the daily worker list.
    LVPersons->setCurrentItem(LVPersons->topLevelItem(0));
    PersonAction("ActionPersonSchedule")->trigger();
    auto* screen = Window->PanelData()->findChild<TPersonScheduleFrame*>();
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->isVisible());
    EXPECT_FALSE(Page->isVisible());
    EXPECT_EQ(Window->ScrollBox(), screen->ScrollBox());
    EXPECT_EQ(Text(screen, "LabelTopCaption"), "Ann Lee");
    EXPECT_EQ(Text(screen, "LabelTopDate"), Persons->ScheduleDate());
    EXPECT_TRUE(QRegularExpression("^\\d+ - \\d\\d/\\d\\d/\\d{4}$").match(Text(screen, "LabelTopDate")).hasMatch())
        << Text(screen, "LabelTopDate").toStdString();
    EXPECT_EQ(screen->findChild<QTabWidget*>("PageControl")->currentWidget()->objectName(), "TSWorkplaces");
    EXPECT_EQ(screen->findChild<QWidget*>("PanelRight")->width(), screen->width() / 2);

    // Every button of the day column's bar is on screen in a narrow window.
    QWidget* days = screen->findChild<QWidget*>("PSDayListFrame");
    Window->resize(800, 600);
    QApplication::processEvents();
    for (const char* name : {"TBDateDaysKindWeek", "TBDateDaysKindTwoWeeks", "TBDateDaysKindMonth", "TBPrint",
             "TBExport", "TBDailySchedule"})
        EXPECT_TRUE(days->findChild<QToolButton*>(name)->isVisible()) << name;
    Window->resize(1000, 700);

    // A month: only its button pressed, one day frame a day.
    days->findChild<QAction*>("ActionDateDaysKindMonth")->trigger();
    const QDate first = OleToDate(Persons->DateStart());
    EXPECT_EQ(first.day(), 1);
    EXPECT_NE(DayFrame(screen, "PSDF", first.daysInMonth() - 1), nullptr);
    EXPECT_EQ(DayFrame(screen, "PSDF", first.daysInMonth()), nullptr);
    for (const char* button : {"TBDateDaysKindWeek", "TBDateDaysKindTwoWeeks", "TBDateDaysKindMonth"})
        EXPECT_EQ(days->findChild<QToolButton*>(button)->isChecked(), QByteArray(button) == "TBDateDaysKindMonth")
            << button;

    // Kitchen (second by shortcut) dropped on the third day.
    QTreeWidget* places = ListOf(screen, "PSWorkplaceListFrame", "LVWorkplaces");
    ASSERT_NE(places, nullptr);
    places->setCurrentItem(places->topLevelItem(1));
    TPSWorkplaceDragObjectEx kitchen;
    kitchen.SetWorkplaceID(Kitchen->ID());
    ASSERT_TRUE(DropOnto(DayFrame(screen, "PSDF", 2), &kitchen));
    const TDate third = Persons->DateStart() + 2;
    EXPECT_EQ(JourneyTest::Jobs(), (QList<QStringList>{{"Ann Lee", "K1", QString::number(third)}}));
    EXPECT_EQ(Text(DayFrame(screen, "PSDF", 2)->findChild<QWidget*>("PSDWPF0"), "LabelName"), "Kitchen");
    EXPECT_FALSE(places->topLevelItem(1)->text(1).isEmpty());

    // Bob chosen on the workers tab: his name and his (empty) days; Ann again.
    QTreeWidget* people = ListOf(screen, "PSPersonListFrame", "LVPersons");
    people->setCurrentItem(people->findItems("Bob Ray", Qt::MatchExactly).value(0));
    EXPECT_EQ(Text(screen, "LabelTopCaption"), "Bob Ray");
    EXPECT_EQ(DayFrame(screen, "PSDF", 2)->findChild<QWidget*>("PSDWPF0"), nullptr);
    people->setCurrentItem(people->findItems("Ann Lee", Qt::MatchExactly).value(0));
    EXPECT_EQ(Text(DayFrame(screen, "PSDF", 2)->findChild<QWidget*>("PSDWPF0"), "LabelName"), "Kitchen");

    // A date of the next month moves the period; the third day brings it back.
    auto* calendar = screen->findChild<QCalendarWidget*>("Calendar");
    calendar->setSelectedDate(first.addMonths(1).addDays(3));
    EXPECT_EQ(Persons->DateStart(), DateToOle(first.addMonths(1)));
    EXPECT_EQ(Text(screen, "LabelTopDate"), Persons->ScheduleDate());
    EXPECT_EQ(DayFrame(screen, "PSDF", 2)->findChild<QWidget*>("PSDWPF0"), nullptr);
    calendar->setSelectedDate(OleToDate(third));
    EXPECT_EQ(Persons->DateStart(), DateToOle(first));
    // Alt+Right and Alt+Left step a month, as the calendar's tool tip says.
    EXPECT_TRUE(calendar->toolTip().contains("Alt+Right")) << calendar->toolTip().toStdString();
    QApplication::setActiveWindow(Window.get());
    DayFrame(screen, "PSDF", 2)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Persons->DateStart(), DateToOle(first.addMonths(1)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Persons->DateStart(), DateToOle(first));
    // Alt+Home comes back to today's month from any other.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::AltModifier);
    const QDate today = OleToDate(Today());
    EXPECT_EQ(Persons->DateStart(), DateToOle(QDate(today.year(), today.month(), 1)));
    // Tab: from the calendar to the day the keyboard was on, through its row,
    // then on to the lists.
    calendar->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), DayFrame(screen, "PSDF", 2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), DayFrame(screen, "PSDF", 2)->findChild<QWidget*>("PSDWPF0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(screen->findChild<QTabWidget*>("PageControl")->isAncestorOf(QApplication::focusWidget()));
    // Back on the third day, where the other screens follow.
    calendar->setSelectedDate(OleToDate(third));

    // The caption opens Ann's editor.
    WhileDialogOpen<TPersonEditor>("TPersonEditor", [](TPersonEditor* d) {
        Type(d, "EditName", "Ann Smith");
        ClickOk(d);
    });
    QTest::mouseClick(screen->findChild<QLabel*>("LabelTopCaption"), Qt::LeftButton);
    EXPECT_EQ(Text(screen, "LabelTopCaption"), "Ann Smith");

    // Ctrl+Enter in the workplace list: Kitchen's own screen, Ann on that day
    // under her new name with the stored one.
    QApplication::setActiveWindow(Window.get());
    places->setFocus();
    QTest::keyClick(places, Qt::Key_Return, Qt::ControlModifier);
    auto* other = Window->PanelData()->findChild<TWorkplaceScheduleFrame*>();
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(other->isVisible());
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(Workplaces->WorkplaceID(), Kitchen->ID());
    EXPECT_EQ(Text(other, "LabelTopCaption"), "Kitchen");
    EXPECT_EQ(other->findChild<QTabWidget*>("PageControl")->currentWidget()->objectName(), "TSPersons");
    const int index = static_cast<int>(third - Workplaces->DateStart());
    QWidget* row = DayFrame(other, "WSDF", index)->findChild<QWidget*>("WSDPF0");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(Text(row, "LabelName"), "Ann Smith (Ann Lee)");

    // Its worker list leads back to Ann's screen.
    QTreeWidget* workers = ListOf(other, "WSPersonListFrame", "LVPersons");
    workers->setCurrentItem(workers->findItems("Ann Smith", Qt::MatchExactly).value(0));
    other->findChild<QWidget*>("WSPersonListFrame")->findChild<QAction*>("ActionPersonSchedule")->trigger();
    ASSERT_TRUE(screen->isVisible());
    EXPECT_EQ(Persons->PersonID(), Ann->ID());

    // The weekday name opens the daily schedule on its day; the logo button
    // opens it on the day it shows.
    QTest::mouseClick(DayFrame(screen, "PSDF", 2)->findChild<QLabel*>("LabelName"), Qt::LeftButton);
    ASSERT_TRUE(Page->isVisible());
    EXPECT_EQ(Daily->Date(), third);
    PersonAction("ActionPersonSchedule")->trigger();
    ASSERT_TRUE(screen->isVisible());
    screen->findChild<QToolButton*>("SBDailySchedule")->click();
    ASSERT_TRUE(Page->isVisible());
    EXPECT_EQ(Daily->Date(), third);
}

TEST_F(PlannedDayTest, AWorkplacesWeekIsPlannedOnItsScreen)
{
    Start();
    // Kitchen's name on its daily panel opens its screen.
    QTest::mouseClick(KitchenPanel()->findChild<QLabel*>("LabelName"), Qt::LeftButton);
    auto* screen = Window->PanelData()->findChild<TWorkplaceScheduleFrame*>();
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->isVisible());
    EXPECT_EQ(Text(screen, "LabelTopCaption"), "Kitchen");
    EXPECT_EQ(Window->ScrollBox(), screen->ScrollBox());
    const TDate start = Workplaces->DateStart();

    // Bob onto the first day, his row onto the second (copied) and onto its
    // own day (nothing).
    TWSPersonDragObjectEx bob;
    bob.SetPersonID(Bob->ID());
    ASSERT_TRUE(DropOnto(DayFrame(screen, "WSDF", 0), &bob));
    EXPECT_FALSE(DragOver(DayFrame(screen, "WSDF", 0), &bob));
    TWSDayPersonDragObjectEx bobsRow;
    bobsRow.SetPersonID(Bob->ID());
    bobsRow.SetDay(start);
    EXPECT_TRUE(DropOnto(DayFrame(screen, "WSDF", 0)->findChild<QWidget*>("WSDPF0"), &bobsRow));
    ASSERT_TRUE(DropOnto(DayFrame(screen, "WSDF", 1), &bobsRow));
    EXPECT_EQ(Jobs("Bob Ray"), 2);

    // Bar chosen on the workplaces tab shows its own, empty days.
    QTreeWidget* places = ListOf(screen, "WSWorkplaceListFrame", "LVWorkplaces");
    places->setCurrentItem(places->findItems("Bar", Qt::MatchExactly).value(0));
    EXPECT_EQ(Text(screen, "LabelTopCaption"), "Bar");
    EXPECT_EQ(DayFrame(screen, "WSDF", 1)->findChild<QWidget*>("WSDPF0"), nullptr);
    places->setCurrentItem(places->findItems("Kitchen", Qt::MatchExactly).value(0));
    ASSERT_NE(DayFrame(screen, "WSDF", 1)->findChild<QWidget*>("WSDPF0"), nullptr);

    // Back onto the worker list: gone from the first day only; the second
    // day's delete button takes the other.
    QTreeWidget* workers = ListOf(screen, "WSPersonListFrame", "LVPersons");
    ASSERT_TRUE(DropOnto(workers->viewport(), &bobsRow));
    EXPECT_EQ(JourneyTest::Jobs(), (QList<QStringList>{{"Bob Ray", "K1", QString::number(start + 1)}}));
    EXPECT_EQ(DayFrame(screen, "WSDF", 0)->findChild<QWidget*>("WSDPF0"), nullptr);
    DayFrame(screen, "WSDF", 1)->findChild<QWidget*>("WSDPF0")->findChild<QAbstractButton*>("SBDelete")->click();
    EXPECT_EQ(Jobs("Bob Ray"), 0);

    // The Daily schedule button goes back to the day the daily screen shows.
    const TDate daily = Daily->Date();
    screen->findChild<QWidget*>("WSDayListFrame")->findChild<QAction*>("ActionDailySchedule")->trigger();
    ASSERT_TRUE(Page->isVisible());
    EXPECT_EQ(Daily->Date(), daily);
}

TEST_F(PlannedDayTest, CtrlZTakesBackADropAClearAllAndADropOnAWorkersMonthAndTheButtonsSaySo)
{
    THistory history;
    Start();
    auto* undoButton = Window->findChild<QToolButton*>("TBUndo");
    auto* redoButton = Window->findChild<QToolButton*>("TBRedo");
    ASSERT_TRUE(undoButton && redoButton);
    EXPECT_FALSE(undoButton->isEnabled());
    const auto key = [&](const QKeySequence& ASequence) {
        const QKeyCombination combination = ASequence[0];
        QTest::keyClick(LVPersons, combination.key(), combination.keyboardModifiers());
    };

    // A drop, taken back with the list focused and redone.
    LVPersons->setFocus();
    TDSWorkplacePersonDragObjectEx ann(Ann->ID(), 0);
    ASSERT_TRUE(DropOnto(KitchenPanel(), &ann));
    EXPECT_TRUE(undoButton->isEnabled());
    EXPECT_EQ(undoButton->toolTip(), "Undo Add Ann Lee to Kitchen");
    key(QKeySequence::Undo);
    EXPECT_EQ(Jobs("Ann Lee"), 0);
    EXPECT_EQ(Row(1, 0), nullptr);
    EXPECT_EQ(redoButton->toolTip(), "Redo Add Ann Lee to Kitchen");
    EXPECT_FALSE(undoButton->isEnabled());
    key(QKeySequence::Redo);
    EXPECT_EQ(Jobs("Ann Lee"), 1);
    EXPECT_EQ(Text(Row(1, 0), "LabelName"), "Ann Lee");

    // "Clear all" of two relations is one step.
    TDSWorkplacePersonDragObjectEx bob(Bob->ID(), 0);
    ASSERT_TRUE(DropOnto(BarPanel(), &bob));
    MenuEntry(OpenMenu("PUMenuApplySystemTemplate"), "PUMenuASTClearAll")->trigger();
    EXPECT_TRUE(JourneyTest::Jobs().isEmpty());
    EXPECT_TRUE(undoButton->toolTip().startsWith("Undo Clear all ")) << undoButton->toolTip().toStdString();
    undoButton->click();
    EXPECT_EQ(Jobs("Ann Lee") + Jobs("Bob Ray"), 2);
    EXPECT_EQ(Text(Row(0, 0), "LabelName"), "Bob Ray");

    // A deleted worker comes back under his own ID, his relation live again.
    const int bobID = Bob->ID();
    LVPersons->setCurrentItem(LVPersons->findItems("Bob Ray", Qt::MatchExactly).value(0));
    TestEnv::Dialogs().AnswerMessage(mrYes);
    PersonAction("ActionDelete")->trigger();
    EXPECT_FALSE(ListRows().contains("Bob Ray|B1"));
    EXPECT_EQ(undoButton->toolTip(), "Undo Delete Bob Ray");
    key(QKeySequence::Undo);
    EXPECT_TRUE(ListRows().contains("Bob Ray|B1")) << ListRows().join(";").toStdString();
    EXPECT_EQ(FileRows(Folder + "Workers.cds", QString("SELECT Name FROM Data WHERE ID = %1").arg(bobID)),
        QList<QStringList>{{"Bob Ray"}});

    // A workplace dropped on Ann's month, taken back from her screen.
    LVPersons->setCurrentItem(LVPersons->topLevelItem(0));
    PersonAction("ActionPersonSchedule")->trigger();
    auto* screen = Window->PanelData()->findChild<TPersonScheduleFrame*>();
    ASSERT_NE(screen, nullptr);
    TPSWorkplaceDragObjectEx kitchen;
    kitchen.SetWorkplaceID(Kitchen->ID());
    ASSERT_TRUE(DropOnto(DayFrame(screen, "PSDF", 2), &kitchen));
    EXPECT_EQ(Jobs("Ann Lee"), 2);
    QTest::keyClick(ListOf(screen, "PSWorkplaceListFrame", "LVWorkplaces"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Jobs("Ann Lee"), 1);
    EXPECT_EQ(DayFrame(screen, "PSDF", 2)->findChild<QWidget*>("PSDWPF0"), nullptr);
}

} // namespace
