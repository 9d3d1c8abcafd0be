// What the worker and the workplace schedules share: the period (date, kind,
// start and end), the three lists, silence, the screen host and the refresh
// protocol. Each schedule adds its chosen entry and its own rules.
#pragma once

#include "core/tree_notice.h"
#include "schedule/frame_editor.h"
#include "schedule/period/period_calendar.h"
#include "schedule/period/period_store.h"

#include <memory>
#include <utility>

template <class TPersons, class TWorkplaces, class TDays>
class TPeriodSchedule : public TObject, public ISCTreeNode {
public:
    TPeriodSchedule() = default;
    TPeriodSchedule(const TPeriodSchedule&) = delete;
    TPeriodSchedule& operator=(const TPeriodSchedule&) = delete;

    TDate Date() const { return FDate; }
    TDateDaysKind DateDaysKind() const { return FDateDaysKind; }
    void SetDateDaysKind(TDateDaysKind AValue)
    {
        const TDate start = FDateStart;
        const TDate end = DateEnd();
        if (AValue == FDateDaysKind) {
            Announce(QStringLiteral("DateDaysKind*"));
            return;
        }
        FDateDaysKind = AValue;
        Announce(QStringLiteral("DateDaysKind"));
        UpdateDateStart(false, FDate);
        if (FDateStart != start || DateEnd() != end)
            RefreshAll();
    }
    TDate DateStart() const { return FDateStart; }
    int DateDays() const { return PeriodDays(FDateStart, FDateDaysKind); }
    TDate DateEnd() const { return FDateStart + DateDays() - 1; }
    QString DateStartShort() const { return PeriodStartShort(FDateStart, DateEnd()); }
    // DateStartShort, " - " and DateEnd as a short date.
    QString ScheduleDate() const { return PeriodHeading(FDateStart, DateEnd()); }
    TDays* Days() const { return FDays.get(); }
    TObject* Editor() const { return FEditor.Editor(); }
    TPersons* Persons() const { return FPersons.get(); }
    TWorkplaces* Workplaces() const { return FWorkplaces.get(); }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue)
    {
        FSilent = AValue;
        FPersons->SetSilent(AValue);
        FWorkplaces->SetSilent(AValue);
        FDays->SetSilent(AValue);
    }

    void UpdateDateStart(bool ARefresh, TDate ADate)
    {
        const TDate start = PeriodStart(ADate, FDateDaysKind, PeriodFirstDayInWeek());
        if (start == FDateStart) {
            Announce(QStringLiteral("DateStart*"));
            Announce(QStringLiteral("DateEnd*"));
            return;
        }
        FDateStart = start;
        Announce(QStringLiteral("DateStart"));
        Announce(QStringLiteral("DateEnd"));
        if (ARefresh)
            RefreshAll();
    }

    bool CanShowFrameEditor() const { return FEditor.CanShow(); }
    void HideFrameEditor(QObject* AParent) { FEditor.Hide(AParent); }

protected:
    // The full rebuild in the schedule's own refresh kinds.
    virtual void RefreshAll() = 0;

    // Takes the date (none: the current one, else today) and moves the period.
    void ChangeDate(TDate ADate)
    {
        if (ADate == FDate) {
            Announce(QStringLiteral("Date*"));
            return;
        }
        FDate = ADate;
        Announce(QStringLiteral("Date"));
        UpdateDateStart(true, FDate);
    }
    TDate DateOrCurrent(TDate ADate) const { return ADate != 0 ? ADate : (FDate != 0 ? FDate : Today()); }

    // The chosen worker's or workplace's ID.
    virtual int ChosenID() const = 0;
    // The jobs filter on the period, with the stored names of the chosen
    // entry's jobs.
    virtual void SetJobFilter() const = 0;

    // The refresh protocol: the jobs filter on the period, the lists named by
    // AKinds (1 workers, 2 workplaces, 4 days) rebuilt in silence, and one
    // notice for each list rebuilt when the outermost refresh ends; a list
    // left alone (the side list on a switch) keeps its views as they are. The
    // chosen ID is read for each list: focusing inside the first rebuild may
    // choose another one.
    void RefreshLists(int AKinds)
    {
        SetJobFilter();
        ++FRefreshDepth;
        FRefreshedKinds |= AKinds;
        SetSilent(true);
        if (AKinds & 1)
            FPersons->Refresh(ChosenID());
        if (AKinds & 2)
            FWorkplaces->Refresh(ChosenID());
        if (AKinds & 4)
            FDays->Refresh(FDateStart, DateDays(), ChosenID());
        if (--FRefreshDepth > 0)
            return;
        SetSilent(false);
        const int refreshed = std::exchange(FRefreshedKinds, 0);
        if (refreshed & 1)
            FPersons->DataChanged(FPersons.get(), FPersons.get(), QString());
        if (refreshed & 2)
            FWorkplaces->DataChanged(FWorkplaces.get(), FWorkplaces.get(), QString());
        if (refreshed & 4)
            FDays->DataChanged(FDays.get(), FDays.get(), QString());
    }

    // The screen first: its views are bound to the lists and let go of them.
    void DestroyParts()
    {
        FEditor.Destroy();
        FWorkplaces.reset();
        FPersons.reset();
        FDays.reset();
    }

    void Announce(const QString& AValueName) { DataChanged(this, this, AValueName); }

    TDate FDate = 0;
    TDateDaysKind FDateDaysKind = ddkWeek;
    TDate FDateStart = 0;
    std::unique_ptr<TDays> FDays;
    TSCFrameEditorHost FEditor;
    std::unique_ptr<TPersons> FPersons;
    bool FSilent = false;
    std::unique_ptr<TWorkplaces> FWorkplaces;
    // Nested refreshes (a focus change inside a rebuild) leave the tree silent
    // until the outer one ends.
    int FRefreshDepth = 0;
    // The lists the refreshes under way rebuilt.
    int FRefreshedKinds = 0;
};
