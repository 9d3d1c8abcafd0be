#include "ui/daily/daily_schedule_frame.h"

#include "schedule/daily/daily_schedule.h"
#include "setup/setup.h"
#include "ui/daily/ds_person_list_frame.h"
#include "ui/daily/ds_workplace_list_frame.h"
#include "ui/keyboard_planning.h"
#include "ui/sc_frame_editor.h"
#include "ui/screen_layout.h"
#include "ui/top_band.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QScrollArea>
#include <QShowEvent>
#include <QTreeWidget>

void TDailyScheduleFrame::InstallFactory()
{
    TDailySchedule::SetFrameEditorFactory([](TDailySchedule* ASchedule) -> std::unique_ptr<ISCFrameEditor> {
        auto frame = std::make_unique<TDailyScheduleFrame>();
        frame->SetSchedule(ASchedule);
        frame->DSPersonListFrame()->SetPersons(ASchedule->Persons());
        frame->DSWorkplaceListFrame()->SetWorkplaces(ASchedule->Workplaces());
        return std::make_unique<TSCFrameEditor<TDailyScheduleFrame>>(std::move(frame));
    });
}

void TDailyScheduleFrame::UninstallFactory()
{
    TDailySchedule::SetFrameEditorFactory(nullptr);
}

TDailyScheduleFrame::TDailyScheduleFrame(QWidget* AParent) : TSCFrame(AParent)
{
    setObjectName(QStringLiteral("DailyScheduleFrame"));

    ActionEditNotes = TTopBand::NewEditNotesAction(this, &TDailyScheduleFrame::ControlChanged);
    const auto handler = &TDailyScheduleFrame::ControlChanged;
    ActionPrevDay
        = NewAction(this, handler, QStringLiteral("ActionPrevDay"), QStringLiteral("Previous day"), QString());
    ActionNextDay = NewAction(this, handler, QStringLiteral("ActionNextDay"), QStringLiteral("Next day"), QString());
    ActionToday = NewAction(this, handler, QStringLiteral("ActionToday"), QStringLiteral("Today"), QString());

    ImageLogo = new QLabel(this);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setAlignment(Qt::AlignCenter);
    ImageLogo->setAttribute(Qt::WA_TranslucentBackground);
    PanelTop = new TTopBand(this, ImageLogo, QStringLiteral("Daily schedule"), ActionEditNotes);

    const TScreenColumn column = NewScreenColumn(this);
    PanelRight = column.Panel;
    Calendar = column.Calendar;
    connect(Calendar, &QCalendarWidget::clicked, this, &TDailyScheduleFrame::CalendarClick);
    connect(Calendar, &QCalendarWidget::selectionChanged, this, &TDailyScheduleFrame::CalendarClick);
    FDSPersonListFrame = new TDSPersonListFrame(PanelRight);
    FDSPersonListFrame->setObjectName(QStringLiteral("DSPersonListFrame"));
    FDSWorkplaceListFrame = new TDSWorkplaceListFrame(this);
    FDSWorkplaceListFrame->setObjectName(QStringLiteral("DSWorkplaceListFrame"));
    PlaceScreenParts(this, PanelTop, FDSWorkplaceListFrame, column, FDSPersonListFrame);
    connect(FDSPersonListFrame, &TDSPersonListFrame::PlacedAt, FDSWorkplaceListFrame,
        &TDSWorkplaceListFrame::ShowWorkplace);

    SetStepKeys(Calendar, ActionPrevDay, ActionNextDay, ActionToday, QStringLiteral("day"));
    // Tab goes from area to area: the calendar, the workers, the workplaces.
    auto* workers = FDSPersonListFrame->findChild<QTreeWidget*>(QStringLiteral("LVPersons"));
    QWidget::setTabOrder(Calendar, workers);
    QWidget::setTabOrder(workers, FDSWorkplaceListFrame->ScrollBox());

    DataChanged(nullptr, QString());
}

TDailyScheduleFrame::~TDailyScheduleFrame() = default;

void TDailyScheduleFrame::SetSchedule(TDailySchedule* AValue)
{
    // The schedule's editor is the screen adapter around this page, which the
    // schedule owns; there is no editor of its own to set here.
    FSchedule = AValue;
    DataChanged(nullptr, QString());
}

QScrollArea* TDailyScheduleFrame::ScrollBox() const
{
    return FDSWorkplaceListFrame->ScrollBox();
}

void TDailyScheduleFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCFrame::DataChanged(ASender, AValueName);
    const bool wasSilent = FSilent;
    FSilent = true;
    PanelTop->SetupChanged(ASender, AValueName);
    if (FSchedule && (!ASender || ASender == FSchedule)
        && (AValueName.isEmpty() || AValueName == QLatin1String("Date"))) {
        Calendar->setSelectedDate(OleToDate(FSchedule->Date()));
        const QDate shown = Calendar->selectedDate();
        const QLocale locale;
        PanelTop->LabelDate()->setText(locale.dayName(shown.dayOfWeek(), QLocale::LongFormat) + QStringLiteral(", ")
                                       + locale.toString(shown, QLocale::ShortFormat));
    }
    // Who is planned, or who is away, may have changed.
    const bool all = AValueName.isEmpty();
    if (all || AValueName == QLatin1String("Items") || AValueName == QLatin1String("Date")
        || AValueName == QLatin1String("IsOut"))
        ShowAbsenceMark();
    FSilent = wasSilent;
}

void TDailyScheduleFrame::ShowAbsenceMark()
{
    PanelTop->SetAbsenceMark(FSchedule ? FSchedule->AbsentPlanned() : QStringList());
}

void TDailyScheduleFrame::CalendarClick()
{
    if (FSilent || !FSchedule)
        return;
    FSchedule->SetDate(DateToOle(Calendar->selectedDate()));
}

void TDailyScheduleFrame::ControlChanged()
{
    if (FSilent)
        return;
    if (FSchedule && (sender() == ActionPrevDay || sender() == ActionNextDay)) {
        FSchedule->SetDate(FSchedule->Date() + (sender() == ActionNextDay ? 1 : -1));
        return;
    }
    if (FSchedule && sender() == ActionToday) {
        FSchedule->SetDate(Today());
        return;
    }
    if (sender() != ActionEditNotes || !ActionEditNotes->isEnabled())
        return;
    TSetup* setup = TSetup::Instance();
    if (!setup || !setup->Edit(0))
        return;
    // Every view of the day rereads the settings.
    if (FSchedule)
        FSchedule->DataChanged(setup, FSchedule, QString());
    else
        DataChanged(setup, QString());
}

void TDailyScheduleFrame::resizeEvent(QResizeEvent* AEvent)
{
    TSCFrame::resizeEvent(AEvent);
    PanelRight->setFixedWidth(width() / 2);
}

void TDailyScheduleFrame::showEvent(QShowEvent* AEvent)
{
    TSCFrame::showEvent(AEvent);
    if (!AEvent->spontaneous())
        FDSPersonListFrame->FocusList();
}
