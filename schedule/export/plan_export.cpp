#include "schedule/export/plan_export.h"

#include "core/collation.h"
#include "core/program_info.h"
#include "data/job_rows.h"
#include "data/person_man.h"
#include "data/table.h"
#include "data/table_schema.h"
#include "data/workplace_man.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <memory>
#include <numeric>
#include <unordered_map>

namespace {

struct TPersonEntry {
    std::unique_ptr<TPerson> Person;
    int Key = 0;
};
struct TWorkplaceEntry {
    QString Shortcut;
    QString Name;
    int Key = 0;
};

// The distinct texts rows are sorted by, each ranked once: a locale
// comparison per row pair would cost seconds on a year of relations.
class TTextRanks {
public:
    int Key(const QString& AText)
    {
        const auto found = FKeys.constFind(AText);
        if (found != FKeys.cend())
            return *found;
        const int key = static_cast<int>(FTexts.size());
        FKeys.insert(AText, key);
        FTexts.push_back(AText);
        return key;
    }
    // The rank of every key; texts the locale holds equal share one.
    std::vector<int> Ranks() const
    {
        std::vector<int> order(FTexts.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(),
            [this](int A, int B) { return CompareLocaleText(FTexts[size_t(A)], FTexts[size_t(B)]) < 0; });
        std::vector<int> ranks(FTexts.size());
        int rank = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            if (i > 0 && CompareLocaleText(FTexts[size_t(order[i - 1])], FTexts[size_t(order[i])]) != 0)
                ++rank;
            ranks[size_t(order[i])] = rank;
        }
        return ranks;
    }

private:
    QHash<QString, int> FKeys;
    std::vector<QString> FTexts;
};

// Walks a register table from its first record; false with AError when the
// walk could not reach the end.
template <class TVisit>
bool WalkRegister(TTable& ATable, const QString& AWhat, TVisit AVisit, QString& AError)
{
    if (!ATable.Active()) {
        AError = QStringLiteral("The %1 file is not open.").arg(AWhat);
        return false;
    }
    ATable.SetFiltered(false);
    bool read = ATable.First();
    while (read && !ATable.Eof()) {
        AVisit();
        read = ATable.Next();
    }
    if (!read || ATable.WalkBroken()) {
        AError = QStringLiteral("The %1 file \"%2\" could not be read to its end: %3")
                     .arg(AWhat, ATable.FileName(), ATable.LastError());
        return false;
    }
    return true;
}

const char* const WeekDayNames[] = {"", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

QByteArray IsoDate(const QDate& ADate)
{
    return ADate.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
}

// --- CSV ---

// A text a spreadsheet would take for a formula is kept a text.
QString Neutralised(const QString& AText)
{
    if (AText.isEmpty())
        return AText;
    switch (AText.front().unicode()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return QLatin1Char('\'') + AText;
    default:
        return AText;
    }
}

void AppendCsvField(QByteArray& AOut, const QByteArray& AField)
{
    bool quote = false;
    for (const char c : AField)
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            quote = true;
            break;
        }
    if (!quote) {
        AOut += AField;
        return;
    }
    AOut += '"';
    for (const char c : AField) {
        if (c == '"')
            AOut += '"';
        AOut += c;
    }
    AOut += '"';
}

void AppendCsvText(QByteArray& AOut, const QString& AText)
{
    AppendCsvField(AOut, Neutralised(AText).toUtf8());
}

// --- iCalendar ---

// A TEXT value: backslash, semicolon and comma escaped, every line break
// one "\n", other control characters left out (the format allows none).
QByteArray ICalText(const QString& AText)
{
    QString text;
    text.reserve(AText.size() + 8);
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const QChar c = AText[i];
        switch (c.unicode()) {
        case '\\':
            text += QStringLiteral("\\\\");
            break;
        case ';':
            text += QStringLiteral("\\;");
            break;
        case ',':
            text += QStringLiteral("\\,");
            break;
        case '\r':
            if (i + 1 < AText.size() && AText[i + 1] == QLatin1Char('\n'))
                ++i;
            text += QStringLiteral("\\n");
            break;
        case '\n':
            text += QStringLiteral("\\n");
            break;
        default:
            if ((c.unicode() >= 0x20 && c.unicode() != 0x7F) || c == QLatin1Char('\t'))
                text += c;
        }
    }
    return text.toUtf8();
}

// One content line, folded after 75 octets (continuations start with a
// space); a fold never falls inside a UTF-8 character.
void AppendLine(QByteArray& AOut, const QByteArray& ALine)
{
    constexpr qsizetype MaxOctets = 75;
    qsizetype start = 0;
    qsizetype room = MaxOctets;
    while (ALine.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && (static_cast<uchar>(ALine[cut]) & 0xC0) == 0x80)
            --cut;
        AOut.append(ALine.constData() + start, cut - start);
        AOut += "\r\n ";
        start = cut;
        room = MaxOctets - 1;
    }
    AOut.append(ALine.constData() + start, ALine.size() - start);
    AOut += "\r\n";
}

QByteArray ICalDate(const QDate& ADate)
{
    return ADate.toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

// Characters no file system of the desktops takes in a name.
QString FileNameText(const QString& AText)
{
    QString text;
    for (const QChar c : AText) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("<>:\"/\\|?*").contains(c))
            text += QLatin1Char(' ');
        else
            text += c;
    }
    text = text.simplified();
    while (!text.isEmpty() && (text.back() == QLatin1Char('.') || text.back() == QLatin1Char(' ')))
        text.chop(1);
    return CutText(text, 100).trimmed();
}

} // namespace

bool ReadExportRows(TTable& AWorkers, TTable& AWorkplaces, TTable& AJobs, const TExportQuery& AQuery,
    std::vector<TExportRow>& ARows, QString& AError)
{
    ARows.clear();
    AError.clear();
    TTextRanks shortcuts;
    TTextRanks sortingNames;

    std::unordered_map<int, TPersonEntry> persons;
    const bool personsRead = WalkRegister(
        AWorkers, QStringLiteral("workers"),
        [&] {
            auto person = TSCObject::Create<TPerson>();
            if (!person->LoadFromDB(AWorkers) || !IsUsableID(person->ID()))
                return;
            const int id = person->ID();
            const int key = sortingNames.Key(person->SortingName());
            persons[id] = {std::move(person), key};
        },
        AError);
    if (!personsRead)
        return false;

    std::unordered_map<int, TWorkplaceEntry> workplaces;
    const bool workplacesRead = WalkRegister(
        AWorkplaces, QStringLiteral("workplaces"),
        [&] {
            auto workplace = TSCObject::Create<TWorkplace>();
            if (!workplace->LoadFromDB(AWorkplaces) || !IsUsableID(workplace->ID()))
                return;
            workplaces[workplace->ID()]
                = {workplace->Shortcut(), workplace->Name(), shortcuts.Key(workplace->Shortcut())};
        },
        AError);
    if (!workplacesRead)
        return false;

    if (!AJobs.Active()) {
        AError = QStringLiteral("The jobs file is not open.");
        return false;
    }
    struct TOrder {
        qint64 Date;
        int Workplace;
        int Person;
    };
    std::vector<TOrder> keys;
    TJobRowReader reader(AJobs, AQuery.From, AQuery.To, AQuery.PersonID, AQuery.WorkplaceID, jrcNames | jrcNote);
    while (reader.Next()) {
        TExportRow row;
        row.Date = reader.Date();
        row.PersonID = reader.PersonID();
        row.WorkplaceID = reader.WorkplaceID();
        row.Note = reader.Note();
        TOrder order{static_cast<qint64>(row.Date), 0, 0};
        if (const auto found = persons.find(row.PersonID); found != persons.end()) {
            const TPerson& person = *found->second.Person;
            row.PersonName = person.Name();
            row.SortingName = person.SortingName();
            row.Absent = person.IsOut(row.Date);
            order.Person = found->second.Key;
        } else {
            // No sorting name is stored with a relation: the name sorts it.
            row.PersonName = reader.PersonName();
            row.PersonDeleted = true;
            order.Person = sortingNames.Key(row.PersonName);
        }
        if (const auto found = workplaces.find(row.WorkplaceID); found != workplaces.end()) {
            row.WorkplaceShortcut = found->second.Shortcut;
            row.WorkplaceName = found->second.Name;
            order.Workplace = found->second.Key;
        } else {
            row.WorkplaceShortcut = reader.WorkplaceShortcut();
            row.WorkplaceName = reader.WorkplaceName();
            row.WorkplaceDeleted = true;
            order.Workplace = shortcuts.Key(row.WorkplaceShortcut);
        }
        ARows.push_back(std::move(row));
        keys.push_back(order);
    }
    if (reader.Failed()) {
        ARows.clear();
        AError = QStringLiteral("The jobs file \"%1\" could not be read.").arg(AJobs.FileName());
        return false;
    }

    const std::vector<int> shortcutRanks = shortcuts.Ranks();
    const std::vector<int> nameRanks = sortingNames.Ranks();
    for (TOrder& key : keys) {
        key.Workplace = shortcutRanks[size_t(key.Workplace)];
        key.Person = nameRanks[size_t(key.Person)];
    }
    std::vector<size_t> order(ARows.size());
    std::iota(order.begin(), order.end(), size_t(0));
    // Equal texts fall back on the IDs, so the order never depends on the
    // file's row order.
    std::sort(order.begin(), order.end(), [&](size_t A, size_t B) {
        const TOrder& a = keys[A];
        const TOrder& b = keys[B];
        if (a.Date != b.Date)
            return a.Date < b.Date;
        if (a.Workplace != b.Workplace)
            return a.Workplace < b.Workplace;
        if (ARows[A].WorkplaceID != ARows[B].WorkplaceID)
            return ARows[A].WorkplaceID < ARows[B].WorkplaceID;
        if (a.Person != b.Person)
            return a.Person < b.Person;
        return ARows[A].PersonID < ARows[B].PersonID;
    });
    std::vector<TExportRow> sorted;
    sorted.reserve(ARows.size());
    for (const size_t i : order)
        sorted.push_back(std::move(ARows[i]));
    ARows = std::move(sorted);
    return true;
}

QByteArray ExportCsv(const std::vector<TExportRow>& ARows)
{
    QByteArray out;
    out.reserve(qsizetype(ARows.size()) * 120 + 200);
    // The byte order mark makes Excel read the file as UTF-8 rather than in
    // the system's code page; LibreOffice and csv readers accept it.
    out += "\xEF\xBB\xBF";
    out += "Date,Weekday,Worker,Sorting name,Worker ID,Workplace shortcut,Workplace,Workplace "
           "ID,Note,Absent,Deleted\r\n";
    TDate shownDate = -1;
    QByteArray dateFields;
    for (const TExportRow& row : ARows) {
        if (row.Date != shownDate || dateFields.isEmpty()) {
            shownDate = row.Date;
            const QDate date = OleToDate(row.Date);
            dateFields = IsoDate(date) + ',' + WeekDayNames[date.isValid() ? date.dayOfWeek() : 0] + ',';
        }
        out += dateFields;
        AppendCsvText(out, row.PersonName);
        out += ',';
        AppendCsvText(out, row.SortingName);
        out += ',';
        out += QByteArray::number(row.PersonID);
        out += ',';
        AppendCsvText(out, row.WorkplaceShortcut);
        out += ',';
        AppendCsvText(out, row.WorkplaceName);
        out += ',';
        out += QByteArray::number(row.WorkplaceID);
        out += ',';
        AppendCsvText(out, row.Note);
        out += row.Absent ? ",absent," : ",,";
        if (row.PersonDeleted || row.WorkplaceDeleted)
            out += "deleted";
        out += "\r\n";
    }
    return out;
}

QByteArray ExportICalendar(const std::vector<TExportRow>& ARows, const QString& ACalendarName, bool AForWorker,
    const QString& AFolderIdentity, const QDateTime& AStamp)
{
    QByteArray out;
    out.reserve(qsizetype(ARows.size()) * 360 + 300);
    AppendLine(out, "BEGIN:VCALENDAR");
    AppendLine(out, "VERSION:2.0");
    AppendLine(out, "PRODID:" + ICalText(QStringLiteral("-//%1//%2//EN").arg(ProgramCompanyName(), ProgramName())));
    AppendLine(out, "CALSCALE:GREGORIAN");
    AppendLine(out, "METHOD:PUBLISH");
    AppendLine(out, "X-WR-CALNAME:" + ICalText(ACalendarName));
    const QByteArray stamp = "DTSTAMP:" + AStamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
    const QByteArray uidEnd = '-' + ICalText(AFolderIdentity) + "@plenvo";
    TDate shownDate = -1;
    QByteArray start;
    QByteArray end;
    for (const TExportRow& row : ARows) {
        if (row.Date != shownDate || start.isEmpty()) {
            shownDate = row.Date;
            const QDate date = OleToDate(row.Date);
            start = ICalDate(date);
            end = ICalDate(date.addDays(1));
        }
        AppendLine(out, "BEGIN:VEVENT");
        AppendLine(out, "UID:" + start + '-' + QByteArray::number(row.PersonID) + '-'
                            + QByteArray::number(row.WorkplaceID) + uidEnd);
        AppendLine(out, stamp);
        AppendLine(out, "DTSTART;VALUE=DATE:" + start);
        AppendLine(out, "DTEND;VALUE=DATE:" + end);
        AppendLine(out, "SUMMARY:" + ICalText(AForWorker ? row.WorkplaceName : row.PersonName));
        // The side the summary leaves out, so a calendar of everyone still
        // says who is planned.
        QStringList description;
        if (!row.Note.isEmpty())
            description << row.Note;
        if (AForWorker)
            description << QStringLiteral("Worker: %1").arg(row.PersonName);
        else
            description << QStringLiteral("Workplace: %1 (%2)").arg(row.WorkplaceName, row.WorkplaceShortcut);
        if (row.Absent)
            description << QStringLiteral("Absent");
        if (row.PersonDeleted)
            description << QStringLiteral("The worker is no longer in the register.");
        if (row.WorkplaceDeleted)
            description << QStringLiteral("The workplace is no longer in the register.");
        AppendLine(out, "DESCRIPTION:" + ICalText(description.join(QLatin1Char('\n'))));
        AppendLine(out, "TRANSP:TRANSPARENT");
        AppendLine(out, "END:VEVENT");
    }
    AppendLine(out, "END:VCALENDAR");
    return out;
}

QString FolderIdentity(const QString& ADataDir)
{
    const QFileInfo info(ADataDir);
    QString path = info.canonicalFilePath();
    if (path.isEmpty())
        path = QDir::cleanPath(info.absoluteFilePath());
    return QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

QString ServerIdentity(const QString& AConnInfo)
{
    const QByteArray text = "server " + AConnInfo.trimmed().toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex().left(16));
}

QString ExportFileName(TExportFormat AFormat, TDate AFrom, TDate ATo, const QString& ASubject)
{
    const QDate from = OleToDate(AFrom);
    const QDate to = OleToDate(ATo);
    QString period;
    if (from == to)
        period = from.toString(QStringLiteral("yyyy-MM-dd"));
    else if (from.day() == 1 && to == from.addMonths(1).addDays(-1))
        period = from.toString(QStringLiteral("yyyy-MM"));
    else
        period = from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" to ")
                 + to.toString(QStringLiteral("yyyy-MM-dd"));
    QString name = FileNameText(ProgramName()) + QLatin1Char(' ') + period;
    const QString subject = FileNameText(ASubject);
    if (!subject.isEmpty())
        name += QLatin1Char(' ') + subject;
    return name + (AFormat == efCsv ? QStringLiteral(".csv") : QStringLiteral(".ics"));
}
