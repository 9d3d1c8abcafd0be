#include "report_fixture.h"

#include "support/scripted_dialogs.h"
#include "support/test_env.h"
#include "ui/report_engine_qt.h"

#include <QCoreApplication>
#include <QFile>

namespace {
class ReportEngine : public testing::Test {
protected:
    void SetUp() override
    {
        FillFixture(FTables);
        FEngine.SetProjectFile(PLENVO_REPORT_PROJECT);
        BindPrintTables(FEngine, FTables);
        const TReportParams params = ScheduleParams();
        for (auto it = params.begin(); it != params.end(); ++it)
            FEngine.SetParam(it.key(), it.value());
        FEngine.Printer().setPageSize(QPageSize(QPageSize::A4));
    }
    void TearDown() override { EXPECT_TRUE(TestEnv::Dialogs().AllAnswered()); }

    QStringList Asked() const
    {
        QStringList kinds;
        for (const auto& q : TestEnv::Dialogs().Questions())
            kinds << q.Kind;
        return kinds;
    }

    TPrintTables FTables;
    TQtReportEngine FEngine;
};

QByteArray ReadFile(const QString& AFileName)
{
    QFile file(AFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TEST(ReportEngineDefaults, ProjectFileIsBesideTheProgram)
{
    TQtReportEngine engine;
    EXPECT_EQ(engine.ProjectFile(), ReportProjectFileName(QCoreApplication::applicationFilePath()));
}

TEST_F(ReportEngine, PrinterSetupReturnsTheAnswer)
{
    TestEnv::Dialogs().AnswerPrintSetup(true);
    TestEnv::Dialogs().AnswerPrintSetup(false);
    EXPECT_TRUE(FEngine.PrinterSetup("DailyScheduleGeneral"));
    EXPECT_FALSE(FEngine.PrinterSetup("DailyScheduleGeneral"));
    EXPECT_EQ(FEngine.Printer().docName(), "Plenvo Report");
}

TEST_F(ReportEngine, APdfIsProposedUnderANameThatSaysWhatItHoldsAndNeverOverAFile)
{
    const QString documents = TestEnv::DocumentsFolder() + "/";
    FEngine.Printer().setOutputFormat(QPrinter::PdfFormat);
    const struct {
        const char* Report;
        TReportParams Params;
        const char* Proposed;
    } cases[] = {
        {"DailyScheduleFull", {{"ScheduleDate", "07/12/2026"}}, "Daily schedule, 2026-12-07.pdf"},
        {"PersonScheduleGeneral", {{"PersonName", "Anna Berg"}, {"DateStart", "01/12/2026"}, {"DateEnd", "31/12/2026"}},
            "Worker schedule, Anna Berg, 2026-12.pdf"},
        {"WorkplaceScheduleTwoCol",
            {{"WorkplaceName", "Bar/Café"}, {"DateStart", "07/12/2026"}, {"DateEnd", "13/12/2026"}},
            "Workplace schedule, Bar-Café, 2026-12-07 to 2026-12-13.pdf"},
        {"WSWorkplacesFull", {{"DateStart", "28/12/2026"}, {"DateEnd", "03/01/2027"}},
            "Workplace schedule, Workplaces, 2026-12-28 to 2027-01-03.pdf"},
        {"PersonsGeneral", {}, "Workers.pdf"},
    };
    for (const auto& c : cases) {
        FEngine.ClearParams();
        for (auto it = c.Params.begin(); it != c.Params.end(); ++it)
            FEngine.SetParam(it.key(), it.value());
        TestEnv::Dialogs().AnswerPrintSetup(true);
        EXPECT_TRUE(FEngine.PrinterSetup(c.Report));
        EXPECT_EQ(FEngine.Printer().outputFileName(), documents + QString::fromUtf8(c.Proposed)) << c.Report;
        EXPECT_EQ(FEngine.Printer().docName(), "Plenvo Report");
    }
    // A file of that name is there already: the next proposal is a new one.
    QFile kept(documents + "Workers.pdf");
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    TestEnv::Dialogs().AnswerPrintSetup(true);
    EXPECT_TRUE(FEngine.PrinterSetup("PersonsTwoCol"));
    EXPECT_EQ(FEngine.Printer().outputFileName(), documents + "Workers (2).pdf");
    QFile::remove(documents + "Workers.pdf");
}

TEST_F(ReportEngine, ParametersClearAndSet)
{
    EXPECT_TRUE(FEngine.HasParam("Note"));
    FEngine.ClearParams();
    EXPECT_FALSE(FEngine.HasParam("Note"));
    FEngine.SetParam("Note", "One");
    FEngine.SetParam("Note", "Two");
    EXPECT_EQ(FEngine.Param("Note"), "Two");
    EXPECT_EQ(FEngine.Param("Missing"), "");
}

TEST_F(ReportEngine, ThePrinterDialogsFileIsOfferedAndWrittenOrPreviewedFirst)
{
    // The printer dialog chose "Print to File (PDF)" with a file name: the
    // output options offer exactly that file, and keeping it writes it.
    const QString folder = TestEnv::NewFolder("pdfs");
    FEngine.Printer().setOutputFormat(QPrinter::PdfFormat);
    for (const QString& name : {QStringLiteral("DailyScheduleGeneral"), QStringLiteral("PersonScheduleFull"),
             QStringLiteral("WorkplacesTwoCol")}) {
        const QString file = folder + "/" + name + ".pdf";
        FEngine.Printer().setOutputFileName(file);
        TestEnv::Dialogs().AnswerReportOutput(rdFile);
        EXPECT_TRUE(FEngine.ExecuteReport(name));
        EXPECT_TRUE(ReadFile(file).startsWith("%PDF")) << name.toStdString();
        EXPECT_EQ(TestEnv::Dialogs().Questions().back().Text, file);
    }
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts().isEmpty());

    // A preview instead writes nothing; what it shows goes to that file when
    // printed from the preview.
    const QString previewed = folder + "/previewed.pdf";
    FEngine.Printer().setOutputFileName(previewed);
    TestEnv::Dialogs().Reset();
    TestEnv::Dialogs().AnswerReportOutput(rdPreview);
    TestEnv::Dialogs().AnswerReportPreview();
    EXPECT_TRUE(FEngine.ExecuteReport("WorkplaceScheduleFull"));
    EXPECT_EQ(Asked(), QStringList({"output", "preview"}));
    EXPECT_TRUE(TestEnv::Dialogs().PreviewPdf().startsWith("%PDF"));
    EXPECT_FALSE(QFile::exists(previewed));
}

TEST_F(ReportEngine, APrinterChosenInThePrinterDialogIsOfferedByName)
{
    FEngine.Printer().setOutputFormat(QPrinter::NativeFormat);
    if (FEngine.Printer().outputFormat() != QPrinter::NativeFormat)
        GTEST_SKIP() << "no printer on this machine";
    TestEnv::Dialogs().AnswerReportOutput(std::nullopt);
    EXPECT_FALSE(FEngine.ExecuteReport("DSPersonsGeneral"));
    EXPECT_EQ(TestEnv::Dialogs().Questions().back().Text, FEngine.Printer().printerName());
}

TEST_F(ReportEngine, CancelledOutputOptionsPrintNothing)
{
    TestEnv::Dialogs().AnswerReportOutput(std::nullopt);
    EXPECT_FALSE(FEngine.ExecuteReport("DSPersonsGeneral"));
    EXPECT_EQ(Asked(), QStringList({"output"}));
}

TEST_F(ReportEngine, UnknownReportNameIsReportedAndNothingPrinted)
{
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(FEngine.ExecuteReport("PSDaysGeneral"));
    ASSERT_EQ(Asked(), QStringList({"message"}));
    const QString text = TestEnv::Dialogs().MessageTexts().at(0);
    EXPECT_TRUE(text.contains("\"PSDaysGeneral\"")) << text.toStdString();
    EXPECT_TRUE(text.contains(PLENVO_REPORT_PROJECT)) << text.toStdString();
}

TEST_F(ReportEngine, MissingOrBrokenProjectFileIsReportedAndNothingPrinted)
{
    const QString folder = TestEnv::NewFolder("project");
    const QString missing = folder + "/missing.rav";
    const QString broken = folder + "/broken.rav";
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{ \"Reports\": { \"DSPersonsGeneral\": ");
    file.close();
    for (const QString& project : {missing, broken}) {
        TestEnv::Dialogs().Reset();
        TestEnv::Dialogs().AnswerMessage(mrOk);
        FEngine.SetProjectFile(project);
        EXPECT_FALSE(FEngine.ExecuteReport("DSPersonsGeneral"));
        ASSERT_EQ(Asked(), QStringList({"message"}));
        const QString text = TestEnv::Dialogs().MessageTexts().at(0);
        EXPECT_TRUE(text.contains(project)) << text.toStdString();
        EXPECT_TRUE(text.contains("\"DSPersonsGeneral\"")) << text.toStdString();
    }
}

TEST_F(ReportEngine, UnboundConnectionIsReported)
{
    FEngine.SetDataConnection(ReportDSCPersons, nullptr);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(FEngine.ExecuteReport("DailyScheduleGeneral"));
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts().value(0).contains("ReportDSCPersons"));
}

TEST_F(ReportEngine, AFileThatCannotBeWrittenIsReported)
{
    FEngine.Printer().setOutputFormat(QPrinter::PdfFormat);
    FEngine.Printer().setOutputFileName(TestEnv::NewFolder("ro") + "/no/such/folder/r.pdf");
    TestEnv::Dialogs().AnswerReportOutput(rdFile);
    TestEnv::Dialogs().AnswerMessage(mrOk);
    EXPECT_FALSE(FEngine.ExecuteReport("PersonsGeneral"));
    EXPECT_TRUE(TestEnv::Dialogs().MessageTexts().value(0).startsWith("The report could not be saved"));
}

TEST_F(ReportEngine, LaysOutOnThePrintersPaper)
{
    FEngine.Printer().setPageOrientation(QPageLayout::Landscape);
    TReportDocument document;
    QString message;
    ASSERT_TRUE(FEngine.LayoutNamedReport("PersonsGeneral", document, message)) << message.toStdString();
    EXPECT_NEAR(document.Paper.width(), 297, 0.5);
    EXPECT_NEAR(document.Paper.height(), 210, 0.5);
}
