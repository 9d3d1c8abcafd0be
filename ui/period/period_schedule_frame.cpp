#include "ui/period/period_schedule_frame.h"

#include "setup/setup.h"
#include "ui/elided_text.h"
#include "ui/keyboard_planning.h"
#include "ui/navigator.h"
#include "ui/screen_layout.h"
#include "ui/top_band.h"
#include "ui/view_actions.h"
#include "ui/view_resources.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QScrollArea>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

TPeriodScheduleFrame::TPeriodScheduleFrame(const QString& ACaptionHint, QWidget* AParent)
    : TSCFrame(AParent),
      FCaptionHint(ACaptionHint)
{
    ActionEditNotes = TTopBand::NewEditNotesAction(this, &TPeriodScheduleFrame::ControlChanged);
    const auto handler = &TPeriodScheduleFrame::ControlChanged;
    ActionPrevPeriod
        = NewAction(this, handler, QStringLiteral("ActionPrevPeriod"), QStringLiteral("Previous period"), QString());
    ActionNextPeriod
        = NewAction(this, handler, QStringLiteral("ActionNextPeriod"), QStringLiteral("Next period"), QString());
    ActionToday = NewAction(this, handler, QStringLiteral("ActionToday"), QStringLiteral("Today"), QString());

    SBDailySchedule = new QToolButton(this);
    SBDailySchedule->setObjectName(QStringLiteral("SBDailySchedule"));
    SBDailySchedule->setAutoRaise(true);
    SBDailySchedule->setCursor(ProgramCursor(crHand));
    SBDailySchedule->setToolTip(QStringLiteral("Back to Daily schedule"));
    SBDailySchedule->setStatusTip(SBDailySchedule->toolTip());
    connect(SBDailySchedule, &QToolButton::clicked, this, &TPeriodScheduleFrame::ControlChanged);
    PanelTop = new TTopBand(this, SBDailySchedule, QString(), ActionEditNotes);

    QLabel* caption = PanelTop->LabelCaption();
    caption->setToolTip(ACaptionHint);
    caption->setCursor(ProgramCursor(crHand));
    caption->setAttribute(Qt::WA_Hover);
    caption->installEventFilter(this);

    const TScreenColumn column = NewScreenColumn(this);
    PanelRight = column.Panel;
    Calendar = column.Calendar;
    connect(Calendar, &QCalendarWidget::clicked, this, &TPeriodScheduleFrame::CalendarClick);
    connect(Calendar, &QCalendarWidget::selectionChanged, this, &TPeriodScheduleFrame::CalendarClick);
    SetStepKeys(Calendar, ActionPrevPeriod, ActionNextPeriod, ActionToday, QStringLiteral("period"));
    PageControl = new QTabWidget(PanelRight);
    PageControl->setObjectName(QStringLiteral("PageControl"));
}

TPeriodScheduleFrame::~TPeriodScheduleFrame()
{
    PanelTop->LabelCaption()->removeEventFilter(this);
}

void TPeriodScheduleFrame::PlaceParts(QWidget* ADayList, QScrollArea* AScrollBox, QWidget* AFirstList,
    const QString& AFirstPage, const QString& AFirstCaption, QWidget* ASecondList, const QString& ASecondPage,
    const QString& ASecondCaption)
{
    FScrollBox = AScrollBox;
    const auto addPage = [this](QWidget* AList, const QString& APage, const QString& ACaption) {
        auto* page = new QWidget(PageControl);
        page->setObjectName(APage);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        AList->setParent(page);
        layout->addWidget(AList);
        PageControl->addTab(page, ACaption);
    };
    addPage(AFirstList, AFirstPage, AFirstCaption);
    addPage(ASecondList, ASecondPage, ASecondCaption);
    PageControl->setCurrentIndex(0);

    PlaceScreenParts(this, PanelTop, ADayList, {PanelRight, Calendar}, PageControl);
    // Tab goes from area to area: the calendar, the days, the lists.
    QWidget::setTabOrder(Calendar, AScrollBox);
    QWidget::setTabOrder(AScrollBox, PageControl);
}

void TPeriodScheduleFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCFrame::DataChanged(ASender, AValueName);
    const bool wasSilent = FSilent;
    FSilent = true;
    PanelTop->SetupChanged(ASender, AValueName);
    TObject* schedule = ScheduleObject();
    const bool all = AValueName.isEmpty();
    if (schedule && (!ASender || ASender == schedule)) {
        if (all || AValueName == ChosenIDName())
            ShowCaption();
        if (all || AValueName == QLatin1String("Date") || AValueName == QLatin1String("Date*")) {
            const QDate date = OleToDate(ScheduleDate());
            if (date.isValid() && Calendar->selectedDate() != date)
                Calendar->setSelectedDate(date);
        }
        if (all || AValueName == QLatin1String("DateStart") || AValueName == QLatin1String("DateStart*")
            || AValueName == QLatin1String("DateEnd") || AValueName == QLatin1String("DateEnd*"))
            PanelTop->LabelDate()->setText(PeriodHeading());
    }
    if (schedule && ASender && ASender != schedule && (all || AValueName == QLatin1String("Name"))
        && IsChosenEntry(ASender))
        ShowCaption();
    FSilent = wasSilent;
}

void TPeriodScheduleFrame::ShowCaption()
{
    SetElidedText(PanelTop->LabelCaption(), ChosenName(), FCaptionHint, true);
}

void TPeriodScheduleFrame::CalendarClick()
{
    if (FSilent || !ScheduleObject())
        return;
    SetScheduleDate(DateToOle(Calendar->selectedDate()));
}

void TPeriodScheduleFrame::ControlChanged()
{
    if (FSilent)
        return;
    if (sender() == SBDailySchedule) {
        if (ISCNavigator* navigator = Navigator())
            navigator->ShowDailySchedule(0);
        return;
    }
    if (ScheduleObject() && (sender() == ActionPrevPeriod || sender() == ActionNextPeriod)) {
        // A day just outside the period lies in the one before or after it.
        SetScheduleDate(sender() == ActionNextPeriod ? PeriodEnd() + 1 : PeriodStart() - 1);
        return;
    }
    if (ScheduleObject() && sender() == ActionToday) {
        SetScheduleDate(Today());
        return;
    }
    if (sender() != ActionEditNotes || !ActionEditNotes->isEnabled())
        return;
    TSetup* setup = TSetup::Instance();
    if (!setup || !setup->Edit(0))
        return;
    if (ScheduleObject())
        PassSetupNotice(setup);
    else
        DataChanged(setup, QString());
}

bool TPeriodScheduleFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    QLabel* caption = PanelTop->LabelCaption();
    if (AWatched == caption && LinkLabelClicked(caption, AEvent) && ScheduleObject() && !FSilent) {
        EditChosen();
        return true;
    }
    return TSCFrame::eventFilter(AWatched, AEvent);
}

void TPeriodScheduleFrame::resizeEvent(QResizeEvent* AEvent)
{
    TSCFrame::resizeEvent(AEvent);
    PanelRight->setFixedWidth(width() / 2);
}

void TPeriodScheduleFrame::showEvent(QShowEvent* AEvent)
{
    TSCFrame::showEvent(AEvent);
    if (!AEvent->spontaneous())
        FocusFirstList();
}
