#include "ui/orvel_app_form.h"

#include "core/program_info.h"
#include "core/screen.h"
#include "core/utils.h"
#include "data/data_watch.h"
#include "schedule/absence_notice.h"
#include "schedule/daily/daily_schedule.h"
#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"
#include "setup/setup.h"
#include "ui/history_actions.h"
#include "ui/status_panel.h"
#include "ui/view_drag.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {
constexpr int PanelMainWidth = 784;
constexpr int InitialClientHeight = 485;
constexpr int WheelNotch = 120;
// How long to wait for the window manager's frame before placing without it.
constexpr int FrameWaitMs = 3000;

TSetupMainWindow* Placement()
{
    TSetup* setup = TSetup::Instance();
    return setup ? setup->MainWindow() : nullptr;
}
} // namespace

TOrvelAppForm::TOrvelAppForm(
    TDailySchedule* ADaily, TPersonSchedule* APersons, TWorkplaceSchedule* AWorkplaces, QWidget* AParent)
    : QMainWindow(AParent),
      FDaily(ADaily),
      FPersons(APersons),
      FWorkplaces(AWorkplaces)
{
    setObjectName(QStringLiteral("OrvelAppForm"));
    auto* background = new QWidget(this);
    background->setObjectName(QStringLiteral("PanelBackground"));
    background->setAutoFillBackground(true);
    QPalette backgroundPalette = background->palette();
    backgroundPalette.setColor(QPalette::Window, backgroundPalette.color(QPalette::Inactive, QPalette::Mid));
    background->setPalette(backgroundPalette);
    auto* row = new QHBoxLayout(background);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    FPanelMain = new QWidget(background);
    FPanelMain->setObjectName(QStringLiteral("PanelMain"));
    FPanelMain->setFixedWidth(PanelMainWidth);
    auto* mainLayout = new QVBoxLayout(FPanelMain);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    FPanelData = new QWidget(FPanelMain);
    FPanelData->setObjectName(QStringLiteral("PanelData"));
    FPanelData->setAutoFillBackground(true);
    auto* dataLayout = new QVBoxLayout(FPanelData);
    dataLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(FPanelData);
    row->addStretch(1);
    row->addWidget(FPanelMain);
    row->addStretch(1);
    // In a window smaller than the content (a small screen at 200 %, say)
    // the content scrolls, so the window may fit the screen.
    auto* outerScroll = new QScrollArea(this);
    outerScroll->setObjectName(QStringLiteral("PanelOuterScroll"));
    outerScroll->setFrameShape(QFrame::NoFrame);
    outerScroll->setWidgetResizable(true);
    outerScroll->setWidget(background);
    setCentralWidget(outerScroll);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    // An undone or redone step is read by the screen shown.
    FHistoryActions = new THistoryActions(this, [this] { RefreshShownScreen(); });
    // What another copy changed is read as this copy's own changes are, once
    // no drag, menu or dialog is under way.
    FDataWatch = std::make_unique<TDataWatch>();
    // A nested event loop (a dialog, a menu, a drag, even one just closing)
    // has a caller waiting on the stack that may hold what a refresh frees.
    FDataWatch->SetGate([] {
        return QThread::currentThread()->loopLevel() <= 1 && !QApplication::activeModalWidget()
               && !QApplication::activePopupWidget() && !DragUnderWay();
    });
    FDataWatch->SetListener([this](int) { RefreshShownScreen(); });

    // Planning notices go to the status bar's third panel for a while; a
    // long one is cut to half the window, whole in its tool tip.
    FNoticeTimer.setSingleShot(true);
    FNoticeTimer.setInterval(NoticeMilliseconds);
    connect(&FNoticeTimer, &QTimer::timeout, this, [this] { SetStatusPanel(statusBar(), 2, QString()); });
    SetPlanNoticeSink([this](const QString& AText) {
        SetStatusPanel(statusBar(), 2, AText);
        QLabel* panel = StatusPanel(statusBar(), 2);
        const int room = std::max(200, width() / 2);
        const QString shown = panel->fontMetrics().elidedText(AText, Qt::ElideRight, room);
        if (shown != AText)
            SetStatusPanel(statusBar(), 2, shown);
        panel->setToolTip(AText);
        FNoticeTimer.start();
    });

    FitMinimumToScreen(QSize(0, 0));
    resize(PanelMainWidth, InitialClientHeight);
    FPlacementTimer.setInterval(20);
    connect(&FPlacementTimer, &QTimer::timeout, this, &TOrvelAppForm::PlaceWhenFrameKnown);
    SetFrameAllowanceProvider([this]() -> std::optional<QSize> {
        if (!FShownOnce)
            return std::nullopt;
        return FrameAllowance();
    });
    if (TSetup* setup = TSetup::Instance())
        setup->SetMainWindowView(this);
    SetNavigator(this);
    qApp->installEventFilter(this);
    FormCreate();
}

TOrvelAppForm::~TOrvelAppForm()
{
    qApp->removeEventFilter(this);
    StorePlacement();
    // The screens belong to their models: take them off before the panel dies.
    FormHide();
    if (Navigator() == this)
        SetNavigator(nullptr);
    if (TSetup* setup = TSetup::Instance())
        setup->SetMainWindowView(nullptr);
    SetFrameAllowanceProvider(nullptr);
    SetPlanNoticeSink(nullptr);
}

void TOrvelAppForm::FitMinimumToScreen(const QSize& AFrame)
{
    const TSetupMainWindow* placement = Placement();
    const QSize wanted(
        placement ? placement->MinClientWidth() : PanelMainWidth, placement ? placement->MinClientHeight() : 465);
    // The usual minimum gives way on a screen too small for it.
    const QSize room = AvailableScreenArea(geometry().center()).size() - AFrame;
    setMinimumSize(wanted.boundedTo(room.expandedTo(QSize(1, 1))));
}

QSize TOrvelAppForm::FrameAllowance() const
{
    return frameGeometry().size() - geometry().size();
}

bool TOrvelAppForm::FrameKnown() const
{
    const QSize frame = FrameAllowance();
    return frame.width() > 0 || frame.height() > 0;
}

void TOrvelAppForm::ApplyStoredPlacement()
{
    TSetupMainWindow* placement = Placement();
    if (!placement)
        return;
    // The stored rectangle is the outer one; the whole of it must fit the
    // screen the window opens on.
    const QSize frame = FrameAllowance();
    const QRect stored(placement->Left(), placement->Top(), placement->Width(), placement->Height());
    FitMinimumToScreen(frame);
    const QRect outer = FitIntoArea(stored, AvailableScreenArea(stored.center()), minimumSize() + frame);
    resize(outer.size() - frame);
    move(outer.topLeft());
}

void TOrvelAppForm::PlaceWhenFrameKnown()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) {
        FPlacementTimer.stop();
        return;
    }
    if (!FrameKnown() && FPlacementWait.elapsed() < FrameWaitMs) {
        FPlacementTimer.start();
        return;
    }
    FPlacementTimer.stop();
    ApplyStoredPlacement();
}

void TOrvelAppForm::FormCreate()
{
    if (TSetupMainWindow* placement = Placement()) {
        ApplyStoredPlacement();
        if (placement->WindowState() == wsMaximized)
            setWindowState(Qt::WindowMaximized);
    }
    DataChanged(nullptr, QString());
}

void TOrvelAppForm::StorePlacement()
{
    TSetupMainWindow* placement = Placement();
    if (!placement || !FShownOnce)
        return;
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized)
        placement->SetWindowState(wsMinimized);
    else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        placement->SetWindowState(wsMaximized);
    else
        placement->SetWindowState(wsNormal);
    if (placement->WindowState() == wsNormal) {
        const QRect outer = frameGeometry();
        // Size first: the position clamps take the size into account.
        placement->SetWidth(outer.width());
        placement->SetHeight(outer.height());
        placement->SetLeft(outer.left());
        placement->SetTop(outer.top());
    }
}

void TOrvelAppForm::showEvent(QShowEvent* AEvent)
{
    QMainWindow::showEvent(AEvent);
    if (AEvent->spontaneous())
        return;
    if (!FShownOnce) {
        FShownOnce = true;
        // A window manager tells the frame some time after the window
        // appears; until then the outer size is not known.
        FPlacementWait.start();
        QTimer::singleShot(0, this, &TOrvelAppForm::PlaceWhenFrameKnown);
    }
    ShowDailySchedule(0);
}

void TOrvelAppForm::hideEvent(QHideEvent* AEvent)
{
    QMainWindow::hideEvent(AEvent);
    if (!AEvent->spontaneous())
        FormHide();
}

void TOrvelAppForm::closeEvent(QCloseEvent* AEvent)
{
    StorePlacement();
    QMainWindow::closeEvent(AEvent);
}

void TOrvelAppForm::FormHide()
{
    SetScrollBox(nullptr);
    HideAllBut(nullptr);
}

void TOrvelAppForm::HideAllBut(const void* AShown)
{
    if (FDaily && AShown != FDaily)
        FDaily->HideFrameEditor(FPanelData);
    if (FPersons && AShown != FPersons)
        FPersons->HideFrameEditor(FPanelData);
    if (FWorkplaces && AShown != FWorkplaces)
        FWorkplaces->HideFrameEditor(FPanelData);
}

void TOrvelAppForm::SetScrollBox(QObject* AScrollBox)
{
    FScrollBox = qobject_cast<QScrollArea*>(AScrollBox);
    FWheelRemainder = 0;
}

template <class TSchedule, class TPrepare>
void TOrvelAppForm::ShowSchedule(TSchedule* ASchedule, TPrepare APrepare)
{
    HideAllBut(ASchedule);
    // A screen already shown keeps its date and subject.
    if (!ASchedule || !ASchedule->CanShowFrameEditor())
        return;
    APrepare(ASchedule);
    QObject* scrollBox = nullptr;
    ASchedule->ShowFrameEditor(FPanelData, &scrollBox);
    SetScrollBox(scrollBox);
}

void TOrvelAppForm::ShowDailySchedule(TDate ADate)
{
    ShowSchedule(FDaily, [ADate](TDailySchedule* ASchedule) {
        ASchedule->SetDate(ADate);
        ASchedule->Refresh(dsrkAll);
    });
}

void TOrvelAppForm::ShowPersonSchedule(int APersonID, TDate ADate)
{
    ShowSchedule(FPersons, [APersonID, ADate](TPersonSchedule* ASchedule) {
        ASchedule->SetPersonID(APersonID);
        ASchedule->SetDate(ADate);
        ASchedule->Refresh(psrkAll);
    });
}

void TOrvelAppForm::ShowWorkplaceSchedule(int AWorkplaceID, TDate ADate)
{
    ShowSchedule(FWorkplaces, [AWorkplaceID, ADate](TWorkplaceSchedule* ASchedule) {
        ASchedule->SetWorkplaceID(AWorkplaceID);
        ASchedule->SetDate(ADate);
        ASchedule->Refresh(wsrkAll);
    });
}

void TOrvelAppForm::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSetup* setup = TSetup::Instance();
    if (!ASender) {
        setWindowTitle(QStringLiteral("Plenvo"));
        SetStatusPanel(statusBar(), 0, ProgramVersion());
    }
    if ((!ASender || ASender == setup) && AValueName.isEmpty() && setup) {
        const TDataLocation location = setup->Data()->Location();
        SetStatusPanel(
            statusBar(), 1, location.IsServer() ? location.Describe() : ExcludeBackslash(setup->Data()->DataDir()));
    }
    // After a maintenance or a move the tables were reopened: the shown
    // screen reads its day or period again from them.
    if (ASender && ASender == setup && AValueName == QLatin1String("DataReopened"))
        RefreshShownScreen();
}

void TOrvelAppForm::RefreshShownScreen()
{
    if (FDaily && !FDaily->CanShowFrameEditor())
        FDaily->Refresh(dsrkAll);
    if (FPersons && !FPersons->CanShowFrameEditor())
        FPersons->Refresh(psrkAll);
    if (FWorkplaces && !FWorkplaces->CanShowFrameEditor())
        FWorkplaces->Refresh(wsrkAll);
}

bool TOrvelAppForm::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AEvent->type() != QEvent::Wheel || !FScrollBox || !FScrollBox->isVisible())
        return QMainWindow::eventFilter(AWatched, AEvent);
    auto* widget = qobject_cast<QWidget*>(AWatched);
    if (!widget || widget->window() != this)
        return QMainWindow::eventFilter(AWatched, AEvent);
    auto* wheel = static_cast<QWheelEvent*>(AEvent);
    const QRect area(FScrollBox->mapToGlobal(QPoint(0, 0)), FScrollBox->size());
    const QPoint pointer = wheel->globalPosition().toPoint();
    // Strictly inside: the border rows and columns do not count.
    if (pointer.x() <= area.left() || pointer.x() >= area.right() || pointer.y() <= area.top()
        || pointer.y() >= area.bottom())
        return QMainWindow::eventFilter(AWatched, AEvent);
    // A notch is one line; finer wheels (touch pads) gather to a notch first.
    FWheelRemainder += wheel->angleDelta().y();
    if (std::abs(FWheelRemainder) >= WheelNotch || wheel->angleDelta().y() == 0) {
        QScrollBar* bar = FScrollBox->verticalScrollBar();
        if (FWheelRemainder < 0)
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        else if (FWheelRemainder > 0)
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        FWheelRemainder = 0;
    }
    return true;
}
