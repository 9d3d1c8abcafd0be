// The workplace dialog: edits one workplace in place, with a colour field and
// a strip of light colours to pick from. Opened only through TWorkplace.Edit.
#pragma once

#include "ui/view_guard.h"

#include "data/workplace_man.h"
#include "ui/sc_editor_form.h"

#include <QImage>

class QLabel;
class QLineEdit;

class TWorkplaceEditor : public TSCModalEditor<TWorkplace> {
    Q_OBJECT
public:
    explicit TWorkplaceEditor(QWidget* AParent = nullptr);

    TWorkplace* Workplace() const { return FObject; }
    void SetWorkplace(TWorkplace* AWorkplace) { SetObject(AWorkplace); }
    // The strip colour under the pointer at the last press on the strip.
    TColor PickedColor() const { return FColor; }

    void DataChanged(TObject* ASender, const QString& AValueName) override;

    // The text the colour field shows: "$" and the value as 8 hex digits.
    static QString ColorText(TColor AColor);

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void ControlChanged(QObject* ASender) override;
    void ControlMouseDown(QObject* ASender, Qt::MouseButton AButton, Qt::KeyboardModifiers AShift, int AX, int AY);
    void SelectColor();

    TColor FColor = 0;
    // The press that a click on the strip applies.
    bool FPalettePressed = false;
    QImage FPaletteImage;

    QLineEdit* EditName;
    QLineEdit* EditShortcut;
    QLineEdit* EditColor;
    QLabel* ImageColors;
    QLineEdit* EditNote;
};
