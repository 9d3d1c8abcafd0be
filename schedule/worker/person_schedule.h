// The worker schedule: the plan of one chosen worker over a week, two weeks
// or a calendar month, with its three lists and its screen.
#pragma once

#include "schedule/frame_editor.h"
#include "schedule/worker/ps_lists.h"

#include <QStringList>

#include <memory>

enum TPersonScheduleRefreshKind { psrkPersons = 1, psrkWorkplaces = 2, psrkDays = 4 };
using TPersonScheduleRefreshKinds = int;
constexpr TPersonScheduleRefreshKinds psrkAll = psrkPersons | psrkWorkplaces | psrkDays;

class TPersonSchedule : public TObject, public ISCTreeNode {
public:
    TPersonSchedule();
    ~TPersonSchedule() override;
    TPersonSchedule(const TPersonSchedule&) = delete;
    TPersonSchedule& operator=(const TPersonSchedule&) = delete;

    // The screen's maker, installed by the views (none: no screen).
    static void SetFrameEditorFactory(TSCFrameEditorFactory<TPersonSchedule> AFactory);

    TDate Date() const { return FDate; }
    void SetDate(TDate ADate);
    TDateDaysKind DateDaysKind() const { return FDateDaysKind; }
    void SetDateDaysKind(TDateDaysKind AValue);
    TDate DateStart() const { return FDateStart; }
    int DateDays() const;
    TDate DateEnd() const { return FDateStart + DateDays() - 1; }
    QString DateStartShort() const;
    // DateStartShort, " - " and DateEnd as a short date.
    QString ScheduleDate() const;
    TPSDayList* Days() const { return FDays.get(); }
    TObject* Editor() const { return FEditor.Editor(); }
    int PersonID() const { return FPersonID; }
    void SetPersonID(int AValue);
    TPerson* Person() const;
    TPSPersonList* Persons() const { return FPersons.get(); }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    TPSWorkplaceList* Workplaces() const { return FWorkplaces.get(); }

    void UpdateDateStart(bool ARefresh, TDate ADate);
    void Refresh(TPersonScheduleRefreshKinds ARefreshKind);
    bool AddWorkplaceToDay(int AWorkplaceID, TDate ADate);
    bool DeleteWorkplaceFromDay(int AWorkplaceID, TDate ADate);
    void AddPrintParams(QStringList& AList) const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) override;

    bool CanShowFrameEditor() const { return FEditor.CanShow(); }
    void ShowFrameEditor(QObject* AParent, QObject** AScrollBox);
    void HideFrameEditor(QObject* AParent) { FEditor.Hide(AParent); }

private:
    void Announce(const QString& AValueName) { DataChanged(this, this, AValueName); }

    TDate FDate = 0;
    TDateDaysKind FDateDaysKind = ddkWeek;
    TDate FDateStart = 0;
    std::unique_ptr<TPSDayList> FDays;
    TSCFrameEditorHost FEditor;
    int FPersonID = 0;
    std::unique_ptr<TPSPersonList> FPersons;
    bool FSilent = false;
    std::unique_ptr<TPSWorkplaceList> FWorkplaces;
    // Nested refreshes (a focus change inside a rebuild) leave the tree silent
    // until the outer one ends.
    int FRefreshDepth = 0;
};
