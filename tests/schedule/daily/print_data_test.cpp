// Printing: the data manager's preparation and print steps, and the rows,
// nesting, filters and report names of the two daily list printers.
#include "reports/print_data.h"

#include "core/program_info.h"
#include "schedule/daily/daily_schedule.h"
#include "setup/setup.h"
#include "support/test_env.h"
#include "tests/schedule/daily/ds_test_store.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const TDate Day = DateToOle(QDate(2024, 5, 15));

QString Field(const TRecordingReportEngine::TRun& ARun, const QString& AConnection, size_t ARow, const QString& AName)
{
    const auto& rows = ARun.Rows.at(AConnection);
    if (ARow >= rows.size())
        return QStringLiteral("<no row>");
    return StringsValue(rows[ARow], AName);
}

size_t RowCount(const TRecordingReportEngine::TRun& ARun, const QString& AConnection)
{
    auto it = ARun.Rows.find(AConnection);
    return it == ARun.Rows.end() ? 0 : it->second.size();
}

class PrintDataTest : public testing::Test {
protected:
    TSetup Setup;
    TDSTestStore Store;
};

TEST_F(PrintDataTest, StandardParametersInOrderAndCallerLinesOverride)
{
    Setup.General()->SetNote("Setup note");
    Setup.General()->SetSubnote("Sub");
    TDataManPrint& print = Store.Printer;
    Store.Engine.SetParam("Stale", "1");
    EXPECT_TRUE(print.PreparePrint({"Note=Mine", "Extra=x=y"}));
    EXPECT_FALSE(Store.Engine.HasParam("Stale"));
    EXPECT_EQ(Store.Engine.Param("Note"), "Mine");
    EXPECT_EQ(Store.Engine.Param("Subnote"), "Sub");
    EXPECT_EQ(Store.Engine.Param("Extra"), "x=y");
    EXPECT_EQ(Store.Engine.Param("ProgramName"), ProgramInfo().ProgramName);
    EXPECT_EQ(Store.Engine.Param("ProgramVersion"), ProgramInfo().ProgramVersion);
    EXPECT_TRUE(Store.Engine.Param("TempDir").endsWith('/'));
    EXPECT_TRUE(print.DSPrintPersons().Active());
    EXPECT_TRUE(print.DSPrintWorkplaces().Active());
    EXPECT_TRUE(print.DSPrintDays().Active());
    EXPECT_TRUE(QFile::exists(TDataManPrint::LogoFileName()));
    Store.Engine.AnswerPrinterSetup(false);
    EXPECT_FALSE(print.Print("PersonsGeneral"));
    EXPECT_FALSE(QFile::exists(TDataManPrint::LogoFileName()));
}

TEST_F(PrintDataTest, CancelledSetupPrintsNothingAndTheNextPrintoutStartsEmpty)
{
    TDataManPrint& print = Store.Printer;
    print.PreparePrint({"Note=first"});
    print.DSPrintPersons().Append({{"ID", 1}});
    Store.Engine.AnswerPrinterSetup(false);
    EXPECT_FALSE(print.Print("DSPersonsGeneral"));
    EXPECT_TRUE(Store.Engine.Runs().empty());
    EXPECT_FALSE(print.DSPrintPersons().Active());
    print.PreparePrint({});
    EXPECT_EQ(print.DSPrintPersons().RowCount(), 0);
    EXPECT_EQ(Store.Engine.Param("Note"), "");
    Store.Engine.AnswerPrinterSetup(true);
    EXPECT_TRUE(print.Print("DSPersonsGeneral"));
    ASSERT_EQ(Store.Engine.Runs().size(), 1u);
    EXPECT_EQ(Store.Engine.Runs()[0].ReportName, "DSPersonsGeneral");
}

class DSPrintTest : public PrintDataTest {
protected:
    void SetUp() override
    {
        Ann = Store.AddPersonRecord("Ann");
        Bob = Store.AddPersonRecord("Bob");
        Cid = Store.AddPersonRecord("Cid");
        Kit = Store.AddWorkplaceRecord("K1", "Kitchen");
        Bar = Store.AddWorkplaceRecord("B1", "Bar");
        Empty = Store.AddWorkplaceRecord("E1", "Empty");
        Store.FindPerson(Ann)->DaysOut = 3;
        Store.FindPerson(Ann)->DateOutFrom = Day;
        Store.FindPerson(Ann)->DateOutTo = Day + 2;
        Store.FindPerson(Ann)->Note = "note";
        Store.AddJobRow(Day, Ann, Kit);
        Store.AddJobRow(Day, Bob, Kit);
        Store.AddJobRow(Day, Ann, Bar);
        Schedule.SetDate(Day);
        Store.Engine.AnswerPrinterSetup(true);
    }
    const TRecordingReportEngine::TRun& Run()
    {
        EXPECT_EQ(Store.Engine.Runs().size(), 1u);
        return Store.Engine.Runs().back();
    }

    TDailySchedule Schedule;
    int Ann = 0, Bob = 0, Cid = 0, Kit = 0, Bar = 0, Empty = 0;
};

TEST_F(DSPrintTest, WorkerListRowsAndDefaultReport)
{
    EXPECT_TRUE(Schedule.Persons()->Print(QString(), false));
    const auto& run = Run();
    EXPECT_EQ(run.ReportName, "DSPersonsGeneral");
    EXPECT_EQ(run.Params.value("ScheduleCaption"), "Daily schedule, Workers");
    EXPECT_EQ(run.Params.value("ScheduleDate"), "15/05/2024");
    ASSERT_EQ(RowCount(run, ReportDSCPersons), 3u);
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "Name"), "Ann");
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "Workplaces"), "B1-K1");
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "IsOut"), "true");
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "DaysOut"), "3");
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "Note"), "note");
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "WorkplaceID"), "0");
    EXPECT_EQ(Field(run, ReportDSCPersons, 2, "Name"), "Cid");
    EXPECT_EQ(Field(run, ReportDSCPersons, 2, "Workplaces"), "");
    EXPECT_EQ(RowCount(run, ReportDSCWorkplaces), 0u);
}

TEST_F(DSPrintTest, WorkerRegisterReportHasNoDateAndNoAbsenceMark)
{
    Schedule.Persons()->Print("PersonsGeneral", true);
    const auto& run = Run();
    EXPECT_EQ(run.ReportName, "PersonsGeneral");
    EXPECT_FALSE(run.Params.contains("ScheduleDate"));
    EXPECT_EQ(run.Params.value("ScheduleCaption"), "Workers");
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "IsOut"), "false");
}

TEST_F(DSPrintTest, InvolvedWorkersOnly)
{
    Setup.General()->SetPrintInvolvedPersonsOnly(true);
    Schedule.Persons()->Print("DSPersonsFull", false);
    const auto& run = Run();
    EXPECT_EQ(run.ReportName, "DSPersonsFull");
    ASSERT_EQ(RowCount(run, ReportDSCPersons), 2u);
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "Name"), "Ann");
    EXPECT_EQ(Field(run, ReportDSCPersons, 1, "Name"), "Bob");
}

TEST_F(DSPrintTest, WorkplaceListNestsWorkersUnderTheirWorkplace)
{
    Store.RemovePersonRecord(Bob);
    Schedule.Refresh(dsrkAll);
    EXPECT_TRUE(Schedule.Workplaces()->Print(QString(), false));
    const auto& run = Run();
    EXPECT_EQ(run.ReportName, "DailyScheduleGeneral");
    EXPECT_EQ(run.Params.value("ScheduleCaption"), "Daily schedule");
    // B1, E1, K1 in shortcut order; workers follow their workplace by WorkplaceID.
    ASSERT_EQ(RowCount(run, ReportDSCWorkplaces), 3u);
    EXPECT_EQ(Field(run, ReportDSCWorkplaces, 0, "Shortcut"), "B1");
    EXPECT_EQ(Field(run, ReportDSCWorkplaces, 1, "Shortcut"), "E1");
    EXPECT_EQ(Field(run, ReportDSCWorkplaces, 2, "Shortcut"), "K1");
    ASSERT_EQ(RowCount(run, ReportDSCPersons), 3u);
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "WorkplaceID"), QString::number(Bar));
    EXPECT_EQ(Field(run, ReportDSCPersons, 0, "Workplaces"), "B1-K1");
    EXPECT_EQ(Field(run, ReportDSCPersons, 1, "WorkplaceID"), QString::number(Kit));
    EXPECT_EQ(Field(run, ReportDSCPersons, 1, "Name"), "Ann");
    // A deleted worker prints by his stored name, marked deleted, after the live.
    EXPECT_EQ(Field(run, ReportDSCPersons, 2, "Name"), "Bob");
    EXPECT_EQ(Field(run, ReportDSCPersons, 2, "IsDeleted"), "true");
    EXPECT_EQ(Field(run, ReportDSCPersons, 1, "IsDeleted"), "false");
}

TEST_F(DSPrintTest, OccupiedWorkplacesOnlyAndTheRegisterReport)
{
    Setup.General()->SetPrintOccupiedWorkplacesOnly(true);
    Schedule.Workplaces()->Print("WorkplacesGeneral", true);
    const auto& run = Run();
    EXPECT_FALSE(run.Params.contains("ScheduleDate"));
    EXPECT_EQ(run.Params.value("ScheduleCaption"), "Workplaces");
    ASSERT_EQ(RowCount(run, ReportDSCWorkplaces), 2u);
    EXPECT_EQ(Field(run, ReportDSCWorkplaces, 0, "Shortcut"), "B1");
    EXPECT_EQ(Field(run, ReportDSCWorkplaces, 1, "Shortcut"), "K1");
}

TEST_F(DSPrintTest, AnEmptyDayWithOccupiedOnlyPrintsNoWorkplaceRow)
{
    Setup.General()->SetPrintOccupiedWorkplacesOnly(true);
    Schedule.SetDate(Day + 10);
    Schedule.Workplaces()->Print(QString(), false);
    const auto& run = Run();
    EXPECT_EQ(RowCount(run, ReportDSCWorkplaces), 0u);
    EXPECT_EQ(RowCount(run, ReportDSCPersons), 0u);
}

TEST_F(DSPrintTest, LongTextsAreCutToTheirFields)
{
    Store.FindWorkplace(Kit)->Name = QString(45, 'n');
    Store.Jobs[0].Job.WorkplaceName = QString(45, 'n');
    Store.Jobs[1].Job.WorkplaceName = QString(45, 'n');
    for (int i = 0; i < 20; ++i) {
        const int w
            = Store.AddWorkplaceRecord(QStringLiteral("W%1").arg(i, 2, 10, QLatin1Char('0')), QString("P%1").arg(i));
        Store.AddJobRow(Day, Cid, w);
    }
    Schedule.Refresh(dsrkAll);
    Schedule.Workplaces()->Print(QString(), false);
    const auto& run = Run();
    bool sawKitchen = false;
    for (size_t i = 0; i < RowCount(run, ReportDSCWorkplaces); ++i)
        if (Field(run, ReportDSCWorkplaces, i, "ID") == QString::number(Kit)) {
            EXPECT_EQ(Field(run, ReportDSCWorkplaces, i, "Name"), QString(40, 'n'));
            sawKitchen = true;
        }
    EXPECT_TRUE(sawKitchen);
    bool sawCid = false;
    for (size_t i = 0; i < RowCount(run, ReportDSCPersons); ++i)
        if (Field(run, ReportDSCPersons, i, "ID") == QString::number(Cid)) {
            EXPECT_EQ(Field(run, ReportDSCPersons, i, "Workplaces").size(), 50);
            sawCid = true;
        }
    EXPECT_TRUE(sawCid);
}

} // namespace
