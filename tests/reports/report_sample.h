// A month of a catering firm as each list printer writes it: 40 workers with
// degrees and non-ASCII names, 12 workplaces, one worker and one workplace
// deleted after planning, one workplace renamed, a few absences.
#pragma once

#include "report_fixture.h"

#include <QDate>

namespace Sample {

inline const QDate Day(2025, 3, 12); // the daily schedule's day, a Wednesday
inline const QDate First(2025, 3, 1);
inline const QDate Last(2025, 3, 31);
constexpr int Workers = 40;
constexpr int Places = 12;
constexpr int DeletedWorker = 39;
constexpr int DeletedPlace = 11;
constexpr int RenamedPlace = 2;
constexpr int ChosenWorker = 3; // absent 10–14 March
constexpr int AwayLastYear = 7; // absent in 2024: outside every printed day
constexpr int AbsentOnDay = 11; // absent on 12 March only
constexpr int LongNote = 5;

// Degree, first name, surname and a suffix; the deleted worker has no register entry left.
inline QStringList NameParts(int AWorker)
{
    static const char* const first[] = {"Zoë", "Åsa", "Jürgen", "Łukasz", "Renée", "Björn", "Chloé", "Dagný", "Émile",
        "František", "Ingrid", "Søren", "Małgorzata", "José", "Anaïs", "Ömer", "Žofie", "Niamh", "Kaarel", "Ľubica"};
    static const char* const last[]
        = {"Ångström", "Müller", "Nowak", "Øverland", "Dvořák", "Šimek", "Łącki", "García", "Çelik", "Kjærgaard"};
    static const char* const degree[] = {"", "Dr.", "Ing.", "Mgr.", "", "Bc.", "", "MUDr."};
    return {QString::fromUtf8(degree[AWorker % 8]), QString::fromUtf8(first[AWorker % 20]),
        QString::fromUtf8(last[(AWorker / 2) % 10]), AWorker >= 20 ? QStringLiteral("Jr.") : QString()};
}

inline QString Name(int AWorker)
{
    if (AWorker == DeletedWorker)
        return QStringLiteral("Olaf Kjærgaard");
    const QStringList parts = NameParts(AWorker);
    return QStringList({parts[0], parts[1], parts[2], parts[3]}).join(' ').simplified();
}

// Surname first without the degree; none for the deleted worker.
inline QString SortingName(int AWorker)
{
    if (AWorker == DeletedWorker)
        return {};
    const QStringList parts = NameParts(AWorker);
    return QStringList({parts[2], parts[1], parts[3]}).join(' ').simplified();
}

inline QString Note(int AWorker)
{
    if (AWorker == LongNote)
        return QStringLiteral("Prefers early shifts; certified for the espresso machine; speaks German, Polish");
    return AWorker % 6 == 1 ? QStringLiteral("Allergic to nuts") : QString();
}

inline std::pair<QDate, QDate> Absence(int AWorker)
{
    if (AWorker == ChosenWorker)
        return {QDate(2025, 3, 10), QDate(2025, 3, 14)};
    if (AWorker == AwayLastYear)
        return {QDate(2024, 7, 1), QDate(2024, 7, 21)};
    if (AWorker == AbsentOnDay)
        return {Day, Day};
    return {};
}

inline bool OutOn(int AWorker, const QDate& ADate)
{
    const auto [from, to] = Absence(AWorker);
    return from.isValid() && from <= ADate && ADate <= to;
}

inline const char* const Shortcuts[Places]
    = {"KIT", "BAR", "TER", "SRV", "DEL", "PAS", "GRL", "BAK", "CLD", "WSH", "OFF", "LAU"};

inline QString PlaceName(int APlace)
{
    static const char* const names[Places] = {"Kitchen", "Bar", "Café terrace", "Service", "Delivery", "Pastry",
        "Grill station", "Bakery", "Cold room", "Washing-up", "Office", "Laundry"};
    // The renamed one prints its new name and the name it was planned under.
    if (APlace == RenamedPlace)
        return QStringLiteral("Café terrace (Terrace)");
    return QString::fromUtf8(names[APlace]);
}

inline QString PlaceShortcut(int APlace)
{
    return APlace == DeletedPlace ? QStringLiteral("(LAU)") : QString::fromLatin1(Shortcuts[APlace]);
}

inline QString PlaceNote(int APlace)
{
    return APlace == DeletedPlace ? QString() : APlace % 3 == 0 ? QStringLiteral("Lunch for 120") : QString();
}

// The planned workplace of a worker on a day; -1 when he is off.
inline int PlaceOf(int AWorker, const QDate& ADate)
{
    const int day = ADate.day();
    if (AWorker == DeletedWorker)
        return day % 3 == 0 ? 0 : -1;
    if (AWorker == ChosenWorker) // planned on his days out too
        return day % 2;
    if ((AWorker + day) % 5 == 0)
        return -1;
    return (AWorker + day / 7) % Places;
}

// The days of the month a worker (or anyone, -1) works at a workplace (or any, -1).
inline QString DaysOf(int AWorker, int APlace = -1)
{
    QStringList days;
    for (QDate d = First; d <= Last; d = d.addDays(1))
        for (int w = AWorker < 0 ? 0 : AWorker; w < (AWorker < 0 ? Workers : AWorker + 1); ++w) {
            const int place = PlaceOf(w, d);
            if (place >= 0 && (APlace < 0 || place == APlace)) {
                days << QString::number(d.day()) + '.';
                break;
            }
        }
    return days.join(QStringLiteral(", "));
}

inline QHash<QString, QVariant> PersonValues(int AWorker, bool AWithOut, const QDate& AOn)
{
    const auto [from, to] = Absence(AWorker);
    QHash<QString, QVariant> row{{"ID", AWorker + 1}, {"Name", Name(AWorker)}, {"SortingName", SortingName(AWorker)},
        {"Note", Note(AWorker)}, {"IsDeleted", AWorker == DeletedWorker}};
    if (from.isValid()) {
        row.insert("DateOutFrom", DateToOle(from));
        row.insert("DateOutTo", DateToOle(to));
        row.insert("DaysOut", static_cast<int>(from.daysTo(to)) + 1);
        row.insert("NoteOut", QStringLiteral("Holiday"));
    }
    row.insert("IsOut", AWithOut && OutOn(AWorker, AOn));
    return row;
}

inline QHash<QString, QVariant> PlaceValues(int APlace)
{
    return {{"ID", APlace + 1}, {"Shortcut", PlaceShortcut(APlace)}, {"Name", PlaceName(APlace)},
        {"Note", PlaceNote(APlace)}, {"IsDeleted", APlace == DeletedPlace}};
}

inline TReportParams Params(const QString& AReport)
{
    TReportParams params{{"Note", "Zanthor Catering"}, {"Subnote", "Kitchen and service, Harbour Street 4"},
        {"ProgramName", "Plenvo"}, {"ProgramVersion", "0.1.0.0"}, {"TempDir", "/nonexistent/"}};
    if (AReport.startsWith("Persons") || AReport.startsWith("Workplaces")) {
        params.insert("ScheduleCaption", AReport.startsWith("Persons") ? "Workers" : "Workplaces");
        return params;
    }
    if (AReport.startsWith("Daily") || AReport.startsWith("DS")) {
        params.insert("ScheduleCaption", AReport.startsWith("DS") ? "Daily schedule, Workers" : "Daily schedule");
        params.insert("ScheduleDate", ShortDateText(DateToOle(Day)));
        return params;
    }
    params.insert("DateStart", ShortDateText(DateToOle(First)));
    params.insert("DateEnd", ShortDateText(DateToOle(Last)));
    params.insert("DateDays", "31");
    params.insert("ScheduleDate", "1 - 31/03/2025");
    if (AReport.startsWith("PS") || AReport.startsWith("Person")) {
        params.insert("PersonID", QString::number(ChosenWorker + 1));
        params.insert("PersonName", Name(ChosenWorker));
        params.insert("PersonSortingName", SortingName(ChosenWorker));
        params.insert("ScheduleCaption", Name(ChosenWorker));
    } else {
        params.insert("WorkplaceID", "1");
        params.insert("WorkplaceShortcut", PlaceShortcut(0));
        params.insert("WorkplaceName", PlaceName(0));
        params.insert("ScheduleCaption", PlaceName(0));
    }
    return params;
}

// The rows the printer of a report writes; the register rows as the daily
// screen writes them, with its relations, and a deleted entry.
inline void Fill(const QString& AReport, TPrintTables& ATables)
{
    ATables.Open();
    const auto person = [&](QHash<QString, QVariant> AValues) { ASSERT_TRUE(ATables.DSPrintPersons.Append(AValues)); };
    const auto place
        = [&](QHash<QString, QVariant> AValues) { ASSERT_TRUE(ATables.DSPrintWorkplaces.Append(AValues)); };
    const auto shortcutsOn = [](int AWorker, const QDate& ADate) {
        const int p = PlaceOf(AWorker, ADate);
        return p < 0 ? QString() : PlaceShortcut(p);
    };
    if (AReport.startsWith("DailySchedule")) {
        for (int p = 0; p < Places; ++p) {
            place(PlaceValues(p));
            // The workers of a workplace in the order of their names.
            std::vector<int> workers;
            for (int w = 0; w < Workers; ++w)
                if (PlaceOf(w, Day) == p)
                    workers.push_back(w);
            std::sort(
                workers.begin(), workers.end(), [](int a, int b) { return Name(a).localeAwareCompare(Name(b)) < 0; });
            for (int w : workers) {
                auto row = PersonValues(w, true, Day);
                row.insert("WorkplaceID", p + 1);
                row.insert("Workplaces", shortcutsOn(w, Day));
                person(row);
            }
        }
    } else if (AReport.startsWith("DS") || AReport.startsWith("Persons")) {
        for (int w = 0; w < Workers; ++w) {
            auto row = PersonValues(w, AReport.startsWith("DS"), Day);
            row.insert("Workplaces", shortcutsOn(w, Day));
            person(row);
        }
    } else if (AReport.startsWith("PSPersons") || AReport.startsWith("WSPersons")) {
        for (int w = 0; w < Workers; ++w) {
            auto row = PersonValues(w, false, Day);
            row.insert("Days", DaysOf(w, AReport.startsWith("WS") ? 0 : -1));
            person(row);
        }
    } else if (AReport.startsWith("PSWorkplaces") || AReport.startsWith("WSWorkplaces")
               || AReport.startsWith("Workplaces")) {
        for (int p = 0; p < Places; ++p) {
            auto row = PlaceValues(p);
            row.insert("Days", DaysOf(AReport.startsWith("PS") ? ChosenWorker : -1, p));
            place(row);
        }
    } else {
        const bool personal = AReport.startsWith("PersonSchedule");
        int id = 0;
        for (QDate d = First; d <= Last; d = d.addDays(1)) {
            ++id;
            ASSERT_TRUE(ATables.DSPrintDays.Append({{"ID", id}, {"Date", DateToOle(d)},
                {"DayName", QLocale().dayName(d.dayOfWeek(), QLocale::ShortFormat)},
                {"DateWithoutYear", d.toString("d/M")}, {"Color", d.dayOfWeek() >= 6 ? 0xDFEBFF : 0},
                {"PersonIsOut", personal && OutOn(ChosenWorker, d)}}));
            for (int w = 0; w < Workers; ++w) {
                const int p = PlaceOf(w, d);
                if (personal && w == ChosenWorker && p >= 0) {
                    auto row = PlaceValues(p);
                    row.insert("DayID", id);
                    place(row);
                    if (d.day() % 4 == 0) { // a second workplace, the deleted one
                        auto second = PlaceValues(DeletedPlace);
                        second.insert("DayID", id);
                        place(second);
                    }
                }
                if (!personal && p == 0) {
                    auto row = PersonValues(w, true, d);
                    row.insert("DayID", id);
                    person(row);
                }
            }
        }
    }
}

} // namespace Sample
