// The workplace side of the daily schedule page: a tool bar for workplaces,
// printing and templates above a scrolling stack of workplace panels.
#pragma once

#include "ui/view_guard.h"

#include "schedule/export/plan_export.h"
#include "ui/sc_frame.h"

#include <vector>

class QAction;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class TDSWorkplaceFrame;
class TDSWorkplaceList;

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

private slots:
    void ControlChanged();
    void PUMenuApplyTemplatePopup();
    void PUMenuSaveTemplatePopup();
    void PUMenuPrintPopup();

protected:
    void resizeEvent(QResizeEvent* AEvent) override;

private:
    // Drop-down buttons show their captions while the bar has room for
    // them, else only their pictures (the captions stay as tool tips).
    void FitToolBar();
    QAction* NewMenuEntry(QMenu* AMenu, const QString& AName, const QString& ACaption);
    QToolButton* NewDropDownButton(const QString& AName, const QString& ACaption, const QString& AHint, QMenu* AMenu);
    void UpdateActions();
    void RebuildPanels();
    void RetirePanels();
    // Saves the day's pairs as the template AName; asks for a name when empty.
    void SaveTemplate(const QString& AName);
    // The shown day, or (AFormat none) a range of days the user chooses.
    void Export(const TExportFormat* AFormat);
    void ApplyTemplate(const QString& AName);

    TDSWorkplaceList* FWorkplaces = nullptr;
    QToolBar* ToolBar;
    QScrollArea* FScrollBox;
    QWidget* FScrollContent;
    QVBoxLayout* FPanelsLayout;
    QWidget* PanelInfo;
    std::vector<TDSWorkplaceFrame*> FPanels;

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
