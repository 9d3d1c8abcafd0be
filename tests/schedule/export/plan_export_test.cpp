// The plan as it leaves the program: relations read with the register's
// names, written as CSV and iCalendar, and read back by other parsers.
#include "data/data_fixture.h"
#include "schedule/export/export_readers.h"
#include "schedule/export/plan_export.h"

#include <QDateTime>
#include <QTimeZone>

#include <string>

namespace {

using namespace ExportReaders;

const TDate D1 = Day(2026, 12, 10);
const TDate D2 = Day(2026, 12, 11);
const TDate D3 = Day(2026, 12, 31);

// 79 UTF-16 units, 157 octets: folds fall where characters are 4 octets wide.
const QString LongNote = QStringLiteral("x") + QStringLiteral("😀").repeated(39);

QString Written(const QString& AFile, const QByteArray& AData)
{
    QFile file(AFile);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(AData) == AData.size());
    return AFile;
}

class PlanExportTest : public DataTest {
protected:
    TJob* Relate(TDate ADay, TPerson* APerson, TWorkplace* AWorkplace, const QString& ANote = QString())
    {
        TJob* job = Store->Jobs->AddJob(ADay, APerson, AWorkplace);
        EXPECT_NE(job, nullptr);
        if (job && !ANote.isEmpty()) {
            job->SetNote(ANote);
            EXPECT_TRUE(Store->Jobs->InsertJob(job));
        }
        return job;
    }
    std::vector<TExportRow> Read(const TExportQuery& AQuery)
    {
        std::vector<TExportRow> rows;
        QString error;
        EXPECT_TRUE(ReadExportRows(
            Store->Persons->Table(), Store->Workplaces->Table(), Store->Jobs->Table(), AQuery, rows, error))
            << error.toStdString();
        return rows;
    }
};

// Names and notes with everything a file format can trip over; a worker and
// a workplace deleted, one renamed, one absent.
TEST_F(PlanExportTest, AMonthReadsInOrderAndComesBackExactlyFromBothFormats)
{
    Open();
    TPerson* anna = AddPerson(QStringLiteral("Berg, Anna \"Ann\""));
    TPerson* zoe = AddPerson(QStringLiteral("Zoe"));
    TPerson* david = AddPerson(QStringLiteral("דוד כהן"));
    TPerson* formula = AddPerson(QStringLiteral("=SUM(A1)"));
    TPerson* bob = AddPerson(QStringLiteral("Bob"));
    TPerson* cid = AddPerson(QStringLiteral("Cid"));
    TWorkplace* kitchen = AddWorkplace(QStringLiteral("Kitchen; Main, \\Back\\"), QStringLiteral("K"));
    TWorkplace* desk = AddWorkplace(QStringLiteral("@Desk"), QStringLiteral("D"));
    TWorkplace* gone = AddWorkplace(QStringLiteral("Gone"), QStringLiteral("G"));
    ASSERT_TRUE(anna && zoe && david && formula && bob && cid && kitchen && desk && gone);
    const int bobID = bob->ID();
    const int goneID = gone->ID();
    Relate(D1, anna, kitchen, QStringLiteral("Line one\nLine two"));
    Relate(D1, zoe, kitchen);
    Relate(D1, david, desk, QStringLiteral("+1 hour"));
    Relate(D1, formula, desk, QStringLiteral("=1+2"));
    Relate(D2, bob, gone);
    Relate(D2, cid, kitchen);
    Relate(D2, anna, desk, LongNote);
    Relate(D3, anna, kitchen);
    Relate(D3 + 1, anna, kitchen);
    // The register's name wins over the stored one; the sorting name stays.
    zoe->SetName(QStringLiteral("Zoë 😀"));
    ASSERT_TRUE(Store->Persons->InsertPerson(zoe));
    cid->SetDateOutFrom(D2);
    cid->SetDaysOut(1);
    ASSERT_TRUE(Store->Persons->InsertPerson(cid));
    ASSERT_TRUE(Store->Persons->DeletePerson(bobID) && Store->Workplaces->DeleteWorkplace(goneID));

    const std::vector<TExportRow> rows = Read({D1, D3, 0, 0});
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_TRUE(rows[5].PersonDeleted && rows[5].WorkplaceDeleted && rows[6].Absent && !rows[4].Absent);
    EXPECT_EQ(Read({D1, D3 + 1, 0, kitchen->ID()}).size(), 5u);
    const std::vector<TExportRow> annAtDesk = Read({D1, D3 + 1, anna->ID(), desk->ID()});
    ASSERT_EQ(annAtDesk.size(), 1u);
    EXPECT_EQ(annAtDesk[0].Date, D2);

    // Date, then shortcut (D < G < K), then sorting name; the deleted keep
    // the names the relation stored; formula-looking texts stay texts.
    const QJsonObject csv = ReadBack(CsvScript, Written(Folder + QStringLiteral("plan.csv"), ExportCsv(rows)));
    EXPECT_TRUE(csv.value(QStringLiteral("bom")).toBool());
    const QString k = QStringLiteral("Kitchen; Main, \\Back\\");
    const QString a = anna->Name();
    auto id = [](const auto* AEntry) { return QString::number(AEntry->ID()); };
    const QList<QStringList> expected{{"Date", "Weekday", "Worker", "Sorting name", "Worker ID", "Workplace shortcut",
                                          "Workplace", "Workplace ID", "Note", "Absent", "Deleted"},
        {"2026-12-10", "Thursday", "'=SUM(A1)", "'=SUM(A1)", id(formula), "D", "'@Desk", id(desk), "'=1+2", "", ""},
        {"2026-12-10", "Thursday", david->Name(), david->Name(), id(david), "D", "'@Desk", id(desk), "'+1 hour", "",
            ""},
        {"2026-12-10", "Thursday", a, a, id(anna), "K", k, id(kitchen), "Line one\nLine two", "", ""},
        {"2026-12-10", "Thursday", "Zoë 😀", "Zoe", id(zoe), "K", k, id(kitchen), "", "", ""},
        {"2026-12-11", "Friday", a, a, id(anna), "D", "'@Desk", id(desk), LongNote, "", ""},
        {"2026-12-11", "Friday", "Bob", "", QString::number(bobID), "G", "Gone", QString::number(goneID), "", "",
            "deleted"},
        {"2026-12-11", "Friday", "Cid", "Cid", id(cid), "K", k, id(kitchen), "", "absent", ""},
        {"2026-12-31", "Thursday", a, a, id(anna), "K", k, id(kitchen), "", "", ""}};
    EXPECT_EQ(CsvRows(csv), expected);

    // A workplace calendar: the worker is the summary, the note and the
    // other side the description; 10:30 at +02:00 stamps 08:30 UTC.
    const QString identity = FolderIdentity(Folder);
    const QDateTime stamp(QDate(2026, 12, 9), QTime(10, 30), QTimeZone(7200));
    const QString name = QStringLiteral("Plan, Team; A\\B");
    const QJsonObject ics = ReadBack(CalendarScript,
        Written(Folder + QStringLiteral("plan.ics"), ExportICalendar(rows, name, false, identity, stamp)));
    EXPECT_EQ(ics.value(QStringLiteral("problems")).toArray(), QJsonArray());
    EXPECT_GT(ics.value(QStringLiteral("folded")).toInt(), 0);
    EXPECT_EQ(ics.value(QStringLiteral("name")).toString(), name);
    EXPECT_EQ(ics.value(QStringLiteral("prodid")).toString(), QStringLiteral("-//Zanthor Software//Plenvo//EN"));
    QStringList summaries;
    for (const TExportRow& row : rows)
        summaries << row.PersonName;
    EXPECT_EQ(EventFields(ics, "summary"), summaries);
    const QString atKitchen = QStringLiteral("Workplace: ") + k + QStringLiteral(" (K)");
    EXPECT_EQ(EventFields(ics, "description"),
        (QStringList{"=1+2\nWorkplace: @Desk (D)", "+1 hour\nWorkplace: @Desk (D)", "Line one\nLine two\n" + atKitchen,
            atKitchen, LongNote + "\nWorkplace: @Desk (D)",
            "Workplace: Gone (G)\nThe worker is no longer in the register.\nThe workplace is no longer in the "
            "register.",
            atKitchen + "\nAbsent", atKitchen}));
    EXPECT_EQ(EventFields(ics, "start"), (QStringList{"2026-12-10", "2026-12-10", "2026-12-10", "2026-12-10",
                                             "2026-12-11", "2026-12-11", "2026-12-11", "2026-12-31"}));
    EXPECT_EQ(EventFields(ics, "end").last(), QStringLiteral("2027-01-01"));
    EXPECT_EQ(EventFields(ics, "stamp").first(), QStringLiteral("2026-12-09T08:30:00+00:00"));
    const QStringList uids = EventFields(ics, "uid");
    EXPECT_EQ(QSet<QString>(uids.begin(), uids.end()).size(), 8);
    EXPECT_EQ(uids[0], QStringLiteral("20261210-%1-%2-%3@plenvo").arg(id(formula), id(desk), identity));

    // Exported later: the same UIDs; from another folder: none of them.
    const QByteArray later = ExportICalendar(rows, name, false, identity, stamp.addDays(3));
    const QByteArray elsewhere
        = ExportICalendar(rows, name, false, FolderIdentity(TestEnv::NewFolder(QStringLiteral("other"))), stamp);
    for (const QString& uid : uids)
        EXPECT_TRUE(later.contains(uid.toUtf8()) && !elsewhere.contains(uid.toUtf8())) << uid.toStdString();

    // A worker's calendar names the workplace.
    const QJsonObject annIcs
        = ReadBack(CalendarScript, Written(Folder + QStringLiteral("anna.ics"),
                                       ExportICalendar(Read({D1, D3, anna->ID(), 0}), a, true, identity, stamp)));
    EXPECT_EQ(EventFields(annIcs, "summary"), (QStringList{k, "@Desk", k}));
    EXPECT_EQ(EventFields(annIcs, "description").last(), QStringLiteral("Worker: ") + a);

    TTable closed(QStringLiteral("closed"));
    std::vector<TExportRow> none;
    QString error;
    EXPECT_FALSE(ReadExportRows(closed, Store->Workplaces->Table(), Store->Jobs->Table(), {D1, D3}, none, error));
    EXPECT_FALSE(error.isEmpty());
}

TExportRow NoteRow(const QString& ANote)
{
    TExportRow row{D1, 1, QStringLiteral("A"), QStringLiteral("A"), 2, QStringLiteral("S"), QStringLiteral("W"), ANote};
    return row;
}

// A note and the cell it becomes.
using TCell = std::pair<std::string, std::string>;

class CsvCellTest : public testing::TestWithParam<TCell> {};

TEST_P(CsvCellTest, ANoteIsQuotedAndNeutralisedAsNeeded)
{
    const QByteArray csv = ExportCsv({NoteRow(QString::fromStdString(GetParam().first))});
    EXPECT_TRUE(
        csv.endsWith("2026-12-10,Thursday,A,A,1,S,W,2," + QByteArray::fromStdString(GetParam().second) + ",,\r\n"))
        << csv.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cells, CsvCellTest,
    testing::Values(TCell{"", ""}, TCell{"say \"hi\"", "\"say \"\"hi\"\"\""}, TCell{"a\r\nb", "\"a\r\nb\""},
        TCell{"=1+2", "'=1+2"}, TCell{"-5", "'-5"}, TCell{"\tx", "'\tx"}, TCell{"\rx", "\"'\rx\""},
        TCell{"=a,b", "\"'=a,b\""}, TCell{"a=b", "a=b"}, TCell{"😀", "😀"}));

// A note of 0 to 3 ASCII letters and then wide characters: a fold falls at
// each octet of a character in turn.
class ICalFoldTest : public testing::TestWithParam<std::tuple<int, std::string>> {};

TEST_P(ICalFoldTest, FoldsNeverSplitACharacterAndUnfoldToTheText)
{
    const QString note = QString(std::get<0>(GetParam()), QLatin1Char('x'))
                         + QString::fromStdString(std::get<1>(GetParam())).repeated(40) + QStringLiteral("\\n, ;");
    const QByteArray ics = ExportICalendar(
        {NoteRow(note)}, QStringLiteral("C"), true, QStringLiteral("id"), QDateTime::currentDateTimeUtc());
    ASSERT_TRUE(ics.endsWith("\r\n"));
    EXPECT_EQ(ics.count('\n'), ics.count("\r\n"));
    QByteArray unfolded;
    for (const QByteArray& line : QByteArray(ics).replace("\r\n", "\n").chopped(1).split('\n')) {
        EXPECT_LE(line.size(), 75);
        EXPECT_EQ(QString::fromUtf8(line).toUtf8(), line) << "a character split";
        unfolded += line.startsWith(' ') ? line.mid(1) : '\n' + line;
    }
    // A backslash before "n" stays a backslash.
    EXPECT_TRUE(unfolded.contains("\nDESCRIPTION:" + note.chopped(5).toUtf8() + "\\\\n\\, \\;\\nWorker: A\n"))
        << unfolded.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Offsets, ICalFoldTest,
    testing::Combine(testing::Range(0, 4), testing::Values(std::string("ä"), std::string("€"), std::string("😀"))),
    [](const testing::TestParamInfo<std::tuple<int, std::string>>& AInfo) {
        return "Prefix" + std::to_string(std::get<0>(AInfo.param)) + "Octets"
               + std::to_string(std::get<1>(AInfo.param).size());
    });

TEST(ExportFileNameTest, NamesAMonthADayOrARangeAndTheSubject)
{
    auto name = [](TExportFormat AFormat, QDate AFrom, QDate ATo, const char* ASubject) {
        return ExportFileName(AFormat, DateToOle(AFrom), DateToOle(ATo), QString::fromUtf8(ASubject));
    };
    EXPECT_EQ(name(efICalendar, {2026, 12, 1}, {2026, 12, 31}, "Anna Berg"), "Plenvo 2026-12 Anna Berg.ics");
    EXPECT_EQ(name(efCsv, {2026, 12, 10}, {2026, 12, 10}, ""), "Plenvo 2026-12-10.csv");
    EXPECT_EQ(name(efCsv, {2026, 12, 1}, {2027, 1, 31}, ""), "Plenvo 2026-12-01 to 2027-01-31.csv");
    EXPECT_EQ(name(efCsv, {2028, 2, 1}, {2028, 2, 29}, "Kitchen"), "Plenvo 2028-02 Kitchen.csv");
    EXPECT_EQ(name(efCsv, {2026, 12, 2}, {2026, 12, 31}, ""), "Plenvo 2026-12-02 to 2026-12-31.csv");
    EXPECT_EQ(name(efICalendar, {2026, 12, 1}, {2026, 12, 31}, "A/B: C*?\"<x>|\\"), "Plenvo 2026-12 A B C x.ics");
    EXPECT_EQ(name(efCsv, {2026, 12, 1}, {2026, 12, 31}, "Ann... "), "Plenvo 2026-12 Ann.csv");
    EXPECT_EQ(name(efCsv, {2026, 12, 1}, {2026, 12, 31}, "Zoë 😀 דוד"), "Plenvo 2026-12 Zoë 😀 דוד.csv");
}

TEST(FolderIdentityTest, OneFolderHasOneIdentityHoweverItIsWritten)
{
    const QString folder = TestEnv::NewFolder(QStringLiteral("identity"));
    const QString identity = FolderIdentity(folder);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{16}$")).match(identity).hasMatch());
    const QString link = TestEnv::Root() + QStringLiteral("/identity-link");
    ASSERT_TRUE(QFile::link(folder, link));
    for (const QString& same : {folder + "/", folder + "/../" + QFileInfo(folder).fileName(), link})
        EXPECT_EQ(FolderIdentity(same), identity) << same.toStdString();
    EXPECT_NE(FolderIdentity(TestEnv::NewFolder(QStringLiteral("identity"))), identity);
    const QString missing = TestEnv::Root() + QStringLiteral("/not-there");
    EXPECT_EQ(FolderIdentity(missing), FolderIdentity(missing + "/"));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

} // namespace
