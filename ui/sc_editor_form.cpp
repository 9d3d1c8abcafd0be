#include "ui/sc_editor_form.h"

#include "core/dialogs.h"

#include <QAbstractSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The label column and the bottom panel at 96 dpi.
constexpr int LabelColumnWidth = 215;
constexpr int BottomPanelHeight = 41;
} // namespace

TSCEditorForm::TSCEditorForm(QString ASaveQuestion, QWidget* AParent)
    : TSCForm(AParent),
      FSaveQuestion(std::move(ASaveQuestion))
{
}

QLabel* TSCEditorForm::RowLabel(const char* ACaption)
{
    auto* label = new QLabel(QString::fromLatin1(ACaption));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

bool TSCEditorForm::IsValueName(const QString& AValueName, const char* AName)
{
    const QString name = QString::fromLatin1(AName);
    return AValueName == name || AValueName == name + QLatin1Char('*');
}

void TSCEditorForm::AddButtons(QHBoxLayout* ARow, const QString& ACancelCaption)
{
    ButtonOK = Named(new QPushButton(QStringLiteral("OK")), "ButtonOK");
    ButtonCancel = Named(new QPushButton(ACancelCaption), "ButtonCancel");
    ButtonOK->setAutoDefault(false);
    ButtonCancel->setAutoDefault(false);
    ARow->addStretch();
    ARow->addWidget(ButtonOK);
    ARow->addWidget(ButtonCancel);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TSCEditorForm::LayOutFields(QGridLayout* AFields)
{
    AFields->setColumnMinimumWidth(0, LabelColumnWidth);
    AFields->setColumnStretch(1, 1);

    auto* bottom = new QWidget;
    bottom->setObjectName(QStringLiteral("PanelBottom"));
    bottom->setMinimumHeight(BottomPanelHeight);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->setContentsMargins(0, 0, 0, 0);
    AddButtons(buttons, QStringLiteral("Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(AFields);
    layout->addStretch();
    layout->addWidget(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSCEditorForm::SetCanSave(bool ACanSave)
{
    ButtonOK->setEnabled(ACanSave);
    ButtonCancel->setText(ButtonOK->isEnabled() ? QStringLiteral("Cancel") : QStringLiteral("Close"));
}

void TSCEditorForm::SetEnterWalk(std::initializer_list<QWidget*> AFields)
{
    // Tab follows the Enter walk: the cancel button before OK.
    FEnterWalk.assign(AFields);
    FEnterWalk.push_back(ButtonCancel);
    FEnterWalk.push_back(ButtonOK);
    for (auto it = FEnterWalk.begin(); it + 1 != FEnterWalk.end(); ++it)
        QWidget::setTabOrder(*it, *(it + 1));
    // Keys reach the dialog before its controls.
    for (QWidget* control : FEnterWalk) {
        control->installEventFilter(this);
        // A picker types into an inner line edit, which sees the keys first.
        if (qobject_cast<QAbstractSpinBox*>(control))
            if (auto* inner = control->findChild<QLineEdit*>())
                inner->installEventFilter(this);
    }
}

bool TSCEditorForm::InWalk(QObject* AControl) const
{
    return std::find(FEnterWalk.begin(), FEnterWalk.end(), AControl) != FEnterWalk.end();
}

void TSCEditorForm::MoveFocusOnEnter(QWidget* AFrom)
{
    if (AFrom == ButtonOK) {
        ButtonOK->click();
        return;
    }
    auto at = std::find(FEnterWalk.begin(), FEnterWalk.end(), AFrom);
    if (at == FEnterWalk.end() || at + 1 == FEnterWalk.end())
        return;
    QWidget* next = *(at + 1);
    if (next != ButtonOK || ButtonOK->isEnabled())
        next->setFocus(Qt::TabFocusReason);
}

void TSCEditorForm::FormShow()
{
    if (!FEnterWalk.empty())
        FEnterWalk.front()->setFocus();
}

bool TSCEditorForm::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AEvent->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(AEvent);
        auto* from = qobject_cast<QWidget*>(AWatched);
        if (from && qobject_cast<QAbstractSpinBox*>(from->parentWidget()))
            from = from->parentWidget();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (from)
                MoveFocusOnEnter(from);
            return true;
        }
        if (key->key() == Qt::Key_Escape && InWalk(from)) {
            reject();
            return true;
        }
    } else if (AEvent->type() == QEvent::FocusOut && InWalk(AWatched)) {
        if (std::find(FCommitEdits.begin(), FCommitEdits.end(), AWatched) != FCommitEdits.end())
            ControlChanged(AWatched);
    }
    return TSCForm::eventFilter(AWatched, AEvent);
}

void TSCEditorForm::CommitFocusedEdit()
{
    for (QLineEdit* edit : FCommitEdits)
        if (edit->hasFocus())
            ControlChanged(edit);
}

bool TSCEditorForm::AcceptRefused() const
{
    return !ButtonOK->isEnabled();
}

void TSCEditorForm::done(int AResult)
{
    if (CloseBlocked())
        return;
    CommitFocusedEdit();
    if (AResult == QDialog::Accepted && AcceptRefused())
        return;
    if (AResult != QDialog::Accepted && ButtonOK->isEnabled()) {
        const int answer = ShowMessageBox(FSaveQuestion, mtConfirmation, mbYes | mbNo | mbCancel);
        if (answer == mrYes)
            AResult = QDialog::Accepted;
        else if (answer != mrNo)
            return;
    }
    FClosing = true;
    TSCForm::done(AResult);
}
