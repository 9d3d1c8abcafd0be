#include "ui/period/period_day_list_frame.h"

#include "ui/drag_auto_scroll.h"
#include "ui/drop_down_button.h"
#include "ui/focus_frame.h"
#include "ui/navigator.h"
#include "ui/scroll_column.h"
#include "ui/view_drag.h"
#include "ui/view_resources.h"

#include "setup/setup.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

bool PrintOccupiedDaysOnly()
{
    const TSetup* setup = TSetup::Instance();
    return setup && setup->General()->PrintOccupiedDaysOnly();
}

} // namespace

TPeriodDayListFrame::TPeriodDayListFrame(const TPeriodDayListLook& ALook, QWidget* AParent)
    : TSCFrame(AParent),
      FDayPrefix(QString::fromLatin1(ALook.DayPrefix))
{
    setObjectName(QString::fromLatin1(ALook.Name));

    const auto handler = &TPeriodDayListFrame::ControlChanged;
    ActionDateDaysKindWeek = NewAction(this, handler, QStringLiteral("ActionDateDaysKindWeek"),
        QStringLiteral("One week"), QStringLiteral("Show schedule for one week"));
    ActionDateDaysKindTwoWeeks = NewAction(this, handler, QStringLiteral("ActionDateDaysKindTwoWeeks"),
        QStringLiteral("Two weeks"), QStringLiteral("Show schedule for two weeks"));
    ActionDateDaysKindMonth = NewAction(this, handler, QStringLiteral("ActionDateDaysKindMonth"),
        QStringLiteral("Month"), QStringLiteral("Show schedule for one month"));
    for (QAction* action : {ActionDateDaysKindWeek, ActionDateDaysKindTwoWeeks, ActionDateDaysKindMonth})
        action->setCheckable(true);
    for (const TPrintEntry& entry : ALook.Reports)
        FReportActions << NewPrintAction(this, handler, entry);
    ActionPrintOccupiedDaysOnly = NewAction(this, handler, QStringLiteral("ActionPrintOccupiedDaysOnly"),
        QStringLiteral("Print occupied days only"), QString());
    ActionPrintOccupiedDaysOnly->setCheckable(true);
    ActionDailySchedule = NewAction(this, handler, QStringLiteral("ActionDailySchedule"),
        QStringLiteral("Daily schedule"), QStringLiteral("Back to Daily schedule"));
    PUMenuPrint = new QMenu(this);
    PUMenuPrint->setObjectName(QStringLiteral("PUMenuPrint"));
    AddPrintEntries(PUMenuPrint, FReportActions, ActionPrintOccupiedDaysOnly);
    connect(PUMenuPrint, &QMenu::aboutToShow, this, &TPeriodDayListFrame::PUMenuPrintPopup);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar"));
    auto addButton = [toolBar](const QString& AName, QAction* AAction) {
        QToolButton* button = NewToolButton(toolBar, AName, AAction);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        toolBar->addWidget(button);
    };
    addButton(QStringLiteral("TBDateDaysKindWeek"), ActionDateDaysKindWeek);
    addButton(QStringLiteral("TBDateDaysKindTwoWeeks"), ActionDateDaysKindTwoWeeks);
    addButton(QStringLiteral("TBDateDaysKindMonth"), ActionDateDaysKindMonth);
    toolBar->addSeparator();
    TBPrint = NewDropDownButton(
        toolBar, QStringLiteral("TBPrint"), QStringLiteral("Print"), QString::fromLatin1(ALook.PrintHint), PUMenuPrint);
    TBPrint->setIcon(
        QIcon::fromTheme(QStringLiteral("document-print"), StandardIcon(QStyle::SP_FileDialogDetailedView)));
    TBPrint->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->addWidget(TBPrint);
    QToolButton* exportButton = NewExportButton(toolBar, false, [this](const TExportFormat* AFormat) {
        if (AFormat && DayList())
            Export(*AFormat);
    });
    // A picture only, as the back button: the bar fits half a narrow window.
    exportButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar->addWidget(exportButton);
    toolBar->addSeparator();
    // A picture only: with the caption the bar would not fit the half of a
    // narrow window, and the button would hide behind the bar's overflow.
    ActionDailySchedule->setIcon(StandardIcon(QStyle::SP_ArrowBack));
    toolBar->addWidget(NewToolButton(toolBar, QStringLiteral("TBDailySchedule"), ActionDailySchedule));
    layout->addWidget(toolBar);

    const TScrollColumn column = NewScrollColumn(this);
    FScrollBox = column.Box;
    FScrollContent = column.Content;
    FDaysLayout = column.Layout;
    FDaysLayout->addStretch(1);
    // A month does not fit: a drag held near an edge brings the other days.
    TDragAutoScroll::Install(FScrollBox);
    new TFocusFrame(FScrollContent);
    FScrollBox->setFocusPolicy(Qt::StrongFocus);
    FScrollBox->installEventFilter(this);
    layout->addWidget(FScrollBox, 1);
}

void TPeriodDayListFrame::UpdateActions()
{
    const bool bound = DayList() != nullptr;
    const bool hasSchedule = ScheduleObject() != nullptr;
    for (QAction* action : {ActionDateDaysKindWeek, ActionDateDaysKindTwoWeeks, ActionDateDaysKindMonth})
        action->setEnabled(hasSchedule);
    for (QAction* action : FReportActions)
        action->setEnabled(bound);
    ActionPrintOccupiedDaysOnly->setEnabled(bound);
}

void TPeriodDayListFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCFrame::DataChanged(ASender, AValueName);
    const bool wasSilent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    UpdateActions();
    if ((!ASender || dynamic_cast<TSetup*>(ASender) || dynamic_cast<TSetupGeneral*>(ASender))
        && (all || AValueName == QLatin1String("PrintOccupiedDaysOnly")))
        ActionPrintOccupiedDaysOnly->setChecked(PrintOccupiedDaysOnly());
    TObject* schedule = ScheduleObject();
    if (schedule && (!ASender || ASender == schedule)
        && (all || AValueName == QLatin1String("DateDaysKind") || AValueName == QLatin1String("DateDaysKind*"))) {
        const TDateDaysKind kind = DateDaysKind();
        ActionDateDaysKindWeek->setChecked(kind == ddkWeek);
        ActionDateDaysKindTwoWeeks->setChecked(kind == ddkTwoWeeks);
        ActionDateDaysKindMonth->setChecked(kind == ddkMonth);
    }
    if (DayList() && (!ASender || ASender == DayList()) && (all || AValueName == QLatin1String("Items")))
        UpdateDayFrames();
    FSilent = wasSilent;
}

void TPeriodDayListFrame::UnbindDayFrames(bool AListAlive)
{
    UnbindViews(FDayFrames, AListAlive ? DayList() : nullptr);
}

void TPeriodDayListFrame::UpdateDayFrames()
{
    // Day frames and their rows are reused in order: each period switch or
    // refresh would otherwise make them anew. Frames past the period's days
    // wait hidden and nameless for a longer period (a month after a week).
    UnbindDayFrames(true);
    const size_t count = static_cast<size_t>(DayList()->Count());
    for (size_t n = count; n < FDayFrames.size(); ++n) {
        FDayFrames[n]->hide();
        FDayFrames[n]->setObjectName(QString());
    }
    for (size_t n = 0; n < count; ++n) {
        if (n == FDayFrames.size()) {
            TPeriodDayFrame* frame = NewDayFrame(FScrollContent);
            // Stacked in list order above the closing stretch.
            FDaysLayout->insertWidget(FDaysLayout->count() - 1, frame);
            frame->installEventFilter(this);
            FDayFrames.push_back(frame);
        }
        TPeriodDayFrame* frame = FDayFrames[n];
        frame->setObjectName(FDayPrefix + QString::number(n));
        BindDayFrame(frame, static_cast<int>(n));
        frame->show();
    }
    FDaysLayout->activate();
}

bool TPeriodDayListFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    const size_t count = DayList() ? std::min(FDayFrames.size(), static_cast<size_t>(DayList()->Count())) : 0;
    if (AEvent->type() == QEvent::FocusIn) {
        const auto day = std::find(FDayFrames.cbegin(), FDayFrames.cend(), AWatched);
        if (day != FDayFrames.cend())
            FKeyDay = static_cast<int>(day - FDayFrames.cbegin());
        if (AWatched == FScrollBox && !FPassingFocus && count > 0) {
            TPeriodDayFrame* target = FDayFrames[std::min(static_cast<size_t>(FKeyDay), count - 1)];
            target->setFocus(static_cast<QFocusEvent*>(AEvent)->reason());
            FScrollBox->ensureWidgetVisible(target, 0, 0);
        }
    }
    if (AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        const int step = key->key() == Qt::Key_Up ? -1 : key->key() == Qt::Key_Down ? 1 : 0;
        const auto at = std::find(FDayFrames.begin(), FDayFrames.end(), AWatched);
        if (step != 0 && key->modifiers() == Qt::NoModifier && at != FDayFrames.end()) {
            const auto index = (at - FDayFrames.begin()) + step;
            const auto count = static_cast<ptrdiff_t>(DayList() ? DayList()->Count() : 0);
            if (index >= 0 && index < count) {
                TPeriodDayFrame* next = FDayFrames[static_cast<size_t>(index)];
                next->setFocus(Qt::OtherFocusReason);
                FScrollBox->ensureWidgetVisible(next, 0, 0);
            }
            return true;
        }
    }
    return TSCFrame::eventFilter(AWatched, AEvent);
}

bool TPeriodDayListFrame::focusNextPrevChild(bool ANext)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !FScrollContent->isAncestorOf(focus))
        return TSCFrame::focusNextPrevChild(ANext);
    for (TPeriodDayFrame* day : FDayFrames)
        if (day == focus || day->isAncestorOf(focus)) {
            if (QWidget* stop = day->TabStopBeside(focus, ANext)) {
                stop->setFocus(ANext ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                FScrollBox->ensureWidgetVisible(stop, 0, 0);
                return true;
            }
            break;
        }
    // Past a day's ends the next stop is the column's neighbour.
    FPassingFocus = true;
    FScrollBox->setFocus(Qt::OtherFocusReason);
    FPassingFocus = false;
    return TSCFrame::focusNextPrevChild(ANext);
}

void TPeriodDayListFrame::PUMenuPrintPopup()
{
    // The setting may have been changed in the settings dialog meanwhile.
    ActionPrintOccupiedDaysOnly->setChecked(PrintOccupiedDaysOnly());
}

void TPeriodDayListFrame::ControlChanged()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action || FSilent || !action->isEnabled())
        return;
    if (action == ActionDailySchedule) {
        if (ISCNavigator* navigator = Navigator())
            navigator->ShowDailySchedule(0);
        return;
    }
    if (!DayList())
        return;
    QString report;
    bool simple = false;
    if (action == ActionDateDaysKindWeek || action == ActionDateDaysKindTwoWeeks || action == ActionDateDaysKindMonth) {
        if (ScheduleObject())
            SetDateDaysKind(action == ActionDateDaysKindWeek       ? ddkWeek
                            : action == ActionDateDaysKindTwoWeeks ? ddkTwoWeeks
                                                                   : ddkMonth);
    } else if (PrintReportOf(action, report, simple)) {
        Print(report);
    } else if (action == ActionPrintOccupiedDaysOnly) {
        // The action has inverted its check mark already.
        if (TSetup* setup = TSetup::Instance())
            setup->General()->SetPrintOccupiedDaysOnly(action->isChecked());
        // Shown again so that a report can be chosen next.
        ReopenBelow(PUMenuPrint, TBPrint);
    }
}
