#include "ui/period/period_day_entry_frame.h"

#include "ui/elided_text.h"
#include "ui/keyboard_planning.h"
#include "ui/sc_label.h"
#include "ui/view_resources.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QStyle>
#include <QToolButton>

namespace {
// The name's indent, and the absence picture's box ahead of it.
constexpr int Indent = 24;
constexpr int PictureBox = 20;
} // namespace

TPeriodDayEntryFrame::TPeriodDayEntryFrame(bool AShowsIsOut, QWidget* AParent) : TSCFrame(AParent)
{
    // Placed by hand (PlaceControls), as a month of days holds many rows.
    PanelLeft = new QWidget(this);
    PanelLeft->setObjectName(QStringLiteral("PanelLeft"));
    LabelName = new TSCLabel(PanelLeft);
    LabelName->setObjectName(QStringLiteral("LabelName"));
    LabelName->installEventFilter(this);
    if (AShowsIsOut) {
        ImageIsOut = new QLabel(PanelLeft);
        ImageIsOut->setObjectName(QStringLiteral("ImageIsOut"));
        ImageIsOut->setAlignment(Qt::AlignCenter);
    }
    PanelRight = new QWidget(this);
    PanelRight->setObjectName(QStringLiteral("PanelRight"));
    SBDelete = new QToolButton(PanelRight);
    SBDelete->setObjectName(QStringLiteral("SBDelete"));
    SBDelete->setAutoRaise(true);
    SBDelete->setIcon(StandardIcon(QStyle::SP_TitleBarCloseButton));
    SBDelete->setEnabled(false);
    // Delete on the focused row does what the button does.
    SBDelete->setFocusPolicy(Qt::NoFocus);
    SBDelete->setToolTip(WithKey(QStringLiteral("Take off this day"), QKeySequence(Qt::Key_Delete)));
    // Reached from its day by Tab, not as a stop of the window's chain.
    setFocusPolicy(Qt::ClickFocus);
    connect(SBDelete, &QToolButton::clicked, this, &TPeriodDayEntryFrame::ControlChanged);
    resize(400, RowHeight(this));
}

int TPeriodDayEntryFrame::RowHeight(const QWidget* AWidget)
{
    return std::max(22, AWidget->fontMetrics().height() + 8);
}

void TPeriodDayEntryFrame::ClearDragImage()
{
    LabelName->ClearDragImage();
}

void TPeriodDayEntryFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCFrame::DataChanged(ASender, AValueName);
    const bool wasSilent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    const bool first = !ASender && all;
    if (first)
        LabelName->setCursor(ProgramCursor(crHand));
    if (IsBound()) {
        const bool hasSchedule = HasSchedule();
        if (first)
            SBDelete->setEnabled(hasSchedule);
        const bool missing = hasSchedule && (!ASender || ASender == RegisterList())
                             && (all || AValueName == QLatin1String("Items")) && !RecordExists();
        if (!ASender || ASender == BoundObject() || IsRegisterEntry(ASender) || missing) {
            if (all || AValueName == QLatin1String("Name") || missing) {
                FNameText = NameAndStoredName();
                QFont font = LabelName->font();
                font.setStrikeOut(missing);
                LabelName->setFont(font);
                SetElidedText(LabelName, FNameText);
                SetAccessibleTexts(this, FNameText, SBDelete->toolTip());
            }
            // A worker gone from the register counts as out.
            if (ImageIsOut && (all || AValueName == QLatin1String("IsOut") || missing))
                ImageIsOut->setPixmap(SmallIcon(IsOut() ? 1 : 0).pixmap(16, 16));
        }
    }
    FSilent = wasSilent;
}

void TPeriodDayEntryFrame::ControlChanged()
{
    // The call rebuilds the day's rows, this one included: nothing of the row
    // is used afterwards.
    if (sender() == SBDelete && IsBound() && HasSchedule())
        DeleteFromDay();
}

void TPeriodDayEntryFrame::keyPressEvent(QKeyEvent* AEvent)
{
    if (AEvent->key() == Qt::Key_Delete && AEvent->modifiers() == Qt::NoModifier && IsBound() && HasSchedule()) {
        // The row may be rebuilt away: the focus goes back to its day.
        QPointer<QWidget> day = parentWidget();
        DeleteFromDay();
        if (day)
            day->setFocus(Qt::OtherFocusReason);
        AEvent->accept();
        return;
    }
    TSCFrame::keyPressEvent(AEvent);
}

void TPeriodDayEntryFrame::PlaceControls()
{
    const int h = height();
    const QSize button = SBDelete->sizeHint().boundedTo(QSize(h, h));
    const int rightWidth = button.width() + 6;
    PanelRight->setGeometry(std::max(0, width() - rightWidth), 0, rightWidth, h);
    SBDelete->setGeometry(3, (h - button.height()) / 2, button.width(), button.height());
    PanelLeft->setGeometry(0, 0, std::max(0, width() - rightWidth), h);
    int left = Indent;
    if (ImageIsOut) {
        ImageIsOut->setGeometry(left, (h - PictureBox) / 2, PictureBox, PictureBox);
        left += PictureBox + 4;
    }
    LabelName->setGeometry(left, 0, std::max(1, PanelLeft->width() - left - 2), h);
}

void TPeriodDayEntryFrame::resizeEvent(QResizeEvent* AEvent)
{
    TSCFrame::resizeEvent(AEvent);
    PlaceControls();
    SetElidedText(LabelName, FNameText);
}

bool TPeriodDayEntryFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == LabelName && FDragWatch.Starts(AEvent)) {
        if (IsBound())
            RunViewDrag(LabelName, NewDragPayload(), FDragWatch.StartPos());
        return true;
    }
    return TSCFrame::eventFilter(AWatched, AEvent);
}
