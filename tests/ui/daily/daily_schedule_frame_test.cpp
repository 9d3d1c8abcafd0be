// The daily schedule page as the schedule makes and shows it: bindings, the
// date band and calendar, the note lines with their banner, and the layout.
#include "ui/daily/daily_schedule_frame.h"

#include "schedule/daily/ds_lists.h"
#include "support/drag_events.h"
#include "tests/ui/daily/ds_view_fixture.h"
#include "ui/daily/ds_person_list_frame.h"
#include "ui/daily/ds_workplace_frame.h"
#include "ui/daily/ds_workplace_list_frame.h"
#include "ui/daily/ds_workplace_person_frame.h"
#include "ui/frame_info.h"
#include "ui/view_resources.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QScrollArea>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

class DailyScheduleFrameTest : public DSViewTest {
protected:
    void SetUp() override
    {
        DSViewTest::SetUp();
        TDailyScheduleFrame::InstallFactory();
        Container = std::make_unique<QWidget>();
        Container->resize(1000, 700);
    }
    void TearDown() override
    {
        DSViewTest::TearDown();
        TDailyScheduleFrame::UninstallFactory();
    }
    void DestroyViews() override { Container.reset(); }

    // Shows the schedule on ADate in the container, as the main window does.
    TDailyScheduleFrame* Show(TDate ADate)
    {
        Schedule->SetDate(ADate);
        Schedule->ShowFrameEditor(Container.get(), &ScrollBox);
        Container->show();
        QApplication::processEvents();
        Page = Container->findChild<TDailyScheduleFrame*>();
        EXPECT_NE(Page, nullptr);
        return Page;
    }
    template <class T>
    T* Child(const char* AName)
    {
        return Find<T>(Page, QString::fromLatin1(AName));
    }
    QTreeWidget* Persons() { return Child<QTreeWidget>("LVPersons"); }
    QTreeWidgetItem* PersonRow(const QString& AName)
    {
        const auto found = Persons()->findItems(AName, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.front();
    }
    // Clicks the calendar's cell of a day of the month it shows.
    void ClickCalendar(const QDate& ADay)
    {
        auto* calendar = Child<QCalendarWidget>("Calendar");
        auto* view = calendar->findChild<QTableView*>();
        ASSERT_NE(view, nullptr);
        QAbstractItemModel* model = view->model();
        // The first column holds the week numbers.
        const int first = calendar->verticalHeaderFormat() == QCalendarWidget::NoVerticalHeader ? 0 : 1;
        bool inMonth = false;
        for (int row = 1; row < model->rowCount(); ++row)
            for (int column = first; column < model->columnCount(); ++column) {
                const QModelIndex cell = model->index(row, column);
                const QString text = model->data(cell).toString();
                if (text == QLatin1String("1"))
                    inMonth = true;
                if (inMonth && text == QString::number(ADay.day())) {
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
                    return;
                }
            }
        ADD_FAILURE() << "no calendar cell for day " << ADay.day();
    }
    // Ann, Bob, Kitchen (K1) and Bar (B1) on the page on Wed, Bob at the kitchen.
    void ShowTheCast()
    {
        Ann = AddPerson("Ann");
        Bob = AddPerson("Bob");
        Kitchen = AddWorkplace("Kitchen", "K1");
        Bar = AddWorkplace("Bar", "B1");
        Show(Wed);
        ASSERT_TRUE(Schedule->AddPersonToWorkplace(Bob->ID(), Kitchen->ID()));
    }
    // The next setup dialog runs AAction on the settings and closes with AOk.
    void SetupEditorDoes(std::function<void(TSetup*)> AAction, bool AOk)
    {
        EditorDoes(
            "TSetupEditor", [AAction](TObject* o) { AAction(static_cast<TSetup*>(o)); }, AOk);
    }

    std::unique_ptr<QWidget> Container;
    QObject* ScrollBox = nullptr;
    TDailyScheduleFrame* Page = nullptr;
    TPerson* Ann = nullptr;
    TPerson* Bob = nullptr;
    TWorkplace* Kitchen = nullptr;
    TWorkplace* Bar = nullptr;
};

} // namespace

TEST_F(DailyScheduleFrameTest, ThePageIsMadeOnceWithItsListsBound)
{
    Show(Wed);
    ASSERT_NE(Page, nullptr);
    EXPECT_EQ(Page->Schedule(), Schedule.get());
    EXPECT_EQ(Page->DSPersonListFrame()->Persons(), Schedule->Persons());
    EXPECT_EQ(Page->DSWorkplaceListFrame()->Workplaces(), Schedule->Workplaces());
    EXPECT_EQ(Schedule->Persons()->Editor(), Page->DSPersonListFrame());
    EXPECT_EQ(Schedule->Workplaces()->Editor(), Page->DSWorkplaceListFrame());
    ASSERT_NE(Page->ScrollBox(), nullptr);
    EXPECT_EQ(Page->ScrollBox(), Page->DSWorkplaceListFrame()->ScrollBox());
    EXPECT_EQ(ScrollBox, Page->ScrollBox());
    EXPECT_EQ(Child<TDSPersonListFrame>("DSPersonListFrame"), Page->DSPersonListFrame());
    EXPECT_EQ(Child<TDSWorkplaceListFrame>("DSWorkplaceListFrame"), Page->DSWorkplaceListFrame());
    EXPECT_FALSE(Schedule->CanShowFrameEditor());

    // Hidden and shown again: the same page.
    Schedule->HideFrameEditor(Container.get());
    EXPECT_TRUE(Schedule->CanShowFrameEditor());
    EXPECT_EQ(Container->findChild<TDailyScheduleFrame*>(), nullptr);
    TDailyScheduleFrame* former = Page;
    Show(Wed);
    EXPECT_EQ(Page, former);
}

TEST_F(DailyScheduleFrameTest, DateBandAndCalendarShowTheScheduleDay)
{
    Show(Wed);
    EXPECT_EQ(Child<QLabel>("LabelTopCaption")->text(), "Daily schedule");
    EXPECT_EQ(Child<QLabel>("LabelTopDate")->text(), "Wednesday, 15/05/2024");
    EXPECT_EQ(Child<QCalendarWidget>("Calendar")->selectedDate(), QDate(2024, 5, 15));
    Schedule->SetDate(Day(2024, 6, 2));
    EXPECT_EQ(Child<QLabel>("LabelTopDate")->text(), "Sunday, 02/06/2024");
    EXPECT_EQ(Child<QCalendarWidget>("Calendar")->selectedDate(), QDate(2024, 6, 2));
}

TEST_F(DailyScheduleFrameTest, CalendarClickChangesTheDayAndTheSameDayRebuildsNothing)
{
    TPerson* ann = AddPerson("Ann");
    ann->SetDateOutFrom(Wed);
    ann->SetDaysOut(1);
    ASSERT_TRUE(Store->Persons->InsertPerson(ann));
    TWorkplace* kitchen = AddWorkplace("Kitchen", "K1");
    Show(Wed);
    ASSERT_TRUE(Schedule->AddPersonToWorkplace(ann->ID(), kitchen->ID()));
    EXPECT_EQ(PersonRow("Ann")->icon(0).cacheKey(), SmallIcon(1).cacheKey());
    EXPECT_EQ(PersonRow("Ann")->text(1), "K1");

    ClickCalendar(QDate(2024, 5, 20));
    EXPECT_EQ(Schedule->Date(), Day(2024, 5, 20));
    EXPECT_EQ(Child<QLabel>("LabelTopDate")->text(), "Monday, 20/05/2024");
    // The rebuilt rows: not out, no workplace on that day.
    EXPECT_EQ(PersonRow("Ann")->icon(0).cacheKey(), SmallIcon(0).cacheKey());
    EXPECT_EQ(PersonRow("Ann")->text(1), "");

    QTreeWidgetItem* row = PersonRow("Ann");
    ClickCalendar(QDate(2024, 5, 20));
    EXPECT_EQ(Schedule->Date(), Day(2024, 5, 20));
    EXPECT_EQ(PersonRow("Ann"), row);

    // Back by keyboard to the day of the absence.
    ClickCalendar(QDate(2024, 5, 16));
    QTest::keyClick(Child<QCalendarWidget>("Calendar")->findChild<QTableView*>(), Qt::Key_Left);
    EXPECT_EQ(Schedule->Date(), Wed);
    EXPECT_EQ(PersonRow("Ann")->icon(0).cacheKey(), SmallIcon(1).cacheKey());
    EXPECT_EQ(PersonRow("Ann")->text(1), "K1");
}

TEST_F(DailyScheduleFrameTest, BannerStandsInForEmptyNotesUntilANoteIsEntered)
{
    Show(Wed);
    auto* banner = Child<TFrameInfo>("FrameInfo");
    EXPECT_FALSE(banner->isHidden());
    EXPECT_EQ(Child<QLabel>("LabelTopNote")->text(), "");
    QAction* editNotes = Child<QAction>("ActionEditNotes");
    EXPECT_EQ(editNotes->statusTip(), "Edit left captions (company, address, contact informations..)");
    EXPECT_EQ(Child<QToolButton>("SBEditNotes")->defaultAction(), editNotes);

    // Cancelled: nothing changes.
    SetupEditorDoes([](TSetup* s) { s->General()->SetNote("Zanthor Ltd"); }, false);
    editNotes->trigger();
    EXPECT_FALSE(banner->isHidden());
    EXPECT_EQ(Store->Setup->General()->Note(), "");

    // Confirmed: every view of the day rereads the settings.
    SetupEditorDoes(
        [](TSetup* s) {
            s->General()->SetSubnote("Kitchen staff");
            s->General()->SetPrintInvolvedPersonsOnly(true);
        },
        true);
    editNotes->trigger();
    EXPECT_EQ(Child<QLabel>("LabelTopSubnote")->text(), "Kitchen staff");
    EXPECT_EQ(Child<QLabel>("LabelTopNote")->text(), "");
    EXPECT_TRUE(banner->isHidden());
    EXPECT_TRUE(Child<QAction>("ActionPrintInvolvedPersonsOnly")->isChecked());

    SetupEditorDoes(
        [](TSetup* s) {
            s->General()->SetSubnote("");
            s->General()->SetNote("Zanthor Ltd");
        },
        true);
    editNotes->trigger();
    EXPECT_EQ(Child<QLabel>("LabelTopNote")->text(), "Zanthor Ltd");
    EXPECT_TRUE(banner->isHidden());
    EXPECT_EQ(Store->Setup->General()->Note(), "Zanthor Ltd");
}

TEST_F(DailyScheduleFrameTest, LogoComesFromTheSettings)
{
    const QString file = TestEnv::NewFolder("logo") + "/logo.png";
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixel(0, 29, qRgb(255, 255, 255));
    ASSERT_TRUE(picture.save(file));
    Show(Wed);
    // The program's own logo until one is chosen.
    EXPECT_EQ(Child<QLabel>("ImageLogo")->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
        Store->Setup->General()->LogoImage().convertToFormat(QImage::Format_ARGB32));
    SetupEditorDoes([file](TSetup* s) { s->General()->SetLogoFName(file); }, true);
    Child<QAction>("ActionEditNotes")->trigger();
    const QPixmap shown = Child<QLabel>("ImageLogo")->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.toImage().pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
}

TEST_F(DailyScheduleFrameTest, RightColumnIsHalfThePageAndTheNoteButtonSitsAtTheRight)
{
    Show(Wed);
    Page->resize(1001, 700);
    QApplication::processEvents();
    auto* right = Child<QWidget>("PanelRight");
    EXPECT_EQ(right->width(), 500);
    EXPECT_EQ(right->geometry().right(), Page->width() - 1);
    Page->resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(right->width(), 400);
    EXPECT_GE(Child<QCalendarWidget>("Calendar")->height(), 220);

    auto* note = Child<QWidget>("PanelTopNote");
    auto* button = Child<QToolButton>("SBEditNotes");
    auto* banner = Child<TFrameInfo>("FrameInfo");
    EXPECT_EQ(button->x(), note->width() - button->width() - 1);
    EXPECT_EQ(banner->x() + banner->width(), button->x());
    // Nothing of the band is cut off.
    EXPECT_LE(banner->height(), note->height());
    auto* caption0 = Find<QLabel>(banner, "LabelInfo");
    EXPECT_LE(caption0->fontMetrics().horizontalAdvance(caption0->text()), caption0->width());
    auto* caption = Child<QLabel>("LabelTopCaption");
    EXPECT_GE(caption->height(), caption->sizeHint().height());
    EXPECT_LE(note->geometry().bottom(), Child<QWidget>("PanelTopClient")->height());
}

TEST_F(DailyScheduleFrameTest, DestroyingTheScheduleFirstReleasesEveryBinding)
{
    AddPerson("Ann");
    Show(Wed);
    // The page goes with its schedule, also while it is shown.
    Schedule.reset();
    EXPECT_EQ(Container->findChild<TDailyScheduleFrame*>(), nullptr);
}

TEST_F(DailyScheduleFrameTest, WorkersMoveBetweenTheWorkerListAndTheWorkplacePanels)
{
    ShowTheCast();

    // From the list onto the bar's panel.
    Persons()->setCurrentItem(PersonRow("Ann"));
    auto fromList = Page->DSPersonListFrame()->CreateDragObject();
    ASSERT_NE(fromList, nullptr);
    TDSWorkplace* barItem = Schedule->Workplaces()->Items(-Bar->ID());
    ASSERT_TRUE(TDSWorkplaceFrame::CanTakeDrop(fromList.get(), barItem));
    ASSERT_TRUE(TDSWorkplaceFrame::TakeDrop(fromList.get(), barItem));
    EXPECT_EQ(PersonRow("Ann")->text(1), "B1");

    // Bob's row on the kitchen's panel, dragged back onto the list.
    TDSWorkplacePersonFrame* bobAtKitchen = nullptr;
    for (auto* row : Page->findChildren<TDSWorkplacePersonFrame*>())
        if (row->Person() && row->Person()->ID() == Bob->ID() && row->Person()->Workplace()->ID() == Kitchen->ID())
            bobAtKitchen = row;
    ASSERT_NE(bobAtKitchen, nullptr);
    auto fromPanel = bobAtKitchen->CreateDragObject();
    ASSERT_NE(fromPanel, nullptr);
    QWidget* target = Persons()->viewport();
    EXPECT_TRUE(SendDragEvent(target, QEvent::DragEnter, fromPanel.get(), QPoint(5, 5), Qt::MoveAction));
    EXPECT_TRUE(SendDragEvent(target, QEvent::Drop, fromPanel.get(), QPoint(5, 5), Qt::MoveAction));
    EXPECT_EQ(JobPairs(Wed), (std::set<std::pair<int, int>>{{Ann->ID(), Bar->ID()}}));
    EXPECT_EQ(PersonRow("Bob")->text(1), "");
    EXPECT_EQ(Schedule->Workplaces()->Items(-Kitchen->ID())->Persons()->Count(), 0);
}

TEST_F(DailyScheduleFrameTest, EveryChangeTheFilesRefuseIsToldOnceAndACancelledEditorIsNot)
{
    ShowTheCast();
    TDSPersonListFrame* persons = Page->DSPersonListFrame();
    TDSWorkplaceListFrame* workplaces = Page->DSWorkplaceListFrame();
    const auto panelOf = [&](int AWorkplaceID) -> TDSWorkplaceFrame* {
        for (auto* panel : workplaces->findChildren<TDSWorkplaceFrame*>())
            if (panel->Workplace() && panel->Workplace()->ID() == AWorkplaceID)
                return panel;
        return nullptr;
    };
    const auto rename = [](const QString& AName) {
        return [AName](TObject* o) {
            if (auto* person = dynamic_cast<TPerson*>(o))
                person->SetName(AName);
            else if (auto* workplace = dynamic_cast<TWorkplace*>(o))
                workplace->SetName(AName);
        };
    };
    // The messages a change showed, with AAnswers queued for them.
    const auto told = [&](std::function<void()> AChange, std::initializer_list<int> AAnswers = {mrOk}) {
        Dialogs().Reset();
        for (int answer : AAnswers)
            Dialogs().AnswerMessage(answer);
        AChange();
        QApplication::processEvents();
        EXPECT_TRUE(Dialogs().AllAnswered());
        return Dialogs().MessageTexts();
    };
    const auto refused = [](const QStringList& ATexts) {
        return ATexts.size() == 1 && ATexts[0].startsWith("The change could not be saved: ")
               && ATexts[0].contains("locked");
    };

    TWriteLocks locks({Folder + "Workers.cds", Folder + "Workplaces.cds", Folder + "Jobs.cds", Folder + "Macros.cds"});
    Persons()->setCurrentItem(PersonRow("Ann"));

    // Workers: add, edit, delete.
    EXPECT_TRUE(refused(told([&] {
        EditorDoes("TPersonEditor", rename("Cid"), true);
        Find<QAction>(persons, "ActionAdd")->trigger();
    })));
    EXPECT_TRUE(told(
        [&] {
            EditorDoes("TPersonEditor", rename("Cid"), false);
            Find<QAction>(persons, "ActionAdd")->trigger();
        },
        {})
                    .isEmpty());
    EXPECT_TRUE(refused(told([&] {
        EditorDoes("TPersonEditor", rename("Anna"), true);
        Find<QAction>(persons, "ActionEdit")->trigger();
    })));
    EXPECT_TRUE(told(
        [&] {
            EditorDoes("TPersonEditor", rename("Anna"), false);
            Find<QAction>(persons, "ActionEdit")->trigger();
        },
        {})
                    .isEmpty());
    const QStringList deleteWorker = told([&] { Find<QAction>(persons, "ActionDelete")->trigger(); }, {mrYes, mrOk});
    EXPECT_TRUE(refused(deleteWorker.mid(1))) << deleteWorker.join('|').toStdString();
    EXPECT_EQ(ColumnTexts(Persons(), 0), (QStringList{"Ann", "Bob"}));
    EXPECT_EQ(Store->Persons->PersonCount(), 2);
    EXPECT_EQ(Ann->Name(), "Ann");

    // Workplaces: add, edit, delete.
    EXPECT_TRUE(refused(told([&] {
        EditorDoes("TWorkplaceEditor", rename("Cellar"), true);
        Find<QAction>(workplaces, "ActionAdd")->trigger();
    })));
    EXPECT_TRUE(told(
        [&] {
            EditorDoes("TWorkplaceEditor", rename("Cellar"), false);
            Find<QAction>(workplaces, "ActionAdd")->trigger();
        },
        {})
                    .isEmpty());
    ASSERT_NE(panelOf(Bar->ID()), nullptr);
    EXPECT_TRUE(refused(told([&] {
        EditorDoes("TWorkplaceEditor", rename("Pub"), true);
        Find<QToolButton>(panelOf(Bar->ID()), "SBEdit")->click();
    })));
    EXPECT_TRUE(told(
        [&] {
            EditorDoes("TWorkplaceEditor", rename("Pub"), false);
            Find<QToolButton>(panelOf(Bar->ID()), "SBEdit")->click();
        },
        {})
                    .isEmpty());
    const QStringList deleteWorkplace
        = told([&] { Find<QToolButton>(panelOf(Bar->ID()), "SBDelete")->click(); }, {mrYes, mrOk});
    EXPECT_TRUE(refused(deleteWorkplace.mid(1))) << deleteWorkplace.join('|').toStdString();
    EXPECT_EQ(Store->Workplaces->WorkplaceCount(), 2);
    EXPECT_EQ(Bar->Name(), "Bar");
    ASSERT_NE(panelOf(Bar->ID()), nullptr);

    // Relations: a drop onto a panel, a row dragged back onto the list.
    EXPECT_TRUE(refused(told([&] {
        auto payload = persons->CreateDragObject();
        ASSERT_NE(payload, nullptr);
        TDSWorkplaceFrame::TakeDrop(payload.get(), Schedule->Workplaces()->Items(-Bar->ID()));
    })));
    EXPECT_TRUE(refused(told([&] {
        TDSWorkplacePersonDragObjectEx payload(Bob->ID(), Kitchen->ID());
        SendDragEvent(Persons()->viewport(), QEvent::DragEnter, &payload, QPoint(5, 5), Qt::MoveAction);
        SendDragEvent(Persons()->viewport(), QEvent::Drop, &payload, QPoint(5, 5), Qt::MoveAction);
    })));
    EXPECT_EQ(JobPairs(Wed), (std::set<std::pair<int, int>>{{Bob->ID(), Kitchen->ID()}}));
    EXPECT_EQ(PersonRow("Ann")->text(1), "");
    EXPECT_EQ(PersonRow("Bob")->text(1), "K1");

    // Templates: saving one and clearing the day.
    EXPECT_TRUE(refused(told([&] {
        Dialogs().AnswerInput(QStringLiteral("Morning"));
        Find<QAction>(workplaces, "ActionAddTemplate")->trigger();
    })));
    EXPECT_TRUE(refused(told([&] { Find<QAction>(workplaces, "PUMenuASTClearAll")->trigger(); })));
    EXPECT_EQ(JobPairs(Wed), (std::set<std::pair<int, int>>{{Bob->ID(), Kitchen->ID()}}));
}
