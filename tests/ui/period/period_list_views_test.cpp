// The worker and workplace lists of both period schedules, as a manager uses
// them: choosing by row, keys, sorting, pictures, drops, the print menu.
#include "reports/print_data.h"
#include "reports/recording_report_engine.h"
#include "support/drag_events.h"
#include "tests/ui/period/period_view_fixture.h"
#include "ui/view_resources.h"
#include "ui/worker/ps_person_list_frame.h"
#include "ui/worker/ps_workplace_list_frame.h"
#include "ui/workplace/ws_person_list_frame.h"
#include "ui/workplace/ws_workplace_list_frame.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QTest>

namespace {

using TPairs = std::set<std::pair<int, int>>;

class PeriodListViewsTest : public PeriodViewTest {
protected:
    void DestroyViews() override { Host.reset(); }

    // The screen's two list frames side by side in a shown window.
    template <class TPersonFrame, class TWorkplaceFrame, class TSchedule>
    void ShowLists(TSchedule* ASchedule)
    {
        Host = std::make_unique<QWidget>();
        auto* layout = new QHBoxLayout(Host.get());
        auto* persons = new TPersonFrame(Host.get());
        persons->SetPersons(ASchedule->Persons());
        auto* workplaces = new TWorkplaceFrame(Host.get());
        workplaces->SetWorkplaces(ASchedule->Workplaces());
        layout->addWidget(persons);
        layout->addWidget(workplaces);
        Persons = persons;
        Workplaces = workplaces;
        Host->resize(900, 400);
        Host->show();
        QApplication::setActiveWindow(Host.get());
        LVPersons = Find<QTreeWidget>(Persons, "LVPersons");
        LVWorkplaces = Find<QTreeWidget>(Workplaces, "LVWorkplaces");
    }
    static QTreeWidgetItem* Row(QTreeWidget* AList, const QString& AName)
    {
        const auto found = AList->findItems(AName, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.front();
    }
    static QAction* Action(QWidget* AFrame, const char* AName)
    {
        return Find<QAction>(AFrame, QString::fromLatin1(AName));
    }
    void SetAbsence(TPerson* APerson, TDate AFrom, int ADays)
    {
        APerson->SetDateOutFrom(AFrom);
        APerson->SetDaysOut(ADays);
        ASSERT_TRUE(Store->Persons->InsertPerson(APerson));
    }
    static qint64 IconOf(QTreeWidget* AList, const QString& AName) { return Row(AList, AName)->icon(0).cacheKey(); }
    static QImage Swatch(QTreeWidgetItem* ARow) { return ARow->icon(0).pixmap(16, 16).toImage(); }
    // Key AKey with AModifiers on AList; returns how many questions it asked.
    size_t Press(QTreeWidget* AList, Qt::Key AKey, Qt::KeyboardModifiers AModifiers = Qt::NoModifier)
    {
        const size_t before = Dialogs().Questions().size();
        AList->setFocus();
        QTest::keyClick(AList, AKey, AModifiers);
        return Dialogs().Questions().size() - before;
    }
    // Runs every report entry of AFrame's print menu; the reports printed,
    // and the plain register report's heading in AHeading.
    QStringList PrintAll(QWidget* AFrame, QString& AHeading)
    {
        TRecordingReportEngine engine;
        TDataManPrint print(&engine);
        TDataManPrint::SetInstance(&print);
        for (QAction* action : Find<QMenu>(AFrame, "PUMenuPrint")->actions())
            if (!action->isSeparator() && !action->isCheckable()) {
                engine.AnswerPrinterSetup(true);
                action->trigger();
            }
        TDataManPrint::SetInstance(nullptr);
        QStringList reports;
        for (const auto& run : engine.Runs()) {
            reports << run.ReportName;
            if (!run.Params.contains("ScheduleDate"))
                AHeading = run.Params.value("ScheduleCaption");
        }
        return reports;
    }
    // The check-mark entry toggled: the setting it wrote, with the menu open again.
    bool ToggleCheckMark(QWidget* AFrame, const char* AName)
    {
        Action(AFrame, AName)->trigger();
        QApplication::processEvents();
        auto* menu = Find<QMenu>(AFrame, "PUMenuPrint");
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
        return Action(AFrame, AName)->isChecked();
    }

    std::unique_ptr<QWidget> Host;
    QWidget* Persons = nullptr;
    QWidget* Workplaces = nullptr;
    QTreeWidget* LVPersons = nullptr;
    QTreeWidget* LVWorkplaces = nullptr;
};

} // namespace

TEST_F(PeriodListViewsTest, WorkerScheduleListsChooseShowAndTakeBackWorkplaces)
{
    SetAbsence(Ann, Mon - 7, 21);
    SetAbsence(Bob, Mon + 5, 5);
    TPersonSchedule* schedule = NewPersonSchedule(Ann);
    ShowLists<TPSPersonListFrame, TPSWorkplaceListFrame>(schedule);
    EXPECT_EQ(ColumnTexts(LVPersons, 0), (QStringList{"Ann", "Bob", "Cid"}));
    EXPECT_EQ(IconOf(LVPersons, "Ann"), SmallIcon(1).cacheKey());
    EXPECT_EQ(IconOf(LVPersons, "Bob"), SmallIcon(2).cacheKey());
    EXPECT_EQ(IconOf(LVPersons, "Cid"), SmallIcon(0).cacheKey());

    // New relations rewrite the rows in place.
    QTreeWidgetItem* annRow = Row(LVPersons, "Ann");
    QTreeWidgetItem* kitchenRow = Row(LVWorkplaces, "Kitchen");
    ASSERT_TRUE(schedule->AddWorkplaceToDay(Kitchen->ID(), Mon));
    ASSERT_TRUE(schedule->AddWorkplaceToDay(Kitchen->ID(), Tue));
    EXPECT_EQ(Row(LVPersons, "Ann"), annRow);
    EXPECT_EQ(Row(LVWorkplaces, "Kitchen"), kitchenRow);
    EXPECT_EQ(annRow->text(1), "Mon, Tue");
    EXPECT_EQ(ColumnTexts(LVWorkplaces, 1), (QStringList{"", "Mon, Tue", ""}));

    // A day's workplace dropped on the list leaves that day; one of the
    // list's own rows is taken and changes nothing.
    TPSDayWorkplaceDragObjectEx fromMonday;
    fromMonday.SetWorkplaceID(Kitchen->ID());
    fromMonday.SetDay(Mon);
    EXPECT_TRUE(DropOnto(LVWorkplaces->viewport(), &fromMonday));
    EXPECT_TRUE(FileJobPairs(Mon).empty());
    EXPECT_EQ(FileJobPairs(Tue), (TPairs{{Ann->ID(), Kitchen->ID()}}));
    EXPECT_EQ(annRow->text(1), "Tue");
    LVWorkplaces->setCurrentItem(kitchenRow);
    auto own = static_cast<TPSWorkplaceListFrame*>(Workplaces)->CreateDragObject();
    ASSERT_NE(qobject_cast<TPSWorkplaceDragObjectEx*>(own.get()), nullptr);
    EXPECT_TRUE(DropOnto(LVWorkplaces->viewport(), own.get()));
    EXPECT_EQ(FileJobPairs(Tue), (TPairs{{Ann->ID(), Kitchen->ID()}}));

    // Focusing Bob's row chooses him: the workplaces show his dates.
    LVPersons->setCurrentItem(Row(LVPersons, "Bob"));
    EXPECT_EQ(schedule->PersonID(), Bob->ID());
    EXPECT_EQ(ColumnTexts(LVWorkplaces, 1), (QStringList{"", "", ""}));
    EXPECT_EQ(Row(LVPersons, "Ann")->text(1), "Tue");

    EXPECT_FALSE(Action(Workplaces, "ActionSortingAsc")->isEnabled());
    Action(Workplaces, "ActionSortingDesc")->trigger();
    EXPECT_EQ(ColumnTexts(LVWorkplaces, 0), (QStringList{"Office", "Kitchen", "Hall"}));
    EXPECT_TRUE(Action(Workplaces, "ActionSortingAsc")->isEnabled());
    EXPECT_FALSE(Action(Workplaces, "ActionSortingDesc")->isEnabled());

    // Keys of the workplace list.
    EditorDoes(
        "TWorkplaceEditor", [](TObject* o) { static_cast<TWorkplace*>(o)->SetName("Yard"); }, true);
    EXPECT_EQ(Press(LVWorkplaces, Qt::Key_Insert), 1u);
    ASSERT_EQ(schedule->Workplaces()->WorkplaceFocused()->Name(), "Yard");
    EXPECT_EQ(LVWorkplaces->currentItem(), Row(LVWorkplaces, "Yard"));
    const int yard = schedule->Workplaces()->WorkplaceFocused()->ID();
    EditorDoes(
        "TWorkplaceEditor", [](TObject* o) { static_cast<TWorkplace*>(o)->SetColor(RGBToColor(230, 240, 225)); }, true);
    EXPECT_EQ(Press(LVWorkplaces, Qt::Key_Return, Qt::AltModifier), 1u);
    const QImage swatch = Swatch(Row(LVWorkplaces, "Yard"));
    EXPECT_EQ(swatch.pixelColor(8, 8), QColor(230, 240, 225));
    EXPECT_EQ(swatch.pixelColor(2, 2), QColor(0xB0, 0xB0, 0xB0));
    EXPECT_EQ(swatch.pixelColor(13, 13), QColor(0xB0, 0xB0, 0xB0));
    EXPECT_EQ(qAlpha(swatch.pixel(14, 14)), 0);
    EXPECT_EQ(Press(LVWorkplaces, Qt::Key_Return, Qt::ShiftModifier), 0u);
    EXPECT_EQ(Press(LVWorkplaces, Qt::Key_Return, Qt::ControlModifier), 0u);
    EXPECT_EQ(Navigator.Calls, QStringList{QStringLiteral("workplace %1 %2").arg(yard).arg(Mon)});
    Dialogs().AnswerMessage(mrYes);
    EXPECT_EQ(Press(LVWorkplaces, Qt::Key_Delete, Qt::ControlModifier), 1u);
    EXPECT_EQ(Dialogs().Questions().back().Text, "Delete workplace\r\n\"Yard\"\r\nReally?");
    EXPECT_EQ(Row(LVWorkplaces, "Yard"), nullptr);
    EXPECT_EQ(Store->Workplaces->Workplaces(-yard), nullptr);

    // A new worker is chosen at once.
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetName("Dan"); }, true);
    Press(LVPersons, Qt::Key_Insert);
    EXPECT_EQ(schedule->PersonID(), Store->Persons->Persons("Dan")->ID());
    EXPECT_EQ(LVPersons->currentItem(), Row(LVPersons, "Dan"));

    EXPECT_TRUE(ToggleCheckMark(Workplaces, "ActionPrintOccupiedWorkplacesOnly"));
    EXPECT_TRUE(Store->Setup->General()->PrintOccupiedWorkplacesOnly());
    QString heading;
    EXPECT_EQ(PrintAll(Persons, heading), (QStringList{"PSPersonsGeneral", "PSPersonsFull", "PSPersonsTwoCol",
                                              "PersonsGeneral", "PersonsFull", "PersonsTwoCol"}));
    EXPECT_EQ(heading, "Workers");
    EXPECT_EQ(
        PrintAll(Workplaces, heading), (QStringList{"PSWorkplacesGeneral", "PSWorkplacesFull", "PSWorkplacesTwoCol",
                                           "WorkplacesGeneral", "WorkplacesFull", "WorkplacesTwoCol"}));
    EXPECT_EQ(heading, "Workplaces");
}

TEST_F(PeriodListViewsTest, WorkplaceScheduleListsChooseShowAndTakeBackWorkers)
{
    SetAbsence(Bob, Mon + 5, 5);
    TWorkplaceSchedule* schedule = NewWorkplaceSchedule(Kitchen);
    ShowLists<TWSPersonListFrame, TWSWorkplaceListFrame>(schedule);
    EXPECT_EQ(IconOf(LVPersons, "Bob"), SmallIcon(2).cacheKey());
    EXPECT_EQ(IconOf(LVPersons, "Ann"), SmallIcon(0).cacheKey());
    EXPECT_EQ(Swatch(Row(LVWorkplaces, "Kitchen")).pixelColor(8, 8),
        QColor(ColorRed(Kitchen->Color()), ColorGreen(Kitchen->Color()), ColorBlue(Kitchen->Color())));

    QTreeWidgetItem* annRow = Row(LVPersons, "Ann");
    QTreeWidgetItem* kitchenRow = Row(LVWorkplaces, "Kitchen");
    ASSERT_TRUE(schedule->AddPersonToDay(Ann->ID(), Mon));
    ASSERT_TRUE(schedule->AddPersonToDay(Ann->ID(), Wed));
    EXPECT_EQ(Row(LVPersons, "Ann"), annRow);
    EXPECT_EQ(Row(LVWorkplaces, "Kitchen"), kitchenRow);
    EXPECT_EQ(ColumnTexts(LVPersons, 1), (QStringList{"Mon, Wed", "", ""}));
    EXPECT_EQ(kitchenRow->text(1), "Mon, Wed");

    // A worker of the list itself is refused; one from a day leaves it.
    LVPersons->setCurrentItem(annRow);
    auto own = static_cast<TWSPersonListFrame*>(Persons)->CreateDragObject();
    ASSERT_NE(qobject_cast<TWSPersonDragObjectEx*>(own.get()), nullptr);
    EXPECT_FALSE(DragOver(LVPersons->viewport(), own.get()));
    TWSDayPersonDragObjectEx fromMonday;
    fromMonday.SetPersonID(Ann->ID());
    fromMonday.SetDay(Mon);
    EXPECT_TRUE(DropOnto(LVPersons->viewport(), &fromMonday));
    EXPECT_TRUE(FileJobPairs(Mon).empty());
    EXPECT_EQ(FileJobPairs(Wed), (TPairs{{Ann->ID(), Kitchen->ID()}}));
    EXPECT_EQ(annRow->text(1), "Wed");
    EXPECT_EQ(kitchenRow->text(1), "Wed");

    // Focusing Office's row shows Office: nobody works there.
    LVWorkplaces->setCurrentItem(Row(LVWorkplaces, "Office"));
    EXPECT_EQ(schedule->WorkplaceID(), Office->ID());
    EXPECT_EQ(ColumnTexts(LVPersons, 1), (QStringList{"", "", ""}));
    EXPECT_EQ(Row(LVWorkplaces, "Kitchen")->text(1), "Wed");

    Action(Persons, "ActionSortingDesc")->trigger();
    EXPECT_EQ(ColumnTexts(LVPersons, 0), (QStringList{"Cid", "Bob", "Ann"}));
    EXPECT_TRUE(Action(Persons, "ActionSortingAsc")->isEnabled());
    EXPECT_FALSE(Action(Persons, "ActionSortingDesc")->isEnabled());

    // Keys of the worker list.
    LVPersons->setCurrentItem(Row(LVPersons, "Bob"));
    EXPECT_EQ(Press(LVPersons, Qt::Key_Return, Qt::ControlModifier), 0u);
    EXPECT_EQ(Navigator.Calls, QStringList{QStringLiteral("person %1 %2").arg(Bob->ID()).arg(Mon)});
    EditorDoes(
        "TPersonEditor", [](TObject* o) { static_cast<TPerson*>(o)->SetNote("nights"); }, true);
    EXPECT_EQ(Press(LVPersons, Qt::Key_Return, Qt::AltModifier), 1u);
    EXPECT_EQ(Bob->Note(), "nights");
    EXPECT_EQ(Press(LVPersons, Qt::Key_Enter, Qt::ShiftModifier), 0u);
    Dialogs().AnswerMessage(mrYes);
    const int bob = Bob->ID();
    EXPECT_EQ(Press(LVPersons, Qt::Key_Delete, Qt::ControlModifier), 1u);
    EXPECT_EQ(Dialogs().Questions().back().Text, "Delete worker\r\n\"Bob\"\r\nReally?");
    EXPECT_EQ(ColumnTexts(LVPersons, 0), (QStringList{"Cid", "Ann"}));
    EXPECT_EQ(Store->Persons->Persons(-bob), nullptr);

    // A new workplace is shown at once.
    EditorDoes(
        "TWorkplaceEditor", [](TObject* o) { static_cast<TWorkplace*>(o)->SetName("Yard"); }, true);
    EXPECT_EQ(Press(LVWorkplaces, Qt::Key_Insert), 1u);
    EXPECT_EQ(schedule->WorkplaceID(), Store->Workplaces->Workplaces("Yard")->ID());

    EXPECT_TRUE(ToggleCheckMark(Persons, "ActionPrintInvolvedPersonsOnly"));
    EXPECT_TRUE(Store->Setup->General()->PrintInvolvedPersonsOnly());
    QString heading;
    EXPECT_EQ(PrintAll(Persons, heading), (QStringList{"WSPersonsGeneral", "WSPersonsFull", "WSPersonsTwoCol",
                                              "PersonsGeneral", "PersonsFull", "PersonsTwoCol"}));
    EXPECT_EQ(heading, "Workers");
    EXPECT_EQ(
        PrintAll(Workplaces, heading), (QStringList{"WSWorkplacesGeneral", "WSWorkplacesFull", "WSWorkplacesTwoCol",
                                           "WorkplacesGeneral", "WorkplacesFull", "WorkplacesTwoCol"}));
    EXPECT_EQ(heading, "Workplaces");
}

TEST_F(PeriodListViewsTest, ChoosingKeepsTheSideRowsWhichStillFollowDropsAndOtherCopies)
{
    TPersonSchedule* schedule = NewPersonSchedule(Ann);
    ShowLists<TPSPersonListFrame, TPSWorkplaceListFrame>(schedule);
    ASSERT_TRUE(schedule->AddWorkplaceToDay(Kitchen->ID(), Mon));
    QTreeWidgetItem* annRow = Row(LVPersons, "Ann");
    QTreeWidgetItem* bobRow = Row(LVPersons, "Bob");
    QTreeWidgetItem* cidRow = Row(LVPersons, "Cid");

    // Choosing Bob leaves the worker rows alone; a drop for him shows on his.
    LVPersons->setCurrentItem(bobRow);
    ASSERT_EQ(schedule->PersonID(), Bob->ID());
    EXPECT_EQ(Row(LVPersons, "Ann"), annRow);
    EXPECT_EQ(annRow->text(1), "Mon");
    ASSERT_TRUE(schedule->AddWorkplaceToDay(Hall->ID(), Wed));
    EXPECT_EQ(bobRow->text(1), "Wed");
    EXPECT_EQ(ColumnTexts(LVWorkplaces, 1), (QStringList{"Wed", "", ""}));

    // A refresh of the same period keeps the rows; another copy's relation
    // is seen by the next one, which its watch starts.
    schedule->Refresh(psrkAll);
    EXPECT_EQ(Row(LVPersons, "Bob"), bobRow);
    EXPECT_EQ(cidRow->text(1), "");
    {
        const QString name = QStringLiteral("period-view-other-copy");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(Folder + QStringLiteral("Jobs.cds"));
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO Data (Date, PersonID, PersonName, WorkplaceID, "
                                                  "WorkplaceShortcut, WorkplaceName) VALUES (%1, %2, 'Cid', %3, "
                                                  "'OFF', 'Office'), (%4, %5, 'Bob', %3, 'OFF', 'Office')")
                                       .arg(Mon + 3)
                                       .arg(Cid->ID())
                                       .arg(Office->ID())
                                       .arg(Mon + 4)
                                       .arg(Bob->ID())));
        }
        QSqlDatabase::removeDatabase(name);
    }
    ASSERT_TRUE(Store->Jobs->CatchUp());
    schedule->Refresh(psrkAll);
    EXPECT_EQ(Row(LVPersons, "Cid"), cidRow);
    EXPECT_EQ(cidRow->text(1), "Thu");
    EXPECT_EQ(bobRow->text(1), "Wed, Fri");
    EXPECT_EQ(ColumnTexts(LVWorkplaces, 1), (QStringList{"Wed", "", "Fri"}));

    // Back to Ann: her days, and the workplaces hers.
    LVPersons->setCurrentItem(annRow);
    EXPECT_EQ(ColumnTexts(LVWorkplaces, 1), (QStringList{"", "Mon", ""}));
    EXPECT_EQ(schedule->Days()->Items(3)->Workplaces()->Count(), 0);
}

TEST_F(PeriodListViewsTest, ListWithoutScheduleShowsNoPicturesAndTheFrameLetsItGo)
{
    TPSPersonList loose;
    loose.AddPersonID(Ann->ID(), true, false);
    {
        TPSWorkplaceListFrame unbound;
        EXPECT_FALSE(Action(&unbound, "ActionAdd")->isEnabled());
        TPSPersonListFrame frame;
        frame.SetPersons(&loose);
        EXPECT_EQ(loose.Editor(), &frame);
        auto* list = Find<QTreeWidget>(&frame, "LVPersons");
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_TRUE(list->topLevelItem(0)->icon(0).isNull());
        EXPECT_EQ(list->topLevelItem(0)->data(0, Qt::UserRole).toInt(), Ann->ID());
        EXPECT_TRUE(Action(&frame, "ActionEdit")->isEnabled());
    }
    EXPECT_EQ(loose.Editor(), nullptr);
}
