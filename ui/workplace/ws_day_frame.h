// One day on the workplace schedule: the date and the weekday, and the
// workers at the workplace that day; workers are dropped here.
#pragma once

#include "ui/view_guard.h"

#include "schedule/workplace/workplace_schedule.h"
#include "ui/period/period_day_frame.h"
#include "ui/workplace/ws_day_person_frame.h"

class TWSDayFrame : public TPeriodDayFrameOf<TWSDay, TWSDayPersonFrame, &TWSDay::Persons> {
    Q_OBJECT
public:
    explicit TWSDayFrame(QWidget* AParent = nullptr);

protected:
    std::vector<int> PlannedPersonIDs() const override;
    int DraggedID(const QMimeData* AData) const override;
    TDate DraggedDay(const QMimeData* AData) const override;
    bool InRegister(int AID) const override;
    bool AddToDay(int AID) override;
    std::vector<std::pair<int, QString>> PickChoices() const override;
    QString PickCaption() const override;
};
