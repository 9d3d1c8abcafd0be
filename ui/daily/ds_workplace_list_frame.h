// The workplace side of the daily schedule page: a tool bar for workplaces,
// printing and templates above a scrolling stack of workplace panels.
#pragma once

#include "ui/view_guard.h"

#include "ui/sc_frame.h"

class QScrollArea;
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

private:
    TDSWorkplaceList* FWorkplaces = nullptr;
    QScrollArea* FScrollBox = nullptr;
};
