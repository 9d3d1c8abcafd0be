#include "ui/daily/ds_workplace_person_frame.h"

#include "schedule/daily/daily_schedule.h"
#include "ui/daily/ds_workplace_frame.h"
#include "ui/elided_text.h"
#include "ui/keyboard_planning.h"
#include "ui/sc_label.h"
#include "ui/view_drag.h"
#include "ui/view_resources.h"

#include <QLabel>
#include <QStyle>
#include <QToolButton>

TDSWorkplacePersonFrame::TDSWorkplacePersonFrame(QWidget* AParent) : TDSWorkplaceDropFrame(AParent)
{
    // The controls are placed by hand (PlaceControls): a layout would measure
    // the label texts again at every change, hundreds of rows at a time.
    PanelLeft = new QWidget(this);
    PanelLeft->setObjectName(QStringLiteral("PanelLeft"));
    ImageIsOut = new QLabel(PanelLeft);
    ImageIsOut->setObjectName(QStringLiteral("ImageIsOut"));
    ImageIsOut->setAlignment(Qt::AlignCenter);
    LabelName = new TSCLabel(PanelLeft);
    LabelName->setObjectName(QStringLiteral("LabelName"));
    LabelName->installEventFilter(this);

    PanelRight = new QWidget(this);
    PanelRight->setObjectName(QStringLiteral("PanelRight"));
    LabelWorkplaces = new QLabel(PanelRight);
    LabelWorkplaces->setObjectName(QStringLiteral("LabelWorkplaces"));
    SBDelete = new QToolButton(PanelRight);
    SBDelete->setObjectName(QStringLiteral("SBDelete"));
    SBDelete->setAutoRaise(true);
    SBDelete->setIcon(StandardIcon(QStyle::SP_TitleBarCloseButton));
    SBDelete->setEnabled(false);
    connect(SBDelete, &QToolButton::clicked, this, &TDSWorkplacePersonFrame::ControlChanged);
    SBDelete->setFocusPolicy(Qt::NoFocus);
    SBDelete->setToolTip(WithKey(QStringLiteral("Take off this workplace"), QKeySequence(Qt::Key_Delete)));
    setFocusPolicy(Qt::ClickFocus);

    resize(400, RowHeight(this));
}

TDSWorkplacePersonFrame::~TDSWorkplacePersonFrame()
{
    Unbind(true);
}

int TDSWorkplacePersonFrame::RowHeight(const QWidget* AWidget)
{
    return std::max(22, AWidget->fontMetrics().height() + 8);
}

void TDSWorkplacePersonFrame::SetPerson(TDSWorkplacePerson* AValue)
{
    // A reused row shows another worker: its drag picture is made anew.
    if (FPerson != AValue)
        LabelName->ClearDragImage();
    BindItem(FPerson, AValue);
    DataChanged(nullptr, QString());
}

void TDSWorkplacePersonFrame::Unbind(bool AItemAlive)
{
    if (AItemAlive)
        ReleaseItem(FPerson);
    FPerson = nullptr;
}

void TDSWorkplacePersonFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TDSWorkplaceDropFrame::DataChanged(ASender, AValueName);
    const bool wasSilent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    const bool first = !ASender && all;
    if (first) {
        LabelName->setCursor(ProgramCursor(crHand));
    }
    if (FPerson) {
        TDSWorkplace* workplace = FPerson->Workplace();
        TDailySchedule* schedule = workplace ? workplace->Schedule() : nullptr;
        const bool hasSchedule = schedule != nullptr;
        if (first)
            SBDelete->setEnabled(hasSchedule);
        const bool deleted = hasSchedule && (!ASender || ASender == schedule->Persons())
                             && (all || AValueName == QLatin1String("Items")) && !FPerson->Record();
        if ((!ASender || dynamic_cast<TDSWorkplacePersonList*>(ASender))
            && (all || AValueName == QLatin1String("Items")))
            FWorkplacesText = FPerson->WorkplaceShortcutsAsString();
        auto* worker = dynamic_cast<TDSPerson*>(ASender);
        if (!ASender || ASender == FPerson || (worker && worker->ID() == FPerson->ID()) || deleted) {
            if (all || AValueName == QLatin1String("Name") || deleted) {
                FNameText = FPerson->NameAndStoredName();
                QFont font = LabelName->font();
                font.setStrikeOut(deleted);
                LabelName->setFont(font);
            }
            if (all || AValueName == QLatin1String("IsOut")) {
                ImageIsOut->setPixmap(SmallIcon(FPerson->IsOut() ? 1 : 0).pixmap(16, 16));
            }
        }
        ShowTexts();
    }
    if (FPerson
        && (all || AValueName == QLatin1String("Name") || AValueName == QLatin1String("IsOut")
            || AValueName == QLatin1String("Items"))) {
        const bool out = FPerson->IsOut();
        TDSWorkplace* at = FPerson->Workplace();
        SetAccessibleTexts(this, FNameText + (out ? QStringLiteral(", away") : QString()),
            QStringLiteral("At %1, works at %2. Delete: take off this workplace")
                .arg(at ? at->NameAndStoredName() : QString(), FWorkplacesText));
    }
    FSilent = wasSilent;
}

std::unique_ptr<TDSWorkplacePersonDragObjectEx> TDSWorkplacePersonFrame::CreateDragObject() const
{
    TDSWorkplace* workplace = FPerson ? FPerson->Workplace() : nullptr;
    if (!workplace)
        return nullptr;
    return std::make_unique<TDSWorkplacePersonDragObjectEx>(FPerson->ID(), workplace->ID());
}

void TDSWorkplacePersonFrame::ControlChanged()
{
    if (sender() == SBDelete)
        RemoveFromWorkplace();
}

void TDSWorkplacePersonFrame::RemoveFromWorkplace()
{
    if (!FPerson || !SBDelete->isEnabled())
        return;
    TDSWorkplace* workplace = FPerson->Workplace();
    TDailySchedule* schedule = workplace ? workplace->Schedule() : nullptr;
    if (!schedule)
        return;
    // The call rebuilds the panel's rows, this one included: nothing of the
    // row is used afterwards.
    schedule->DeletePersonFromWorkplace(FPerson->ID(), workplace->ID());
}

void TDSWorkplacePersonFrame::ControlDragStart()
{
    RunViewDrag(LabelName, CreateDragObject(), FDragWatch.StartPos());
}

void TDSWorkplacePersonFrame::ShowTexts()
{
    SetElidedText(LabelName, FNameText);
    SetElidedText(LabelWorkplaces, FWorkplacesText);
}

void TDSWorkplacePersonFrame::PlaceControls()
{
    const int half = width() / 2;
    const int h = height();
    PanelLeft->setGeometry(0, 0, half, h);
    PanelRight->setGeometry(half, 0, width() - half, h);
    // Left half: indented 20, the picture, the name; right half: the
    // workplaces and, at the right edge, the button.
    ImageIsOut->setGeometry(20, 0, 16, h);
    LabelName->setGeometry(40, 0, std::max(1, half - 42), h);
    const QSize button = SBDelete->sizeHint().boundedTo(QSize(h, h));
    const int buttonLeft = std::max(2, PanelRight->width() - 3 - button.width());
    SBDelete->setGeometry(buttonLeft, (h - button.height()) / 2, button.width(), button.height());
    LabelWorkplaces->setGeometry(2, 0, std::max(1, buttonLeft - 4), h);
}

void TDSWorkplacePersonFrame::resizeEvent(QResizeEvent* AEvent)
{
    TDSWorkplaceDropFrame::resizeEvent(AEvent);
    PlaceControls();
    ShowTexts();
}

bool TDSWorkplacePersonFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == LabelName && FDragWatch.Starts(AEvent)) {
        ControlDragStart();
        return true;
    }
    return TDSWorkplaceDropFrame::eventFilter(AWatched, AEvent);
}

TDSWorkplace* TDSWorkplacePersonFrame::DropTarget() const
{
    return FPerson ? FPerson->Workplace() : nullptr;
}
