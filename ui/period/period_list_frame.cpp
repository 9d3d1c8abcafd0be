#include "ui/period/period_list_frame.h"

#include "data/person_man.h"
#include "data/workplace_man.h"
#include "schedule/period/period_lists.h"
#include "schedule/register_access.h"
#include "schedule/register_store.h"
#include "setup/setup.h"
#include "ui/drag_auto_scroll.h"
#include "ui/drop_down_button.h"
#include "ui/navigator.h"
#include "ui/row_list.h"
#include "ui/view_resources.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString ItemsName = QStringLiteral("Items");

// 0 present, 1 away for the whole period, 2 away for part of it.
int AbsenceIcon(const TPeriodPersonEntry* APerson, const TListPeriod& APeriod)
{
    const auto record = APerson->Record();
    if (!record || record->DaysOut <= 0)
        return 0;
    if (record->DateOutFrom <= APeriod.Start && APeriod.End <= record->DateOutTo)
        return 1;
    if (record->DateOutFrom <= APeriod.End && record->DateOutTo >= APeriod.Start)
        return 2;
    return 0;
}

// A grey-framed square of AColor; black is the transparent colour.
QPixmap WorkplaceSwatch(TColor AColor)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.fillRect(QRect(QPoint(2, 2), QPoint(13, 13)), QColor(0xB0, 0xB0, 0xB0));
        painter.fillRect(
            QRect(QPoint(3, 3), QPoint(12, 12)), QColor(ColorRed(AColor), ColorGreen(AColor), ColorBlue(AColor)));
    }
    const QRgb black = qRgb(0, 0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == black)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return QPixmap::fromImage(image);
}

// The swatch of AColor, made once: a row filled again keeps its icon.
QIcon SwatchIcon(TColor AColor)
{
    static QHash<TColor, QIcon> icons;
    auto found = icons.constFind(AColor);
    if (found == icons.constEnd())
        found = icons.insert(AColor, QIcon(WorkplaceSwatch(AColor)));
    return *found;
}

// A new record of a register through its own dialog, handed to AAdd; a
// record the file refused is told.
template <class TRecord, class TAdd>
void AddThrough(TRecord* (*ANew)(QString&), TAdd AAdd)
{
    QString error;
    if (TRecord* record = ANew(error))
        AAdd(record);
    else if (!error.isEmpty())
        ShowSaveFailure(error);
}

} // namespace

TPeriodListFrame::TPeriodListFrame(bool AWorkerSchedule, bool AWorkers, QWidget* AParent)
    : TSCFrame(AParent),
      FWorkers(AWorkers),
      FDrags(AWorkerSchedule != AWorkers),
      FPrintOnly(AWorkers ? TPrintFlag{&TSetupGeneral::PrintInvolvedPersonsOnly,
                     &TSetupGeneral::SetPrintInvolvedPersonsOnly, "PrintInvolvedPersonsOnly"}
                          : TPrintFlag{&TSetupGeneral::PrintOccupiedWorkplacesOnly,
                              &TSetupGeneral::SetPrintOccupiedWorkplacesOnly, "PrintOccupiedWorkplacesOnly"})
{
    const QString one = AWorkers ? QStringLiteral("worker") : QStringLiteral("workplace");
    const QString many = AWorkers ? QStringLiteral("workers") : QStringLiteral("workplaces");
    const auto handler = &TPeriodListFrame::ControlChanged;
    ActionAdd = NewAction(
        this, handler, QStringLiteral("ActionAdd"), QStringLiteral("Add..."), QStringLiteral("Add new %1...").arg(one));
    ActionAdd->setShortcut(QKeySequence(Qt::Key_Insert));
    ActionAdd->setIcon(StandardIcon(QStyle::SP_FileIcon));
    ActionEdit = NewAction(this, handler, QStringLiteral("ActionEdit"), QStringLiteral("Edit..."),
        QStringLiteral("Edit focused %1...").arg(one));
    ActionEdit->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
        QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});
    ActionEdit->setIcon(StandardIcon(QStyle::SP_FileDialogDetailedView));
    ActionDelete = NewAction(this, handler, QStringLiteral("ActionDelete"), QStringLiteral("Delete"),
        QStringLiteral("Delete focused %1").arg(one));
    ActionDelete->setShortcuts({QKeySequence(Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_Delete)});
    ActionDelete->setIcon(StandardIcon(QStyle::SP_TrashIcon));
    ActionSortingAsc = NewAction(this, handler, QStringLiteral("ActionSortingAsc"), QStringLiteral("Sort ascendent"),
        QStringLiteral("Sort %1 ascendent").arg(many));
    ActionSortingAsc->setIcon(StandardIcon(QStyle::SP_ArrowUp));
    ActionSortingDesc = NewAction(this, handler, QStringLiteral("ActionSortingDesc"), QStringLiteral("Sort descendent"),
        QStringLiteral("Sort %1 descendent").arg(many));
    ActionSortingDesc->setIcon(StandardIcon(QStyle::SP_ArrowDown));
    if (FDrags) {
        ActionOtherSchedule = AWorkers ? NewAction(this, handler, QStringLiteral("ActionPersonSchedule"),
                                  QStringLiteral("Personal Schedule"), QStringLiteral("Show Worker schedule"))
                                       : NewAction(this, handler, QStringLiteral("ActionWorkplaceSchedule"),
                                           QStringLiteral("Workplace schedule"),
                                           QStringLiteral("Show Workplace schedule for focused workplace"));
        ActionOtherSchedule->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
        ActionOtherSchedule->setIcon(StandardIcon(QStyle::SP_FileDialogListView));
    }

    // The schedule's own reports, then the plain register's.
    const QString schedule = AWorkerSchedule ? QStringLiteral("PS") : QStringLiteral("WS");
    const QString scheduleCaption
        = AWorkerSchedule ? QStringLiteral("Worker schedule, ") : QStringLiteral("Workplace schedule, ");
    const QString reports = AWorkers ? QStringLiteral("Persons") : QStringLiteral("Workplaces");
    const QString heading = AWorkers ? QStringLiteral("Workers") : QStringLiteral("Workplaces");
    const std::pair<const char*, const char*> kinds[]
        = {{"General", "General report"}, {"Full", "Detailed report"}, {"TwoCol", "Two column report"}};
    QList<QAction*> printEntries;
    for (const bool simple : {false, true})
        for (const auto& [kind, caption] : kinds) {
            const QString report = (simple ? QString() : schedule) + reports + QLatin1String(kind);
            QAction* action = NewAction(this, handler, QStringLiteral("ActionPrintReport") + report,
                (simple ? QString() : scheduleCaption) + heading + QStringLiteral(" - ") + QLatin1String(caption),
                QString());
            SetPrintReport(action, report, simple);
            printEntries << action;
        }
    ActionPrintOnly = AWorkers ? NewAction(this, handler, QStringLiteral("ActionPrintInvolvedPersonsOnly"),
                          QStringLiteral("Print of involved workers only"), QString())
                               : NewAction(this, handler, QStringLiteral("ActionPrintOccupiedWorkplacesOnly"),
                                   QStringLiteral("Print occupied workplaces only"), QString());
    ActionPrintOnly->setCheckable(true);
    PUMenuPrint = new QMenu(this);
    PUMenuPrint->setObjectName(QStringLiteral("PUMenuPrint"));
    AddPrintEntries(PUMenuPrint, printEntries, ActionPrintOnly);
    connect(PUMenuPrint, &QMenu::aboutToShow, this, &TPeriodListFrame::PUMenuPrintPopup);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(AWorkers ? QStringLiteral("ToolBarPersons") : QStringLiteral("ToolBarWorkplaces"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addWidget(NewToolButton(this, QStringLiteral("TBAdd"), ActionAdd));
    toolBar->addWidget(NewToolButton(this, QStringLiteral("TBEdit"), ActionEdit));
    toolBar->addWidget(NewToolButton(this, QStringLiteral("TBDelete"), ActionDelete));
    toolBar->addSeparator();
    toolBar->addWidget(NewToolButton(this, QStringLiteral("TBSortingAsc"), ActionSortingAsc));
    toolBar->addWidget(NewToolButton(this, QStringLiteral("TBSortingDesc"), ActionSortingDesc));
    toolBar->addSeparator();
    TBPrint = NewDropDownButton(this, QStringLiteral("TBPrint"), QStringLiteral("Print..."),
        AWorkers ? QStringLiteral("Print persons list...") : QStringLiteral("Print workplaces list..."), PUMenuPrint);
    toolBar->addWidget(TBPrint);
    if (ActionOtherSchedule) {
        toolBar->addSeparator();
        toolBar->addWidget(
            NewToolButton(this, AWorkers ? QStringLiteral("TBPersonSchedule") : QStringLiteral("TBWorkplaceSchedule"),
                ActionOtherSchedule));
    }

    FListView = new TRowListView(this);
    FListView->setObjectName(AWorkers ? QStringLiteral("LVPersons") : QStringLiteral("LVWorkplaces"));
    SetUpRowList(FListView, 200);
    // Either list starts a drag; only the rows of the other kind carry one.
    FListView->setDragEnabled(true);
    FListView->OnStartDrag = [this] { StartDrag(); };
    if (FDrags) {
        FListView->setAcceptDrops(true);
        FListView->viewport()->setAcceptDrops(true);
        FListView->setDragDropMode(QAbstractItemView::DragDrop);
        FListView->OnAccepts = [this](const QMimeData* AData) { return AcceptsDrag(AData); };
        FListView->OnDrop = [this](const QMimeData* AData) { DropPayload(AData); };
        TDragAutoScroll::Install(FListView);
    }
    connect(FListView, &QTreeWidget::currentItemChanged, this, &TPeriodListFrame::ListChange);
    connect(FListView, &QTreeWidget::itemSelectionChanged, this, &TPeriodListFrame::ListChange);
    connect(FListView, &QTreeWidget::itemDoubleClicked, this, &TPeriodListFrame::ListDblClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(FListView, 1);

    DataChanged(nullptr, QString());
}

TPeriodListFrame::~TPeriodListFrame()
{
    // The list control outlives this part of the frame: its signals during
    // the teardown must reach neither the frame nor the model.
    FListView->disconnect(this);
    BindItem(FList, static_cast<TPeriodRegisterList*>(nullptr));
}

void TPeriodListFrame::SetList(TPeriodRegisterList* AValue)
{
    BindItem(FList, AValue);
    DataChanged(nullptr, QString());
}

void TPeriodListFrame::FocusList()
{
    FListView->setFocus(Qt::OtherFocusReason);
}

TPeriodEntry* TPeriodListFrame::OwnEntry(TObject* AObject) const
{
    auto* entry = dynamic_cast<TPeriodEntry*>(AObject);
    return entry && FList && entry->OwnerListObject() == FList ? entry : nullptr;
}

void TPeriodListFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCFrame::DataChanged(ASender, AValueName);
    const bool wasSilent = FSilent;
    FSilent = true;
    const bool whole = !ASender && AValueName.isEmpty();
    TPeriodEntry* entry = OwnEntry(ASender);
    if ((ASender == this && AValueName.isEmpty()) || whole || (FList && ASender == FList) || entry)
        UpdateActions();
    if (whole && FDrags)
        FListView->viewport()->setCursor(ProgramCursor(crHand));
    if (FPrintOnly.ChangedBy(ASender, AValueName))
        ActionPrintOnly->setChecked(FPrintOnly.Value());
    if (FList) {
        const QString focusName = FWorkers ? QStringLiteral("PersonFocused") : QStringLiteral("WorkplaceFocused");
        if ((!ASender || ASender == FList) && (AValueName.isEmpty() || AValueName == ItemsName)) {
            UpdateItems();
        } else if (ASender == FList && AValueName == focusName) {
            UpdateFocus();
        } else if (entry) {
            if (AValueName.isEmpty())
                UpdateItem(entry);
        } else if (auto* days = dynamic_cast<TPeriodDayList*>(ASender)) {
            // Only the row whose dates changed: the weekday text follows
            // each added or removed date.
            if (AValueName == ItemsName)
                if (TPeriodEntry* owner = OwnEntry(days->OwnerNode()))
                    UpdateItem(owner);
        }
    } else if (whole) {
        FListView->clear();
    }
    FSilent = wasSilent;
}

void TPeriodListFrame::UpdateActions()
{
    const bool focused = FList && FList->FocusedEntry();
    ActionAdd->setEnabled(FList != nullptr);
    ActionEdit->setEnabled(focused);
    ActionDelete->setEnabled(focused);
    ActionSortingAsc->setEnabled(FList && FList->SortingDirection() == sdDescended);
    ActionSortingDesc->setEnabled(FList && FList->SortingDirection() == sdAscended);
    if (ActionOtherSchedule)
        ActionOtherSchedule->setEnabled(focused && Period());
}

void TPeriodListFrame::UpdateItems()
{
    // Rows that stand for the same entries in the same order are updated in
    // place: a new period changes the texts of thousands of rows, not the rows.
    bool same = FListView->topLevelItemCount() == FList->Count();
    for (int i = 0; same && i < FList->Count(); ++i)
        same = FListView->topLevelItem(i)->data(0, Qt::UserRole).toInt() == FList->Items(i)->ID();
    if (same) {
        for (int i = 0; i < FList->Count(); ++i)
            FillRow(FListView->topLevelItem(i), FList->Items(i));
    } else {
        RefillRows(FListView, FList->Count(),
            [this](QTreeWidgetItem* ARow, int AIndex) { FillRow(ARow, FList->Items(AIndex)); });
    }
    UpdateFocus();
}

QString TPeriodListFrame::EntryName(const TPeriodEntry* AEntry) const
{
    if (const auto* person = dynamic_cast<const TPeriodPersonEntry*>(AEntry))
        return person->Name();
    if (const auto* workplace = dynamic_cast<const TPeriodWorkplaceEntry*>(AEntry))
        return workplace->Name();
    return QString();
}

QIcon TPeriodListFrame::EntryIcon(const TPeriodEntry* AEntry) const
{
    if (const auto* workplace = dynamic_cast<const TPeriodWorkplaceEntry*>(AEntry))
        return SwatchIcon(workplace->Color());
    const auto* person = dynamic_cast<const TPeriodPersonEntry*>(AEntry);
    const auto period = Period();
    return person && period ? SmallIcon(AbsenceIcon(person, *period)) : QIcon();
}

void TPeriodListFrame::UpdateItem(TPeriodEntry* AEntry)
{
    if (!AEntry)
        return;
    QTreeWidgetItem* row = RowWithID(FListView, AEntry->ID());
    FillRow(row ? row : new QTreeWidgetItem(FListView), AEntry);
}

void TPeriodListFrame::FillRow(QTreeWidgetItem* ARow, TPeriodEntry* AEntry)
{
    // A row filled again changes only what differs: each change is a notice
    // of the list's model.
    auto setText = [ARow](int AColumn, const QString& AText) {
        if (ARow->text(AColumn) == AText)
            return;
        // The list cuts long texts with "…"; the tool tips show them whole.
        ARow->setText(AColumn, AText);
        ARow->setToolTip(AColumn, AText);
    };
    setText(0, EntryName(AEntry));
    setText(1, AEntry->DaysBase()->AsString());
    if (ARow->data(0, Qt::UserRole).toInt() != AEntry->ID())
        ARow->setData(0, Qt::UserRole, AEntry->ID());
    const QIcon icon = EntryIcon(AEntry);
    if (ARow->icon(0).cacheKey() != icon.cacheKey())
        ARow->setIcon(0, icon);
}

void TPeriodListFrame::UpdateFocus()
{
    TPeriodEntry* focused = FList ? FList->FocusedEntry() : nullptr;
    QTreeWidgetItem* row = focused ? RowWithID(FListView, focused->ID()) : nullptr;
    // A worker list leaves a row that is focused already as it is.
    if (FWorkers && row == FListView->currentItem())
        return;
    ShowCurrentRow(FListView, row);
}

void TPeriodListFrame::ListChange()
{
    if (FSilent || !FList)
        return;
    const int id = CurrentRowID(FListView);
    if (TPeriodEntry* entry = id > 0 ? FList->EntryByID(id) : nullptr)
        FList->SetFocusedEntry(entry);
}

void TPeriodListFrame::ListDblClick()
{
    if (ActionEdit->isEnabled())
        ActionEdit->trigger();
}

void TPeriodListFrame::PUMenuPrintPopup()
{
    // The setting may have changed elsewhere since the menu was last open.
    ActionPrintOnly->setChecked(FPrintOnly.Value());
}

void TPeriodListFrame::Add()
{
    if (FWorkers)
        AddThrough(&RegisterAddPerson, [this](TPerson* APerson) { AddRecord(APerson); });
    else
        AddThrough(&RegisterAddWorkplace, [this](TWorkplace* AWorkplace) { AddRecord(AWorkplace); });
}

void TPeriodListFrame::ShowOtherSchedule()
{
    const int id = CurrentRowID(FListView);
    ISCNavigator* navigator = Navigator();
    const auto period = Period();
    if (!navigator || id <= 0 || !period)
        return;
    if (FWorkers)
        navigator->ShowPersonSchedule(id, period->Date);
    else
        navigator->ShowWorkplaceSchedule(id, period->Date);
}

void TPeriodListFrame::ControlChanged()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    if (FSilent || !FList) {
        // A check mark toggled while nothing is bound keeps showing the setting.
        if (action == ActionPrintOnly)
            ActionPrintOnly->setChecked(FPrintOnly.Value());
        return;
    }
    TPeriodEntry* focused = FList->FocusedEntry();
    QString report;
    bool simple = false;
    if (action == ActionAdd) {
        Add();
    } else if (action == ActionEdit) {
        if (focused)
            EditEntry(focused->ID());
    } else if (action == ActionDelete) {
        if (focused)
            DeleteEntry(focused->ID(), (FWorkers ? QStringLiteral("Delete worker\r\n\"%1\"\r\nReally?")
                                                 : QStringLiteral("Delete workplace\r\n\"%1\"\r\nReally?"))
                                           .arg(EntryName(focused)));
    } else if (action == ActionSortingAsc) {
        FList->SetSortingDirection(sdAscended);
    } else if (action == ActionSortingDesc) {
        FList->SetSortingDirection(sdDescended);
    } else if (action == ActionPrintOnly) {
        // The action has inverted its check mark already.
        FPrintOnly.Write(action->isChecked());
        ActionPrintOnly->setChecked(FPrintOnly.Value());
        ReopenBelow(PUMenuPrint, TBPrint);
    } else if (action == ActionOtherSchedule) {
        ShowOtherSchedule();
    } else if (PrintReportOf(action, report, simple)) {
        Print(report, simple);
    }
}

std::unique_ptr<QMimeData> TPeriodListFrame::NewDragObject(int) const
{
    return nullptr;
}

bool TPeriodListFrame::AcceptsDrag(const QMimeData*) const
{
    return false;
}

bool TPeriodListFrame::DropPayload(const QMimeData*)
{
    return false;
}

std::unique_ptr<QMimeData> TPeriodListFrame::CreateDragObject() const
{
    const int id = CurrentRowID(FListView);
    return id > 0 ? NewDragObject(id) : nullptr;
}

void TPeriodListFrame::StartDrag()
{
    DragFromList(FListView, CreateDragObject());
}
