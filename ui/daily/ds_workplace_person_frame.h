// One worker's row inside a workplace panel of the daily schedule: absence
// picture, draggable name, his workplaces of the day and a remove button.
#pragma once

#include "ui/view_guard.h"

#include "ui/daily/ds_workplace_drop_frame.h"
#include "ui/view_drag.h"

#include <memory>

class QLabel;
class QToolButton;
class TDSWorkplacePerson;
class TDSWorkplacePersonDragObjectEx;
class TSCLabel;

class TDSWorkplacePersonFrame : public TDSWorkplaceDropFrame {
    Q_OBJECT
public:
    explicit TDSWorkplacePersonFrame(QWidget* AParent = nullptr);
    ~TDSWorkplacePersonFrame() override;

    TDSWorkplacePerson* Person() const { return FPerson; }
    // Binds the row to a worker item (or none) and redraws everything.
    void SetPerson(TDSWorkplacePerson* AValue);
    // Forgets the item without touching it (AItemAlive false: it is gone).
    void Unbind(bool AItemAlive);

    void DataChanged(TObject* ASender, const QString& AValueName) override;
    // Takes the worker off the workplace, as the row's button does.
    void RemoveFromWorkplace();

    // The payload a drag of the name starts with; none when the row's worker
    // has no workplace.
    std::unique_ptr<TDSWorkplacePersonDragObjectEx> CreateDragObject() const;
    // The full texts of the name and workplaces labels (the labels may show
    // them shortened).
    const QString& NameText() const { return FNameText; }
    const QString& WorkplacesText() const { return FWorkplacesText; }

    // The height of a row in the current font.
    static int RowHeight(const QWidget* AWidget);

protected:
    void resizeEvent(QResizeEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    // A worker dropped on a row goes to the row's workplace.
    TDSWorkplace* DropTarget() const override;

private slots:
    void ControlChanged();

private:
    void ControlDragStart();
    void ShowTexts();
    void PlaceControls();

    TDSWorkplacePerson* FPerson = nullptr;
    QWidget* PanelLeft;
    QLabel* ImageIsOut;
    TSCLabel* LabelName;
    QWidget* PanelRight;
    QLabel* LabelWorkplaces;
    QToolButton* SBDelete;
    QString FNameText;
    QString FWorkplacesText;
    TDragStartWatch FDragWatch;
};
