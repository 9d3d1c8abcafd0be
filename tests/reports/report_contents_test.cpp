// All thirty layouts with a month of realistic rows: what a manager reads on
// the laid-out pages, checked across every report at once.
#include "report_sample.h"

#include <map>
#include <set>

namespace {
const char* const Variants[] = {"General", "Full", "TwoCol"};
const char* const Families[] = {"DailySchedule", "DSPersons", "PSPersons", "PSWorkplaces", "PersonSchedule",
    "WSPersons", "WSWorkplaces", "WorkplaceSchedule", "Persons", "Workplaces"};

QStringList AllReports()
{
    QStringList names;
    for (const char* family : Families)
        for (const char* variant : Variants)
            names << QString::fromLatin1(family) + QString::fromLatin1(variant);
    return names;
}

bool IsRegister(const QString& AName)
{
    return AName.startsWith("Persons") || AName.startsWith("Workplaces");
}

// The menu entry's words before " - ".
QString MenuCaption(const QString& AName)
{
    static const std::map<QString, QString> captions{{"DailySchedule", "Daily schedule"},
        {"DSPersons", "Daily schedule, Workers"}, {"PSPersons", "Worker schedule, Workers"},
        {"PSWorkplaces", "Worker schedule, Workplaces"}, {"PersonSchedule", "Worker schedule"},
        {"WSPersons", "Workplace schedule, Workers"}, {"WSWorkplaces", "Workplace schedule, Workplaces"},
        {"WorkplaceSchedule", "Workplace schedule"}, {"Persons", "Workers"}, {"Workplaces", "Workplaces"}};
    for (const auto& [family, caption] : captions)
        if (AName == family + "General" || AName == family + "Full" || AName == family + "TwoCol")
            return caption;
    return {};
}

struct TLaid {
    TPrintTables Tables;
    TReportLayout Layout;
    TReportDocument Document;
};

std::unique_ptr<TLaid> LaySample(const QString& AName, const TReportParams& AParams)
{
    auto laid = std::make_unique<TLaid>();
    Sample::Fill(AName, laid->Tables);
    laid->Layout = ProjectLayout(AName);
    laid->Document = LayoutReport(laid->Layout, AParams, Connections(laid->Tables), TReportPageGeometry());
    return laid;
}

std::unique_ptr<TLaid> LaySample(const QString& AName)
{
    return LaySample(AName, Sample::Params(AName));
}

bool IsBody(const TReportItem& AItem)
{
    return AItem.Kind == rikText && (AItem.Role == "master" || AItem.Role == "detail");
}

// The body's printed words in reading order, whitespace made single.
QString BodyText(const TReportDocument& ADocument)
{
    QStringList texts;
    for (const auto& page : ADocument.Pages)
        for (const auto& item : page.Items)
            if (IsBody(item))
                texts << item.Text;
    return texts.join(' ').simplified();
}

bool Printed(const TReportDocument& ADocument, const QString& AText)
{
    return BodyText(ADocument).contains(AText.simplified());
}

// Which entity a printed row belongs to: its kind (connection) and ID.
using TEntity = std::pair<QString, int>;
// An entity with a mark: "absent", "deleted" or "worker out".
using TMarked = std::pair<TEntity, QString>;

struct TExpected {
    std::map<QString, std::set<TEntity>> Keys; // the texts that name a row first
    std::set<TEntity> Rows; // the entities printed
    std::set<TMarked> Marks;
};

// What the rows of a report should show, from the bound tables.
TExpected Expect(const QString& AName, const TLaid& ALaid)
{
    TExpected expected;
    const auto range = [&](const TPrintTable& APersons, int ARow, TDate ADay) {
        const TDate from = APersons.AsDate(ARow, "DateOutFrom"), to = APersons.AsDate(ARow, "DateOutTo");
        if (to == 0)
            return false;
        if (IsRegister(AName))
            return true;
        if (ADay != 0)
            return from <= ADay && ADay <= to;
        if (AName.startsWith("Daily") || AName.startsWith("DS"))
            return from <= DateToOle(Sample::Day) && DateToOle(Sample::Day) <= to;
        return from <= DateToOle(Sample::Last) && DateToOle(Sample::First) <= to;
    };
    const auto add = [&](const TReportBand& ABand, const TPrintTable& ATable, int ARow, TDate ADay) {
        const TEntity entity{ABand.Connection, ATable.AsInteger(ARow, "ID")};
        QStringList keys;
        if (ABand.Connection == ReportDSCPersons) {
            keys << ATable.AsString(ARow, "Name") << ATable.AsString(ARow, "SortingName");
            if (ATable.AsBoolean(ARow, "IsOut") || range(ATable, ARow, ADay))
                expected.Marks.insert({entity, "absent"});
        } else if (ABand.Connection == ReportDSCWorkplaces) {
            keys << ATable.AsString(ARow, "Shortcut");
        } else {
            const TDate date = ATable.AsDate(ARow, "Date");
            keys << ATable.AsString(ARow, "DateWithoutYear") << ShortDateText(date)
                 << ATable.AsString(ARow, "DayName") + ' ' + ATable.AsString(ARow, "DateWithoutYear");
            if (ATable.AsBoolean(ARow, "PersonIsOut"))
                expected.Marks.insert({entity, "worker out"});
        }
        if (ATable.FieldIndex("IsDeleted") >= 0 && ATable.AsBoolean(ARow, "IsDeleted"))
            expected.Marks.insert({entity, "deleted"});
        for (const QString& key : keys)
            if (!key.isEmpty())
                expected.Keys[key].insert(entity);
        expected.Rows.insert(entity);
    };
    const TPrintTable* master = ALaid.Tables.ByConnection(ALaid.Layout.Master.Connection);
    for (int r = 0; r < master->RowCount(); ++r) {
        bool selected = true;
        for (const auto& [field, value] : ALaid.Layout.Master.Where)
            selected = selected && master->AsInteger(r, field) == value;
        if (!selected)
            continue;
        const TDate day = master->FieldIndex("Date") >= 0 ? master->AsDate(r, "Date") : 0;
        add(ALaid.Layout.Master, *master, r, 0);
        if (!ALaid.Layout.Detail)
            continue;
        const TPrintTable* detail = ALaid.Tables.ByConnection(ALaid.Layout.Detail->Connection);
        for (int d = 0; d < detail->RowCount(); ++d)
            if (detail->AsInteger(d, ALaid.Layout.Detail->Link) == master->AsInteger(r, "ID"))
                add(*ALaid.Layout.Detail, *detail, d, day);
    }
    return expected;
}

QString MarkOf(const TReportItem& AItem)
{
    if (AItem.Text == "out" || AItem.FullText.startsWith("Absent "))
        return "absent";
    if (AItem.Text == "deleted" || AItem.Text == "worker out")
        return AItem.Text;
    return {};
}

struct TFound {
    std::set<TEntity> Rows;
    std::set<TMarked> Marks;
    QStringList Strays; // marks on no named row
};

// Each mark belongs to the nearest row above it in its page column that
// starts with a name, a shortcut or a date.
TFound Find(const TReportDocument& ADocument, const TExpected& AExpected)
{
    TFound found;
    for (const auto& page : ADocument.Pages) {
        std::vector<std::pair<const TReportItem*, const std::set<TEntity>*>> keys;
        for (const auto& item : page.Items)
            if (IsBody(item))
                if (const auto key = AExpected.Keys.find(item.FullText); key != AExpected.Keys.end()) {
                    keys.emplace_back(&item, &key->second);
                    found.Rows.insert(key->second.begin(), key->second.end());
                }
        for (const auto& item : page.Items) {
            const QString mark = IsBody(item) ? MarkOf(item) : QString();
            if (mark.isEmpty())
                continue;
            const std::pair<const TReportItem*, const std::set<TEntity>*>* owner = nullptr;
            for (const auto& key : keys)
                if (key.first->Column == item.Column && key.first->Rect.top() <= item.Rect.top() + 0.01
                    && (!owner || key.first->Rect.top() > owner->first->Rect.top()))
                    owner = &key;
            if (!owner) {
                found.Strays << item.Text;
                continue;
            }
            for (const TEntity& entity : *owner->second)
                found.Marks.insert({entity, mark});
        }
    }
    return found;
}

std::string Describe(const TEntity& AEntity)
{
    return AEntity.first.toStdString() + "#" + std::to_string(AEntity.second);
}

std::string Describe(const std::set<TEntity>& AEntities)
{
    std::string text;
    for (const TEntity& entity : AEntities)
        text += Describe(entity) + "; ";
    return text;
}

std::string Describe(const std::set<TMarked>& AMarks)
{
    std::string text;
    for (const auto& [entity, mark] : AMarks)
        text += Describe(entity) + " " + mark.toStdString() + "; ";
    return text;
}
} // namespace

TEST(ReportContents, TheSampleFillsEveryReport)
{
    for (const QString& name : AllReports()) {
        SCOPED_TRACE(name.toStdString());
        const auto laid = LaySample(name);
        const TExpected expected = Expect(name, *laid);
        EXPECT_GE(expected.Rows.size(), 11u);
        // The workplace register has nothing to mark once its deleted row is left out.
        EXPECT_EQ(expected.Marks.empty(), name.startsWith("Workplaces"));
        EXPECT_TRUE(AllTexts(laid->Document, "empty").isEmpty());
    }
}

// Every row starts with the name the layout wants, the deleted worker's too;
// every absence that touches the printed day or period and every deletion is
// marked on its own row, nothing else is.
TEST(ReportContents, EveryRowIsNamedAndMarkedAsItIs)
{
    for (const QString& name : AllReports()) {
        SCOPED_TRACE(name.toStdString());
        const auto laid = LaySample(name);
        TExpected expected = Expect(name, *laid);
        if (IsRegister(name)) {
            // A register shows the register: the deleted entry is left out.
            const TEntity deleted{laid->Layout.Master.Connection,
                (name.startsWith("Persons") ? Sample::DeletedWorker : Sample::DeletedPlace) + 1};
            EXPECT_EQ(expected.Rows.count(deleted), 0u);
            EXPECT_FALSE(Printed(laid->Document,
                name.startsWith("Persons") ? Sample::Name(Sample::DeletedWorker) : QStringLiteral("Laundry")));
        }
        const TFound found = Find(laid->Document, expected);
        EXPECT_EQ(found.Rows, expected.Rows);
        EXPECT_EQ(found.Marks, expected.Marks)
            << "found: " << Describe(found.Marks) << "\nexpected: " << Describe(expected.Marks);
        EXPECT_TRUE(found.Strays.isEmpty()) << found.Strays.join('|').toStdString();
    }
}

TEST(ReportContents, TheDeletedWorkerIsNamedWhereverHeIsListed)
{
    int listed = 0;
    for (const QString& name : AllReports()) {
        if (IsRegister(name) || name.contains("Workplaces") || name.startsWith("PersonSchedule"))
            continue;
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(Printed(LaySample(name)->Document, Sample::Name(Sample::DeletedWorker)));
        ++listed;
    }
    EXPECT_EQ(listed, 15);
}

TEST(ReportContents, EveryReportNamesWhatItListsUnderItsCaption)
{
    for (const QString& name : AllReports()) {
        SCOPED_TRACE(name.toStdString());
        const auto page = LaySample(name)->Document.Pages.at(0);
        EXPECT_EQ(Texts(page, "title"), QStringList({MenuCaption(name)}));
        const QStringList lines = Texts(page, "headerline");
        // A list of all workers or workplaces is not headed by the chosen one.
        const bool chosenWorker = name.startsWith("PersonSchedule") || name.startsWith("PSWorkplaces");
        const bool chosenPlace = name.startsWith("WorkplaceSchedule") || name.startsWith("WSPersons");
        EXPECT_EQ(lines.contains("Worker: " + Sample::Name(Sample::ChosenWorker)), chosenWorker);
        EXPECT_EQ(lines.contains("Workplace: KIT Kitchen"), chosenPlace);
        EXPECT_EQ(lines.join(' ').contains("2025"), !IsRegister(name));
        EXPECT_TRUE(lines.contains("Zanthor Catering"));
    }
}

TEST(ReportContents, RegistersShowTheRegisterWhicheverScreenPrintedThem)
{
    for (const QString& name :
        {"PersonsGeneral", "PersonsFull", "PersonsTwoCol", "WorkplacesGeneral", "WorkplacesFull", "WorkplacesTwoCol"}) {
        SCOPED_TRACE(name.toStdString());
        const auto fromDay = LaySample(name);
        // As a period screen prints it: its period and days instead.
        TReportParams params = Sample::Params(name);
        params.insert(Sample::Params("PSPersonsFull"));
        params.insert("ScheduleDate", QString());
        const TPrintTables& tables = fromDay->Tables;
        const TPrintTable& table = name.startsWith("Persons") ? tables.DSPrintPersons : tables.DSPrintWorkplaces;
        TPrintTables copy;
        copy.Open();
        const bool persons = name.startsWith("Persons");
        for (int r = 0; r < table.RowCount(); ++r) {
            QHash<QString, QVariant> values;
            for (const auto& field : table.Fields())
                values.insert(field.Name, table.Value(r, field.Name));
            if (persons)
                values.insert("Workplaces", QString());
            values.insert("Days", QStringLiteral("1., 2., 3."));
            ASSERT_TRUE((persons ? copy.DSPrintPersons : copy.DSPrintWorkplaces).Append(values));
        }
        const TReportDocument period
            = LayoutReport(ProjectLayout(name), params, Connections(copy), TReportPageGeometry());
        EXPECT_EQ(BodyText(period), BodyText(fromDay->Document));
        for (const QString& caption : AllTexts(fromDay->Document, "caption"))
            EXPECT_TRUE(caption != "Relations" && caption != "Days" && caption != "Workplaces")
                << caption.toStdString();
        EXPECT_FALSE(BodyText(fromDay->Document).contains("1., 2."));
        if (name.startsWith("Persons")) {
            // Name, sorting name, note and absence, the past one too.
            EXPECT_FALSE(BodyText(fromDay->Document).contains(QRegularExpression("\\b(KIT|BAR|TER)\\b")));
            EXPECT_TRUE(Printed(fromDay->Document, Sample::Name(20)));
            EXPECT_TRUE(Printed(fromDay->Document, Sample::SortingName(20)));
            EXPECT_TRUE(Printed(fromDay->Document, Sample::Note(Sample::LongNote)));
            EXPECT_TRUE(Printed(fromDay->Document, "Absent 01/07/2024 – 21/07/2024"));
        } else {
            EXPECT_TRUE(Printed(fromDay->Document, "TER Café terrace (Terrace) Lunch for 120")
                        || Printed(fromDay->Document, "Café terrace (Terrace)"));
            EXPECT_TRUE(Printed(fromDay->Document, "Lunch for 120"));
        }
    }
}

// Nothing is cut: every cell prints its whole stored text.
TEST(ReportContents, TextsArePrintedWhole)
{
    for (const QString& name : AllReports()) {
        SCOPED_TRACE(name.toStdString());
        const auto laid = LaySample(name);
        for (const auto& page : laid->Document.Pages)
            for (const auto& item : page.Items)
                if (item.Kind == rikText) {
                    EXPECT_FALSE(item.Text.endsWith(QChar(0x2026))) << item.Text.toStdString();
                    EXPECT_LE(ReportTextWidth(item.Text, item.Size, item.Bold, item.Italic), item.Rect.width() + 0.01)
                        << item.Text.toStdString();
                    // A column narrower than a word of its text is unreadable.
                    for (const QString& word : item.FullText.split(' ', Qt::SkipEmptyParts))
                        EXPECT_LE(ReportTextWidth(word, item.Size, item.Bold, item.Italic), item.Rect.width() + 0.01)
                            << name.toStdString() << ": " << word.toStdString();
                }
        const TExpected expected = Expect(name, *laid);
        const QString body = BodyText(laid->Document);
        // A text printed in lines reads whole when its lines are read in turn.
        for (const auto& page : laid->Document.Pages)
            for (const auto& item : page.Items)
                if (IsBody(item) && item.Text != item.FullText && item.FullText.startsWith(item.Text)) {
                    QString joined = item.Text;
                    double top = item.Rect.top();
                    for (bool more = true; more && joined.simplified().size() < item.FullText.simplified().size();) {
                        more = false;
                        for (const auto& next : page.Items)
                            if (IsBody(next) && next.FullText == item.FullText && next.Rect.left() == item.Rect.left()
                                && next.Rect.top() > top + 0.01 && next.Rect.top() < top + 1.5 * item.Rect.height()) {
                                joined += ' ' + next.Text;
                                top = next.Rect.top();
                                more = true;
                                break;
                            }
                    }
                    EXPECT_EQ(joined.simplified().toStdString(), item.FullText.simplified().toStdString());
                }
        if (name.startsWith("Daily") || name.contains("Workplaces"))
            EXPECT_TRUE(body.contains("Café terrace (Terrace)"));
        const bool notes
            = name.startsWith("Persons")
              || (name.endsWith("Full")
                  && (name.startsWith("D") || name.startsWith("PSPersons") || name.startsWith("WSPersons")));
        if (notes) {
            // The long note of a worker who is not away fills its line alone,
            // in a page column it may wrap.
            EXPECT_TRUE(name.endsWith("TwoCol")
                        || AllTexts(laid->Document, "master").contains(Sample::Note(Sample::LongNote))
                        || AllTexts(laid->Document, "detail").contains(Sample::Note(Sample::LongNote)));
            EXPECT_TRUE(body.contains(Sample::Note(Sample::LongNote)));
        }
        for (int w = 0; w < Sample::Workers; ++w)
            if (expected.Rows.count({ReportDSCPersons, w + 1}) && name.contains("TwoCol"))
                EXPECT_TRUE(body.contains(Sample::SortingName(w).isEmpty() || name.startsWith("Daily")
                                              ? Sample::Name(w)
                                              : Sample::SortingName(w)))
                    << w;
    }
}

TEST(ReportContents, TwoColumnReportsFillBothColumns)
{
    for (const QString& name : AllReports()) {
        if (!name.endsWith("TwoCol"))
            continue;
        SCOPED_TRACE(name.toStdString());
        const auto laid = LaySample(name);
        std::set<int> columns;
        for (const auto& item : laid->Document.Pages.front().Items)
            if (IsBody(item))
                columns.insert(item.Column);
        EXPECT_EQ(columns, (std::set<int>{0, 1}));
    }
    // Twenty workers are not all put in the left column.
    TPrintTables tables;
    tables.Open();
    for (int w = 0; w < 20; ++w)
        ASSERT_TRUE(tables.DSPrintPersons.Append(Sample::PersonValues(w, false, Sample::Day)));
    const TReportDocument document = LayoutReport(
        ProjectLayout("PersonsTwoCol"), Sample::Params("PersonsTwoCol"), Connections(tables), TReportPageGeometry());
    ASSERT_EQ(document.Pages.size(), 1u);
    std::map<int, int> perColumn;
    for (const auto& item : document.Pages[0].Items)
        if (IsBody(item) && MarkOf(item).isEmpty())
            ++perColumn[item.Column];
    EXPECT_GT(perColumn[0], 0);
    EXPECT_GT(perColumn[1], 0);
}

// The two-column daily schedule prints the names its list is sorted by.
TEST(ReportContents, TheTwoColumnDailyScheduleIsReadInNameOrder)
{
    const auto laid = LaySample("DailyScheduleTwoCol");
    QStringList printed;
    for (const auto& page : laid->Document.Pages)
        for (const auto& item : page.Items)
            if (item.Role == "detail" && MarkOf(item).isEmpty())
                printed << item.FullText;
    QStringList names;
    for (int r = 0; r < laid->Tables.DSPrintPersons.RowCount(); ++r)
        names << laid->Tables.DSPrintPersons.AsString(r, "Name");
    EXPECT_EQ(printed, names);
    for (int p = 0; p < Sample::Places; ++p) {
        QStringList group;
        for (int r = 0; r < laid->Tables.DSPrintPersons.RowCount(); ++r)
            if (laid->Tables.DSPrintPersons.AsInteger(r, "WorkplaceID") == p + 1)
                group << laid->Tables.DSPrintPersons.AsString(r, "Name");
        QStringList sorted = group;
        std::sort(sorted.begin(), sorted.end(),
            [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
        EXPECT_EQ(group, sorted);
    }
}

// An absence is printed where it touches the printed day, period or day row.
TEST(ReportContents, AnAbsenceIsPrintedOnlyWhereItApplies)
{
    const QString past = "Absent 01/07/2024 – 21/07/2024";
    const QString march = "Absent 10/03/2025 – 14/03/2025";
    for (const char* name : {"DailyScheduleFull", "DSPersonsFull", "PSPersonsFull", "WSPersonsFull"}) {
        SCOPED_TRACE(name);
        const QString body = BodyText(LaySample(name)->Document);
        EXPECT_FALSE(body.contains(past));
        EXPECT_TRUE(body.contains(march)) << body.toStdString();
    }
    // Per day: only the days 10–14 of the month carry the absence.
    const auto laid = LaySample("WorkplaceScheduleFull");
    int rows = 0;
    for (int r = 0; r < laid->Tables.DSPrintPersons.RowCount(); ++r)
        if (laid->Tables.DSPrintPersons.AsInteger(r, "ID") == Sample::ChosenWorker + 1)
            ++rows;
    const QStringList texts = AllTexts(laid->Document, "detail");
    EXPECT_EQ(texts.filter(march.left(12)).size(), 3); // at the kitchen on 10, 12 and 14 March
    EXPECT_GT(rows, 3);
}
