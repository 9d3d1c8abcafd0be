// The workplace side of the daily schedule page on the program's own managers
// and a fresh data folder: a schedule on a fixed day and the list view bound
// to its workplace list, as the page binds it.
#pragma once

#include "schedule/daily/daily_schedule.h"
#include "support/drag_events.h"
#include "support/recording_navigator.h"
#include "tests/data/data_fixture.h"
#include "ui/daily/ds_workplace_frame.h"
#include "ui/daily/ds_workplace_list_frame.h"
#include "ui/daily/ds_workplace_person_frame.h"
#include "ui/navigator.h"
#include "ui/sc_label.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>

#include <algorithm>
#include <set>

// 2024-05-15 is a Wednesday.
inline const TDate TestDay = DateToOle(QDate(2024, 5, 15));

class WorkplaceViewsTest : public CastTest {
protected:
    void SetUp() override
    {
        CastTest::SetUp();
        Open();
        ASSERT_TRUE(AddCast(Bar, "Bar", "K1", "B1"));
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

    // A drop after an accepted enter and move, and the views it rebuilt away gone.
    static void Drop(QWidget* ATarget, QMimeData* AData)
    {
        DropOnto(ATarget, AData);
        Settle();
    }

    TWorkplace* Bar = nullptr;
    int AnnID = 0, BobID = 0, KitchenID = 0, BarID = 0;
    std::unique_ptr<TDailySchedule> Schedule;
    std::unique_ptr<TDSWorkplaceListFrame> Frame;
};
