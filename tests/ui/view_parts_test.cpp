// The view parts every schedule screen builds from: the top band with a logo
// button (as the period screens have it), the actions with their hints, and
// the print menus.
#include "setup/setup.h"
#include "support/drag_events.h"
#include "support/test_env.h"
#include "ui/drag_auto_scroll.h"
#include "ui/frame_info.h"
#include "ui/top_band.h"
#include "ui/view_actions.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// A view with the handler the builders connect to.
class TCountingView : public QWidget {
public:
    void ControlChanged() { ++Calls; }
    int Calls = 0;
};

template <class T>
T* Find(QWidget* AParent, const char* AName)
{
    T* found = AParent->findChild<T*>(QString::fromLatin1(AName));
    EXPECT_NE(found, nullptr) << AName;
    return found;
}

} // namespace

TEST(ViewPartsTest, TopBandShowsTheSettingsInALogoButtonAndTheNoteLines)
{
    TSetup setup;
    TCountingView view;
    QAction* editNotes = TTopBand::NewEditNotesAction(&view, &TCountingView::ControlChanged);
    auto* logo = new QToolButton(&view);
    logo->setObjectName(QStringLiteral("SBDailySchedule"));
    auto* band = new TTopBand(&view, logo, QStringLiteral("Ann Lee"), editNotes);
    band->SetupChanged(nullptr, QString());

    EXPECT_EQ(band->objectName(), "PanelTop");
    EXPECT_EQ(logo->parentWidget(), band);
    EXPECT_EQ(logo->size(), QSize(70, 70));
    EXPECT_FALSE(logo->icon().isNull());
    EXPECT_EQ(Find<QLabel>(band, "LabelTopCaption")->text(), "Ann Lee");
    EXPECT_EQ(Find<QToolButton>(band, "SBEditNotes")->defaultAction(), editNotes);
    EXPECT_EQ(editNotes->objectName(), "ActionEditNotes");
    EXPECT_EQ(editNotes->statusTip(), "Edit left captions (company, address, contact informations..)");
    auto* banner = Find<TFrameInfo>(band, "FrameInfo");
    EXPECT_FALSE(banner->isHidden());

    // Another sender's notice is not the band's.
    setup.General()->SetNote(QStringLiteral("Zanthor Ltd"));
    TObject other;
    band->SetupChanged(&other, QStringLiteral("Note"));
    EXPECT_EQ(Find<QLabel>(band, "LabelTopNote")->text(), "");
    band->SetupChanged(setup.General(), QStringLiteral("Note"));
    EXPECT_EQ(Find<QLabel>(band, "LabelTopNote")->text(), "Zanthor Ltd");
    EXPECT_TRUE(banner->isHidden());
    setup.General()->SetNote(QString());
    setup.General()->SetSubnote(QStringLiteral("Kitchen staff"));
    band->SetupChanged(&setup, QStringLiteral("SubNote"));
    band->SetupChanged(&setup, QStringLiteral("Note"));
    EXPECT_EQ(Find<QLabel>(band, "LabelTopSubnote")->text(), "Kitchen staff");
    EXPECT_TRUE(banner->isHidden());

    editNotes->trigger();
    EXPECT_EQ(view.Calls, 1);
}

TEST(ViewPartsTest, TheNoteButtonSitsAtTheBandsRightEndWithTheBannerLeftOfIt)
{
    TSetup setup;
    TCountingView view;
    QAction* editNotes = TTopBand::NewEditNotesAction(&view, &TCountingView::ControlChanged);
    auto* band = new TTopBand(&view, new QLabel(&view), QStringLiteral("Daily schedule"), editNotes);
    view.resize(900, 200);
    band->resize(900, band->height());
    view.show();
    QApplication::processEvents();
    auto* note = Find<QWidget>(band, "PanelTopNote");
    auto* button = Find<QToolButton>(band, "SBEditNotes");
    auto* banner = Find<TFrameInfo>(band, "FrameInfo");
    EXPECT_GT(note->width(), button->width() + banner->width());
    EXPECT_EQ(button->x(), note->width() - button->width() - 1);
    EXPECT_EQ(banner->x() + banner->width(), button->x());
    view.hide();
}

TEST(ViewPartsTest, ActionsCarryTheirHintsAndPrintMenusGroupTheirReports)
{
    TCountingView view;
    QAction* add = NewAction(&view, &TCountingView::ControlChanged, QStringLiteral("ActionAdd"),
        QStringLiteral("Add worker..."), QStringLiteral("Add new worker..."));
    EXPECT_EQ(add->objectName(), "ActionAdd");
    EXPECT_EQ(add->toolTip(), "Add new worker...");
    EXPECT_EQ(add->statusTip(), "Add new worker...");
    EXPECT_EQ(add->shortcutContext(), Qt::WidgetWithChildrenShortcut);
    EXPECT_TRUE(view.actions().contains(add));
    add->trigger();
    EXPECT_EQ(view.Calls, 1);
    EXPECT_EQ(NewToolButton(&view, QStringLiteral("TBAdd"), add)->defaultAction(), add);

    const TPrintEntry entries[] = {
        {"ActionPrintReportGeneral", "Schedule - General report", "ScheduleGeneral", false},
        {"ActionPrintReportFull", "Schedule - Detailed report", "ScheduleFull", false},
        {"ActionPrintReportPersonsGeneral", "Workers - General report", "PersonsGeneral", true},
    };
    QList<QAction*> reports;
    for (const TPrintEntry& entry : entries)
        reports.append(NewPrintAction(&view, &TCountingView::ControlChanged, entry));
    QAction* checkMark = NewAction(&view, QStringLiteral("ActionPrintOnly"), QStringLiteral("Print only"), QString());
    QMenu menu;
    AddPrintEntries(&menu, reports, checkMark);
    const QList<QAction*> shown = menu.actions();
    ASSERT_EQ(shown.size(), 6);
    EXPECT_EQ(shown[0], reports[0]);
    EXPECT_EQ(shown[1], reports[1]);
    EXPECT_TRUE(shown[2]->isSeparator());
    EXPECT_EQ(shown[3], reports[2]);
    EXPECT_TRUE(shown[4]->isSeparator());
    EXPECT_EQ(shown[5], checkMark);

    QString report;
    bool simple = true;
    ASSERT_TRUE(PrintReportOf(reports[1], report, simple));
    EXPECT_EQ(report, "ScheduleFull");
    EXPECT_FALSE(simple);
    ASSERT_TRUE(PrintReportOf(reports[2], report, simple));
    EXPECT_EQ(report, "PersonsGeneral");
    EXPECT_TRUE(simple);
    EXPECT_FALSE(PrintReportOf(checkMark, report, simple));
    EXPECT_EQ(reports[0]->text(), "Schedule - General report");
}

TEST(ViewPartsTest, APrintMenuReopensBelowItsButtonOnceTheRunningMenuHasClosed)
{
    QWidget view;
    auto* button = new QToolButton(&view);
    view.show();
    QMenu menu;
    menu.addAction(QStringLiteral("Report"));
    ReopenBelow(&menu, button);
    EXPECT_FALSE(menu.isVisible());
    QApplication::processEvents();
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    view.hide();
}

TEST(ViewPartsTest, AHeldDragNearAnEdgeScrollsFasterTheCloserAndStopsAtTheEnd)
{
    // Faster toward the edge, nothing in the middle, up at the top.
    EXPECT_EQ(TDragAutoScroll::StepFor(200, 400, 40), 0);
    EXPECT_GT(TDragAutoScroll::StepFor(399, 400, 40), TDragAutoScroll::StepFor(370, 400, 40));
    EXPECT_GT(TDragAutoScroll::StepFor(370, 400, 40), 0);
    EXPECT_LT(TDragAutoScroll::StepFor(0, 400, 40), TDragAutoScroll::StepFor(30, 400, 40));

    QScrollArea area;
    auto* content = new QWidget;
    content->resize(200, 1000);
    area.setWidget(content);
    area.resize(220, 300);
    area.show();
    TDragAutoScroll::Install(&area);
    auto* watcher = area.findChild<TDragAutoScroll*>("DragAutoScroll");
    ASSERT_NE(watcher, nullptr);
    QMimeData data;
    content->setAcceptDrops(true);
    // Held still near the bottom of the view, over the content.
    const QPoint nearBottom = content->mapFrom(area.viewport(), QPoint(50, area.viewport()->height() - 3));
    SendDragEvent(content, QEvent::DragEnter, &data, nearBottom);
    QTest::qWait(10 * TDragAutoScroll::TickInterval);
    const int scrolled = area.verticalScrollBar()->value();
    EXPECT_GT(scrolled, 0);
    // At the end it stops by itself; a drop stops it anywhere.
    area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
    QTest::qWait(3 * TDragAutoScroll::TickInterval);
    EXPECT_EQ(area.verticalScrollBar()->value(), area.verticalScrollBar()->maximum());
    area.verticalScrollBar()->setValue(100);
    SendDragEvent(content, QEvent::Drop, &data, nearBottom);
    QTest::qWait(3 * TDragAutoScroll::TickInterval);
    EXPECT_EQ(area.verticalScrollBar()->value(), 100);
}
