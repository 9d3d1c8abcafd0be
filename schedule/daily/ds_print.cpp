#include "schedule/daily/ds_print.h"

#include "reports/print_table.h"

bool DSAppendPrintPerson(TPrintTables& ATables, const TDSPrintPersonRow& ARow)
{
    return ATables.DSPrintPersons.Append({
        {QStringLiteral("ID"), ARow.ID},
        {QStringLiteral("Name"), ARow.Name},
        {QStringLiteral("SortingName"), ARow.SortingName},
        {QStringLiteral("Note"), ARow.Note},
        {QStringLiteral("DateOutFrom"), ARow.DateOutFrom},
        {QStringLiteral("DateOutTo"), ARow.DateOutTo},
        {QStringLiteral("DaysOut"), ARow.DaysOut},
        {QStringLiteral("IsOut"), ARow.IsOut},
        {QStringLiteral("NoteOut"), ARow.NoteOut},
        {QStringLiteral("WorkplaceID"), ARow.WorkplaceID},
        {QStringLiteral("Workplaces"), ARow.Workplaces},
        {QStringLiteral("DayID"), ARow.DayID},
        {QStringLiteral("Days"), ARow.Days},
        {QStringLiteral("IsDeleted"), ARow.IsDeleted},
    });
}

bool DSAppendPrintWorkplace(TPrintTables& ATables, const TDSPrintWorkplaceRow& ARow)
{
    return ATables.DSPrintWorkplaces.Append({
        {QStringLiteral("ID"), ARow.ID},
        {QStringLiteral("Shortcut"), ARow.Shortcut},
        {QStringLiteral("Name"), ARow.Name},
        {QStringLiteral("Note"), ARow.Note},
        {QStringLiteral("Days"), ARow.Days},
        {QStringLiteral("IsDeleted"), ARow.IsDeleted},
        {QStringLiteral("DayID"), ARow.DayID},
    });
}
