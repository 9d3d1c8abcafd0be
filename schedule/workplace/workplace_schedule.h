// The workplace schedule: the plan of one workplace over a week, two weeks or
// a calendar month, with its three lists and its screen.
#pragma once

#include "schedule/frame_editor.h"
#include "schedule/workplace/ws_lists.h"

#include <QStringList>

#include <memory>

enum TWorkplaceScheduleRefreshKind { wsrkPersons = 1, wsrkWorkplaces = 2, wsrkDays = 4 };
using TWorkplaceScheduleRefreshKinds = int;
constexpr TWorkplaceScheduleRefreshKinds wsrkAll = wsrkPersons | wsrkWorkplaces | wsrkDays;

class TWorkplaceSchedule : public TObject, public ISCTreeNode {
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
    TDate Date() const { return FDate; }
    void SetDate(TDate AValue);
    TDateDaysKind DateDaysKind() const { return FDateDaysKind; }
    void SetDateDaysKind(TDateDaysKind AValue);
    TDate DateStart() const { return FDateStart; }
    int DateDays() const;
    TDate DateEnd() const { return FDateStart + DateDays() - 1; }
    QString DateStartShort() const;
    // DateStartShort, " - " and DateEnd as a short date.
    QString ScheduleDate() const;
    TWSPersonList* Persons() const { return FPersons.get(); }
    TWSWorkplaceList* Workplaces() const { return FWorkplaces.get(); }
    TWSDayList* Days() const { return FDays.get(); }
    TObject* Editor() const { return FEditor.Editor(); }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);

    void UpdateDateStart(bool ARefresh, TDate ADate);
    void Refresh(TWorkplaceScheduleRefreshKinds ARefreshKind);
    bool AddPersonToDay(int APersonID, TDate ADate);
    bool DeletePersonFromDay(int APersonID, TDate ADate);
    void AddPrintParams(QStringList& AList) const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

    bool CanShowFrameEditor() const { return FEditor.CanShow(); }
    void ShowFrameEditor(QObject* AParent, QObject** AScrollBox);
    void HideFrameEditor(QObject* AParent) { FEditor.Hide(AParent); }

private:
    void Announce(const QString& AValueName) { DataChanged(this, this, AValueName); }

    int FWorkplaceID = 0;
    TDate FDate = 0;
    TDateDaysKind FDateDaysKind = ddkWeek;
    TDate FDateStart = 0;
    std::unique_ptr<TWSPersonList> FPersons;
    std::unique_ptr<TWSWorkplaceList> FWorkplaces;
    std::unique_ptr<TWSDayList> FDays;
    TSCFrameEditorHost FEditor;
    bool FSilent = false;
    // Nested refreshes (a focus change inside a rebuild) leave the tree silent
    // until the outer one ends.
    int FRefreshDepth = 0;
};
