#include "report_fixture.h"

#include "reports/report_paint.h"

#include <QImage>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <map>

#include "support/test_env.h"

namespace {
const char* const Variants[] = {"General", "Full", "TwoCol"};
const char* const Reports[] = {"DailySchedule", "DSPersons", "PSPersons", "PSWorkplaces", "PersonSchedule", "WSPersons",
    "WSWorkplaces", "WorkplaceSchedule", "Persons", "Workplaces"};

TReportDocument Lay(const QString& AName, const TPrintTables& ATables, const TReportParams& AParams = ScheduleParams())
{
    return LayoutReport(ProjectLayout(AName), AParams, Connections(ATables), TReportPageGeometry());
}

// Every text item lies inside the paper and no two texts of a page overlap.
void ExpectNoOverprint(const TReportDocument& ADocument)
{
    for (const auto& page : ADocument.Pages) {
        std::vector<const TReportItem*> texts;
        for (const auto& item : page.Items)
            if (item.Kind == rikText) {
                EXPECT_TRUE(QRectF(QPointF(0, 0), ADocument.Paper).contains(item.Rect)) << item.Text.toStdString();
                EXPECT_LE(ReportTextWidth(item.Text, item.Size, item.Bold, item.Italic), item.Rect.width())
                    << item.Text.toStdString();
                texts.push_back(&item);
            }
        for (size_t i = 0; i < texts.size(); ++i)
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(texts[i]->Rect.adjusted(0.01, 0.01, -0.01, -0.01).intersects(texts[j]->Rect))
                    << ADocument.ReportName.toStdString() << ": " << texts[i]->Text.toStdString() << " / "
                    << texts[j]->Text.toStdString();
    }
}
} // namespace

TEST(ReportLayouts, ProjectHoldsExactlyTheThirtyReports)
{
    TReportProject project;
    QString error;
    ASSERT_TRUE(project.LoadFromFile(PLENVO_REPORT_PROJECT, error)) << error.toStdString();
    QStringList expected;
    for (const char* report : Reports)
        for (const char* variant : Variants)
            expected << QString::fromLatin1(report) + QString::fromLatin1(variant);
    expected.sort();
    EXPECT_EQ(project.ReportNames(), expected);
}

TEST(ReportLayouts, EveryReportLaysOutTheFixtureCleanly)
{
    TPrintTables tables;
    FillFixture(tables);
    for (const char* report : Reports)
        for (const char* variant : Variants) {
            const QString name = QString::fromLatin1(report) + QString::fromLatin1(variant);
            SCOPED_TRACE(name.toStdString());
            const TReportDocument document = Lay(name, tables);
            ASSERT_EQ(document.Pages.size(), 1u);
            const auto& page = document.Pages[0];
            EXPECT_EQ(Texts(page, "title").size(), 1);
            EXPECT_TRUE(Texts(page, "headerline").contains("Acme Ltd"));
            EXPECT_TRUE(Texts(page, "footer").contains("Plenvo 0.1.0.0"));
            EXPECT_TRUE(Texts(page, "footer").contains("Page 1 of 1"));
            EXPECT_FALSE(Texts(page, "master").isEmpty());
            EXPECT_TRUE(Texts(page, "empty").isEmpty());
            ExpectNoOverprint(document);
        }
}

TEST(ReportLayouts, VariantsShowTheirFields)
{
    TPrintTables tables;
    FillFixture(tables);
    const QStringList general = AllTexts(Lay("DSPersonsGeneral", tables), "master");
    EXPECT_TRUE(general.contains("Anna Berg"));
    EXPECT_TRUE(general.contains("KIT-BAR"));
    EXPECT_FALSE(general.contains("note of Anna Berg"));
    const QStringList full = AllTexts(Lay("DSPersonsFull", tables), "master");
    EXPECT_TRUE(full.contains("note of Anna Berg"));
    EXPECT_TRUE(full.contains("out"));
    EXPECT_TRUE(full.contains("Absent 28/02/2012 – 02/03/2012 (4 days) holiday")) << full.join('|').toStdString();
    const QStringList twoCol = AllTexts(Lay("DSPersonsTwoCol", tables), "master");
    EXPECT_TRUE(twoCol.contains("Anna Berg S"));
    // Days carry their colour in the detailed report only.
    const auto hasBand = [](const TReportDocument& ADocument) {
        for (const auto& item : ADocument.Pages[0].Items)
            if (item.Kind == rikBox && item.Fill == 0xE0FFFF)
                return true;
        return false;
    };
    EXPECT_TRUE(hasBand(Lay("PersonScheduleFull", tables)));
    EXPECT_FALSE(hasBand(Lay("PersonScheduleGeneral", tables)));
    EXPECT_TRUE(AllTexts(Lay("PersonScheduleFull", tables), "master").contains("worker out"));
}

TEST(ReportLayouts, ASecondLineIsPrintedOnlyWhenItHasText)
{
    TPrintTables tables;
    tables.Open();
    ASSERT_TRUE(tables.DSPrintPersons.Append({{"ID", 1}, {"Name", "A"}, {"Note", "has a note"}}));
    ASSERT_TRUE(tables.DSPrintPersons.Append({{"ID", 2}, {"Name", "B"}}));
    ASSERT_TRUE(tables.DSPrintPersons.Append({{"ID", 3}, {"Name", "C"}}));
    const TReportDocument document = Lay("PersonsFull", tables);
    std::map<QString, double> tops;
    for (const auto& item : document.Pages.at(0).Items)
        if (item.Role == "master" && item.Text.size() == 1)
            tops[item.Text] = item.Rect.top();
    ASSERT_EQ(tops.size(), 3u);
    const double line = ReportLineHeight(9);
    EXPECT_NEAR(tops["B"] - tops["A"], 2 * line + 0.6, 0.01);
    EXPECT_NEAR(tops["C"] - tops["B"], line + 0.6, 0.01);
}

TEST(ReportLayouts, RegisterReportsShowTheCaptionAndNoDate)
{
    TPrintTables tables;
    FillFixture(tables);
    for (const char* name :
        {"PersonsGeneral", "PersonsFull", "PersonsTwoCol", "WorkplacesGeneral", "WorkplacesFull", "WorkplacesTwoCol"}) {
        SCOPED_TRACE(name);
        TReportParams params = ScheduleParams();
        params["ScheduleCaption"] = QString::fromLatin1(name).startsWith("Persons") ? "Workers" : "Workplaces";
        const auto page = Lay(name, tables, params).Pages.at(0);
        EXPECT_EQ(Texts(page, "title"), QStringList({params["ScheduleCaption"]}));
        EXPECT_FALSE(Texts(page, "headerline").contains("28/02/2012"));
        EXPECT_EQ(Texts(page, "headerline"), QStringList({"Acme Ltd", "Catering"}));
    }
    // A schedule report shows the date below its caption.
    EXPECT_EQ(Texts(Lay("DSPersonsGeneral", tables).Pages.at(0), "headerline").value(0), "28/02/2012");
}

TEST(ReportLayouts, NestedRowsFollowTheirParent)
{
    TPrintTables tables;
    FillFixture(tables);
    QStringList order;
    const TReportDocument daily = Lay("DailyScheduleGeneral", tables);
    for (const auto& item : daily.Pages.at(0).Items)
        if (item.Role == "master" || item.Role == "detail")
            order << item.Role.left(1) + ":" + item.Text;
    // Workplaces nested under a day are no rows of the daily schedule.
    EXPECT_EQ(order, QStringList({"m:KIT", "m:Kitchen", "d:Anna Berg", "d:out", "d:Carl Dahl", "d:out", "m:BAR",
                         "m:Bar", "d:Carl Dahl", "d:out"}));
    order.clear();
    const TReportDocument days = Lay("WorkplaceScheduleGeneral", tables);
    for (const auto& item : days.Pages.at(0).Items)
        if (item.Role == "master" || item.Role == "detail")
            order << item.Role.left(1) + ":" + item.Text;
    EXPECT_EQ(order, QStringList({"m:Mon", "m:27.2.", "d:Gus Holm", "d:out", "m:Tue", "m:28.2.", "m:worker out"}));
    // Workers nested under a workplace or a day are no rows of a worker list.
    EXPECT_EQ(AllTexts(Lay("DSPersonsGeneral", tables), "master"),
        QStringList({"Anna Berg", "KIT", "out", "Carl Dahl", "KIT-BAR", "out", "Eva Falk", "out"}));
    // Nested rows are indented under their parent.
    const auto page = Lay("PersonScheduleGeneral", tables).Pages.at(0);
    double masterX = 1e9, detailX = 1e9;
    for (const auto& item : page.Items) {
        if (item.Role == "master")
            masterX = std::min(masterX, item.Rect.left());
        if (item.Role == "detail")
            detailX = std::min(detailX, item.Rect.left());
    }
    EXPECT_GT(detailX, masterX);
}

TEST(ReportLayouts, LongListsPaginateWithHeaderAndPageNumbers)
{
    TPrintTables tables;
    tables.Open();
    for (int i = 1; i <= 500; ++i)
        AddPerson(tables, i, QStringLiteral("Worker %1").arg(i, 3, 10, QLatin1Char('0')));
    const TReportDocument document = Lay("PersonsGeneral", tables);
    const int pages = static_cast<int>(document.Pages.size());
    ASSERT_GT(pages, 5);
    QStringList names;
    for (int p = 0; p < pages; ++p) {
        const auto& page = document.Pages[static_cast<size_t>(p)];
        EXPECT_EQ(Texts(page, "title"), QStringList({"Workers"}));
        EXPECT_EQ(Texts(page, "caption").value(0), "Worker");
        EXPECT_TRUE(Texts(page, "footer").contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages)));
        for (const auto& item : page.Items)
            if (item.Role == "master") {
                EXPECT_LE(item.Rect.bottom(), 297 - 12 - ReportLineHeight(7.5));
            }
        names << Texts(page, "master").filter(QRegularExpression("^Worker \\d+$"));
    }
    ASSERT_EQ(names.size(), 500);
    EXPECT_EQ(names.first(), "Worker 001");
    EXPECT_EQ(names.last(), "Worker 500");
    ExpectNoOverprint(document);
}

TEST(ReportLayouts, TwoColumnReportsFillTheLeftColumnFirst)
{
    TPrintTables tables;
    tables.Open();
    for (int i = 1; i <= 150; ++i)
        AddPerson(tables, i, QStringLiteral("W%1").arg(i, 3, 10, QLatin1Char('0')));
    const TReportDocument document = Lay("PersonsTwoCol", tables);
    ASSERT_GE(document.Pages.size(), 1u);
    std::vector<std::pair<int, QString>> placed; // column, sorting name, in reading order
    for (const auto& page : document.Pages)
        for (const auto& item : page.Items)
            if (item.Role == "master" && item.Text.startsWith('W') && item.Text.endsWith(" S"))
                placed.emplace_back(item.Column, item.Text);
    ASSERT_EQ(placed.size(), 150u);
    // Reading order goes down the left column, then the right one, page by page.
    int switches = 0;
    for (size_t i = 1; i < placed.size(); ++i) {
        EXPECT_LT(placed[i - 1].second, placed[i].second);
        if (placed[i].first != placed[i - 1].first)
            ++switches;
    }
    EXPECT_GE(switches, 1);
    EXPECT_EQ(placed.front().first, 0);
    // The right column starts at the same height as the left one, to its right.
    const auto& page = document.Pages[0];
    QRectF firstLeft, firstRight;
    for (const auto& item : page.Items)
        if (item.Role == "master") {
            if (item.Column == 0 && firstLeft.isNull())
                firstLeft = item.Rect;
            if (item.Column == 1 && firstRight.isNull())
                firstRight = item.Rect;
        }
    ASSERT_FALSE(firstRight.isNull());
    EXPECT_DOUBLE_EQ(firstLeft.top(), firstRight.top());
    EXPECT_GT(firstRight.left(), firstLeft.right());
    EXPECT_EQ(Texts(page, "caption").count("Worker"), 2); // captions over both columns
}

TEST(ReportLayouts, AGroupIsNotSeparatedFromItsParentAtABreak)
{
    TPrintTables tables;
    tables.Open();
    int id = 0;
    // Enough small groups to reach the page end, then one with ten workers.
    for (int w = 1; w <= 40; ++w) {
        AddWorkplace(tables, w, QStringLiteral("W%1").arg(w), QStringLiteral("Place %1").arg(w));
        const int workers = w == 40 ? 10 : 2;
        for (int p = 0; p < workers; ++p) {
            ++id;
            AddPerson(tables, id, QStringLiteral("P%1").arg(id), w);
        }
    }
    const TReportDocument document = Lay("DailyScheduleGeneral", tables);
    ASSERT_GE(document.Pages.size(), 2u);
    // Each page begins with a workplace row, never with an orphaned worker.
    for (const auto& page : document.Pages) {
        for (const auto& item : page.Items)
            if (item.Role == "master" || item.Role == "detail") {
                EXPECT_EQ(item.Role, "master");
                break;
            }
    }
    // No workplace row ends a page without its first worker.
    for (const auto& page : document.Pages) {
        QString last;
        for (const auto& item : page.Items)
            if (item.Role == "master" || item.Role == "detail")
                last = item.Role;
        EXPECT_EQ(last, "detail");
    }
}

TEST(ReportLayouts, AGroupLongerThanAPageGoesOnWithItsParentRepeated)
{
    TPrintTables tables;
    tables.Open();
    AddWorkplace(tables, 1, "BIG", "Big hall");
    for (int p = 1; p <= 120; ++p)
        AddPerson(tables, p, QStringLiteral("P%1").arg(p), 1);
    const TReportDocument document = Lay("DailyScheduleGeneral", tables);
    ASSERT_GE(document.Pages.size(), 2u);
    EXPECT_EQ(Texts(document.Pages[0], "master").value(0), "BIG");
    EXPECT_EQ(Texts(document.Pages[1], "master").value(0), "BIG (continued)");
    EXPECT_EQ(AllTexts(document, "detail").filter(QRegularExpression("^P\\d+$")).size(), 120);
}

TEST(ReportLayouts, EmptyTablesGiveTheHeaderAndANothingToPrintLine)
{
    TPrintTables tables;
    tables.Open();
    const TReportDocument document = Lay("DailyScheduleFull", tables);
    ASSERT_EQ(document.Pages.size(), 1u);
    EXPECT_EQ(Texts(document.Pages[0], "title"), QStringList({"Daily schedule"}));
    EXPECT_EQ(Texts(document.Pages[0], "empty"), QStringList({"There is nothing to print."}));
    EXPECT_TRUE(Texts(document.Pages[0], "master").isEmpty());
    EXPECT_TRUE(Texts(document.Pages[0], "footer").contains("Page 1 of 1"));
}

TEST(ReportLayouts, LongNamesAndNotesWrapWithinTheirColumn)
{
    TPrintTables tables;
    tables.Open();
    AddWorkplace(tables, 1, "LONG", QString(40, 'W'), 0, QString(80, 'N'));
    AddPerson(tables, 1, QString(50, 'M'), 1);
    AddPerson(tables, 2, QString(50, 'M'));
    int wrapped = 0;
    for (const char* name : {"DailyScheduleFull", "DailyScheduleTwoCol", "WorkplacesFull", "PersonsTwoCol"}) {
        SCOPED_TRACE(name);
        const TReportDocument document = Lay(name, tables);
        // The lines of a cell, one below the other, join to its whole text.
        std::map<std::pair<QString, double>, QString> cells;
        for (const auto& item : document.Pages[0].Items) {
            if (item.Kind != rikText || item.Role == "footer")
                continue;
            QString& text = cells[{item.FullText, item.Rect.left()}];
            text += item.Text;
            EXPECT_TRUE(item.FullText.startsWith(text)) << text.toStdString();
            if (text == item.FullText) {
                wrapped += text != item.Text;
                text.clear();
            }
        }
        for (const auto& cell : cells)
            EXPECT_TRUE(cell.second.isEmpty()) << cell.second.toStdString();
        ExpectNoOverprint(document);
    }
    EXPECT_GT(wrapped, 0);
}

TEST(ReportLayouts, LogoComesFromTheTempDirParameter)
{
    TPrintTables tables;
    FillFixture(tables);
    const QString folder = TestEnv::NewFolder("logo");
    QImage logo(64, 64, QImage::Format_RGB32);
    logo.fill(Qt::white);
    logo.setPixel(32, 32, qRgb(255, 0, 0));
    ASSERT_TRUE(logo.save(folder + "/Logo.bmp", "BMP"));
    TReportParams params = ScheduleParams();
    params["TempDir"] = folder + "/";
    const auto pictures = [](const TReportDocument& ADocument) {
        std::vector<TReportItem> found;
        for (const auto& item : ADocument.Pages[0].Items)
            if (item.Kind == rikPicture)
                found.push_back(item);
        return found;
    };
    const auto with = pictures(Lay("DailyScheduleGeneral", tables, params));
    ASSERT_EQ(with.size(), 1u);
    EXPECT_EQ(with[0].Role, "logo");
    // The bottom-left colour is see-through, the rest stays.
    EXPECT_EQ(qAlpha(with[0].Picture.pixel(0, 0)), 0);
    EXPECT_EQ(with[0].Picture.pixel(32, 32), qRgb(255, 0, 0));
    // Without the file the header has no picture, and the title moves left.
    const TReportDocument without = Lay("DailyScheduleGeneral", tables);
    EXPECT_TRUE(pictures(without).empty());
    EXPECT_EQ(Texts(without.Pages[0], "title"), QStringList({"Daily schedule"}));
}

TEST(ReportLayouts, BadLayoutsAreRefusedWithAReason)
{
    struct TCase {
        const char* Json;
        const char* Reason;
    };
    const TCase cases[] = {
        {R"({"Reports": {"R": {"Header": {}, "Footer": {}, "Master": {"Connection": "Nope", "Columns": [{"Text": "x"}]}}}})",
            "unknown connection \"Nope\""},
        {R"({"Reports": {"R": {"Header": {}, "Footer": {}, "Master": {"Connection": "ReportDSCDays", "Columns": [{"Text": "{Nmae}"}]}}}})",
            "ReportDSCDays has no field \"Nmae\""},
        {R"({"Reports": {"R": {"Header": {}, "Footer": {}, "Master": {"Connection": "ReportDSCDays", "Columns": [{"Text": "{DayName|Nmae}"}]}}}})",
            "ReportDSCDays has no field \"Nmae\""},
        {R"({"Reports": {"R": {"Header": {}, "Footer": {}, "Master": {"Connection": "ReportDSCPersons", "Columns": [{"Text": "x", "IfOverlaps": ["DateOutFrom", "DaysOut"]}]}}}})",
            "\"IfOverlaps\" of ReportDSCPersons needs a From and a To date field"},
        {R"({"Reports": {"R": {"Header": {}, "Footer": {}, "Master": {"Connection": "ReportDSCDays", "Columns": []}}}})",
            "the rows of ReportDSCDays have no columns"},
        {R"({"Reports": {"R": {"Header": "Missing", "Footer": {}, "Master": {"Connection": "ReportDSCDays", "Columns": [{"Text": "a"}]}}}})",
            "\"Missing\" is not in \"Headers\""},
        {R"({"Reports": {"R": {"Header": {}, "Footer": {}, "Master": {"Connection": "ReportDSCDays", "Where": {"DayID": 0}, "Columns": [{"Text": "a"}]}}}})",
            "ReportDSCDays has no field \"DayID\""},
        {R"({"Reports": {"R": {"Header": {}, "Footer": {}, "Columns": 3, "Master": {"Connection": "ReportDSCDays", "Columns": [{"Text": "a"}]}}}})",
            "\"Columns\" must be 1 or 2"},
        {R"({"Reports": {"R": {"Header": {}, "Footer": {}, "Master": {"Connection": "ReportDSCDays", "Columns": [{"Text": "a"}]},
            "Detail": {"Connection": "ReportDSCPersons", "Columns": [{"Text": "a"}]}}}})",
            "the detail rows need a \"Link\" field of ReportDSCPersons"},
    };
    for (const auto& c : cases) {
        TReportProject project;
        QString error;
        ASSERT_TRUE(project.LoadFromData(c.Json, error)) << error.toStdString();
        TReportLayout layout;
        EXPECT_FALSE(project.Layout("R", layout, error));
        EXPECT_EQ(error, QString::fromUtf8(c.Reason));
    }
    TReportProject project;
    QString error;
    EXPECT_FALSE(project.LoadFromData("{\n\"Reports\": {,\n}", error));
    EXPECT_TRUE(error.endsWith("at line 2")) << error.toStdString();
    EXPECT_FALSE(project.LoadFromData("[1, 2]", error));
    EXPECT_EQ(error, "it holds no \"Reports\" object");
    EXPECT_FALSE(project.LoadFromFile(TestEnv::NewFolder("none") + "/x.rav", error));
    EXPECT_EQ(error, "the file does not exist");
}

TEST(ReportPdf, RendersInMemoryWithTheExpectedTexts)
{
    TPrintTables tables;
    FillFixture(tables);
    const QByteArray pdf = RenderReportPdf(Lay("DailyScheduleFull", tables));
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess process;
    process.start(pdftotext, {"-layout", "-", "-"});
    ASSERT_TRUE(process.waitForStarted());
    process.write(pdf);
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished());
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* expected : {"Daily schedule", "28/02/2012", "Acme Ltd", "Kitchen", "Anna Berg", "Carl Dahl",
             "note of Anna Berg", "Page 1 of 1", "Plenvo 0.1.0.0"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}
