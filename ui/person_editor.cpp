#include "ui/person_editor.h"

#include "setup/setup.h"
#include "ui/input_limit.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

TPersonEditor::TPersonEditor(QWidget* AParent)
    : TSCModalEditor(QStringLiteral("The worker is not saved. Do you want to save?"), AParent)
{
    setObjectName(QStringLiteral("PersonEditor"));
    setWindowTitle(QStringLiteral("Worker"));

    EditName = Named(new QLineEdit, "EditName");
    LimitInput(EditName, 40);
    EditName->setPlaceholderText(QStringLiteral("Worker Name must be filled"));
    EditName->setMinimumWidth(InputColumnWidth);
    EditSortingName = Named(new QLineEdit, "EditSortingName");
    LimitInput(EditSortingName, 40);
    EditSortingName->setToolTip(QStringLiteral("Must be filled, only for sorting, not for showing"));
    SBSetup = Named(new QToolButton, "SBSetup");
    SBSetup->setAutoRaise(true);
    SBSetup->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    SBSetup->setToolTip(QStringLiteral("Setup rules for creating Sorting name"));
    SBSetup->setFocusPolicy(Qt::NoFocus);
    EditNote = Named(new QLineEdit, "EditNote");
    LimitInput(EditNote, 80);
    EditNote->setToolTip(QStringLiteral("Any note, phone number or other contact"));
    EditDateOutFrom = Named(new QDateEdit, "EditDateOutFrom");
    EditDateOutFrom->setCalendarPopup(true);
    EditDaysOut = Named(new QSpinBox, "EditDaysOut");
    EditDaysOut->setRange(0, 999);
    EditNoteOut = Named(new QLineEdit, "EditNoteOut");
    LimitInput(EditNoteOut, 80);
    EditNoteOut->setToolTip(QStringLiteral("Reason for an absence or note about an absence"));

    auto* grid = new QGridLayout;
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

    LayOutFields(grid);

    SetEnterWalk({EditName, EditSortingName, EditNote, EditDateOutFrom, EditDaysOut, EditNoteOut});
    FCommitEdits = {EditName, EditSortingName, EditNote, EditNoteOut};

    connect(SBSetup, &QToolButton::clicked, this, [this] { ControlChanged(SBSetup); });
    connect(EditDateOutFrom, &QDateEdit::dateChanged, this, [this] { ControlChanged(EditDateOutFrom); });
    connect(EditDaysOut, &QSpinBox::valueChanged, this, [this] { ControlChanged(EditDaysOut); });
}

void TPersonEditor::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCForm::DataChanged(ASender, AValueName);
    if (!FObject || (ASender && ASender != FObject))
        return;
    const bool silent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    auto is = [&](const char* AName) { return all || IsValueName(AValueName, AName); };
    if (all || AValueName == QLatin1String("Modified"))
        SetCanSave(FObject->IsValid() && (FObject->Modified() || FObject->ID() == 0));
    if (is("Name"))
        EditName->setText(FObject->Name());
    if (is("SortingName"))
        EditSortingName->setText(FObject->SortingName());
    if (is("Note"))
        EditNote->setText(FObject->Note());
    if (is("NoteOut"))
        EditNoteOut->setText(FObject->NoteOut());
    if (is("DateOutFrom"))
        EditDateOutFrom->setDate(OleToDate(FObject->DateOutFrom()));
    // Not on "DaysOut*", so typing in the spinner is not disturbed.
    if (all || AValueName == QLatin1String("DaysOut"))
        EditDaysOut->setValue(FObject->DaysOut());
    FSilent = silent;
}

void TPersonEditor::ControlChanged(QObject* ASender)
{
    if (!FObject || FSilent || FClosing)
        return;
    if (ASender == EditName)
        FObject->SetName(EditName->text());
    else if (ASender == EditSortingName)
        FObject->SetSortingName(EditSortingName->text());
    else if (ASender == EditNote)
        FObject->SetNote(EditNote->text());
    else if (ASender == EditDateOutFrom)
        FObject->SetDateOutFrom(DateToOle(EditDateOutFrom->date()));
    else if (ASender == EditDaysOut)
        FObject->SetDaysOut(EditDaysOut->value());
    else if (ASender == EditNoteOut)
        FObject->SetNoteOut(EditNoteOut->text());
    else if (ASender == SBSetup) {
        // Locked: moving the data or the maintenance would reload the register
        // under the worker being edited.
        if (TSetup* setup = TSetup::Instance())
            setup->Edit(1, true);
    }
}
