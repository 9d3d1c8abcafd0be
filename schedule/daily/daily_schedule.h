// The plan of one calendar day: its worker and workplace lists, templates
// and system templates applied to it, its report parameters and its screen.
#pragma once

#include "schedule/daily/ds_lists.h"
#include "schedule/frame_editor.h"

#include <QStringList>

#include <memory>
#include <vector>

class TMacro;

enum TDailyScheduleRefreshKind { dsrkPersons, dsrkWorkplaces };
// A set of refresh kinds as bits (both = 3).
using TDailyScheduleRefreshKinds = int;
constexpr TDailyScheduleRefreshKinds DSRefreshKinds(TDailyScheduleRefreshKind AKind)
{
    return 1 << AKind;
}
constexpr TDailyScheduleRefreshKinds dsrkAll = (1 << dsrkPersons) | (1 << dsrkWorkplaces);

enum TDailyScheduleSystemTemplateKind {
    dsstkPrevDay,
    dsstkPrevDayMon,
    dsstkPrevDayTue,
    dsstkPrevDayWed,
    dsstkPrevDayThu,
    dsstkPrevDayFri,
    dsstkPrevDaySat,
    dsstkPrevDaySun,
    dsstkPrevDayLastWeek,
};

class TDailySchedule : public TObject {
public:
    TDailySchedule();
    ~TDailySchedule() override;
    TDailySchedule(const TDailySchedule&) = delete;
    TDailySchedule& operator=(const TDailySchedule&) = delete;

    // The screen's maker, installed by the views (none: no screen).
    static void SetFrameEditorFactory(TSCFrameEditorFactory<TDailySchedule> AFactory);

    TDate Date() const { return FDate; }
    void SetDate(TDate AValue);
    TDSPersonList* Persons() const { return FPersons.get(); }
    TDSWorkplaceList* Workplaces() const { return FWorkplaces.get(); }
    TObject* Editor() const { return FEditor.Editor(); }
    bool Silent() const { return FSilent; }
    void SetSilent(bool AValue);
    // True while Refresh rebuilds the lists.
    bool Rebuilding() const { return FRebuilding > 0; }

    void Refresh(TDailyScheduleRefreshKinds ARefreshKind);
    bool AddPersonToWorkplace(int APersonID, int AWorkplaceID);
    bool DeletePersonFromWorkplace(int APersonID, int AWorkplaceID);
    void ClearAllPersonsFromWorkplaces();
    // Needs the templates manager's classes.
    bool ApplyMacro(TMacro* AMacro);
    // Adds the pairs to the day; what ApplyMacro does with a template's pairs.
    bool ApplyMacroPairs(const std::vector<TDSMacroPair>& APairs);
    bool ApplySystemTemplate(TDailyScheduleSystemTemplateKind ATemplateKind);
    // A new template of the day's pairs; the caller owns it.
    std::unique_ptr<TMacro> GetMacro() const;
    // The day's pairs, workplace by workplace in list order.
    std::vector<TDSMacroPair> GetMacroPairs() const;
    // The day an ApplySystemTemplate of a kind would copy; 0 when none.
    TDate SystemTemplateSourceDay(TDailyScheduleSystemTemplateKind ATemplateKind, std::vector<TDSMacroPair>* APairs);
    // The absence texts of the workers planned on the day while away.
    QStringList AbsentPlanned() const;
    void AddPrintParams(QStringList& AList) const;

    void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName);

    bool CanShowFrameEditor() const { return FEditor.CanShow(); }
    void ShowFrameEditor(QObject* AParent, QObject** AScrollBox);
    void HideFrameEditor(QObject* AParent) { FEditor.Hide(AParent); }

private:
    void Announce(const QString& AValueName) { DataChanged(this, this, AValueName); }

    TDate FDate = 0;
    std::unique_ptr<TDSPersonList> FPersons;
    std::unique_ptr<TDSWorkplaceList> FWorkplaces;
    TSCFrameEditorHost FEditor;
    bool FSilent = false;
    int FRebuilding = 0;
};
