// One day on the worker schedule: the chosen worker's absence, the date and
// the weekday, and his workplaces of the day; workplaces are dropped here.
#pragma once

#include "ui/view_guard.h"

#include "schedule/worker/person_schedule.h"
#include "ui/period/period_day_frame.h"
#include "ui/worker/ps_day_workplace_frame.h"

class TPSDayFrame : public TPeriodDayFrameOf<TPSDay, TPSDayWorkplaceFrame, &TPSDay::Workplaces> {
    Q_OBJECT
public:
    explicit TPSDayFrame(QWidget* AParent = nullptr);

protected:
    bool PersonIsOut() const override { return Day()->PersonIsOut(); }
    bool IsChosenPerson(TObject* ASender) const override;
    std::vector<int> PlannedPersonIDs() const override;
    int DraggedID(const QMimeData* AData) const override;
    TDate DraggedDay(const QMimeData* AData) const override;
    bool InRegister(int AID) const override;
    bool AddToDay(int AID) override;
    std::vector<std::pair<int, QString>> PickChoices() const override;
    QString PickCaption() const override;
};
