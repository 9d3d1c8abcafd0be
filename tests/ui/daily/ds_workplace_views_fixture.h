// The workplace side of the daily schedule page on the program's own managers
// and a fresh data folder: a schedule on a fixed day and the list view bound
// to its workplace list, as the page binds it.
#pragma once

#include "schedule/daily/daily_schedule.h"
#include "tests/data/data_fixture.h"
#include "ui/daily/ds_workplace_frame.h"
#include "ui/daily/ds_workplace_list_frame.h"
#include "ui/daily/ds_workplace_person_frame.h"
#include "ui/navigator.h"
#include "ui/sc_label.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>

#include <algorithm>
#include <set>

// 2024-05-15 is a Wednesday.
inline const TDate TestDay = DateToOle(QDate(2024, 5, 15));

class WorkplaceViewsTest : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        Open();
        Ann = AddPerson("Ann");
        Bob = AddPerson("Bob");
        Kitchen = AddWorkplace("Kitchen", "K1");
        Bar = AddWorkplace("Bar", "B1");
        ASSERT_TRUE(Ann && Bob && Kitchen && Bar);
        AnnID = Ann->ID();
        BobID = Bob->ID();
        KitchenID = Kitchen->ID();
        BarID = Bar->ID();
        Schedule = std::make_unique<TDailySchedule>();
        Schedule->SetDate(TestDay);
        Frame = std::make_unique<TDSWorkplaceListFrame>();
        Frame->resize(700, 500);
        Frame->show();
        Frame->SetWorkplaces(Schedule->Workplaces());
        // Only what the views ask counts.
        Dialogs().Reset();
    }
    void TearDown() override
    {
        SetNavigator(nullptr);
        Frame.reset();
        Schedule.reset();
        DataTest::TearDown();
    }

    // Lets posted layout requests run and deletes the views rebuilt away.
    static void Settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <class T = QWidget>
    T* Find(const QString& AName, QObject* AIn = nullptr) const
    {
        return (AIn ? AIn : Frame.get())->findChild<T*>(AName);
    }
    QAction* Action(const QString& AName) const { return Find<QAction>(AName); }
    TDSWorkplaceFrame* Panel(int AIndex) const { return Find<TDSWorkplaceFrame>(QStringLiteral("DSWF%1").arg(AIndex)); }
    TDSWorkplaceFrame* PanelOf(int AWorkplaceID) const
    {
        for (int i = 0;; ++i) {
            TDSWorkplaceFrame* panel = Panel(i);
            if (!panel || (panel->Workplace() && panel->Workplace()->ID() == AWorkplaceID))
                return panel;
        }
    }
    static TDSWorkplacePersonFrame* Row(QWidget* APanel, int AIndex)
    {
        return APanel ? APanel->findChild<TDSWorkplacePersonFrame*>(QStringLiteral("DSWPF%1").arg(AIndex)) : nullptr;
    }
    static int RowCount(QWidget* APanel)
    {
        int n = 0;
        while (Row(APanel, n))
            ++n;
        return n;
    }
    static QString Text(QWidget* AIn, const QString& ALabel)
    {
        auto* label = AIn ? AIn->findChild<QLabel*>(ALabel) : nullptr;
        return label ? label->text() : QStringLiteral("<no %1>").arg(ALabel);
    }
    static int PanelCount(QWidget* AFrame)
    {
        int n = 0;
        while (AFrame->findChild<TDSWorkplaceFrame*>(QStringLiteral("DSWF%1").arg(n)))
            ++n;
        return n;
    }

    // The (worker, workplace) pairs the jobs table holds for a day.
    std::set<std::pair<int, int>> JobsOn(TDate ADay)
    {
        Store->Jobs->SetDateFrom(ADay);
        Store->Jobs->SetDateTo(ADay);
        Store->Jobs->SetPersonID(0);
        Store->Jobs->SetWorkplaceID(0);
        std::set<std::pair<int, int>> pairs;
        for (int i = 0; i < Store->Jobs->JobCount(); ++i)
            pairs.emplace(Store->Jobs->Jobs(i)->PersonID(), Store->Jobs->Jobs(i)->WorkplaceID());
        return pairs;
    }
    QStringList TemplateNames()
    {
        QStringList names;
        Store->Macros->GetMacroNames(&names);
        return names;
    }
    std::set<std::pair<int, int>> TemplatePairs(const QString& AName)
    {
        std::set<std::pair<int, int>> pairs;
        if (std::unique_ptr<TMacro> macro = Store->Macros->GetMacro(AName))
            for (int i = 0; i < macro->MacroJobs()->Count(); ++i)
                pairs.emplace(macro->MacroJobs()->Items(i)->PersonID(), macro->MacroJobs()->Items(i)->WorkplaceID());
        return pairs;
    }
    // Stores a template of pairs directly in the templates table.
    void PutTemplate(const QString& AName, const std::vector<std::pair<int, int>>& APairs)
    {
        TMacro macro;
        macro.SetName(AName);
        for (auto [person, workplace] : APairs)
            macro.MacroJobs()->AddMacroJob(person, workplace);
        ASSERT_TRUE(Store->Macros->PutMacro(&macro));
    }

    // Drag events as the window system delivers them over a target widget.
    static bool DragOver(QWidget* ATarget, QMimeData* AData)
    {
        const QPoint at = ATarget->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, AData, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ATarget, &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, AData, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ATarget, &move);
        return move.isAccepted();
    }
    // A drop follows an accepted enter and move on the same target (the
    // application hands a drop to the target that accepted the enter).
    static void Drop(QWidget* ATarget, QMimeData* AData)
    {
        if (!DragOver(ATarget, AData))
            return;
        QDropEvent drop(QPointF(ATarget->rect().center()), Qt::CopyAction | Qt::MoveAction, AData, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(ATarget, &drop);
        Settle();
    }

    TPerson* Ann = nullptr;
    TPerson* Bob = nullptr;
    TWorkplace* Kitchen = nullptr;
    TWorkplace* Bar = nullptr;
    int AnnID = 0, BobID = 0, KitchenID = 0, BarID = 0;
    std::unique_ptr<TDailySchedule> Schedule;
    std::unique_ptr<TDSWorkplaceListFrame> Frame;
};

// Records the navigation the views ask for.
class TRecordingNavigator : public ISCNavigator {
public:
    void ShowDailySchedule(TDate ADate) override { Calls << QStringLiteral("daily %1").arg(ADate); }
    void ShowPersonSchedule(int APersonID, TDate ADate) override
    {
        Calls << QStringLiteral("person %1 %2").arg(APersonID).arg(ADate);
    }
    void ShowWorkplaceSchedule(int AWorkplaceID, TDate ADate) override
    {
        Calls << QStringLiteral("workplace %1 %2").arg(AWorkplaceID).arg(ADate);
    }
    QStringList Calls;
};
