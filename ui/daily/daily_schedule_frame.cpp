#include "ui/daily/daily_schedule_frame.h"

#include "schedule/daily/daily_schedule.h"
#include "setup/setup.h"
#include "ui/daily/ds_person_list_frame.h"
#include "ui/daily/ds_workplace_list_frame.h"
#include "ui/frame_info.h"
#include "ui/sc_frame_editor.h"
#include "ui/view_resources.h"

#include <QAction>
#include <QCalendarWidget>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QScrollArea>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QFont LargeBold(QFont AFont)
{
    if (AFont.pointSizeF() > 0)
        AFont.setPointSizeF(AFont.pointSizeF() * 1.5);
    else
        AFont.setPixelSize(AFont.pixelSize() * 3 / 2);
    AFont.setBold(true);
    return AFont;
}

} // namespace

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

    ActionEditNotes = new QAction(QStringLiteral("Edit left captions (company, address, contact informations..)"), this);
    ActionEditNotes->setObjectName(QStringLiteral("ActionEditNotes"));
    ActionEditNotes->setToolTip(ActionEditNotes->text());
    ActionEditNotes->setStatusTip(ActionEditNotes->text());
    ActionEditNotes->setIcon(ButtonEditIcon());
    ActionEditNotes->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(ActionEditNotes);
    connect(ActionEditNotes, &QAction::triggered, this, &TDailyScheduleFrame::ControlChanged);

    // Top band.
    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    ImageLogo = new QLabel(PanelTop);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setFixedSize(70, 70);
    ImageLogo->setAlignment(Qt::AlignCenter);
    ImageLogo->setAttribute(Qt::WA_TranslucentBackground);
    PanelTopClient = new QWidget(PanelTop);
    PanelTopClient->setObjectName(QStringLiteral("PanelTopClient"));
    LabelTopCaption = new QLabel(QStringLiteral("Daily schedule"), PanelTopClient);
    LabelTopCaption->setObjectName(QStringLiteral("LabelTopCaption"));
    LabelTopCaption->setFont(LargeBold(font()));
    LabelTopDate = new QLabel(PanelTopClient);
    LabelTopDate->setObjectName(QStringLiteral("LabelTopDate"));
    LabelTopDate->setFont(LargeBold(font()));
    LabelTopDate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    PanelTopNote = new QWidget(PanelTopClient);
    PanelTopNote->setObjectName(QStringLiteral("PanelTopNote"));
    LabelTopNote = new QLabel(PanelTopNote);
    LabelTopNote->setObjectName(QStringLiteral("LabelTopNote"));
    QFont bold = font();
    bold.setBold(true);
    LabelTopNote->setFont(bold);
    LabelTopNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelTopSubnote = new QLabel(PanelTopNote);
    LabelTopSubnote->setObjectName(QStringLiteral("LabelTopSubnote"));
    LabelTopSubnote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SBEditNotes = new QToolButton(PanelTopNote);
    SBEditNotes->setObjectName(QStringLiteral("SBEditNotes"));
    SBEditNotes->setDefaultAction(ActionEditNotes);
    SBEditNotes->setToolButtonStyle(Qt::ToolButtonIconOnly);
    SBEditNotes->setAutoRaise(true);
    const int buttonSide = std::max(22, fontMetrics().height() + 6);
    SBEditNotes->setFixedSize(buttonSide, buttonSide);
    FrameInfo = new TFrameInfo(PanelTopNote);
    PanelTopNote->installEventFilter(this);

    // Two note lines at least; never shorter than the drawn 37 pixels.
    const int noteHeight = std::max({37, QFontMetrics(bold).height() + fontMetrics().height() + 2,
                                     FrameInfo->height() + 1, buttonSide + 1});
    PanelTopNote->setFixedHeight(noteHeight);
    const int captionHeight = QFontMetrics(LabelTopCaption->font()).height();
    PanelTop->setFixedHeight(std::max(70, captionHeight + noteHeight + 4));

    auto* client = new QGridLayout(PanelTopClient);
    client->setContentsMargins(0, 0, 0, 0);
    client->setSpacing(0);
    client->addWidget(LabelTopCaption, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    client->addWidget(LabelTopDate, 0, 1, Qt::AlignRight | Qt::AlignTop);
    client->addWidget(PanelTopNote, 2, 0, 1, 2);
    client->setRowStretch(1, 1);
    client->setColumnStretch(0, 1);
    auto* top = new QHBoxLayout(PanelTop);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(10);
    top->addWidget(ImageLogo, 0, Qt::AlignVCenter);
    top->addWidget(PanelTopClient, 1);

    // Right column.
    PanelRight = new QWidget(this);
    PanelRight->setObjectName(QStringLiteral("PanelRight"));
    Calendar = new QCalendarWidget(PanelRight);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Calendar->setFixedHeight(std::max(220, Calendar->sizeHint().height()));
    Calendar->setFirstDayOfWeek(QLocale().firstDayOfWeek());
    connect(Calendar, &QCalendarWidget::clicked, this, &TDailyScheduleFrame::CalendarClick);
    connect(Calendar, &QCalendarWidget::selectionChanged, this, &TDailyScheduleFrame::CalendarClick);
    FDSPersonListFrame = new TDSPersonListFrame(PanelRight);
    FDSPersonListFrame->setObjectName(QStringLiteral("DSPersonListFrame"));
    auto* right = new QVBoxLayout(PanelRight);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(Calendar);
    right->addWidget(FDSPersonListFrame, 1);

    FDSWorkplaceListFrame = new TDSWorkplaceListFrame(this);
    FDSWorkplaceListFrame->setObjectName(QStringLiteral("DSWorkplaceListFrame"));

    auto* topRow = new QHBoxLayout;
    topRow->setContentsMargins(10, 5, 10, 5);
    topRow->addWidget(PanelTop);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(FDSWorkplaceListFrame, 1);
    body->addWidget(PanelRight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(topRow);
    layout->addLayout(body, 1);

    DataChanged(nullptr, QString());
}

TDailyScheduleFrame::~TDailyScheduleFrame()
{
    PanelTopNote->removeEventFilter(this);
}

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
    auto* senderSetup = dynamic_cast<TSetup*>(ASender);
    auto* senderGeneral = dynamic_cast<TSetupGeneral*>(ASender);
    if (!ASender || senderSetup || senderGeneral) {
        TSetupGeneral* general = senderGeneral ? senderGeneral
                                 : senderSetup ? senderSetup->General()
                                 : TSetup::Instance() ? TSetup::Instance()->General()
                                                      : nullptr;
        const bool all = AValueName.isEmpty();
        if (all || AValueName == QLatin1String("Logo")) {
            const QImage logo = general ? general->LogoImage() : QImage();
            if (logo.isNull())
                ImageLogo->clear();
            else
                ImageLogo->setPixmap(QPixmap::fromImage(logo));
        }
        if (all || AValueName == QLatin1String("Note"))
            LabelTopNote->setText(general ? general->Note() : QString());
        if (all || AValueName == QLatin1String("SubNote") || AValueName == QLatin1String("Subnote"))
            LabelTopSubnote->setText(general ? general->Subnote() : QString());
        FrameInfo->setVisible(LabelTopNote->text().isEmpty() && LabelTopSubnote->text().isEmpty());
    }
    if (FSchedule && (!ASender || ASender == FSchedule) &&
        (AValueName.isEmpty() || AValueName == QLatin1String("Date"))) {
        Calendar->setSelectedDate(OleToDate(FSchedule->Date()));
        const QDate shown = Calendar->selectedDate();
        const QLocale locale;
        LabelTopDate->setText(locale.dayName(shown.dayOfWeek(), QLocale::LongFormat) + QStringLiteral(", ") +
                              locale.toString(shown, QLocale::ShortFormat));
    }
    FSilent = wasSilent;
}

void TDailyScheduleFrame::CalendarClick()
{
    if (FSilent || !FSchedule)
        return;
    FSchedule->SetDate(DateToOle(Calendar->selectedDate()));
}

void TDailyScheduleFrame::ControlChanged()
{
    if (FSilent || sender() != ActionEditNotes || !ActionEditNotes->isEnabled())
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

bool TDailyScheduleFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == PanelTopNote && AEvent->type() == QEvent::Resize)
        PanelTopNoteResize();
    return TSCFrame::eventFilter(AWatched, AEvent);
}

void TDailyScheduleFrame::PanelTopNoteResize()
{
    const int width = PanelTopNote->width();
    const int height = PanelTopNote->height();
    SBEditNotes->move(width - SBEditNotes->width() - 1, (height - SBEditNotes->height()) / 2);
    FrameInfo->move(SBEditNotes->x() - FrameInfo->width(), (height - FrameInfo->height()) / 2);
    const int textWidth = std::max(0, SBEditNotes->x() - 4);
    const int noteHeight = LabelTopNote->fontMetrics().height();
    LabelTopNote->setGeometry(0, 0, textWidth, noteHeight);
    LabelTopSubnote->setGeometry(0, noteHeight, textWidth, std::max(0, height - noteHeight));
}
