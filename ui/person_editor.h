// The worker dialog: edits one worker in place, committing each field as the
// user leaves it. Opened only through TPerson.Edit.
#pragma once

#include "ui/view_guard.h"

#include "data/person_man.h"
#include "ui/sc_editor_form.h"

class QDateEdit;
class QLineEdit;
class QSpinBox;
class QToolButton;

class TPersonEditor : public TSCModalEditor<TPerson> {
    Q_OBJECT
public:
    explicit TPersonEditor(QWidget* AParent = nullptr);

    TPerson* Person() const { return FObject; }
    void SetPerson(TPerson* APerson) { SetObject(APerson); }

    void DataChanged(TObject* ASender, const QString& AValueName) override;

private:
    void ControlChanged(QObject* ASender) override;

    QLineEdit* EditName;
    QLineEdit* EditSortingName;
    QToolButton* SBSetup;
    QLineEdit* EditNote;
    QDateEdit* EditDateOutFrom;
    QSpinBox* EditDaysOut;
    QLineEdit* EditNoteOut;
};
