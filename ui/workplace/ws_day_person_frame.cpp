#include "ui/workplace/ws_day_person_frame.h"

#include "schedule/workplace/workplace_schedule.h"

TWSDayPersonFrame::TWSDayPersonFrame(QWidget* AParent) : TPeriodDayEntryFrameOf(true, AParent) {}

TObject* TWSDayPersonFrame::RegisterList() const
{
    return Entry()->Day()->Schedule()->Persons();
}

std::unique_ptr<QMimeData> TWSDayPersonFrame::NewDragPayload() const
{
    if (!Entry()->Day())
        return nullptr;
    auto payload = std::make_unique<TWSDayPersonDragObjectEx>();
    payload->SetPersonID(Entry()->ID());
    payload->SetDay(Entry()->Day()->Date());
    return payload;
}

void TWSDayPersonFrame::DeleteFromDay()
{
    Entry()->Day()->Schedule()->DeletePersonFromDay(Entry()->ID(), Entry()->Day()->Date());
}
