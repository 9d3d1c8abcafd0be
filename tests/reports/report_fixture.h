// Print rows as the list printers write them, for the report tests.
#pragma once

#include "reports/print_table.h"
#include "reports/report_layout.h"
#include "reports/report_project.h"

#include <QStringList>

#include <gtest/gtest.h>

inline void AddWorkplace(TPrintTables& ATables, int AID, const QString& AShortcut, const QString& AName, int ADayID = 0,
    const QString& ANote = QString(), const QString& ADays = QString())
{
    ASSERT_TRUE(ATables.DSPrintWorkplaces.Append(
        {{"ID", AID}, {"Shortcut", AShortcut}, {"Name", AName}, {"Note", ANote}, {"Days", ADays}, {"DayID", ADayID}}));
}

inline void AddPerson(TPrintTables& ATables, int AID, const QString& AName, int AWorkplaceID = 0, int ADayID = 0,
    const QString& AWorkplaces = QString(), const QString& ADays = QString())
{
    ASSERT_TRUE(
        ATables.DSPrintPersons.Append({{"ID", AID}, {"Name", AName}, {"SortingName", AName + QStringLiteral(" S")},
            {"Note", QStringLiteral("note of ") + AName}, {"WorkplaceID", AWorkplaceID}, {"DayID", ADayID},
            {"Workplaces", AWorkplaces}, {"Days", ADays}, {"DateOutFrom", 40967.0}, {"DateOutTo", 40970.0},
            {"DaysOut", 4}, {"IsOut", true}, {"NoteOut", QStringLiteral("holiday")}}));
}

inline void AddDay(TPrintTables& ATables, int AID, const QString& ADayName, const QString& ADate)
{
    ASSERT_TRUE(ATables.DSPrintDays.Append({{"ID", AID}, {"Date", 40966.0 + AID}, {"DayName", ADayName},
        {"DateWithoutYear", ADate}, {"Color", 0xE0FFFF}, {"PersonIsOut", AID == 2}}));
}

// Rows of several printers at once: workplaces with their workers, workers on
// their own, and two days with nested rows, which top-level lists leave out.
inline void FillFixture(TPrintTables& ATables)
{
    ATables.Open();
    AddWorkplace(ATables, 1, "KIT", "Kitchen");
    AddPerson(ATables, 11, "Anna Berg", 1, 0, "KIT");
    AddPerson(ATables, 12, "Carl Dahl", 1, 0, "KIT-BAR");
    AddWorkplace(ATables, 2, "BAR", "Bar");
    AddPerson(ATables, 12, "Carl Dahl", 2, 0, "KIT-BAR");
    AddPerson(ATables, 11, "Anna Berg", 0, 0, "KIT");
    AddPerson(ATables, 12, "Carl Dahl", 0, 0, "KIT-BAR");
    AddPerson(ATables, 13, "Eva Falk", 0, 0, "", "Mo 27.2., Tu 28.2.");
    AddDay(ATables, 1, "Mon", "27.2.");
    AddWorkplace(ATables, 3, "DSK", "Desk", 1);
    AddPerson(ATables, 14, "Gus Holm", 0, 1);
    AddDay(ATables, 2, "Tue", "28.2.");
    AddWorkplace(ATables, 1, "KIT", "Kitchen", 2);
}

inline TReportParams ScheduleParams()
{
    return {{"ScheduleCaption", "Daily schedule"}, {"ScheduleDate", "28/02/2012"}, {"Note", "Acme Ltd"},
        {"Subnote", "Catering"}, {"ProgramName", "Plenvo"}, {"ProgramVersion", "0.1.0.0"},
        {"TempDir", "/nonexistent/"}};
}

inline TReportConnections Connections(const TPrintTables& ATables)
{
    return [&ATables](const QString& AName) { return ATables.ByConnection(AName); };
}

inline TReportLayout ProjectLayout(const QString& AName)
{
    TReportProject project;
    QString error;
    EXPECT_TRUE(project.LoadFromFile(QStringLiteral(PLENVO_REPORT_PROJECT), error)) << error.toStdString();
    TReportLayout layout;
    EXPECT_TRUE(project.Layout(AName, layout, error)) << AName.toStdString() << ": " << error.toStdString();
    return layout;
}

// Texts of a page's items of one role, in layout order.
inline QStringList Texts(const TReportPage& APage, const QString& ARole)
{
    QStringList texts;
    for (const auto& item : APage.Items)
        if (item.Kind == rikText && item.Role == ARole)
            texts << item.Text;
    return texts;
}

inline QStringList AllTexts(const TReportDocument& ADocument, const QString& ARole)
{
    QStringList texts;
    for (const auto& page : ADocument.Pages)
        texts << Texts(page, ARole);
    return texts;
}
