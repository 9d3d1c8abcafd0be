#include "ui/period/period_day_frame.h"

#include "core/observable.h"
#include "schedule/absence_notice.h"
#include "schedule/period/period_store.h"
#include "ui/elided_text.h"
#include "ui/keyboard_planning.h"
#include "ui/navigator.h"
#include "ui/view_actions.h"
#include "ui/view_drag.h"
#include "ui/view_resources.h"

#include <algorithm>

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace {

// Space below the last row (or the header of an empty day).
constexpr int BottomSpace = 3;

} // namespace

TPeriodDayFrame::TPeriodDayFrame(const QString& ARowPrefix, bool AShowsPersonIsOut, QWidget* AParent)
    : TSCFrame(AParent),
      FRowPrefix(ARowPrefix)
{
    setAcceptDrops(true);
    setAutoFillBackground(true);
    // A day takes the keyboard (the planning key plans on it), though the
    // column as a whole is one Tab stop.
    setFocusPolicy(Qt::ClickFocus);
    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTopTop = new QWidget(PanelTop);
    PanelTopTop->setObjectName(QStringLiteral("PanelTopTop"));
    auto* line = new QHBoxLayout(PanelTopTop);
    line->setContentsMargins(4, 0, 4, 0);
    line->setSpacing(6);
    if (AShowsPersonIsOut) {
        ImagePersonIsOut = new QLabel(PanelTopTop);
        ImagePersonIsOut->setObjectName(QStringLiteral("ImagePersonIsOut"));
        ImagePersonIsOut->setFixedSize(24, 24);
        ImagePersonIsOut->setAlignment(Qt::AlignCenter);
        line->addWidget(ImagePersonIsOut);
    }
    LabelDate = new QLabel(PanelTopTop);
    LabelDate->setObjectName(QStringLiteral("LabelDate"));
    LabelDate->setFont(LargeFont(font(), true));
    LabelDate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // 80 pixels at 100 %, wider with larger type.
    LabelDate->setFixedWidth(80 * std::max(1, logicalDpiX()) / 96);
    line->addWidget(LabelDate);
    LabelName = new QLabel(PanelTopTop);
    LabelName->setObjectName(QStringLiteral("LabelName"));
    LabelName->setFont(LargeFont(font(), false));
    LabelName->setCursor(ProgramCursor(crHand));
    LabelName->setAttribute(Qt::WA_Hover);
    LabelName->installEventFilter(this);
    line->addWidget(LabelName, 1);
    LabelAbsent = new QLabel(PanelTopTop);
    LabelAbsent->setObjectName(QStringLiteral("LabelAbsent"));
    LabelAbsent->setText(QStringLiteral("\u26A0 Away"));
    LabelAbsent->hide();
    line->addWidget(LabelAbsent);
    PanelTopTop->setFixedHeight(std::max(26, QFontMetrics(LabelDate->font()).height() + 6));
    PanelTop->resize(width(), PanelTopTop->height());
    PanelTopTop->resize(width(), PanelTopTop->height());
    resize(400, PanelTopTop->height() + BottomSpace);
}

void TPeriodDayFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCFrame::DataChanged(ASender, AValueName);
    if (!BoundObject())
        return;
    const bool wasSilent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    if (all && IsChosenPerson(ASender))
        UpdatePersonIsOut();
    if (!ASender || ASender == BoundObject()) {
        if (all || AValueName == QLatin1String("PersonIsOut"))
            UpdatePersonIsOut();
        if (all || AValueName == QLatin1String("Date")) {
            SetElidedText(LabelDate, DateText(), QString(), true);
            SetElidedText(LabelName, DayNameText(), QString(), true);
            SetAccessibleTexts(this, DateText() + QLatin1Char(' ') + DayNameText(),
                WithKey(QStringLiteral("Plan on this day"), PlanKey()));
        }
        if (all || AValueName == QLatin1String("Color")) {
            // A reused frame mostly keeps its weekday: a new palette would be
            // handed down to every row for nothing.
            const TColor color = DayColor();
            const QColor background(ColorRed(color), ColorGreen(color), ColorBlue(color));
            if (palette().color(QPalette::Window) != background) {
                QPalette palette = this->palette();
                palette.setColor(QPalette::Window, background);
                setPalette(palette);
            }
        }
    }
    if (!ASender || ASender == EntryList() || (all && IsEntry(ASender)))
        UpdateRows();
    FSilent = wasSilent;
}

void TPeriodDayFrame::UpdatePersonIsOut()
{
    if (ImagePersonIsOut)
        ImagePersonIsOut->setPixmap(SmallIcon(PersonIsOut() ? 1 : 0).pixmap(16, 16));
    UpdateAbsentMark();
}

void TPeriodDayFrame::UpdateAbsentMark()
{
    const QStringList texts
        = BoundObject() ? AbsenceTexts(PeriodStore(), DayDate(), PlannedPersonIDs()) : QStringList();
    const QString tip = texts.join(QLatin1Char('\n'));
    LabelAbsent->setToolTip(tip);
    LabelAbsent->setAccessibleDescription(tip);
    LabelAbsent->setVisible(!texts.isEmpty());
}

void TPeriodDayFrame::UnbindRows(bool AItemsAlive)
{
    UnbindViews(FRows, AItemsAlive ? EntryList() : nullptr);
}

void TPeriodDayFrame::UpdateRows()
{
    UnbindRows(true);
    const int headerHeight = PanelTopTop->height();
    PanelTop->setGeometry(0, 0, width(), headerHeight);
    const TSCList* entries = EntryList();
    const size_t count = static_cast<size_t>(entries->Count());
    // Rows are reused in order and only the surplus retired.
    RetireSurplus(FRows, count);
    const int rowHeight = TPeriodDayEntryFrame::RowHeight(this);
    setFixedHeight(static_cast<int>(count) * rowHeight + headerHeight + BottomSpace);
    for (size_t n = 0; n < count; ++n) {
        if (n == FRows.size())
            FRows.push_back(NewRow(this));
        TPeriodDayEntryFrame* row = FRows[n];
        row->setObjectName(FRowPrefix + QString::number(n));
        row->setGeometry(0, headerHeight + static_cast<int>(n) * rowHeight, width(), rowHeight);
        BindRow(row, static_cast<int>(n));
        row->show();
    }
    UpdateAbsentMark();
}

QWidget* TPeriodDayFrame::TabStopBeside(QWidget* AFrom, bool ANext) const
{
    std::vector<QWidget*> stops{const_cast<TPeriodDayFrame*>(this)};
    for (TPeriodDayEntryFrame* row : FRows)
        if (!row->isHidden())
            stops.push_back(row);
    const auto at = std::find(stops.cbegin(), stops.cend(), AFrom);
    if (at == stops.cend())
        return nullptr;
    if (ANext)
        return at + 1 == stops.cend() ? nullptr : *(at + 1);
    return at == stops.cbegin() ? nullptr : *(at - 1);
}

void TPeriodDayFrame::resizeEvent(QResizeEvent* AEvent)
{
    TSCFrame::resizeEvent(AEvent);
    PanelTop->resize(width(), PanelTop->height());
    PanelTopTop->resize(width(), PanelTopTop->height());
    for (TPeriodDayEntryFrame* row : FRows)
        row->resize(width(), row->height());
}

bool TPeriodDayFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == LabelName && LinkLabelClicked(LabelName, AEvent) && BoundObject()) {
        if (ISCNavigator* navigator = Navigator())
            navigator->ShowDailySchedule(HasSchedule() ? DayDate() : 0);
        return true;
    }
    return TSCFrame::eventFilter(AWatched, AEvent);
}

bool TPeriodDayFrame::CanTakeID(int AID) const
{
    return BoundObject() && AID > 0 && InRegister(AID);
}

bool TPeriodDayFrame::CanTakeDrop(const QMimeData* AData) const
{
    const int id = BoundObject() ? DraggedID(AData) : 0;
    if (!CanTakeID(id))
        return false;
    // An entry the day has is taken only when it is moved within this day.
    return !HasEntry(id) || DraggedDay(AData) == DayDate();
}

void TPeriodDayFrame::TakeID(int AID)
{
    if (AID > 0 && HasSchedule())
        AddToDay(AID);
}

void TPeriodDayFrame::TakeDrop(const QMimeData* AData)
{
    TakeID(BoundObject() ? DraggedID(AData) : 0);
}

void TPeriodDayFrame::PlanByKey()
{
    if (!BoundObject() || !HasSchedule())
        return;
    std::vector<int> ids;
    QStringList entries;
    // What the day has already is not offered, as a drop refuses it.
    for (const auto& [id, text] : PickChoices()) {
        if (CanTakeID(id) && !HasEntry(id)) {
            ids.push_back(id);
            entries << text;
        }
    }
    const int chosen = PickIndex(PickCaption(), entries);
    if (chosen >= 0)
        TakeID(ids[static_cast<size_t>(chosen)]);
}

void TPeriodDayFrame::keyPressEvent(QKeyEvent* AEvent)
{
    const bool enter
        = AEvent->modifiers() == Qt::NoModifier && (AEvent->key() == Qt::Key_Return || AEvent->key() == Qt::Key_Enter);
    if (enter || IsKey(AEvent, PlanKey())) {
        PlanByKey();
        AEvent->accept();
        return;
    }
    TSCFrame::keyPressEvent(AEvent);
}

// An enter is answered as the move over the same spot.
void TPeriodDayFrame::dragEnterEvent(QDragEnterEvent* AEvent)
{
    dragMoveEvent(AEvent);
}

void TPeriodDayFrame::dragMoveEvent(QDragMoveEvent* AEvent)
{
    if (CanTakeDrop(AEvent->mimeData()))
        AEvent->acceptProposedAction();
    else
        AEvent->ignore();
}

void TPeriodDayFrame::dropEvent(QDropEvent* AEvent)
{
    if (!CanTakeDrop(AEvent->mimeData())) {
        AEvent->ignore();
        return;
    }
    // A row dropped on its own day adds nothing, and is taken all the same.
    TakeDrop(AEvent->mimeData());
    AEvent->acceptProposedAction();
}
