#include "ui/daily/ds_workplace_list_frame.h"

#include "core/dialogs.h"
#include "data/macro_man.h"
#include "data/workplace_man.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/export/export_to_file.h"
#include "schedule/register_access.h"
#include "setup/setup.h"
#include "ui/daily/ds_view_parts.h"
#include "ui/daily/ds_workplace_frame.h"
#include "ui/daily/ds_workplace_person_frame.h"
#include "ui/drag_auto_scroll.h"
#include "ui/drop_down_button.h"
#include "ui/export_menu.h"
#include "ui/focus_frame.h"
#include "ui/keyboard_planning.h"
#include "ui/scroll_column.h"
#include "ui/view_actions.h"
#include "ui/view_drag.h"
#include "ui/view_resources.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString ApplyTemplateText = QStringLiteral("Apply template");
const QString SaveTemplateText = QStringLiteral("Save template as");

// Menu captions show a "&" literally and give it back unchanged.
QString EscapeCaption(const QString& AText)
{
    return QString(AText).replace(QLatin1Char('&'), QLatin1String("&&"));
}
QString ReadCaption(const QAction* AAction)
{
    return AAction->text().replace(QLatin1String("&&"), QLatin1String("&"));
}

const TPrintEntry ReportEntries[] = {
    {"ActionPrintReportGeneral", "Daily schedule - General report", "DailyScheduleGeneral", false},
    {"ActionPrintReportFull", "Daily schedule - Full report", "DailyScheduleFull", false},
    {"ActionPrintReportTwoCol", "Daily schedule - Two columns", "DailyScheduleTwoCol", false},
    {"ActionPrintReportWorkplacesGeneral", "Workplaces - General report", "WorkplacesGeneral", true},
    {"ActionPrintReportWorkplacesFull", "Workplaces - Detailed report", "WorkplacesFull", true},
    {"ActionPrintReportWorkplacesTwoCol", "Workplaces - Two column report", "WorkplacesTwoCol", true},
};

struct TSystemTemplateEntry {
    const char* Name;
    const char* Caption;
    TDailyScheduleSystemTemplateKind Kind;
};

const TSystemTemplateEntry WeekdayEntries[] = {
    {"PUMenuASTDayMon", "Monday", dsstkPrevDayMon},
    {"PUMenuASTDayTue", "Tuesday", dsstkPrevDayTue},
    {"PUMenuASTDayWed", "Wednesday", dsstkPrevDayWed},
    {"PUMenuASTDayThu", "Thursday", dsstkPrevDayThu},
    {"PUMenuASTDayFri", "Friday", dsstkPrevDayFri},
    {"PUMenuASTDaySat", "Saturday", dsstkPrevDaySat},
    {"PUMenuASTDaySun", "Sunday", dsstkPrevDaySun},
};

const char* SystemTemplateProperty = "systemTemplate";

// Panels are built at least this far above and below the view, so that a
// scroll by a line or a page finds them ready.
constexpr int MinReach = 480;

} // namespace

TDSWorkplaceListFrame::TDSWorkplaceListFrame(QWidget* AParent) : TSCFrame(AParent)
{
    setObjectName(QStringLiteral("DSWorkplaceListFrame"));

    const auto handler = &TDSWorkplaceListFrame::ControlChanged;
    // These hints show as tool tips only, not in the status bar.
    ActionAdd = NewAction(this, handler, QStringLiteral("ActionAdd"), QStringLiteral("Add workplace..."), QString());
    ActionAdd->setToolTip(QStringLiteral("Add workplace..."));
    ActionAdd->setIcon(StandardIcon(QStyle::SP_FileDialogNewFolder));
    ActionSortingAsc
        = NewAction(this, handler, QStringLiteral("ActionSortingAsc"), QStringLiteral("Sort ascendent"), QString());
    ActionSortingAsc->setToolTip(QStringLiteral("Sort workplaces ascendent"));
    ActionSortingAsc->setIcon(StandardIcon(QStyle::SP_ArrowUp));
    ActionSortingDesc
        = NewAction(this, handler, QStringLiteral("ActionSortingDesc"), QStringLiteral("Sort descendent"), QString());
    ActionSortingDesc->setToolTip(QStringLiteral("Sort workplaces descendent"));
    ActionSortingDesc->setIcon(StandardIcon(QStyle::SP_ArrowDown));
    ActionAddTemplate = NewAction(
        this, handler, QStringLiteral("ActionAddTemplate"), QStringLiteral("Save as a new template..."), QString());

    ActionPrintReportGeneral = NewPrintAction(this, handler, ReportEntries[0]);
    ActionPrintReportFull = NewPrintAction(this, handler, ReportEntries[1]);
    ActionPrintReportTwoCol = NewPrintAction(this, handler, ReportEntries[2]);
    ActionPrintReportWorkplacesGeneral = NewPrintAction(this, handler, ReportEntries[3]);
    ActionPrintReportWorkplacesFull = NewPrintAction(this, handler, ReportEntries[4]);
    ActionPrintReportWorkplacesTwoCol = NewPrintAction(this, handler, ReportEntries[5]);
    ActionPrintOccupiedWorkplacesOnly = NewAction(this, handler, QStringLiteral("ActionPrintOccupiedWorkplacesOnly"),
        QStringLiteral("Print of occupied workplaces only"), QString());
    ActionPrintOccupiedWorkplacesOnly->setCheckable(true);
    PUMenuPrint = new QMenu(this);
    PUMenuPrint->setObjectName(QStringLiteral("PUMenuPrint"));
    AddPrintEntries(PUMenuPrint,
        {ActionPrintReportGeneral, ActionPrintReportFull, ActionPrintReportTwoCol, ActionPrintReportWorkplacesGeneral,
            ActionPrintReportWorkplacesFull, ActionPrintReportWorkplacesTwoCol},
        ActionPrintOccupiedWorkplacesOnly);
    connect(PUMenuPrint, &QMenu::aboutToShow, this, &TDSWorkplaceListFrame::PUMenuPrintPopup);

    PUMenuApplySystemTemplate = new QMenu(this);
    PUMenuApplySystemTemplate->setObjectName(QStringLiteral("PUMenuApplySystemTemplate"));
    NewMenuEntry(PUMenuApplySystemTemplate, QStringLiteral("PUMenuASTPrevDay"), QStringLiteral("Same as previous day"))
        ->setProperty(SystemTemplateProperty, int(dsstkPrevDay));
    NewMenuEntry(PUMenuApplySystemTemplate, QStringLiteral("PUMenuASTLastWeek"), QStringLiteral("Same as last week"))
        ->setProperty(SystemTemplateProperty, int(dsstkPrevDayLastWeek));
    QMenu* days = PUMenuApplySystemTemplate->addMenu(QStringLiteral("Same as last..."));
    days->setObjectName(QStringLiteral("PUMenuASTDay"));
    days->menuAction()->setObjectName(QStringLiteral("PUMenuASTDay"));
    for (const TSystemTemplateEntry& entry : WeekdayEntries)
        NewMenuEntry(days, QString::fromLatin1(entry.Name), QString::fromLatin1(entry.Caption))
            ->setProperty(SystemTemplateProperty, int(entry.Kind));
    PUMenuApplySystemTemplate->addSeparator();
    NewMenuEntry(PUMenuApplySystemTemplate, QStringLiteral("PUMenuASTClearAll"), QStringLiteral("Clear all"));

    PUMenuApplyTemplate = new QMenu(this);
    PUMenuApplyTemplate->setObjectName(QStringLiteral("PUMenuApplyTemplate"));
    connect(PUMenuApplyTemplate, &QMenu::aboutToShow, this, &TDSWorkplaceListFrame::PUMenuApplyTemplatePopup);

    PUMenuSaveTemplate = new QMenu(this);
    PUMenuSaveTemplate->setObjectName(QStringLiteral("PUMenuSaveTemplate"));
    // The menu's own entry for the action, as the other entries are the menu's.
    PUMenuSaveTemplateAdd = new QAction(ActionAddTemplate->text(), PUMenuSaveTemplate);
    PUMenuSaveTemplateAdd->setObjectName(QStringLiteral("PUMenuSaveTemplateAdd"));
    connect(PUMenuSaveTemplateAdd, &QAction::triggered, ActionAddTemplate, &QAction::trigger);
    connect(ActionAddTemplate, &QAction::changed, PUMenuSaveTemplateAdd,
        [this] { PUMenuSaveTemplateAdd->setEnabled(ActionAddTemplate->isEnabled()); });
    PUMenuSaveTemplate->addAction(PUMenuSaveTemplateAdd);
    connect(PUMenuSaveTemplate, &QMenu::aboutToShow, this, &TDSWorkplaceListFrame::PUMenuSaveTemplatePopup);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto addButton = [this](const QString& AName, QAction* AAction) {
        ToolBar->addWidget(NewToolButton(ToolBar, AName, AAction));
    };
    addButton(QStringLiteral("TBAdd"), ActionAdd);
    ToolBar->addSeparator();
    addButton(QStringLiteral("TBSortingAsc"), ActionSortingAsc);
    addButton(QStringLiteral("TBSortingDesc"), ActionSortingDesc);
    ToolBar->addSeparator();
    TBPrint = NewDropDownButton(
        QStringLiteral("TBPrint"), QStringLiteral("Print"), QStringLiteral("Print Daily schedule..."), PUMenuPrint);
    TBPrint->setIcon(
        QIcon::fromTheme(QStringLiteral("document-print"), StandardIcon(QStyle::SP_FileDialogDetailedView)));
    ToolBar->addWidget(NewExportButton(ToolBar, true, [this](const TExportFormat* AFormat) { Export(AFormat); }));
    ToolBar->addSeparator();
    NewDropDownButton(QStringLiteral("TBApplyDefaultTemplate"), QStringLiteral("System templates"),
        QStringLiteral("Select and apply system templates"), PUMenuApplySystemTemplate)
        ->setIcon(StandardIcon(QStyle::SP_BrowserReload));
    NewDropDownButton(QStringLiteral("TBApplyTemplate"), QStringLiteral("Apply user templates"),
        QStringLiteral("Select and apply user defined template"), PUMenuApplyTemplate)
        ->setIcon(StandardIcon(QStyle::SP_DialogOpenButton));
    NewDropDownButton(QStringLiteral("TBSaveTemplate"), QStringLiteral("Save user template"),
        QStringLiteral("Save current schedule as user template"), PUMenuSaveTemplate)
        ->setIcon(StandardIcon(QStyle::SP_DialogSaveButton));
    layout->addWidget(ToolBar);

    const TScrollColumn column = NewScrollColumn(this);
    FScrollBox = column.Box;
    FScrollContent = column.Content;
    FPanelsLayout = column.Layout;

    QHBoxLayout* info = NewRowPanel(PanelInfo, FScrollContent, QStringLiteral("PanelInfo"), {12, 12, 12, 12}, 8);
    auto* picture = new QLabel(PanelInfo);
    picture->setObjectName(QStringLiteral("ImageInfo"));
    picture->setPixmap(StandardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    info->addWidget(picture, 0, Qt::AlignTop);
    auto* step = new QLabel(QStringLiteral("1."), PanelInfo);
    step->setObjectName(QStringLiteral("LabelInfoStep"));
    QFont large = step->font();
    large.setBold(true);
    if (large.pointSizeF() > 0)
        large.setPointSizeF(large.pointSizeF() * 1.6);
    step->setFont(large);
    info->addWidget(step, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* title = new QLabel(QStringLiteral("Workplaces"), PanelInfo);
    title->setObjectName(QStringLiteral("LabelInfoTitle"));
    title->setFont(large);
    texts->addWidget(title);
    auto* hint = new QLabel(QStringLiteral("Here add all yours workplaces"), PanelInfo);
    hint->setObjectName(QStringLiteral("LabelInfoHint"));
    hint->setWordWrap(true);
    texts->addWidget(hint);
    info->addLayout(texts, 1);
    FPanelsLayout->addWidget(PanelInfo);
    FPanelsLayout->addStretch(1);
    layout->addWidget(FScrollBox, 1);
    // The panels stand outside the layout, each at its place in the content.
    FScrollContent->installEventFilter(this);
    FScrollBox->viewport()->installEventFilter(this);
    connect(FScrollBox->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { ShowPanelsInView(); });
    // One stop of Tab; it hands the focus on to a panel, the arrows go on.
    FScrollBox->setFocusPolicy(Qt::StrongFocus);
    FScrollBox->installEventFilter(this);
    SetAccessibleTexts(FScrollBox, QStringLiteral("Workplaces"),
        QStringLiteral("Up and Down: the next workplace or worker, Ctrl+Up and Ctrl+Down: the next workplace, "
                       "Enter or %1: place a worker, Delete: take a worker off")
            .arg(PlanKey().toString(QKeySequence::NativeText)));
    FFocusFrame = new TFocusFrame(FScrollContent);
    TDragAutoScroll::Install(FScrollBox);

    DataChanged(nullptr, QString());
}

TDSWorkplaceListFrame::~TDSWorkplaceListFrame()
{
    RetirePanels();
    ReleaseItem(FWorkplaces);
    FWorkplaces = nullptr;
}

QAction* TDSWorkplaceListFrame::NewMenuEntry(QMenu* AMenu, const QString& AName, const QString& ACaption)
{
    auto* action = new QAction(EscapeCaption(ACaption), AMenu);
    action->setObjectName(AName);
    AMenu->addAction(action);
    connect(action, &QAction::triggered, this, &TDSWorkplaceListFrame::ControlChanged);
    return action;
}

QToolButton* TDSWorkplaceListFrame::NewDropDownButton(
    const QString& AName, const QString& ACaption, const QString& AHint, QMenu* AMenu)
{
    QToolButton* button = ::NewDropDownButton(ToolBar, AName, ACaption, AHint, AMenu);
    ToolBar->addWidget(button);
    return button;
}

void TDSWorkplaceListFrame::resizeEvent(QResizeEvent* AEvent)
{
    TSCFrame::resizeEvent(AEvent);
    FitToolBar();
}

bool TDSWorkplaceListFrame::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    // Keys a panel or row leaves alone come up to the content.
    if (AWatched == FScrollContent && AEvent->type() == QEvent::KeyPress && PanelKey(static_cast<QKeyEvent*>(AEvent)))
        return true;
    if (AWatched == FScrollBox && AEvent->type() == QEvent::FocusIn && !FPassingFocus) {
        // The panel the keyboard was on, unless it scrolled away; else the
        // first one in view.
        const int count = static_cast<int>(FShown.size());
        const int top = FScrollBox->verticalScrollBar()->value();
        const int bottom = top + FScrollBox->viewport()->height();
        int index = std::clamp(FKeyPanel, 0, std::max(0, count - 1));
        if (count > 0
            && (FOffsets[static_cast<size_t>(index) + 1] <= top || FOffsets[static_cast<size_t>(index)] >= bottom))
            index = std::clamp(static_cast<int>(std::upper_bound(FOffsets.cbegin() + 1, FOffsets.cend(), top)
                                                - (FOffsets.cbegin() + 1)),
                0, count - 1);
        FocusPanel(index);
    }
    if (AEvent->type() == QEvent::Resize && (AWatched == FScrollContent || AWatched == FScrollBox->viewport())) {
        if (AWatched == FScrollContent)
            for (int n = FFirst; n < FLast; ++n)
                FShown[static_cast<size_t>(n)]->resize(
                    FScrollContent->width(), FShown[static_cast<size_t>(n)]->height());
        ShowPanelsInView();
    }
    return TSCFrame::eventFilter(AWatched, AEvent);
}

bool TDSWorkplaceListFrame::focusNextPrevChild(bool ANext)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && FScrollContent->isAncestorOf(focus)) {
        // The panels are not in the Tab order: the next stop is the area's.
        FPassingFocus = true;
        FScrollBox->setFocus(Qt::OtherFocusReason);
        FPassingFocus = false;
    }
    return TSCFrame::focusNextPrevChild(ANext);
}

void TDSWorkplaceListFrame::ScrollToShow(int ATop, int ABottom)
{
    QScrollBar* bar = FScrollBox->verticalScrollBar();
    const int height = FScrollBox->viewport()->height();
    int value = bar->value();
    if (ABottom > value + height)
        value = ABottom - height;
    // The top wins over the bottom where both do not fit.
    if (ATop < value)
        value = ATop;
    bar->setValue(value);
}

void TDSWorkplaceListFrame::ShowWorkplace(int AID)
{
    TDSWorkplace* workplace = FWorkplaces ? FWorkplaces->ItemWithID(AID) : nullptr;
    const int at = workplace ? FWorkplaces->IndexOf(workplace) : -1;
    if (at < 0 || static_cast<size_t>(at) + 1 >= FOffsets.size())
        return;
    ScrollToShow(FOffsets[static_cast<size_t>(at)], FOffsets[static_cast<size_t>(at) + 1]);
    ShowPanelsInView();
}

bool TDSWorkplaceListFrame::FocusPanel(int AIndex, int ARow)
{
    const int count = static_cast<int>(FShown.size());
    if (!FWorkplaces || AIndex < 0 || AIndex >= count || count != FWorkplaces->Count())
        return false;
    const size_t at = static_cast<size_t>(AIndex);
    ScrollToShow(FOffsets[at], FOffsets[at + 1]);
    // Built now, as it is in view.
    ShowPanelsInView();
    TDSWorkplaceFrame* panel = FShown[at];
    if (!panel)
        return false;
    QWidget* target = panel;
    if (ARow >= 0) {
        QWidget* row = panel->Row(ARow);
        if (!row)
            return false;
        ScrollToShow(FOffsets[at] + row->y(), FOffsets[at] + row->y() + row->height());
        target = row;
    }
    FKeyPanel = AIndex;
    target->setFocus(Qt::OtherFocusReason);
    return true;
}

bool TDSWorkplaceListFrame::FocusedPlace(int& AIndex, int& ARow) const
{
    AIndex = -1;
    ARow = -1;
    if (!FWorkplaces)
        return false;
    for (QWidget* widget = QApplication::focusWidget(); widget && widget != FScrollContent;
         widget = widget->parentWidget()) {
        if (auto* row = qobject_cast<TDSWorkplacePersonFrame*>(widget)) {
            TDSWorkplace* workplace = row->Person() ? row->Person()->Workplace() : nullptr;
            ARow = workplace ? workplace->Persons()->IndexOf(row->Person()) : -1;
        } else if (auto* panel = qobject_cast<TDSWorkplaceFrame*>(widget)) {
            AIndex = FWorkplaces->IndexOf(panel->Workplace());
            return AIndex >= 0;
        }
    }
    return false;
}

bool TDSWorkplaceListFrame::PanelKey(const QKeyEvent* AEvent)
{
    int index = -1;
    int row = -1;
    if (!FocusedPlace(index, row))
        return false;
    TDSWorkplace* workplace = FWorkplaces->Items(index);
    const int rows = workplace->Persons()->Count();
    const int last = FWorkplaces->Count() - 1;
    const Qt::KeyboardModifiers modifiers = AEvent->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const bool control = modifiers == Qt::ControlModifier;
    const int key = AEvent->key();
    if (key == Qt::Key_Down && (plain || control)) {
        if (plain && row + 1 < rows)
            FocusPanel(index, row + 1);
        else if (index < last)
            FocusPanel(index + 1);
        return true;
    }
    if (key == Qt::Key_Up && (plain || control)) {
        if (control || row >= 0) {
            // To the row above, or from a row or with Ctrl to a panel header.
            if (plain)
                FocusPanel(index, row - 1);
            else
                FocusPanel(row >= 0 ? index : std::max(0, index - 1));
        } else if (index > 0) {
            const int above = FWorkplaces->Items(index - 1)->Persons()->Count();
            FocusPanel(index - 1, above - 1);
        }
        return true;
    }
    if ((key == Qt::Key_Home || key == Qt::Key_End) && (plain || control)) {
        FocusPanel(key == Qt::Key_Home ? 0 : last);
        return true;
    }
    TDSWorkplaceFrame* panel = FShown[static_cast<size_t>(index)];
    if (IsKey(AEvent, PlanKey()) || (plain && (key == Qt::Key_Return || key == Qt::Key_Enter))) {
        TDSWorkplaceDropFrame::PickPersonFor(workplace);
        FocusPanel(index, row);
        return true;
    }
    if (plain && key == Qt::Key_F2 && panel) {
        panel->EditWorkplace();
        // The list may be sorted anew after the edit.
        FocusPanel(std::min(index, FWorkplaces->Count() - 1));
        return true;
    }
    if (plain && key == Qt::Key_Delete && panel) {
        if (row >= 0) {
            if (TDSWorkplacePersonFrame* line = panel->Row(row))
                line->RemoveFromWorkplace();
            // The row that takes its place, else the one above, else the panel.
            FocusPanel(index, std::min(row, workplace->Persons()->Count() - 1));
        } else {
            panel->DeleteWorkplace();
            if (!FocusPanel(std::min(index, FWorkplaces->Count() - 1)))
                FScrollBox->setFocus(Qt::OtherFocusReason);
        }
        return true;
    }
    return false;
}

void TDSWorkplaceListFrame::FitToolBar()
{
    const QList<QToolButton*> buttons = ToolBar->findChildren<QToolButton*>();
    auto setStyle = [&buttons](Qt::ToolButtonStyle AStyle) {
        for (QToolButton* button : buttons)
            if (button->menu())
                button->setToolButtonStyle(AStyle);
    };
    setStyle(Qt::ToolButtonTextOnly);
    if (ToolBar->sizeHint().width() > width())
        setStyle(Qt::ToolButtonIconOnly);
}

QString TDSWorkplaceListFrame::TemplateNameFromCaption(const QString& ACaption, const QString& AResourceText)
{
    // The caption is the text, a blank, and the name in double quotes.
    return TrimChar(CutText(ACaption.mid(AResourceText.length() + 2), 255), QLatin1Char('"'));
}

void TDSWorkplaceListFrame::SetWorkplaces(TDSWorkplaceList* AValue)
{
    if (FWorkplaces && FWorkplaces != AValue)
        RetirePanels();
    BindItem(FWorkplaces, AValue);
    DataChanged(nullptr, QString());
}

void TDSWorkplaceListFrame::UpdateActions()
{
    const bool bound = FWorkplaces != nullptr;
    ActionAdd->setEnabled(bound);
    for (QAction* action :
        {ActionPrintReportGeneral, ActionPrintReportFull, ActionPrintReportTwoCol, ActionPrintReportWorkplacesGeneral,
            ActionPrintReportWorkplacesFull, ActionPrintReportWorkplacesTwoCol, ActionPrintOccupiedWorkplacesOnly})
        action->setEnabled(bound);
    ActionSortingAsc->setEnabled(bound && FWorkplaces->SortingDirection() == sdDescended);
    ActionSortingDesc->setEnabled(bound && FWorkplaces->SortingDirection() == sdAscended);
}

void TDSWorkplaceListFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCFrame::DataChanged(ASender, AValueName);
    const bool wasSilent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    if ((ASender && (ASender == FWorkplaces || dynamic_cast<TDSWorkplace*>(ASender)))
        || ((!ASender || ASender == this) && all))
        UpdateActions();
    bool rebuild = false;
    if (!ASender || dynamic_cast<TSetup*>(ASender) || dynamic_cast<TSetupGeneral*>(ASender)) {
        if (all || AValueName == QLatin1String("PrintOccupiedWorkplacesOnly")) {
            TSetup* setup = TSetup::Instance();
            ActionPrintOccupiedWorkplacesOnly->setChecked(setup && setup->General()->PrintOccupiedWorkplacesOnly());
        }
        if (all || AValueName == QLatin1String("ShowNoteOnDSWorkplace"))
            rebuild = true;
    }
    if (FWorkplaces && (!ASender || ASender == FWorkplaces) && (all || AValueName == QLatin1String("Items")))
        rebuild = true;
    if (rebuild) {
        RebuildPanels();
    } else if (auto* persons = dynamic_cast<TDSWorkplacePersonList*>(ASender);
               persons && (all || AValueName == QLatin1String("Items")) && persons->Workplace()
               && persons->Workplace()->OwnerList() == FWorkplaces) {
        // A worker came or went: the panel and those below it move.
        RemeasurePanel(persons->Workplace());
    }
    FSilent = wasSilent;
}

void TDSWorkplaceListFrame::RetirePanels()
{
    for (int n = FFirst; n < FLast; ++n) {
        TDSWorkplaceFrame* panel = FShown[static_cast<size_t>(n)];
        // A refreshed list has freed the items the panels were bound to.
        panel->Unbind(FWorkplaces && FWorkplaces->IndexOf(panel->Workplace()) >= 0);
        RetireView(panel);
    }
    for (TDSWorkplaceFrame* panel : FSpare)
        RetireView(panel);
    FSpare.clear();
    FShown.clear();
    FOffsets.clear();
    FFirst = FLast = 0;
}

void TDSWorkplaceListFrame::RebuildPanels()
{
    const int count = FWorkplaces ? FWorkplaces->Count() : 0;
    // Panels keep their places: a next day of as many workplaces rebinds
    // them where they stand, without showing or making any.
    const std::vector<TDSWorkplaceFrame*> shown(FShown.begin() + FFirst, FShown.begin() + FLast);
    const int first = FFirst;
    for (TDSWorkplaceFrame* panel : shown)
        // A refreshed list has freed the items the panels were bound to.
        panel->Unbind(FWorkplaces && FWorkplaces->IndexOf(panel->Workplace()) >= 0);
    FOffsets.assign(static_cast<size_t>(count) + 1, 0);
    for (int n = 0; n < count; ++n)
        FOffsets[static_cast<size_t>(n) + 1]
            = FOffsets[static_cast<size_t>(n)] + TDSWorkplaceFrame::HeightFor(FScrollContent, FWorkplaces->Items(n));
    FShown.assign(static_cast<size_t>(count), nullptr);
    FFirst = std::min(first, count);
    FLast = FFirst;
    for (size_t k = 0; k < shown.size(); ++k) {
        const int n = first + static_cast<int>(k);
        if (n < count) {
            FShown[static_cast<size_t>(n)] = shown[k];
            FLast = n + 1;
        } else {
            shown[k]->hide();
            shown[k]->setObjectName(QString());
            FSpare.push_back(shown[k]);
        }
    }
    PanelInfo->setVisible(count == 0);
    PlacePanels();
    ShowPanelsInView();
}

void TDSWorkplaceListFrame::RemeasurePanel(const TDSWorkplace* AWorkplace)
{
    // Between a change of the list and its notice the offsets are not the
    // list's; the notice measures all anew.
    if (FOffsets.size() != static_cast<size_t>(FWorkplaces->Count()) + 1)
        return;
    const int index = FWorkplaces->IndexOf(AWorkplace);
    if (index < 0)
        return;
    const size_t at = static_cast<size_t>(index);
    const int change = TDSWorkplaceFrame::HeightFor(FScrollContent, AWorkplace) - (FOffsets[at + 1] - FOffsets[at]);
    if (change == 0)
        return;
    for (size_t n = at + 1; n < FOffsets.size(); ++n)
        FOffsets[n] += change;
    PlacePanels();
    ShowPanelsInView();
}

void TDSWorkplaceListFrame::PlacePanels()
{
    const int height = FOffsets.empty() ? 0 : FOffsets.back();
    // The area follows the content's size at once; its scrolling must not
    // place panels by offsets only half updated.
    FPlacing = true;
    FScrollContent->setMinimumHeight(height);
    FScrollContent->resize(FScrollBox->viewport()->width(), std::max(height, FScrollBox->viewport()->height()));
    FPlacing = false;
    for (int n = FFirst; n < FLast; ++n)
        FShown[static_cast<size_t>(n)]->move(0, FOffsets[static_cast<size_t>(n)]);
}

void TDSWorkplaceListFrame::ShowPanelsInView()
{
    const int count = static_cast<int>(FShown.size());
    // A list changed but not yet announced is measured when it is.
    if (FPlacing || FOffsets.empty() || count != (FWorkplaces ? FWorkplaces->Count() : 0))
        return;
    const int top = FScrollBox->verticalScrollBar()->value();
    const int height = FScrollBox->viewport()->height();
    const int reach = std::max(height, MinReach);
    // The workplaces whose panels reach into [top - reach, top + height + reach).
    const auto offsets = FOffsets.cbegin();
    const int first = static_cast<int>(std::upper_bound(offsets + 1, FOffsets.cend(), top - reach) - (offsets + 1));
    const int last
        = std::max(first, static_cast<int>(std::lower_bound(offsets, offsets + count, top + height + reach) - offsets));
    std::vector<TDSWorkplaceFrame*> loose;
    for (int n = FFirst; n < FLast; ++n) {
        if (n >= first && n < last)
            continue;
        TDSWorkplaceFrame* panel = FShown[static_cast<size_t>(n)];
        FShown[static_cast<size_t>(n)] = nullptr;
        panel->Unbind(true);
        loose.push_back(panel);
    }
    const int width = FScrollContent->width();
    for (int n = first; n < last; ++n) {
        TDSWorkplaceFrame*& panel = FShown[static_cast<size_t>(n)];
        if (!panel) {
            // Panels leaving the view are taken first: they are shown already.
            if (!loose.empty()) {
                panel = loose.back();
                loose.pop_back();
            } else if (!FSpare.empty()) {
                panel = FSpare.back();
                FSpare.pop_back();
            } else {
                panel = new TDSWorkplaceFrame(FScrollContent);
            }
        }
        TDSWorkplace* workplace = FWorkplaces->Items(n);
        if (panel->Workplace() != workplace) {
            panel->setObjectName(QStringLiteral("DSWF%1").arg(n));
            if (panel->width() != width)
                panel->resize(width, panel->height());
            panel->SetWorkplace(workplace);
        }
        panel->move(0, FOffsets[static_cast<size_t>(n)]);
        if (panel->isHidden())
            panel->show();
    }
    for (TDSWorkplaceFrame* panel : loose) {
        panel->hide();
        panel->setObjectName(QString());
        FSpare.push_back(panel);
    }
    FFirst = first;
    FLast = last;
}

void TDSWorkplaceListFrame::PUMenuPrintPopup()
{
    // The setting may have been changed in the settings dialog meanwhile.
    TSetup* setup = TSetup::Instance();
    ActionPrintOccupiedWorkplacesOnly->setChecked(setup && setup->General()->PrintOccupiedWorkplacesOnly());
}

void TDSWorkplaceListFrame::PUMenuApplyTemplatePopup()
{
    QStringList names;
    if (TMacroMan* macros = TMacroMan::Instance())
        macros->GetMacroNames(&names);
    PUMenuApplyTemplate->clear();
    for (int i = 0; i < names.size(); ++i)
        NewMenuEntry(PUMenuApplyTemplate, QStringLiteral("PUMenuApplyTemplate%1").arg(i + 1),
            ApplyTemplateText + QStringLiteral(" \"%1\"").arg(names[i]));
    if (names.isEmpty())
        NewMenuEntry(
            PUMenuApplyTemplate, QStringLiteral("PUMenuApplyTemplate1"), QStringLiteral("any template is not defined"))
            ->setEnabled(false);
}

void TDSWorkplaceListFrame::PUMenuSaveTemplatePopup()
{
    QStringList names;
    if (TMacroMan* macros = TMacroMan::Instance())
        macros->GetMacroNames(&names);
    for (QAction* action : PUMenuSaveTemplate->actions()) {
        if (action == PUMenuSaveTemplateAdd)
            continue;
        PUMenuSaveTemplate->removeAction(action);
        delete action;
    }
    if (names.isEmpty())
        return;
    PUMenuSaveTemplate->addSeparator()->setObjectName(QStringLiteral("PUMenuSaveTemplate_1"));
    for (int i = 0; i < names.size(); ++i)
        NewMenuEntry(PUMenuSaveTemplate, QStringLiteral("PUMenuSaveTemplate%1").arg(i + 1),
            SaveTemplateText + QStringLiteral(" \"%1\"").arg(names[i]));
}

void TDSWorkplaceListFrame::ControlChanged()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action || !FWorkplaces || FSilent || !action->isEnabled())
        return;
    const QString name = action->objectName();
    TDailySchedule* schedule = FWorkplaces->Schedule();
    bool simple = false;
    if (action == ActionAdd) {
        QString error;
        if (TWorkplace* workplace = RegisterAddWorkplace(error))
            FWorkplaces->AddWorkplace(workplace, true);
        else if (!error.isEmpty())
            ShowSaveFailure(error);
    } else if (action == ActionSortingAsc) {
        FWorkplaces->SetSortingDirection(sdAscended);
    } else if (action == ActionSortingDesc) {
        FWorkplaces->SetSortingDirection(sdDescended);
    } else if (QString report; PrintReportOf(action, report, simple)) {
        FWorkplaces->Print(report, simple);
    } else if (action == ActionPrintOccupiedWorkplacesOnly) {
        // The action has inverted its check mark already.
        if (TSetup* setup = TSetup::Instance())
            setup->General()->SetPrintOccupiedWorkplacesOnly(action->isChecked());
        // Shown again so that a report can be chosen next.
        PopupBelow(PUMenuPrint, TBPrint);
    } else if (action == ActionAddTemplate) {
        SaveTemplate(QString());
    } else if (action->property(SystemTemplateProperty).isValid()) {
        if (schedule)
            schedule->ApplySystemTemplate(
                static_cast<TDailyScheduleSystemTemplateKind>(action->property(SystemTemplateProperty).toInt()));
    } else if (name == QLatin1String("PUMenuASTClearAll")) {
        if (schedule)
            schedule->ClearAllPersonsFromWorkplaces();
    } else if (name.startsWith(QLatin1String("PUMenuApplyTemplate"))) {
        ApplyTemplate(TemplateNameFromCaption(ReadCaption(action), ApplyTemplateText));
    } else if (name.startsWith(QLatin1String("PUMenuSaveTemplate"))) {
        SaveTemplate(TemplateNameFromCaption(ReadCaption(action), SaveTemplateText));
    }
}

void TDSWorkplaceListFrame::Export(const TExportFormat* AFormat)
{
    TDailySchedule* schedule = FWorkplaces ? FWorkplaces->Schedule() : nullptr;
    if (!schedule || schedule->Date() <= 0)
        return;
    TExportQuery query{schedule->Date(), schedule->Date(), 0, 0};
    if (!AFormat) {
        // The month of the shown day is offered.
        const QDate day = OleToDate(schedule->Date());
        query.From = DateToOle(QDate(day.year(), day.month(), 1));
        query.To = DateToOle(QDate(day.year(), day.month(), day.daysInMonth()));
        if (!Dialogs().SelectDateRange(QStringLiteral("Export plan"), query.From, query.To))
            return;
    }
    QString error;
    ExportPlanToFile(AFormat, query, QString(), true, error);
    ShowExportFailure(error);
}

void TDSWorkplaceListFrame::ApplyTemplate(const QString& AName)
{
    TDailySchedule* schedule = FWorkplaces ? FWorkplaces->Schedule() : nullptr;
    TMacroMan* macros = TMacroMan::Instance();
    if (!schedule || !macros)
        return;
    // A template that lost all its pairs meanwhile comes back as none.
    if (std::unique_ptr<TMacro> macro = macros->GetMacro(AName))
        schedule->ApplyMacro(macro.get());
}

void TDSWorkplaceListFrame::SaveTemplate(const QString& AName)
{
    TDailySchedule* schedule = FWorkplaces ? FWorkplaces->Schedule() : nullptr;
    TMacroMan* macros = TMacroMan::Instance();
    if (!schedule || !macros)
        return;
    std::unique_ptr<TMacro> macro = schedule->GetMacro();
    if (!macro)
        return;
    // Names are compared and stored as the templates file keeps them.
    QString name = TMacroMan::NormalName(AName);
    if (macro->MacroJobs()->Count() == 0) {
        if (name.isEmpty())
            return;
        if (ShowMessageBox(QStringLiteral("Do you want to remove the template\r\n\"%1\"?\r\nReally?").arg(name),
                mtConfirmation, mbYes | mbNo)
            != mrYes)
            return;
    } else {
        if (name.isEmpty()) {
            QString answer;
            if (!Dialogs().InputQuery(QStringLiteral("New template"), QStringLiteral("Name of a template"), answer,
                    TMacro::MaxNameLength))
                return;
            name = TMacroMan::NormalName(answer);
            if (name.isEmpty())
                return;
        }
        QStringList names;
        macros->GetMacroNames(&names);
        const bool exists = std::any_of(names.cbegin(), names.cend(),
            [&name](const QString& AExisting) { return SameTextIgnoringCase(AExisting, name); });
        if (exists
            && ShowMessageBox(
                   QStringLiteral("Template\r\n\"%1\"\r\nexists. Overwrite?").arg(name), mtConfirmation, mbYes | mbNo)
                   != mrYes)
            return;
    }
    macro->SetName(name);
    if (QString error; !RegisterPutTemplate(macro.get(), error))
        ShowSaveFailure(error);
}
