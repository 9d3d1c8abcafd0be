// The workplace dialog: edits one workplace in place, with a colour field and
// a strip of light colours to pick from. Opened only through TWorkplace.Edit.
#pragma once

#include "ui/view_guard.h"

#include "data/workplace_man.h"
#include "ui/sc_form.h"

#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;

class TWorkplaceEditor : public TSCForm, public ISCModalEditor {
    Q_OBJECT
public:
    explicit TWorkplaceEditor(QWidget* AParent = nullptr);
    ~TWorkplaceEditor() override;

    TWorkplace* Workplace() const { return FWorkplace; }
    void SetWorkplace(TWorkplace* AWorkplace);
    // The strip colour under the pointer at the last press on the strip.
    TColor PickedColor() const { return FColor; }

    void Bind(TObject* AObject) override { SetWorkplace(dynamic_cast<TWorkplace*>(AObject)); }
    bool ExecModal() override { return exec() == QDialog::Accepted; }
    void DataChanged(TObject* ASender, const QString& AValueName) override;

    void done(int AResult) override;

    // The text the colour field shows: "$" and the value as 8 hex digits.
    static QString ColorText(TColor AColor);

protected:
    void FormShow() override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void ControlChanged(QObject* ASender);
    void ControlMouseDown(QObject* ASender, Qt::MouseButton AButton, Qt::KeyboardModifiers AShift, int AX, int AY);
    void FormKeyPress(QWidget* AFrom);
    void CommitFocusedEdit();
    void SelectColor();

    TWorkplace* FWorkplace = nullptr;
    TColor FColor = 0;
    bool FClosing = false;
    // The press that a click on the strip applies.
    bool FPalettePressed = false;
    QImage FPaletteImage;

    QLineEdit* EditName;
    QLineEdit* EditShortcut;
    QLineEdit* EditColor;
    QLabel* ImageColors;
    QLineEdit* EditNote;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;
};
