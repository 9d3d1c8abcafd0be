// Printing of the register lists (workers, workplaces) of the worker and the
// workplace schedule; only their cpp files include it.
#pragma once

#include "schedule/period/period_lists.h"
#include "schedule/period/period_store.h"
#include "setup/setup.h"

inline bool PeriodPrintFlag(bool (TSetupGeneral::*AFlag)() const)
{
    const TSetup* setup = TSetup::Instance();
    return setup && (setup->General()->*AFlag)();
}

// The schedule's print values; a simple list has no date and its own caption.
template <class TList>
void PreparePeriodListPrint(const TList& AList, bool ASimpleList, const QString& ACaption)
{
    QStringList params;
    if (AList.Schedule())
        AList.Schedule()->AddPrintParams(params);
    if (ASimpleList) {
        StringsSetValue(params, QStringLiteral("ScheduleDate"), QString());
        StringsSetValue(params, QStringLiteral("ScheduleCaption"), ACaption);
    }
    PeriodPreparePrint(params);
}

// Prints the workers of AList, ADefaultReport for an empty report name.
template <class TList>
bool PrintPeriodPersons(const TList& AList, const QString& AReportName, bool ASimpleList, const QString& ADefaultReport)
{
    PreparePeriodListPrint(AList, ASimpleList, QStringLiteral("Workers"));
    const bool involvedOnly = PeriodPrintFlag(&TSetupGeneral::PrintInvolvedPersonsOnly);
    for (int i = 0; i < AList.Count(); ++i) {
        const auto* entry = AList.Items(i);
        if (involvedOnly && entry->Days()->Count() == 0)
            continue;
        TPrintPersonRow row;
        row.ID = entry->ID();
        row.Name = entry->Name();
        row.SortingName = entry->SortingName();
        row.Note = entry->Note();
        row.DateOutFrom = entry->DateOutFrom();
        row.DateOutTo = entry->DateOutTo();
        row.DaysOut = entry->DaysOut();
        row.IsOut = false;
        row.NoteOut = entry->NoteOut();
        row.Days = entry->Days()->AsString();
        row.IsDeleted = !entry->Record();
        PeriodAppendPrintPerson(row);
    }
    PeriodPrint(AReportName.isEmpty() ? ADefaultReport : AReportName);
    return true;
}

// Prints the workplaces of AList, ADefaultReport for an empty report name.
template <class TList>
bool PrintPeriodWorkplaces(
    const TList& AList, const QString& AReportName, bool ASimpleList, const QString& ADefaultReport)
{
    PreparePeriodListPrint(AList, ASimpleList, QStringLiteral("Workplaces"));
    const bool occupiedOnly = PeriodPrintFlag(&TSetupGeneral::PrintOccupiedWorkplacesOnly);
    for (int i = 0; i < AList.Count(); ++i) {
        const auto* entry = AList.Items(i);
        if (occupiedOnly && entry->Days()->Count() == 0)
            continue;
        TPrintWorkplaceRow row;
        row.ID = entry->ID();
        row.Shortcut = entry->Shortcut();
        row.Name = entry->Name();
        row.Note = entry->Note();
        row.Days = entry->Days()->AsString();
        row.IsDeleted = !entry->Record();
        row.DayID = 0;
        PeriodAppendPrintWorkplace(row);
    }
    PeriodPrint(AReportName.isEmpty() ? ADefaultReport : AReportName);
    return true;
}
