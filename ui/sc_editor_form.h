// Base of the modal dialogs that edit one model object in place: OK and
// Cancel, the question before unsaved changes are dropped and the Enter walk.
#pragma once

#include "ui/view_guard.h"

#include "core/observable.h"
#include "ui/sc_form.h"

#include <initializer_list>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class TSCEditorForm : public TSCForm {
    Q_OBJECT
public:
    // ASaveQuestion is asked when the dialog closes with something to save.
    explicit TSCEditorForm(QString ASaveQuestion, QWidget* AParent = nullptr);

    void done(int AResult) override;

protected:
    template <class T>
    static T* Named(T* AWidget, const char* AName)
    {
        AWidget->setObjectName(QString::fromLatin1(AName));
        return AWidget;
    }
    static QLabel* RowLabel(const char* ACaption);
    // Whether AValueName announces AName: the name, or the starred name of a
    // value that was set unchanged.
    static bool IsValueName(const QString& AValueName, const char* AName);
    // Width of the inputs at 96 dpi; the layout grows them when the text needs more room.
    static constexpr int InputColumnWidth = 250;

    // Adds ButtonOK and ButtonCancel, right-aligned, to ARow.
    void AddButtons(QHBoxLayout* ARow, const QString& ACancelCaption);
    // Lays the dialog out as AFields (labels left, inputs right) above the
    // bottom panel with the buttons, at a fixed size that still grows with its fonts.
    void LayOutFields(QGridLayout* AFields);
    // OK only with something to save; the other button then says it cancels.
    void SetCanSave(bool ACanSave);

    // The fields Enter walks through, then Cancel and OK; also the tab order.
    // On them Escape closes, and a text field of FCommitEdits commits when left.
    void SetEnterWalk(std::initializer_list<QWidget*> AFields);
    virtual void MoveFocusOnEnter(QWidget* AFrom);
    void FormShow() override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

    // Hands the control's value to the edited object.
    virtual void ControlChanged(QObject* ASender) = 0;
    // Escape or a click that took no focus still keeps what was typed.
    void CommitFocusedEdit();
    virtual bool CloseBlocked() const { return FClosing; }
    // OK that came while OK is disabled, e.g. by the field just committed.
    virtual bool AcceptRefused() const;

    // The text fields that commit on closing.
    std::vector<QLineEdit*> FCommitEdits;
    // Set once the dialog has decided to close: late focus changes commit nothing.
    bool FClosing = false;

    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    bool InWalk(QObject* AControl) const;

    QString FSaveQuestion;
    std::vector<QWidget*> FEnterWalk;
};

// The modal editor plumbing for one TModel: binding, showing, and letting go
// of the object's Editor when the dialog goes first.
template <class TModel, class TInterface = ISCModalEditor>
class TSCModalEditor : public TSCEditorForm, public TInterface {
public:
    explicit TSCModalEditor(QString ASaveQuestion, QWidget* AParent = nullptr)
        : TSCEditorForm(std::move(ASaveQuestion), AParent)
    {
    }
    ~TSCModalEditor() override
    {
        FClosing = true;
        if (FObject && FObject->Editor() == static_cast<ISCModalEditor*>(this))
            FObject->SetEditor(nullptr);
    }

    void Bind(TObject* AObject) override { SetObject(dynamic_cast<TModel*>(AObject)); }
    bool ExecModal() override { return exec() == QDialog::Accepted; }
    void DataChanged(TObject* ASender, const QString& AValueName) override = 0;

protected:
    void SetObject(TModel* AObject)
    {
        FObject = AObject;
        DataChanged(FObject, QString());
    }

    TModel* FObject = nullptr;
};
