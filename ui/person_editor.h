// The worker dialog: edits one worker in place, committing each field as the
// user leaves it. Opened only through TPerson.Edit.
#pragma once

#include "ui/view_guard.h"

#include "data/person_man.h"
#include "ui/sc_form.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

class TPersonEditor : public TSCForm, public ISCModalEditor {
    Q_OBJECT
public:
    explicit TPersonEditor(QWidget* AParent = nullptr);
    ~TPersonEditor() override;

    TPerson* Person() const { return FPerson; }
    void SetPerson(TPerson* APerson);

    void Bind(TObject* AObject) override { SetPerson(dynamic_cast<TPerson*>(AObject)); }
    bool ExecModal() override { return exec() == QDialog::Accepted; }
    void DataChanged(TObject* ASender, const QString& AValueName) override;

    void done(int AResult) override;

protected:
    void FormShow() override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void ControlChanged(QObject* ASender);
    void FormKeyPress(QWidget* AFrom);
    void CommitFocusedEdit();

    TPerson* FPerson = nullptr;
    // Set once the dialog has decided to close: late focus changes commit nothing.
    bool FClosing = false;

    QLineEdit* EditName;
    QLineEdit* EditSortingName;
    QToolButton* SBSetup;
    QLineEdit* EditNote;
    QDateEdit* EditDateOutFrom;
    QSpinBox* EditDaysOut;
    QLineEdit* EditNoteOut;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;
};
