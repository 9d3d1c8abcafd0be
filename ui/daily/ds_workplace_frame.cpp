#include "ui/daily/ds_workplace_frame.h"

#include "schedule/daily/daily_schedule.h"
#include "setup/setup.h"
#include "ui/daily/ds_view_parts.h"
#include "ui/daily/ds_workplace_person_frame.h"
#include "ui/elided_text.h"
#include "ui/keyboard_planning.h"
#include "ui/navigator.h"
#include "ui/view_actions.h"
#include "ui/view_drag.h"
#include "ui/view_resources.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Space left of, right of and above the header.
constexpr int HeaderMargin = 3;
// Hidden rows a panel keeps beyond those it shows, for the next day's.
constexpr size_t SpareRows = 8;

QColor ToQColor(TColor AColor)
{
    return QColor(ColorRed(AColor), ColorGreen(AColor), ColorBlue(AColor));
}

void SetBackground(QWidget* AWidget, const QColor& AColor)
{
    QPalette palette = AWidget->palette();
    palette.setColor(QPalette::Window, AColor);
    AWidget->setPalette(palette);
    AWidget->setAutoFillBackground(true);
}

bool ShowNotes()
{
    TSetup* setup = TSetup::Instance();
    return !setup || setup->General()->ShowNoteOnDSWorkplace();
}

bool ShowsNote(const TDSWorkplace* AWorkplace)
{
    return ShowNotes() && !AWorkplace->Note().isEmpty();
}

int TopLineHeightOf(const QFont& AFont)
{
    return std::max(24, QFontMetrics(LargeFont(AFont, true)).height() + 6);
}

int NoteLineHeightOf(const QFont& AFont)
{
    return QFontMetrics(AFont).height() + 4;
}

} // namespace

TDSWorkplaceFrame::TDSWorkplaceFrame(QWidget* AParent) : TDSWorkplaceDropFrame(AParent)
{
    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    auto* top = new QVBoxLayout(PanelTop);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);

    QHBoxLayout* line = NewRowPanel(PanelTopTop, PanelTop, QStringLiteral("PanelTopTop"), {4, 0, 2, 0}, 4);
    LabelShortcut = new QLabel(PanelTopTop);
    LabelShortcut->setObjectName(QStringLiteral("LabelShortcut"));
    LabelShortcut->setFont(LargeFont(font(), true));
    // Room for five wide letters; a longer shortcut is cut, never running
    // into the name.
    LabelShortcut->setFixedWidth(
        std::max(80, QFontMetrics(LabelShortcut->font()).horizontalAdvance(QStringLiteral("WWWWW")) + 6));
    LabelShortcut->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    line->addWidget(LabelShortcut);
    LabelName = new QLabel(PanelTopTop);
    LabelName->setObjectName(QStringLiteral("LabelName"));
    LabelName->setFont(LargeFont(font(), false));
    LabelName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    LabelName->setCursor(ProgramCursor(crHand));
    LabelName->setProperty("Hint", QStringLiteral("Weekly workplace schedule"));
    LabelName->setToolTip(LabelName->property("Hint").toString());
    LabelName->setAttribute(Qt::WA_Hover);
    LabelName->installEventFilter(this);
    line->addWidget(LabelName, 1);
    SBEdit = new QToolButton(PanelTopTop);
    SBEdit->setObjectName(QStringLiteral("SBEdit"));
    SBEdit->setAutoRaise(true);
    SBEdit->setIcon(StandardIcon(QStyle::SP_FileDialogDetailedView));
    SBEdit->setToolTip(QStringLiteral("Edit workplace..."));
    connect(SBEdit, &QToolButton::clicked, this, &TDSWorkplaceFrame::ControlChanged);
    line->addWidget(SBEdit);
    SBDelete = new QToolButton(PanelTopTop);
    SBDelete->setObjectName(QStringLiteral("SBDelete"));
    SBDelete->setAutoRaise(true);
    SBDelete->setIcon(StandardIcon(QStyle::SP_TrashIcon));
    SBDelete->setToolTip(QStringLiteral("Delete workplace"));
    connect(SBDelete, &QToolButton::clicked, this, &TDSWorkplaceFrame::ControlChanged);
    line->addWidget(SBDelete);
    PanelTopTop->setFixedHeight(TopLineHeight());
    top->addWidget(PanelTopTop);

    LabelNote = new QLabel(PanelTop);
    LabelNote->setObjectName(QStringLiteral("LabelNote"));
    LabelNote->setContentsMargins(4, 0, 4, 0);
    LabelNote->setFixedHeight(NoteLineHeight());
    LabelNote->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    LabelNote->hide();
    top->addWidget(LabelNote);
    top->addStretch(1);

    // Reached by the arrows from the panel next to it, not by Tab; the small
    // buttons by their keys.
    setFocusPolicy(Qt::ClickFocus);
    SBEdit->setFocusPolicy(Qt::NoFocus);
    SBDelete->setFocusPolicy(Qt::NoFocus);
    SBEdit->setToolTip(WithKey(SBEdit->toolTip(), QKeySequence(Qt::Key_F2)));
    SBDelete->setToolTip(WithKey(SBDelete->toolTip(), QKeySequence(Qt::Key_Delete)));
    setToolTip(WithKey(QStringLiteral("Enter: place a worker here"), PlanKey()));

    EnableCommands(false);
    resize(400, TopLineHeight() + HeaderMargin);
}

TDSWorkplaceFrame::~TDSWorkplaceFrame()
{
    Unbind(true);
}

void TDSWorkplaceFrame::EnableCommands(bool AValue)
{
    SBEdit->setEnabled(AValue);
    SBDelete->setEnabled(AValue);
}

int TDSWorkplaceFrame::TopLineHeight() const
{
    return TopLineHeightOf(font());
}

int TDSWorkplaceFrame::NoteLineHeight() const
{
    return NoteLineHeightOf(font());
}

int TDSWorkplaceFrame::HeightFor(const QWidget* AWidget, const TDSWorkplace* AWorkplace)
{
    const QFont& font = AWidget->font();
    const int header = TopLineHeightOf(font) + (ShowsNote(AWorkplace) ? NoteLineHeightOf(font) : 0);
    return AWorkplace->Persons()->Count() * TDSWorkplacePersonFrame::RowHeight(AWidget) + header + HeaderMargin;
}

void TDSWorkplaceFrame::SetWorkplace(TDSWorkplace* AValue)
{
    if (FWorkplace && FWorkplace != AValue)
        UnbindRows(true);
    // A reused panel may have shown a deleted workplace.
    if (FDeletedLook)
        SetLiveLook();
    BindItem(FWorkplace, AValue);
    EnableCommands(FWorkplace != nullptr);
    DataChanged(nullptr, QString());
}

void TDSWorkplaceFrame::Unbind(bool AItemAlive)
{
    UnbindRows(AItemAlive && FWorkplace);
    if (AItemAlive)
        ReleaseItem(FWorkplace);
    FWorkplace = nullptr;
}

void TDSWorkplaceFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TDSWorkplaceDropFrame::DataChanged(ASender, AValueName);
    if (!FWorkplace)
        return;
    const bool wasSilent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    if ((!ASender || ASender == FWorkplace || ASender == FWorkplace->OwnerList())
        && (all || AValueName == QLatin1String("Items")) && !FWorkplace->Record())
        SetDeletedLook();
    if (!ASender || ASender == FWorkplace) {
        if (all || AValueName == QLatin1String("Shortcut"))
            SetElidedText(LabelShortcut, FWorkplace->ShortcutOrStoredShortcut(), QString(), true);
        if (all || AValueName == QLatin1String("Name"))
            SetElidedText(LabelName, FWorkplace->NameAndStoredName(), LabelName->property("Hint").toString(), true);
        if (all || AValueName == QLatin1String("Note"))
            SetElidedText(LabelNote, FWorkplace->Note(), QString(), true);
        if (all || AValueName == QLatin1String("Color"))
            SetColors();
    }
    if (!ASender || ASender == FWorkplace->Persons() || (all && dynamic_cast<TDSWorkplacePerson*>(ASender)))
        RebuildRows();
    SetAccessibleTexts();
    FSilent = wasSilent;
}

void TDSWorkplaceFrame::SetAccessibleTexts()
{
    const int count = FWorkplace->Persons()->Count();
    const QString workers = count == 1 ? QStringLiteral("1 worker") : QStringLiteral("%1 workers").arg(count);
    ::SetAccessibleTexts(this,
        QStringLiteral("Workplace %1, %2").arg(FWorkplace->ShortcutOrStoredShortcut(), FWorkplace->NameAndStoredName()),
        FDeletedLook ? QStringLiteral("Deleted workplace, %1").arg(workers)
                     : QStringLiteral("%1. Enter or %2: place a worker here, F2: edit, Delete: delete the workplace")
                           .arg(workers, PlanKey().toString(QKeySequence::NativeText)));
}

TDSWorkplacePersonFrame* TDSWorkplaceFrame::Row(int AIndex) const
{
    if (!FWorkplace || AIndex < 0 || AIndex >= FWorkplace->Persons()->Count()
        || AIndex >= static_cast<int>(FRows.size()))
        return nullptr;
    return FRows[static_cast<size_t>(AIndex)];
}

void TDSWorkplaceFrame::EditWorkplace()
{
    if (SBEdit->isEnabled())
        SBEdit->click();
}

void TDSWorkplaceFrame::DeleteWorkplace()
{
    if (SBDelete->isEnabled())
        SBDelete->click();
}

void TDSWorkplaceFrame::SetDeletedLook()
{
    FDeletedLook = true;
    QFont shortcut = LabelShortcut->font();
    shortcut.setBold(true);
    shortcut.setStrikeOut(true);
    LabelShortcut->setFont(shortcut);
    QFont name = LabelName->font();
    name.setStrikeOut(true);
    name.setUnderline(false);
    LabelName->setFont(name);
    LabelShortcut->unsetCursor();
    LabelName->unsetCursor();
    LabelName->setProperty("Hint", QString());
    SetElidedText(LabelName, ElidedSource(LabelName), QString(), true);
    EnableCommands(false);
}

void TDSWorkplaceFrame::SetLiveLook()
{
    FDeletedLook = false;
    LabelShortcut->setFont(LargeFont(font(), true));
    LabelName->setFont(LargeFont(font(), false));
    LabelShortcut->unsetCursor();
    LabelName->setCursor(ProgramCursor(crHand));
    LabelName->setProperty("Hint", QStringLiteral("Weekly workplace schedule"));
    SetElidedText(LabelName, ElidedSource(LabelName), LabelName->property("Hint").toString(), true);
}

void TDSWorkplaceFrame::SetColors()
{
    const TColor color = FWorkplace->Color();
    SetBackground(PanelTop, ToQColor(color));
    SetBackground(this, ToQColor(LightenColor(color, 8)));
}

void TDSWorkplaceFrame::UnbindRows(bool AItemsAlive)
{
    // Rows of freed items must not touch them: compare addresses only.
    TDSWorkplacePersonList* persons = AItemsAlive && FWorkplace ? FWorkplace->Persons() : nullptr;
    for (TDSWorkplacePersonFrame* row : FRows)
        if (row->Person())
            row->Unbind(persons && persons->IndexOf(row->Person()) >= 0);
}

void TDSWorkplaceFrame::RebuildRows()
{
    UnbindRows(true);
    const bool showNote = ShowsNote(FWorkplace);
    LabelNote->setVisible(showNote);
    const int headerHeight = TopLineHeight() + (showNote ? NoteLineHeight() : 0);
    PanelTop->setGeometry(HeaderMargin, HeaderMargin, std::max(0, width() - 2 * HeaderMargin), headerHeight);
    TDSWorkplacePersonList* persons = FWorkplace->Persons();
    const size_t count = static_cast<size_t>(persons->Count());
    // Rows are reused in order and a few spare ones kept hidden: making and
    // showing rows anew on each day switch is what made it slow.
    RetireSurplus(FRows, count + SpareRows);
    for (size_t n = count; n < FRows.size(); ++n)
        if (!FRows[n]->objectName().isEmpty()) {
            FRows[n]->hide();
            FRows[n]->setObjectName(QString());
        }
    const int rowHeight = TDSWorkplacePersonFrame::RowHeight(this);
    setFixedHeight(persons->Count() * rowHeight + headerHeight + HeaderMargin);
    for (size_t n = 0; n < count; ++n) {
        if (n == FRows.size())
            FRows.push_back(new TDSWorkplacePersonFrame(this));
        TDSWorkplacePersonFrame* row = FRows[n];
        row->setGeometry(0, HeaderMargin + headerHeight + static_cast<int>(n) * rowHeight, width(), rowHeight);
        row->SetPerson(persons->Items(static_cast<int>(n)));
        // New rows and hidden spare ones have no name.
        if (row->objectName().isEmpty()) {
            row->setObjectName(QStringLiteral("DSWPF%1").arg(n));
            row->show();
        }
    }
}

void TDSWorkplaceFrame::PlaceRows()
{
    PanelTop->setGeometry(HeaderMargin, HeaderMargin, std::max(0, width() - 2 * HeaderMargin), PanelTop->height());
    for (TDSWorkplacePersonFrame* row : FRows)
        row->resize(width(), row->height());
}

void TDSWorkplaceFrame::resizeEvent(QResizeEvent* AEvent)
{
    TDSWorkplaceDropFrame::resizeEvent(AEvent);
    PlaceRows();
}

void TDSWorkplaceFrame::ControlChanged()
{
    if (!FWorkplace)
        return;
    TDSWorkplaceList* list = FWorkplace->OwnerList();
    if (!list)
        return;
    if (sender() == SBEdit) {
        list->EditWorkplace(FWorkplace->ID());
    } else if (sender() == SBDelete) {
        const QString question
            = QStringLiteral("Delete workplace\r\n\"%1\"\r\nReally?").arg(FWorkplace->NameAndStoredName());
        // The list rebuilds its panels, this one included.
        list->DeleteWorkplace(FWorkplace->ID(), question);
    }
}

bool TDSWorkplaceFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == LabelName && FWorkplace && !FDeletedLook && LinkLabelClicked(LabelName, AEvent)) {
        TDailySchedule* schedule = FWorkplace->Schedule();
        if (ISCNavigator* navigator = Navigator())
            navigator->ShowWorkplaceSchedule(FWorkplace->ID(), schedule ? schedule->Date() : 0);
        return true;
    }
    return TDSWorkplaceDropFrame::eventFilter(AWatched, AEvent);
}
