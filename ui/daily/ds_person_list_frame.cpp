#include "ui/daily/ds_person_list_frame.h"

#include "data/person_man.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/daily/ds_lists.h"
#include "schedule/register_access.h"
#include "setup/setup.h"
#include "ui/daily/ds_workplace_drop_frame.h"
#include "ui/drag_auto_scroll.h"
#include "ui/drop_down_button.h"
#include "ui/keyboard_planning.h"
#include "ui/navigator.h"
#include "ui/row_list.h"
#include "ui/view_actions.h"
#include "ui/view_resources.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const TPrintFlag InvolvedOnly{
    &TSetupGeneral::PrintInvolvedPersonsOnly, &TSetupGeneral::SetPrintInvolvedPersonsOnly, "PrintInvolvedPersonsOnly"};

// The list control, keeping the help banner over its whole viewport.
class TDSPersonListView : public TRowListView {
public:
    using TRowListView::TRowListView;

    // The banner lies over the viewport; clicks, context menus and drops
    // pass through it to the list.
    void SetBanner(QWidget* ABanner)
    {
        Banner = ABanner;
        Banner->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void resizeEvent(QResizeEvent* AEvent) override
    {
        QTreeWidget::resizeEvent(AEvent);
        if (Banner)
            Banner->setGeometry(viewport()->rect());
    }

private:
    QWidget* Banner = nullptr;
};

// A worker's row, known by his ID; it reads its texts from the bound list
// when it is first shown, so refilling thousands of rows costs little.
class TDSPersonRow : public QTreeWidgetItem {
public:
    TDSPersonRow(const TDSPersonListFrame* AFrame, int AID) : FFrame(AFrame), FID(AID)
    {
        setData(0, Qt::UserRole, AID);
    }

    int ID() const { return FID; }
    // The texts are read again when next asked for; AShow repaints the row.
    void Forget(bool AShow)
    {
        FFilled = false;
        if (AShow)
            emitDataChanged();
    }

    QVariant data(int AColumn, int ARole) const override
    {
        if (ARole != Qt::DisplayRole && ARole != Qt::ToolTipRole && (ARole != Qt::DecorationRole || AColumn != 0))
            return QTreeWidgetItem::data(AColumn, ARole);
        if (!FFilled)
            Fill();
        if (ARole == Qt::DecorationRole)
            return SmallIcon(FOut ? 1 : 0);
        // The list cuts long texts with "…"; the tool tip shows them whole.
        return AColumn == 0 ? FName : (AColumn == 1 ? FWorkplaces : QString());
    }

private:
    void Fill() const
    {
        TDSPersonList* persons = FFrame->Persons();
        const TDSPerson* person = persons ? persons->Items(-FID) : nullptr;
        FFilled = true;
        FName = person ? person->Name() : QString();
        FWorkplaces = person ? person->Workplaces()->ShortcutsAsString() : QString();
        FOut = person && person->IsOut();
    }

    const TDSPersonListFrame* FFrame;
    const int FID;
    mutable bool FFilled = false;
    mutable bool FOut = false;
    mutable QString FName;
    mutable QString FWorkplaces;
};

TDSPersonRow* PersonRow(const QTreeWidget* AList, int AIndex)
{
    return static_cast<TDSPersonRow*>(AList->topLevelItem(AIndex));
}

const TPrintEntry ReportEntries[] = {
    {"ActionPrintReportDSPersonsGeneral", "Daily schedule, Workers - General report", "DSPersonsGeneral", false},
    {"ActionPrintReportDSPersonsFull", "Daily schedule, Workers - Detailed report", "DSPersonsFull", false},
    {"ActionPrintReportDSPersonsTwoCol", "Daily schedule, Workers - Two column report", "DSPersonsTwoCol", false},
    {"ActionPrintReportPersonsGeneral", "Workers - General report", "PersonsGeneral", true},
    {"ActionPrintReportPersonsFull", "Workers - Detailed report", "PersonsFull", true},
    {"ActionPrintReportPersonsTwoCol", "Workers - Two column report", "PersonsTwoCol", true},
};

// The worker row picture at a larger size.
QPixmap WorkerPicture(int ASide)
{
    return SmallIcon(0).pixmap(16, 16).scaled(ASide, ASide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// The banner's picture of placing a worker: a worker, an arrow and a panel.
QPixmap PlacingPicture(int ASide)
{
    QPixmap picture(ASide, ASide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const int half = ASide / 2;
    painter.drawPixmap(QRect(0, 0, half, half), WorkerPicture(half));
    painter.setPen(QPen(QColor(90, 90, 90), 2));
    painter.drawLine(QPointF(half * 0.5, half * 1.1), QPointF(half * 1.2, half * 1.6));
    painter.drawLine(QPointF(half * 1.2, half * 1.6), QPointF(half * 0.95, half * 1.6));
    painter.drawLine(QPointF(half * 1.2, half * 1.6), QPointF(half * 1.2, half * 1.35));
    painter.setPen(QPen(QColor(60, 110, 170), 1));
    painter.setBrush(QColor(210, 225, 245));
    painter.drawRoundedRect(QRectF(half * 1.1, half * 1.1, half * 0.85, half * 0.85), 2, 2);
    return picture;
}

// One step of the help banner: picture, "n." with its title, the hint below.
QWidget* BannerStep(
    QWidget* AParent, const QPixmap& APicture, const QString& ANumber, const QString& ATitle, const QString& AHint)
{
    auto* step = new QWidget(AParent);
    auto* layout = new QHBoxLayout(step);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel(step);
    picture->setPixmap(APicture);
    picture->setFixedSize(APicture.size());
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* title = new QLabel(ANumber + QLatin1Char(' ') + ATitle, step);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* hint = new QLabel(AHint, step);
    hint->setWordWrap(true);
    texts->addWidget(title);
    texts->addWidget(hint);
    layout->addLayout(texts, 1);
    return step;
}

} // namespace

TDSPersonListFrame::TDSPersonListFrame(QWidget* AParent) : TSCFrame(AParent)
{
    setObjectName(QStringLiteral("DSPersonListFrame"));

    const auto handler = &TDSPersonListFrame::ControlChanged;
    ActionAdd = NewAction(this, handler, QStringLiteral("ActionAdd"), QStringLiteral("Add worker..."),
        QStringLiteral("Add new worker..."));
    ActionAdd->setShortcut(QKeySequence(Qt::Key_Insert));
    ActionAdd->setIcon(StandardIcon(QStyle::SP_FileIcon));
    ActionEdit = NewAction(this, handler, QStringLiteral("ActionEdit"), QStringLiteral("Edit worker..."),
        QStringLiteral("Edit focused worker..."));
    ActionEdit->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
        QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});
    ActionEdit->setIcon(StandardIcon(QStyle::SP_FileDialogDetailedView));
    ActionDelete = NewAction(this, handler, QStringLiteral("ActionDelete"), QStringLiteral("Delete worker"),
        QStringLiteral("Delete focused worker"));
    ActionDelete->setShortcut(QKeySequence(Qt::Key_Delete));
    ActionDelete->setIcon(StandardIcon(QStyle::SP_TrashIcon));
    ActionSortingAsc = NewAction(this, handler, QStringLiteral("ActionSortingAsc"), QStringLiteral("Sort ascendent"),
        QStringLiteral("Sort workers ascendent"));
    ActionSortingAsc->setIcon(StandardIcon(QStyle::SP_ArrowUp));
    ActionSortingDesc = NewAction(this, handler, QStringLiteral("ActionSortingDesc"), QStringLiteral("Sort descendent"),
        QStringLiteral("Sort workers descendent"));
    ActionSortingDesc->setIcon(StandardIcon(QStyle::SP_ArrowDown));
    ActionPersonSchedule = NewAction(this, handler, QStringLiteral("ActionPersonSchedule"),
        QStringLiteral("Worker schedule"), QStringLiteral("Show Worker schedule"));
    ActionPersonSchedule->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    ActionPersonSchedule->setIcon(StandardIcon(QStyle::SP_FileDialogListView));
    ActionPlace = NewAction(this, handler, QStringLiteral("ActionPlace"), QStringLiteral("Place at workplace..."),
        WithKey(QStringLiteral("Place focused worker at a workplace..."), PlanKey()));
    ActionPlace->setShortcut(PlanKey());
    ActionPlace->setIcon(StandardIcon(QStyle::SP_ArrowRight));
    ActionPrintReportDSPersonsGeneral = NewPrintAction(this, handler, ReportEntries[0]);
    ActionPrintReportDSPersonsFull = NewPrintAction(this, handler, ReportEntries[1]);
    ActionPrintReportDSPersonsTwoCol = NewPrintAction(this, handler, ReportEntries[2]);
    ActionPrintReportPersonsGeneral = NewPrintAction(this, handler, ReportEntries[3]);
    ActionPrintReportPersonsFull = NewPrintAction(this, handler, ReportEntries[4]);
    ActionPrintReportPersonsTwoCol = NewPrintAction(this, handler, ReportEntries[5]);
    ActionPrintInvolvedPersonsOnly = NewAction(this, handler, QStringLiteral("ActionPrintInvolvedPersonsOnly"),
        QStringLiteral("Print of involved workers only"), QString());
    ActionPrintInvolvedPersonsOnly->setCheckable(true);

    PUMenuPrint = new QMenu(this);
    PUMenuPrint->setObjectName(QStringLiteral("PUMenuPrint"));
    PUMenuPersonsPrint = new QMenu(QStringLiteral("Print workers"), this);
    PUMenuPersonsPrint->setObjectName(QStringLiteral("PUMenuPersonsPrint"));
    for (QMenu* menu : {PUMenuPrint, PUMenuPersonsPrint}) {
        AddPrintEntries(menu,
            {ActionPrintReportDSPersonsGeneral, ActionPrintReportDSPersonsFull, ActionPrintReportDSPersonsTwoCol,
                ActionPrintReportPersonsGeneral, ActionPrintReportPersonsFull, ActionPrintReportPersonsTwoCol},
            ActionPrintInvolvedPersonsOnly);
        connect(menu, &QMenu::aboutToShow, this, &TDSPersonListFrame::PUMenuPrintPopup);
    }
    PUMenuPersonsSorting = new QMenu(QStringLiteral("Sort workers"), this);
    PUMenuPersonsSorting->setObjectName(QStringLiteral("PUMenuPersonsSorting"));
    PUMenuPersonsSorting->addAction(ActionSortingAsc);
    PUMenuPersonsSorting->addAction(ActionSortingDesc);
    PUMenuPersons = new QMenu(this);
    PUMenuPersons->setObjectName(QStringLiteral("PUMenuPersons"));
    PUMenuPersons->addAction(ActionAdd);
    PUMenuPersons->addAction(ActionEdit);
    PUMenuPersons->addAction(ActionDelete);
    PUMenuPersons->addAction(ActionPlace);
    PUMenuPersons->addSeparator();
    PUMenuPersons->addMenu(PUMenuPersonsSorting);
    PUMenuPersons->addSeparator();
    PUMenuPersons->addMenu(PUMenuPersonsPrint);
    PUMenuPersons->addSeparator();
    PUMenuPersons->addAction(ActionPersonSchedule);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBarPersons"));
    toolBar->setIconSize(QSize(16, 16));
    TBAdd = NewToolButton(this, QStringLiteral("TBAdd"), ActionAdd);
    TBEdit = NewToolButton(this, QStringLiteral("TBEdit"), ActionEdit);
    TBDelete = NewToolButton(this, QStringLiteral("TBDelete"), ActionDelete);
    TBSortingAsc = NewToolButton(this, QStringLiteral("TBSortingAsc"), ActionSortingAsc);
    TBSortingDesc = NewToolButton(this, QStringLiteral("TBSortingDesc"), ActionSortingDesc);
    TBPrint = NewDropDownButton(this, QStringLiteral("TBPrint"), QStringLiteral("Print..."),
        QStringLiteral("Print workers list..."), PUMenuPrint);
    TBPersonSchedule = NewToolButton(this, QStringLiteral("TBPersonSchedule"), ActionPersonSchedule);
    TBPlace = NewToolButton(this, QStringLiteral("TBPlace"), ActionPlace);
    toolBar->addWidget(TBAdd);
    toolBar->addWidget(TBEdit);
    toolBar->addWidget(TBDelete);
    toolBar->addSeparator();
    toolBar->addWidget(TBSortingAsc);
    toolBar->addWidget(TBSortingDesc);
    toolBar->addSeparator();
    toolBar->addWidget(TBPrint);
    toolBar->addSeparator();
    toolBar->addWidget(TBPersonSchedule);
    toolBar->addWidget(TBPlace);
    toolBar->setToolTip(QStringLiteral("Workers: drag one onto a workplace, or choose one and press %1")
                            .arg(PlanKey().toString(QKeySequence::NativeText)));

    auto* view = new TDSPersonListView(this);
    view->OnStartDrag = [this] { StartDrag(); };
    view->OnAccepts = &TDSPersonListFrame::AcceptsDrag;
    view->OnDrop = [this](const QMimeData* AData) { DropPayload(AData); };
    LVPersons = view;
    LVPersons->setObjectName(QStringLiteral("LVPersons"));
    SetAccessibleTexts(LVPersons, QStringLiteral("Workers"),
        QStringLiteral("%1: place the chosen worker at a workplace, Insert: add, Enter: edit, Delete: delete a worker")
            .arg(PlanKey().toString(QKeySequence::NativeText)));
    // The list's own scrolling while dragging needs its drag handlers, which
    // the list replaces.
    TDragAutoScroll::Install(LVPersons);
    SetUpRowList(LVPersons, 220);
    LVPersons->setDragEnabled(true);
    LVPersons->setAcceptDrops(true);
    LVPersons->viewport()->setAcceptDrops(true);
    LVPersons->setDragDropMode(QAbstractItemView::DragDrop);
    LVPersons->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LVPersons, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& APos) { ShowContextMenu(LVPersons->viewport(), APos); });
    connect(LVPersons, &QTreeWidget::currentItemChanged, this, &TDSPersonListFrame::LVPersonsChange);
    connect(LVPersons, &QTreeWidget::itemSelectionChanged, this, &TDSPersonListFrame::LVPersonsChange);
    connect(LVPersons, &QTreeWidget::itemDoubleClicked, this, &TDSPersonListFrame::LVPersonsDblClick);

    PanelInfo = new QWidget(LVPersons->viewport());
    PanelInfo->setObjectName(QStringLiteral("PanelInfo"));
    PanelInfo->setAutoFillBackground(true);
    auto* info = new QVBoxLayout(PanelInfo);
    const int side = 2 * fontMetrics().height();
    info->addWidget(BannerStep(PanelInfo, WorkerPicture(side), QStringLiteral("2."), QStringLiteral("Workers"),
        QStringLiteral("Here add all yours workers")));
    info->addWidget(
        BannerStep(PanelInfo, PlacingPicture(side), QStringLiteral("3."), QStringLiteral("Workers on workplaces"),
            QStringLiteral("Take and drag the worker and drop him on the workplace")));
    info->addStretch(1);
    view->SetBanner(PanelInfo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(LVPersons, 1);

    DataChanged(nullptr, QString());
}

TDSPersonListFrame::~TDSPersonListFrame()
{
    SetPersons(nullptr);
}

void TDSPersonListFrame::SetPersons(TDSPersonList* AValue)
{
    BindItem(FPersons, AValue);
    DataChanged(nullptr, QString());
}

void TDSPersonListFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCFrame::DataChanged(ASender, AValueName);
    const bool wasSilent = FSilent;
    FSilent = true;
    const bool noSender = !ASender || ASender == this;
    if (ASender == FPersons || dynamic_cast<TDSPerson*>(ASender) || (noSender && AValueName.isEmpty()))
        UpdateActions();
    if (!ASender && AValueName.isEmpty()) {
        LVPersons->viewport()->setCursor(ProgramCursor(crHand));
    }
    if (InvolvedOnly.ChangedBy(ASender, AValueName))
        ActionPrintInvolvedPersonsOnly->setChecked(InvolvedOnly.Value());
    if (FPersons) {
        if ((!ASender || ASender == FPersons) && (AValueName.isEmpty() || AValueName == QLatin1String("Items"))) {
            RebuildRows();
        } else if (ASender == FPersons && AValueName == QLatin1String("PersonFocused")) {
            SyncFocus();
        } else if (auto* person = dynamic_cast<TDSPerson*>(ASender)) {
            if (AValueName.isEmpty() && person->OwnerList() == FPersons)
                UpdateRow(person);
        } else if (auto* workplaces = dynamic_cast<TDSPersonWorkplaceList*>(ASender)) {
            if (AValueName == QLatin1String("Items") && workplaces->Person()
                && workplaces->Person()->OwnerList() == FPersons)
                UpdateRow(workplaces->Person());
        } else if (dynamic_cast<TDSWorkplace*>(ASender)) {
            // An edited workplace changes the shortcuts of its workers' rows.
            if (AValueName.isEmpty() || AValueName == QLatin1String("Shortcut"))
                ForgetRows();
        }
    } else if (!ASender && AValueName.isEmpty()) {
        LVPersons->clear();
        PanelInfo->setVisible(true);
    }
    FSilent = wasSilent;
}

void TDSPersonListFrame::FocusList()
{
    LVPersons->setFocus(Qt::OtherFocusReason);
}

void TDSPersonListFrame::UpdateActions()
{
    const bool focused = FPersons && FPersons->PersonFocused();
    ActionAdd->setEnabled(FPersons != nullptr);
    ActionEdit->setEnabled(focused);
    ActionDelete->setEnabled(focused);
    ActionSortingAsc->setEnabled(FPersons && FPersons->SortingDirection() == sdDescended);
    ActionSortingDesc->setEnabled(FPersons && FPersons->SortingDirection() == sdAscended);
    ActionPersonSchedule->setEnabled(focused && FPersons->Schedule());
    ActionPlace->setEnabled(focused && FPersons->Schedule());
}

void TDSPersonListFrame::RebuildRows()
{
    const int count = FPersons->Count();
    bool same = LVPersons->topLevelItemCount() == count;
    for (int i = 0; same && i < count; ++i)
        same = PersonRow(LVPersons, i)->ID() == FPersons->Items(i)->ID();
    if (same) {
        // The same workers in the same order, as on most days: the rows stay
        // and read their texts again.
        ForgetRows();
    } else {
        LVPersons->setUpdatesEnabled(false);
        LVPersons->clear();
        QList<QTreeWidgetItem*> rows;
        rows.reserve(count);
        for (int i = 0; i < count; ++i)
            rows << new TDSPersonRow(this, FPersons->Items(i)->ID());
        // All at once: one by one, each is looked up among those before it.
        LVPersons->addTopLevelItems(rows);
        LVPersons->setUpdatesEnabled(true);
    }
    SyncFocus();
    PanelInfo->setVisible(count == 0);
}

void TDSPersonListFrame::ForgetRows()
{
    for (int i = 0; i < LVPersons->topLevelItemCount(); ++i)
        PersonRow(LVPersons, i)->Forget(false);
    LVPersons->viewport()->update();
}

void TDSPersonListFrame::UpdateRow(TDSPerson* APerson)
{
    if (!APerson)
        return;
    if (auto* row = static_cast<TDSPersonRow*>(RowWithID(LVPersons, APerson->ID())))
        row->Forget(true);
    else
        LVPersons->addTopLevelItem(new TDSPersonRow(this, APerson->ID()));
}

void TDSPersonListFrame::SyncFocus()
{
    TDSPerson* focused = FPersons ? FPersons->PersonFocused() : nullptr;
    QTreeWidgetItem* row = focused ? RowWithID(LVPersons, focused->ID()) : nullptr;
    if (row != LVPersons->currentItem())
        ShowCurrentRow(LVPersons, row);
}

void TDSPersonListFrame::LVPersonsChange()
{
    if (FSilent || !FPersons)
        return;
    const int id = CurrentRowID(LVPersons);
    if (id <= 0)
        return;
    if (TDSPerson* person = FPersons->Items(-id))
        FPersons->SetPersonFocused(person);
}

void TDSPersonListFrame::LVPersonsDblClick()
{
    if (ActionEdit->isEnabled())
        ActionEdit->trigger();
}

void TDSPersonListFrame::PUMenuPrintPopup()
{
    // The setting may have changed elsewhere since the menu was last open.
    ActionPrintInvolvedPersonsOnly->setChecked(InvolvedOnly.Value());
}

void TDSPersonListFrame::ShowContextMenu(QWidget* AWidget, const QPoint& APos)
{
    PUMenuPersons->popup(AWidget->mapToGlobal(APos));
}

void TDSPersonListFrame::ControlChanged()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    if (FSilent || !FPersons) {
        // A check mark toggled while nothing is bound keeps showing the setting.
        if (action == ActionPrintInvolvedPersonsOnly)
            ActionPrintInvolvedPersonsOnly->setChecked(InvolvedOnly.Value());
        return;
    }
    TDSPerson* focused = FPersons->PersonFocused();
    if (action == ActionAdd) {
        QString error;
        if (TPerson* person = RegisterAddPerson(error))
            FPersons->AddPerson(person, true, true);
        else if (!error.isEmpty())
            ShowSaveFailure(error);
    } else if (action == ActionEdit) {
        if (focused)
            FPersons->EditPerson(focused->ID());
    } else if (action == ActionDelete) {
        if (focused)
            FPersons->DeletePerson(
                focused->ID(), QStringLiteral("Delete worker\r\n\"%1\"\r\nReally?").arg(focused->Name()));
    } else if (action == ActionSortingAsc) {
        FPersons->SetSortingDirection(sdAscended);
    } else if (action == ActionSortingDesc) {
        FPersons->SetSortingDirection(sdDescended);
    } else if (action == ActionPrintInvolvedPersonsOnly) {
        InvolvedOnly.Write(ActionPrintInvolvedPersonsOnly->isChecked());
        ActionPrintInvolvedPersonsOnly->setChecked(InvolvedOnly.Value());
        ReopenBelow(PUMenuPrint, TBPrint);
    } else if (action == ActionPlace) {
        if (focused)
            if (const int placed = TDSWorkplaceDropFrame::PickWorkplaceFor(FPersons->Schedule(), focused->ID()))
                emit PlacedAt(placed);
    } else if (action == ActionPersonSchedule) {
        const int id = CurrentRowID(LVPersons);
        if (ISCNavigator* navigator = Navigator(); navigator && id > 0 && FPersons->Schedule())
            navigator->ShowPersonSchedule(id, FPersons->Schedule()->Date());
    } else {
        QString report;
        bool simple = false;
        if (PrintReportOf(action, report, simple))
            FPersons->Print(report, simple);
    }
}

std::unique_ptr<TDSWorkplacePersonDragObjectEx> TDSPersonListFrame::CreateDragObject() const
{
    const int id = CurrentRowID(LVPersons);
    if (id <= 0)
        return nullptr;
    return std::make_unique<TDSWorkplacePersonDragObjectEx>(id, 0);
}

QPixmap TDSPersonListFrame::DragPicture() const
{
    return CurrentRowPicture(LVPersons);
}

bool TDSPersonListFrame::AcceptsDrag(const QMimeData* AData)
{
    return qobject_cast<const TDSWorkplacePersonDragObjectEx*>(AData) != nullptr;
}

bool TDSPersonListFrame::DropPayload(const QMimeData* AData)
{
    const auto* payload = qobject_cast<const TDSWorkplacePersonDragObjectEx*>(AData);
    if (!payload || !FPersons || !FPersons->Schedule())
        return false;
    // A row of this list dropped back onto it has no workplace to leave.
    if (payload->PersonID() <= 0 || payload->WorkplaceID() <= 0)
        return false;
    return FPersons->Schedule()->DeletePersonFromWorkplace(payload->PersonID(), payload->WorkplaceID());
}

void TDSPersonListFrame::StartDrag()
{
    DragFromList(LVPersons, CreateDragObject());
}
