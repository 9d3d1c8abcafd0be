// The workplace schedule: the plan of one workplace over a week, two weeks or
// a calendar month, with its three lists and its screen.
#pragma once

#include "schedule/frame_editor.h"
#include "schedule/period/period_schedule.h"
#include "schedule/workplace/ws_lists.h"

#include <QStringList>

#include <memory>

enum TWorkplaceScheduleRefreshKind { wsrkPersons = 1, wsrkWorkplaces = 2, wsrkDays = 4 };
using TWorkplaceScheduleRefreshKinds = int;
constexpr TWorkplaceScheduleRefreshKinds wsrkAll = wsrkPersons | wsrkWorkplaces | wsrkDays;

class TWorkplaceSchedule : public TPeriodSchedule<TWSPersonList, TWSWorkplaceList, TWSDayList> {
public:
    TWorkplaceSchedule();
    ~TWorkplaceSchedule() override;
    TWorkplaceSchedule(const TWorkplaceSchedule&) = delete;
    TWorkplaceSchedule& operator=(const TWorkplaceSchedule&) = delete;

    // The screen's maker, installed by the views (none: no screen).
    static void SetFrameEditorFactory(TSCFrameEditorFactory<TWorkplaceSchedule> AFactory);

    int WorkplaceID() const { return FWorkplaceID; }
    void SetWorkplaceID(int AValue);
    TWorkplace* Workplace() const;
    // Kept as a whole day.
    void SetDate(TDate AValue);

    void Refresh(TWorkplaceScheduleRefreshKinds ARefreshKind);
    bool AddPersonToDay(int APersonID, TDate ADate);
    bool DeletePersonFromDay(int APersonID, TDate ADate);
    void AddPrintParams(QStringList& AList) const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

    void ShowFrameEditor(QObject* AParent, QObject** AScrollBox);

protected:
    void RefreshAll() override { Refresh(wsrkAll); }
    int ChosenID() const override { return FWorkplaceID; }
    void SetJobFilter() const override { PeriodSetJobFilter(FDateStart, DateEnd(), 0, FWorkplaceID); }

private:
    int FWorkplaceID = 0;
};
