// The panel of one workplace on the daily schedule: a header in the
// workplace's colour and one row per worker at it; workers are dropped here.
#pragma once

#include "ui/view_guard.h"

#include "ui/daily/ds_workplace_drop_frame.h"

#include <vector>

class QLabel;
class QToolButton;
class TDSWorkplace;
class TDSWorkplacePersonFrame;

class TDSWorkplaceFrame : public TDSWorkplaceDropFrame {
    Q_OBJECT
public:
    explicit TDSWorkplaceFrame(QWidget* AParent = nullptr);
    ~TDSWorkplaceFrame() override;

    TDSWorkplace* Workplace() const { return FWorkplace; }
    // Binds the panel to a workplace item (or none) and redraws everything.
    void SetWorkplace(TDSWorkplace* AValue);
    // Forgets the item and its rows' items (AItemAlive false: they are gone).
    void Unbind(bool AItemAlive);

    void DataChanged(TObject* ASender, const QString& AValueName) override;

    // The row of the workplace's AIndex-th worker; none past them.
    TDSWorkplacePersonFrame* Row(int AIndex) const;
    // What the header's small buttons do, for their keys.
    void EditWorkplace();
    void DeleteWorkplace();

    // The header heights in the current fonts.
    int TopLineHeight() const;
    int NoteLineHeight() const;
    // The height of a panel of AWorkplace in AWidget's font, known without
    // building it: the list places its panels by it.
    static int HeightFor(const QWidget* AWidget, const TDSWorkplace* AWorkplace);

protected:
    void resizeEvent(QResizeEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    TDSWorkplace* DropTarget() const override { return FWorkplace; }

private slots:
    void ControlChanged();

private:
    void EnableCommands(bool AValue);
    void SetDeletedLook();
    void SetColors();
    void RebuildRows();
    // Unbinds every row and keeps it for reuse.
    void UnbindRows(bool AItemsAlive);
    void SetLiveLook();
    void PlaceRows();
    void SetAccessibleTexts();

    TDSWorkplace* FWorkplace = nullptr;
    QWidget* PanelTop;
    QWidget* PanelTopTop;
    QLabel* LabelShortcut;
    QLabel* LabelName;
    QLabel* LabelNote;
    QToolButton* SBEdit;
    QToolButton* SBDelete;
    std::vector<TDSWorkplacePersonFrame*> FRows;
    bool FDeletedLook = false;
};
