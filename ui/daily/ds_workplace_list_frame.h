// The workplace side of the daily schedule page: a tool bar for workplaces,
// printing and templates above a scrolling stack of workplace panels, of
// which only those in and near the view are built.
#pragma once

#include "ui/view_guard.h"

#include "schedule/export/plan_export.h"
#include "ui/sc_frame.h"

#include <vector>

class QAction;
class QKeyEvent;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class TDSWorkplace;
class TDSWorkplaceFrame;
class TDSWorkplaceList;
class TFocusFrame;

class TDSWorkplaceListFrame : public TSCFrame {
    Q_OBJECT
public:
    explicit TDSWorkplaceListFrame(QWidget* AParent = nullptr);
    ~TDSWorkplaceListFrame() override;

    TDSWorkplaceList* Workplaces() const { return FWorkplaces; }
    // Binds the view to a list (or none) and redraws everything.
    void SetWorkplaces(TDSWorkplaceList* AValue);
    // The area the main window's wheel scrolls.
    QScrollArea* ScrollBox() const { return FScrollBox; }

    void DataChanged(TObject* ASender, const QString& AValueName) override;

    // The template name a menu caption carries after its leading text.
    static QString TemplateNameFromCaption(const QString& ACaption, const QString& AResourceText);

    // Gives the keyboard focus to the panel of the workplace AIndex, or to
    // its row ARow (-1: the panel itself), scrolling it into view and
    // building it first; false when there is no such panel or row.
    bool FocusPanel(int AIndex, int ARow = -1);
    // Scrolls the panel of the workplace AID into view, focus left alone.
    void ShowWorkplace(int AID);

private slots:
    void ControlChanged();
    void PUMenuApplyTemplatePopup();
    void PUMenuSaveTemplatePopup();
    void PUMenuPrintPopup();

protected:
    void resizeEvent(QResizeEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    // Tab leaves the panels for the next area at once.
    bool focusNextPrevChild(bool ANext) override;

private:
    // Drop-down buttons show their captions while the bar has room for
    // them, else only their pictures (the captions stay as tool tips).
    void FitToolBar();
    QAction* NewMenuEntry(QMenu* AMenu, const QString& AName, const QString& ACaption);
    QToolButton* NewDropDownButton(const QString& AName, const QString& ACaption, const QString& AHint, QMenu* AMenu);
    void UpdateActions();
    // Measures every workplace anew and binds the panels in and near the view.
    void RebuildPanels();
    // Measures one workplace again after its rows or note line changed.
    void RemeasurePanel(const TDSWorkplace* AWorkplace);
    // Binds panels to the workplaces in and near the view and frees the rest.
    void ShowPanelsInView();
    // Sets the content's height to the panels' and of each bound panel its place.
    void PlacePanels();
    void RetirePanels();
    // Saves the day's pairs as the template AName; asks for a name when empty.
    void SaveTemplate(const QString& AName);
    // The shown day, or (AFormat none) a range of days the user chooses.
    void Export(const TExportFormat* AFormat);
    void ApplyTemplate(const QString& AName);
    // The workplace index and row (-1: the panel) of the focused panel or
    // row; false when the focus is on none.
    bool FocusedPlace(int& AIndex, int& ARow) const;
    // The keys of the panels and their rows; false for another key.
    bool PanelKey(const QKeyEvent* AEvent);
    // Scrolls so that content pixels [ATop, ABottom) show, as much as fits.
    void ScrollToShow(int ATop, int ABottom);

    TDSWorkplaceList* FWorkplaces = nullptr;
    QToolBar* ToolBar;
    QScrollArea* FScrollBox;
    QWidget* FScrollContent;
    QVBoxLayout* FPanelsLayout;
    QWidget* PanelInfo;
    // The top of each workplace's panel in the content, then the bottom of all.
    std::vector<int> FOffsets;
    // The panel bound to each workplace of the list; none where not built.
    std::vector<TDSWorkplaceFrame*> FShown;
    // FShown is set in [FFirst, FLast) only.
    int FFirst = 0;
    int FLast = 0;
    // Hidden panels kept for reuse.
    std::vector<TDSWorkplaceFrame*> FSpare;
    bool FPlacing = false;
    // The panel the keyboard was on last, where Tab comes back to.
    int FKeyPanel = 0;
    // True while Tab passes the focus through the area on to the next one.
    bool FPassingFocus = false;
    TFocusFrame* FFocusFrame;

    QAction* ActionAdd;
    QAction* ActionSortingAsc;
    QAction* ActionSortingDesc;
    QAction* ActionAddTemplate;
    QAction* ActionPrintReportGeneral;
    QAction* ActionPrintReportFull;
    QAction* ActionPrintReportTwoCol;
    QAction* ActionPrintReportWorkplacesGeneral;
    QAction* ActionPrintReportWorkplacesFull;
    QAction* ActionPrintReportWorkplacesTwoCol;
    QAction* ActionPrintOccupiedWorkplacesOnly;

    QMenu* PUMenuPrint;
    QMenu* PUMenuApplySystemTemplate;
    QMenu* PUMenuApplyTemplate;
    QMenu* PUMenuSaveTemplate;
    QAction* PUMenuSaveTemplateAdd;

    QToolButton* TBPrint;
};
