// The worker schedule: the plan of one chosen worker over a week, two weeks
// or a calendar month, with its three lists and its screen.
#pragma once

#include "schedule/frame_editor.h"
#include "schedule/period/period_schedule.h"
#include "schedule/worker/ps_lists.h"

#include <QStringList>

#include <memory>

enum TPersonScheduleRefreshKind { psrkPersons = 1, psrkWorkplaces = 2, psrkDays = 4 };
using TPersonScheduleRefreshKinds = int;
constexpr TPersonScheduleRefreshKinds psrkAll = psrkPersons | psrkWorkplaces | psrkDays;

class TPersonSchedule : public TPeriodSchedule<TPSPersonList, TPSWorkplaceList, TPSDayList> {
public:
    TPersonSchedule();
    ~TPersonSchedule() override;
    TPersonSchedule(const TPersonSchedule&) = delete;
    TPersonSchedule& operator=(const TPersonSchedule&) = delete;

    // The screen's maker, installed by the views (none: no screen).
    static void SetFrameEditorFactory(TSCFrameEditorFactory<TPersonSchedule> AFactory);

    // The chosen date is kept as given; only the period start is cut to a day.
    void SetDate(TDate ADate);
    int PersonID() const { return FPersonID; }
    void SetPersonID(int AValue);
    TPerson* Person() const;

    void Refresh(TPersonScheduleRefreshKinds ARefreshKind);
    bool AddWorkplaceToDay(int AWorkplaceID, TDate ADate);
    bool DeleteWorkplaceFromDay(int AWorkplaceID, TDate ADate);
    void AddPrintParams(QStringList& AList) const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

    void ShowFrameEditor(QObject* AParent, QObject** AScrollBox);

protected:
    void RefreshAll() override { Refresh(psrkAll); }
    int ChosenID() const override { return FPersonID; }
    void SetJobFilter() const override { PeriodSetJobFilter(FDateStart, DateEnd(), FPersonID, 0); }

private:
    int FPersonID = 0;
};
