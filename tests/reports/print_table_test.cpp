#include "report_fixture.h"

#include "reports/recording_report_engine.h"
#include "reports/report_engine.h"

namespace {
QStringList FieldList(const TPrintTable& ATable)
{
    QStringList fields;
    for (const auto& f : ATable.Fields())
        fields << QStringLiteral("%1:%2:%3").arg(f.Name).arg(f.Type).arg(f.Size);
    return fields;
}
} // namespace

TEST(PrintTables, FieldsNamesTypesAndSizes)
{
    TPrintTables tables;
    EXPECT_EQ(FieldList(tables.DSPrintWorkplaces),
        QStringList({"ID:0:0", "Shortcut:1:20", "Name:1:40", "Note:1:80", "Days:1:50", "IsDeleted:3:0", "DayID:0:0"}));
    EXPECT_EQ(FieldList(tables.DSPrintPersons),
        QStringList({"ID:0:0", "Name:1:50", "SortingName:1:50", "Note:1:80", "DateOutFrom:2:0", "DateOutTo:2:0",
            "DaysOut:0:0", "IsOut:3:0", "NoteOut:1:80", "WorkplaceID:0:0", "Workplaces:1:50", "DayID:0:0", "Days:1:50",
            "IsDeleted:3:0"}));
    EXPECT_EQ(FieldList(tables.DSPrintDays),
        QStringList({"ID:0:0", "Date:2:0", "DayName:1:20", "DateWithoutYear:1:20", "Color:0:0", "PersonIsOut:3:0"}));
    EXPECT_EQ(tables.ByConnection("ReportDSCWorkplaces"), &tables.DSPrintWorkplaces);
    EXPECT_EQ(tables.ByConnection("ReportDSCPersons"), &tables.DSPrintPersons);
    EXPECT_EQ(tables.ByConnection("ReportDSCDays"), &tables.DSPrintDays);
    EXPECT_EQ(tables.ByConnection("DSPrintDays"), nullptr);
}

TEST(PrintTables, TextsAreCutToTheirFieldOnAppend)
{
    TPrintTables tables;
    ASSERT_TRUE(tables.Open());
    const QString name45 = QString(45, 'n');
    const QString shortcuts = QStringList(20, QStringLiteral("ABC")).join('-'); // 79 characters
    ASSERT_TRUE(tables.DSPrintWorkplaces.Append({{"ID", 7}, {"Name", name45}}));
    ASSERT_TRUE(tables.DSPrintPersons.Append({{"ID", 3}, {"Workplaces", shortcuts}, {"Name", "Anna"}}));
    EXPECT_EQ(tables.DSPrintWorkplaces.AsString(0, "Name"), name45.left(40));
    EXPECT_EQ(tables.DSPrintPersons.AsString(0, "Workplaces"), shortcuts.left(50));
    EXPECT_EQ(tables.DSPrintPersons.AsString(0, "Name"), "Anna");
    // Fields left out take their empty value.
    EXPECT_EQ(tables.DSPrintWorkplaces.AsString(0, "Shortcut"), "");
    EXPECT_EQ(tables.DSPrintWorkplaces.AsInteger(0, "DayID"), 0);
    EXPECT_FALSE(tables.DSPrintWorkplaces.AsBoolean(0, "IsDeleted"));
    EXPECT_EQ(tables.DSPrintPersons.AsDate(0, "DateOutTo"), 0.0);
}

TEST(PrintTables, RefusesRowsWhenClosedOrWithUnknownFields)
{
    TPrintTables tables;
    EXPECT_FALSE(tables.DSPrintDays.Append({{"ID", 1}}));
    ASSERT_TRUE(tables.Open());
    EXPECT_FALSE(tables.DSPrintDays.Append({{"ID", 1}, {"Colour", 5}}));
    EXPECT_EQ(tables.DSPrintDays.RowCount(), 0);
    ASSERT_TRUE(tables.DSPrintDays.Append({{"ID", 1}, {"Color", 0xFF00FF}}));
    EXPECT_EQ(tables.DSPrintDays.AsInteger(0, "Color"), 0xFF00FF);
    EXPECT_FALSE(tables.DSPrintDays.Value(1, "ID").isValid());
    EXPECT_FALSE(tables.DSPrintDays.Value(0, "Nope").isValid());
    // Closing discards the rows; a reopened table starts empty.
    tables.Close();
    EXPECT_FALSE(tables.DSPrintDays.Active());
    ASSERT_TRUE(tables.Open());
    EXPECT_EQ(tables.DSPrintDays.RowCount(), 0);
}

TEST(ReportEngineInterface, ProjectFileBesideTheProgram)
{
    EXPECT_EQ(ReportProjectFileName("/opt/plenvo/bin/plenvo"), "/opt/plenvo/bin/plenvo.rav");
    EXPECT_EQ(ReportProjectFileName("/opt/my.apps/plenvo"), "/opt/my.apps/plenvo.rav");
    EXPECT_EQ(ReportProjectFileName("/opt/bin/plenvo.exe"), "/opt/bin/plenvo.rav");
    EXPECT_EQ(ReportProjectFileName("/plenvo"), "/plenvo.rav");
}

TEST(ReportEngineInterface, RecordingEngineSeesBoundTablesByConnectionName)
{
    TPrintTables tables;
    FillFixture(tables);
    TRecordingReportEngine engine;
    BindPrintTables(engine, tables);
    engine.SetParam("Note", "A");
    engine.ClearParams();
    engine.SetParam("ScheduleCaption", "Workers");
    EXPECT_FALSE(engine.PrinterSetup("DailyScheduleGeneral"));
    engine.AnswerPrinterSetup(true);
    EXPECT_TRUE(engine.PrinterSetup("DailyScheduleGeneral"));
    ASSERT_TRUE(engine.ExecuteReport("PersonsGeneral"));
    ASSERT_EQ(engine.Runs().size(), 1u);
    const auto& run = engine.Runs()[0];
    EXPECT_EQ(run.ReportName, "PersonsGeneral");
    EXPECT_EQ(run.Params.keys(), QStringList({"ScheduleCaption"}));
    EXPECT_EQ(run.Rows.at("ReportDSCDays").size(), 2u);
    EXPECT_EQ(run.Rows.at("ReportDSCPersons").size(), 7u);
    EXPECT_TRUE(run.Rows.at("ReportDSCWorkplaces")[0].contains("Shortcut=KIT"));
}
