#include "ui/person_editor.h"

#include "core/dialogs.h"
#include "setup/setup.h"

#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
template <class T>
T* Named(T* AWidget, const char* AName)
{
    AWidget->setObjectName(QString::fromLatin1(AName));
    return AWidget;
}

QLabel* RowLabel(const char* ACaption)
{
    auto* label = new QLabel(QString::fromLatin1(ACaption));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// Width of the label column and of the inputs at 96 dpi; the layout grows
// them when the text needs more room.
constexpr int LabelColumnWidth = 215;
constexpr int InputColumnWidth = 250;
constexpr int BottomPanelHeight = 41;
} // namespace

TPersonEditor::TPersonEditor(QWidget* AParent) : TSCForm(AParent)
{
    setObjectName(QStringLiteral("PersonEditor"));
    setWindowTitle(QStringLiteral("Worker"));

    EditName = Named(new QLineEdit, "EditName");
    EditName->setMaxLength(40);
    EditName->setPlaceholderText(QStringLiteral("Worker Name must be filled"));
    EditName->setMinimumWidth(InputColumnWidth);
    EditSortingName = Named(new QLineEdit, "EditSortingName");
    EditSortingName->setMaxLength(40);
    EditSortingName->setToolTip(QStringLiteral("Must be filled, only for sorting, not for showing"));
    SBSetup = Named(new QToolButton, "SBSetup");
    SBSetup->setAutoRaise(true);
    SBSetup->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    SBSetup->setToolTip(QStringLiteral("Setup rules for creating Sorting name"));
    SBSetup->setFocusPolicy(Qt::NoFocus);
    EditNote = Named(new QLineEdit, "EditNote");
    EditNote->setMaxLength(80);
    EditNote->setToolTip(QStringLiteral("Any note, phone number or other contact"));
    EditDateOutFrom = Named(new QDateEdit, "EditDateOutFrom");
    EditDateOutFrom->setCalendarPopup(true);
    EditDaysOut = Named(new QSpinBox, "EditDaysOut");
    EditDaysOut->setRange(0, 999);
    EditNoteOut = Named(new QLineEdit, "EditNoteOut");
    EditNoteOut->setMaxLength(80);
    EditNoteOut->setToolTip(QStringLiteral("Reason for an absence or note about an absence"));

    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, LabelColumnWidth);
    grid->setColumnStretch(1, 1);
    grid->addWidget(RowLabel("Worker Name for Showing"), 0, 0);
    grid->addWidget(EditName, 0, 1);
    grid->addWidget(RowLabel("Worker Name for Sorting"), 1, 0);
    auto* sortingRow = new QHBoxLayout;
    sortingRow->addWidget(EditSortingName, 1);
    sortingRow->addWidget(SBSetup);
    grid->addLayout(sortingRow, 1, 1);
    grid->addWidget(RowLabel("Note"), 2, 0);
    grid->addWidget(EditNote, 2, 1);
    grid->addWidget(RowLabel("Absence from Date and Length"), 3, 0);
    auto* absenceRow = new QHBoxLayout;
    absenceRow->addWidget(EditDateOutFrom);
    absenceRow->addWidget(EditDaysOut);
    absenceRow->addWidget(new QLabel(QStringLiteral("days")));
    absenceRow->addStretch();
    grid->addLayout(absenceRow, 3, 1);
    grid->addWidget(RowLabel("Absence note"), 4, 0);
    grid->addWidget(EditNoteOut, 4, 1);

    ButtonOK = Named(new QPushButton(QStringLiteral("OK")), "ButtonOK");
    ButtonCancel = Named(new QPushButton(QStringLiteral("Close")), "ButtonCancel");
    ButtonOK->setAutoDefault(false);
    ButtonCancel->setAutoDefault(false);
    auto* bottom = new QWidget;
    bottom->setObjectName(QStringLiteral("PanelBottom"));
    bottom->setMinimumHeight(BottomPanelHeight);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(bottom);
    // A fixed dialog that still grows with its fonts.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab follows the Enter walk: the cancel button before OK.
    const std::initializer_list<QWidget*> tabOrder{EditName,    EditSortingName, EditNote,     EditDateOutFrom,
                                                   EditDaysOut, EditNoteOut,     ButtonCancel, ButtonOK};
    for (auto it = tabOrder.begin(); it + 1 != tabOrder.end(); ++it)
        QWidget::setTabOrder(*it, *(it + 1));

    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SBSetup, &QToolButton::clicked, this, [this] { ControlChanged(SBSetup); });
    connect(EditDateOutFrom, &QDateEdit::dateChanged, this, [this] { ControlChanged(EditDateOutFrom); });
    connect(EditDaysOut, &QSpinBox::valueChanged, this, [this] { ControlChanged(EditDaysOut); });

    // Keys reach the dialog before its controls; leaving a text field commits it.
    for (QWidget* control : std::initializer_list<QWidget*>{EditName, EditSortingName, EditNote, EditDateOutFrom,
                                                            EditDaysOut, EditNoteOut, ButtonOK, ButtonCancel})
        control->installEventFilter(this);
    // The pickers type into an inner line edit, which sees the keys first.
    for (QWidget* picker : std::initializer_list<QWidget*>{EditDateOutFrom, EditDaysOut})
        if (auto* inner = picker->findChild<QLineEdit*>())
            inner->installEventFilter(this);
}

TPersonEditor::~TPersonEditor()
{
    FClosing = true;
    if (FPerson && FPerson->Editor() == static_cast<ISCModalEditor*>(this))
        FPerson->SetEditor(nullptr);
}

void TPersonEditor::SetPerson(TPerson* APerson)
{
    FPerson = APerson;
    DataChanged(FPerson, QString());
}

void TPersonEditor::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCForm::DataChanged(ASender, AValueName);
    if (!FPerson || (ASender && ASender != FPerson))
        return;
    const bool silent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    auto is = [&](const char* AName) {
        const QString name = QString::fromLatin1(AName);
        return all || AValueName == name || AValueName == name + QLatin1Char('*');
    };
    if (all || AValueName == QLatin1String("Modified")) {
        ButtonOK->setEnabled(FPerson->IsValid() && (FPerson->Modified() || FPerson->ID() == 0));
        ButtonCancel->setText(ButtonOK->isEnabled() ? QStringLiteral("Cancel") : QStringLiteral("Close"));
    }
    if (is("Name"))
        EditName->setText(FPerson->Name());
    if (is("SortingName"))
        EditSortingName->setText(FPerson->SortingName());
    if (is("Note"))
        EditNote->setText(FPerson->Note());
    if (is("NoteOut"))
        EditNoteOut->setText(FPerson->NoteOut());
    if (is("DateOutFrom"))
        EditDateOutFrom->setDate(OleToDate(FPerson->DateOutFrom()));
    // Not on "DaysOut*", so typing in the spinner is not disturbed.
    if (all || AValueName == QLatin1String("DaysOut"))
        EditDaysOut->setValue(FPerson->DaysOut());
    FSilent = silent;
}

void TPersonEditor::ControlChanged(QObject* ASender)
{
    if (!FPerson || FSilent || FClosing)
        return;
    if (ASender == EditName)
        FPerson->SetName(EditName->text());
    else if (ASender == EditSortingName)
        FPerson->SetSortingName(EditSortingName->text());
    else if (ASender == EditNote)
        FPerson->SetNote(EditNote->text());
    else if (ASender == EditDateOutFrom)
        FPerson->SetDateOutFrom(DateToOle(EditDateOutFrom->date()));
    else if (ASender == EditDaysOut)
        FPerson->SetDaysOut(EditDaysOut->value());
    else if (ASender == EditNoteOut)
        FPerson->SetNoteOut(EditNoteOut->text());
    else if (ASender == SBSetup) {
        // Locked: moving the data or the maintenance would reload the register
        // under the worker being edited.
        if (TSetup* setup = TSetup::Instance())
            setup->Edit(1, true);
    }
}

void TPersonEditor::FormShow()
{
    EditName->setFocus();
}

void TPersonEditor::CommitFocusedEdit()
{
    for (QLineEdit* edit : {EditName, EditSortingName, EditNote, EditNoteOut})
        if (edit->hasFocus())
            ControlChanged(edit);
}

void TPersonEditor::done(int AResult)
{
    if (FClosing)
        return;
    // Escape or a click that took no focus still keeps what was typed.
    CommitFocusedEdit();
    if (AResult == QDialog::Accepted && !ButtonOK->isEnabled())
        return; // the field just committed left the worker invalid
    if (AResult != QDialog::Accepted && ButtonOK->isEnabled()) {
        const int answer = ShowMessageBox(QStringLiteral("The worker is not saved. Do you want to save?"),
                                          mtConfirmation, mbYes | mbNo | mbCancel);
        if (answer == mrYes)
            AResult = QDialog::Accepted;
        else if (answer != mrNo)
            return;
    }
    FClosing = true;
    TSCForm::done(AResult);
}

void TPersonEditor::FormKeyPress(QWidget* AFrom)
{
    QWidget* next = nullptr;
    if (AFrom == EditName)
        next = EditSortingName;
    else if (AFrom == EditSortingName)
        next = EditNote;
    else if (AFrom == EditNote)
        next = EditDateOutFrom;
    else if (AFrom == EditDateOutFrom)
        next = EditDaysOut;
    else if (AFrom == EditDaysOut)
        next = EditNoteOut;
    else if (AFrom == EditNoteOut)
        next = ButtonCancel;
    else if (AFrom == ButtonCancel && ButtonOK->isEnabled())
        next = ButtonOK;
    else if (AFrom == ButtonOK) {
        ButtonOK->click();
        return;
    }
    if (next)
        next->setFocus(Qt::TabFocusReason);
}

bool TPersonEditor::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AEvent->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(AEvent);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            auto* from = qobject_cast<QWidget*>(AWatched);
            if (from && (from->parentWidget() == EditDateOutFrom || from->parentWidget() == EditDaysOut))
                from = from->parentWidget();
            FormKeyPress(from);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
    } else if (AEvent->type() == QEvent::FocusOut) {
        if (AWatched == EditName || AWatched == EditSortingName || AWatched == EditNote || AWatched == EditNoteOut)
            ControlChanged(AWatched);
    }
    return TSCForm::eventFilter(AWatched, AEvent);
}
