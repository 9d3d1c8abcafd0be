#include "report_fixture.h"

#include "reports/report_paint.h"

#include <QProcess>
#include <QStandardPaths>

namespace {
// A one-report project around the given report object's members.
TReportLayout Inline(const QString& AReport)
{
    TReportProject project;
    QString error;
    EXPECT_TRUE(project.LoadFromData(
        (R"({"Reports": {"R": {"Header": {"Title": "{@Missing|Note}"}, "Footer": {}, )" + AReport + "}}}").toUtf8(),
        error))
        << error.toStdString();
    TReportLayout layout;
    EXPECT_TRUE(project.Layout("R", layout, error)) << error.toStdString();
    return layout;
}

TReportDocument Lay(const QString& AReport, const TPrintTables& ATables, const TReportParams& AParams = {})
{
    return LayoutReport(Inline(AReport), AParams, Connections(ATables), TReportPageGeometry());
}

std::vector<const TReportItem*> Items(const TReportDocument& ADocument, const QString& ARole, int APage = 0)
{
    std::vector<const TReportItem*> items;
    for (const auto& item : ADocument.Pages.at(static_cast<size_t>(APage)).Items)
        if (item.Kind == rikText && item.Role == ARole)
            items.push_back(&item);
    return items;
}

const char* const Persons = R"("Master": {"Connection": "ReportDSCPersons", "Columns": [{"Text": "{Name}"}]})";
} // namespace

TEST(ReportTemplates, AFallbackFieldStandsInForABlankOne)
{
    TPrintTables tables;
    tables.Open();
    ASSERT_TRUE(tables.DSPrintWorkplaces.Append({{"Note", "own note"}, {"Name", "Kitchen"}}));
    ASSERT_TRUE(tables.DSPrintWorkplaces.Append({{"Note", ""}, {"Name", "Bar"}}));
    ASSERT_TRUE(tables.DSPrintWorkplaces.Append({{"Note", "  "}, {"Shortcut", "DSK"}}));
    ASSERT_TRUE(tables.DSPrintWorkplaces.Append({}));
    const TReportDocument document
        = Lay(R"("Master": {"Connection": "ReportDSCWorkplaces", "Columns": [{"Text": "<{Note|Name|Shortcut}>"}]})",
            tables, {{"Note", "Acme"}});
    EXPECT_EQ(Texts(document.Pages[0], "master"), QStringList({"<own note>", "<Bar>", "<DSK>", "<>"}));
    EXPECT_EQ(Texts(document.Pages[0], "title"), QStringList({"Acme"}));
}

TEST(ReportTemplates, AHeaderLineOfBlankParametersIsLeftOut)
{
    TPrintTables tables;
    tables.Open();
    AddWorkplace(tables, 1, "KIT", "Kitchen");
    const QString report = R"("Header": {"Title": "T", "Lines": ["Worker: {@PersonName}", "Fixed", "{@Note}"]}, )"
                           R"("Master": {"Connection": "ReportDSCWorkplaces", "Columns": [{"Text": "{Name}"}]})";
    const auto lines = [&](const TReportParams& AParams) {
        return Texts(
            LayoutReport(Inline(report), AParams, Connections(tables), TReportPageGeometry()).Pages[0], "headerline");
    };
    EXPECT_EQ(lines({{"PersonName", "Ann"}, {"Note", "Acme"}}), QStringList({"Worker: Ann", "Fixed", "Acme"}));
    EXPECT_EQ(lines({{"PersonName", " "}}), QStringList({"Fixed"}));
}

TEST(ReportColumns, PagesFillLeftThenRightAndTheLastOneSharesItsRowsEvenly)
{
    for (const int count : {1, 20, 21, 200}) {
        SCOPED_TRACE(count);
        TPrintTables tables;
        tables.Open();
        for (int i = 1; i <= count; ++i)
            AddPerson(tables, i, QStringLiteral("W%1").arg(i));
        const TReportDocument document = Lay(QStringLiteral(R"("Columns": 2, )") + Persons, tables);
        const int pages = static_cast<int>(document.Pages.size());
        int full = 0;
        for (int p = 0; p < pages; ++p) {
            int counts[2] = {0, 0};
            for (const auto* item : Items(document, "master", p))
                ++counts[item->Column];
            full = p == 0 ? counts[0] : full;
            if (p + 1 < pages)
                EXPECT_EQ(counts[0], full); // the left column is filled to its end
            else
                EXPECT_EQ(counts[0] - counts[1], (counts[0] + counts[1]) % 2) << counts[0] << "/" << counts[1];
            EXPECT_EQ(counts[1] > 0, count > 1);
        }
        EXPECT_EQ(pages > 1, count == 200);
    }
}

TEST(ReportColumns, AParentGoesOnAtTheTopOfTheRightColumnAndNeverEndsOne)
{
    // Rows in reading order per column, and the top of each column.
    const auto lay = [](const std::vector<int>& AGroups, QStringList* AColumns, double* ATops) {
        TPrintTables tables;
        tables.Open();
        int id = 0;
        for (size_t w = 0; w < AGroups.size(); ++w) {
            const int workplace = static_cast<int>(w) + 1;
            AddWorkplace(tables, workplace, QStringLiteral("S%1").arg(workplace), "Place");
            for (int p = 0; p < AGroups[w]; ++p, ++id)
                AddPerson(tables, id, QStringLiteral("P%1").arg(id), workplace);
        }
        const TReportDocument document = Lay(R"("Columns": 2,
            "Master": {"Connection": "ReportDSCWorkplaces", "Columns": [{"Text": "{Shortcut}"}]},
            "Detail": {"Connection": "ReportDSCPersons", "Link": "WorkplaceID", "Columns": [{"Text": "{Name}"}]})",
            tables);
        ASSERT_EQ(document.Pages.size(), 1u);
        for (const auto& item : document.Pages[0].Items)
            if (item.Role == "master" || item.Role == "detail") {
                AColumns[item.Column] << item.Role.left(1) + ":" + item.Text;
                ATops[item.Column] = std::min(ATops[item.Column], item.Rect.top());
            }
    };
    QStringList columns[2];
    double tops[2] = {1e9, 1e9};
    lay({30, 1, 1, 1, 1, 1}, columns, tops); // 41 rows of one height
    EXPECT_EQ(columns[0].size(), 21);
    EXPECT_EQ(columns[0].last(), "d:P19");
    EXPECT_EQ(columns[1].value(0) + " " + columns[1].value(1), "m:S1 (continued) d:P20");
    EXPECT_DOUBLE_EQ(tops[0], tops[1]);
    EXPECT_EQ(columns[1].size(), 21);
    // Half of fourteen rows would end the left column on a parent row.
    QStringList small[2];
    lay({1, 1, 1, 1, 1, 1, 1}, small, tops);
    EXPECT_EQ(small[0].join(' '), "m:S1 d:P0 m:S2 d:P1 m:S3 d:P2 m:S4 d:P3");
    EXPECT_EQ(small[1].value(0), "m:S5");
}

TEST(ReportCells, ALongTextWrapsAndTheRowGrows)
{
    TPrintTables tables;
    tables.Open();
    const QString note = QStringLiteral("a note long enough to need a second line in its narrow cell");
    ASSERT_TRUE(tables.DSPrintWorkplaces.Append({{"Shortcut", QString(20, 'W')}, {"Note", note}, {"Name", "x"}}));
    ASSERT_TRUE(tables.DSPrintWorkplaces.Append({{"Shortcut", "NEXT"}}));
    const TReportDocument document
        = Lay(R"("Master": {"Connection": "ReportDSCWorkplaces", "Columns": [{"Text": "{Shortcut}", "Width": 1},
        {"Text": "{Note}", "Width": 1}, {"Text": "{Name}", "Width": 5}]})",
            tables);
    QMap<QString, QStringList> joined;
    double bottom = 0, next = 0;
    for (const auto* item : Items(document, "master")) {
        EXPECT_LE(ReportTextWidth(item->Text, item->Size, item->Bold, item->Italic), item->Rect.width());
        if (item->Text == "NEXT")
            next = item->Rect.top();
        else
            bottom = std::max(bottom, item->Rect.bottom());
        joined[item->FullText] << item->Text;
    }
    EXPECT_GE(joined[note].size(), 2);
    EXPECT_EQ(joined[note].join(""), note);
    EXPECT_GE(joined[QString(20, 'W')].size(), 2); // one word wider than its cell breaks inside
    EXPECT_EQ(joined[QString(20, 'W')].join(""), QString(20, 'W'));
    EXPECT_GE(next, bottom);
    EXPECT_EQ(WrapReportText("", 10, 9, false, false), QStringList({""}));
    EXPECT_EQ(WrapReportText("one\ntwo", 100, 9, false, false), QStringList({"one\n", "two"}));
}

TEST(ReportCells, AnEmptyCellLendsItsWidthToTheCellOnItsLeft)
{
    TPrintTables tables;
    tables.Open();
    ASSERT_TRUE(tables.DSPrintPersons.Append({{"Name", "in"}, {"Note", "n1"}}));
    ASSERT_TRUE(tables.DSPrintPersons.Append({{"Name", "out"}, {"Note", "n2"}, {"IsOut", true}}));
    ASSERT_TRUE(tables.DSPrintPersons.Append({{"Name", "none"}, {"IsOut", true}}));
    const TReportDocument document = Lay(R"("Master": {"Connection": "ReportDSCPersons", "Columns": [
        {"Text": "{Note}", "Width": 3}, {"Text": "away", "If": "IsOut", "Width": 1}, {"Text": "{Name}", "Width": 1}]})",
        tables);
    QMap<QString, QRectF> rects;
    for (const auto* item : Items(document, "master"))
        rects[item->Text] = item->Rect;
    const double share = (210 - 24) / 5.0;
    EXPECT_NEAR(rects["n1"].width(), 4 * share - 1.6, 0.01);
    EXPECT_NEAR(rects["n2"].width(), 3 * share - 1.6, 0.01);
    // With nothing on its left an empty cell's width stays unused.
    EXPECT_NEAR(rects["away"].left(), 12 + 3 * share + 0.8, 0.01);
    EXPECT_NEAR(rects["none"].left(), 12 + 4 * share + 0.8, 0.01);
}

TEST(ReportCells, IfOverlapsPrintsAnAbsenceOnlyForTheDaysItTouches)
{
    // Absent 28/02/2012 to 02/03/2012 (days 40967 to 40970).
    TPrintTables tables;
    tables.Open();
    for (const double day : {40966.0, 40967.0, 40970.0, 40971.0}) {
        const int id = static_cast<int>(day);
        ASSERT_TRUE(tables.DSPrintDays.Append({{"ID", id}, {"Date", day}, {"DayName", QString::number(id)}}));
        AddPerson(tables, 1, "Anna", 0, id);
    }
    const QString column = R"({"Text": "{Name}"}, {"Text": "away", "IfOverlaps": ["DateOutFrom", "DateOutTo"]})";
    const TReportDocument days = Lay(R"("Master": {"Connection": "ReportDSCDays", "Columns": [{"Text": "{DayName}"}]},
        "Detail": {"Connection": "ReportDSCPersons", "Link": "DayID", "Columns": [)"
                                         + column + "]}",
        tables, {{"DateStart", "01/01/2000"}, {"DateEnd", "02/01/2000"}});
    QStringList order;
    for (const auto& item : days.Pages[0].Items)
        if (item.Role == "master" || item.Role == "detail")
            order << item.Text;
    EXPECT_EQ(order.join(' '), "40966 Anna 40967 Anna away 40970 Anna away 40971 Anna");

    // Rows of no day follow the report's period, else its date, else always print.
    const QString register_ = R"("Master": {"Connection": "ReportDSCPersons", "Where": {"DayID": 40966},
        "Columns": [)" + column
                              + "]}";
    const auto away = [&](const TReportParams& AParams) {
        return Texts(Lay(register_, tables, AParams).Pages[0], "master").contains("away");
    };
    EXPECT_FALSE(away({{"DateStart", "20/02/2012"}, {"DateEnd", "27/02/2012"}, {"ScheduleDate", "29/02/2012"}}));
    EXPECT_TRUE(away({{"DateStart", "02/03/2012"}, {"DateEnd", "09/03/2012"}}));
    EXPECT_TRUE(away({{"ScheduleDate", "01/03/2012"}}));
    EXPECT_FALSE(away({{"ScheduleDate", "03/03/2012"}}));
    EXPECT_TRUE(away({}));
    ASSERT_TRUE(tables.DSPrintPersons.Append({{"DayID", 40966}, {"Name", "Ben"}, {"DateOutFrom", 40967.0}}));
    EXPECT_EQ(Texts(Lay(register_, tables).Pages[0], "master").count("away"), 1); // no end, no absence
}

TEST(ReportPdf, TextHasNoLigatures)
{
    TPrintTables tables;
    tables.Open();
    AddPerson(tables, 1, "officer flour");
    const QByteArray pdf = RenderReportPdf(Lay(Persons, tables));
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess process;
    process.start(pdftotext, {"-", "-"});
    ASSERT_TRUE(process.waitForStarted());
    process.write(pdf);
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished());
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(text.contains("officer flour")) << text.toStdString();
}
