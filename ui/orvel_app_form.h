// The main window: hosts one of the three schedule screens at a time in its
// data panel, keeps its placement in the settings, scrolls the shown screen
// with the mouse wheel, shows the version and data folder, and follows what
// another copy of the program changes in the folder.
#pragma once

#include "ui/view_guard.h"

#include "core/observable.h"
#include "ui/navigator.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QScrollArea>
#include <QTimer>

#include <memory>

class QStatusBar;
class TDataWatch;
class TDailySchedule;
class TPersonSchedule;
class TWorkplaceSchedule;
class THistoryActions;

class TOrvelAppForm : public QMainWindow, public ISCView, public ISCNavigator {
    Q_OBJECT
public:
    // How long a planning notice stays in the status bar.
    static constexpr int NoticeMilliseconds = 20000;

    // The schedules are not owned; any of them may be none.
    TOrvelAppForm(
        TDailySchedule* ADaily, TPersonSchedule* APersons, TWorkplaceSchedule* AWorkplaces, QWidget* AParent = nullptr);
    ~TOrvelAppForm() override;

    void ShowDailySchedule(TDate ADate) override;
    void ShowPersonSchedule(int APersonID, TDate ADate) override;
    void ShowWorkplaceSchedule(int AWorkplaceID, TDate ADate) override;

    void DataChanged(TObject* ASender, const QString& AValueName) override;

    QWidget* PanelMain() const { return FPanelMain; }
    QWidget* PanelData() const { return FPanelData; }
    // The scroll area the wheel scrolls, or none.
    QScrollArea* ScrollBox() const { return FScrollBox; }
    bool ShutDownWindowsSignaled() const { return FShutDownWindowsSignaled; }
    // Records that the session ends (log-off, shutdown signal).
    void SetShutDownWindowsSignaled() { FShutDownWindowsSignaled = true; }

    // Stores the placement now (also done when the window is destroyed).
    void StorePlacement();

protected:
    void showEvent(QShowEvent* AEvent) override;
    void hideEvent(QHideEvent* AEvent) override;
    void closeEvent(QCloseEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void FormCreate();
    void FormHide();
    // The shown screen reads its day or period again.
    void RefreshShownScreen();
    void HideAllBut(const void* AShown);
    // Shows a schedule's screen unless it is shown already; APrepare sets the
    // schedule's subject and date and refreshes it first.
    template <class TSchedule, class TPrepare>
    void ShowSchedule(TSchedule* ASchedule, TPrepare APrepare);
    void SetScrollBox(QObject* AScrollBox);
    // Applies the stored outer rectangle, fitted to its screen, with the frame
    // known so far.
    void ApplyStoredPlacement();
    // The least client size: the usual one, or less on a screen too small
    // for it with a frame of AFrame.
    void FitMinimumToScreen(const QSize& AFrame);
    bool FrameKnown() const;
    // Places the window once the frame is known (or waited for long enough).
    void PlaceWhenFrameKnown();
    QSize FrameAllowance() const;

    THistoryActions* FHistoryActions = nullptr;
    std::unique_ptr<TDataWatch> FDataWatch;
    TDailySchedule* FDaily;
    TPersonSchedule* FPersons;
    TWorkplaceSchedule* FWorkplaces;
    QWidget* FPanelMain = nullptr;
    QWidget* FPanelData = nullptr;
    QPointer<QScrollArea> FScrollBox;
    QTimer FPlacementTimer;
    // Takes a planning notice off the status bar again.
    QTimer FNoticeTimer;
    QElapsedTimer FPlacementWait;
    int FWheelRemainder = 0;
    bool FShownOnce = false;
    bool FPlacementStored = false;
    bool FShutDownWindowsSignaled = false;
};
