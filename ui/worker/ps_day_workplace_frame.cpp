#include "ui/worker/ps_day_workplace_frame.h"

#include "schedule/worker/person_schedule.h"

TPSDayWorkplaceFrame::TPSDayWorkplaceFrame(QWidget* AParent) : TPeriodDayEntryFrameOf(false, AParent) {}

TObject* TPSDayWorkplaceFrame::RegisterList() const
{
    return Entry()->Day()->Schedule()->Workplaces();
}

std::unique_ptr<QMimeData> TPSDayWorkplaceFrame::NewDragPayload() const
{
    if (!Entry()->Day())
        return nullptr;
    auto payload = std::make_unique<TPSDayWorkplaceDragObjectEx>();
    payload->SetWorkplaceID(Entry()->ID());
    payload->SetDay(Entry()->Day()->Date());
    return payload;
}

void TPSDayWorkplaceFrame::DeleteFromDay()
{
    Entry()->Day()->Schedule()->DeleteWorkplaceFromDay(Entry()->ID(), Entry()->Day()->Date());
}
