#include "ui/workplace/workplace_schedule_frame.h"

#include "data/workplace_man.h"
#include "schedule/workplace/workplace_schedule.h"
#include "ui/sc_frame_editor.h"
#include "ui/workplace/ws_day_list_frame.h"
#include "ui/workplace/ws_person_list_frame.h"
#include "ui/workplace/ws_workplace_list_frame.h"

#include <QScrollArea>

void TWorkplaceScheduleFrame::InstallFactory()
{
    TWorkplaceSchedule::SetFrameEditorFactory([](TWorkplaceSchedule* ASchedule) -> std::unique_ptr<ISCFrameEditor> {
        auto frame = std::make_unique<TWorkplaceScheduleFrame>();
        frame->SetSchedule(ASchedule);
        frame->WSPersonListFrame()->SetPersons(ASchedule->Persons());
        frame->WSWorkplaceListFrame()->SetWorkplaces(ASchedule->Workplaces());
        frame->WSDayListFrame()->SetDays(ASchedule->Days());
        return std::make_unique<TSCFrameEditor<TWorkplaceScheduleFrame>>(std::move(frame));
    });
}

void TWorkplaceScheduleFrame::UninstallFactory()
{
    TWorkplaceSchedule::SetFrameEditorFactory(nullptr);
}

TWorkplaceScheduleFrame::TWorkplaceScheduleFrame(QWidget* AParent)
    : TPeriodScheduleFrameOf(QStringLiteral("Edit workplace properties..."), AParent)
{
    setObjectName(QStringLiteral("WorkplaceScheduleFrame"));
    FWSDayListFrame = new TWSDayListFrame(this);
    FWSDayListFrame->setObjectName(QStringLiteral("WSDayListFrame"));
    FWSPersonListFrame = new TWSPersonListFrame(this);
    FWSPersonListFrame->setObjectName(QStringLiteral("WSPersonListFrame"));
    FWSWorkplaceListFrame = new TWSWorkplaceListFrame(this);
    FWSWorkplaceListFrame->setObjectName(QStringLiteral("WSWorkplaceListFrame"));
    PlaceParts(FWSDayListFrame, FWSDayListFrame->ScrollBox(), FWSPersonListFrame, QStringLiteral("TSPersons"),
        QStringLiteral("Workers"), FWSWorkplaceListFrame, QStringLiteral("TSWorkplaces"), QStringLiteral("Workplaces"));
    DataChanged(nullptr, QString());
}

TWorkplaceScheduleFrame::~TWorkplaceScheduleFrame() = default;

QString TWorkplaceScheduleFrame::ChosenName() const
{
    TWSWorkplace* chosen = FSchedule ? FSchedule->Workplaces()->Items(-FSchedule->WorkplaceID()) : nullptr;
    return chosen ? chosen->Name() : QString();
}

bool TWorkplaceScheduleFrame::IsChosenEntry(TObject* ASender) const
{
    if (!FSchedule || FSchedule->WorkplaceID() <= 0)
        return false;
    if (auto* workplace = dynamic_cast<TWorkplace*>(ASender))
        return workplace->ID() == FSchedule->WorkplaceID();
    return ASender == FSchedule->Workplaces()->WorkplaceFocused();
}

void TWorkplaceScheduleFrame::EditChosen()
{
    FSchedule->Workplaces()->EditWorkplace(FSchedule->WorkplaceID());
}

void TWorkplaceScheduleFrame::FocusFirstList()
{
    FWSPersonListFrame->FocusList();
}
