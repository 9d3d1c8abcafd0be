#include "ui/worker/person_schedule_frame.h"

#include "data/person_man.h"
#include "schedule/worker/person_schedule.h"
#include "ui/sc_frame_editor.h"
#include "ui/worker/ps_day_list_frame.h"
#include "ui/worker/ps_person_list_frame.h"
#include "ui/worker/ps_workplace_list_frame.h"

#include <QScrollArea>

void TPersonScheduleFrame::InstallFactory()
{
    TPersonSchedule::SetFrameEditorFactory([](TPersonSchedule* ASchedule) -> std::unique_ptr<ISCFrameEditor> {
        auto frame = std::make_unique<TPersonScheduleFrame>();
        frame->SetSchedule(ASchedule);
        frame->PSWorkplaceListFrame()->SetWorkplaces(ASchedule->Workplaces());
        frame->PSPersonListFrame()->SetPersons(ASchedule->Persons());
        frame->PSDayListFrame()->SetDays(ASchedule->Days());
        return std::make_unique<TSCFrameEditor<TPersonScheduleFrame>>(std::move(frame));
    });
}

void TPersonScheduleFrame::UninstallFactory()
{
    TPersonSchedule::SetFrameEditorFactory(nullptr);
}

TPersonScheduleFrame::TPersonScheduleFrame(QWidget* AParent)
    : TPeriodScheduleFrameOf(QStringLiteral("Edit person properties..."), AParent)
{
    setObjectName(QStringLiteral("PersonScheduleFrame"));
    FPSDayListFrame = new TPSDayListFrame(this);
    FPSDayListFrame->setObjectName(QStringLiteral("PSDayListFrame"));
    FPSWorkplaceListFrame = new TPSWorkplaceListFrame(this);
    FPSWorkplaceListFrame->setObjectName(QStringLiteral("PSWorkplaceListFrame"));
    FPSPersonListFrame = new TPSPersonListFrame(this);
    FPSPersonListFrame->setObjectName(QStringLiteral("PSPersonListFrame"));
    PlaceParts(FPSDayListFrame, FPSDayListFrame->ScrollBox(), FPSWorkplaceListFrame, QStringLiteral("TSWorkplaces"),
        QStringLiteral("Workplaces"), FPSPersonListFrame, QStringLiteral("TSPersons"), QStringLiteral("Workers"));
    DataChanged(nullptr, QString());
}

TPersonScheduleFrame::~TPersonScheduleFrame() = default;

QString TPersonScheduleFrame::ChosenName() const
{
    TPSPerson* chosen = FSchedule ? FSchedule->Persons()->Items(-FSchedule->PersonID()) : nullptr;
    return chosen ? chosen->Name() : QString();
}

bool TPersonScheduleFrame::IsChosenEntry(TObject* ASender) const
{
    if (!FSchedule || FSchedule->PersonID() <= 0)
        return false;
    if (auto* person = dynamic_cast<TPerson*>(ASender))
        return person->ID() == FSchedule->PersonID();
    return ASender == FSchedule->Persons()->PersonFocused();
}

void TPersonScheduleFrame::EditChosen()
{
    FSchedule->Persons()->EditPerson(FSchedule->PersonID());
}

void TPersonScheduleFrame::FocusFirstList()
{
    FPSWorkplaceListFrame->FocusList();
}
