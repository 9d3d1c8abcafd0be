// One worker row of a day on the workplace schedule, with his absence.
#pragma once

#include "ui/view_guard.h"

#include "schedule/workplace/ws_lists.h"
#include "ui/period/period_day_entry_frame.h"

class TWSDayPersonFrame : public TPeriodDayEntryFrameOf<TWSDayPerson, TWSPerson> {
    Q_OBJECT
public:
    explicit TWSDayPersonFrame(QWidget* AParent = nullptr);

    TWSDayPerson* DayPerson() const { return Entry(); }
    void SetDayPerson(TWSDayPerson* AValue) { SetEntry(AValue); }

protected:
    bool IsOut() const override { return Entry()->IsOut(); }
    TObject* RegisterList() const override;
    std::unique_ptr<QMimeData> NewDragPayload() const override;
    void DeleteFromDay() override;
};
